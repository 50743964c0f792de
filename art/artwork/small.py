"""The small pictures of the main list: flags, spot lamps, arrows, the highlight bar, the quick-run
icons and the settings switches. Each function draws one picture into `svg` for the scheme `p`."""
from .parts import gear_path, glow, lamp, plate, rivet


# -- flags (32 x 32 badges) ------------------------------------------------------------------------------
def badge(svg, p):
    """Round metal badge with a dark face; the flag's symbol sits inside the face (radius 11)."""
    svg.circle(16, 17, 15, "#000000", fill_opacity=0.4)
    svg.circle(16, 16, 15, svg.linear([(0, p["hi"]), (0.5, p["metal3"]), (1, p["metal1"])]),
               stroke=p["metal0"], stroke_width=1.0)
    svg.circle(16, 16, 12, svg.radial([(0, p["metal2"]), (1, p["metal0"])], fy=0.3, fx=0.45),
               stroke=p["accent"], stroke_width=0.8, stroke_opacity=0.6)


def flag_playable(svg, p):
    badge(svg, p)
    glow(svg, "#4cff6a", 16, 16, 11, 0.35)
    svg.polyline([(9.5, 16.5), (14, 21), (22.5, 11)], "#0c3d14", 4.6, stroke_linecap="round",
                 stroke_linejoin="round")
    svg.polyline([(9.5, 16.5), (14, 21), (22.5, 11)], "#5cf27a", 2.8, stroke_linecap="round",
                 stroke_linejoin="round")


def flag_unplayable(svg, p):
    badge(svg, p)
    glow(svg, "#ff4040", 16, 16, 11, 0.35)
    for a, b in (((11, 11), (21, 21)), ((21, 11), (11, 21))):
        svg.line(*a, *b, "#4a0808", 4.6, stroke_linecap="round")
        svg.line(*a, *b, "#ff5a4a", 2.8, stroke_linecap="round")


def flag_cz(svg, p):
    badge(svg, p)
    # The Czech flag: white over red with a blue wedge from the hoist, on a small waving sheet.
    svg.rect(6.5, 10, 19, 6, "#f4f4f4")
    svg.rect(6.5, 16, 19, 6, "#d7141a")
    svg.polygon([(6.5, 10), (15, 16), (6.5, 22)], "#11457e")
    svg.rect(6.5, 10, 19, 12, "none", stroke=p["metal0"], stroke_width=0.8)


def flag_net(svg, p):
    badge(svg, p)

    def computer(x, y):
        svg.rect(x, y, 9, 7, p["hi"], rx=1, stroke=p["metal0"], stroke_width=0.6)
        svg.rect(x + 1.3, y + 1.3, 6.4, 4.4, p["accent"], fill_opacity=0.85)
        svg.rect(x + 3, y + 7, 3, 1.5, p["hi"])
        svg.rect(x + 1, y + 8.5, 7, 1.2, p["hi"])

    computer(6, 8)
    computer(17, 15)
    svg.polyline([(10.5, 18), (10.5, 22), (17, 22)], p["glow"], 1.4)
    svg.circle(10.5, 22, 1.3, p["glow"])


def flag_3d(svg, p):
    badge(svg, p)
    svg.polygon([(16, 7.5), (24, 11.5), (16, 15.5), (8, 11.5)], p["glow"], stroke=p["metal0"],
                stroke_width=0.7)
    svg.polygon([(8, 11.5), (16, 15.5), (16, 25), (8, 21)], p["accent"], stroke=p["metal0"],
                stroke_width=0.7)
    svg.polygon([(24, 11.5), (16, 15.5), (16, 25), (24, 21)], p["deep"], stroke=p["metal0"],
                stroke_width=0.7)


def flag_empty(svg, p):
    badge(svg, p)


# -- spot lamps (33 x 33, under the three hot areas at the panel's lower left) ---------------------------
def _spot(svg, p, symbol):
    glow(svg, p["accent"], 16.5, 16.5, 16.5, 0.55)
    svg.circle(16.5, 16.5, 11, svg.radial([(0, "#ffffff"), (0.3, p["glow"]), (1, p["accent"])], fx=0.4,
                                          fy=0.35), stroke=p["deep"], stroke_width=1.0)
    symbol(svg, p["deep"])


