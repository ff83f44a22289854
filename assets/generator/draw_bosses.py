"""The semi-boss with its arms and the big boss: body, lower part, arms, head and eggs."""

import math

from common import game_to_svg, make, place, single
from draw_enemies import bandage, cracks, eye, fangs
from style import (BOSS, ELEMENTS, INK, bolt_points, body, drop_shadow, flame_path, gloss, glow, mix, orb,
                   shade, snowflake, star_points)
from svg import circle, ellipse, group, path, poly, polyline

CHITIN = {"light": "#97869f", "base": "#4a3d55", "dark": "#19131f"}
EMBER = "#ff4d6d"


# --- semi-boss ----------------------------------------------------------------------------------

def semiboss_body(doc, hurt):
    sw = 4.0
    # the wings' lower edge follows the collision outline
    wing = ("M-160,15 C-150,-10 -140,-28 -132,-31 C-110,-52 -70,-70 -40,-74 L40,-74 C70,-70 110,-52 133,-26 "
            "C145,-14 152,-4 157,8 C130,30 100,52 79,68 C64,56 52,50 40,51 C28,62 18,76 10,80 "
            "L-6,81 C-16,74 -26,60 -35,53 C-48,52 -60,58 -74,70 C-100,54 -130,36 -160,15 Z")
    membrane = shade(doc, {"light": "#7f6d86", "base": "#3d3145", "dark": "#140f18"})
    items = [
        drop_shadow(10, 84, 150, 4, 0.22),
        path(wing, fill=membrane, stroke=INK, stroke_width=sw, stroke_linejoin="round"),
    ]
    # wing ribs
    for x_end, y_end in ((-150, 12), (-100, 52), (-60, 58), (60, 54), (100, 52), (150, 6)):
        items.append(path(f"M{x_end * 0.25:.1f},-40 Q{x_end * 0.6:.1f},{-40 + y_end * 0.2:.1f} {x_end},{y_end}",
                          stroke=INK, stroke_width=3, fill="none", opacity=0.85))
    if hurt:
        for cx, cy, r in ((-104, 24, 10), (88, 30, 8), (-58, 40, 6)):
            items.append(path(f"M{cx - r},{cy} l{r * 0.6:.1f},{-r} l{r * 0.8:.1f},{r * 0.4:.1f} "
                              f"l{r * 0.6:.1f},{r * 0.8:.1f} l{-r:.1f},{r * 0.5:.1f} Z", fill="#0d0814",
                              stroke=INK, stroke_width=2))
    # body and head
    torso = "M-44,-58 C-40,-82 40,-82 44,-58 C52,-30 40,10 0,30 C-40,10 -52,-30 -44,-58 Z"
    items.append(body(doc, torso, CHITIN, sw))
    for side in (-1, 1):
        items.append(path(f"M{side * 26},-72 C{side * 40},-84 {side * 50},-86 {side * 62},-84 "
                          f"C{side * 50},-78 {side * 40},-70 {side * 36},-60 Z",
                          fill=shade(doc, {"light": "#fff4e0", "base": "#d9c7a6", "dark": "#7a6644"}),
                          stroke=INK, stroke_width=2.6, stroke_linejoin="round"))
    items += [
        path("M-30,-20 C-16,-6 16,-6 30,-20", stroke=CHITIN["dark"], stroke_width=3, fill="none"),
        path("M-22,-2 C-10,8 10,8 22,-2", stroke=CHITIN["dark"], stroke_width=3, fill="none"),
        eye(-16, -50, 9, "hurt" if hurt else "angry", -1, EMBER, 2.2),
        eye(16, -50, 9, "angry", 1, EMBER, 2.2),
        fangs(0, -30, 26, 3, 11, 1.8),
        gloss(-26, -64, 12, 6, 0.35),
        gloss(-110, -20, 22, 6, 0.18, -25),
    ]
    if hurt:
        items += cracks(3, 38, 36, 0, -36, sw=2.6)
        items.append(bandage(28, -12, 26, -30, 1.6))
    return items


