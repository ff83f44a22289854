"""Menu pieces: the title logo, buttons, intro emblems, level-selection overlays and the options
controls."""

import math

from common import make, place, single
from draw_hud import arrow_cursor
from style import (ELEMENTS, GOLD, INK, STONE, UI, UI_DARK, bolt_points, drop_shadow, flame_path, gloss, glow,
                   label, mix, orb, shade, snowflake, star_points, title_text)
from svg import Doc, circle, ellipse, group, line, path, poly, polyline, rect, text

FIRE, ICE, BOLT = ELEMENTS["fire"], ELEMENTS["ice"], ELEMENTS["lightning"]
PLUM = {"light": "#7d74a3", "base": "#463c68", "dark": "#221a36"}


def element_sigil(doc, cx, cy, r, sw=3):
    """Three orbs, one per element, around a golden core: the emblem of the game."""
    items = [glow(doc, cx, cy, r * 1.9, GOLD["light"], 0.5)]
    for k, (pal, icon) in enumerate(((FIRE, "fire"), (ICE, "ice"), (BOLT, "bolt"))):
        a = math.radians(-90 + k * 120)
        x, y = cx + r * math.cos(a), cy + r * math.sin(a)
        items.append(orb(doc, x, y, r * 0.62, pal, sw))
        if icon == "fire":
            items.append(path(flame_path(x, y + r * 0.35, r * 0.55, r * 0.75), fill=pal["glow"], stroke=INK,
                              stroke_width=sw * 0.5))
        elif icon == "ice":
            items.append(snowflake(x, y, r * 0.38, "#ffffff", sw * 0.8))
        else:
            items.append(poly(bolt_points(x, y, r * 0.36), fill=pal["accent"], stroke=INK, stroke_width=sw * 0.5))
    items.append(orb(doc, cx, cy, r * 0.42, GOLD, sw))
    items.append(gloss(cx - r * 0.15, cy - r * 0.18, r * 0.14, r * 0.08, 0.7))
    return items


# --- title --------------------------------------------------------------------------------------

def logo(doc):
    items = [
        glow(doc, 0, 0, 460, "#fff1c0", 0.18),
        path("M-300,58 L300,58 L330,86 L300,114 L-300,114 L-330,86 Z", fill=shade(doc, PLUM), stroke=INK,
             stroke_width=5, stroke_linejoin="round"),
        label(0, 97, "DEFEND THE CITY", 30, fill=GOLD["light"], spacing=8),
        title_text(doc, 0, 34, "MORVANE", 132, GOLD, sw=13, spacing=4),
    ]
    items += element_sigil(doc, -430, -20, 30)
    items += element_sigil(doc, 430, -20, 30)
    return items


def gate(doc, lit):
    """The start button: a stone gate whose portal swirls with the three elements."""
    stone = shade(doc, STONE)
    portal = doc.radial([(0, "#ffffff" if lit else "#fff4d0"), (0.25, "#ffd866"), (0.55, "#ff7a3a" if lit else "#d85a2a"),
                         (0.8, "#6a3ad0"), (1, "#1f1040")], cx=0.5, cy=0.55, r=0.6)
    items = []
    if lit:
        items.append(glow(doc, 0, 150, 230, GOLD["light"], 0.75))
    items += [
        drop_shadow(10, 374, 160, 12, 0.35),
        # pillars and arch
        path("M-150,370 L-150,40 C-150,-120 150,-120 150,40 L150,370 L100,370 L100,50 C100,-50 -100,-50 -100,50 "
             "L-100,370 Z", fill=stone, stroke=INK, stroke_width=6, stroke_linejoin="round"),
        path("M-100,370 L-100,50 C-100,-50 100,-50 100,50 L100,370 Z", fill=portal, stroke=INK, stroke_width=5),
    ]
    # swirl arms of the portal
    for k, colour in enumerate((FIRE["accent"], ICE["accent"], BOLT["accent"])):
        a0 = k * 120
        d = []
        for j in range(24):
            a = math.radians(a0 + j * 14)
            r = 8 + j * 3.6
            d.append(f"{'M' if j == 0 else 'L'}{r * math.cos(a):.1f},{150 + r * 1.4 * math.sin(a):.1f}")
        items.append(path(" ".join(d), fill="none", stroke=colour, stroke_width=6, opacity=0.85 if lit else 0.6,
                          stroke_linecap="round"))
    items += [
        # stones of the arch
        *[line(-150 + 8 * k, 40 + 40 * k, -100 + 6 * k, 50 + 40 * k, stroke=INK, stroke_width=2, opacity=0.4)
          for k in range(1, 8)],
        *[line(150 - 8 * k, 40 + 40 * k, 100 - 6 * k, 50 + 40 * k, stroke=INK, stroke_width=2, opacity=0.4)
          for k in range(1, 8)],
        poly([(-22, -86), (22, -86), (16, -40), (-16, -40)], fill=shade(doc, GOLD), stroke=INK, stroke_width=4,
             stroke_linejoin="round"),
        poly(star_points(0, -64, 13, 6, 5), fill="#ffffff" if lit else GOLD["light"], stroke=INK, stroke_width=2),
        rect(-142, 40, 14, 320, fill="#ffffff", opacity=0.15),
        # the plaque
        rect(-128, 196, 256, 76, rx=14, fill=shade(doc, GOLD if lit else UI), stroke=INK, stroke_width=5),
        title_text(doc, 0, 252, "START", 54, {"light": "#ffffff", "base": "#ffffff", "dark": "#e8e0ff"} if lit
                   else PLUM, sw=8, spacing=4),
    ]
    return items


