"""The 818 x 741 border around the menu panel and its window-shape mask.

The window's outline is a union of rounded rectangles: the frame around the 638 x 482 panel hole at
(85, 173), one plate per border animation, and the round close ornament. The mask paints exactly these
shapes white on black, so the border and its mask always agree."""
from .anims import SIZES, draw_frame
from .parts import brushed, glow, lamp, rivet

WIDTH, HEIGHT = 818, 741
PANEL = (85, 173, 638, 482)
FRAME = (40, 128, 728, 572, 18)
CLOSE = (746, 182, 40, 40)
# Where each clip plays: clip number -> (left, top) of its control.
CLIP_AT = {4: (45, 104), 5: (0, 445), 1: (67, 655), 3: (603, 656), 7: (723, 495), 6: (723, 226),
           9: (368, 55), 10: (636, 77), 2: (516, 687), 8: (0, 0)}
# Plates that join the close ornament and the animations to the frame.
BRIDGES = [(736, 172, 60, 60, 14), (300, 100, 80, 40, 8), (606, 100, 40, 40, 8), (150, 160, 40, 20, 4),
           (160, 696, 362, 22, 6), (550, 694, 66, 22, 6)]


def shapes():
    """Every rounded rectangle (x, y, w, h, radius) of the window's outline."""
    result = [FRAME] + BRIDGES
    for clip, (x, y) in CLIP_AT.items():
        w, h = SIZES[clip]
        result.append((x, y, w, h, 6))
    x, y, w, h = CLOSE
    result.append((x, y, w, h, w / 2))
    return result


def mask(svg):
    svg.rect(0, 0, WIDTH, HEIGHT, "#000000")
    for x, y, w, h, r in shapes():
        svg.rect(x, y, w, h, "#ffffff", rx=r)


def border(svg, p):
    """Brushed steel frame with a bevelled lip around the panel hole, rivets along the frame, cable ducts,
    amber and violet lamps, the close ornament, and the first frame of every animation in its place."""
    for x, y, w, h, r in [FRAME] + BRIDGES:
        svg.rect(x, y, w, h, svg.linear([(0, p["metal3"]), (0.5, p["metal2"]), (1, p["metal1"])]), rx=r,
                 stroke=p["metal0"], stroke_width=1.5)
    fx, fy, fw, fh, _ = FRAME
    brushed(svg, p, fx + 4, fy + 4, fw - 8, fh - 8, 741, density=0.35)
    svg.rect(fx + 1.5, fy + 1.5, fw - 3, fh - 3, "none", rx=17, stroke=p["hi"], stroke_width=1.0,
             stroke_opacity=0.45)
    # Lip around the panel: a dark channel with an accent line, then the hole itself (the panel covers it).
    px, py, pw, ph = PANEL
    svg.rect(px - 9, py - 9, pw + 18, ph + 18, p["metal0"], rx=8)
    svg.rect(px - 6, py - 6, pw + 12, ph + 12, "none", rx=6, stroke=p["accent"], stroke_width=1.2,
             stroke_opacity=0.55)
    svg.rect(px - 3, py - 3, pw + 6, ph + 6, "#000000", rx=3)
    # Rivets along the frame.
    for i in range(12):
        x = fx + 60 + i * (fw - 120) / 11
        rivet(svg, p, x, fy + 9, 2.4)
        rivet(svg, p, x, fy + fh - 9, 2.4)
    for i in range(9):
        y = fy + 60 + i * (fh - 120) / 8
        if y > 320:  # above that the tube machine covers the left side
            rivet(svg, p, fx + 9, y, 2.4)
        rivet(svg, p, fx + fw - 9, y, 2.4)
    # Cable ducts between the machines.
    for x1, y1, x2, y2 in ((314, 118, 368, 118), (618, 118, 636, 118), (168, 707, 516, 707),
                           (555, 705, 610, 705), (760, 437, 760, 495)):
        svg.line(x1, y1, x2, y2, p["metal0"], 7.0, stroke_linecap="round")
        svg.line(x1, y1, x2, y2, p["metal3"], 3.0, stroke_linecap="round")
    # Lamps on the frame.
    for i, x in enumerate((230, 280, 330, 380, 430, 480)):
        lamp(svg, p, x, 678, 3, i % 2 == 0, "#9a7bff" if i % 3 == 2 else None)
    # The close ornament: a round red button in a steel ring.
    cx, cy = CLOSE[0] + 20, CLOSE[1] + 20
    svg.circle(cx, cy, 20, svg.linear([(0, p["hi"]), (1, p["metal1"])]), stroke=p["metal0"], stroke_width=1)
    svg.circle(cx, cy, 15, p["metal0"])
    glow(svg, "#ff4030", cx, cy, 15, 0.5)
    svg.circle(cx, cy, 11, svg.radial([(0, "#ffb0a0"), (0.45, "#e02818"), (1, "#5a0800")], fx=0.4, fy=0.35))
    for a, b in (((-4.5, -4.5), (4.5, 4.5)), ((4.5, -4.5), (-4.5, 4.5))):
        svg.line(cx + a[0], cy + a[1], cx + b[0], cy + b[1], "#ffffff", 2.2, stroke_linecap="round",
                 stroke_opacity=0.85)
    # Each machine as it stands before its clip first plays.
    for clip, (x, y) in CLIP_AT.items():
        svg.group(f"translate({x} {y})")
        draw_frame(svg, clip, 0)
        svg.end()