def semiboss_arm(doc, damage):
    """The left arm; damage 0 (six hit points) to 5 (one). Its left edge is the collision outline."""
    sw = 3.2
    shell = shade(doc, CHITIN)
    items = [
        # upper arm from the shoulder (top right) down to the elbow
        path("M10,-99 C26,-96 34,-84 30,-72 L-14,-22 C-22,-14 -36,-18 -31,-30 L-24,-60 C-16,-78 -2,-96 10,-99 Z",
             fill=shell, stroke=INK, stroke_width=sw, stroke_linejoin="round"),
        # forearm down to the claw
        path("M-30,-26 C-24,-34 -10,-32 -6,-24 L14,34 C16,44 2,50 -4,42 L-30,-14 C-34,-20 -33,-24 -30,-26 Z",
             fill=shell, stroke=INK, stroke_width=sw, stroke_linejoin="round"),
        circle(-22, -24, 12, fill=shade(doc, CHITIN), stroke=INK, stroke_width=sw),
        circle(-22, -24, 4, fill=EMBER),
    ]
    # pincer: the outer blade breaks off when the arm is nearly spent
    blade = {"light": "#fff4e0", "base": "#d9c7a6", "dark": "#7a6644"}
    items.append(path("M-4,38 C-22,54 -28,76 -20,96 C-14,80 -4,64 8,54 Z", fill=shade(doc, blade), stroke=INK,
                      stroke_width=2.6, stroke_linejoin="round"))
    if damage < 5:
        items.append(path("M10,36 C30,50 34,72 26,92 C20,76 10,64 0,54 Z", fill=shade(doc, blade), stroke=INK,
                          stroke_width=2.6, stroke_linejoin="round"))
    else:
        items.append(path("M10,36 C22,44 26,54 24,60 L14,56 L4,52 Z", fill=shade(doc, blade), stroke=INK,
                          stroke_width=2.6, stroke_linejoin="round"))
    items.append(circle(2, 42, 9, fill=shade(doc, CHITIN), stroke=INK, stroke_width=2.6))
    # chitin bands across the arm
    for (x0, y0), (x1, y1), ts in (((20, -92), (-22, -26), (0.3, 0.55, 0.8)), ((-24, -26), (4, 42), (0.3, 0.55, 0.8))):
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / length, (x1 - x0) / length
        for t in ts:
            px, py = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            items.append(path(f"M{px - nx * 10:.1f},{py - ny * 10:.1f} L{px + nx * 10:.1f},{py + ny * 10:.1f}",
                              stroke=INK, stroke_width=2, stroke_linecap="round"))
    items.append(path("M4,-90 C-6,-78 -14,-64 -20,-46", stroke="#ffffff", stroke_width=3, opacity=0.3,
                      fill="none", stroke_linecap="round"))
    crack_sets = [[(12, -84), (4, -74), (10, -66)], [(-14, 0), (-6, 6), (-8, 16)], [(14, -60), (6, -56)],
                  [(-24, -46), (-16, -40)], [(0, 20), (8, 24), (4, 32)]]
    for crack in crack_sets[:damage]:
        items.append(polyline(crack, stroke=INK, stroke_width=2.2, stroke_linecap="round", stroke_linejoin="round"))
    if damage >= 3:
        items.append(bandage(-12, -44, 22, 60, 1.3))
    return items


# --- big boss -----------------------------------------------------------------------------------

