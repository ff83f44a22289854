"""Full-screen pictures: title screen, intro comic, map, credits, victory, defeat, options, loading."""

import math
import random

from common import make, place, single
from draw_enemies import basic, heavy, light
from draw_field import city, cloud, ridge
from draw_hud import cannon_art, cannonbase_art, projectile
from draw_menus import PLUM, act_plaque, element_sigil
from style import (CRYSTAL, ELEMENTS, GOLD, INK, STONE, UI, bolt_points, drop_shadow, flame_path, gloss, glow,
                   label, mix, orb, shade, snowflake, star_points, title_text)
from svg import circle, ellipse, group, line, path, poly, polyline, rect, text

FIRE, ICE, BOLT = ELEMENTS["fire"], ELEMENTS["ice"], ELEMENTS["lightning"]


def sky(doc, colours, x=-512, y=-384, w=1024, h=768):
    stops = [(k / (len(colours) - 1), c) for k, c in enumerate(colours)]
    return rect(x, y, w, h, fill=doc.linear(stops, 0, 0, 0, 1))


def stars(rng, n, x0, y0, x1, y1, colour="#ffffff"):
    return [circle(rng.uniform(x0, x1), rng.uniform(y0, y1), rng.choice((0.8, 1.1, 1.5, 2.0)), fill=colour,
                   opacity=rng.uniform(0.4, 1.0)) for _ in range(n)]


def silhouette_flyer(x, y, s, eye="#ff4d6d"):
    wing = f"M{x},{y} C{x - s * 1.2},{y - s * 0.9} {x - s * 1.8},{y - s * 0.2} {x - s * 2.2},{y + s * 0.2} " \
           f"C{x - s * 1.5},{y} {x - s * 1.1},{y + s * 0.3} {x - s * 0.6},{y + s * 0.5} Z"
    return group([
        path(wing, fill="#1a1226"), path(wing, fill="#1a1226", transform=f"translate({2 * x} 0) scale(-1 1)"),
        ellipse(x, y + s * 0.2, s * 0.6, s * 0.5, fill="#1a1226"),
        circle(x - s * 0.2, y + s * 0.1, s * 0.13, fill=eye), circle(x + s * 0.2, y + s * 0.1, s * 0.13, fill=eye),
    ])


