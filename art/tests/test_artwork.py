"""Checks the generated artwork against what the window expects of it.

Run: python3 -m unittest discover -s art/tests  (from the repository root)."""
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "..", "make_artwork.py")
ICON_GENERATOR = os.path.join(HERE, "..", "make_icon.py")
NS = "{http://www.w3.org/2000/svg}"

# What QtSvg (SVG Tiny 1.2) draws; anything else would silently vanish in the window.
ALLOWED = {"svg", "defs", "g", "rect", "circle", "ellipse", "line", "polyline", "polygon", "path",
           "linearGradient", "radialGradient", "stop"}

# Sizes the window's controls give the pictures (left, top, width, height in the window's layout).
ICON_FIRSTS = (0, 4, 8, 12, 16, 20, 28, 32, 102, 106)
CLIP_SIZES = {1: (98, 86), 2: (39, 54), 3: (121, 41), 4: (40, 205), 5: (85, 88), 6: (95, 211),
              7: (95, 192), 8: (314, 173), 9: (250, 118), 10: (144, 96)}
CLIP_PLACES = {4: (45, 104), 5: (0, 445), 1: (67, 655), 3: (603, 656), 7: (723, 495), 6: (723, 226),
               9: (368, 55), 10: (636, 77), 2: (516, 687), 8: (0, 0)}


def expected_main_sizes():
    sizes = {}
    for first in ICON_FIRSTS:
        for k in range(4):
            sizes[first + k] = (50, 50)
    for index in (52, 96):
        sizes[index] = sizes[index + 1] = (638, 482)
    for index in (54, 56, 58, 60, 62, 118):
        sizes[index] = sizes[index + 1] = (32, 32)
    for index in (64, 66, 68):
        sizes[index] = sizes[index + 1] = (33, 33)
    for index in (70, 72):
        sizes[index] = sizes[index + 1] = (24, 20)
    sizes[74] = sizes[75] = (135, 28)
    sizes[76] = sizes[77] = (44, 72)
    sizes[78] = (638, 482)
    sizes[79] = (44, 44)
    for index, size in ((80, (16, 14)), (84, (16, 14)), (88, (16, 28)), (110, (16, 28)), (114, (16, 28))):
        for k in range(4):
            sizes[index + k] = size
    for index in (92, 98):
        sizes[index] = sizes[index + 1] = (115, 91)
    for index in (94, 100):
        sizes[index] = sizes[index + 1] = (100, 46)
    return sizes


def generate(out_dir):
    subprocess.run([sys.executable, GENERATOR, out_dir], check=True, stdout=subprocess.DEVNULL)


def read_tree(out_dir):
    files = {}
    for root, _, names in os.walk(out_dir):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as handle:
                files[os.path.relpath(path, out_dir).replace(os.sep, "/")] = handle.read()
    return files


def size_of(root):
    return int(root.get("width")), int(root.get("height"))


def number(element, name):
    return float(element.get(name, "0"))


