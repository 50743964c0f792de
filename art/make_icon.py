#!/usr/bin/env python3
"""Writes the program's icon (the desktop entry's and the package's) as one SVG file.

    make_icon.py OUTPUT.svg

Deterministic like make_artwork.py; an unchanged file is not rewritten."""
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artwork import app_icon  # noqa: E402
from artwork.svg import Svg  # noqa: E402


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icon.py OUTPUT.svg\n")
        return 2
    svg = Svg(app_icon.SIZE, app_icon.SIZE)
    app_icon.draw(svg)
    data = svg.text().encode("ascii")
    if not os.path.exists(argv[1]) or open(argv[1], "rb").read() != data:
        os.makedirs(os.path.dirname(os.path.abspath(argv[1])), exist_ok=True)
        with open(argv[1], "wb") as handle:
            handle.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