def engineer(doc):
    """The engineer of the comic: goggles, cap, overalls and a big wrench."""
    skin = {"light": "#ffe2c4", "base": "#f0b98c", "dark": "#a86a44"}
    cloth = {"light": "#8fc0ff", "base": "#3a6fc8", "dark": "#16305e"}
    return [
        drop_shadow(6, 132, 60, 10, 0.3),
        # legs and boots
        rect(-26, 60, 20, 62, fill=shade(doc, cloth), stroke=INK, stroke_width=4),
        rect(6, 60, 20, 62, fill=shade(doc, cloth), stroke=INK, stroke_width=4),
        rect(-32, 114, 30, 16, rx=6, fill="#3a2618", stroke=INK, stroke_width=4),
        rect(4, 114, 30, 16, rx=6, fill="#3a2618", stroke=INK, stroke_width=4),
        # body
        path("M-40,-20 C-40,-44 40,-44 40,-20 L36,66 L-36,66 Z", fill=shade(doc, cloth), stroke=INK, stroke_width=4,
             stroke_linejoin="round"),
        rect(-22, -6, 44, 40, rx=6, fill=shade(doc, {"light": "#ffe7a0", "base": "#e8b040", "dark": "#8a5a10"}),
             stroke=INK, stroke_width=3),
        circle(0, 14, 7, fill=FIRE["base"], stroke=INK, stroke_width=2),
        # raised arm with the wrench
        path("M30,-26 C52,-40 60,-60 62,-82", fill="none", stroke=INK, stroke_width=22, stroke_linecap="round"),
        path("M30,-26 C52,-40 60,-60 62,-82", fill="none", stroke=cloth["base"], stroke_width=14,
             stroke_linecap="round"),
        circle(62, -86, 11, fill=shade(doc, skin), stroke=INK, stroke_width=3),
        path("M62,-96 L70,-146", stroke=INK, stroke_width=13, stroke_linecap="round"),
        path("M62,-96 L70,-146", stroke="#c9d2de", stroke_width=7, stroke_linecap="round"),
        path("M58,-160 C58,-150 64,-144 72,-146 C80,-148 84,-156 82,-164 L76,-158 L68,-162 L66,-170 Z",
             fill=shade(doc, {"light": "#ffffff", "base": "#c9d2de", "dark": "#5a6474"}), stroke=INK, stroke_width=3.5,
             stroke_linejoin="round"),
        # other arm
        path("M-32,-22 C-48,0 -50,20 -44,40", fill="none", stroke=INK, stroke_width=22, stroke_linecap="round"),
        path("M-32,-22 C-48,0 -50,20 -44,40", fill="none", stroke=cloth["base"], stroke_width=14,
             stroke_linecap="round"),
        circle(-44, 44, 11, fill=shade(doc, skin), stroke=INK, stroke_width=3),
        # head, cap and goggles
        circle(0, -70, 34, fill=shade(doc, skin), stroke=INK, stroke_width=4),
        path("M-36,-78 C-34,-118 34,-118 36,-78 Z", fill=shade(doc, {"light": "#ffb08a", "base": "#d8503a",
                                                                  "dark": "#6a1a10"}), stroke=INK, stroke_width=4),
        path("M-36,-80 L50,-80", stroke=INK, stroke_width=6, stroke_linecap="round"),
        rect(-28, -78, 56, 14, rx=7, fill="#5a3a20", stroke=INK, stroke_width=3),
        circle(-13, -71, 10, fill=doc.radial([(0, "#ffffff"), (1, "#8fe3ff")]), stroke=INK, stroke_width=3.5),
        circle(13, -71, 10, fill=doc.radial([(0, "#ffffff"), (1, "#8fe3ff")]), stroke=INK, stroke_width=3.5),
        path("M-12,-46 Q0,-38 12,-46", fill="none", stroke=INK, stroke_width=3.5, stroke_linecap="round"),
        circle(-22, -54, 5, fill="#ff9a8a", opacity=0.6),
        circle(22, -54, 5, fill="#ff9a8a", opacity=0.6),
    ]


# --- title screen -------------------------------------------------------------------------------

def start_background(doc):
    rng = random.Random(21)
    items = [sky(doc, ["#1c1240", "#5a2a6e", "#c4507a", "#ffb46a"])]
    items += stars(rng, 70, -512, -384, 512, -100)
    items.append(glow(doc, 330, -170, 220, "#ffe6b0", 0.6))
    items.append(circle(330, -170, 80, fill=doc.radial([(0, "#fffbe8"), (0.7, "#ffe2a0"), (1, "#ffb46a")],
                                                       cx=0.4, cy=0.35)))
    for x, y, s in ((-380, -120, 60), (140, -250, 50), (-120, -20, 70), (420, 20, 55)):
        items.append(cloud(doc, x, y, s, "#ffb3a8", "#a04a7a"))
    for x, y, s in ((-300, -230, 22), (-200, -300, 16), (-420, -300, 14), (230, -40, 20), (110, -140, 14)):
        items.append(silhouette_flyer(x, y, s))
    items.append(path(ridge(rng, 120, 70, 130, 512, smooth=False), fill=doc.linear(
        [(0, "#8a5a9a"), (1, "#4e3068")], 0, 0, 1, 0.5)))
    items.append(path(ridge(rng, 210, 30, 170, 512), fill=doc.linear([(0, "#3e2a5e"), (1, "#24183c")], 0, 0, 0, 1)))
    # the city on its wall, with the cannon on a bastion at the centre
    items.append(place(city(doc, 0), 0, 326, 1.0))
    items.append(rect(-512, 372, 1024, 12, fill="#1c1428"))
    items.append(glow(doc, 0, 120, 300, "#ffd866", 0.25))
    return items


