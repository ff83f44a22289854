"""The play screen's own pieces: cannon, projectiles, bars, markers, cursors, pause and tutorial."""

import math

from common import make, place, single
from style import (CRYSTAL, ELEMENTS, GOLD, INK, METAL, UI_DARK, bolt_points, drop_shadow, flame_path,
                   gloss, glow, label, orb, shade, snowflake, star_points)
from svg import Doc, circle, ellipse, group, line, path, poly, polyline, rect, text

ELEM_BY_SUFFIX = {"BASE": "neutral", "NEUTRAL": "neutral", "FIRE": "fire", "ICE": "ice", "LIGHTNING": "lightning"}


# --- cannon -------------------------------------------------------------------------------------

def cannon_art(doc):
    sw = 2.6
    barrel = doc.linear([(0, "#8a5a1a"), (0.25, "#f7d27a"), (0.5, "#d99a2b"), (1, "#6b3f0c")], 0, 0, 1, 0)
    items = [
        # breech knob below the hub
        circle(0, 30, 13, fill=shade(doc, METAL), stroke=INK, stroke_width=sw),
        # barrel, narrowing towards the muzzle
        path("M-15,6 L-12,-78 L12,-78 L15,6 Z", fill=barrel, stroke=INK, stroke_width=sw, stroke_linejoin="round"),
        # elemental bands
        rect(-14.2, -30, 28.4, 7, fill=ELEMENTS["fire"]["base"], stroke=INK, stroke_width=1.6),
        rect(-13.6, -46, 27.2, 7, fill=ELEMENTS["ice"]["base"], stroke=INK, stroke_width=1.6),
        rect(-13.0, -62, 26.0, 7, fill=ELEMENTS["lightning"]["base"], stroke=INK, stroke_width=1.6),
        # muzzle lip
        path("M-17,-76 L17,-76 L15,-89 L-15,-89 Z", fill=barrel, stroke=INK, stroke_width=sw, stroke_linejoin="round"),
        ellipse(0, -88.5, 12, 2.2, fill="#2a1a08"),
        path("M-9,-74 L-7,-12", stroke="#fff6d8", stroke_width=3, opacity=0.55, stroke_linecap="round"),
        # hub with its core
        orb(doc, 0, 0, 24, METAL, sw),
        circle(0, 0, 15, fill=doc.radial([(0, "#ffffff"), (0.45, "#ffe9a8"), (1, "#d9902b")]),
               stroke=INK, stroke_width=2),
        *[circle(19 * math.cos(math.radians(a)), 19 * math.sin(math.radians(a)), 2.2, fill="#e9eef5",
                 stroke=INK, stroke_width=1) for a in range(0, 360, 45)],
        gloss(-8, -9, 7, 4),
    ]
    return items


def cannonbase_art(doc, sw=2.6):
    return [
        drop_shadow(4, 5, 32, 30),
        circle(0, 0, 32, fill=shade(doc, METAL), stroke=INK, stroke_width=sw),
        circle(0, 0, 24, fill=doc.linear([(0, "#2c3340"), (1, "#596578")]), stroke=INK, stroke_width=2),
        *[rect(-3.5, -33, 7, 9, fill=GOLD["base"], stroke=INK, stroke_width=1.4,
               transform=f"rotate({a})") for a in range(0, 360, 60)],
        gloss(-14, -16, 10, 5, 0.35),
    ]


# --- projectiles --------------------------------------------------------------------------------

