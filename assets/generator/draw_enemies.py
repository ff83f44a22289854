"""The ordinary enemies, the healer and the shield carrier. Every creature comes in the colour of its
element, and its frames show how many hit points it has left."""

import math

from common import game_to_svg, make, place
from style import (ELEMENTS, HEAL, INK, METAL, bolt_points, body, drop_shadow, flame_path, gloss, glow, mix,
                   orb, shade, star_points)
from svg import circle, ellipse, group, path, poly, polyline

CYAN = ELEMENTS["ice"]
IRON = {"light": "#a4afc0", "base": "#5b6679", "dark": "#242a36"}


# --- faces and wounds ---------------------------------------------------------------------------

def eye(cx, cy, r, mood="angry", side=1, iris="#ffd34a", sw=1.5):
    """One eye; side is -1 for the creature's right eye (left on screen) and 1 for the other."""
    if mood == "closed":
        return path(f"M{cx - r:.1f},{cy:.1f} Q{cx:.1f},{cy + r * 0.8:.1f} {cx + r:.1f},{cy:.1f}",
                    fill="none", stroke=INK, stroke_width=sw * 1.3, stroke_linecap="round")
    if mood == "dazed":
        d = r * 0.7
        return path(f"M{cx - d:.1f},{cy - d:.1f} L{cx + d:.1f},{cy + d:.1f} M{cx + d:.1f},{cy - d:.1f} "
                    f"L{cx - d:.1f},{cy + d:.1f}", stroke=INK, stroke_width=sw * 1.4, stroke_linecap="round")
    items = [
        circle(cx, cy, r, fill="#ffffff", stroke=INK, stroke_width=sw),
        circle(cx + side * r * 0.12, cy + r * 0.1, r * 0.58, fill=iris),
        circle(cx + side * r * 0.12, cy + r * 0.1, r * 0.3, fill=INK),
        circle(cx - r * 0.3, cy - r * 0.35, r * 0.18, fill="#ffffff"),
    ]
    if mood == "angry":
        # a brow cutting the eye from the outer top corner down to the nose
        outer, inner = cx + side * r * 1.15, cx - side * r * 1.2
        items.append(path(f"M{outer:.1f},{cy - r * 1.3:.1f} L{inner:.1f},{cy - r * 0.45:.1f} "
                          f"L{inner:.1f},{cy - r * 0.95:.1f} L{outer:.1f},{cy - r * 1.75:.1f} Z", fill=INK,
                          stroke=INK, stroke_width=sw * 0.5, stroke_linejoin="round"))
    elif mood == "hurt":
        items.append(path(f"M{cx - r * 1.1:.1f},{cy - r * 0.55:.1f} L{cx + r * 1.1:.1f},{cy - r * 0.55:.1f} "
                          f"L{cx + r * 1.1:.1f},{cy - r * 1.3:.1f} L{cx - r * 1.1:.1f},{cy - r * 1.3:.1f} Z",
                          fill=INK))
    return group(items)


def fangs(cx, cy, w, n=2, h=None, sw=1.2):
    h = h if h is not None else w * 0.35
    items = [path(f"M{cx - w / 2:.1f},{cy:.1f} Q{cx:.1f},{cy + h * 0.9:.1f} {cx + w / 2:.1f},{cy:.1f}",
                  fill=INK, stroke=INK, stroke_width=sw, stroke_linejoin="round")]
    for k in range(n):
        x = cx - w / 2 + w * (k + 1) / (n + 1)
        items.append(poly([(x - w * 0.09, cy + 0.3), (x + w * 0.09, cy + 0.3), (x, cy + h * 0.75)],
                          fill="#ffffff", stroke=INK, stroke_width=sw * 0.5))
    return group(items)