# --- comic --------------------------------------------------------------------------------------

PANELS = {1: (-500, -374), 2: (-500, 8), 3: (8, -374), 4: (8, 8)}
PANEL_W, PANEL_H = 492, 366


def panel(doc, n, caption, content):
    x0, y0 = PANELS[n]
    clip = doc.clip_rect(x0, y0, PANEL_W, PANEL_H)
    return [
        rect(x0 + 6, y0 + 8, PANEL_W, PANEL_H, fill="#000000", opacity=0.25),
        group([place(content, x0 + PANEL_W / 2, y0 + PANEL_H / 2)], clip_path=clip),
        rect(x0, y0, PANEL_W, PANEL_H, fill="none", stroke=INK, stroke_width=8),
        rect(x0 + 12, y0 + 12, min(PANEL_W - 24, len(caption) * 10.6 + 26), 36, rx=6,
             fill=shade(doc, {"light": "#fffdf2", "base": "#fff3c8", "dark": "#e8d29a"}), stroke=INK, stroke_width=3),
        text(x0 + 24, y0 + 36, caption, 16, fill=INK, text_anchor="start"),
        circle(x0 + PANEL_W - 30, y0 + PANEL_H - 30, 18, fill=shade(doc, GOLD), stroke=INK, stroke_width=3),
        text(x0 + PANEL_W - 30, y0 + PANEL_H - 23, str(n), 20, fill=INK),
    ]


def comic_1(doc):
    rng = random.Random(31)
    c = [sky(doc, ["#6cc0f4", "#bfe6ff", "#eaf8ff"], -246, -183, 492, 366),
         glow(doc, -170, -110, 110, "#fff6c8", 0.9),
         circle(-170, -110, 32, fill=doc.radial([(0, "#ffffff"), (0.6, "#fff3b0"), (1, "#ffd45a")])),
         cloud(doc, 40, -120, 40, "#ffffff", "#d6e6f5"), cloud(doc, 170, -80, 30, "#ffffff", "#d6e6f5"),
         path(ridge(rng, 40, 30, 90, 260), fill="#a9c4e0"),
         path(ridge(rng, 90, 14, 120, 260), fill=doc.linear([(0, "#7cc46a"), (1, "#4e9a48")], 0, 0, 0, 1)),
         place(city(doc, 0), 0, 120, 0.62)]
    for x, y in ((60, -40), (90, -55), (120, -38)):
        c.append(path(f"M{x - 8},{y} Q{x - 4},{y - 6} {x},{y} Q{x + 4},{y - 6} {x + 8},{y}", fill="none",
                      stroke=INK, stroke_width=2.5, stroke_linecap="round"))
    c.append(rect(-246, 150, 492, 40, fill="#4e9a48"))
    return panel(doc, 1, "THE CITY OF MORVANE LIVED IN PEACE.", c)


def comic_2(doc):
    rng = random.Random(32)
    c = [sky(doc, ["#1a1030", "#3a2250", "#6a3a5a"], -246, -183, 492, 366)]
    for x, y, s in ((-160, -110, 60), (0, -140, 70), (150, -100, 60), (-60, -60, 50), (100, -40, 45)):
        c.append(cloud(doc, x, y, s, "#4a3a62", "#241a34"))
    for _ in range(14):
        c.append(silhouette_flyer(rng.uniform(-220, 220), rng.uniform(-150, 20), rng.uniform(8, 16)))
    c += [place(basic(doc, "fire", False), -120, 20, 1.6), place(light(doc, "lightning"), 0, -20, 1.8),
          place(basic(doc, "ice", False), 110, 10, 1.6), place(light(doc, "neutral"), 190, -60, 1.4),
          place(heavy(doc, "neutral", 0), 30, 50, 0.8)]
    c.append(path(ridge(rng, 110, 10, 120, 260), fill="#1c1428"))
    c.append(place(city(doc, 0), 0, 140, 0.62))
    c.append(rect(-246, 100, 492, 90, fill="#000000", opacity=0.35))
    return panel(doc, 2, "THEN CREATURES GATHERED IN THE SKY...", c)