def projectile(doc, element, sw=1.6):
    """A projectile flying to the right, drawn in a 30 x 30 cell."""
    pal = ELEMENTS[element]
    if element == "neutral":
        return [
            path("M-14,0 L-2,-6 L-2,6 Z", fill="#ffffff", opacity=0.55),
            orb(doc, 3, 0, 9.5, pal, sw),
            gloss(0, -3.5, 3.5, 2),
        ]
    if element == "fire":
        return [
            path("M-14,0 C-8,-9 0,-10 4,-9 L4,9 C0,10 -8,9 -14,0 Z", fill=pal["accent"], opacity=0.85),
            path("M-10,0 C-5,-5 0,-6 4,-5 L4,5 C0,6 -5,5 -10,0 Z", fill=pal["glow"], opacity=0.9),
            orb(doc, 4, 0, 9.5, pal, sw),
            circle(5, 0, 4.5, fill=pal["glow"]),
            gloss(1, -3.5, 3.5, 2),
        ]
    if element == "ice":
        shard = [(14, 0), (4, -9), (-4, -6), (-10, 0), (-4, 6), (4, 9)]
        return [
            path("M-14,-3 L-6,-1 M-14,4 L-5,2", stroke=pal["accent"], stroke_width=2, stroke_linecap="round"),
            poly(shard, fill=shade(doc, pal), stroke=INK, stroke_width=sw, stroke_linejoin="round"),
            path("M14,0 L-4,-6 M14,0 L-4,6 M14,0 L-10,0", stroke="#ffffff", stroke_width=1, opacity=0.8),
            gloss(0, -3, 4, 1.6, 0.7),
        ]
    return [
        path("M-14,-2 L-8,2 L-5,-3 L0,1", stroke=pal["accent"], stroke_width=2, fill="none",
             stroke_linejoin="round"),
        orb(doc, 3, 0, 9.5, pal, sw),
        poly(bolt_points(3, 0, 6.5), fill=pal["accent"], stroke=INK, stroke_width=0.9),
        gloss(0, -4, 3, 1.6),
    ]


def fire_burst(doc):
    return [
        circle(0, 0, 14.5, fill=doc.radial([(0, "#fff6c8"), (0.35, "#ffc23a"), (0.7, "#ff5a1a", 0.9),
                                             (1, "#b3180c", 0)])),
        poly(star_points(0, 0, 14, 7, 10, -90), fill="#ffe07a", opacity=0.55),
        circle(0, 0, 5, fill="#ffffff", opacity=0.8),
    ]


def strike_flash(doc):
    pal = ELEMENTS["lightning"]
    return [
        glow(doc, 0, 0, 15, pal["accent"], 0.9),
        poly(star_points(0, 0, 14, 4, 4, -90), fill=pal["glow"], stroke=INK, stroke_width=1),
        poly(star_points(0, 0, 9, 3, 4, -45), fill=pal["base"], stroke=INK, stroke_width=0.8),
        circle(0, 0, 3, fill="#ffffff"),
    ]


def streak(doc, element):
    """The 32 x 74 streaking form of a projectile: head at the centre, where its hit circle is, a
    spark ahead of it and the trail below."""
    pal = ELEMENTS[element]
    trail = doc.linear([(0, pal["accent"], 0.95), (1, pal["base"], 0)], 0, 0, 0, 1)
    items = [glow(doc, 0, -18, 16, pal["glow"], 0.7),
             path("M-11,5 L11,5 L2,36 L-2,36 Z", fill=trail)]
    head = projectile(doc, element)
    # the head's orb sits 3 units ahead of its drawing's origin
    items.append(place(head, 0, 5, 1.3, rot=-90))
    return items


# --- bars and trays -----------------------------------------------------------------------------

def progress_bottom(doc):
    frame = doc.linear([(0, "#6a5d8a"), (1, "#2a2240")], 0, 0, 0, 1)
    items = [
        rect(-150, -15.5, 300, 31, rx=9, fill=frame, stroke=INK, stroke_width=2.4),
        rect(-147, -1.5, 296, 10, rx=3, fill="#120c1c", stroke="#000000", stroke_width=1),
    ]
    for i in range(9):
        x = -145 + i * 292 / 8
        items.append(path(f"M{x:.1f},-12 L{x:.1f},-5", stroke=GOLD["light"], stroke_width=1.6, opacity=0.8))
    items.append(circle(-145, -8.5, 3, fill=ELEMENTS["ice"]["base"], stroke=INK, stroke_width=1))
    items.append(poly(star_points(147, -8.5, 5, 2.2, 5), fill=GOLD["base"], stroke=INK, stroke_width=0.8))
    items.append(rect(-140, -13, 120, 3, rx=1.5, fill="#ffffff", opacity=0.18))
    return items