CRACKS = [
    [(-0.15, -0.95), (-0.05, -0.55), (-0.25, -0.3), (-0.1, 0.0)],
    [(0.9, -0.2), (0.55, -0.1), (0.45, 0.2), (0.2, 0.3)],
    [(-0.9, 0.35), (-0.55, 0.3), (-0.45, 0.55), (-0.2, 0.6)],
    [(0.4, -0.85), (0.35, -0.5), (0.55, -0.35)],
    [(0.15, 0.95), (0.1, 0.65), (0.3, 0.5)],
]


def cracks(count, rx, ry, cx=0, cy=0, sw=1.5):
    items = []
    for crack in CRACKS[:count]:
        pts = [(cx + x * rx, cy + y * ry) for x, y in crack]
        items.append(polyline(pts, stroke=INK, stroke_width=sw, stroke_linejoin="round", stroke_linecap="round"))
        items.append(polyline([(x + sw * 0.6, y + sw * 0.6) for x, y in pts], stroke="#ffffff",
                              stroke_width=sw * 0.5, opacity=0.35, stroke_linecap="round"))
    return items


def bandage(cx, cy, w, angle, sw=1.2):
    h = w * 0.32
    return group([
        path(f"M{-w / 2:.1f},{-h / 2:.1f} h{w:.1f} v{h:.1f} h{-w:.1f} Z", fill="#f3e6c8", stroke=INK,
             stroke_width=sw, stroke_linejoin="round"),
        path(f"M{-w * 0.12:.1f},{-h / 2:.1f} v{h:.1f} M{w * 0.12:.1f},{-h / 2:.1f} v{h:.1f}",
             stroke="#c9b48a", stroke_width=sw * 0.8),
    ], transform=f"translate({cx:.1f} {cy:.1f}) rotate({angle})")


def bruise(doc, cx, cy, r):
    return circle(cx, cy, r, fill=doc.radial([(0, "#2b0f2f", 0.45), (1, "#2b0f2f", 0)]))


def element_crest(doc, element, cx, top, s, sw):
    """What sits on a creature's head to tell its element at a glance."""
    pal = ELEMENTS[element]
    if element == "fire":
        return [path(flame_path(cx, top + s * 0.35, s * 1.1, s * 1.25), fill=shade(doc, {
            "light": pal["glow"], "base": pal["accent"], "dark": pal["base"]}), stroke=INK, stroke_width=sw),
                path(flame_path(cx, top + s * 0.3, s * 0.5, s * 0.7), fill=pal["glow"])]
    if element == "ice":
        spikes = []
        for dx, h in ((-0.45, 0.7), (0, 1.05), (0.45, 0.7)):
            x = cx + dx * s
            spikes.append(poly([(x - s * 0.2, top + s * 0.3), (x, top + s * 0.3 - h * s), (x + s * 0.2, top + s * 0.3)],
                               fill=shade(doc, {"light": "#ffffff", "base": pal["accent"], "dark": pal["base"]}),
                               stroke=INK, stroke_width=sw, stroke_linejoin="round"))
        return spikes
    if element == "lightning":
        return [path(f"M{cx:.1f},{top + s * 0.3:.1f} L{cx + s * 0.15:.1f},{top - s * 0.35:.1f}", stroke=INK,
                     stroke_width=sw * 2.2, stroke_linecap="round"),
                path(f"M{cx:.1f},{top + s * 0.3:.1f} L{cx + s * 0.15:.1f},{top - s * 0.35:.1f}",
                     stroke=pal["dark"], stroke_width=sw, stroke_linecap="round"),
                poly(bolt_points(cx + s * 0.2, top - s * 0.65, s * 0.42), fill=pal["accent"], stroke=INK,
                     stroke_width=sw * 0.8, stroke_linejoin="round")]
    bone = {"light": "#fffaf0", "base": "#e4d8bd", "dark": "#9c8a66"}
    return [path(f"M{cx - s * 0.55:.1f},{top + s * 0.35:.1f} Q{cx - s * 0.75:.1f},{top - s * 0.3:.1f} "
                 f"{cx - s * 0.35:.1f},{top - s * 0.55:.1f} Q{cx - s * 0.4:.1f},{top:.1f} {cx - s * 0.2:.1f},"
                 f"{top + s * 0.3:.1f} Z", fill=shade(doc, bone), stroke=INK, stroke_width=sw),
            path(f"M{cx + s * 0.55:.1f},{top + s * 0.35:.1f} Q{cx + s * 0.75:.1f},{top - s * 0.3:.1f} "
                 f"{cx + s * 0.35:.1f},{top - s * 0.55:.1f} Q{cx + s * 0.4:.1f},{top:.1f} {cx + s * 0.2:.1f},"
                 f"{top + s * 0.3:.1f} Z", fill=shade(doc, bone), stroke=INK, stroke_width=sw)]