def comic_3(doc):
    c = [sky(doc, ["#3a2a50", "#6a4a6a", "#c08a6a"], -246, -183, 492, 366),
         # workshop wall and tools
         rect(-246, -183, 492, 250, fill=shade(doc, {"light": "#8a6a58", "base": "#5a4234", "dark": "#2a1c14"})),
         *[line(-246, y, 246, y, stroke=INK, stroke_width=2, opacity=0.4) for y in (-130, -80, -30, 20)],
         rect(-246, 67, 492, 120, fill=shade(doc, STONE)),
         glow(doc, 60, -30, 150, GOLD["light"], 0.6),
         place(cannonbase_art(doc), 80, 70, 1.7),
         place(cannon_art(doc), 80, 40, 1.35, rot=28),
         place(engineer(doc), -120, -10, 0.95)]
    c += [place(element_sigil(doc, 0, 0, 24), 190, -70)]
    for x, y in ((-40, -120), (170, 20)):
        c.append(poly(star_points(x, y, 16, 6, 4), fill=GOLD["light"], stroke=INK, stroke_width=2))
    return panel(doc, 3, "AN ENGINEER RAISED THE ELEMENTAL CANNON.", c)


def comic_4(doc):
    rng = random.Random(34)
    c = [sky(doc, ["#24184a", "#5a3a7a", "#ff9a6a"], -246, -183, 492, 366),
         path(ridge(rng, 120, 20, 100, 260), fill="#2e2048")]
    c += [place(city(doc, 0), 0, 150, 0.62)]
    c += [place(cannonbase_art(doc), 0, 110, 1.3), place(cannon_art(doc), 0, 60, 1.0, rot=10)]
    for (x, y, rot), el in zip(((-90, -40, -120), (30, -90, -80), (140, -30, -45)), ("fire", "ice", "lightning")):
        c.append(line(0, 10, x, y, stroke=ELEMENTS[el]["accent"], stroke_width=5, opacity=0.5,
                      stroke_dasharray="10 8"))
        c.append(place(projectile(doc, el), x, y, 2.4, rot=rot))
    for x, y, el in ((-150, -120, "fire"), (60, -150, "ice"), (190, -110, "lightning")):
        c.append(place(basic(doc, el, True), x, y, 1.3))
        c.append(poly(star_points(x + 20, y + 10, 24, 10, 8), fill=ELEMENTS[el]["glow"], stroke=INK,
                      stroke_width=2, opacity=0.9))
    return panel(doc, 4, "THE DEFENCE BEGINS!", c)


# --- map ----------------------------------------------------------------------------------------

R1 = (-272, -58, -57, 202)
R2 = (20, -66, 295, 214)
R3 = (-127, -284, 213, -134)


def vignette(doc, region, content, key):
    x0, ymin, x1, ymax = region
    sx0, sy0, w, h = x0 + 10, -ymax + 10, x1 - x0 - 20, ymax - ymin - 20
    shape = rect(sx0, sy0, w, h, rx=20)
    clip = doc.clip_shape(key, shape)
    cx, cy = (x0 + x1) / 2, -(ymin + ymax) / 2
    return [
        rect(sx0 + 7, sy0 + 9, w, h, rx=20, fill="#000000", opacity=0.22),
        group([place(content(w, h), cx, cy)], clip_path=clip),
        rect(sx0, sy0, w, h, rx=20, fill="none", stroke=INK, stroke_width=5),
    ]


def act1_scene(doc):
    def content(w, h):
        rng = random.Random(41)
        return [sky(doc, ["#3a2a6e", "#b3507e", "#ffb46a"], -w / 2, -h / 2, w, h),
                circle(-40, 10, 30, fill="#ffd08a"),
                path(ridge(rng, 30, 20, 50, w / 2 + 20), fill="#7a5a9a"),
                path(ridge(rng, 70, 10, 60, w / 2 + 20), fill="#4e3a72"),
                place(city(doc, 0), 0, h / 2 - 24, 0.3),
                silhouette_flyer(50, -60, 10), silhouette_flyer(10, -90, 8)]
    return content