def spot_exit(svg, p):
    def symbol(s, ink):  # the power sign
        s.path("M12.8,12.2 A6,6 0 1 0 20.2,12.2", stroke=ink, stroke_width=2.0, stroke_linecap="round")
        s.line(16.5, 9.5, 16.5, 16.5, ink, 2.0, stroke_linecap="round")

    _spot(svg, p, symbol)


def spot_setting(svg, p):
    def symbol(s, ink):
        s.path(gear_path(16.5, 16.5, 7.2, 5.2, 8, 0), ink)
        s.circle(16.5, 16.5, 2.2, p["glow"])

    _spot(svg, p, symbol)


def spot_indigo(svg, p):
    def symbol(s, ink):  # sun and moon halves: the colour scheme
        s.path("M16.5,9.5 A7,7 0 0 0 16.5,23.5 Z", ink)
        s.path("M16.5,9.5 A7,7 0 0 1 16.5,23.5", stroke=ink, stroke_width=1.5)

    _spot(svg, p, symbol)


# -- decorative arrows (24 x 20) that ride the groove at the panel's left edge ---------------------------
def side_arrow(svg, p, tilt):
    svg.group(f"rotate({tilt} 12 10)")
    glow(svg, p["accent"], 13, 10, 11, 0.45)
    svg.polygon([(3, 4), (14, 4), (14, 0.8), (22.5, 10), (14, 19.2), (14, 16), (3, 16)],
                svg.linear([(0, p["glow"]), (1, p["accent"])]), stroke=p["deep"], stroke_width=1.0,
                stroke_linejoin="round")
    svg.line(4.5, 6, 13, 6, "#ffffff", 1.0, stroke_opacity=0.6)
    svg.end()


# -- list highlight (135 x 28): a soft bar of light ------------------------------------------------------
def highlight(svg, p):
    for inset, strength in ((0, 0.12), (1, 0.18), (2, 0.28)):
        svg.rect(inset, inset, 135 - 2 * inset, 28 - 2 * inset, p["accent"], rx=14 - inset,
                 fill_opacity=strength)
    svg.rect(3, 4, 129, 20, svg.linear([(0, p["bar1"]), (0.5, p["bar0"]), (1, p["bar1"])]), rx=9,
             fill_opacity=0.92, stroke=p["accent"], stroke_width=1.2)
    svg.rect(8, 5.5, 119, 4, "#ffffff", rx=2, fill_opacity=0.14)


# -- column and list arrows (16 x 14) --------------------------------------------------------------------
def small_arrow(svg, p, down, hover):
    # Dim amber (or violet) at rest so that it reads on the light list well and on the dark cover alike.
    if hover:
        glow(svg, p["accent"], 8, 7, 8, 0.7)
    fill = [(0, p["glow"]), (1, p["accent"])] if hover else [(0, p["accent"]), (1, p["deep"])]
    points = [(2, 3.5), (14, 3.5), (8, 11.5)] if down else [(2, 10.5), (14, 10.5), (8, 2.5)]
    svg.polygon(points, svg.linear(fill), stroke=p["metal0"], stroke_width=1.2, stroke_linejoin="round")


# -- quick-run icon (16 x 28) ----------------------------------------------------------------------------
def quick_run(svg, p, hover):
    if hover:
        glow(svg, p["accent"], 8, 14, 9, 0.7)
    svg.polygon([(3.5, 7.5), (13.5, 14), (3.5, 20.5)],
                svg.linear([(0, p["glow"]), (1, p["accent"])]) if hover else p["accent"],
                stroke=p["metal0"], stroke_width=1.2, stroke_linejoin="round")


