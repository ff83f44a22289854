"""The play field: the four skies, the city with its damage states, tower sites and towers,
crystals and the large effects (wave banner, shock wave, healing ring)."""

import math
import random

from common import make, place, single
from style import (CRYSTAL, ELEMENTS, GOLD, HEAL, INK, METAL, STONE, bolt_points, drop_shadow, flame_path, gloss,
                   glow, mix, orb, shade, snowflake, star_points, title_text)
from svg import circle, ellipse, group, line, path, poly, polyline, rect, text


# --- skies --------------------------------------------------------------------------------------

SKIES = [
    {"sky": ["#5fb6f0", "#9fd8fb", "#e4f6ff"], "far": "#a9c4e0", "mid": "#7cc46a", "near": "#55a352",
     "cloud": "#ffffff", "cloud_shade": "#d6e6f5", "wall": STONE},
    {"sky": ["#3a2a6e", "#b3507e", "#ffb46a"], "far": "#7a5a9a", "mid": "#4e3a72", "near": "#35275a",
     "cloud": "#ffb3a8", "cloud_shade": "#c4688a", "wall": {"light": "#c9a7b8", "base": "#8a6a86",
                                                             "dark": "#3e2c44"}},
    {"sky": ["#060b22", "#15224e", "#2c3f7a"], "far": "#2b3768", "mid": "#1c2750", "near": "#121a38",
     "cloud": "#3a4a82", "cloud_shade": "#24305e", "wall": {"light": "#7d87b0", "base": "#4a5380",
                                                             "dark": "#1c2140"}},
    {"sky": ["#120a1c", "#3b2240", "#7c3434"], "far": "#3a2838", "mid": "#25182c", "near": "#170f1e",
     "cloud": "#4a3a58", "cloud_shade": "#241a30", "wall": {"light": "#8a7a8a", "base": "#4e4250",
                                                             "dark": "#1e161f"}},
]


def ridge(rng, y, amp, step, w=516, smooth=True):
    """A hill or mountain line across the frame, closed down to its bottom."""
    pts = []
    x = -w - step
    while x <= w + step:
        pts.append((x, y + rng.uniform(-amp, amp)))
        x += step
    d = f"M{-w - step},400 L{pts[0][0]:.0f},{pts[0][1]:.0f}"
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        if smooth:
            d += f" Q{x0 + step / 2:.0f},{y0:.0f} {(x0 + x1) / 2 + step / 4:.0f},{(y0 + y1) / 2:.0f}"
        else:
            d += f" L{x1:.0f},{y1:.0f}"
    d += f" L{w + step},400 Z"
    return d


def cloud(doc, cx, cy, s, colour, shadow):
    puffs = [(-1.0, 0.15, 0.55), (-0.45, -0.2, 0.7), (0.2, -0.35, 0.8), (0.85, 0.0, 0.6), (0.1, 0.2, 0.6)]
    fill = doc.linear([(0, colour), (1, shadow)], 0, 0, 0.3, 1)
    return group([ellipse(cx + px * s, cy + py * s, r * s, r * s * 0.8, fill=fill) for px, py, r in puffs] +
                 [rect(cx - 1.1 * s, cy, 2.2 * s, 0.55 * s, fill=shadow, rx=0.25 * s)], opacity=0.92)


def side_walls(doc, pal):
    """Stone pillars just outside the walls that projectiles bounce from (x = +-499)."""
    items = []
    for side in (-1, 1):
        x0 = 497 if side > 0 else -516
        items.append(rect(x0, -387, 19, 774, fill=doc.linear([(0, pal["light"]), (1, pal["dark"])], 0, 0, 1, 0)))
        items.append(line(side * 497, -387, side * 497, 387, stroke=INK, stroke_width=3))
        for y in range(-387, 387, 26):
            items.append(line(x0, y, x0 + 19, y, stroke=INK, stroke_width=1.2, opacity=0.5))
    return items