def bigboss_body(doc):
    sw = 6.0
    carapace = shade(doc, {"light": "#7c6a86", "base": "#3a2f44", "dark": "#110c16"})
    items = [
        glow(doc, 0, -60, 330, EMBER, 0.2),
        # crown spikes behind the dome
        *[poly([(x - 26, -170 + abs(x) * 0.35), (x + tilt, -292 + abs(x) * 0.42), (x + 26, -170 + abs(x) * 0.35)],
               fill=shade(doc, CHITIN), stroke=INK, stroke_width=4, stroke_linejoin="round")
          for x, tilt in ((-240, -30), (-150, -18), (-60, -6), (60, 6), (150, 18), (240, 30))],
        # the dome
        path("M-330,30 C-350,-120 -220,-250 0,-250 C220,-250 350,-120 330,30 C300,110 180,170 0,180 "
             "C-180,170 -300,110 -330,30 Z", fill=carapace, stroke=INK, stroke_width=sw),
        # plates of the dome
        path("M-250,-150 C-160,-200 160,-200 250,-150", stroke=INK, stroke_width=4, fill="none"),
        path("M-310,-40 C-200,-90 200,-90 310,-40", stroke=INK, stroke_width=4, fill="none"),
        path("M-300,60 C-180,20 180,20 300,60", stroke=INK, stroke_width=4, fill="none"),
        # glowing seams
        path("M-250,-150 C-160,-200 160,-200 250,-150", stroke=EMBER, stroke_width=2, fill="none", opacity=0.6,
             transform="translate(0 8)"),
        path("M-310,-40 C-200,-90 200,-90 310,-40", stroke=EMBER, stroke_width=2, fill="none", opacity=0.6,
             transform="translate(0 8)"),
        # vents on the shoulders
        *[group([ellipse(0, 0, 30, 16, fill="#120a1c", stroke=INK, stroke_width=4),
                 ellipse(0, 2, 20, 8, fill=doc.radial([(0, "#ffd0dc"), (0.5, EMBER), (1, "#5a0a1e")]))],
                transform=f"translate({x} {y}) rotate({r})")
          for x, y, r in ((-220, -100, -20), (220, -100, 20), (-250, 20, -10), (250, 20, 10))],
        # the neck socket where the head sits
        ellipse(-1, -96, 92, 78, fill="#0d0816", stroke=INK, stroke_width=5),
        ellipse(-1, -90, 70, 56, fill=doc.radial([(0, "#ff8aa6", 0.9), (0.6, "#a0123e", 0.6), (1, "#2a0618", 0)])),
        # the belly hanging below
        path("M-210,130 C-160,230 -60,270 0,272 C60,270 160,230 210,130 C150,160 80,176 0,178 "
             "C-80,176 -150,160 -210,130 Z", fill=shade(doc, CHITIN), stroke=INK, stroke_width=5),
        *[path(f"M{x},{160 + abs(x) * -0.2:.0f} C{x * 0.9:.0f},{200 - abs(x) * 0.15:.0f} {x * 0.6:.0f},"
               f"{236 - abs(x) * 0.1:.0f} {x * 0.4:.0f},{252 - abs(x) * 0.1:.0f}", stroke=INK, stroke_width=3,
               fill="none") for x in (-150, -75, 75, 150)],
        circle(0, 226, 20, fill=doc.radial([(0, "#ffe0ea"), (0.5, EMBER), (1, "#5a0a1e")]), stroke=INK,
               stroke_width=4),
        gloss(-200, -170, 70, 24, 0.2, -30),
    ]
    return items


def tendril(x0, y0, x1, y1, bend, w):
    d = f"M{x0},{y0} C{x0 + bend},{(y0 * 2 + y1) / 3:.0f} {x1 - bend},{(y0 + y1 * 2) / 3:.0f} {x1},{y1}"
    return [path(d, stroke=INK, stroke_width=w + 8, fill="none", stroke_linecap="round"),
            path(d, stroke=CHITIN["base"], stroke_width=w, fill="none", stroke_linecap="round"),
            path(d, stroke=CHITIN["light"], stroke_width=w * 0.3, fill="none", stroke_linecap="round",
                 opacity=0.6, transform=f"translate({-w * 0.2:.0f} {-w * 0.1:.0f})")]


def bigboss_bottom(doc):
    items = [
        # a cradle of tendrils reaching down to where the three elemental eggs hang
        *tendril(-120, 170, -175, 126, -40, 22),
        *tendril(120, 170, 175, 126, 40, 22),
        *tendril(0, 200, 0, 178, 0, 26),
        path("M-240,110 C-200,210 -90,252 0,256 C90,252 200,210 240,110 C170,150 90,164 0,166 "
             "C-90,164 -170,150 -240,110 Z", fill=shade(doc, {"light": "#9d8ca6", "base": "#55475f",
                                                              "dark": "#201926"}),
             stroke=INK, stroke_width=5),
    ]
    for x, y in ((-175, 126), (175, 126), (0, 178)):
        # claws gripping the top of each egg
        for side in (-1, 1):
            items.append(path(f"M{x},{y - 6} C{x + side * 30},{y - 2} {x + side * 40},{y + 16} {x + side * 34},"
                              f"{y + 34} C{x + side * 30},{y + 18} {x + side * 18},{y + 8} {x},{y + 6} Z",
                              fill=shade(doc, {"light": "#fff4e0", "base": "#d9c7a6", "dark": "#7a6644"}),
                              stroke=INK, stroke_width=3, stroke_linejoin="round"))
        items.append(circle(x, y, 12, fill=shade(doc, CHITIN), stroke=INK, stroke_width=3))
    for x in (-120, 0, 120):
        items.append(circle(x, 198 - abs(x) * 0.2, 10, fill=doc.radial([(0, "#ffe0ea"), (0.5, EMBER),
                                                                          (1, "#5a0a1e")]),
                            stroke=INK, stroke_width=3))
    return items


