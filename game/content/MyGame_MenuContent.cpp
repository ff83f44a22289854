#include "game/content/MyGame_MenuContent.h"

namespace
{
using enum ContentClass;

// clang-format off
const ContentObject Objects[] = {
    // level, layer, name, class, animation, grid, delays, actor, collision, on idle, opacity, play, loop, start frame, x, y, z
    {0, 1, "loadingtip",    LoadingTips, nullptr,          0, 0, {}, NoActor, NoCollision, false, 1, false, false, 0, -436, 775, 11},

    {1, 0, "background",    Sprite,     "START_BACKGROUD", 1, 1, {1}, 70, 0, false, 1, true, true, 0, 0, 0, 0},
    {1, 0, "startbutton",   Button,     "START_NORMAL",    2, 1, {1, 1}, 71, 0, true, 1, false, false, 0, -2, 70, 0},
    {1, 0, "optionsbutton", Button,     "OPTIONS",         2, 1, {1, 1}, 72, 0, true, 1, false, false, 0, -315, -214, 0},
    {1, 0, "creditsbutton", Button,     "CREDITS",         2, 1, {1, 1}, 73, 0, true, 1, false, false, 0, 314, -215, 0},
    {1, 0, "exitbutton",    Button,     "EXIT",            2, 1, {1, 1}, 74, 0, true, 1, false, false, 0, -470, -340, 0},
    {1, 0, "cursor0",       MenuCursor, "CURSOR0",         1, 1, {1}, 75, 0, false, 1, true, true, 0, -6, -137, 0},
    {1, 0, "transit_white", Sprite,     "TRANSIT_WHITE",   1, 1, {1}, 76, 0, false, 1, true, true, 0, 0, 0, 0},
    {1, 0, "transit_black", Sprite,     "TRANSIT_BLACK",   1, 1, {1}, 60, 0, false, 0, true, true, 0, 0, 0, 0},
    {1, 0, "logo_hx",       Sprite,     "LOGO_HX",         1, 1, {1}, 77, 0, false, 0, true, true, 0, 0, 0, 0},
    {1, 0, "logo_vl",       Sprite,     "LOGO_VL",         1, 1, {1}, 78, 0, false, 0, true, true, 0, 0, 0, 0},
    {1, 0, "logo_kt",       Sprite,     "LOGO_KT",         1, 1, {1}, 79, 0, false, 0, true, true, 0, 0, 0, 0},
    {1, 0, "logo_m",        Sprite,     "LOGO_M",          1, 1, {1}, 80, 0, false, 0, true, true, 0, 0, 0, 0},
    {1, 0, "comic_1",       Sprite,     "COMIC_1",         1, 1, {1}, 81, 0, false, 1, true, true, 0, 0, 430, 0},
    {1, 0, "comic_2",       Sprite,     "COMIC_2",         1, 1, {1}, 82, 0, false, 1, true, true, 0, -540, 0, 0},
    {1, 0, "comic_3",       Sprite,     "COMIC_3",         1, 1, {1}, 83, 0, false, 1, true, true, 0, 0, 500, 0},
    {1, 0, "comic_4",       Sprite,     "COMIC_4",         1, 1, {1}, 84, 0, false, 1, true, true, 0, 530, 0, 0},
    {1, 0, "logo",          Sprite,     "LOGO",            1, 1, {1}, 85, NoCollision, false, 0, false, false, 0, 0, 238, 0},

    {2, 0, "loadingtip",    LoadingTips, nullptr,          0, 0, {}, NoActor, NoCollision, false, 1, false, false, 0, -452, -817, 11},
    {2, 0, "levelSelectBG", Sprite,     "LEVEL_SELECT_BG", 2, 2, {0, 0, 0, 1}, 86, NoCollision, false, 1, false, false, 0, 0, 0, 0},
    {2, 0, "level2B",       Button,     "L2",              2, 1, {1, 1}, 87, 0, true, 0, false, false, 0, 200, 104, 0},
    {2, 0, "level3B",       Button,     "L3",              2, 1, {1, 1}, 88, 0, true, 0, false, false, 0, 153, -184, 0},
    {2, 0, "backMenuBtn",   Button,     "BACKMENU",        2, 1, {1, 1}, 89, 0, true, 1, false, false, 0, -413, -307, 0},
    {2, 0, "transit_black", Sprite,     "TRANSIT_BLACK",   1, 1, {1}, 60, 0, false, 1, true, true, 0, 0, 0, 0},
    {2, 0, "level1B",       Button,     "L1",              2, 1, {1, 1}, 90, 0, true, 0, false, false, 0, -237, 52, 0.1f},
    {2, 0, "demoB",         Button,     "DEMO",            2, 1, {1, 1}, 91, 0, true, 1, false, false, 0, -356, -62, 0.2f},
    {2, 0, "cursor0",       MenuCursor, "CURSOR0",         1, 1, {1}, 75, 0, false, 1, true, true, 0, 6, -49, 1},
    {2, 0, "loading",       Sprite,     "Animation0",      1, 1, {1}, 69, 0, false, 1, true, true, 0, 1, -820, 10},

    {3, 0, "creditsBG",     Sprite,     "CREDITS_SCREEN",  1, 1, {1}, 92, 0, true, 1, true, true, 0, 0, 0, 0},
    {3, 0, "cursor0",       MenuCursor, "CURSOR0",         1, 1, {1}, 75, 0, false, 1, true, true, 0, -9, -59, 0},
    {3, 0, "backMenuBtn",   Button,     "BACKMENU",        2, 1, {1, 1}, 89, 1, true, 1, false, true, 0, -401, -308, 0},
    {3, 0, "transit_black", Sprite,     "TRANSIT_BLACK",   1, 1, {1}, 60, 0, false, 1, true, true, 0, 0, 0, 0},

    {4, 0, "victoryBG",     Button,     "VICTORY",         1, 1, {1}, 93, 0, true, 1, true, true, 0, 0, 0, 0},
    {4, 0, "cursor0",       MenuCursor, "CURSOR0",         1, 1, {1}, 75, 0, false, 1, true, true, 0, -102, -128, 0},
    {4, 0, "transit_black", Sprite,     "TRANSIT_BLACK",   1, 1, {1}, 60, 0, false, 0, true, true, 0, 0, 0, 0},

    {5, 1, "loseBG",        Button,     "LOSE",            1, 1, {1}, 94, 0, true, 1, true, true, 0, 0, 0, 0},
    {5, 1, "cursor0",       MenuCursor, "CURSOR0",         1, 1, {1}, 75, 0, false, 1, true, true, 0, 17, -166, 0},
    {5, 1, "transit_black", Sprite,     "TRANSIT_BLACK",   1, 1, {1}, 60, 0, false, 0, true, true, 0, 0, 0, 0},

    {6, 0, "options_bg",    Sprite,     "OPTIONS_BG",      1, 1, {1}, 95, 0, false, 1, true, true, 0, 0, 0, -0.1f},
    {6, 0, "backMenuBtn",   Button,     "BACKMENU",        2, 1, {1, 1}, 89, 1, true, 1, false, true, 0, 412, -263, 0},
    {6, 0, "cursor0",       MenuCursor, "CURSOR0",         1, 1, {1}, 75, 0, true, 1, true, true, 0, -9, -59, 0},
    {6, 0, "fullscreenBtn", Sprite,     "FS_WINDOWS",      2, 2, {1, 1, 1, 1}, 96, 0, true, 1, false, false, 1, -378, -272, 0},
    {6, 0, "music_icon",    Sprite,     "BGM",             2, 1, {1, 1}, 97, 0, false, 1, false, false, 0, -127, 33, 0},
    {6, 0, "sound_icon",    Sprite,     "SFX",             2, 1, {1, 1}, 98, 0, false, 1, false, false, 0, -134, -106, 0},
    {6, 0, "music_slider",  Sprite,     "VOLUME_BAR",      1, 1, {1}, 99, 0, false, 1, false, false, 0, 178, 33, 0},
    {6, 0, "sound_slider",  Sprite,     "VOLUME_BAR",      1, 1, {1}, 99, 0, false, 1, false, false, 0, 178, -106, 0},
    {6, 0, "music_knob",    Sprite,     "VOLUME_BALL",     1, 1, {1}, 100, 0, true, 1, false, false, 0, 201, 33, 0},
    {6, 0, "sound_knob",    Sprite,     "VOLUME_BALL",     1, 1, {1}, 100, 0, true, 1, false, false, 0, 211, -106, 0},
    {6, 0, "transit_black", Sprite,     "TRANSIT_BLACK",   1, 1, {1}, 60, 0, false, 1, true, true, 0, 0, 0, 0},
};
// clang-format on
}  // namespace

std::span<const ContentObject> MenuContent()
{
    return Objects;
}