def signboard(doc, lit, word, icon):
    board = GOLD if lit else UI
    items = []
    if lit:
        items.append(glow(doc, 0, 0, 200, GOLD["light"], 0.6))
    items += [
        drop_shadow(8, 66, 150, 10, 0.3),
        rect(-18, 20, 12, 60, fill=shade(doc, {"light": "#c48a5a", "base": "#8a5a32", "dark": "#4a2c14"}), stroke=INK,
             stroke_width=4),
        rect(6, 20, 12, 60, fill=shade(doc, {"light": "#c48a5a", "base": "#8a5a32", "dark": "#4a2c14"}), stroke=INK,
             stroke_width=4),
        path("M-150,-58 L150,-58 L168,-8 L150,42 L-150,42 L-168,-8 Z", fill=shade(doc, board), stroke=INK,
             stroke_width=5, stroke_linejoin="round"),
        path("M-140,-48 L140,-48 L156,-8 L140,32 L-140,32 L-156,-8 Z", fill="none", stroke=INK, stroke_width=2,
             opacity=0.45),
        group(icon, transform="translate(-112 -8) scale(0.85)"),
        label(30, 4, word, 34, fill="#ffffff" if lit else "#fff6e4", spacing=1),
        rect(-140, -52, 200, 8, rx=4, fill="#ffffff", opacity=0.35),
    ]
    return items


def icon_gear(doc):
    teeth = star_points(0, 0, 30, 22, 8, -90)
    return [poly(teeth, fill=shade(doc, {"light": "#e8edf4", "base": "#9aa6b6", "dark": "#4a5464"}), stroke=INK,
                 stroke_width=3.5, stroke_linejoin="round"),
            circle(0, 0, 10, fill=PLUM["base"], stroke=INK, stroke_width=3)]


def icon_scroll(doc):
    return [rect(-22, -24, 44, 48, rx=4, fill=shade(doc, {"light": "#fffaf0", "base": "#eadcb8", "dark": "#a88a58"}),
                 stroke=INK, stroke_width=3.5),
            *[line(-12, y, 12, y, stroke=INK, stroke_width=2.5, opacity=0.6) for y in (-12, -2, 8)],
            poly(star_points(14, 20, 12, 5, 5), fill=GOLD["base"], stroke=INK, stroke_width=2.5)]


def exit_button(doc, lit):
    pal = FIRE if lit else {"light": "#ff9a8a", "base": "#c8382a", "dark": "#5a140e"}
    power = "M-7,-25 A15,15 0 1 0 7,-25"
    return [
        drop_shadow(3, 5, 36, 36, 0.3),
        circle(0, 0, 38, fill=shade(doc, pal), stroke=INK, stroke_width=3.5),
        circle(0, 0, 31, fill="none", stroke="#ffffff", stroke_width=1.5, opacity=0.4),
        path(power, fill="none", stroke=INK, stroke_width=8, stroke_linecap="round"),
        path(power, fill="none", stroke="#ffffff", stroke_width=4, stroke_linecap="round"),
        line(0, -29, 0, -15, stroke=INK, stroke_width=8, stroke_linecap="round"),
        line(0, -29, 0, -15, stroke="#ffffff", stroke_width=4, stroke_linecap="round"),
        label(0, 22, "EXIT", 17, spacing=1),
        gloss(-16, -18, 9, 5, 0.4),
    ]


