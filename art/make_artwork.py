#!/usr/bin/env python3
"""Writes the menu's artwork as SVG files into the folder given as the only argument.

    main/NNN.svg       the main image list DIBImageList1, entries 000..119
    controls/NN.svg    the action buttons ControlsImageList, entries 00..29 (14 x 13 each)
    border/border.svg  the 818 x 741 border; border/mask.svg its window shape (white inside, black outside)
    anim/clipN.svg     clip "AVIn" (N = 1..10): 16 frames side by side
    dialogs/*.svg      dialog backgrounds (chooser.svg, unpack.svg, message.svg; *_night.svg for the night
                       scheme) and the message kinds' badges (kind_error.svg, ...)
    manifest.txt       every file with its width and height

The output depends on nothing but this code (no clock, no randomness), so rebuilding gives the same
bytes."""
import os
import re
import sys

sys.dont_write_bytecode = True  # keep the source folder clean when run at configure time
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artwork import anims, border, buttons, icons, panels, small  # noqa: E402
from artwork.parts import DAY, NIGHT, SCHEMES  # noqa: E402
from artwork.svg import Svg  # noqa: E402



def picture_indices():
    """The pictures' indices by name, from the menu's own table of them."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "menu", "picture_index.h")
    with open(path, encoding="utf-8") as header:
        return {m.group(1): int(m.group(2)) for m in re.finditer(r"constexpr int (k\w+) = (\d+);", header.read())}


P = picture_indices()
MAIN_COUNT = 120
MESSAGE_W, MESSAGE_H = 360, 150
CONTROLS_COUNT = 30

# Page keys: first index -> symbol (four pictures: normal, pressed, night normal, night pressed).
ICON_GROUPS = {P["kDemosIcon"]: "Demos", P["kSoftwareIcon"]: "Software", P["kExtraIcon"]: "Extra",
               P["kUpdatesIcon"]: "Updates", P["kDriversIcon"]: "Drivers", P["kInstalledIcon"]: "Installed",
               P["kShotsIcon"]: "Shots", P["kReadersIcon"]: "Readers", P["kTrailersIcon"]: "Trailers",
               P["kQuillonIcon"]: "Quillon"}
# Single pictures with a night variant at index + 1: index -> (width, height, draw(svg, scheme)).
SINGLES = {
    P["kBackground"]: (638, 482, lambda s, p: panels.background(s, p, simple=False)),
    P["kSimpleBackground"]: (638, 482, lambda s, p: panels.background(s, p, simple=True)),
    P["kPlayable"]: (32, 32, small.flag_playable),
    P["kUnplayable"]: (32, 32, small.flag_unplayable),
    P["kCZ"]: (32, 32, small.flag_cz),
    P["k3D"]: (32, 32, small.flag_3d),
    P["kNet"]: (32, 32, small.flag_net),
    P["kEmptyFlag"]: (32, 32, small.flag_empty),
    P["kExitSpot"]: (33, 33, small.spot_exit),
    P["kSetupSpot"]: (33, 33, small.spot_setting),
    P["kIndigoSpot"]: (33, 33, small.spot_indigo),
    P["kUpperArrow"]: (24, 20, lambda s, p: small.side_arrow(s, p, -8)),
    P["kLowerArrow"]: (24, 20, lambda s, p: small.side_arrow(s, p, 8)),
    P["kHighlight"]: (135, 28, small.highlight),
    P["kCoverDown"]: (115, 91, lambda s, p: panels.cover_down(s, p, simple=False)),
    P["kSimpleCoverDown"]: (115, 91, lambda s, p: panels.cover_down(s, p, simple=True)),
    P["kCoverUp"]: (100, 46, lambda s, p: panels.cover_up(s, p, simple=False)),
    P["kSimpleCoverUp"]: (100, 46, lambda s, p: panels.cover_up(s, p, simple=True)),
}
# Two-state pictures: index -> (width, height, draw(svg, scheme, second_state)); the second state
# (under the mouse) follows at + 1, the night pair at + 2 and + 3.
PAIRS = {
    P["kDownArrow"]: (16, 14, lambda s, p, hover: small.small_arrow(s, p, True, hover)),
    P["kUpArrow"]: (16, 14, lambda s, p, hover: small.small_arrow(s, p, False, hover)),
    P["kQuickRun"]: (16, 28, small.quick_run),
    P["kSwitchOff"]: (16, 28, lambda s, p, hover: small.switch(s, p, False, hover)),
    P["kSwitchOn"]: (16, 28, lambda s, p, hover: small.switch(s, p, True, hover)),
}
# Pictures without a night variant (the gallery).
DAY_ONLY = {
    P["kGalleryRight"]: (44, 72, lambda s: small.gallery_arrow(s, DAY, True)),
    P["kGalleryLeft"]: (44, 72, lambda s: small.gallery_arrow(s, DAY, False)),
    P["kGalleryFrame"]: (638, 482, lambda s: panels.gallery_frame(s, DAY)),
    P["kGalleryClose"]: (44, 44, lambda s: small.gallery_close(s, DAY)),
}


def picture(width, height, draw):
    svg = Svg(width, height)
    draw(svg)
    return svg


def main_pictures():
    """Index -> Svg for all 120 entries; the entries the window never shows are 1 x 1 and empty."""
    result = {}
    for first, name in ICON_GROUPS.items():
        glyph = icons.GLYPHS[name]
        for offset, (scheme, pressed) in enumerate(((DAY, False), (DAY, True), (NIGHT, False), (NIGHT, True))):
            result[first + offset] = picture(50, 50, lambda s, p=scheme, d=pressed: icons.draw_icon(s, p, glyph, d))
    for index, (w, h, draw) in SINGLES.items():
        for offset, scheme in enumerate(SCHEMES):
            result[index + offset] = picture(w, h, lambda s, p=scheme: draw(s, p))
    for index, (w, h, draw) in PAIRS.items():
        for offset, (scheme, hover) in enumerate(((DAY, False), (DAY, True), (NIGHT, False), (NIGHT, True))):
            result[index + offset] = picture(w, h, lambda s, p=scheme, o=hover: draw(s, p, o))
    for index, (w, h, draw) in DAY_ONLY.items():
        result[index] = picture(w, h, draw)
    for index in range(MAIN_COUNT):
        result.setdefault(index, Svg(1, 1))
    return result


def controls_pictures():
    """Index -> Svg for the 30 action-button entries: 15 x night + 6..9 plain, + 11..14 under the mouse."""
    result = {}
    for night, scheme in enumerate(SCHEMES):
        for k, draw in enumerate(buttons.BUTTONS):
            result[15 * night + 6 + k] = picture(14, 13, lambda s, p=scheme, d=draw: d(s, p, False))
            result[15 * night + 11 + k] = picture(14, 13, lambda s, p=scheme, d=draw: d(s, p, True))
    for index in range(CONTROLS_COUNT):
        result.setdefault(index, Svg(14, 13))
    return result


def clip_strip(clip):
    w, h = anims.SIZES[clip]
    svg = Svg(w * anims.FRAMES, h)
    for frame in range(anims.FRAMES):
        svg.group(f"translate({w * frame} 0)")
        anims.draw_frame(svg, clip, frame)
        svg.end()
    return svg


def all_files():
    """Relative path -> Svg, in the order of the manifest."""
    files = {}
    for index, svg in sorted(main_pictures().items()):
        files[f"main/{index:03d}.svg"] = svg
    for index, svg in sorted(controls_pictures().items()):
        files[f"controls/{index:02d}.svg"] = svg
    files["border/border.svg"] = picture(border.WIDTH, border.HEIGHT, lambda s: border.border(s, anims.P))
    files["border/mask.svg"] = picture(border.WIDTH, border.HEIGHT, border.mask)
    for clip in range(1, 11):
        files[f"anim/clip{clip}.svg"] = clip_strip(clip)
    # The chooser's native controls sit on the plate; the unpack window's three lines and percentage are
    # silver by day and black by night, hence a dark recess by day and a light well by night.
    for suffix, scheme in (("", DAY), ("_night", NIGHT)):
        files[f"dialogs/chooser{suffix}.svg"] = picture(
            323, 199, lambda s, p=scheme: panels.dialog(s, p, 323, 199, (8, 20, 307, 171), False, caption=True))
        files[f"dialogs/unpack{suffix}.svg"] = picture(
            426, 166, lambda s, p=scheme: panels.dialog(s, p, 426, 166, (14, 20, 398, 132), p is NIGHT))
        # Stretched by the front end to each box's size: only the middle and the edges between the corners
        # grow (see frontend/qt/message_dialog.cpp).
        files[f"dialogs/message{suffix}.svg"] = picture(
            MESSAGE_W, MESSAGE_H, lambda s, p=scheme: panels.dialog(
                s, p, MESSAGE_W, MESSAGE_H, (8, 22, MESSAGE_W - 16, MESSAGE_H - 66), False, caption=True))
        for kind, draw in small.KINDS.items():
            files[f"dialogs/kind_{kind}{suffix}.svg"] = picture(32, 32, lambda s, p=scheme, d=draw: d(s, p))
    return files


def write(out_dir):
    files = all_files()
    manifest = []
    for relative, svg in files.items():
        path = os.path.join(out_dir, *relative.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        data = svg.text().encode("ascii")
        # Leave unchanged files alone so that build steps depending on them stay up to date.
        if not os.path.exists(path) or open(path, "rb").read() != data:
            with open(path, "wb") as handle:
                handle.write(data)
        manifest.append(f"{relative} {svg.width} {svg.height}")
    manifest_text = ("\n".join(manifest) + "\n").encode("ascii")
    manifest_path = os.path.join(out_dir, "manifest.txt")
    if not os.path.exists(manifest_path) or open(manifest_path, "rb").read() != manifest_text:
        with open(manifest_path, "wb") as handle:
            handle.write(manifest_text)
    return len(files)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_artwork.py OUTPUT_DIR\n")
        return 2
    count = write(argv[1])
    print(f"make_artwork: {count} pictures in {argv[1]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
