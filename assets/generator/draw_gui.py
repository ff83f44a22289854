"""GUI pictures (arrow, plain textures, drop-down arrows, the default skins), particle textures and
the window icon."""

import math

from common import single
from draw_hud import arrow_cursor
from draw_menus import element_sigil
from inventory import SKIN_RECORDS
from style import GOLD, INK, gloss, mix, shade, snowflake
from svg import Doc, circle, ellipse, group, line, path, poly, rect

PLUM = {"light": "#8a80b4", "base": "#4e4474", "dark": "#261e3e"}
GREY = {"light": "#f2f3f6", "base": "#c9ccd6", "dark": "#8a8e9c"}


def plain(tex, colour):
    doc = Doc(tex.fw, tex.fh, tex.name)
    doc.add(rect(0, 0, tex.fw, tex.fh, fill=colour))
    return doc


def gray(tex):
    doc = Doc(tex.fw, tex.fh, tex.name)
    doc.add(rect(0, 0, 64, 64, fill=doc.linear([(0, "#e4e7ee"), (1, "#b9bfcb")], 0, 0, 0, 1)))
    doc.add(rect(0, 0, 64, 2, fill="#ffffff", opacity=0.6))
    return doc


def combo_arrow(doc, enabled):
    fill = doc.linear([(0, "#ffffff"), (1, "#c9ccd6")], 0, 0, 0, 1) if enabled else "#a8acb8"
    stroke = INK if enabled else "#7a7e8a"
    return [poly([(-6, -3), (6, -3), (0, 4)], fill=fill, stroke=stroke, stroke_width=1.6, stroke_linejoin="round")]


def skin_doc(tex):
    return Doc(tex.fw, tex.fh, tex.name)


def region(tex, record):
    """A skin record's region as an SVG rectangle (records count y from the image's bottom row)."""
    x, y, w, h = record[1]
    return x, tex.fh - y - h, w, h


def button_skin(tex):
    doc = skin_doc(tex)
    looks = {
        "normal": (PLUM, INK, None),
        "pressed": ({"light": PLUM["dark"], "base": PLUM["base"], "dark": PLUM["light"]}, INK, None),
        "hover": ({"light": mix(PLUM["light"], "#ffffff", 0.3), "base": PLUM["light"], "dark": PLUM["base"]}, INK,
                  None),
        "focused": (PLUM, INK, GOLD["base"]),
        "disabled": ({"light": "#9a98a4", "base": "#6e6c78", "dark": "#4a4852"}, "#3a3842", None),
    }
    for record in SKIN_RECORDS["DefaultButtonSkin"]:
        x, y, w, h = region(tex, record)
        pal, edge, ring = looks[record[0]]
        doc.add(rect(x + 1, y + 1, w - 2, h - 2, rx=6, fill=doc.linear([(0, pal["light"]), (0.5, pal["base"]),
                                                                        (1, pal["dark"])], 0, 0, 0, 1),
                     stroke=edge, stroke_width=2))
        doc.add(rect(x + 4, y + 3.5, w - 8, 3, rx=1.5, fill="#ffffff", opacity=0.3))
        if ring:
            doc.add(rect(x + 3, y + 3, w - 6, h - 6, rx=4, fill="none", stroke=ring, stroke_width=2))
    return doc


def form_skin(tex):
    doc = skin_doc(tex)
    records = {r[0]: region(tex, r) for r in SKIN_RECORDS["DefaultFormSkin"]}
    frame = doc.linear([(0, "#ffffff"), (1, "#c4c8d2")], 0, 0, 0, 1)
    x, y, w, h = records["caption bar"]
    doc.add(path(f"M{x},{y + h} L{x},{y + 7} Q{x},{y} {x + 7},{y} L{x + w - 7},{y} Q{x + w},{y} {x + w},{y + 7} "
                 f"L{x + w},{y + h} Z", fill=frame))
    doc.add(path(f"M{x + 0.75},{y + h} L{x + 0.75},{y + 7} Q{x + 0.75},{y + 0.75} {x + 7},{y + 0.75} "
                 f"L{x + w - 7},{y + 0.75} Q{x + w - 0.75},{y + 0.75} {x + w - 0.75},{y + 7} L{x + w - 0.75},{y + h}",
                 fill="none", stroke=INK, stroke_width=1.5))
    doc.add(rect(x + 4, y + 3, w - 8, 3, rx=1.5, fill="#ffffff", opacity=0.8))
    doc.add(rect(x + 6, y + h - 4, w - 12, 1.5, fill="#8a8e9c"))
    for name in ("left border", "right border"):
        x, y, w, h = records[name]
        doc.add(rect(x, y, w, h, fill=doc.linear([(0, "#f2f3f6"), (1, "#b9bdc8")], 0, 0, 1, 0)))
        edge = x + 0.75 if name == "left border" else x + w - 0.75
        doc.add(line(edge, y, edge, y + h, stroke=INK, stroke_width=1.5))
    x, y, w, h = records["bottom border"]
    doc.add(path(f"M{x},{y} L{x + w},{y} L{x + w},{y + h - 4} Q{x + w},{y + h} {x + w - 4},{y + h} L{x + 4},{y + h} "
                 f"Q{x},{y + h} {x},{y + h - 4} Z", fill=doc.linear([(0, "#dfe2ea"), (1, "#aab0bc")], 0, 0, 0, 1)))
    doc.add(path(f"M{x + 0.75},{y} L{x + 0.75},{y + h - 4} Q{x + 0.75},{y + h - 0.75} {x + 4},{y + h - 0.75} "
                 f"L{x + w - 4},{y + h - 0.75} Q{x + w - 0.75},{y + h - 0.75} {x + w - 0.75},{y + h - 4} "
                 f"L{x + w - 0.75},{y}", fill="none", stroke=INK, stroke_width=1.5))
    looks = {"close button": "#e0402a", "close button pressed": "#9a1e12", "close button hovered": "#ff7a5a"}
    for name, colour in looks.items():
        x, y, w, h = records[name]
        cx, cy = x + w / 2, y + h / 2
        doc.add(circle(cx, cy, 9, fill=doc.linear([(0, mix(colour, "#ffffff", 0.35)), (1, mix(colour, "#000000", 0.3))]),
                       stroke=INK, stroke_width=1.5))
        doc.add(path(f"M{cx - 3.5},{cy - 3.5} L{cx + 3.5},{cy + 3.5} M{cx + 3.5},{cy - 3.5} L{cx - 3.5},{cy + 3.5}",
                     stroke="#ffffff", stroke_width=2.2, stroke_linecap="round"))
    return doc