def background(doc, i):
    p = SKIES[i]
    rng = random.Random(11 + i)
    items = [rect(-516, -387, 1032, 774, fill=doc.linear([(0, p["sky"][0]), (0.55, p["sky"][1]),
                                                          (1, p["sky"][2])], 0, 0, 0, 1))]
    if i == 0:
        items.append(glow(doc, -330, -260, 260, "#fff6c8", 0.9))
        items.append(poly(star_points(-330, -260, 90, 62, 12), fill="#fff1a0", opacity=0.5))
        items.append(circle(-330, -260, 52, fill=doc.radial([(0, "#ffffff"), (0.6, "#fff3b0"), (1, "#ffd45a")])))
    elif i == 1:
        items.append(glow(doc, -300, 150, 340, "#ffcf7a", 0.9))
        items.append(circle(-300, 150, 70, fill=doc.radial([(0, "#fff8d8"), (0.7, "#ffc46a"), (1, "#ff8a4a")])))
    elif i == 2:
        for _ in range(140):
            x, y = rng.uniform(-500, 500), rng.uniform(-387, 160)
            r = rng.choice((0.8, 1.0, 1.3, 1.8))
            items.append(circle(x, y, r, fill="#ffffff", opacity=rng.uniform(0.4, 1.0)))
        items.append(path("M-516,-60 C-300,-160 -100,-40 100,-120 C260,-180 400,-100 516,-150 L516,-90 "
                          "C400,-40 260,-120 100,-60 C-100,20 -300,-100 -516,0 Z",
                          fill=doc.linear([(0, "#4dffc4", 0.0), (0.5, "#4dffc4", 0.22), (1, "#7ab8ff", 0.0)],
                                          0, 0, 1, 0)))
        items.append(glow(doc, -320, -250, 150, "#dfe9ff", 0.7))
        items.append(circle(-320, -250, 46, fill=doc.radial([(0, "#ffffff"), (0.7, "#e6ecff"), (1, "#b8c4ea")],
                                                            cx=0.38, cy=0.35)))
        for cx, cy, r in ((-334, -262, 9), (-305, -236, 6), (-312, -268, 4)):
            items.append(circle(cx, cy, r, fill="#c2ccec"))
    else:
        items.append(glow(doc, 0, 300, 600, "#ff5a3a", 0.35))
    # clouds
    for _ in range((5, 5, 3, 9)[i]):
        x, y = rng.uniform(-440, 440), rng.uniform(-330, 40 if i != 3 else -60)
        s = rng.uniform(40, 80) if i != 3 else rng.uniform(70, 120)
        items.append(cloud(doc, x, y, s, p["cloud"], p["cloud_shade"]))
    if i == 3:
        for x0, y0 in ((-200, -300), (260, -260), (60, -330)):
            pts = [(x0, y0)]
            for _ in range(6):
                pts.append((pts[-1][0] + rng.uniform(-30, 30), pts[-1][1] + rng.uniform(30, 55)))
            items.append(polyline(pts, stroke="#ffe97a", stroke_width=8, opacity=0.35, stroke_linejoin="round"))
            items.append(polyline(pts, stroke="#ffffff", stroke_width=3, stroke_linejoin="round"))
        for _ in range(160):
            x, y = rng.uniform(-516, 516), rng.uniform(-387, 300)
            items.append(line(x, y, x - 8, y + 26, stroke="#b8c0e0", stroke_width=1.4, opacity=0.35))
    # land, from far to near, lit from the left
    items.append(path(ridge(rng, 110, 60, 120, smooth=False), fill=doc.linear(
        [(0, mix(p["far"], "#ffffff", 0.2)), (1, p["far"])], 0, 0, 1, 0.4)))
    items.append(path(ridge(rng, 190, 30, 160), fill=doc.linear([(0, p["mid"]), (1, mix(p["mid"], "#000000", 0.25))],
                                                                0, 0, 0, 1)))
    items.append(path(ridge(rng, 255, 18, 190), fill=doc.linear([(0, p["near"]), (1, mix(p["near"], "#000000", 0.3))],
                                                                0, 0, 0, 1)))
    if i == 0:
        for x in (-380, -150, 210, 400):
            items.append(ellipse(x, 200 + rng.uniform(-10, 10), 30, 22, fill="#4e9a48"))
            items.append(rect(x - 4, 210, 8, 22, fill="#6b4a2a"))
    items += side_walls(doc, p["wall"])
    return items


# --- city ---------------------------------------------------------------------------------------