def progress_bar(doc, colour_light, colour_dark):
    # The sprite grows from its centre; only the right half is painted, so the bar runs from the
    # left end of the groove to the right as the scale goes from 0 to 1.
    return [rect(0, -1, 292, 1, fill=colour_light), rect(0, 0, 292, 1, fill=colour_dark)]


def prediction(doc):
    plate = doc.linear([(0, UI_DARK["light"]), (1, UI_DARK["dark"])], 0, 0, 0, 1)
    items = [
        drop_shadow(3, 4, 62, 30, 0.3),
        rect(-64, -35, 128, 70, rx=16, fill=plate, stroke=INK, stroke_width=2.6),
        rect(-60, -31, 120, 10, rx=5, fill="#ffffff", opacity=0.12),
    ]
    for i, x in enumerate((-38, 0, 38)):
        ring = GOLD["base"] if i == 2 else "#8c83a8"
        items.append(circle(x, 7, 17, fill="#120c1c", stroke=ring, stroke_width=3))
        items.append(circle(x, 7, 17, fill="none", stroke=INK, stroke_width=1))
    items.append(poly([(56, 7), (50, 1), (50, 13)], fill=GOLD["light"], stroke=INK, stroke_width=1))
    items.append(text(0, -20, "NEXT", 10, fill=GOLD["light"], letter_spacing=2))
    return items


GAUGE_X = (-37, -11, 14, 39)


def resource_bottom(doc):
    items = [rect(-49, -22, 98, 44, rx=6, fill="#140d1e", stroke=INK, stroke_width=2)]
    for x in GAUGE_X:
        items.append(rect(x - 11, -20, 22, 42, fill="#2a1f36"))
        items.append(rect(x - 11, -20, 5, 42, fill="#000000", opacity=0.35))
    return items


def resource_bar(doc):
    fill = doc.linear([(0, CRYSTAL["dark"]), (0.3, CRYSTAL["base"]), (0.55, CRYSTAL["light"]),
                       (0.8, CRYSTAL["base"]), (1, CRYSTAL["dark"])], 0, 0, 1, 0)
    items = [rect(-11, -23, 22, 46, fill=fill)]
    for y in range(-19, 23, 8):
        items.append(path(f"M-11,{y + 4} L0,{y} L11,{y + 4}", stroke="#ffffff", stroke_width=1, fill="none",
                          opacity=0.35))
    items.append(rect(-11, -23, 22, 3, fill="#ffffff", opacity=0.7))
    return items


def resource_top(doc):
    outer = "M-64,-28 h128 a6,6 0 0 1 6,6 v44 a6,6 0 0 1 -6,6 h-128 a6,6 0 0 1 -6,-6 v-44 a6,6 0 0 1 6,-6 Z"
    holes = " ".join(f"M{x - 10},-19 h20 v41 h-20 Z" for x in GAUGE_X)
    frame = doc.linear([(0, GOLD["light"]), (0.5, GOLD["base"]), (1, GOLD["dark"])])
    items = [
        path(outer + " " + holes, fill=frame, fill_rule="evenodd", stroke=INK, stroke_width=2.4),
        path(holes, fill="none", stroke=INK, stroke_width=1.6),
    ]
    # a crystal emblem at the left end
    items.append(poly([(-58, -6), (-53, -14), (-48, -6), (-53, 8)], fill=shade(doc, CRYSTAL), stroke=INK,
                      stroke_width=1.2))
    items.append(poly([(59, -14), (61, -10), (59, 10), (57, -10)], fill=CRYSTAL["light"], stroke=INK,
                      stroke_width=0.8))
    items.append(rect(-60, -26, 60, 3, rx=1.5, fill="#ffffff", opacity=0.45))
    return items