def back_button(doc, lit):
    pal = GOLD if lit else PLUM
    return [
        drop_shadow(3, 5, 52, 36, 0.3),
        path("M-54,0 L-22,-38 L52,-38 C56,-38 56,-34 56,-30 L56,30 C56,34 56,38 52,38 L-22,38 Z",
             fill=shade(doc, pal), stroke=INK, stroke_width=3.5, stroke_linejoin="round"),
        label(12, 9, "BACK", 24, spacing=1),
        rect(-18, -32, 66, 6, rx=3, fill="#ffffff", opacity=0.3),
    ]


def menu_cursor(doc):
    return [glow(doc, 0, 0, 9, GOLD["light"], 0.9), arrow_cursor(doc, 0.62, (0, 0))]


# --- intro emblems ------------------------------------------------------------------------------

def emblem_hx(doc):
    teal = {"light": "#9ff5e6", "base": "#1fb59a", "dark": "#0a4a44"}
    hexagon = [(160 * math.cos(math.radians(a)), 160 * math.sin(math.radians(a))) for a in range(30, 390, 60)]
    inner = [(100 * math.cos(math.radians(a)), 100 * math.sin(math.radians(a))) for a in range(30, 390, 60)]
    items = [glow(doc, 0, 0, 260, "#9ff5e6", 0.35),
             poly(hexagon, fill=shade(doc, teal), stroke=INK, stroke_width=10, stroke_linejoin="round"),
             poly(inner, fill=shade(doc, {"light": "#ffe6b0", "base": "#f29a3a", "dark": "#8a3a0c"}), stroke=INK,
                  stroke_width=8, stroke_linejoin="round")]
    for k in range(3):
        items.append(poly([(0, 0), inner[2 * k], inner[(2 * k + 1) % 6]], fill=shade(doc, teal), stroke=INK,
                          stroke_width=6, stroke_linejoin="round"))
    items.append(circle(0, 0, 26, fill="#ffffff", stroke=INK, stroke_width=7))
    items.append(gloss(-70, -90, 50, 18, 0.3))
    return items


def emblem_vl(doc):
    wing = {"light": "#e2c8ff", "base": "#8a4ae0", "dark": "#2e0f6a"}
    items = [glow(doc, 0, 0, 280, "#c9a6ff", 0.35)]
    for side in (-1, 1):
        for k, (dx, dy) in enumerate(((0, 0), (40, 50), (80, 100))):
            items.append(path(f"M{side * (20 + dx)},{-60 + dy} C{side * (120 + dx)},{-150 + dy} "
                              f"{side * (190 + dx * 0.5)},{-110 + dy} {side * (210 - dx * 0.2)},{-40 + dy} "
                              f"C{side * (150 + dx * 0.5)},{-60 + dy} {side * (80 + dx)},{-30 + dy} "
                              f"{side * (20 + dx)},{20 + dy} Z",
                              fill=shade(doc, wing), stroke=INK, stroke_width=8, stroke_linejoin="round"))
    items.append(poly([(0, -120), (60, 0), (0, 170), (-60, 0)], fill=shade(doc, GOLD), stroke=INK,
                      stroke_width=9, stroke_linejoin="round"))
    items.append(poly([(0, -70), (26, 0), (0, 100), (-26, 0)], fill="#fff6d8", opacity=0.8))
    return items


def emblem_kt(doc):
    red = {"light": "#ffb0a0", "base": "#e0402a", "dark": "#6a1208"}
    items = [glow(doc, 0, 0, 270, "#ffb0a0", 0.35),
             circle(0, 0, 180, fill=shade(doc, {"light": "#3a3450", "base": "#1e1a2c", "dark": "#0a0810"}),
                    stroke=INK, stroke_width=10)]
    for k in range(3):
        a = math.radians(-90 + k * 120)
        x, y = 62 * math.cos(a), 62 * math.sin(a)
        items.append(circle(x, y, 78, fill="none", stroke=INK, stroke_width=34))
        items.append(circle(x, y, 78, fill="none", stroke=red["base"] if k != 1 else GOLD["base"],
                            stroke_width=20))
    items.append(circle(0, 0, 30, fill=shade(doc, GOLD), stroke=INK, stroke_width=8))
    items.append(circle(0, 0, 170, fill="none", stroke=GOLD["light"], stroke_width=4, opacity=0.7))
    return items