def house(doc, rng, x, base, w, h, roof, burning, ruined):
    items = []
    wall = STONE if rng.random() < 0.6 else {"light": "#fff4e4", "base": "#e2cfae", "dark": "#8c7352"}
    top = base - h
    if ruined:
        jag = [(x - w / 2, base), (x - w / 2, top + h * 0.5), (x - w / 4, top + h * 0.7), (x, top + h * 0.35),
               (x + w / 5, top + h * 0.6), (x + w / 2, top + h * 0.45), (x + w / 2, base)]
        items.append(poly(jag, fill=shade(doc, {"light": "#6a5a52", "base": "#4a3c36", "dark": "#1e1614"}),
                          stroke=INK, stroke_width=1.8, stroke_linejoin="round"))
        return items
    items.append(rect(x - w / 2, top, w, h, fill=shade(doc, wall), stroke=INK, stroke_width=1.8))
    if roof == "cone":
        items.append(poly([(x - w / 2 - 3, top), (x, top - w * 0.9), (x + w / 2 + 3, top)],
                          fill=shade(doc, {"light": "#8fb8ff", "base": "#3f6fd0", "dark": "#1c3470"}),
                          stroke=INK, stroke_width=1.8, stroke_linejoin="round"))
    else:
        items.append(poly([(x - w / 2 - 4, top), (x - w / 4, top - w * 0.45), (x + w / 4, top - w * 0.45),
                           (x + w / 2 + 4, top)],
                          fill=shade(doc, {"light": "#ffae8a", "base": "#d8503a", "dark": "#7a1e16"}),
                          stroke=INK, stroke_width=1.8, stroke_linejoin="round"))
    for wy in range(int(top) + 6, int(base) - 8, 12):
        for wx in (x - w / 4, x + w / 4) if w > 22 else (x,):
            lit = "#ffe27a" if not burning else "#ff8a3a"
            items.append(rect(wx - 2.5, wy, 5, 6, fill=lit, stroke=INK, stroke_width=0.8))
    return items


def city(doc, level):
    """level 0 intact ... 3 burning, 4 destroyed."""
    rng = random.Random(5)
    items = []
    fires = []
    x = -505
    k = 0
    while x < 505:
        w = rng.choice((18, 22, 26, 30))
        h = rng.uniform(20, 44)
        roof = "cone" if rng.random() < 0.3 else "gable"
        if abs(x) < 40:
            x += 44
            continue
        state = rng.random()
        burning = level >= 1 and state < (0.0, 0.12, 0.3, 0.55, 1.0)[level]
        ruined = level >= 2 and state < (0.0, 0.0, 0.1, 0.35, 1.0)[level]
        items += house(doc, rng, x, 12, w, h, roof, burning, ruined)
        if burning and (level < 4 or rng.random() < 0.35):
            fires.append((x + rng.uniform(-4, 4), 12 - h * (0.45 if ruined else 1.0) - 2, rng.uniform(10, 18)))
        x += w + rng.uniform(2, 8)
        k += 1
    # the wall with its battlements
    wall = shade(doc, STONE) if level < 4 else shade(doc, {"light": "#7a6a60", "base": "#4e423c", "dark": "#221a17"})
    crest = []
    for mx in range(-512, 512, 32):
        if level >= 3 and rng.random() < (0.25 if level == 3 else 0.6):
            continue
        crest.append(rect(mx + 4, 2, 20, 10, fill=wall, stroke=INK, stroke_width=1.6))
    items += crest
    if level >= 3:
        breaches = [(-300, 20), (180, 16)] if level == 3 else [(-380, 22), (-120, 18), (150, 24), (360, 20)]
        d = "M-512,47 L-512,10"
        for bx, bw in breaches:
            d += f" L{bx - bw},10 L{bx - bw / 2},24 L{bx},18 L{bx + bw / 2},26 L{bx + bw},10"
        d += " L512,10 L512,47 Z"
        items.append(path(d, fill=wall, stroke=INK, stroke_width=2))
    else:
        items.append(rect(-512, 10, 1024, 37, fill=wall, stroke=INK, stroke_width=2))
    for bx in range(-496, 512, 48):
        items.append(line(bx, 10, bx, 47, stroke=INK, stroke_width=1, opacity=0.35))
    items.append(line(-512, 28, 512, 28, stroke=INK, stroke_width=1, opacity=0.35))
    items.append(rect(-512, 11, 1024, 3, fill="#ffffff", opacity=0.25))
    # flags while the city stands
    if level < 3:
        for fx in (-440, -160, 160, 440):
            items.append(line(fx, 2, fx, -30, stroke=INK, stroke_width=2))
            items.append(poly([(fx, -30), (fx + 16, -25), (fx, -20)], fill=GOLD["base"] if level == 0 else "#c9a0a0",
                              stroke=INK, stroke_width=1.2))
    for fx, fy, s in fires:
        items.append(glow(doc, fx, fy - s * 0.4, s * 1.4, "#ff7a2a", 0.55))
        items.append(path(flame_path(fx, fy, s * 0.9, s * 1.3), fill=shade(doc, {"light": "#fff1a0", "base": "#ff9a2a",
                                                                                  "dark": "#d2300f"}),
                          stroke=INK, stroke_width=1.2))
    if level >= 2:
        for _ in range(3 * level):
            sx = rng.uniform(-480, 480)
            items.append(ellipse(sx, rng.uniform(-40, -20), rng.uniform(14, 26), 7, fill="#2a2430",
                                 opacity=0.35 + 0.08 * level))
    if level == 4:
        for _ in range(40):
            items.append(circle(rng.uniform(-500, 500), rng.uniform(-10, 40), rng.uniform(1, 2.2),
                                fill="#ff9a3a", opacity=0.9))
    return items