def bouncedot(doc, i):
    if i == 0:
        return [
            circle(0, 0, 10.5, fill="none", stroke=INK, stroke_width=5),
            circle(0, 0, 10.5, fill="none", stroke=ELEMENTS["ice"]["accent"], stroke_width=2.6),
            circle(0, 0, 3.5, fill="#ffffff", stroke=INK, stroke_width=1.4),
        ]
    return [
        poly([(0, -11.5), (11.5, 0), (0, 11.5), (-11.5, 0)], fill=shade(doc, GOLD), stroke=INK, stroke_width=1.8),
        poly([(0, -5), (5, 0), (0, 5), (-5, 0)], fill="#ffffff"),
    ]


# --- buttons of the play level ------------------------------------------------------------------

def pause_button(doc, i):
    pal = GOLD if i else {"light": "#7d74a3", "base": "#463c68", "dark": "#221a36"}
    return [
        rect(-16.5, -15.5, 33, 31, rx=8, fill=shade(doc, pal), stroke=INK, stroke_width=2),
        rect(-8, -8, 5.5, 16, rx=1.5, fill="#ffffff", stroke=INK, stroke_width=1),
        rect(2.5, -8, 5.5, 16, rx=1.5, fill="#ffffff", stroke=INK, stroke_width=1),
        rect(-12, -12, 20, 3, rx=1.5, fill="#ffffff", opacity=0.3),
    ]


def medallion(doc, lit, icon, word):
    rim = GOLD if lit else {"light": "#c9c2dd", "base": "#7d7598", "dark": "#3a3352"}
    face = doc.radial([(0, "#5a4f86" if lit else "#463d68"), (1, "#1f1833")], cx=0.4, cy=0.35, r=0.7)
    items = []
    if lit:
        items.append(glow(doc, 0, 0, 99, GOLD["light"], 0.7))
    items += [
        drop_shadow(5, 7, 82, 82, 0.35),
        circle(0, 0, 84, fill=shade(doc, rim), stroke=INK, stroke_width=4),
        circle(0, 0, 70, fill=face, stroke=INK, stroke_width=3),
        group(icon, transform="translate(0 -14)"),
        label(0, 50, word, 22, fill=GOLD["light"] if lit else "#ffffff", spacing=1),
        gloss(-38, -46, 26, 11, 0.25),
    ]
    return items


def icon_exit(doc):
    return [
        rect(-26, -30, 34, 56, rx=3, fill="#8a5a2b", stroke=INK, stroke_width=3),
        rect(-20, -24, 22, 44, fill="#3a2313", stroke=INK, stroke_width=2),
        path("M2,-2 L30,-2 L30,-12 L44,2 L30,16 L30,6 L2,6 Z", fill=shade(doc, GOLD), stroke=INK, stroke_width=3,
             stroke_linejoin="round"),
    ]


def icon_restart(doc):
    return [
        path("M-28,4 A30,30 0 1 1 -12,24", fill="none", stroke=INK, stroke_width=15, stroke_linecap="round"),
        path("M-28,4 A30,30 0 1 1 -12,24", fill="none", stroke=ELEMENTS["ice"]["accent"], stroke_width=8,
             stroke_linecap="round"),
        poly([(-42, -4), (-14, -4), (-30, 18)], fill=ELEMENTS["ice"]["accent"], stroke=INK, stroke_width=3,
             stroke_linejoin="round"),
    ]


def icon_resume(doc):
    return [poly([(-20, -30), (32, 0), (-20, 30)], fill=shade(doc, ELEMENTS["fire"]), stroke=INK,
                 stroke_width=4, stroke_linejoin="round"),
            path("M-13,-16 L8,-4", stroke="#ffffff", stroke_width=4, opacity=0.5, stroke_linecap="round")]


# --- tutorial -----------------------------------------------------------------------------------

