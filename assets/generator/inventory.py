"""Every texture the game and its GUI load: folder, file, grid, frame count and frame size.

The frame size is what the sprite covers on screen at scale 1 (a sprite's quad is its frame in
pixels, centred on the sprite's position), so it is chosen to agree with the bounding rectangles
of the sprite's collision frames: `rect` is (top, left, right, bottom), y upwards, around the
position (the larger one where frames differ). The frame is the smallest centred frame that
encloses the rectangle: twice its largest extent on each axis. "tight" marks rectangles that
are (nearly) the frame itself; "cover" marks hit areas smaller than the picture; "texel" marks
the one-texel covers and the chain strip, whose size is the rectangle's own.
"""

from collections import namedtuple

Texture = namedtuple("Texture", "folder name cols rows frames fw fh rect fit meaning")


def t(folder, name, cols, rows, frames, fw, fh, rect=None, fit="tight", meaning=""):
    return Texture(folder, name, cols, rows, frames, fw, fh, rect, fit, meaning)


A = "Animations"
ELEMS = ["NEUTRAL", "FIRE", "ICE", "LIGHTNING"]
SCREEN = (384, -512, 512, -384)

TEXTURES = [
    # Play level: field and enemies
    t(A, "BACKGROUND", 1, 4, 4, 1032, 774, (387, -516, 516, -387),
      meaning="play backgrounds: 0 tutorial by day, 1 act 1 at dusk, 2 act 2 at night, 3 act 3 in the storm"),
    *[t(A, f"HEAVY_{e}", 2, 2, 4, 100, 100, (50, -50, 50, -50),
        meaning="heavy enemy; frame = hit points - 1 (3 unhurt ... 0 nearly dead)") for e in ELEMS],
    *[t(A, f"BASIC_{e}", 2, 1, 2, 50, 50, (25, -25, 25, -25),
        meaning="basic enemy; frame 1 unhurt, frame 0 wounded") for e in ELEMS],
    *[t(A, f"LIGHT_{e}", 1, 1, 1, 34, 34, (17, -17, 17, -17), meaning="light enemy") for e in ELEMS],
    t(A, "HEALER", 2, 2, 4, 252, 230, (115, -126, 126, -115),
      meaning="healer enemy; frame = hit points - 1"),
    t(A, "HEALER_EFFECT", 1, 1, 1, 300, 300, (150, -150, 150, -150),
      meaning="the healer's ring, scaled 0 to 1 during a pulse"),
    t(A, "SHIELD_BODY", 2, 2, 4, 82, 66, (33, -41, 41, -33),
      meaning="shield carrier: 0 shielded, 1 hit flash while shielded, 2 unshielded at 1 hit point, 3 unshielded at 2"),
    *[t(A, f"SHIELD_BIT_{i}", 2, 1, 2, 154, 96, (48, -77, 77, -48),
        meaning=f"shield bit at {i} hit point{'s' if i > 1 else ''}; frame 0 normal, 1 hit flash") for i in range(1, 5)],
    t(A, "SEMIBOSS_BODY", 2, 1, 2, 340, 174, (87, -170, 170, -87),
      meaning="semi-boss; frame 1 at 2 hit points, frame 0 at 1"),
    t(A, "SEMIBOSS_LEFT", 3, 2, 6, 110, 200, (100, -55, 55, -100),
      meaning="semi-boss arm (the right arm is drawn mirrored); frame = hit points - 1"),
    t(A, "BIG_BOSS_BODY", 1, 1, 1, 880, 600, (300, -440, 440, -300), meaning="big boss body"),
    t(A, "BIG_BOSS_BOTTOM", 1, 1, 1, 880, 600, (300, -440, 440, -300),
      meaning="big boss lower part carrying the three elemental eggs (first phase)"),
    t(A, "BIG_BOSS_RIGHT", 1, 1, 1, 880, 600, (300, -440, 440, -300),
      meaning="big boss arm (the left arm is drawn mirrored)"),
    t(A, "BIG_BOSS_HEAD", 2, 3, 5, 880, 600, (300, -440, 440, -300),
      meaning="big boss head; frame = hit points / 2 - 1 (4 unhurt ... 0 nearly dead)"),
    t(A, "BIG_BOSS_RIGHT_EGG", 2, 2, 4, 400, 400, (200, -200, 200, -200),
      meaning="plain egg (the left one mirrored); frame = hit points - 1"),
    *[t(A, f"BIG_BOSS_{e}_EGG", 2, 2, 4, 400, 400, (200, -200, 200, -200),
        meaning="elemental egg; frame = hit points - 1") for e in ("FIRE", "ICE", "LIGHTNING")],
    t(A, "CITY", 2, 3, 5, 1024, 94, (47, -512, 512, -47),
      meaning="the city: 0 intact (16-20 hit points) ... 3 burning (1-5), 4 destroyed"),
    t(A, "CRYSTAL", 2, 1, 2, 38, 40, (20, -19, 19, -20), meaning="crystal pickup, two spin frames"),
    t(A, "WAVE_CLEAR", 1, 1, 1, 1024, 768, SCREEN, meaning="wave-cleared banner over the field"),
    # Cannon, ammunition, towers
    t(A, "CANNON", 1, 1, 1, 54, 182, (91, -27, 27, -91), meaning="the cannon, pointing up, pivot at the centre"),
    t(A, "CANNONBASE", 1, 1, 1, 70, 70, (35, -35, 35, -35), meaning="the cannon's mount"),
    t(A, "AMMO_BASE", 1, 1, 1, 30, 30, (15, -15, 15, -15), meaning="plain projectile, flying to the right"),
    t(A, "AMMO_FIRE", 2, 1, 2, 30, 30, (15, -15, 15, -15),
      meaning="fire projectile; frame 1 is the fire burst of the tower's missile"),
    t(A, "AMMO_ICE", 1, 1, 1, 30, 30, (15, -15, 15, -15), meaning="ice projectile"),
    t(A, "AMMO_LIGHTNING", 2, 1, 2, 30, 30, (15, -15, 15, -15),
      meaning="lightning projectile; frame 1 is the strike of a chain link"),
    *[t(A, f"AMMO_{e}2", 1, 1, 1, 32, 74, (37, -16, 16, -37), meaning="streaking projectile")
      for e in ELEMS],
    t(A, "CHAIN_LIGHTNING", 1, 1, 1, 1, 2, (1, 0, 1, -1), "texel",
      meaning="chain bolt strip: stretched along the chain, 2 texels thick"),
    t(A, "LIGHTNING_EMP", 1, 1, 1, 1024, 1536, (768, -512, 512, -768),
      meaning="the lightning tower's shock wave, scaled 1 to 2.1"),
    t(A, "TOWER_BASE", 1, 1, 1, 80, 90, (45, -40, 40, -45), meaning="tower site"),
    *[t(A, f"SELECT_{e}0", 1, 1, 1, 20, 20, (10, -10, 10, -10), meaning="tower choice icon")
      for e in ("FIRE", "ICE", "LIGHTNING")],
    t(A, "TOWER_FIRE", 1, 1, 1, 80, 188, (94, -40, 40, -91), meaning="fire tower"),
    t(A, "TOWER_FIRE_LAUNCH", 2, 1, 2, 100, 200, (100, -50, 50, -100),
      meaning="fire tower lifting off, two flame frames"),
    t(A, "TOWER_ICE", 1, 1, 1, 80, 188, (94, -40, 40, -91), meaning="ice tower"),
    t(A, "TOWER_LIGHTNING", 1, 1, 1, 80, 182, (78, -40, 40, -91), meaning="lightning tower"),
    # HUD
    t(A, "PROGRESS_BOTTOM", 1, 1, 1, 304, 34, (16, -151, 152, -17), meaning="progress bar frame"),
    t(A, "PROGRESS_BAR1", 1, 1, 1, 584, 2, (1, -292, 292, -1), meaning="progress bar, upper line"),
    t(A, "PROGRESS_BAR2", 1, 1, 1, 584, 2, (1, -292, 292, -1), meaning="progress bar, lower line"),
    t(A, "PREDICTION", 1, 1, 1, 132, 74, (37, -66, 66, -37), meaning="tray of the next three shots"),
    t(A, "RESOURCE_BOTTOM", 1, 1, 1, 100, 46, (23, -50, 50, -23), meaning="crystal gauge back"),
    t(A, "RESOURCE_BAR", 1, 1, 1, 22, 46, (23, -11, 11, -23), meaning="one crystal bar (20 crystals)"),
    t(A, "RESOURCE_TOP", 1, 1, 1, 132, 60, (30, -66, 66, -30), meaning="crystal gauge frame with four windows"),
    t(A, "BOUNCEDOT", 2, 1, 2, 26, 26, (13, -13, 13, -13), meaning="bounce marker, two looks ('B')"),
    t(A, "PAUSE", 2, 1, 2, 36, 34, (17, -18, 18, -17), meaning="pause button; 0 normal, 1 highlighted"),
    *[t(A, f"PAUSE_{n}", 2, 1, 2, 200, 200, (100, -100, 100, -100),
        meaning="pause menu button; 0 normal, 1 highlighted") for n in ("EXIT", "RESTART", "RESUME")],
    t(A, "TRANSIT_BLACK", 1, 1, 1, 1, 1, (0, 0, 1, -1), "texel", meaning="black cover texel, scaled to the screen"),
    t(A, "TUT_TARGET", 1, 1, 1, 200, 200, (100, -100, 100, -100), meaning="tutorial target marker"),
    t(A, "TUT_MOUSE_MOVE", 2, 1, 2, 200, 200, (100, -100, 100, -100), meaning="tutorial hint: move the mouse"),
    t(A, "TUT_MOUSE_TICK", 1, 1, 1, 200, 200, (100, -100, 100, -100), meaning="tutorial hint: well done"),
    t(A, "TUT_MOUSE_CLICK", 2, 1, 2, 200, 200, (100, -100, 100, -100), meaning="tutorial hint: click"),
    t(A, "Animation0", 1, 1, 1, 1024, 768, SCREEN, meaning="loading picture (the tip is written across its middle)"),
    # Play cursor: sixteen crosshair layers drawn at 0.4, and the arrow
    *[t(A, f"CURSOR_{i:02d}", 1, 1, 1, w, h, r, meaning=m) for i, w, h, r, m in [
        (1, 266, 264, (132, -133, 133, -132), "outer ring, turns slowly"),
        (2, 302, 302, (150, -150, 151, -151), "outer tick ring, turns slowly the other way"),
        (3, 192, 192, (95, -95, 96, -96), "bracket ring"),
        (4, 186, 186, (92, -92, 93, -93), "dashed ring"),
        (5, 184, 152, (75, -91, 92, -76), "ready arcs (tinted green when the cannon is ready)"),
        (6, 106, 106, (52, -53, 53, -53), "inner ring"),
        (7, 88, 88, (43, -43, 44, -44), "inner ticks"),
        (8, 152, 152, (75, -75, 76, -76), "middle ring"),
        (9, 68, 66, (33, -34, 33, -33), "centre ring (the touch circle)"),
        (10, 68, 68, (33, -33, 34, -34), "centre chevrons"),
        (11, 56, 56, (27, -27, 28, -28), "centre cross"),
        (12, 114, 114, (57, -57, 57, -57), "corner marks"),
        (13, 26, 28, (13, -13, 13, -14), "centre diamond"),
        (14, 22, 22, (10, -10, 11, -11), "centre ring, small"),
        (15, 16, 16, (7, -7, 8, -8), "centre dot ring"),
        (16, 12, 12, (5, -5, 6, -6), "centre dot"),
    ]],
    t(A, "CURSOR", 1, 1, 1, 16, 16, (8, -8, 8, -8), meaning="arrow cursor of the play level, tip at the top left"),
    # Menus
    t(A, "START_BACKGROUD", 1, 1, 1, 1024, 768, SCREEN, meaning="title screen"),
    t(A, "LOGO", 1, 1, 1, 1000, 250, (125, -500, 500, -125), meaning="the Morvane title logo"),
    t(A, "START_NORMAL", 2, 1, 2, 336, 768, (214, -168, 165, -384), "cover",
      meaning="start button (gate); 0 normal, 1 highlighted"),
    t(A, "OPTIONS", 2, 1, 2, 394, 306, (153, -197, 197, -153), "cover", meaning="options button"),
    t(A, "CREDITS", 2, 1, 2, 394, 306, (153, -197, 197, -153), "cover", meaning="credits button"),
    t(A, "EXIT", 2, 1, 2, 84, 84, (42, -42, 42, -42), meaning="exit button"),
    t(A, "CURSOR0", 1, 1, 1, 32, 32, (16, -16, 16, -16), meaning="menu cursor, tip at the centre"),
    t(A, "TRANSIT_WHITE", 1, 1, 1, 1, 1, (0, 0, 1, -1), "texel", meaning="white cover texel"),
    *[t(A, f"LOGO_{n}", 1, 1, 1, 1024, 768, SCREEN, meaning="intro emblem") for n in ("HX", "VL", "KT", "M")],
    *[t(A, f"COMIC_{i}", 1, 1, 1, 1024, 768, SCREEN, meaning=m) for i, m in [
        (1, "comic panel 1, top left: the peaceful city"),
        (2, "comic panel 2, bottom left: creatures gather in the sky"),
        (3, "comic panel 3, top right: the engineer raises the elemental cannon"),
        (4, "comic panel 4, bottom right: the defence begins"),
    ]],
    t(A, "LEVEL_SELECT_BG", 2, 2, 4, 1024, 768, SCREEN, meaning="map of the land (frame 0 shown; 1-3 light acts 1-3)"),
    t(A, "DEMO", 2, 1, 2, 220, 356, (178, -110, 10, 58), "cover", meaning="tutorial badge; 0 normal, 1 highlighted"),
    t(A, "L1", 2, 1, 2, 360, 300, (150, -35, 180, -110), "cover", meaning="act 1 highlight, shown on hover"),
    t(A, "L2", 2, 1, 2, 360, 340, (110, -180, 95, -170), "cover", meaning="act 2 highlight, shown on hover"),
    t(A, "L3", 2, 1, 2, 560, 200, (50, -280, 60, -100), "cover", meaning="act 3 highlight, shown on hover"),
    t(A, "BACKMENU", 2, 1, 2, 114, 84, (42, -57, 57, -42), meaning="back button"),
    t(A, "CREDITS_SCREEN", 1, 1, 1, 1024, 768, SCREEN, meaning="credits picture"),
    t(A, "VICTORY", 1, 1, 1, 1024, 768, SCREEN, meaning="victory picture (click to go on)"),
    t(A, "LOSE", 1, 1, 1, 1024, 768, SCREEN, meaning="defeat picture (click to go on)"),
    t(A, "OPTIONS_BG", 1, 1, 1, 1024, 768, SCREEN, meaning="options screen"),
    t(A, "FS_WINDOWS", 2, 2, 4, 194, 156, (78, -97, 97, -78),
      meaning="full-screen switch: 0 window, 1 full screen, 2 and 3 the same touched"),
    t(A, "BGM", 2, 1, 2, 102, 98, (48, -50, 51, -49), meaning="music icon; 1 muted"),
    t(A, "SFX", 2, 1, 2, 114, 102, (51, -57, 57, -51), meaning="sound icon; 1 muted"),
    t(A, "VOLUME_BAR", 1, 1, 1, 478, 52, (26, -239, 239, -26), meaning="volume slider groove"),
    t(A, "VOLUME_BALL", 1, 1, 1, 52, 52, (26, -26, 26, -26), meaning="volume slider knob"),
    # Particle textures: every particle quad is the texture's size times the particle's scale,
    # and the drawing fills it, a few texels of clear edge aside: a software rasteriser pays for
    # every pixel of the quad, seen or not
    *[t("ParticleSystems", n, 1, 1, 1, size, size, None, "free", m) for n, size, m in [
        ("Particle_Texture", 96, "soft dot: aiming guides, smoke, frost"),
        ("Scorchpack-BurnMarks3200", 112, "splash of a hit"),
        ("snow", 76, "snowflake"),
        ("Scorchpack-BurnMarks32", 96, "flame puff"),
        ("Scorchpack-BurnMarks32 - Copy", 88, "ice shard"),
    ]],
    # GUI
    t("Cursors", "Arrow", 1, 1, 1, 32, 32, None, "free", "GUI arrow, drawn 32 x 32, tip at the top left"),
    t("Skins", "White", 1, 1, 1, 8, 8, None, "free", "plain white texture of the GUI graphics"),
    t("Skins", "Gray", 1, 1, 1, 64, 64, None, "free", "picture stretched over a form's client area"),
    t("Skins/Overlays", "ComboDown", 1, 1, 1, 16, 16, None, "free", "drop-down arrow"),
    t("Skins/Overlays", "ComboDownDisabled", 1, 1, 1, 16, 16, None, "free", "drop-down arrow, disabled"),
    t("Skins/DefaultButtonSkin", "DefaultButtonSkin", 1, 1, 1, 64, 160, None, "free", "button skin, 5 records"),
    t("Skins/DefaultFormSkin", "DefaultFormSkin", 1, 1, 1, 128, 64, None, "free", "form skin, 7 records"),
    t("Skins/DefaultRadioButtonSkin", "DefaultRadioButtonSkin", 1, 1, 1, 26, 65, None, "free",
      "radio button skin, 10 records"),
    t("GameIcon", "GameIcon", 1, 1, 1, 64, 64, None, "free", "window icon (also packed into GameIcon.ico)"),
]

