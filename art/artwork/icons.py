"""The 50 x 50 page icons of the right-hand column: a metal key with an engraved, lit symbol.

Every symbol is drawn in a 50 x 50 box with `fg` (the lit colour) and `ink` (outlines and cut-outs)."""
from .parts import glow, metal_fill, star_points


def joystick(svg, fg, ink):
    svg.path("M12,40 L14,33 Q15,31 18,31 L32,31 Q35,31 36,33 L38,40 Z", fg, stroke=ink, stroke_width=1.2)
    svg.line(25, 32, 25, 17, ink, 5.0, stroke_linecap="round")
    svg.line(25, 32, 25, 17, fg, 3.0, stroke_linecap="round")
    svg.circle(25, 14, 5.5, fg, stroke=ink, stroke_width=1.2)
    svg.circle(23.5, 12.5, 1.6, "#ffffff", fill_opacity=0.7)
    svg.circle(32, 35, 2.2, ink)


def disc_and_floppy(svg, fg, ink):
    # Software and full games share this key: a floppy with a CD leaning on it.
    svg.path("M9,10 L27,10 L31,14 L31,34 L9,34 Z", fg, stroke=ink, stroke_width=1.2)
    svg.rect(14, 10, 11, 8, ink)
    svg.rect(21, 11.5, 2.5, 5, fg)
    svg.rect(12.5, 23, 15, 11, ink, fill_opacity=0.35)
    svg.circle(31, 30, 11.5, fg, stroke=ink, stroke_width=1.2)
    svg.circle(31, 30, 7.5, "none", stroke=ink, stroke_width=0.6, stroke_opacity=0.5)
    svg.path("M24,24 A9,9 0 0 1 33,21", stroke="#ffffff", stroke_width=1.5, stroke_opacity=0.6)
    svg.circle(31, 30, 3, ink)


def star(svg, fg, ink):
    svg.polygon(star_points(25, 26, 15, 6.2), fg, stroke=ink, stroke_width=1.3, stroke_linejoin="round")
    svg.polygon(star_points(25, 26, 6, 2.6), "#ffffff", fill_opacity=0.5)


def wrench(svg, fg, ink):
    svg.group("rotate(45 25 25)")
    svg.path("M21.5,22 L28.5,22 L28.5,41 Q25,44 21.5,41 Z", fg, stroke=ink, stroke_width=1.2)
    svg.path("M17,10 Q17,22 25,22 Q33,22 33,10 L29,10 L29,15 L21,15 L21,10 Z", fg, stroke=ink,
             stroke_width=1.2)
    svg.circle(25, 37, 1.5, ink)
    svg.end()


def chip(svg, fg, ink):
    for i in range(4):
        offset = 17.5 + i * 5
        svg.line(offset, 9, offset, 41, ink, 2.6)
        svg.line(9, offset, 41, offset, ink, 2.6)
        svg.line(offset, 9.5, offset, 40.5, fg, 1.4)
        svg.line(9.5, offset, 40.5, offset, fg, 1.4)
    svg.rect(14, 14, 22, 22, ink, rx=2)
    svg.rect(16, 16, 18, 18, fg, rx=1.5, fill_opacity=0.35)
    svg.circle(19, 19, 1.4, fg)


def box(svg, fg, ink):
    svg.polygon([(25, 9), (40, 16), (25, 23), (10, 16)], fg, stroke=ink, stroke_width=1.2,
                stroke_linejoin="round")
    svg.polygon([(10, 16), (25, 23), (25, 41), (10, 34)], fg, fill_opacity=0.75, stroke=ink,
                stroke_width=1.2, stroke_linejoin="round")
    svg.polygon([(40, 16), (25, 23), (25, 41), (40, 34)], fg, fill_opacity=0.5, stroke=ink,
                stroke_width=1.2, stroke_linejoin="round")
    svg.polyline([(17.5, 12.5), (32.5, 19.5), (32.5, 26)], ink, 1.6)