def act2_scene(doc):
    def content(w, h):
        rng = random.Random(42)
        return [sky(doc, ["#060b22", "#15224e", "#2c3f7a"], -w / 2, -h / 2, w, h),
                *stars(rng, 30, -w / 2, -h / 2, w / 2, 0),
                circle(70, -80, 24, fill="#eef2ff"),
                poly([(-w / 2 - 10, 80), (-60, -40), (-20, 20), (40, -70), (w / 2 + 10, 80)], fill="#2b3768",
                     stroke=INK, stroke_width=3),
                poly([(-60, -40), (-46, -18), (-74, -18)], fill="#ffffff"),
                poly([(40, -70), (56, -42), (24, -42)], fill="#ffffff"),
                rect(-w / 2, 80, w, h, fill="#1c2750"),
                place(city(doc, 0), 0, h / 2 - 24, 0.3)]
    return content


def act3_scene(doc):
    def content(w, h):
        rng = random.Random(43)
        keep = [rect(-40, -40, 80, 70, fill=shade(doc, {"light": "#8a7a8a", "base": "#4e4250", "dark": "#1e161f"}),
                     stroke=INK, stroke_width=3),
                *[rect(x - 12, -70, 24, 100, fill=shade(doc, {"light": "#8a7a8a", "base": "#4e4250",
                                                               "dark": "#1e161f"}), stroke=INK, stroke_width=3)
                  for x in (-48, 48)],
                *[poly([(x - 16, -70), (x, -100), (x + 16, -70)], fill="#7c3434", stroke=INK, stroke_width=3)
                  for x in (-48, 48)],
                rect(-10, 6, 20, 24, fill="#ffcf6a", stroke=INK, stroke_width=2)]
        return [sky(doc, ["#120a1c", "#3b2240", "#7c3434"], -w / 2, -h / 2, w, h),
                *[cloud(doc, x, -40, 30, "#4a3a58", "#241a30") for x in (-120, 0, 120)],
                polyline([(-100, -60), (-86, -30), (-100, -10), (-84, 20)], stroke="#fff3a0", stroke_width=4),
                polyline([(110, -60), (124, -34), (108, -16), (122, 16)], stroke="#fff3a0", stroke_width=4),
                rect(-w / 2, 30, w, h, fill="#25182c"),
                place(keep, 0, 10, 0.9)]
    return content