# --- tower sites and towers ---------------------------------------------------------------------

def tower_base(doc):
    stone = shade(doc, STONE)
    return [
        drop_shadow(4, 42, 38, 5),
        path("M-36,-20 L36,-20 L40,44 L-40,44 Z", fill=stone, stroke=INK, stroke_width=2.6, stroke_linejoin="round"),
        ellipse(0, -20, 37, 13, fill=shade(doc, {"light": "#f4ead6", "base": "#cdb893", "dark": "#8a7352"}),
                stroke=INK, stroke_width=2.6),
        ellipse(0, -20, 24, 8, fill="none", stroke=GOLD["light"], stroke_width=2, opacity=0.9),
        ellipse(0, -20, 14, 4.5, fill=GOLD["base"], opacity=0.5),
        *[line(x, -8, x * 1.08, 44, stroke=INK, stroke_width=1.4, opacity=0.45) for x in (-18, 0, 18)],
        line(-38, 14, 38, 14, stroke=INK, stroke_width=1.4, opacity=0.45),
        rect(-34, -6, 10, 46, fill="#ffffff", opacity=0.12),
    ]


def select_icon(doc, element):
    pal = ELEMENTS[element]
    items = [orb(doc, 0, 0, 9, pal, 1.4)]
    if element == "fire":
        items.append(path(flame_path(0, 5, 8, 11), fill=pal["glow"], stroke=INK, stroke_width=0.8))
    elif element == "ice":
        items.append(snowflake(0, 0, 6.5, "#ffffff", 1.6))
    else:
        items.append(poly(bolt_points(0, 0, 5.5), fill=pal["accent"], stroke=INK, stroke_width=0.7))
    return items


def tower_column(doc, pal, top, sw=2.6):
    """The shared stone body of the towers, from `top` down to the ground (y = 91)."""
    return [
        path(f"M-26,{top} L26,{top} L31,84 L-31,84 Z", fill=shade(doc, STONE), stroke=INK, stroke_width=sw,
             stroke_linejoin="round"),
        rect(-36, 78, 72, 13, rx=3, fill=shade(doc, STONE), stroke=INK, stroke_width=sw),
        *[line(-28, y, 28, y, stroke=INK, stroke_width=1.2, opacity=0.4) for y in range(int(top) + 22, 80, 20)],
        rect(-22, top + 12, 7, 84 - top - 14, fill="#ffffff", opacity=0.14),
        # element banner
        path(f"M-12,{top + 10} L12,{top + 10} L12,{top + 52} L0,{top + 44} L-12,{top + 52} Z",
             fill=shade(doc, pal), stroke=INK, stroke_width=1.8, stroke_linejoin="round"),
    ]


def tower_fire(doc, oy=0, scale=1.0):
    pal = ELEMENTS["fire"]
    items = tower_column(doc, pal, -38)
    items += [
        path("M-34,-50 L34,-50 L26,-30 L-26,-30 Z", fill=shade(doc, METAL), stroke=INK, stroke_width=2.6,
             stroke_linejoin="round"),
        glow(doc, 0, -66, 40, pal["accent"], 0.8),
        path(flame_path(0, -50, 50, 44), fill=shade(doc, {"light": pal["glow"], "base": pal["accent"],
                                                            "dark": pal["base"]}), stroke=INK, stroke_width=2.2),
        path(flame_path(0, -50, 24, 26), fill=pal["glow"]),
        path(flame_path(0, -22, 8, 10), fill=pal["glow"], stroke=INK, stroke_width=1.0,
             transform="translate(0 30)"),
    ]
    return place(items, 0, oy, scale)


