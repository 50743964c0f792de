"""A small SVG writer limited to what QtSvg renders (SVG Tiny 1.2: shapes, paths, linear and radial
gradients, group transforms and opacity; no filters, masks, clip paths or CSS)."""


def num(value):
    """Formats a coordinate with at most two decimals so that the output is byte-for-byte stable."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def _attrs(attrs):
    parts = []
    for key, value in attrs.items():
        if value is None:
            continue
        if isinstance(value, float):
            value = num(value)
        parts.append(f'{key.rstrip("_").replace("_", "-")}="{value}"')
    return " ".join(parts)


class Svg:
    """One picture of `width` x `height` pixels; elements are appended in painting order."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self._defs = []
        self._body = []
        self._next_id = 0
        self._gradients = {}

    # -- paint servers -------------------------------------------------------------------------------
    def _gradient(self, tag, geometry, stops):
        key = (tag, tuple(sorted(geometry.items())), tuple(stops))
        if key in self._gradients:
            return self._gradients[key]
        self._next_id += 1
        gid = f"g{self._next_id}"
        lines = [f'<{tag} id="{gid}" {_attrs(geometry)}>']
        for offset, color, *opacity in stops:
            extra = f' stop-opacity="{num(opacity[0])}"' if opacity else ""
            lines.append(f'<stop offset="{num(offset)}" stop-color="{color}"{extra}/>')
        lines.append(f"</{tag}>")
        self._defs.append("".join(lines))
        ref = f"url(#{gid})"
        self._gradients[key] = ref
        return ref

    def linear(self, stops, x1=0.0, y1=0.0, x2=0.0, y2=1.0, user=None):
        """Linear gradient; `stops` are (offset, colour[, opacity]). Coordinates are fractions of the
        painted shape's box unless `user` is true (then they are picture pixels)."""
        geometry = {"x1": float(x1), "y1": float(y1), "x2": float(x2), "y2": float(y2)}
        if user:
            geometry["gradientUnits"] = "userSpaceOnUse"
        return self._gradient("linearGradient", geometry, stops)

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, user=None):
        geometry = {"cx": float(cx), "cy": float(cy), "r": float(r)}
        if fx is not None:
            geometry["fx"] = float(fx)
            geometry["fy"] = float(fy)
        if user:
            geometry["gradientUnits"] = "userSpaceOnUse"
        return self._gradient("radialGradient", geometry, stops)

    # -- elements ------------------------------------------------------------------------------------
    def raw(self, text):
        self._body.append(text)

    def element(self, tag, **attrs):
        self._body.append(f"<{tag} {_attrs(attrs)}/>")

    def rect(self, x, y, w, h, fill="none", rx=None, **attrs):
        self.element("rect", x=float(x), y=float(y), width=float(w), height=float(h), rx=_opt(rx),
                     ry=_opt(rx), fill=fill, **attrs)

    def circle(self, cx, cy, r, fill="none", **attrs):
        self.element("circle", cx=float(cx), cy=float(cy), r=float(r), fill=fill, **attrs)

    def ellipse(self, cx, cy, rx, ry, fill="none", **attrs):
        self.element("ellipse", cx=float(cx), cy=float(cy), rx=float(rx), ry=float(ry), fill=fill, **attrs)

    def line(self, x1, y1, x2, y2, stroke, width=1.0, **attrs):
        self.element("line", x1=float(x1), y1=float(y1), x2=float(x2), y2=float(y2), stroke=stroke,
                     stroke_width=float(width), **attrs)

    def polygon(self, points, fill="none", **attrs):
        self.element("polygon", points=_points(points), fill=fill, **attrs)

    def polyline(self, points, stroke, width=1.0, **attrs):
        self.element("polyline", points=_points(points), fill="none", stroke=stroke,
                     stroke_width=float(width), **attrs)

    def path(self, d, fill="none", **attrs):
        self.element("path", d=d, fill=fill, **attrs)

    def group(self, transform=None, opacity=None):
        """Opens a group; close it with end()."""
        self._body.append(f"<g {_attrs({'transform': transform, 'opacity': _opt(opacity)})}>")

    def end(self):
        self._body.append("</g>")

    def text(self):
        head = (f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{self.width}" height="{self.height}" viewBox="0 0 {self.width} {self.height}">')
        lines = [head]
        if self._defs:
            lines.append(f"<defs>{''.join(self._defs)}</defs>")
        return "\n".join(lines + self._body + ["</svg>", ""])


def _opt(value):
    return None if value is None else float(value)


def _points(points):
    return " ".join(f"{num(x)},{num(y)}" for x, y in points)


class Lcg:
    """Deterministic pseudo-random numbers (the output must not change between runs)."""

    def __init__(self, seed):
        self.state = (seed * 2654435761 + 12345) & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / 0x7FFFFFFF

    def uniform(self, low, high):
        return low + (high - low) * self.next()