# -- settings switch (16 x 28): a toggle lever with its lamp ---------------------------------------------
def switch(svg, p, on, hover):
    plate(svg, p, 1, 1, 14, 26, rx=4)
    svg.rect(5, 5, 6, 18, p["metal0"], rx=3)
    lamp(svg, p, 8, 24, 1.6, on, "#5cf27a" if on else None)
    knob_y = 9 if on else 19
    svg.line(8, 14, 8, knob_y, p["hi"], 2.0)
    fill = svg.radial([(0, "#ffffff"), (0.5, p["glow"] if hover else p["hi"]), (1, p["metal2"])],
                      fx=0.35, fy=0.3)
    svg.circle(8, knob_y, 3.4, fill, stroke=p["metal0"], stroke_width=0.8)
    if hover:
        svg.rect(1.5, 1.5, 13, 25, "none", rx=3.5, stroke=p["accent"], stroke_width=1.0)
    rivet(svg, p, 8, 3, 1)


# -- gallery arrows (44 x 72) ----------------------------------------------------------------------------
def gallery_arrow(svg, p, right):
    svg.group(None if right else "translate(44 0) scale(-1 1)")
    plate(svg, p, 1, 1, 42, 70, rx=10)
    glow(svg, p["accent"], 22, 36, 20, 0.5)
    svg.polygon([(13, 16), (33, 36), (13, 56), (13, 46), (22, 36), (13, 26)],
                svg.linear([(0, p["glow"]), (1, p["accent"])]), stroke=p["deep"], stroke_width=1.2,
                stroke_linejoin="round")
    for y in (6, 66):
        rivet(svg, p, 22, y, 1.8)
    svg.end()


def gallery_close(svg, p):
    """The gallery's way back to the menu (44 x 44): the arrows' plate with a cross in their colours."""
    plate(svg, p, 1, 1, 42, 42, rx=10)
    glow(svg, p["accent"], 22, 22, 17, 0.5)
    arm = [(-3.5, -13), (3.5, -13), (3.5, 13), (-3.5, 13)]
    for angle in (45, -45):
        svg.group(f"translate(22 22) rotate({angle})")
        svg.polygon(arm, svg.linear([(0, p["glow"]), (1, p["accent"])]), stroke=p["deep"], stroke_width=1.2,
                    stroke_linejoin="round")
        svg.end()
    for x in (7, 37):
        rivet(svg, p, x, 7, 1.6)


# -- message box kinds (32 x 32 badges beside a message's text) -------------------------------------------
def kind_error(svg, p):
    flag_unplayable(svg, p)


def kind_warning(svg, p):
    badge(svg, p)
    glow(svg, "#ffc23a", 16, 17, 11, 0.3)
    svg.polygon([(16, 7), (25.5, 23.5), (6.5, 23.5)], "#ffc23a", stroke="#4a3000", stroke_width=1.2,
                stroke_linejoin="round")
    svg.line(16, 12.5, 16, 18, "#3a2600", 2.4, stroke_linecap="round")
    svg.circle(16, 21.2, 1.3, "#3a2600")


def kind_information(svg, p):
    badge(svg, p)
    glow(svg, p["glow"], 16, 16, 11, 0.3)
    svg.circle(16, 10.2, 1.9, p["glow"])
    svg.polyline([(13.5, 14), (16.5, 14), (16.5, 22.5)], p["glow"], 2.6, stroke_linecap="round",
                 stroke_linejoin="round")
    svg.line(13.5, 22.5, 19.5, 22.5, p["glow"], 2.2, stroke_linecap="round")


def kind_question(svg, p):
    badge(svg, p)
    glow(svg, p["accent"], 16, 16, 11, 0.35)
    svg.path("M11.5,12.5 Q11.5,8 16,8 Q20.5,8 20.5,12 Q20.5,14.5 17.8,15.8 Q16,16.8 16,19", "none",
             stroke=p["glow"], stroke_width=2.6, stroke_linecap="round", stroke_linejoin="round")
    svg.circle(16, 22.8, 1.6, p["glow"])


KINDS = {"error": kind_error, "warning": kind_warning, "information": kind_information,
         "question": kind_question}