def level_select(doc, i):
    rng = random.Random(51)
    parchment = doc.radial([(0, "#fbf0d4"), (0.7, "#ead7a8"), (1, "#b8935a")], r=0.75)
    items = [rect(-512, -384, 1024, 768, fill="#2a1c14"),
             rect(-496, -372, 992, 744, rx=26, fill=parchment, stroke=INK, stroke_width=6)]
    for _ in range(30):
        items.append(circle(rng.uniform(-480, 480), rng.uniform(-360, 360), rng.uniform(8, 30), fill="#b8935a",
                            opacity=0.08))
    # roads between the places
    road = "M-406,-56 C-360,-130 -300,-120 -240,-100 M-120,-20 C-40,40 0,40 40,-20 M160,80 C200,160 140,190 80,210"
    items.append(path(road, fill="none", stroke="#8a5a32", stroke_width=6, stroke_dasharray="14 10",
                      stroke_linecap="round"))
    # doodles of the land: hills, woods and a river
    for x, y in ((-440, 250), (-300, 300), (330, -150), (420, -60), (300, 300), (-200, 330), (-450, -250)):
        items.append(path(f"M{x - 40},{y} Q{x},{y - 44} {x + 40},{y}", fill="none", stroke="#8a6a3a",
                          stroke_width=4, stroke_linecap="round"))
    for x, y in ((-330, 200), (-310, 220), (-350, 230), (360, 60), (380, 90), (340, 100), (-60, 250),
                 (-30, 270), (270, 250)):
        items.append(line(x, y, x, y + 14, stroke="#6a4a2a", stroke_width=3))
        items.append(circle(x, y - 4, 11, fill="#8fb86a", stroke="#4a6a2a", stroke_width=2.5))
    items.append(path("M512,-200 C400,-180 380,-80 330,10 C290,80 330,140 300,200", fill="none",
                      stroke="#7ab0d8", stroke_width=10, stroke_linecap="round", opacity=0.7))
    # the camp of the tutorial around its badge
    for x, y in ((-460, -10), (-350, 10)):
        items.append(poly([(x - 26, y + 20), (x, y - 20), (x + 26, y + 20)], fill=shade(doc, {
            "light": "#fff2c8", "base": "#e0b870", "dark": "#8a5a20"}), stroke=INK, stroke_width=3))
    items += vignette(doc, R1, act1_scene(doc), "r1")
    items += vignette(doc, R2, act2_scene(doc), "r2")
    items += vignette(doc, R3, act3_scene(doc), "r3")
    # the acts' name plates, where the hover highlights show them lit
    for act, (x0, ymin, x1, _) in enumerate((R1, R2, R3)):
        items += act_plaque(doc, (x0 + x1) / 2, -ymin - 6, act, False)
    if i:
        x0, ymin, x1, ymax = (R1, R2, R3)[i - 1]
        items.append(rect(x0 + 4, -ymax + 4, x1 - x0 - 8, ymax - ymin - 8, rx=24, fill="none",
                          stroke=GOLD["light"], stroke_width=8))
    # title and compass
    items += [
        path("M-300,-356 L300,-356 L330,-318 L300,-280 L-300,-280 L-330,-318 Z", fill=shade(doc, PLUM), stroke=INK,
             stroke_width=5, stroke_linejoin="round"),
        title_text(doc, 0, -302, "CHOOSE YOUR BATTLE", 44, GOLD, sw=7, spacing=2),
        place([circle(0, 0, 46, fill="#f4e6c0", stroke=INK, stroke_width=4),
               poly(star_points(0, 0, 42, 10, 4), fill=shade(doc, {"light": "#ffb08a", "base": "#c8382a",
                                                                    "dark": "#5a140e"}), stroke=INK,
                    stroke_width=3),
               circle(0, 0, 6, fill=GOLD["base"], stroke=INK, stroke_width=2),
               text(0, -50, "N", 18, fill=INK)], 410, 240),
        label(-406, 40, "TRAINING CAMP", 16),
    ]
    return items


# --- credits, victory, defeat -------------------------------------------------------------------

SOFTWARE = ["SDL2", "Mesa", "OpenAL Soft", "libvorbis", "Lua", "FreeType", "DejaVu fonts", "librsvg"]


def credits_screen(doc):
    rng = random.Random(61)
    items = [sky(doc, ["#140c26", "#2a1a48", "#4a2a5e"])]
    items += stars(rng, 120, -512, -384, 512, 384)
    items += [
        title_text(doc, 0, -262, "MORVANE", 96, GOLD, sw=10, spacing=4),
        label(0, -214, "A TOWER-DEFENCE GAME", 22, fill=GOLD["light"], spacing=4),
        rect(-300, -176, 600, 400, rx=24, fill=shade(doc, {"light": "#4a3e6e", "base": "#2e2648", "dark": "#181228"}),
             stroke=INK, stroke_width=5),
        rect(-300, -176, 600, 400, rx=24, fill="none", stroke=GOLD["base"], stroke_width=2, opacity=0.6,
             transform="translate(0 0)"),
        label(0, -134, "MADE WITH FREE SOFTWARE", 26, fill="#ffffff", spacing=2),
        line(-220, -118, 220, -118, stroke=GOLD["base"], stroke_width=2),
    ]
    colours = [FIRE["base"], ICE["base"], BOLT["base"], CRYSTAL["base"]]
    for k, name in enumerate(SOFTWARE):
        col, row = k % 2, k // 2
        x, y = -230 + col * 250, -70 + row * 62
        items.append(orb(doc, x, y - 8, 11, {"light": "#ffffff", "base": colours[k % 4],
                                              "dark": mix(colours[k % 4], "#000000", 0.5)}, 2.5))
        items.append(label(x + 24, y, name, 26, anchor="start"))
    items += [
        label(0, 200, "THANK YOU FOR PLAYING!", 24, fill=GOLD["light"], spacing=2),
        place(basic(doc, "fire", False), -420, 120, 1.8),
        place(light(doc, "ice"), 420, 60, 2.2),
        place(basic(doc, "lightning", False), 400, 170, 1.6),
        place(cannonbase_art(doc), 400, 320, 1.2),
        place(cannon_art(doc), 400, 290, 0.8, rot=-20),
    ]
    return items