class GeneratedArtwork(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        generate(cls.tmp.name)
        cls.files = read_tree(cls.tmp.name)
        cls.roots = {path: ET.fromstring(data) for path, data in cls.files.items() if path.endswith(".svg")}

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_every_entry_exists_at_the_size_its_control_shows(self):
        sizes = expected_main_sizes()
        for index in range(120):
            root = self.roots[f"main/{index:03d}.svg"]
            self.assertEqual(size_of(root), sizes.get(index, size_of(root)), index)
            if index in sizes:
                self.assertGreater(len(root), 0, f"entry {index} is shown by the window but empty")
        for index in range(30):
            self.assertEqual(size_of(self.roots[f"controls/{index:02d}.svg"]), (14, 13))
        for k in (6, 7, 8, 9, 11, 12, 13, 14):
            for night in (0, 1):
                self.assertGreater(len(self.roots[f"controls/{15 * night + k:02d}.svg"]), 0)
        self.assertEqual(size_of(self.roots["border/border.svg"]), (818, 741))
        self.assertEqual(size_of(self.roots["border/mask.svg"]), (818, 741))
        for clip, (w, h) in CLIP_SIZES.items():
            self.assertEqual(size_of(self.roots[f"anim/clip{clip}.svg"]), (16 * w, h), clip)
        self.assertEqual(size_of(self.roots["dialogs/chooser.svg"]), (323, 199))
        self.assertEqual(size_of(self.roots["dialogs/unpack.svg"]), (426, 166))

    def test_manifest_lists_every_file_with_its_size(self):
        lines = self.files["manifest.txt"].decode("ascii").splitlines()
        listed = {}
        for line in lines:
            path, w, h = line.split(" ")
            listed[path] = (int(w), int(h))
        self.assertEqual(set(listed), set(self.roots))
        for path, size in listed.items():
            self.assertEqual(size_of(self.roots[path]), size, path)

    def test_variants_differ_from_each_other(self):
        def text(index):
            return self.files[f"main/{index:03d}.svg"]

        # Four-state keys and two-state pictures: normal, second state, night, night second state.
        for first in ICON_FIRSTS + (80, 84, 88, 110, 114):
            pictures = [text(first + k) for k in range(4)]
            self.assertEqual(len(set(pictures)), 4, first)
        for index in (52, 54, 56, 58, 60, 62, 64, 66, 68, 70, 72, 74, 92, 94, 96, 98, 100, 118):
            self.assertNotEqual(text(index), text(index + 1), index)
        # The settings switch shows its state, not just its hover.
        self.assertNotEqual(text(110), text(114))
        buttons = [self.files[f"controls/{k:02d}.svg"] for k in (6, 7, 8, 9, 11, 12, 13, 14, 21, 22, 23, 24,
                                                                   26, 27, 28, 29)]
        self.assertEqual(len(set(buttons)), 16)

    def test_only_what_qtsvg_draws_and_every_gradient_is_defined(self):
        for path, root in self.roots.items():
            assert_qtsvg_subset(self, path, root)

    def test_animation_frames_move_and_stay_inside_their_box(self):
        # A shape that reaches past its frame paints into the neighbouring frame of the strip.
        for clip, (w, h) in CLIP_SIZES.items():
            root = self.roots[f"anim/clip{clip}.svg"]
            frames = [g for g in root if g.tag == NS + "g"]
            self.assertEqual(len(frames), 16, clip)
            bodies = set()
            for frame in frames:
                bodies.add(b"".join(ET.tostring(child) for child in frame))
                for element in frame.iter():
                    tag = element.tag.replace(NS, "")
                    if tag == "circle":
                        cx, cy, r = number(element, "cx"), number(element, "cy"), number(element, "r")
                        box = (cx - r, cy - r, cx + r, cy + r)
                    elif tag == "rect":
                        x, y = number(element, "x"), number(element, "y")
                        box = (x, y, x + number(element, "width"), y + number(element, "height"))
                    else:
                        continue
                    self.assertGreaterEqual(box[0], -0.01, f"clip {clip}: {ET.tostring(element)}")
                    self.assertGreaterEqual(box[1], -0.01, f"clip {clip}: {ET.tostring(element)}")
                    self.assertLessEqual(box[2], w + 0.01, f"clip {clip}: {ET.tostring(element)}")
                    self.assertLessEqual(box[3], h + 0.01, f"clip {clip}: {ET.tostring(element)}")
            self.assertGreaterEqual(len(bodies), 2, f"clip {clip} does not move")

    def test_mask_is_black_outside_and_white_over_panel_animations_and_close_button(self):
        root = self.roots["border/mask.svg"]
        rects = [e for e in root if e.tag == NS + "rect"]
        self.assertEqual((rects[0].get("fill"), size_of_rect(rects[0])), ("#000000", (0, 0, 818, 741)))
        white = [size_of_rect(r) + (number(r, "rx"),) for r in rects[1:] if r.get("fill") == "#ffffff"]

        def inside(px, py):
            for x, y, w, h, r in white:
                if x <= px <= x + w and y <= py <= y + h:
                    # Outside a rounded corner's arc does not count.
                    cx = min(max(px, x + r), x + w - r)
                    cy = min(max(py, y + r), y + h - r)
                    if (px - cx) ** 2 + (py - cy) ** 2 <= r * r + 0.01:
                        return True
            return False

        def covered(x, y, w, h, corner=0):
            points = [(x + corner, y + corner), (x + w - corner, y + corner), (x + corner, y + h - corner),
                      (x + w - corner, y + h - corner), (x + w / 2, y + h / 2)]
            return all(inside(px, py) for px, py in points)

        self.assertTrue(covered(85, 173, 638, 482), "panel")
        self.assertTrue(covered(746, 182, 40, 40, corner=6), "close ornament")
        for clip, (x, y) in CLIP_PLACES.items():
            w, h = CLIP_SIZES[clip]
            self.assertTrue(covered(x, y, w, h, corner=2), f"clip {clip}")
        self.assertFalse(inside(2, 700), "lower left corner must be cut away")
        self.assertFalse(inside(810, 5), "upper right corner must be cut away")


def size_of_rect(element):
    return tuple(int(number(element, k)) for k in ("x", "y", "width", "height"))


def assert_qtsvg_subset(test, path, root):
    ids = {e.get("id") for e in root.iter() if e.get("id")}
    for element in root.iter():
        tag = element.tag.replace(NS, "")
        test.assertIn(tag, ALLOWED, f"{path}: <{tag}>")
        test.assertIsNone(element.get("style"), path)
        test.assertIsNone(element.get("filter"), path)
        for attribute in ("fill", "stroke"):
            value = element.get(attribute, "")
            if value.startswith("url(#"):
                test.assertIn(value[5:-1], ids, f"{path}: {value}")


class ProgramIcon(unittest.TestCase):
    def test_square_drawn_with_what_qtsvg_draws_and_the_same_bytes_twice(self):
        # The PNG sizes of the icon theme are rendered from it with QtSvg; a second run must not rewrite it.
        with tempfile.TemporaryDirectory() as out:
            path = os.path.join(out, "icon.svg")
            subprocess.run([sys.executable, ICON_GENERATOR, path], check=True)
            first = open(path, "rb").read()
            stamp = os.stat(path).st_mtime_ns
            subprocess.run([sys.executable, ICON_GENERATOR, path], check=True)
            self.assertEqual(os.stat(path).st_mtime_ns, stamp)
        root = ET.fromstring(first)
        width, height = size_of(root)
        self.assertEqual(width, height)
        assert_qtsvg_subset(self, "icon.svg", root)
        self.assertGreater(len(list(root.iter())), 10)


class Regeneration(unittest.TestCase):
    def test_two_runs_write_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
            generate(first)
            generate(second)
            self.assertEqual(read_tree(first), read_tree(second))

    def test_refuses_a_missing_output_argument(self):
        result = subprocess.run([sys.executable, GENERATOR], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        self.assertNotEqual(result.returncode, 0)


if __name__ == "__main__":
    unittest.main()
