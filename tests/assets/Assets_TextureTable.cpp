#include "Assets_TextureTable.h"

namespace AssetsTest
{
namespace
{
constexpr const char* kAnim = "Animations";
constexpr Rect kScreen{384, -512, 512, -384};

constexpr ExpectedTexture Sprite(const char* name, int columns, int rows, int frames, Rect rect)
{
    return {kAnim, name, columns, rows, frames, Fit::Centred, rect, 0, 0};
}

constexpr ExpectedTexture Texel(const char* name, Rect rect)
{
    return {kAnim, name, 1, 1, 1, Fit::Texel, rect, 0, 0};
}

constexpr ExpectedTexture Sized(const char* folder, const char* name, int width, int height)
{
    return {folder, name, 1, 1, 1, Fit::Size, {}, width, height};
}

// The play level: field, enemies, bosses, cannon, towers, HUD, cursor, pause menu and tutorial.
constexpr ExpectedTexture kPlay[] = {
    Sprite("BACKGROUND", 1, 4, 4, {387, -516, 516, -387}),
    Sprite("HEAVY_NEUTRAL", 2, 2, 4, {50, -50, 50, -50}),
    Sprite("HEAVY_FIRE", 2, 2, 4, {50, -50, 50, -50}),
    Sprite("HEAVY_ICE", 2, 2, 4, {50, -50, 50, -50}),
    Sprite("HEAVY_LIGHTNING", 2, 2, 4, {50, -50, 50, -50}),
    Sprite("SEMIBOSS_BODY", 2, 1, 2, {87, -170, 170, -87}),
    Sprite("SHIELD_BIT_1", 2, 1, 2, {48, -77, 77, -48}),
    Sprite("SHIELD_BIT_2", 2, 1, 2, {48, -77, 77, -48}),
    Sprite("SHIELD_BIT_3", 2, 1, 2, {48, -77, 77, -48}),
    Sprite("SHIELD_BIT_4", 2, 1, 2, {48, -77, 77, -48}),
    Sprite("SHIELD_BODY", 2, 2, 4, {33, -41, 41, -33}),
    Sprite("BASIC_NEUTRAL", 2, 1, 2, {25, -25, 25, -25}),
    Sprite("BASIC_FIRE", 2, 1, 2, {25, -25, 25, -25}),
    Sprite("BASIC_ICE", 2, 1, 2, {25, -25, 25, -25}),
    Sprite("BASIC_LIGHTNING", 2, 1, 2, {25, -25, 25, -25}),
    Sprite("LIGHT_NEUTRAL", 1, 1, 1, {17, -17, 17, -17}),
    Sprite("LIGHT_FIRE", 1, 1, 1, {17, -17, 17, -17}),
    Sprite("LIGHT_ICE", 1, 1, 1, {17, -17, 17, -17}),
    Sprite("LIGHT_LIGHTNING", 1, 1, 1, {17, -17, 17, -17}),
    Sprite("AMMO_BASE", 1, 1, 1, {15, -15, 15, -15}),
    Sprite("AMMO_FIRE", 2, 1, 2, {15, -15, 15, -15}),
    Sprite("AMMO_ICE", 1, 1, 1, {15, -15, 15, -15}),
    Sprite("AMMO_LIGHTNING", 2, 1, 2, {15, -15, 15, -15}),
    Sprite("AMMO_NEUTRAL2", 1, 1, 1, {37, -16, 16, -37}),
    Sprite("AMMO_FIRE2", 1, 1, 1, {37, -16, 16, -37}),
    Sprite("AMMO_ICE2", 1, 1, 1, {37, -16, 16, -37}),
    Sprite("AMMO_LIGHTNING2", 1, 1, 1, {37, -16, 16, -37}),
    Sprite("WAVE_CLEAR", 1, 1, 1, kScreen),
    Sprite("CRYSTAL", 2, 1, 2, {20, -19, 19, -20}),
    Texel("CHAIN_LIGHTNING", {1, 0, 1, -1}),
    Sprite("HEALER", 2, 2, 4, {115, -126, 126, -115}),
    Sprite("BIG_BOSS_BODY", 1, 1, 1, {300, -440, 440, -300}),
    Sprite("BIG_BOSS_BOTTOM", 1, 1, 1, {300, -440, 440, -300}),
    Sprite("BIG_BOSS_RIGHT", 1, 1, 1, {300, -440, 440, -300}),
    Sprite("BIG_BOSS_HEAD", 2, 3, 5, {300, -440, 440, -300}),
    Sprite("BIG_BOSS_RIGHT_EGG", 2, 2, 4, {200, -200, 200, -200}),
    Sprite("BIG_BOSS_FIRE_EGG", 2, 2, 4, {200, -200, 200, -200}),
    Sprite("BIG_BOSS_ICE_EGG", 2, 2, 4, {200, -200, 200, -200}),
    Sprite("BIG_BOSS_LIGHTNING_EGG", 2, 2, 4, {200, -200, 200, -200}),
    Sprite("LIGHTNING_EMP", 1, 1, 1, {768, -512, 512, -768}),
    Sprite("SEMIBOSS_LEFT", 3, 2, 6, {100, -55, 55, -100}),
    Sprite("CITY", 2, 3, 5, {47, -512, 512, -47}),
    Sprite("BOUNCEDOT", 2, 1, 2, {13, -13, 13, -13}),
    Sprite("TOWER_BASE", 1, 1, 1, {45, -40, 40, -45}),
    Sprite("SELECT_FIRE0", 1, 1, 1, {10, -10, 10, -10}),
    Sprite("SELECT_ICE0", 1, 1, 1, {10, -10, 10, -10}),
    Sprite("SELECT_LIGHTNING0", 1, 1, 1, {10, -10, 10, -10}),
    Sprite("PROGRESS_BOTTOM", 1, 1, 1, {16, -151, 152, -17}),
    Sprite("PROGRESS_BAR1", 1, 1, 1, {1, -292, 292, -1}),
    Sprite("PROGRESS_BAR2", 1, 1, 1, {1, -292, 292, -1}),
    Sprite("CANNONBASE", 1, 1, 1, {35, -35, 35, -35}),
    Sprite("TOWER_FIRE", 1, 1, 1, {94, -40, 40, -91}),
    Sprite("TOWER_FIRE_LAUNCH", 2, 1, 2, {100, -50, 50, -100}),
    Sprite("TOWER_ICE", 1, 1, 1, {94, -40, 40, -91}),
    Sprite("TOWER_LIGHTNING", 1, 1, 1, {78, -40, 40, -91}),
    Sprite("PREDICTION", 1, 1, 1, {37, -66, 66, -37}),
    Sprite("RESOURCE_BOTTOM", 1, 1, 1, {23, -50, 50, -23}),
    Sprite("RESOURCE_BAR", 1, 1, 1, {23, -11, 11, -23}),
    Sprite("RESOURCE_TOP", 1, 1, 1, {30, -66, 66, -30}),
    Sprite("CANNON", 1, 1, 1, {91, -27, 27, -91}),
    Sprite("TUT_TARGET", 1, 1, 1, {100, -100, 100, -100}),
    Sprite("CURSOR_01", 1, 1, 1, {132, -133, 133, -132}),
    Sprite("CURSOR_02", 1, 1, 1, {150, -150, 151, -151}),
    Sprite("CURSOR_03", 1, 1, 1, {95, -95, 96, -96}),
    Sprite("CURSOR_04", 1, 1, 1, {92, -92, 93, -93}),
    Sprite("CURSOR_05", 1, 1, 1, {75, -91, 92, -76}),
    Sprite("CURSOR_06", 1, 1, 1, {52, -53, 53, -53}),
    Sprite("CURSOR_07", 1, 1, 1, {43, -43, 44, -44}),
    Sprite("CURSOR_08", 1, 1, 1, {75, -75, 76, -76}),
    Sprite("CURSOR_09", 1, 1, 1, {33, -34, 33, -33}),
    Sprite("CURSOR_10", 1, 1, 1, {33, -33, 34, -34}),
    Sprite("CURSOR_11", 1, 1, 1, {27, -27, 28, -28}),
    Sprite("CURSOR_12", 1, 1, 1, {57, -57, 57, -57}),
    Sprite("CURSOR_13", 1, 1, 1, {13, -13, 13, -14}),
    Sprite("CURSOR_14", 1, 1, 1, {10, -10, 11, -11}),
    Sprite("CURSOR_15", 1, 1, 1, {7, -7, 8, -8}),
    Sprite("CURSOR_16", 1, 1, 1, {5, -5, 6, -6}),
    Sprite("CURSOR", 1, 1, 1, {8, -8, 8, -8}),
    Sprite("PAUSE", 2, 1, 2, {17, -18, 18, -17}),
    Texel("TRANSIT_BLACK", {0, 0, 1, -1}),
    Sprite("TUT_MOUSE_MOVE", 2, 1, 2, {100, -100, 100, -100}),
    Sprite("TUT_MOUSE_TICK", 1, 1, 1, {100, -100, 100, -100}),
    Sprite("TUT_MOUSE_CLICK", 2, 1, 2, {100, -100, 100, -100}),
    Sprite("PAUSE_EXIT", 2, 1, 2, {100, -100, 100, -100}),
    Sprite("PAUSE_RESTART", 2, 1, 2, {100, -100, 100, -100}),
    Sprite("PAUSE_RESUME", 2, 1, 2, {100, -100, 100, -100}),
    Sprite("HEALER_EFFECT", 1, 1, 1, {150, -150, 150, -150}),
    Sprite("Animation0", 1, 1, 1, kScreen),
};

// The menu levels: title, intro, level selection, credits, victory, defeat and options.
constexpr ExpectedTexture kMenus[] = {
    Sprite("START_BACKGROUD", 1, 1, 1, kScreen),
    Sprite("START_NORMAL", 2, 1, 2, {214, -168, 165, -384}),
    Sprite("OPTIONS", 2, 1, 2, {153, -197, 197, -153}),
    Sprite("CREDITS", 2, 1, 2, {153, -197, 197, -153}),
    Sprite("EXIT", 2, 1, 2, {42, -42, 42, -42}),
    Sprite("CURSOR0", 1, 1, 1, {16, -16, 16, -16}),
    Texel("TRANSIT_WHITE", {0, 0, 1, -1}),
    Sprite("LOGO_HX", 1, 1, 1, kScreen),
    Sprite("LOGO_VL", 1, 1, 1, kScreen),
    Sprite("LOGO_KT", 1, 1, 1, kScreen),
    Sprite("LOGO_M", 1, 1, 1, kScreen),
    Sprite("COMIC_1", 1, 1, 1, kScreen),
    Sprite("COMIC_2", 1, 1, 1, kScreen),
    Sprite("COMIC_3", 1, 1, 1, kScreen),
    Sprite("COMIC_4", 1, 1, 1, kScreen),
    Sprite("LOGO", 1, 1, 1, {125, -500, 500, -125}),
    Sprite("LEVEL_SELECT_BG", 2, 2, 4, kScreen),
    Sprite("L2", 2, 1, 2, {110, -180, 95, -170}),
    Sprite("L3", 2, 1, 2, {50, -280, 60, -100}),
    Sprite("BACKMENU", 2, 1, 2, {42, -57, 57, -42}),
    Sprite("L1", 2, 1, 2, {150, -35, 180, -110}),
    Sprite("DEMO", 2, 1, 2, {178, -110, 10, 58}),
    Sprite("CREDITS_SCREEN", 1, 1, 1, kScreen),
    Sprite("VICTORY", 1, 1, 1, kScreen),
    Sprite("LOSE", 1, 1, 1, kScreen),
    Sprite("OPTIONS_BG", 1, 1, 1, kScreen),
    Sprite("FS_WINDOWS", 2, 2, 4, {78, -97, 97, -78}),
    Sprite("BGM", 2, 1, 2, {48, -50, 51, -49}),
    Sprite("SFX", 2, 1, 2, {51, -57, 57, -51}),
    Sprite("VOLUME_BAR", 1, 1, 1, {26, -239, 239, -26}),
    Sprite("VOLUME_BALL", 1, 1, 1, {26, -26, 26, -26}),
};

// The GUI draws the arrow at 32 x 32, the drop-down arrow at most at its own width, the plain
// textures stretched; the skins hold the regions of their records.
constexpr ExpectedTexture kGui[] = {
    Sized("Cursors", "Arrow", 32, 32),
    Sized("Skins", "White", 8, 8),
    Sized("Skins", "Gray", 64, 64),
    Sized("Skins/Overlays", "ComboDown", 16, 16),
    Sized("Skins/Overlays", "ComboDownDisabled", 16, 16),
    Sized("Skins/DefaultButtonSkin", "DefaultButtonSkin", 64, 160),
    Sized("Skins/DefaultFormSkin", "DefaultFormSkin", 128, 64),
    Sized("Skins/DefaultRadioButtonSkin", "DefaultRadioButtonSkin", 26, 65),
};

// A particle is drawn as its texture's size times its scale; the content sizes its systems for
// particles of 256.
constexpr ExpectedTexture kParticles[] = {
    Sized("ParticleSystems", "Particle_Texture", 96, 96),
    Sized("ParticleSystems", "Scorchpack-BurnMarks3200", 112, 112),
    Sized("ParticleSystems", "snow", 76, 76),
    Sized("ParticleSystems", "Scorchpack-BurnMarks32", 96, 96),
    Sized("ParticleSystems", "Scorchpack-BurnMarks32 - Copy", 88, 88),
};
}

std::span<const ExpectedTexture> PlayTextures() { return kPlay; }
std::span<const ExpectedTexture> MenuTextures() { return kMenus; }
std::span<const ExpectedTexture> GuiTextures() { return kGui; }
std::span<const ExpectedTexture> ParticleTextures() { return kParticles; }
}