def victory(doc):
    rng = random.Random(71)
    items = [sky(doc, ["#5fb6f0", "#ffd9a0", "#ffb46a"]),
             glow(doc, 0, 160, 420, "#fff3b0", 0.9)]
    items.append(poly(star_points(0, 160, 560, 380, 16), fill="#fff6d0", opacity=0.35))
    items.append(circle(0, 170, 90, fill=doc.radial([(0, "#ffffff"), (0.6, "#fff3b0"), (1, "#ffd45a")])))
    items.append(path(ridge(rng, 230, 30, 150, 512), fill=doc.linear([(0, "#7cc46a"), (1, "#4e9a48")], 0, 0, 0, 1)))
    items.append(place(city(doc, 0), 0, 330, 1.0))
    items.append(rect(-512, 374, 1024, 10, fill="#3a2a20"))
    for x, y, el in ((-330, -150, "fire"), (320, -170, "ice"), (-200, -40, "lightning"), (240, -30, "fire"),
                     (60, -230, "lightning")):
        pal = ELEMENTS[el]
        for k in range(12):
            a = math.radians(k * 30)
            items.append(line(x + 12 * math.cos(a), y + 12 * math.sin(a), x + 52 * math.cos(a), y + 52 * math.sin(a),
                              stroke=pal["accent"], stroke_width=5, stroke_linecap="round"))
        items.append(circle(x, y, 8, fill=pal["glow"], stroke=INK, stroke_width=2))
    for _ in range(16):
        x, y = rng.uniform(-460, 460), rng.uniform(-300, 120)
        items.append(place([poly([(0, -12), (8, -4), (6, 8), (0, 12), (-6, 8), (-8, -4)], fill=shade(doc, CRYSTAL),
                                 stroke=INK, stroke_width=1.5)], x, y, rng.uniform(0.8, 1.4), rot=rng.uniform(-30, 30)))
    items += [
        path("M-360,-330 C-120,-360 120,-360 360,-330 L360,-200 C120,-230 -120,-230 -360,-200 Z",
             fill=shade(doc, {"light": "#ff8a7a", "base": "#d0302a", "dark": "#6a0e0a"}), stroke=INK, stroke_width=6),
        title_text(doc, 0, -232, "VICTORY!", 110, GOLD, sw=12, spacing=4),
        label(0, -150, "THE CITY IS SAVED", 34, fill="#ffffff", spacing=3),
        rect(-190, 250, 380, 50, rx=25, fill=shade(doc, PLUM), stroke=INK, stroke_width=4),
        label(0, 284, "CLICK TO CONTINUE", 24, fill=GOLD["light"], spacing=2),
    ]
    return items


