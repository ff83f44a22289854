"""A small SVG writer: a document with shared gradient definitions and plain element helpers.

Coordinates are SVG coordinates (y grows downwards). Sprite frames are drawn around their own
centre; `Sheet` places them on the grid the game cuts the texture into.
"""


def fmt(v):
    if isinstance(v, float):
        s = f"{v:.2f}".rstrip("0").rstrip(".")
        return "0" if s == "-0" else s
    return str(v)


def attrs(**kw):
    out = []
    for key, value in kw.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        out.append(f'{name}="{fmt(value)}"')
    return " ".join(out)


def pts(points):
    return " ".join(f"{fmt(float(x))},{fmt(float(y))}" for x, y in points)


def path(d, **kw):
    return f'<path d="{d}" {attrs(**kw)}/>'


def poly(points, **kw):
    return f'<polygon points="{pts(points)}" {attrs(**kw)}/>'


def polyline(points, **kw):
    kw.setdefault("fill", "none")
    return f'<polyline points="{pts(points)}" {attrs(**kw)}/>'


def circle(cx, cy, r, **kw):
    return f'<circle {attrs(cx=float(cx), cy=float(cy), r=float(r), **kw)}/>'


def ellipse(cx, cy, rx, ry, **kw):
    return f'<ellipse {attrs(cx=float(cx), cy=float(cy), rx=float(rx), ry=float(ry), **kw)}/>'


def rect(x, y, w, h, **kw):
    return f'<rect {attrs(x=float(x), y=float(y), width=float(w), height=float(h), **kw)}/>'


def line(x1, y1, x2, y2, **kw):
    return f'<line {attrs(x1=float(x1), y1=float(y1), x2=float(x2), y2=float(y2), **kw)}/>'


def group(children, **kw):
    inner = "\n".join(flatten(children))
    return f"<g {attrs(**kw)}>\n{inner}\n</g>"


def text(x, y, s, size, **kw):
    kw.setdefault("font_family", "DejaVu Sans")
    kw.setdefault("font_weight", "bold")
    kw.setdefault("text_anchor", "middle")
    s = s.replace("&", "&amp;").replace("<", "&lt;")
    return f'<text {attrs(x=float(x), y=float(y), font_size=float(size), **kw)}>{s}</text>'


def flatten(items):
    if isinstance(items, str):
        return [items]
    out = []
    for item in items:
        out.extend(flatten(item))
    return out


def translate(x, y):
    return f"translate({fmt(float(x))} {fmt(float(y))})"


class Doc:
    """One SVG file: a canvas size, shared definitions (deduplicated) and the drawing."""

    def __init__(self, width, height, title, desc=""):
        self.width = width
        self.height = height
        self.title = title
        self.desc = desc
        self._defs = {}
        self._order = []
        self.items = []

    def _define(self, key, make):
        if key not in self._defs:
            ident = f"d{len(self._order)}"
            self._defs[key] = ident
            self._order.append(make(ident))
        return self._defs[key]

    def linear(self, stops, x1=0, y1=0, x2=1, y2=1, units="objectBoundingBox"):
        """A linear gradient; stops are (offset, colour[, opacity]). Default runs top-left to
        bottom-right, the direction of the light."""
        key = ("lin", tuple(stops), x1, y1, x2, y2, units)

        def make(ident):
            body = "".join(_stop(s) for s in stops)
            a = attrs(id=ident, x1=x1, y1=y1, x2=x2, y2=y2, gradientUnits=units)
            return f"<linearGradient {a}>{body}</linearGradient>"

        return f"url(#{self._define(key, make)})"

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, units="objectBoundingBox"):
        key = ("rad", tuple(stops), cx, cy, r, fx, fy, units)

        def make(ident):
            body = "".join(_stop(s) for s in stops)
            a = attrs(id=ident, cx=cx, cy=cy, r=r, fx=fx, fy=fy, gradientUnits=units)
            return f"<radialGradient {a}>{body}</radialGradient>"

        return f"url(#{self._define(key, make)})"

    def clip_rect(self, x, y, w, h):
        key = ("clip", x, y, w, h)

        def make(ident):
            return f'<clipPath id="{ident}">{rect(x, y, w, h)}</clipPath>'

        return f"url(#{self._define(key, make)})"

    def clip_shape(self, key, shape):
        def make(ident):
            return f'<clipPath id="{ident}">{shape}</clipPath>'

        return f"url(#{self._define(('clipshape', key), make)})"

    def add(self, *items):
        self.items.extend(flatten(list(items)))

    def svg(self):
        defs = "\n".join(self._order)
        desc = self.desc.replace("&", "&amp;").replace("<", "&lt;")
        body = "\n".join(self.items)
        return (
            '<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{self.height}" '
            f'viewBox="0 0 {self.width} {self.height}">\n'
            f"<title>{self.title}</title>\n<desc>{desc}</desc>\n"
            f"<defs>\n{defs}\n</defs>\n{body}\n</svg>\n"
        )


def _stop(s):
    offset, colour = s[0], s[1]
    opacity = s[2] if len(s) > 2 else None
    return f"<stop {attrs(offset=offset, stop_color=colour, stop_opacity=opacity)}/>"


def sheet(doc, cols, rows, fw, fh, frames):
    """Lays frames out on the game's grid. Frame i is column i % cols, row i // cols, and rows
    count from the bottom of the picture (the texture loader puts the bottom row at v = 0).
    Each frame is drawn around its centre and clipped to its cell."""
    for i, frame in enumerate(frames):
        col, row = i % cols, i // cols
        x0 = col * fw
        y0 = (rows - 1 - row) * fh
        clip = doc.clip_rect(-fw / 2, -fh / 2, fw, fh)
        doc.add(group([group(frame, clip_path=clip)], transform=translate(x0 + fw / 2, y0 + fh / 2)))