def tut_target(doc):
    red = ELEMENTS["fire"]
    items = [glow(doc, 0, 0, 96, red["accent"], 0.45)]
    for r, w in ((78, 9), (52, 7)):
        items.append(circle(0, 0, r, fill="none", stroke=INK, stroke_width=w + 5))
        items.append(circle(0, 0, r, fill="none", stroke=red["base"] if r == 78 else "#ffffff", stroke_width=w))
    for a in range(0, 360, 90):
        items.append(poly([(0, -64), (-12, -92), (12, -92)], fill=shade(doc, GOLD), stroke=INK, stroke_width=3,
                          transform=f"rotate({a})"))
    items.append(circle(0, 0, 10, fill=red["base"], stroke=INK, stroke_width=3))
    return items


def mouse_art(doc, pressed=False):
    body = "M0,-55 C30,-55 38,-30 38,0 L38,20 C38,45 22,58 0,58 C-22,58 -38,45 -38,20 L-38,0 C-38,-30 -30,-55 0,-55 Z"
    left = "M-2,-53 C-24,-52 -36,-36 -37,-4 L-2,-4 Z"
    items = [
        drop_shadow(6, 8, 38, 55, 0.3),
        path(body, fill=doc.linear([(0, "#ffffff"), (1, "#b9c1d0")]), stroke=INK, stroke_width=4),
        path(left, fill=GOLD["base"] if pressed else "#e9edf4", stroke=INK, stroke_width=3,
             stroke_linejoin="round"),
        path("M2,-53 C24,-52 36,-36 37,-4 L2,-4 Z", fill="#e9edf4", stroke=INK, stroke_width=3,
             stroke_linejoin="round"),
        rect(-4, -40, 8, 18, rx=4, fill="#6e7890", stroke=INK, stroke_width=2),
        gloss(-16, -30, 10, 6, 0.5),
    ]
    return items


def arrow_shape(doc, x, y, direction, pal):
    pts = [(0, -10), (18, -10), (18, -20), (38, 0), (18, 20), (18, 10), (0, 10)]
    if direction < 0:
        pts = [(-px, py) for px, py in pts]
    return poly([(x + px, y + py) for px, py in pts], fill=shade(doc, pal), stroke=INK, stroke_width=3,
                stroke_linejoin="round")


def tut_move(doc, i):
    dx = -14 if i == 0 else 14
    return [
        arrow_shape(doc, -52, 0, -1, GOLD), arrow_shape(doc, 52, 0, 1, GOLD),
        place(mouse_art(doc), dx, 0, 0.9),
    ]


def tut_click(doc, i):
    items = [place(mouse_art(doc, pressed=(i == 1)), 8, 10, 0.9)]
    if i == 1:
        for a in (-150, -120, -90):
            r = math.radians(a)
            items.append(line(-10 + 52 * math.cos(r), -30 + 52 * math.sin(r), -10 + 78 * math.cos(r),
                              -30 + 78 * math.sin(r), stroke=GOLD["light"], stroke_width=7, stroke_linecap="round"))
            items.append(line(-10 + 52 * math.cos(r), -30 + 52 * math.sin(r), -10 + 78 * math.cos(r),
                              -30 + 78 * math.sin(r), stroke=INK, stroke_width=2, stroke_linecap="round",
                              opacity=0.6))
    return items


def tut_tick(doc):
    green = {"light": "#d8ffc2", "base": "#4fd36a", "dark": "#187a35"}
    return [
        place(mouse_art(doc), -26, 10, 0.75),
        path("M8,6 L34,38 L88,-40 L74,-52 L34,12 L20,-6 Z", fill=shade(doc, green), stroke=INK,
             stroke_width=4, stroke_linejoin="round"),
    ]


# --- cursors ------------------------------------------------------------------------------------

def inked(shape_fn, width, colour="#ffffff"):
    """A line drawing for the cursor layers: a dark line under a white one, so that a tint shows."""
    return [shape_fn(INK, width + 5), shape_fn(colour, width)]


def ring(r, dash=None, gaps=0):
    def f(colour, w):
        kw = {}
        if dash:
            kw["stroke_dasharray"] = dash
        return circle(0, 0, r, fill="none", stroke=colour, stroke_width=w, **kw)
    return f