def emblem_m(doc):
    items = [glow(doc, 0, 0, 300, "#c6dcff", 0.4)]
    peaks = [(-220, 140), (-130, -60), (-60, 40), (0, -170), (60, 40), (130, -60), (220, 140)]
    items.append(poly(peaks, fill=shade(doc, {"light": "#c6dcff", "base": "#4a78d0", "dark": "#14285a"}),
                      stroke=INK, stroke_width=10, stroke_linejoin="round"))
    items.append(poly([(-130, -60), (-100, 0), (-130, -10), (-160, 0)], fill="#ffffff", stroke=INK, stroke_width=5))
    items.append(poly([(0, -170), (36, -90), (0, -110), (-36, -90)], fill="#ffffff", stroke=INK, stroke_width=5))
    items.append(poly([(130, -60), (160, 0), (130, -10), (100, 0)], fill="#ffffff", stroke=INK, stroke_width=5))
    items.append(rect(-250, 140, 500, 40, rx=12, fill=shade(doc, GOLD), stroke=INK, stroke_width=8))
    items += element_sigil(doc, 0, 60, 40, 5)
    return items


# --- level selection ----------------------------------------------------------------------------

# The three acts of the map: name, subtitle and element colours, for "L1", "L2" and "L3".
ACTS = [("ACT I", "THE DUSK ROAD", FIRE), ("ACT II", "THE NIGHT PEAKS", ICE), ("ACT III", "THE STORM KEEP", BOLT)]


def act_plaque(doc, cx, y1, act, lit):
    """The name plate of an act, centred on cx above the lower edge y1 of its region."""
    word, sub, _ = ACTS[act]
    return [
        rect(cx - 92, y1 - 70, 184, 58, rx=12, fill=shade(doc, GOLD if lit else UI), stroke=INK, stroke_width=4),
        label(cx, y1 - 40, word, 26, spacing=2),
        label(cx, y1 - 20, sub, 15, fill=GOLD["light"] if not lit else "#ffffff"),
    ]


def region_overlay(doc, rect_game, lit, act):
    """Hover highlight of one act's region of the map (rect in frame coordinates, y upwards)."""
    pal = ACTS[act][2]
    top, left, right, bottom = rect_game
    x0, y0, x1, y1 = left + 6, -top + 6, right - 6, -bottom - 6
    w, h = x1 - x0, y1 - y0
    items = [
        rect(x0, y0, w, h, rx=22, fill=pal["accent"], opacity=0.18 if lit else 0.08),
        rect(x0, y0, w, h, rx=22, fill="none", stroke=INK, stroke_width=11),
        rect(x0, y0, w, h, rx=22, fill="none", stroke=GOLD["light"] if lit else "#c0b8d8", stroke_width=6),
    ]
    items += act_plaque(doc, (x0 + x1) / 2, y1, act, lit)
    for sx, sy in ((x0, y0), (x1, y0)):
        items.append(poly(star_points(sx + (14 if sx == x0 else -14), sy + 14, 14, 6, 4), fill=GOLD["light"],
                          stroke=INK, stroke_width=2.5))
    return items


def demo_badge(doc, lit):
    cx, cy = -50, -118
    items = []
    if lit:
        items.append(glow(doc, cx, cy, 80, GOLD["light"], 0.75))
    items += [
        drop_shadow(cx + 5, cy + 7, 56, 56, 0.3),
        circle(cx, cy, 58, fill=shade(doc, GOLD if lit else {"light": "#d9f7c8", "base": "#5fb55a", "dark": "#1f5a22"}),
               stroke=INK, stroke_width=5),
        circle(cx, cy, 46, fill="none", stroke="#ffffff", stroke_width=2, opacity=0.5),
        place([circle(0, 0, 18, fill="none", stroke=INK, stroke_width=9),
               circle(0, 0, 18, fill="none", stroke="#ffffff", stroke_width=5),
               circle(0, 0, 5, fill=FIRE["base"], stroke=INK, stroke_width=2.5)], cx, cy - 14),
        label(cx, cy + 30, "TUTORIAL", 17, spacing=1),
        gloss(cx - 22, cy - 32, 16, 7, 0.4),
    ]
    return items