# --- basic --------------------------------------------------------------------------------------

def basic(doc, element, hurt):
    pal = ELEMENTS[element]
    sw = 1.9
    blob = ("M0,-17 C13,-17 21,-9 21,3 C21,12 16,18 10,18 L-10,18 C-16,18 -21,12 -21,3 "
            "C-21,-9 -13,-17 0,-17 Z")
    items = [
        drop_shadow(2, 20, 18, 3.5),
        ellipse(-10, 18.5, 6, 3.5, fill=pal["dark"], stroke=INK, stroke_width=1.4),
        ellipse(10, 18.5, 6, 3.5, fill=pal["dark"], stroke=INK, stroke_width=1.4),
        *element_crest(doc, element, 0, -16, 13, 1.4),
        body(doc, blob, pal, sw),
        ellipse(0, 8, 12, 7, fill=pal["light"], opacity=0.35),
        gloss(-10, -9, 6, 3.5, 0.5),
        eye(-7, -2, 5, "hurt" if hurt else "angry", -1, pal["eye"], 1.3),
        eye(7, -2, 5, "closed" if hurt else "angry", 1, pal["eye"], 1.3),
        fangs(0, 8, 12, 2, 5, 1),
    ]
    if hurt:
        items += cracks(2, 18, 15, sw=1.3)
        items.append(bandage(10, -11, 11, 30, 0.9))
    return items


# --- light --------------------------------------------------------------------------------------

def light(doc, element):
    pal = ELEMENTS[element]
    sw = 1.4
    wing = "M-6,-2 C-10,-12 -15,-13 -16,-8 C-13,-7 -14,-3 -16,-1 C-13,0 -12,3 -14,6 C-10,5 -7,4 -5,3 Z"
    wing_fill = shade(doc, {"light": pal["accent"], "base": pal["base"], "dark": pal["dark"]})
    items = [
        path(wing, fill=wing_fill, stroke=INK, stroke_width=sw, stroke_linejoin="round"),
        path(wing, fill=wing_fill, stroke=INK, stroke_width=sw, stroke_linejoin="round", transform="scale(-1 1)"),
    ]
    if element == "fire":
        items.insert(0, path(flame_path(0, 6, 10, 10), fill=pal["accent"], stroke=INK, stroke_width=1,
                             transform="rotate(180 0 6)"))
    elif element == "ice":
        items.insert(0, poly([(-4, 8), (0, 16), (4, 8)], fill=pal["accent"], stroke=INK, stroke_width=1))
    elif element == "lightning":
        items.insert(0, poly(bolt_points(0, 12, 5), fill=pal["accent"], stroke=INK, stroke_width=0.8))
    else:
        items.insert(0, path("M0,8 Q-3,13 1,16", stroke=INK, stroke_width=2.2, fill="none", stroke_linecap="round"))
    items += [
        orb(doc, 0, 0, 9.5, pal, sw),
        eye(0, -1, 4.6, "angry", 1, pal["eye"], 1.1),
        path("M-3,5 L0,7 L3,5", stroke=INK, stroke_width=1.1, fill="none", stroke_linejoin="round"),
    ]
    return items


# --- heavy --------------------------------------------------------------------------------------

