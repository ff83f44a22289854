"""The one art style of the game: bold flat shapes with dark outlines, soft gradients lit from the
top left, and one colour family per element."""

import math

from svg import circle, ellipse, group, path, poly, text

INK = "#1d1528"          # outline colour of every shape
INK_SOFT = "#3a2f4a"

ELEMENTS = {
    "neutral": {"light": "#eef1f5", "base": "#a3adb9", "dark": "#4d5664", "accent": "#dfe5ec",
                "glow": "#ffffff", "eye": "#ffd34a"},
    "fire": {"light": "#ffd866", "base": "#ff6a2b", "dark": "#9a1d10", "accent": "#ffb13b",
             "glow": "#fff1a8", "eye": "#fff3b0"},
    "ice": {"light": "#f2fdff", "base": "#5cd3f2", "dark": "#1b6aa0", "accent": "#b4f2ff",
            "glow": "#ffffff", "eye": "#e9fbff"},
    "lightning": {"light": "#c9a6ff", "base": "#8f55f2", "dark": "#3d1c86", "accent": "#ffe14a",
                  "glow": "#fff6a8", "eye": "#ffe95c"},
}
ELEMENT_ORDER = ["neutral", "fire", "ice", "lightning"]

CRYSTAL = {"light": "#ffe0f7", "base": "#ff4fc8", "dark": "#8d1370", "accent": "#ffa6e6"}
STONE = {"light": "#e9dcc3", "base": "#b59f7c", "dark": "#5e4b35", "accent": "#d6c4a2"}
METAL = {"light": "#f1f4f8", "base": "#8e9bab", "dark": "#3c4655", "accent": "#c5cfdb"}
GOLD = {"light": "#fff2b3", "base": "#f2b630", "dark": "#8a5a0c", "accent": "#ffd866"}
HEAL = {"light": "#e6ffd0", "base": "#6fdc4a", "dark": "#1f7a2a", "accent": "#b8ff8a"}
FLESH = {"light": "#b7a3d6", "base": "#6f5a96", "dark": "#2e2248", "accent": "#9c86c4"}
BOSS = {"light": "#8f7bb0", "base": "#4a3b66", "dark": "#1c142c", "accent": "#ff5470"}
UI = {"light": "#fdf7e9", "base": "#e9d8b4", "dark": "#8c6f45", "accent": "#f6c453"}
UI_DARK = {"light": "#5c5478", "base": "#2f2845", "dark": "#16111f", "accent": "#f6c453"}


def shade(doc, pal):
    """Fill of a lit body: light at the top left, the base in the middle, dark at the bottom right."""
    return doc.linear([(0, pal["light"]), (0.45, pal["base"]), (1, pal["dark"])])


def shade_soft(doc, pal):
    return doc.linear([(0, pal["light"]), (0.6, pal["base"]), (1, pal["base"])])


def outline_width(size):
    """Outline weight for a sprite whose largest side is `size` pixels."""
    return max(1.2, min(6.0, size * 0.035))


def body(doc, d, pal, sw, **kw):
    return path(d, fill=shade(doc, pal), stroke=INK, stroke_width=sw, stroke_linejoin="round", **kw)


def body_poly(doc, points, pal, sw, **kw):
    return poly(points, fill=shade(doc, pal), stroke=INK, stroke_width=sw, stroke_linejoin="round", **kw)


def orb(doc, cx, cy, r, pal, sw, **kw):
    fill = doc.radial([(0, pal["light"]), (0.55, pal["base"]), (1, pal["dark"])], cx=0.35, cy=0.3, r=0.75)
    return circle(cx, cy, r, fill=fill, stroke=INK, stroke_width=sw, **kw)


def gloss(cx, cy, rx, ry, opacity=0.45, angle=-35):
    """The highlight that the top-left light leaves on a round surface."""
    return ellipse(cx, cy, rx, ry, fill="#ffffff", opacity=opacity,
                   transform=f"rotate({angle} {cx:.2f} {cy:.2f})")


def drop_shadow(cx, cy, rx, ry, opacity=0.28):
    return ellipse(cx, cy, rx, ry, fill="#000000", opacity=opacity)


def glow(doc, cx, cy, r, colour, opacity=0.8):
    fill = doc.radial([(0, colour, opacity), (0.45, colour, opacity * 0.45), (1, colour, 0)])
    return circle(cx, cy, r, fill=fill)


