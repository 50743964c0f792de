"""The large pictures: the 638 x 482 panel backgrounds, the column covers, the gallery frame and the
backgrounds of the two dialogs."""
from .parts import brushed, glow, lamp, plate, rivet, well

PANEL_W, PANEL_H = 638, 482


def _metal_ground(svg, p, w, h, seed):
    svg.rect(0, 0, w, h, svg.linear([(0, p["metal2"]), (0.5, p["metal1"]), (1, p["metal0"])]))
    brushed(svg, p, 0, 0, w, h, seed, density=0.45)


def background(svg, p, simple):
    """The panel: dark brushed metal with light wells for the item list, the detail panel and the status
    line, a groove for the decorative arrows, three spot sockets and the page-icon column (dark by day,
    pale lilac by night). `simple` adds a riveted rim because the panel is then the whole window."""
    _metal_ground(svg, p, PANEL_W, PANEL_H, 52 + simple)
    # Groove for the arrows that follow the mouse.
    svg.rect(9, 8, 22, 390, p["metal0"], rx=10)
    svg.rect(18.5, 14, 3, 378, p["accent"], rx=1.5, fill_opacity=0.35)
    # Item list well (rows, quick-run icons, list arrows, position line).
    well(svg, p, 48, 42, 166, 376, rx=10)
    for y in (62, 93, 124, 155, 186, 217, 248, 279, 310, 341):
        svg.line(74, y + 29.5, 204, y + 29.5, p["well_edge"], 0.6, stroke_opacity=0.25)
    svg.line(60, 392, 204, 392, p["well_edge"], 1.0, stroke_opacity=0.5)
    # Detail well: the picture frame on top, the texts below.
    well(svg, p, 220, 60, 308, 386, rx=10)
    # The frame ends right under the picture: the title's accents start on the next row.
    svg.rect(224, 62.5, 247, 152.5, p["metal0"], rx=3, stroke=p["accent"], stroke_width=1.0,
             stroke_opacity=0.6)
    svg.rect(226, 64, 243, 151, svg.linear([(0, p["metal2"]), (1, p["metal0"])]))
    svg.line(228, 251, 520, 251, p["well_edge"], 0.8, stroke_opacity=0.5)
    svg.line(228, 275, 520, 275, p["well_edge"], 0.8, stroke_opacity=0.5)
    _header(svg, p)
    for x, y in ((42, 36), (220, 36), (42, 424), (220, 424), (214, 54), (534, 54), (214, 452)):
        rivet(svg, p, x, y, 2)
    # Flag bar above the detail well.
    plate(svg, p, 288, 21, 188, 40, rx=8)
    for x in (293, 471):
        rivet(svg, p, x, 41, 1.8)
    # Status line (spot names, disc number).
    well(svg, p, 100, 452, 348, 24, rx=6)
    # Spot sockets.
    for i in range(3):
        cx = 16.5 + 33 * i
        svg.circle(cx, 465.5, 14.5, p["metal0"])
        svg.circle(cx, 465.5, 12, svg.radial([(0, p["metal2"]), (1, p["metal0"])], fx=0.4, fy=0.3),
                   stroke=p["metal3"], stroke_width=0.8)
        svg.circle(cx, 465.5, 3, p["accent"], fill_opacity=0.35)
    # Page-icon column.
    svg.rect(534, 0, 104, PANEL_H, svg.linear([(0, p["column1"]), (0.5, p["column0"]), (1, p["column1"])],
                                            x2=1, y2=0))
    svg.line(534.5, 0, 534.5, PANEL_H, p["metal0"], 1.0)
    svg.line(536, 0, 536, PANEL_H, p["accent"], 1.0, stroke_opacity=0.5)
    for top in (60, 127, 194, 261, 329):
        svg.rect(550, top - 2, 54, 54, "#000000", rx=9, fill_opacity=0.2)
    # Accent lamps along the bottom edge.
    for i, x in enumerate((470, 486, 502)):
        lamp(svg, p, x, 464, 3, i == 0)
    if simple:
        svg.rect(1, 1, PANEL_W - 2, PANEL_H - 2, "none", rx=4, stroke=p["hi"], stroke_width=1.0,
                 stroke_opacity=0.4)
        svg.rect(0.5, 0.5, PANEL_W - 1, PANEL_H - 1, "none", rx=4, stroke=p["metal0"], stroke_width=1.0)
        for x, y in ((6, 6), (527, 6), (6, 440), (527, 440), (212, 6), (212, 476), (527, 476)):
            rivet(svg, p, x, y, 2)


def _header(svg, p):
    """The strip above the item list: a warning-striped band and a vent, in the spirit of a machine."""
    x0, y0, x1, y1 = 44, 10, 170, 28
    svg.rect(x0 - 3, y0 - 3, x1 - x0 + 6, y1 - y0 + 6, p["metal0"], rx=4)
    height = y1 - y0
    x = x0
    while x + 7 + height <= x1:
        svg.polygon([(x, y1), (x + 7, y1), (x + 7 + height, y0), (x + height, y0)], p["accent"],
                    fill_opacity=0.8)
        x += 14
    for i in range(6):
        svg.rect(186 + i * 14, 10, 6, 18, p["metal0"], rx=3)
        svg.rect(187 + i * 14, 11, 4, 5, p["hi"], rx=2, fill_opacity=0.2)
    lamp(svg, p, 276, 19, 3.5, True)