def bigboss_arm(doc):
    """The right mandible; its lower edge is the collision outline from the shoulder to the tip."""
    outline = ("M-3,161 L121,73 L220,32 L289,-74 C310,-86 330,-110 330,-140 C330,-170 310,-190 282,-190 "
               "C262,-150 240,-100 190,-30 C150,20 90,80 -3,161 Z")
    items = [
        path(outline, fill=shade(doc, {"light": "#8a7892", "base": "#43374d", "dark": "#130e18"}), stroke=INK,
             stroke_width=6, stroke_linejoin="round"),
        # serrated inner edge
        *[poly([(x, y), (x - 18, y + 26), (x + 12, y + 8)], fill=shade(doc, {"light": "#fff4e0", "base": "#d9c7a6",
                                                                            "dark": "#7a6644"}),
               stroke=INK, stroke_width=3, stroke_linejoin="round")
          for x, y in ((256, -22), (196, 36), (136, 70), (76, 108))],
        path("M290,-176 C262,-120 230,-70 180,-14 C140,30 90,76 30,124", stroke="#ffffff", stroke_width=6,
             opacity=0.22, fill="none", stroke_linecap="round"),
        path("M300,-150 C270,-90 230,-30 150,38", stroke=EMBER, stroke_width=3, opacity=0.7, fill="none",
             stroke_linecap="round"),
        # shoulder joint
        circle(300, -140, 36, fill=shade(doc, CHITIN), stroke=INK, stroke_width=5),
        circle(300, -140, 13, fill=EMBER, stroke=INK, stroke_width=3),
        *[path(f"M{x},{y} l{-40},{-22}", stroke=INK, stroke_width=3.5) for x, y in ((270, -40), (214, 12), (150, 64))],
    ]
    return items


def bigboss_head(doc, damage):
    """damage 0 (unhurt, frame 4) to 4 (frame 0). The collision circle is radius 49 at (-1, -101)."""
    cx, cy = -1, -101
    sw = 5
    skull = {"light": "#b3a3bb", "base": "#65566f", "dark": "#221b28"}
    items = [glow(doc, cx, cy, 110, EMBER, 0.35 + 0.1 * damage)]
    # horns; the right one breaks at the third wound
    for side in (-1, 1):
        if side == 1 and damage >= 3:
            items.append(path(f"M{cx + 40},{cy - 34} L{cx + 62},{cy - 58} L{cx + 70},{cy - 44} Z",
                              fill=shade(doc, {"light": "#fff4e0", "base": "#d9c7a6", "dark": "#7a6644"}),
                              stroke=INK, stroke_width=4, stroke_linejoin="round"))
            continue
        items.append(path(f"M{cx + side * 36},{cy - 36} C{cx + side * 70},{cy - 70} {cx + side * 96},{cy - 70} "
                          f"{cx + side * 118},{cy - 52} C{cx + side * 92},{cy - 50} {cx + side * 70},{cy - 36} "
                          f"{cx + side * 58},{cy - 10} Z",
                          fill=shade(doc, {"light": "#fff4e0", "base": "#d9c7a6", "dark": "#7a6644"}),
                          stroke=INK, stroke_width=4, stroke_linejoin="round"))
    items += [
        path(f"M{cx},{cy - 62} C{cx + 46},{cy - 62} {cx + 64},{cy - 30} {cx + 60},{cy + 6} "
             f"C{cx + 56},{cy + 40} {cx + 30},{cy + 62} {cx},{cy + 66} C{cx - 30},{cy + 62} {cx - 56},{cy + 40} "
             f"{cx - 60},{cy + 6} C{cx - 64},{cy - 30} {cx - 46},{cy - 62} {cx},{cy - 62} Z",
             fill=shade(doc, skull), stroke=INK, stroke_width=sw),
        # crown jewel and brow ridge
        poly([(cx, cy - 58), (cx + 10, cy - 44), (cx, cy - 30), (cx - 10, cy - 44)], fill=EMBER, stroke=INK,
             stroke_width=3),
    ]
    moods = ["angry", "angry", "hurt", "hurt", "hurt"]
    items.append(eye(cx - 24, cy - 8, 15, moods[damage], -1, EMBER, 3))
    items.append(eye(cx + 24, cy - 8, 15, "closed" if damage >= 4 else moods[damage], 1, EMBER, 3))
    items.append(fangs(cx, cy + 24, 52, 4, 24, 3))
    items.append(gloss(cx - 30, cy - 40, 16, 8, 0.35))
    if damage:
        items += cracks(min(5, damage + 1), 50, 54, cx, cy, sw=3.5)
    if damage >= 2:
        items.append(bandage(cx + 34, cy + 30, 40, -35, 2.4))
    if damage >= 4:
        items.append(bandage(cx - 36, cy - 40, 36, 30, 2.4))
    return items


EGG = "M1,-119 C36,-119 54,-60 54,0 C54,52 32,89 1,89 C-30,89 -51,52 -51,0 C-51,-60 -34,-119 1,-119 Z"