def heavy(doc, element, damage):
    """damage 0 (unhurt) to 3 (one hit point left)."""
    pal = ELEMENTS[element]
    sw = 3.0
    hide = ("M-30,-34 C-12,-44 12,-44 30,-34 C42,-28 46,-14 45,2 C46,20 40,34 30,40 L18,42 L-18,42 L-30,40 "
            "C-40,34 -46,20 -45,2 C-46,-14 -42,-28 -30,-34 Z")
    armour = IRON
    items = [drop_shadow(4, 42, 40, 6)]
    # arms and fists
    for side in (-1, 1):
        items.append(path(f"M{side * 38},-6 C{side * 52},2 {side * 50},22 {side * 44},30 L{side * 34},26 Z",
                          fill=shade(doc, pal), stroke=INK, stroke_width=sw, stroke_linejoin="round"))
        items.append(circle(side * 41, 31, 8.5, fill=shade(doc, pal), stroke=INK, stroke_width=sw))
    # feet
    items.append(ellipse(-18, 42, 11, 5, fill=pal["dark"], stroke=INK, stroke_width=2.2))
    items.append(ellipse(18, 42, 11, 5, fill=pal["dark"], stroke=INK, stroke_width=2.2))
    # horns
    horn = {"light": "#fffaf0", "base": "#ddd0b2", "dark": "#8a7757"}
    for side in (-1, 1):
        if damage >= 2 and side == 1:
            items.append(path("M22,-36 L30,-44 L34,-38 Z", fill=shade(doc, horn), stroke=INK, stroke_width=2.2,
                              stroke_linejoin="round"))
            continue
        items.append(path(f"M{side * 18},-38 C{side * 30},-52 {side * 40},-50 {side * 46},-46 "
                          f"C{side * 38},-44 {side * 32},-38 {side * 30},-30 Z", fill=shade(doc, horn),
                          stroke=INK, stroke_width=2.2, stroke_linejoin="round"))
    items.append(body(doc, hide, pal, sw))
    # armour plates: helmet band, shoulder plates and belly plate
    plates = [
        ("M-30,-30 C-12,-40 12,-40 30,-30 L28,-18 C10,-26 -10,-26 -28,-18 Z", 0),
        ("M-44,-8 C-44,-20 -36,-28 -28,-28 L-24,-6 C-32,-4 -40,-4 -44,-8 Z", 1),
        ("M44,-8 C44,-20 36,-28 28,-28 L24,-6 C32,-4 40,-4 44,-8 Z", 2),
        ("M-20,14 C-8,11 8,11 20,14 C20,26 12,36 0,39 C-12,36 -20,26 -20,14 Z", 3),
    ]
    for k, (d, idx) in enumerate(plates):
        if damage >= 3 and idx == 2:
            continue
        items.append(path(d, fill=shade(doc, armour), stroke=INK, stroke_width=2.2, stroke_linejoin="round"))
        if idx == 0:
            for x in (-18, 0, 18):
                items.append(circle(x, -29 + abs(x) * 0.12, 2, fill=armour["light"], stroke=INK, stroke_width=1))
    items.append(path("M0,17 L0,35 M-13,22 L13,22", stroke=armour["dark"], stroke_width=1.6))
    if element != "neutral":
        items += element_crest(doc, element, 0, -36, 15, 2.0)
    # face
    mood = ["angry", "angry", "hurt", "hurt"][damage]
    items.append(eye(-13, -10, 7, mood, -1, pal["eye"], 1.8))
    items.append(eye(13, -10, 7, "closed" if damage == 3 else mood, 1, pal["eye"], 1.8))
    items.append(path("M-16,4 Q0,12 16,4 Q0,2 -16,4 Z", fill=INK, stroke=INK, stroke_width=2, stroke_linejoin="round"))
    items.append(poly([(-14, 5), (-10, -4), (-7, 6)], fill="#fffaf0", stroke=INK, stroke_width=1.2))
    items.append(poly([(14, 5), (10, -4), (7, 6)], fill="#fffaf0", stroke=INK, stroke_width=1.2))
    items.append(gloss(-24, -22, 9, 5, 0.4))
    if damage:
        items += cracks(damage + 1, 36, 32, sw=2.2)
    if damage >= 2:
        items.append(bruise(doc, 24, 10, 12))
        items.append(bandage(-26, 8, 22, -25, 1.4))
    if damage >= 3:
        items.append(path("M22,-24 L30,-8 L24,-6 Z", fill=mix(pal["dark"], "#000000", 0.3), stroke=INK,
                          stroke_width=1.5))
    return items