def lose(doc):
    rng = random.Random(81)
    items = [sky(doc, ["#0c0610", "#2a1020", "#7a2a20"]),
             glow(doc, 0, 300, 600, "#ff5a2a", 0.45)]
    for x, y, s in ((-300, -240, 90), (0, -290, 110), (300, -230, 90), (-160, -140, 70), (200, -130, 70)):
        items.append(cloud(doc, x, y, s, "#3a2a40", "#140c18"))
    for _ in range(16):
        items.append(silhouette_flyer(rng.uniform(-460, 460), rng.uniform(-370, -180), rng.uniform(10, 24)))
    items.append(path(ridge(rng, 230, 30, 150, 512), fill=doc.linear([(0, "#2a1620"), (1, "#120a10")], 0, 0, 0, 1)))
    items.append(place(city(doc, 4), 0, 330, 1.0))
    items.append(rect(-512, 374, 1024, 10, fill="#0c0608"))
    items += [
        title_text(doc, 0, -40, "DEFEAT", 130, {"light": "#e8e0e8", "base": "#9a8a9a", "dark": "#3a2a3a"}, sw=13,
                   spacing=6),
        label(0, 30, "THE CITY HAS FALLEN", 36, fill="#ffb0a0", spacing=3),
        rect(-190, 200, 380, 50, rx=25, fill=shade(doc, PLUM), stroke=INK, stroke_width=4),
        label(0, 234, "CLICK TO CONTINUE", 24, fill=GOLD["light"], spacing=2),
    ]
    return items


# --- options and loading ------------------------------------------------------------------------

def options_bg(doc):
    rng = random.Random(91)
    items = [sky(doc, ["#1c1240", "#3a2a6e", "#6a3a7a"])]
    items += stars(rng, 80, -512, -384, 512, 384)
    items += [
        title_text(doc, 0, -280, "OPTIONS", 84, GOLD, sw=10, spacing=6),
        rect(-470, -150, 940, 310, rx=30, fill=shade(doc, {"light": "#4a3e6e", "base": "#2e2648", "dark": "#181228"}),
             stroke=INK, stroke_width=6),
        rect(-462, -142, 924, 12, rx=6, fill="#ffffff", opacity=0.1),
        label(-390, -22, "MUSIC", 34, anchor="start", spacing=2),
        label(-390, 117, "SOUND", 34, anchor="start", spacing=2),
        line(-440, 36, 440, 36, stroke=GOLD["base"], stroke_width=2, opacity=0.5),
        label(-378, 188, "DISPLAY", 24, fill=GOLD["light"], spacing=2),
    ]
    items += element_sigil(doc, 400, -280, 34)
    items += element_sigil(doc, -400, -280, 34)
    return items


def loading(doc):
    rng = random.Random(101)
    items = [sky(doc, ["#0e0a1c", "#2a1a48", "#140c26"])]
    items += stars(rng, 90, -512, -384, 512, 384)
    items += [
        title_text(doc, 0, -200, "LOADING...", 88, GOLD, sw=10, spacing=6),
        rect(-512, -60, 1024, 120, fill="#000000", opacity=0.55),
        line(-512, -60, 512, -60, stroke=GOLD["base"], stroke_width=3),
        line(-512, 60, 512, 60, stroke=GOLD["base"], stroke_width=3),
        label(-456, -22, "TIP", 22, fill=GOLD["light"], spacing=3),
        place(element_sigil(doc, 0, 0, 40), 0, 210),
        label(0, 320, "GET READY TO DEFEND THE CITY", 26, fill="#ffffff", spacing=3),
    ]
    return items


DRAWERS = {
    "START_BACKGROUD": lambda tex: single(tex, start_background),
    "COMIC_1": lambda tex: single(tex, comic_1),
    "COMIC_2": lambda tex: single(tex, comic_2),
    "COMIC_3": lambda tex: single(tex, comic_3),
    "COMIC_4": lambda tex: single(tex, comic_4),
    "LEVEL_SELECT_BG": lambda tex: make(tex, level_select),
    "CREDITS_SCREEN": lambda tex: single(tex, credits_screen),
    "VICTORY": lambda tex: single(tex, victory),
    "LOSE": lambda tex: single(tex, lose),
    "OPTIONS_BG": lambda tex: single(tex, options_bg),
    "Animation0": lambda tex: single(tex, loading),
}
