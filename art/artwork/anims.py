"""The ten small machines bolted onto the border, 16 frames each, looping (frame 16 would be frame 0).
Every frame paints its whole box: a metal plate, then the moving parts. Frame 0 is also painted into the
border picture, so a clip that has not played yet looks like its first frame.

Clip n is the window design's "AVIn"; `SIZES[n]` is its frame size in pixels."""
import math

from .parts import DAY, gear_path, plate, rivet

FRAMES = 16
SIZES = {1: (98, 86), 2: (39, 54), 3: (121, 41), 4: (40, 205), 5: (85, 88), 6: (95, 211), 7: (95, 192),
         8: (314, 173), 9: (250, 118), 10: (144, 96)}

# The border has one look for both colour schemes: steel with amber lamps and a few violet ones.
P = dict(DAY)
VIOLET = "#9a7bff"
GREEN = "#62f07e"
RED = "#ff5a4a"


def _glow(svg, color, cx, cy, r, w, h, strength=0.8):
    # Kept inside the frame: a glow that spilled over would paint into the neighbouring frame of the strip.
    r = min(r, cx, cy, w - cx, h - cy)
    if r > 0:
        svg.circle(cx, cy, r, svg.radial([(0, color, strength), (0.4, color, strength * 0.4), (1, color, 0)]))


def _lamp(svg, cx, cy, r, level, color, w, h):
    """A lamp lit to `level` (0 dark .. 1 full)."""
    svg.circle(cx, cy, r + 1.2, P["metal0"])
    svg.circle(cx, cy, r, svg.radial([(0, P["metal2"]), (1, P["metal0"])], fx=0.4, fy=0.35))
    if level > 0.02:
        _glow(svg, color, cx, cy, r * 2.6, w, h, 0.55 * level)
        svg.group(opacity=round(level, 2))
        svg.circle(cx, cy, r, svg.radial([(0, "#ffffff"), (0.35, color), (1, color, 0.3)], fx=0.4, fy=0.35))
        svg.end()


def _base(svg, w, h):
    plate(svg, P, 0.5, 0.5, w - 1, h - 1, rx=6)
    for x, y in ((5, 5), (w - 5, 5), (5, h - 5), (w - 5, h - 5)):
        if w > 30 and h > 30:
            rivet(svg, P, x, y, 1.8)


def _screen(svg, x, y, w, h, tint):
    svg.rect(x - 2, y - 2, w + 4, h + 4, P["metal0"], rx=5)
    svg.rect(x, y, w, h, svg.radial([(0, tint, 0.35), (1, "#000000")]), rx=4)


def _gear(svg, cx, cy, outer, teeth, angle, spokes, color=None):
    svg.path(gear_path(cx, cy, outer, outer - 3.5, teeth, angle), color or P["metal3"], stroke=P["metal0"],
             stroke_width=1.0)
    svg.circle(cx, cy, outer - 6, P["metal1"], stroke=P["metal0"], stroke_width=0.8)
    for i in range(spokes):
        a = math.radians(angle + i * 360.0 / spokes)
        svg.line(cx, cy, cx + (outer - 6.5) * math.cos(a), cy + (outer - 6.5) * math.sin(a), P["metal3"], 2.5)
    svg.circle(cx, cy, 3.2, P["hi"], stroke=P["metal0"], stroke_width=0.8)


def _pulse(t, phase=0.0):
    """0..1..0 once per loop."""
    return 0.5 - 0.5 * math.cos(2 * math.pi * (t + phase))


# -- the clips --------------------------------------------------------------------------------------------
def clip1(svg, t, w, h):  # twin gears meshing
    _base(svg, w, h)
    turn = t * 360.0 / 12 * 4
    _gear(svg, 34, 44, 24, 12, turn, 3)
    _gear(svg, 71, 34, 16, 8, -turn * 12 / 8 + 22.5, 2, P["hi"])
    _lamp(svg, 82, 70, 3.5, _pulse(t), P["accent"], w, h)


def clip2(svg, t, w, h):  # a beacon that blinks twice per loop
    _base(svg, w, h)
    svg.rect(12, 36, 15, 12, P["metal1"], rx=2, stroke=P["metal0"], stroke_width=1.0)
    level = 1.0 if (t * FRAMES) % 8 < 3 else 0.0
    _lamp(svg, 19.5, 24, 8, level, RED, w, h)
    svg.path("M11.5,24 A8,8 0 0 1 27.5,24", stroke=P["hi"], stroke_width=1.0, stroke_opacity=0.5)