def cover_up(svg, p, simple):
    """The cap over the top of the page-icon column (100 x 46)."""
    svg.path("M0,0 L100,0 L100,44 L12,44 Q2,44 2,34 Z", "#000000", fill_opacity=0.4)
    svg.path("M0,0 L100,0 L100,42 L12,42 Q0,42 0,30 Z",
             svg.linear([(0, p["metal1"]), (0.6, p["metal2"]), (1, p["metal3"])]), stroke=p["metal0"],
             stroke_width=1.0)
    svg.line(10, 41, 100, 41, p["hi"], 1.0, stroke_opacity=0.6)
    brushed(svg, p, 2, 2, 96, 36, 94 + simple, density=0.6)
    if simple:
        svg.line(14, 35, 96, 35, p["accent"], 1.5, stroke_opacity=0.5)
    else:
        for x in (20, 50, 80):
            lamp(svg, p, x, 20, 3, x == 50)
    for x in (8, 92):
        rivet(svg, p, x, 8, 2)


def cover_down(svg, p, simple):
    """The cap under the column (115 x 91) with a socket for the column's down arrow at (44, 3)."""
    svg.path("M30,2 L115,2 L115,91 L0,91 L0,36 Q0,26 10,22 Z", "#000000", fill_opacity=0.4)
    svg.path("M30,0 L115,0 L115,91 L0,91 L0,34 Q0,24 10,20 Z",
             svg.linear([(0, p["metal3"]), (0.25, p["metal2"]), (1, p["metal0"])]), stroke=p["metal0"],
             stroke_width=1.0)
    svg.line(31, 1, 115, 1, p["hi"], 1.0, stroke_opacity=0.6)
    brushed(svg, p, 4, 22, 108, 66, 92 + simple, density=0.5)
    svg.rect(40, 1, 28, 17, p["metal0"], rx=4)
    if simple:
        svg.line(16, 40, 110, 40, p["accent"], 1.5, stroke_opacity=0.5)
    else:
        # A small vent grille with a lit strip behind it.
        svg.rect(26, 34, 80, 30, p["metal0"], rx=4)
        glow(svg, p["accent"], 66, 49, 30, 0.35)
        for i in range(7):
            svg.rect(30 + i * 11, 37, 5, 24, p["metal2"], rx=2)
    for x, y in ((8, 82), (107, 82), (107, 10)):
        rivet(svg, p, x, y, 2)


def gallery_frame(svg, p):
    """The backdrop of an open gallery picture: a darkened panel within a riveted frame."""
    _metal_ground(svg, p, PANEL_W, PANEL_H, 78)
    svg.rect(12, 12, PANEL_W - 24, PANEL_H - 24, p["metal0"], rx=12, stroke=p["accent"], stroke_width=1.5,
             stroke_opacity=0.6)
    svg.rect(16, 16, PANEL_W - 32, PANEL_H - 32, svg.radial([(0, p["metal1"]), (1, "#000000")]), rx=9)
    for x in (6, PANEL_W - 6):
        for y in (6, PANEL_H / 2, PANEL_H - 6):
            rivet(svg, p, x, y, 2.2)
    for x in (PANEL_W / 3, 2 * PANEL_W / 3):
        for y in (6, PANEL_H - 6):
            rivet(svg, p, x, y, 2.2)


# The caption strip of a dialog plate: the window's caption is written into it in the lamp colour, from
# x = CAPTION_LEFT, centred on CAPTION_MIDDLE (the front end reads the same numbers).
CAPTION_TOP, CAPTION_HEIGHT, CAPTION_LEFT = 3, 13, 22
CAPTION_MIDDLE = CAPTION_TOP + CAPTION_HEIGHT / 2


def dialog(svg, p, w, h, inset, light, caption=False):
    """A dialog background: a riveted metal plate with a title ridge and an inset area `inset` (x, y, w,
    h): a light well when the dialog's texts are dark (`light`), else a dark recess. With `caption` the
    ridge is a sunk strip with a lit lamp at its left end, which carries the dialog's caption."""
    _metal_ground(svg, p, w, h, w * 7 + h)
    svg.rect(0.5, 0.5, w - 1, h - 1, "none", stroke=p["metal0"], stroke_width=1.0)
    svg.rect(1.5, 1.5, w - 3, h - 3, "none", stroke=p["hi"], stroke_width=1.0, stroke_opacity=0.45)
    if caption:
        svg.rect(8, CAPTION_TOP, w - 16, CAPTION_HEIGHT, svg.linear([(0, p["metal0"]), (1, p["metal1"])]),
                 rx=4, stroke=p["hi"], stroke_width=0.8, stroke_opacity=0.3)
        lamp(svg, p, 14.5, CAPTION_MIDDLE, 2.6, True)
        svg.line(CAPTION_LEFT - 2, CAPTION_TOP + CAPTION_HEIGHT - 1.5, w - 12, CAPTION_TOP + CAPTION_HEIGHT - 1.5,
                 p["accent"], 0.8, stroke_opacity=0.45)
        rivets = ((5, CAPTION_TOP + CAPTION_HEIGHT + 3), (w - 5, CAPTION_TOP + CAPTION_HEIGHT + 3),
                  (5, h - 5), (w - 5, h - 5))
    else:
        svg.rect(6, 5, w - 12, 6, p["metal0"], rx=3)
        svg.rect(8, 7, (w - 16) * 0.4, 2, p["accent"], rx=1, fill_opacity=0.85)
        rivets = ((5, 17), (w - 5, 17), (5, h - 5), (w - 5, h - 5))
    for x, y in rivets:
        rivet(svg, p, x, y, 1.8)
    x, y, ww, hh = inset
    if light:
        well(svg, p, x, y, ww, hh, rx=6)
    else:
        svg.rect(x, y, ww, hh, svg.linear([(0, p["metal0"]), (1, p["metal1"])]), rx=6, stroke=p["hi"],
                 stroke_width=1.0, stroke_opacity=0.35)
        svg.line(x + 8, y + hh - 1, x + ww - 8, y + hh - 1, p["accent"], 1.0, stroke_opacity=0.5)
