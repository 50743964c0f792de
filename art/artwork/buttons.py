"""The four 14 x 13 action buttons of the detail panel (Readme, Web, Play, Uninstall), plain and under
the mouse. Drawn on whole pixels so that the small shapes stay crisp."""
from .parts import glow


def _key(svg, p, hover):
    fill = svg.linear([(0, p["glow"]), (1, p["accent"])]) if hover else svg.linear(
        [(0, p["metal3"]), (1, p["metal1"])])
    if hover:
        glow(svg, p["accent"], 7, 6.5, 7, 0.6)
    svg.rect(0.5, 0.5, 13, 12, fill, rx=2.5, stroke=p["metal0"], stroke_width=1.0)
    svg.line(2, 1.5, 12, 1.5, "#ffffff", 1.0, stroke_opacity=0.45)
    return p["metal0"] if hover else p["glow"]


def readme(svg, p, hover):
    ink = _key(svg, p, hover)
    svg.path("M4,2.5 L8.5,2.5 L10.5,4.5 L10.5,10.5 L4,10.5 Z", "none", stroke=ink, stroke_width=1.0)
    for y in (5.5, 7.5, 9):
        svg.line(5.5, y, 9, y, ink, 0.8)


def web(svg, p, hover):
    ink = _key(svg, p, hover)
    svg.circle(7, 6.5, 4, "none", stroke=ink, stroke_width=1.0)
    svg.ellipse(7, 6.5, 1.7, 4, "none", stroke=ink, stroke_width=0.8)
    svg.line(3, 6.5, 11, 6.5, ink, 0.8)


def play(svg, p, hover):
    ink = _key(svg, p, hover)
    svg.polygon([(5, 3), (10.5, 6.5), (5, 10)], ink)


def uninstall(svg, p, hover):
    ink = _key(svg, p, hover)
    svg.rect(4.5, 4.5, 5, 6, "none", stroke=ink, stroke_width=1.0)
    svg.line(3, 3.5, 11, 3.5, ink, 1.0)
    svg.line(6, 2.5, 8, 2.5, ink, 1.0)
    svg.line(6, 6, 6, 9, ink, 0.7)
    svg.line(8, 6, 8, 9, ink, 0.7)


BUTTONS = (readme, web, play, uninstall)
