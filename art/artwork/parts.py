"""Colour schemes and the recurring pieces of the look: brushed metal, bevels, rivets and glows."""
import math

from .svg import Lcg

# Day: warm steel with amber lamps. Night: blued steel with indigo and violet lamps. The light "wells"
# carry the dark item texts in both schemes; the icon column is dark by day (silver captions) and a pale
# lilac by night (black captions).
DAY = {
    "name": "day",
    "accent": "#ffae2a",
    "glow": "#ffd98c",
    "deep": "#8c4b00",
    "metal0": "#16181b",
    "metal1": "#2b2f34",
    "metal2": "#454a51",
    "metal3": "#6f767e",
    "hi": "#c3c9cf",
    "well0": "#dcd6c8",
    "well1": "#bdb5a3",
    "well_edge": "#5e5748",
    "column0": "#25282c",
    "column1": "#3a3e44",
    "bar0": "#2c2410",
    "bar1": "#5a4210",
}
NIGHT = {
    "name": "night",
    "accent": "#8d6cff",
    "glow": "#cbbaff",
    "deep": "#3a1f96",
    "metal0": "#121022",
    "metal1": "#24213b",
    "metal2": "#3a3658",
    "metal3": "#635d8c",
    "hi": "#b3acd8",
    "well0": "#d6d2ec",
    "well1": "#b5aed2",
    "well_edge": "#4a4470",
    "column0": "#bdb5de",
    "column1": "#a49bcc",
    "bar0": "#d9ceff",
    "bar1": "#a995ff",
}
SCHEMES = (DAY, NIGHT)


def metal_fill(svg, p, pressed=False):
    """Vertical brushed-metal gradient; `pressed` turns the light to the bottom (pushed in)."""
    stops = [(0, p["metal3"]), (0.45, p["metal2"]), (1, p["metal1"])]
    if pressed:
        stops = [(0, p["metal0"]), (0.55, p["metal1"]), (1, p["metal2"])]
    return svg.linear(stops)


def plate(svg, p, x, y, w, h, rx=4, pressed=False):
    """A metal plate with a one-pixel bevel: light at the top left, dark at the bottom right (inverted
    when pressed)."""
    svg.rect(x, y, w, h, metal_fill(svg, p, pressed), rx=rx, stroke=p["metal0"], stroke_width=1.0)
    light, dark = (p["metal0"], p["hi"]) if pressed else (p["hi"], p["metal0"])
    svg.path(_bevel_path(x + 1, y + 1, w - 2, h - 2, rx, top=True), stroke=light, stroke_width=1.0,
             stroke_opacity=0.55)
    svg.path(_bevel_path(x + 1, y + 1, w - 2, h - 2, rx, top=False), stroke=dark, stroke_width=1.0,
             stroke_opacity=0.6)


def _bevel_path(x, y, w, h, rx, top):
    r = max(0.0, min(rx - 1, w / 2, h / 2))
    if top:
        return (f"M{x:.1f},{y + h - r:.1f} L{x:.1f},{y + r:.1f} Q{x:.1f},{y:.1f} {x + r:.1f},{y:.1f} "
                f"L{x + w - r:.1f},{y:.1f}")
    return (f"M{x + w:.1f},{y + r:.1f} L{x + w:.1f},{y + h - r:.1f} Q{x + w:.1f},{y + h:.1f} "
            f"{x + w - r:.1f},{y + h:.1f} L{x + r:.1f},{y + h:.1f}")


def well(svg, p, x, y, w, h, rx=6):
    """A light inset area that carries dark text: sunk edge, dark rim at the top left."""
    svg.rect(x, y, w, h, svg.linear([(0, p["well1"]), (0.08, p["well0"]), (1, p["well1"])]), rx=rx,
             stroke=p["well_edge"], stroke_width=1.5)
    svg.path(_bevel_path(x + 1.5, y + 1.5, w - 3, h - 3, rx, top=True), stroke="#000000",
             stroke_width=1.5, stroke_opacity=0.3)
    svg.path(_bevel_path(x + 0.5, y + 0.5, w - 1, h - 1, rx, top=False), stroke="#ffffff",
             stroke_width=1.0, stroke_opacity=0.35)


def rivet(svg, p, cx, cy, r=2.5):
    svg.circle(cx, cy, r + 0.8, p["metal0"], fill_opacity=0.7)
    svg.circle(cx, cy, r, svg.radial([(0, p["hi"]), (0.6, p["metal3"]), (1, p["metal1"])], fx=0.35,
                                     fy=0.3))


def brushed(svg, p, x, y, w, h, seed, density=0.5):
    """Faint horizontal streaks of brushed metal over a rectangle."""
    rnd = Lcg(seed)
    count = int(h * density)
    for _ in range(count):
        yy = y + rnd.uniform(0, h)
        x0 = x + rnd.uniform(0, w * 0.6)
        length = rnd.uniform(w * 0.15, w * 0.6)
        color = p["hi"] if rnd.next() < 0.5 else "#000000"
        svg.line(x0, yy, min(x + w, x0 + length), yy, color, 0.6,
                 stroke_opacity=round(rnd.uniform(0.04, 0.12), 2))


def glow(svg, color, cx, cy, r, strength=0.85):
    """A soft round glow (radial gradient to transparent)."""
    svg.circle(cx, cy, r, svg.radial([(0, color, strength), (0.45, color, strength * 0.45), (1, color, 0)]))


def lamp(svg, p, cx, cy, r, lit, color=None):
    """A round indicator lamp in a dark socket; lit lamps glow."""
    color = color or p["accent"]
    svg.circle(cx, cy, r + 1.2, p["metal0"])
    if lit:
        glow(svg, color, cx, cy, r * 2.4, 0.5)
        svg.circle(cx, cy, r, svg.radial([(0, "#ffffff"), (0.35, color), (1, p["deep"])], fx=0.4, fy=0.35))
    else:
        svg.circle(cx, cy, r, svg.radial([(0, p["metal2"]), (1, p["metal0"])], fx=0.4, fy=0.35))


def star_points(cx, cy, outer, inner, spikes=5, turn=-90.0):
    points = []
    for i in range(spikes * 2):
        radius = outer if i % 2 == 0 else inner
        angle = math.radians(turn + i * 180.0 / spikes)
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def gear_path(cx, cy, outer, inner, teeth, phase_deg):
    """Outline of a toothed wheel turned by `phase_deg`."""
    steps = []
    for i in range(teeth):
        base = math.radians(phase_deg + i * 360.0 / teeth)
        span = math.radians(360.0 / teeth)
        for frac, radius in ((0.0, inner), (0.18, outer), (0.5, outer), (0.68, inner)):
            a = base + span * frac
            steps.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    d = "M" + " L".join(f"{x:.2f},{y:.2f}" for x, y in steps) + " Z"
    return d