# Skin records, in the order of each skin's ".gui" file: region (x, y from the image's bottom,
# width, height) and the inner rectangle (left, right, bottom, top) relative to the region.
SKIN_RECORDS = {
    "DefaultButtonSkin": [
        ("normal", (0, 0, 64, 32), (8, 56, 8, 24)),
        ("pressed", (0, 32, 64, 32), (8, 56, 8, 24)),
        ("hover", (0, 64, 64, 32), (8, 56, 8, 24)),
        ("focused", (0, 96, 64, 32), (8, 56, 8, 24)),
        ("disabled", (0, 128, 64, 32), (8, 56, 8, 24)),
    ],
    "DefaultFormSkin": [
        ("caption bar", (0, 32, 64, 32), (8, 56, 4, 26)),
        ("left border", (64, 32, 8, 32), (0, 8, 4, 28)),
        ("right border", (72, 32, 8, 32), (0, 8, 4, 28)),
        ("bottom border", (0, 16, 64, 8), (8, 56, 0, 8)),
        ("close button", (84, 40, 20, 20), (6, 14, 6, 14)),
        ("close button pressed", (106, 40, 20, 20), (6, 14, 6, 14)),
        ("close button hovered", (84, 16, 20, 20), (6, 14, 6, 14)),
    ],
    "DefaultRadioButtonSkin": [
        *[(f"{look} unchecked", (0, 13 * i, 13, 13), (4, 9, 4, 9))
          for i, look in enumerate(("focused", "normal", "disabled", "hover", "pressed"))],
        *[(f"{look} checked", (13, 13 * i, 13, 13), (4, 9, 4, 9))
          for i, look in enumerate(("focused", "normal", "disabled", "hover", "pressed"))],
    ],
}


def by_name():
    return {tex.name: tex for tex in TEXTURES}