# --- healer -------------------------------------------------------------------------------------

BOWL = game_to_svg([(-114, 80), (-108, 16), (-64, -22), (-2, -33), (78, -19), (109, 16), (120, 82),
                    (96, 110), (-94, 105)])


def healer(doc, damage):
    """A blooming plant creature whose cup matches its collision outline; damage 0 to 3 wilts it."""
    wilt = damage / 3.0
    leaf = {k: mix(v, "#8a6a2a", wilt * 0.55) for k, v in HEAL.items()}
    petal = {"light": mix("#fff4fb", "#d9c29a", wilt * 0.6), "base": mix("#ff9ed8", "#b98a6a", wilt * 0.6),
             "dark": mix("#b0307e", "#6b4a2a", wilt * 0.6)}
    sw = 3.2
    items = [drop_shadow(8, 108, 70, 8, 0.25)]
    # roots hanging below the cup
    for k, (x0, x1, curl) in enumerate(((-40, -60, -1), (-12, -20, 1), (18, 30, -1), (44, 64, 1))):
        if damage >= 3 and k == 3:
            continue
        d = f"M{x0},20 C{x0 + curl * 14},52 {x1 - curl * 12},70 {x1},{96 - abs(x1) * 0.1:.0f}"
        items.append(path(d, fill="none", stroke=INK, stroke_width=9, stroke_linecap="round"))
        items.append(path(d, fill="none", stroke=leaf["dark"], stroke_width=5, stroke_linecap="round"))
    # outer leaves follow the cup's outline
    left = "M-106,-78 C-118,-40 -104,-6 -64,22 C-40,34 -20,34 -2,33 C-40,10 -80,-30 -106,-78 Z"
    right = "M118,-80 C124,-40 108,-4 78,19 C54,32 30,34 -2,33 C40,12 92,-30 118,-80 Z"
    items.append(path(left, fill=shade(doc, leaf), stroke=INK, stroke_width=sw, stroke_linejoin="round"))
    items.append(path(right, fill=shade(doc, leaf), stroke=INK, stroke_width=sw, stroke_linejoin="round"))
    # petals of the bloom; a wilted bloom droops and loses some
    petals = [(-70, -100, -30), (-35, -108, -12), (0, -112, 0), (35, -108, 12), (70, -100, 30)]
    for k, (x, y, tilt) in enumerate(petals):
        if damage >= 2 and k == 4:
            continue
        if damage >= 3 and k == 0:
            continue
        droop = wilt * 26
        tip_y = y + droop
        d = (f"M{x * 0.45:.1f},-10 C{x * 0.45 - 26:.1f},{-30 + droop * 0.3:.1f} {x - 22:.1f},{tip_y + 16:.1f} "
             f"{x:.1f},{tip_y:.1f} C{x + 22:.1f},{tip_y + 16:.1f} {x * 0.45 + 26:.1f},{-30 + droop * 0.3:.1f} "
             f"{x * 0.45:.1f},-10 Z")
        items.append(path(d, fill=shade(doc, petal), stroke=INK, stroke_width=sw - 0.6, stroke_linejoin="round",
                          transform=f"rotate({tilt * (1 + wilt):.1f} {x * 0.45:.1f} -10)"))
    # the cup
    cup = "M-96,-30 C-92,0 -60,26 -2,30 C58,26 94,0 100,-30 C70,-14 30,-8 -2,-8 C-36,-8 -70,-14 -96,-30 Z"
    items.append(path(cup, fill=shade(doc, leaf), stroke=INK, stroke_width=sw, stroke_linejoin="round"))
    items.append(path("M-70,-10 C-50,8 -20,16 -2,16", stroke=leaf["light"], stroke_width=3, fill="none",
                      opacity=0.6, stroke_linecap="round"))
    # glowing heart with a face
    heart_glow = mix("#fff3a0", "#a08a5a", wilt * 0.7)
    items.append(glow(doc, 0, -36, 52, heart_glow, 0.8 - wilt * 0.4))
    items.append(orb(doc, 0, -34, 26, {"light": "#ffffff", "base": heart_glow, "dark": mix(heart_glow, "#6b4a12", 0.6)},
                     sw - 0.6))
    mood = ["open", "open", "hurt", "closed"][damage]
    items.append(eye(-9, -38, 5.5, mood, -1, "#5fd36a", 1.5))
    items.append(eye(9, -38, 5.5, "dazed" if damage == 3 else mood, 1, "#5fd36a", 1.5))
    items.append(path("M-7,-24 Q0,-19 7,-24", fill="none", stroke=INK, stroke_width=2, stroke_linecap="round"))
    # a green cross on the cup
    items.append(path("M-8,4 h16 M0,-4 v16", stroke=INK, stroke_width=8, stroke_linecap="round"))
    items.append(path("M-8,4 h16 M0,-4 v16", stroke="#ffffff", stroke_width=4, stroke_linecap="round"))
    items.append(gloss(-60, -40, 14, 6, 0.35))
    if damage:
        items += cracks(damage + 1, 70, 20, 0, 6, sw=2.2)
    if damage >= 2:
        items.append(bandage(62, -6, 34, 20, 1.6))
    return items