def tower_ice(doc):
    pal = ELEMENTS["ice"]
    items = tower_column(doc, pal, -38)
    crystal = [(0, -92), (18, -58), (12, -36), (-12, -36), (-18, -58)]
    items += [
        glow(doc, 0, -62, 42, pal["accent"], 0.7),
        poly(crystal, fill=shade(doc, {"light": "#ffffff", "base": pal["accent"], "dark": pal["base"]}), stroke=INK,
             stroke_width=2.4, stroke_linejoin="round"),
        path("M0,-92 L0,-36 M18,-58 L0,-50 L-18,-58", stroke="#ffffff", stroke_width=1.6, fill="none", opacity=0.8),
        poly([(-22, -38), (-30, -60), (-14, -42)], fill=pal["accent"], stroke=INK, stroke_width=1.8),
        poly([(22, -38), (30, -58), (14, -42)], fill=pal["accent"], stroke=INK, stroke_width=1.8),
        path("M-34,-40 L34,-40 L28,-30 L-28,-30 Z", fill=shade(doc, METAL), stroke=INK, stroke_width=2.4),
        snowflake(0, 54, 7, "#ffffff", 2),
    ]
    return items


def tower_lightning(doc):
    pal = ELEMENTS["lightning"]
    items = tower_column(doc, pal, -34)
    items += [
        path("M-6,-34 L-4,-54 L4,-54 L6,-34 Z", fill=shade(doc, METAL), stroke=INK, stroke_width=2),
        *[ellipse(0, y, 16 - k * 3, 3.6, fill=shade(doc, GOLD), stroke=INK, stroke_width=1.6)
          for k, y in enumerate((-38, -45, -52))],
        glow(doc, 0, -64, 26, pal["accent"], 0.9),
        orb(doc, 0, -64, 13, pal, 2.2),
        poly(bolt_points(0, -64, 7.5), fill=pal["accent"], stroke=INK, stroke_width=1),
        polyline([(-13, -68), (-23, -72), (-19, -62), (-31, -64)], stroke=pal["accent"], stroke_width=2.2,
                 stroke_linejoin="round"),
        polyline([(13, -60), (23, -56), (19, -66), (31, -62)], stroke=pal["accent"], stroke_width=2.2,
                 stroke_linejoin="round"),
        poly(bolt_points(0, 40, 8), fill=pal["accent"], stroke=INK, stroke_width=1),
    ]
    return items


def tower_launch(doc, i):
    pal = ELEMENTS["fire"]
    flame = shade(doc, {"light": pal["glow"], "base": pal["accent"], "dark": pal["base"]})
    lengths = ((34, 26, 40), (26, 36, 32))[i]
    items = [glow(doc, 0, 80, 36, pal["accent"], 0.9)]
    for x, h, w in ((-15, lengths[0], 16), (15, lengths[1], 16), (0, lengths[2], 22)):
        items.append(place([path(flame_path(0, 0, w, h), fill=flame, stroke=INK, stroke_width=1.8),
                            path(flame_path(0, 0, w * 0.45, h * 0.55), fill=pal["glow"])], x, 58, rot=180))
    items.append(tower_fire(doc, -16, 0.82))
    return items


# --- crystals, banner, effects ------------------------------------------------------------------

def crystal(doc, i):
    if i == 0:
        outer = [(0, -19), (13, -7), (10, 12), (0, 19), (-10, 12), (-13, -7)]
        facets = "M0,-19 L0,19 M-13,-7 L0,-2 L13,-7 M-10,12 L0,-2 L10,12"
    else:
        outer = [(0, -19), (7, -7), (6, 12), (0, 19), (-6, 12), (-7, -7)]
        facets = "M0,-19 L2,19 M-7,-7 L2,-2 L7,-7"
    return [
        glow(doc, 0, 0, 19, CRYSTAL["accent"], 0.55),
        poly(outer, fill=shade(doc, CRYSTAL), stroke=INK, stroke_width=1.8, stroke_linejoin="round"),
        path(facets, stroke="#ffffff", stroke_width=1, opacity=0.6, fill="none"),
        poly([(-2, -15), (-8, -7), (-4, -5)], fill="#ffffff", opacity=0.85),
    ]


