"""Helpers shared by the drawing modules."""

from svg import Doc, group, sheet, translate


def make(tex, draw_frame):
    """A document for `tex` whose frame i is draw_frame(doc, i), laid out on the texture's grid."""
    doc = Doc(tex.cols * tex.fw, tex.rows * tex.fh, tex.name)
    frames = [draw_frame(doc, i) for i in range(tex.frames)]
    sheet(doc, tex.cols, tex.rows, tex.fw, tex.fh, frames)
    return doc


def single(tex, draw):
    """A one-frame texture drawn around its centre."""
    return make(tex, lambda doc, i: draw(doc))


def place(items, x=0, y=0, s=1.0, flip=False, rot=0):
    """Puts a drawing made around its own origin at (x, y), scaled by s (mirrored when flip)."""
    sx = -s if flip else s
    tr = f"{translate(x, y)} rotate({rot}) scale({sx:.4f} {s:.4f})"
    return group(items, transform=tr)


def game_to_svg(points):
    """Collision points (y upwards) as frame-local SVG points (y downwards)."""
    return [(x, -y) for x, y in points]