def star_points(cx, cy, r_out, r_in, n, rot=-90):
    out = []
    for i in range(n * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180 / n)
        out.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return out


def ring_points(cx, cy, r, n, rot=0, jitter=None):
    out = []
    for i in range(n):
        a = math.radians(rot + i * 360 / n)
        rr = r * (jitter[i % len(jitter)] if jitter else 1)
        out.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return out


def bolt_points(x, y, s):
    """A lightning bolt of height about 2s, centred on (x, y)."""
    p = [(0.15, -1.0), (-0.55, 0.1), (-0.05, 0.1), (-0.3, 1.0), (0.55, -0.2), (0.05, -0.2), (0.35, -1.0)]
    return [(x + px * s, y + py * s) for px, py in p]


def flame_path(cx, cy, w, h):
    """A flame of width w and height h whose base centre is (cx, cy)."""
    return (f"M{cx:.1f},{cy:.1f} C{cx - w * 0.55:.1f},{cy:.1f} {cx - w * 0.6:.1f},{cy - h * 0.45:.1f} "
            f"{cx - w * 0.2:.1f},{cy - h * 0.7:.1f} C{cx - w * 0.25:.1f},{cy - h * 0.45:.1f} "
            f"{cx:.1f},{cy - h * 0.5:.1f} {cx + w * 0.05:.1f},{cy - h:.1f} "
            f"C{cx + w * 0.35:.1f},{cy - h * 0.65:.1f} {cx + w * 0.6:.1f},{cy - h * 0.4:.1f} "
            f"{cx + w * 0.5:.1f},{cy - h * 0.15:.1f} C{cx + w * 0.45:.1f},{cy - h * 0.02:.1f} "
            f"{cx + w * 0.25:.1f},{cy:.1f} {cx:.1f},{cy:.1f} Z")


def snowflake(cx, cy, r, colour, sw):
    arms = []
    for i in range(6):
        a = math.radians(i * 60 - 90)
        x2, y2 = cx + r * math.cos(a), cy + r * math.sin(a)
        arms.append(f"M{cx:.1f},{cy:.1f} L{x2:.1f},{y2:.1f}")
        for t, s in ((0.55, 0.35), (0.8, 0.22)):
            bx, by = cx + r * t * math.cos(a), cy + r * t * math.sin(a)
            for side in (-1, 1):
                b = a + side * math.radians(45)
                arms.append(f"M{bx:.1f},{by:.1f} L{bx + r * s * math.cos(b):.1f},{by + r * s * math.sin(b):.1f}")
    return path(" ".join(arms), fill="none", stroke=colour, stroke_width=sw, stroke_linecap="round")


def title_text(doc, x, y, s, size, pal=GOLD, sw=None, anchor="middle", spacing=None, family="DejaVu Sans"):
    """Bold game lettering: gradient face, dark outline painted under the face, soft drop."""
    sw = sw if sw is not None else max(2.0, size * 0.12)
    face = doc.linear([(0, pal["light"]), (0.5, pal["base"]), (1, pal["dark"])], 0, 0, 0, 1)
    common = dict(text_anchor=anchor, font_family=family, letter_spacing=spacing)
    return group([
        text(x + size * 0.05, y + size * 0.07, s, size, fill="#000000", opacity=0.35, stroke="#000000",
             stroke_width=sw, stroke_linejoin="round", **common),
        text(x, y, s, size, fill=face, stroke=INK, stroke_width=sw, stroke_linejoin="round",
             paint_order="stroke", **common),
    ])


def label(x, y, s, size, fill="#ffffff", sw=None, anchor="middle", spacing=None):
    sw = sw if sw is not None else max(1.5, size * 0.16)
    return text(x, y, s, size, fill=fill, stroke=INK, stroke_width=sw, stroke_linejoin="round",
                paint_order="stroke", text_anchor=anchor, letter_spacing=spacing)


def mix(c1, c2, t):
    a = [int(c1[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(c2[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(a[k] + (b[k] - a[k]) * t):02x}" for k in range(3))


def tinted(pal, colour, t):
    return {k: mix(v, colour, t) if v.startswith("#") else v for k, v in pal.items()}