def clip3(svg, t, w, h):  # a running row of lamps
    _base(svg, w, h)
    svg.rect(8, 11, w - 16, 19, P["metal0"], rx=9)
    count = 8
    lead = int(t * FRAMES) % count
    for i in range(count):
        distance = (lead - i) % count
        level = {0: 1.0, 1: 0.55, 2: 0.25}.get(distance, 0.0)
        _lamp(svg, 17 + i * 12.3, 20.5, 4, level, P["accent"] if i % 4 else VIOLET, w, h)


def clip4(svg, t, w, h):  # a glass tube with a scanning bar going down and up
    _base(svg, w, h)
    svg.rect(11, 14, 18, h - 28, P["metal0"], rx=9)
    svg.rect(13, 16, 14, h - 32, svg.linear([(0, "#101a24"), (0.5, "#243545"), (1, "#101a24")], x2=1, y2=0),
             rx=7)
    travel = h - 52
    y = 22 + travel * _pulse(t, 0.5)
    svg.rect(13, y, 14, 8, svg.linear([(0, P["accent"], 0), (0.5, P["glow"]), (1, P["accent"], 0)]), rx=3)
    _glow(svg, P["accent"], 20, y + 4, 13, w, h, 0.5)
    svg.line(16, 18, 16, h - 18, "#ffffff", 1.0, stroke_opacity=0.2)
    _lamp(svg, 20, 7.5, 2.5, _pulse(t), GREEN, w, h)
    _lamp(svg, 20, h - 7.5, 2.5, _pulse(t, 0.5), GREEN, w, h)


def clip5(svg, t, w, h):  # a single large cog
    _base(svg, w, h)
    _gear(svg, 42.5, 44, 33, 16, t * 360.0 / 16 * 4, 4)
    svg.circle(42.5, 44, 6, P["metal1"], stroke=P["accent"], stroke_width=1.5)


def clip6(svg, t, w, h):  # a pressure gauge and a pumping piston
    _base(svg, w, h)
    cx, cy, r = 47.5, 52, 32
    svg.circle(cx, cy, r + 4, P["metal0"])
    svg.circle(cx, cy, r, svg.radial([(0, "#f1ead8"), (1, "#b9ae94")]))
    for i in range(9):
        a = math.radians(135 + i * 33.75)
        svg.line(cx + (r - 7) * math.cos(a), cy + (r - 7) * math.sin(a), cx + (r - 2) * math.cos(a),
                 cy + (r - 2) * math.sin(a), "#3a3020" if i < 7 else "#c02010", 1.6)
    a = math.radians(150 + 200 * _pulse(t))
    svg.line(cx, cy, cx + (r - 6) * math.cos(a), cy + (r - 6) * math.sin(a), "#c02010", 2.0,
             stroke_linecap="round")
    svg.circle(cx, cy, 3.5, P["metal1"])
    # Piston in its cylinder below the gauge.
    svg.rect(31, 98, 33, 96, P["metal0"], rx=5)
    svg.rect(34, 101, 27, 90, svg.linear([(0, P["metal1"]), (0.5, P["metal2"]), (1, P["metal1"])], x2=1,
                                         y2=0))
    top = 112 + 50 * _pulse(t)
    svg.rect(36, top, 23, 14, svg.linear([(0, P["hi"]), (1, P["metal3"])]), rx=2)
    svg.rect(44.5, top + 14, 6, 186 - top - 14, P["metal3"])
    _lamp(svg, 80, 104, 3, 1.0 if t < 0.5 else 0.0, P["accent"], w, h)
    _lamp(svg, 80, 118, 3, 0.0 if t < 0.5 else 1.0, VIOLET, w, h)


def clip7(svg, t, w, h):  # a level meter with five bars
    _base(svg, w, h)
    _screen(svg, 14, 14, 67, h - 40, "#1c2a18")
    for i in range(5):
        level = 0.25 + 0.7 * _pulse(t * (1 + i % 3), i * 0.21)
        cells = 14
        lit = int(level * cells)
        for c in range(cells):
            y = 14 + (h - 44) - (c + 1) * ((h - 44) / cells) + 2
            color = GREEN if c < 9 else (P["accent"] if c < 12 else RED)
            svg.rect(18 + i * 12.5, y, 9, (h - 44) / cells - 2.5, color, fill_opacity=0.95 if c < lit else 0.12)
    _lamp(svg, 47.5, h - 14, 3.5, _pulse(t), P["accent"], w, h)