# --- options ------------------------------------------------------------------------------------

def fullscreen_button(doc, frame):
    full = frame in (1, 3)
    lit = frame in (2, 3)
    plate = GOLD if lit else PLUM
    items = []
    if lit:
        items.append(glow(doc, 0, 0, 96, GOLD["light"], 0.55))
    items += [
        drop_shadow(4, 6, 92, 72, 0.3),
        rect(-93, -74, 186, 148, rx=20, fill=shade(doc, plate), stroke=INK, stroke_width=4),
        # monitor
        rect(-46, -58, 92, 64, rx=6, fill="#1a1428", stroke=INK, stroke_width=4),
        rect(-10, 6, 20, 10, fill="#8a849c", stroke=INK, stroke_width=2.5),
        rect(-26, 14, 52, 7, rx=3, fill="#8a849c", stroke=INK, stroke_width=2.5),
    ]
    if full:
        items.append(rect(-40, -52, 80, 52, fill=doc.linear([(0, "#8fd3ff"), (1, "#3a7ad8")], 0, 0, 0, 1)))
        for sx, sy in ((-1, -1), (1, -1), (-1, 1), (1, 1)):
            x, y = sx * 26, -26 + sy * 14
            items.append(path(f"M{x - sx * 10:.0f},{y - sy * 6:.0f} L{x + sx * 8:.0f},{y + sy * 8:.0f}",
                              stroke="#ffffff", stroke_width=3, stroke_linecap="round"))
            items.append(poly([(x + sx * 10, y + sy * 10), (x + sx * 10, y), (x, y + sy * 10)], fill="#ffffff"))
    else:
        items.append(rect(-40, -52, 80, 52, fill="#2a2440"))
        items.append(rect(-26, -44, 46, 34, fill=doc.linear([(0, "#8fd3ff"), (1, "#3a7ad8")], 0, 0, 0, 1),
                          stroke="#ffffff", stroke_width=2))
        items.append(rect(-26, -44, 46, 7, fill="#ffffff", opacity=0.8))
    items.append(label(0, 56, "FULL SCREEN" if full else "WINDOW", 21 if full else 24, spacing=1))
    items.append(rect(-84, -68, 120, 6, rx=3, fill="#ffffff", opacity=0.3))
    return items


def round_icon(doc, r, lit=True):
    pal = GOLD if lit else {"light": "#d8d4e4", "base": "#8a849c", "dark": "#3a3548"}
    return [drop_shadow(3, 5, r, r, 0.3), circle(0, 0, r, fill=shade(doc, pal), stroke=INK, stroke_width=4),
            circle(0, 0, r - 8, fill="none", stroke="#ffffff", stroke_width=2, opacity=0.4)]


def mute_slash(r):
    return [line(-r, r, r, -r, stroke=INK, stroke_width=13, stroke_linecap="round"),
            line(-r, r, r, -r, stroke="#ff4a3a", stroke_width=7, stroke_linecap="round")]


def music_icon(doc, muted):
    note = [
        path("M-10,22 L-10,-26 L22,-34 L22,14", fill="none", stroke=INK, stroke_width=11, stroke_linejoin="round"),
        path("M-10,22 L-10,-26 L22,-34 L22,14", fill="none", stroke="#ffffff", stroke_width=5,
             stroke_linejoin="round"),
        ellipse(-18, 24, 11, 8, fill="#ffffff", stroke=INK, stroke_width=3.5, transform="rotate(-20 -18 24)"),
        ellipse(14, 16, 11, 8, fill="#ffffff", stroke=INK, stroke_width=3.5, transform="rotate(-20 14 16)"),
    ]
    items = round_icon(doc, 46, not muted) + note
    if muted:
        items += mute_slash(28)
    return items