def camera(svg, fg, ink):
    svg.path("M16,17 L19,13 L27,13 L30,17 Z", fg, stroke=ink, stroke_width=1.2)
    svg.rect(9, 17, 32, 21, fg, rx=3, stroke=ink, stroke_width=1.2)
    svg.circle(25, 27.5, 8, ink)
    svg.circle(25, 27.5, 5.5, fg, fill_opacity=0.55)
    svg.circle(23.5, 26, 1.8, "#ffffff", fill_opacity=0.8)
    svg.rect(34, 19.5, 4, 3, ink)


def person(svg, fg, ink):
    svg.circle(25, 16, 7, fg, stroke=ink, stroke_width=1.2)
    svg.path("M11,41 Q11,26 25,26 Q39,26 39,41 Z", fg, stroke=ink, stroke_width=1.2)
    svg.circle(22.5, 13.5, 1.8, "#ffffff", fill_opacity=0.6)


def film(svg, fg, ink):
    svg.group("rotate(-12 25 25)")
    svg.rect(13, 7, 24, 36, ink, rx=1.5)
    for i in range(6):
        y = 9 + i * 5.6
        svg.rect(14.5, y, 3, 3, fg)
        svg.rect(32.5, y, 3, 3, fg)
    svg.rect(19.5, 9, 11, 10, fg, fill_opacity=0.9)
    svg.rect(19.5, 20.5, 11, 10, fg, fill_opacity=0.65)
    svg.rect(19.5, 32, 11, 9, fg, fill_opacity=0.4)
    svg.end()


def magazine(svg, fg, ink):
    svg.path("M15,13 L37,11 L38,40 L16,42 Z", ink, fill_opacity=0.6)
    svg.rect(11, 9, 23, 31, fg, stroke=ink, stroke_width=1.2)
    svg.rect(13.5, 11.5, 18, 6, ink)
    svg.rect(13.5, 20, 10, 10, ink, fill_opacity=0.45)
    for y in (21, 24, 27, 30):
        svg.line(25.5, y, 31.5, y, ink, 1.2)
    for y in (33, 36):
        svg.line(13.5, y, 31.5, y, ink, 1.2)


GLYPHS = {
    "Demos": joystick,
    "Software": disc_and_floppy,
    "Extra": star,
    "Updates": wrench,
    "Drivers": chip,
    "Installed": box,
    "Shots": camera,
    "Readers": person,
    "Trailers": film,
    "Quillon": magazine,
}


def draw_icon(svg, p, glyph, pressed):
    """A page key: raised metal with a silver symbol lit by the scheme's accent; pressed, the key is sunk,
    its symbol moved one pixel down and right and glowing in the accent colour."""
    svg.rect(1, 2, 48, 48, "#000000", rx=8, fill_opacity=0.45)
    svg.rect(1, 1, 48, 48, metal_fill(svg, p, pressed), rx=8, stroke=p["metal0"], stroke_width=1.2)
    if pressed:
        svg.rect(2, 2, 46, 46, "none", rx=7, stroke="#000000", stroke_width=2.0, stroke_opacity=0.45)
        svg.rect(4, 4, 42, 42, p["deep"], rx=6, fill_opacity=0.35)
        glow(svg, p["accent"], 26, 26, 22, 0.7)
        svg.group("translate(1 1)")
        glyph(svg, p["glow"], p["metal0"])
        svg.end()
    else:
        svg.rect(2, 2, 46, 46, "none", rx=7, stroke=p["hi"], stroke_width=1.0, stroke_opacity=0.5)
        svg.rect(4.5, 4.5, 41, 41, "none", rx=6, stroke=p["accent"], stroke_width=1.0, stroke_opacity=0.55)
        glyph(svg, p["hi"], p["metal0"])
    # A thin accent ring at the lower edge reads as the key's lit bezel.
    svg.path("M6,45 Q25,49 44,45", stroke=p["accent"], stroke_width=1.2,
             stroke_opacity=0.9 if pressed else 0.45)