def radio_skin(tex):
    doc = skin_doc(tex)
    rims = {"focused": GOLD["base"], "normal": "#4e4474", "disabled": "#8a8894", "hover": GOLD["light"],
            "pressed": "#2a2240"}
    faces = {"focused": "#ffffff", "normal": "#ffffff", "disabled": "#c9c8d0", "hover": "#fff6dc",
             "pressed": "#d6d2e4"}
    for record in SKIN_RECORDS["DefaultRadioButtonSkin"]:
        look, state = record[0].split()
        x, y, w, h = region(tex, record)
        cx, cy = x + w / 2, y + h / 2
        doc.add(circle(cx, cy, 5.5, fill=faces[look], stroke=rims[look], stroke_width=1.6))
        if state == "checked":
            doc.add(circle(cx, cy, 2.6, fill=INK if look != "disabled" else "#6e6c78"))
    return doc


# --- particles ----------------------------------------------------------------------------------

def soft_dot(doc):
    return [circle(0, 0, 44, fill=doc.radial([(0, "#ffffff", 1), (0.45, "#ffffff", 0.95), (1, "#ffffff", 0)]))]


def splash(doc):
    blob = ("M0,-30 C14,-32 18,-18 28,-16 C40,-14 38,2 30,8 C24,14 30,26 18,30 C8,34 4,24 -6,28 "
            "C-18,32 -28,24 -26,14 C-24,6 -36,0 -30,-10 C-24,-20 -14,-28 0,-30 Z")
    items = [path(blob, fill=doc.radial([(0, "#ffffff", 1), (0.75, "#ffffff", 0.9), (1, "#ffffff", 0.5)]))]
    for x, y, r in ((44, -20, 6), (-40, 26, 5), (36, 34, 4), (-44, -24, 4), (6, -46, 5), (-6, 46, 3)):
        items.append(circle(x, y, r, fill="#ffffff", opacity=0.9))
    return items


def flame_puff(doc):
    tongues = []
    for k in range(7):
        a = math.radians(k * 360 / 7)
        tongues.append(ellipse(18 * math.cos(a), 18 * math.sin(a), 16, 10, fill="#ffffff", opacity=0.55,
                               transform=f"rotate({k * 360 / 7:.1f} {18 * math.cos(a):.1f} {18 * math.sin(a):.1f})"))
    return [circle(0, 0, 42, fill=doc.radial([(0, "#ffffff", 1), (0.5, "#ffffff", 0.7), (1, "#ffffff", 0)]))] + tongues


def ice_shard(doc):
    return [
        circle(0, 0, 40, fill=doc.radial([(0, "#ffffff", 0.7), (1, "#ffffff", 0)])),
        poly([(0, -34), (12, -6), (0, 34), (-12, -6)], fill="#ffffff", opacity=0.95),
        poly([(0, -34), (12, -6), (0, 0)], fill="#dff6ff"),
        poly([(-26, -14), (-6, -4), (-22, 6)], fill="#ffffff", opacity=0.8),
        poly([(26, 10), (6, 2), (20, 22)], fill="#ffffff", opacity=0.8),
    ]


def snow(doc):
    return [circle(0, 0, 34, fill=doc.radial([(0, "#ffffff", 0.6), (1, "#ffffff", 0)])),
            snowflake(0, 0, 26, "#ffffff", 5)]


# --- window icon --------------------------------------------------------------------------------

def game_icon(tex):
    doc = Doc(64, 64, tex.name)
    doc.add(rect(2, 2, 60, 60, rx=14, fill=doc.linear([(0, PLUM["light"]), (0.5, PLUM["base"]), (1, PLUM["dark"])]),
                 stroke=INK, stroke_width=3))
    doc.add(group(element_sigil(doc, 0, 0, 17, 2.4), transform="translate(32 33)"))
    doc.add(gloss(18, 14, 10, 4, 0.3))
    return doc


DRAWERS = {
    "Arrow": lambda tex: single(tex, lambda doc: arrow_cursor(doc, 1.15, (-15, -15))),
    "White": lambda tex: plain(tex, "#ffffff"),
    "Gray": gray,
    "ComboDown": lambda tex: single(tex, lambda doc: combo_arrow(doc, True)),
    "ComboDownDisabled": lambda tex: single(tex, lambda doc: combo_arrow(doc, False)),
    "DefaultButtonSkin": button_skin,
    "DefaultFormSkin": form_skin,
    "DefaultRadioButtonSkin": radio_skin,
    "Particle_Texture": lambda tex: single(tex, soft_dot),
    "Scorchpack-BurnMarks3200": lambda tex: single(tex, splash),
    "snow": lambda tex: single(tex, snow),
    "Scorchpack-BurnMarks32": lambda tex: single(tex, flame_puff),
    "Scorchpack-BurnMarks32 - Copy": lambda tex: single(tex, ice_shard),
    "GameIcon": game_icon,
}