def arcs(r, spans):
    def f(colour, w):
        d = []
        for a0, a1 in spans:
            x0, y0 = r * math.cos(math.radians(a0)), r * math.sin(math.radians(a0))
            x1, y1 = r * math.cos(math.radians(a1)), r * math.sin(math.radians(a1))
            d.append(f"M{x0:.1f},{y0:.1f} A{r},{r} 0 0 1 {x1:.1f},{y1:.1f}")
        return path(" ".join(d), fill="none", stroke=colour, stroke_width=w, stroke_linecap="round")
    return f


def ticks(r0, r1, n, offset=0):
    def f(colour, w):
        d = []
        for k in range(n):
            a = math.radians(offset + k * 360 / n)
            d.append(f"M{r0 * math.cos(a):.1f},{r0 * math.sin(a):.1f} L{r1 * math.cos(a):.1f},{r1 * math.sin(a):.1f}")
        return path(" ".join(d), stroke=colour, stroke_width=w, stroke_linecap="round")
    return f


def cursor_piece(doc, i):
    if i == 1:
        return inked(arcs(120, [(a + 8, a + 82) for a in range(0, 360, 90)]), 7)
    if i == 2:
        return inked(ticks(134, 144, 24, 7.5), 5)
    if i == 3:
        return inked(arcs(86, [(a - 20, a + 20) for a in (45, 135, 225, 315)]), 7)
    if i == 4:
        return inked(ring(82, dash="10 12"), 4)
    if i == 5:
        return inked(arcs(84, [(150, 210), (-30, 30)]), 8) + inked(ticks(60, 72, 2, 0), 6)
    if i == 6:
        return inked(ring(46), 4)
    if i == 7:
        return inked(ticks(32, 39, 8, 22.5), 4)
    if i == 8:
        def dots(colour, w):
            return group([circle(66 * math.cos(math.radians(a)), 66 * math.sin(math.radians(a)), w / 2,
                                 fill=colour) for a in range(0, 360, 30)])
        return [dots(INK, 11), dots("#ffffff", 6)]
    if i == 9:
        return inked(ring(28), 4)
    if i == 10:
        def chevrons(colour, w):
            d = []
            for a in range(0, 360, 90):
                r = math.radians(a)
                tip = (17 * math.cos(r), 17 * math.sin(r))
                b1 = (27 * math.cos(r + 0.35), 27 * math.sin(r + 0.35))
                b2 = (27 * math.cos(r - 0.35), 27 * math.sin(r - 0.35))
                d.append(f"M{b1[0]:.1f},{b1[1]:.1f} L{tip[0]:.1f},{tip[1]:.1f} L{b2[0]:.1f},{b2[1]:.1f}")
            return path(" ".join(d), fill="none", stroke=colour, stroke_width=w, stroke_linejoin="round",
                        stroke_linecap="round")
        return inked(chevrons, 4)
    if i == 11:
        return inked(ticks(9, 22, 4, 0), 4)
    if i == 12:
        def corners(colour, w):
            d = []
            for sx, sy in ((1, 1), (-1, 1), (1, -1), (-1, -1)):
                d.append(f"M{sx * 50},{sy * 30} L{sx * 50},{sy * 50} L{sx * 30},{sy * 50}")
            return path(" ".join(d), fill="none", stroke=colour, stroke_width=w, stroke_linejoin="round",
                        stroke_linecap="round")
        return inked(corners, 5)
    if i == 13:
        return [poly([(0, -11), (11, 0), (0, 11), (-11, 0)], fill="#ffffff", stroke=INK, stroke_width=3)]
    if i == 14:
        return inked(ring(7), 2)
    if i == 15:
        return [circle(0, 0, 5, fill="none", stroke=INK, stroke_width=4),
                circle(0, 0, 5, fill="none", stroke="#ffffff", stroke_width=2)]
    return [circle(0, 0, 4, fill="#ffffff", stroke=INK, stroke_width=2)]