def sound_icon(doc, muted):
    items = round_icon(doc, 48, not muted)
    items += [
        path("M-30,-12 L-16,-12 L2,-28 L2,28 L-16,12 L-30,12 Z", fill="#ffffff", stroke=INK, stroke_width=4,
             stroke_linejoin="round"),
    ]
    if muted:
        items += [line(12, -12, 32, 12, stroke=INK, stroke_width=11, stroke_linecap="round"),
                  line(12, 12, 32, -12, stroke=INK, stroke_width=11, stroke_linecap="round"),
                  line(12, -12, 32, 12, stroke="#ff4a3a", stroke_width=5, stroke_linecap="round"),
                  line(12, 12, 32, -12, stroke="#ff4a3a", stroke_width=5, stroke_linecap="round")]
    else:
        for r in (14, 26):
            items.append(path(f"M{8 + r * 0.2:.0f},{-r} A{r},{r} 0 0 1 {8 + r * 0.2:.0f},{r}", fill="none",
                              stroke=INK, stroke_width=9, stroke_linecap="round"))
            items.append(path(f"M{8 + r * 0.2:.0f},{-r} A{r},{r} 0 0 1 {8 + r * 0.2:.0f},{r}", fill="none",
                              stroke="#ffffff", stroke_width=4, stroke_linecap="round"))
    return items


def volume_bar(doc):
    track = doc.linear([(0, "#3a3450"), (1, GOLD["base"])], 0, 0, 1, 0)
    items = [
        rect(-236, -22, 472, 44, rx=22, fill=shade(doc, PLUM), stroke=INK, stroke_width=4),
        rect(-222, -9, 444, 18, rx=9, fill="#120c1c", stroke=INK, stroke_width=2),
        path("M-218,4 L218,-7 L218,7 L-218,7 Z", fill=track),
    ]
    for k in range(11):
        x = -218 + k * 43.6
        items.append(line(x, -19, x, -13, stroke="#ffffff", stroke_width=2, opacity=0.6))
    items.append(rect(-226, -19, 300, 5, rx=2.5, fill="#ffffff", opacity=0.25))
    return items


def volume_ball(doc):
    return [
        drop_shadow(3, 4, 22, 22, 0.3),
        circle(0, 0, 23, fill=doc.radial([(0, "#ffffff"), (0.4, GOLD["light"]), (1, GOLD["dark"])], cx=0.35, cy=0.3,
                                         r=0.8), stroke=INK, stroke_width=3.5),
        *[line(x, -9, x, 9, stroke=INK, stroke_width=2.5, opacity=0.6, stroke_linecap="round") for x in (-6, 0, 6)],
        gloss(-8, -10, 7, 4, 0.6),
    ]


def _texel(tex, colour):
    doc = Doc(1, 1, tex.name)
    doc.add(rect(0, 0, 1, 1, fill=colour))
    return doc


DRAWERS = {
    "LOGO": lambda tex: single(tex, logo),
    "START_NORMAL": lambda tex: make(tex, lambda doc, i: gate(doc, i == 1)),
    "OPTIONS": lambda tex: make(tex, lambda doc, i: signboard(doc, i == 1, "OPTIONS", icon_gear(doc))),
    "CREDITS": lambda tex: make(tex, lambda doc, i: signboard(doc, i == 1, "CREDITS", icon_scroll(doc))),
    "EXIT": lambda tex: make(tex, lambda doc, i: exit_button(doc, i == 1)),
    "BACKMENU": lambda tex: make(tex, lambda doc, i: back_button(doc, i == 1)),
    "CURSOR0": lambda tex: single(tex, menu_cursor),
    "TRANSIT_WHITE": lambda tex: _texel(tex, "#ffffff"),
    "LOGO_HX": lambda tex: single(tex, lambda doc: place(emblem_hx(doc), 0, 0, 1.3)),
    "LOGO_VL": lambda tex: single(tex, lambda doc: place(emblem_vl(doc), 0, 0, 1.3)),
    "LOGO_KT": lambda tex: single(tex, lambda doc: place(emblem_kt(doc), 0, 0, 1.3)),
    "LOGO_M": lambda tex: single(tex, lambda doc: place(emblem_m(doc), 0, 0, 1.3)),
    "DEMO": lambda tex: make(tex, lambda doc, i: demo_badge(doc, i == 1)),
    **{f"L{act + 1}": (lambda act: lambda tex: make(tex, lambda doc, i: region_overlay(doc, tex.rect, i == 1,
                                                                                      act)))(act)
       for act in range(len(ACTS))},
    "FS_WINDOWS": lambda tex: make(tex, fullscreen_button),
    "BGM": lambda tex: make(tex, lambda doc, i: music_icon(doc, i == 1)),
    "SFX": lambda tex: make(tex, lambda doc, i: sound_icon(doc, i == 1)),
    "VOLUME_BAR": lambda tex: single(tex, volume_bar),
    "VOLUME_BALL": lambda tex: single(tex, volume_ball),
}