def egg(doc, element, damage):
    """An egg hanging below the boss; damage 0 (four hit points) to 3 (one)."""
    if element == "neutral":
        shell = {"light": "#f4ecff", "base": "#b9a6d8", "dark": "#4f3f70"}
        core = "#ff6b8a"
    else:
        pal = ELEMENTS[element]
        shell = {"light": pal["light"], "base": pal["base"], "dark": pal["dark"]}
        core = pal["glow"] if element != "lightning" else pal["accent"]
    items = [
        glow(doc, 1, -10, 110 + 12 * damage, core, 0.45 + 0.12 * damage),
        path(EGG, fill=shade(doc, shell), stroke=INK, stroke_width=5),
    ]
    # the creature curled inside shows through the shell
    items.append(ellipse(1, 0, 30, 44, fill=doc.radial([(0, core, 0.9), (1, core, 0)])))
    items.append(path("M-14,-8 C-14,-30 16,-34 18,-10 C20,10 0,20 -6,8", stroke=mix(shell["dark"], "#000000", 0.3),
                      stroke_width=5, fill="none", opacity=0.6, stroke_linecap="round"))
    # element markings on the shell
    if element == "fire":
        for x, y, s in ((-20, 40, 26), (22, 52, 20), (0, -60, 22)):
            items.append(path(flame_path(x, y, s * 0.8, s), fill=ELEMENTS["fire"]["accent"], stroke=INK,
                              stroke_width=2.5))
    elif element == "ice":
        for x, y, s in ((-22, 30, 15), (20, -50, 13), (16, 46, 11)):
            items.append(snowflake(x, y, s, "#ffffff", 3))
        items.append(poly([(-40, -50), (-30, -94), (-20, -52)], fill="#ffffff", opacity=0.6))
    elif element == "lightning":
        for x, y, s in ((-20, 34, 16), (22, -46, 14), (14, 50, 11)):
            items.append(poly(bolt_points(x, y, s), fill=ELEMENTS["lightning"]["accent"], stroke=INK,
                              stroke_width=2.5, stroke_linejoin="round"))
    else:
        for x, y in ((-26, -40), (24, -10), (-18, 44), (20, 56)):
            items.append(ellipse(x, y, 8, 12, fill=shell["dark"], opacity=0.35))
    items.append(gloss(-22, -70, 12, 26, 0.5, -20))
    crack_sets = [
        [(-8, -118), (-2, -92), (-14, -74), (-4, -56)],
        [(52, -10), (30, -4), (24, 14), (8, 18)],
        [(-50, 20), (-30, 26), (-26, 44), (-10, 46)],
        [(10, 88), (14, 66), (2, 56), (8, 40)],
    ]
    for crack in crack_sets[:damage + (1 if damage == 3 else 0)]:
        items.append(polyline(crack, stroke=INK, stroke_width=4, stroke_linejoin="round", stroke_linecap="round"))
        items.append(polyline(crack, stroke=core, stroke_width=1.6, stroke_linejoin="round", opacity=0.9))
    if damage == 3:
        items.append(path("M-6,-118 L14,-119 C24,-112 30,-100 34,-92 L14,-84 Z", fill="#0d0816", stroke=INK,
                          stroke_width=3, stroke_linejoin="round"))
    return items


DRAWERS = {
    "SEMIBOSS_BODY": lambda tex: make(tex, lambda doc, i: semiboss_body(doc, i == 0)),
    "SEMIBOSS_LEFT": lambda tex: make(tex, lambda doc, i: semiboss_arm(doc, 5 - i)),
    "BIG_BOSS_BODY": lambda tex: single(tex, bigboss_body),
    "BIG_BOSS_BOTTOM": lambda tex: single(tex, bigboss_bottom),
    "BIG_BOSS_RIGHT": lambda tex: single(tex, bigboss_arm),
    "BIG_BOSS_HEAD": lambda tex: make(tex, lambda doc, i: bigboss_head(doc, 4 - i)),
    "BIG_BOSS_RIGHT_EGG": lambda tex: make(tex, lambda doc, i: egg(doc, "neutral", 3 - i)),
    "BIG_BOSS_FIRE_EGG": lambda tex: make(tex, lambda doc, i: egg(doc, "fire", 3 - i)),
    "BIG_BOSS_ICE_EGG": lambda tex: make(tex, lambda doc, i: egg(doc, "ice", 3 - i)),
    "BIG_BOSS_LIGHTNING_EGG": lambda tex: make(tex, lambda doc, i: egg(doc, "lightning", 3 - i)),
}