def arrow_cursor(doc, scale, tip):
    pts = [(0, 0), (0, 22), (6, 17), (10, 26), (14, 24), (10, 15.5), (17, 15.5)]
    return poly([(tip[0] + x * scale, tip[1] + y * scale) for x, y in pts], fill=doc.linear(
        [(0, "#ffffff"), (1, "#c7cfdc")]), stroke=INK, stroke_width=1.6 * scale, stroke_linejoin="round")


# --- registry -----------------------------------------------------------------------------------

def _elem(name):
    return ELEM_BY_SUFFIX[name.split("_")[1].rstrip("2")]


DRAWERS = {
    "CANNON": lambda tex: single(tex, cannon_art),
    "CANNONBASE": lambda tex: single(tex, cannonbase_art),
    "AMMO_BASE": lambda tex: single(tex, lambda doc: projectile(doc, "neutral")),
    "AMMO_FIRE": lambda tex: make(tex, lambda doc, i: projectile(doc, "fire") if i == 0 else fire_burst(doc)),
    "AMMO_ICE": lambda tex: single(tex, lambda doc: projectile(doc, "ice")),
    "AMMO_LIGHTNING": lambda tex: make(tex, lambda doc, i: projectile(doc, "lightning") if i == 0
                                       else strike_flash(doc)),
    **{f"AMMO_{e}2": (lambda e: lambda tex: single(tex, lambda doc: streak(doc, ELEM_BY_SUFFIX[e])))(e)
       for e in ("NEUTRAL", "FIRE", "ICE", "LIGHTNING")},
    "CHAIN_LIGHTNING": lambda tex: _texels(tex, ["#fff3a0", "#b47cff"]),
    "TRANSIT_BLACK": lambda tex: _texels(tex, ["#000000"]),
    "PROGRESS_BOTTOM": lambda tex: single(tex, progress_bottom),
    "PROGRESS_BAR1": lambda tex: single(tex, lambda doc: progress_bar(doc, "#fff2a8", "#ffd23f")),
    "PROGRESS_BAR2": lambda tex: single(tex, lambda doc: progress_bar(doc, "#ff9f2e", "#c8500f")),
    "PREDICTION": lambda tex: single(tex, prediction),
    "RESOURCE_BOTTOM": lambda tex: single(tex, resource_bottom),
    "RESOURCE_BAR": lambda tex: single(tex, resource_bar),
    "RESOURCE_TOP": lambda tex: single(tex, resource_top),
    "BOUNCEDOT": lambda tex: make(tex, bouncedot),
    "PAUSE": lambda tex: make(tex, pause_button),
    "PAUSE_EXIT": lambda tex: make(tex, lambda doc, i: medallion(doc, i == 1, icon_exit(doc), "EXIT")),
    "PAUSE_RESTART": lambda tex: make(tex, lambda doc, i: medallion(doc, i == 1, icon_restart(doc), "RESTART")),
    "PAUSE_RESUME": lambda tex: make(tex, lambda doc, i: medallion(doc, i == 1, icon_resume(doc), "RESUME")),
    "TUT_TARGET": lambda tex: single(tex, tut_target),
    "TUT_MOUSE_MOVE": lambda tex: make(tex, tut_move),
    "TUT_MOUSE_TICK": lambda tex: single(tex, tut_tick),
    "TUT_MOUSE_CLICK": lambda tex: make(tex, tut_click),
    **{f"CURSOR_{i:02d}": (lambda i: lambda tex: single(tex, lambda doc: cursor_piece(doc, i)))(i)
       for i in range(1, 17)},
    "CURSOR": lambda tex: single(tex, lambda doc: arrow_cursor(doc, 0.55, (-7.5, -7.5))),
}


def _texels(tex, colours):
    doc = Doc(tex.fw, tex.fh, tex.name)
    for row, colour in enumerate(colours):
        doc.add(rect(0, row, tex.fw, 1, fill=colour))
    return doc