def clip8(svg, t, w, h):  # the large corner: a train of cogs, a scanner window and a lamp row
    _base(svg, w, h)
    turn = t * 360.0 / 16 * 4
    # Kept above y 100 left of x 90, where the tube clip's plate overlaps this one.
    _gear(svg, 52, 50, 36, 16, turn, 4)
    _gear(svg, 99.2, 77.25, 22, 10, -turn * 16 / 10 + 18, 5, P["hi"])
    _gear(svg, 110.3, 107.8, 14, 8, turn * 16 / 8, 2)
    # Scanner window.
    _screen(svg, 134, 26, 162, 62, "#2a1a05")
    x = 138 + 148 * _pulse(t)
    svg.rect(x - 6, 28, 12, 58, svg.linear([(0, P["accent"], 0), (0.5, P["glow"]), (1, P["accent"], 0)],
                                           x2=1, y2=0))
    for i in range(9):
        svg.line(140 + i * 18, 32, 140 + i * 18, 82, P["accent"], 0.6, stroke_opacity=0.35)
    # Lamp row.
    svg.rect(134, 106, 162, 22, P["metal0"], rx=11)
    lead = int(t * FRAMES) % 8
    for i in range(8):
        _lamp(svg, 145 + i * 20, 117, 5, 1.0 if i == lead else (0.4 if (lead - i) % 8 == 1 else 0.0),
              VIOLET if i % 2 else P["accent"], w, h)
    # A pipe down to the frame.
    svg.rect(134, 142, 170, 10, svg.linear([(0, P["hi"]), (0.5, P["metal3"]), (1, P["metal1"])]), rx=5)
    for x in (170, 230, 290):
        svg.rect(x, 139, 6, 16, P["metal2"], rx=1, stroke=P["metal0"], stroke_width=0.8)


def clip9(svg, t, w, h):  # an oscilloscope
    _base(svg, w, h)
    _screen(svg, 12, 12, w - 24, h - 38, "#0a2a12")
    for i in range(1, 8):
        x = 12 + i * (w - 24) / 8
        svg.line(x, 13, x, h - 27, GREEN, 0.5, stroke_opacity=0.25)
    for i in range(1, 4):
        y = 12 + i * (h - 38) / 4
        svg.line(13, y, w - 13, y, GREEN, 0.5, stroke_opacity=0.25)
    points = []
    mid = 12 + (h - 38) / 2
    for i in range(0, 113):
        x = 14 + i * (w - 28) / 112
        phase = 2 * math.pi * (i / 112.0 * 3 - t)
        points.append((x, mid + 22 * math.sin(phase) * (0.6 + 0.4 * math.cos(phase / 3))))
    svg.polyline(points, GREEN, 3.0, stroke_opacity=0.3)
    svg.polyline(points, "#c8ffd0", 1.2)
    for i in range(4):
        _lamp(svg, 30 + i * 20, h - 13, 3, _pulse(t, i * 0.25), P["accent"], w, h)
    for i in range(3):
        svg.circle(w - 70 + i * 24, h - 13, 6, P["metal3"], stroke=P["metal0"], stroke_width=1.0)
        a = math.radians(t * 360 * (1 if i % 2 else -1) + i * 40)
        svg.line(w - 70 + i * 24, h - 13, w - 70 + i * 24 + 5 * math.cos(a), h - 13 + 5 * math.sin(a),
                 P["metal0"], 1.5)


def clip10(svg, t, w, h):  # a radar screen
    _base(svg, w, h)
    cx, cy, r = 48, 48, 38
    svg.circle(cx, cy, r + 3, P["metal0"])
    svg.circle(cx, cy, r, svg.radial([(0, "#0e3a18"), (1, "#03120a")]))
    for rr in (12, 24, 36):
        svg.circle(cx, cy, rr, "none", stroke=GREEN, stroke_width=0.6, stroke_opacity=0.35)
    a = 2 * math.pi * t - math.pi / 2
    for k in range(6):
        b = a - k * 0.12
        svg.polygon([(cx, cy), (cx + r * math.cos(b), cy + r * math.sin(b)),
                     (cx + r * math.cos(b - 0.12), cy + r * math.sin(b - 0.12))], GREEN,
                    fill_opacity=round(0.5 * (1 - k / 6), 2))
    svg.line(cx, cy, cx + r * math.cos(a), cy + r * math.sin(a), "#c8ffd0", 1.5)
    blip = 1.0 - ((t - 0.3) % 1.0)
    svg.circle(cx + 20, cy - 12, 2.5, GREEN, fill_opacity=round(max(0.0, blip - 0.2), 2))
    for i in range(3):
        _lamp(svg, 112, 22 + i * 22, 5, 1.0 if int(t * FRAMES) // 4 % 3 == i else 0.15,
              [P["accent"], VIOLET, GREEN][i], w, h)


CLIPS = {1: clip1, 2: clip2, 3: clip3, 4: clip4, 5: clip5, 6: clip6, 7: clip7, 8: clip8, 9: clip9,
         10: clip10}


def draw_frame(svg, clip, frame):
    """Paints frame `frame` (0..15) of clip `clip` at the origin of the current group."""
    w, h = SIZES[clip]
    CLIPS[clip](svg, frame / float(FRAMES), w, h)
