"""The program's icon for the desktop's menus: the Software page key, pressed and lit in the day scheme,
on a disc-shaped glow so that it still reads at 16 pixels."""
from .icons import GLYPHS, draw_icon
from .parts import DAY

SIZE = 64


def draw(svg):
    # The 50 x 50 key fills the 64 x 64 square with a pixel of margin for its shadow.
    svg.group("translate(1 0) scale(1.24)")
    draw_icon(svg, DAY, GLYPHS["Software"], True)
    svg.end()