# --- shield carrier and its shield bits --------------------------------------------------------

def shield_body(doc, frame):
    """0 shielded, 1 hit flash while shielded, 2 unshielded at 1 hit point, 3 unshielded at 2."""
    shielded = frame in (0, 1)
    sw = 2.4
    shell = dict(METAL)
    items = []
    if shielded:
        items.append(glow(doc, 0, 0, 40, CYAN["accent"], 0.9 if frame == 1 else 0.55))
        items.append(circle(0, 0, 35, fill="none", stroke=CYAN["accent"], stroke_width=2, opacity=0.8,
                            stroke_dasharray="6 4"))
    items += [
        # emitters on both sides, where the bits are held
        circle(-30, -6, 6, fill=CYAN["base"] if shielded else "#4d5664", stroke=INK, stroke_width=1.8),
        circle(30, -6, 6, fill=CYAN["base"] if shielded else "#4d5664", stroke=INK, stroke_width=1.8),
        orb(doc, 0, 0, 29, shell, sw),
        path("M-27,-2 C-14,-8 14,-8 27,-2", stroke=INK, stroke_width=1.6, fill="none"),
        path("M-22,14 C-10,20 10,20 22,14", stroke=shell["dark"], stroke_width=2, fill="none"),
        # visor and eye
        path("M-17,-13 L17,-13 L14,2 L-14,2 Z", fill="#152033", stroke=INK, stroke_width=1.8, stroke_linejoin="round"),
    ]
    eye_colour = CYAN["accent"] if shielded else "#ff6b6b"
    items.append(ellipse(0, -5.5, 9, 5, fill=eye_colour))
    items.append(ellipse(0, -5.5, 3.5, 3.5, fill="#ffffff"))
    items.append(gloss(-11, -17, 8, 4, 0.5))
    if frame == 2:
        items += cracks(3, 24, 22, sw=1.6)
        items.append(bandage(14, 14, 14, -30, 1))
    if frame == 1:
        items.append(circle(0, 0, 29, fill="#e9fdff", opacity=0.55))
    return items


SHIELD_FACE = [(-69, 0), (-50, -15), (-17, -27), (12, -32), (56, -33)]