def wave_clear(doc):
    ribbon = doc.linear([(0, "#ffe27a"), (0.5, "#f2a72b"), (1, "#b8650c")], 0, 0, 0, 1)
    items = [
        glow(doc, 0, -110, 330, "#fff1a8", 0.35),
        poly([(-330, -150), (-270, -150), (-270, -70), (-330, -70), (-300, -110)], fill="#b8650c", stroke=INK,
             stroke_width=4, stroke_linejoin="round"),
        poly([(330, -150), (270, -150), (270, -70), (330, -70), (300, -110)], fill="#b8650c", stroke=INK,
             stroke_width=4, stroke_linejoin="round"),
        path("M-280,-168 C-100,-190 100,-190 280,-168 L280,-72 C100,-94 -100,-94 -280,-72 Z", fill=ribbon,
             stroke=INK, stroke_width=5),
        title_text(doc, 0, -104, "WAVE CLEARED!", 52, {"light": "#ffffff", "base": "#fff4d0", "dark": "#ffd873"},
                   sw=9, spacing=2),
    ]
    for x, y, s in ((-250, -210, 18), (250, -212, 18), (-160, -214, 11), (160, -216, 11), (0, -226, 22)):
        items.append(poly(star_points(x, y, s, s * 0.45, 5), fill=GOLD["light"], stroke=INK, stroke_width=2.5))
    return items


def emp(doc):
    pal = ELEMENTS["lightning"]
    rng = random.Random(3)
    ring = doc.radial([(0, pal["base"], 0.0), (0.62, pal["base"], 0.08), (0.8, pal["base"], 0.35),
                       (0.94, pal["accent"], 0.9), (0.985, "#ffffff", 1.0), (1, pal["accent"], 0.0)])
    items = [circle(0, 0, 505, fill=ring)]
    for k in range(14):
        a0 = k * 360 / 14 + rng.uniform(-6, 6)
        pts = []
        for j in range(7):
            a = math.radians(a0 + j * 3.2)
            r = 470 + rng.uniform(-26, 26)
            pts.append((r * math.cos(a), r * math.sin(a)))
        items.append(polyline(pts, stroke=pal["accent"], stroke_width=7, opacity=0.6, stroke_linejoin="round"))
        items.append(polyline(pts, stroke="#ffffff", stroke_width=2.5, stroke_linejoin="round"))
    return items


def heal_ring(doc):
    band = doc.radial([(0, HEAL["base"], 0.0), (0.7, HEAL["base"], 0.12), (0.86, HEAL["accent"], 0.55),
                       (0.93, "#ffffff", 0.9), (1, HEAL["accent"], 0.0)])
    items = [circle(0, 0, 148, fill=band)]
    for k in range(8):
        a = math.radians(k * 45 + 22.5)
        x, y = 112 * math.cos(a), 112 * math.sin(a)
        items.append(path(f"M{x - 9:.1f},{y:.1f} h18 M{x:.1f},{y - 9:.1f} v18", stroke=INK, stroke_width=8,
                          stroke_linecap="round"))
        items.append(path(f"M{x - 9:.1f},{y:.1f} h18 M{x:.1f},{y - 9:.1f} v18", stroke="#eaffd8", stroke_width=4,
                          stroke_linecap="round"))
    return items


DRAWERS = {
    "BACKGROUND": lambda tex: make(tex, background),
    "CITY": lambda tex: make(tex, city),
    "TOWER_BASE": lambda tex: single(tex, tower_base),
    "SELECT_FIRE0": lambda tex: single(tex, lambda doc: select_icon(doc, "fire")),
    "SELECT_ICE0": lambda tex: single(tex, lambda doc: select_icon(doc, "ice")),
    "SELECT_LIGHTNING0": lambda tex: single(tex, lambda doc: select_icon(doc, "lightning")),
    "TOWER_FIRE": lambda tex: single(tex, lambda doc: tower_fire(doc)),
    "TOWER_ICE": lambda tex: single(tex, tower_ice),
    "TOWER_LIGHTNING": lambda tex: single(tex, tower_lightning),
    "TOWER_FIRE_LAUNCH": lambda tex: make(tex, tower_launch),
    "CRYSTAL": lambda tex: make(tex, crystal),
    "WAVE_CLEAR": lambda tex: single(tex, wave_clear),
    "LIGHTNING_EMP": lambda tex: single(tex, emp),
    "HEALER_EFFECT": lambda tex: single(tex, heal_ring),
}