def shield_bit(doc, hp, flash):
    """The left shield bit; its lower edge is the shield face that stops projectiles."""
    sw = 2.6
    lower = game_to_svg(SHIELD_FACE + [(70, -30)])
    upper = game_to_svg([(74, -12), (58, -2), (30, 8), (0, 16), (-26, 26), (-48, 38), (-62, 46), (-70, 47),
                         (-76, 36), (-74, 16), (-70, 1)])
    plate = lower + upper
    face = game_to_svg([(-69, 0), (-50, -15), (-17, -27), (12, -32), (56, -33), (70, -30), (68, -24),
                        (54, -27), (12, -25), (-16, -20), (-46, -8), (-62, 6)])
    energy = 1.0 if hp >= 3 else 0.6 if hp == 2 else 0.35
    items = [
        glow(doc, -2, 24, 70, CYAN["accent"], 0.35 * energy + (0.4 if flash else 0)),
        poly(plate, fill=shade(doc, METAL), stroke=INK, stroke_width=sw, stroke_linejoin="round"),
        poly(face, fill=doc.linear([(0, "#ffffff"), (0.4, CYAN["accent"]), (1, CYAN["base"])], 0, 0, 0, 1),
             stroke=INK, stroke_width=1.6, stroke_linejoin="round", opacity=0.5 + 0.5 * energy),
        # rivets and a small emitter on the plate
        *[circle(x, y, 2.4, fill=METAL["light"], stroke=INK, stroke_width=1) for x, y in
          game_to_svg([(-52, 22), (-30, 6), (0, -6), (34, -14)])],
        circle(-56, -30, 7, fill=CYAN["base"], stroke=INK, stroke_width=1.8),
        circle(-56, -30, 3, fill="#ffffff"),
        polyline(game_to_svg([(-62, 40), (-30, 22), (0, 12), (40, 2)]), stroke="#ffffff", stroke_width=2.5,
                 opacity=0.45, stroke_linecap="round"),
        *[path(f"M{x:.1f},{-y0:.1f} L{x + 4:.1f},{-y1:.1f}", stroke=INK, stroke_width=1.8) for x, y0, y1 in
          ((-40, 28, -6), (-8, 18, -20), (26, 8, -24))],
    ]
    if hp < 4:
        crack_sets = [[(-10, -2), (-4, 10), (-12, 18)], [(30, -14), (36, -4), (30, 2)],
                      [(-46, 16), (-36, 24), (-40, 34)], [(8, -20), (16, -10), (10, -4), (18, 4)]]
        for crack in crack_sets[:4 - hp + (1 if hp == 1 else 0)]:
            items.append(polyline(game_to_svg(crack), stroke=INK, stroke_width=2, stroke_linecap="round",
                                  stroke_linejoin="round"))
    if hp == 1:
        items.append(poly(game_to_svg([(60, -16), (74, -16), (70, -30), (62, -28)]), fill="#1d1528", opacity=0.7))
    if flash:
        items.append(poly(plate, fill="#e9fdff", opacity=0.6))
    return items


DRAWERS = {}
for _e in ("NEUTRAL", "FIRE", "ICE", "LIGHTNING"):
    _el = _e.lower()
    DRAWERS[f"BASIC_{_e}"] = (lambda el: lambda tex: make(tex, lambda doc, i: basic(doc, el, i == 0)))(_el)
    DRAWERS[f"LIGHT_{_e}"] = (lambda el: lambda tex: make(tex, lambda doc, i: light(doc, el)))(_el)
    DRAWERS[f"HEAVY_{_e}"] = (lambda el: lambda tex: make(tex, lambda doc, i: heavy(doc, el, 3 - i)))(_el)
DRAWERS["HEALER"] = lambda tex: make(tex, lambda doc, i: healer(doc, 3 - i))
DRAWERS["SHIELD_BODY"] = lambda tex: make(tex, shield_body)
for _hp in range(1, 5):
    DRAWERS[f"SHIELD_BIT_{_hp}"] = (lambda hp: lambda tex: make(tex, lambda doc, i: shield_bit(doc, hp, i == 1)))(_hp)
