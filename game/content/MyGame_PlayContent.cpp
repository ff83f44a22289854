#include "game/content/MyGame_PlayContent.h"

#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_AimClasses.h"
#include "game/MyGame_BaseAmmoClass.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_CrystalClass.h"
#include "game/MyGame_CursorClass.h"
#include "game/MyGame_EffectSystems.h"
#include "game/MyGame_ElementalAmmo.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_SemiBossClass.h"
#include "game/MyGame_ShieldClass.h"
#include "game/MyGame_TowerClass.h"
#include "game/MyGame_TowerClasses.h"
#include "game/MyGame_WaveClearClass.h"

namespace
{
template <class T>
Vellumar::Sprite* Make(const Core::Vector<Vellumar::SpriteAnimation*>& animations)
{
    return new (__FILE__, __LINE__) T(animations);
}

template <class T>
Vellumar::ParticleSystem* MakeSystem(const Core::String& texture, u32 count, f32 particleSize, const Math::Vector2D& gravity)
{
    return new (__FILE__, __LINE__) T(texture, count, particleSize, gravity);
}

using enum CollisionKind;

constexpr SpriteMaker Plain = &Make<Vellumar::Sprite>;
constexpr SpriteMaker Button = &Make<ButtonClass>;
constexpr ContentAnimation One(const char* name, f32 delay = 1.0f)
{
    return {name, 1, 1, 1, delay};
}
constexpr ContentAnimation Grid(const char* name, u8 columns, u8 rows, u8 frames, f32 delay = 1.0f)
{
    return {name, columns, rows, frames, delay};
}

// clang-format off
const PlayObject Sprites[] = {
    // name, class, animations, actor, collision, visible, x, y, z, play, loop, opacity, scale, animation, flipped, mass
    {"background",       Plain, {Grid("BACKGROUND", 1, 4, 4)}, 0, None, true, 0, 0, -0.1f, false, false, 1, 1, 0, false, 0},
    {"enemy_heavy",      &Make<HeavyClass>, {Grid("HEAVY_NEUTRAL", 2, 2, 4), Grid("HEAVY_FIRE", 2, 2, 4), Grid("HEAVY_ICE", 2, 2, 4), Grid("HEAVY_LIGHTNING", 2, 2, 4)}, 1, A, false, -582, -2, 0, false, false, 1, 1, 0, false, 0},
    {"semiboss_body",    &Make<SemiBossClass>, {Grid("SEMIBOSS_BODY", 2, 1, 2)}, 2, A, false, -1121, 111, 0, false, false, 1, 1, 0, false, 0},
    {"shield_left_bit",  &Make<ShieldBitClass>, {Grid("SHIELD_BIT_1", 2, 1, 2), Grid("SHIELD_BIT_2", 2, 1, 2), Grid("SHIELD_BIT_3", 2, 1, 2), Grid("SHIELD_BIT_4", 2, 1, 2)}, 3, C, false, -905, 1, 0, false, false, 1, 1, 3, false, 0},
    {"shield_body",      &Make<ShieldClass>, {Grid("SHIELD_BODY", 2, 2, 4)}, 4, A, false, -816, 1, 0, false, false, 1, 1, 0, false, 0},
    {"enemy_basic",      &Make<BasicClass>, {Grid("BASIC_NEUTRAL", 2, 1, 2, 0.2f), Grid("BASIC_FIRE", 2, 1, 2), Grid("BASIC_ICE", 2, 1, 2), Grid("BASIC_LIGHTNING", 2, 1, 2)}, 5, A, true, -1091, -52, 0, true, true, 1, 1, 0, false, 0},
    {"enemy_light",      &Make<LightClass>, {One("LIGHT_NEUTRAL"), One("LIGHT_FIRE"), One("LIGHT_ICE"), One("LIGHT_LIGHTNING")}, 6, A, true, -1152, -54, 0, true, true, 1, 1, 0, false, 0},
    {"ammo_clonf",       &Make<FireAmmoClass>, {Grid("AMMO_FIRE", 2, 1, 2), One("AMMO_FIRE2")}, 7, A, false, -815, -328, 0, false, false, 1, 1, 0, false, 0},
    {"ammo_cloni",       &Make<IceAmmoClass>, {One("AMMO_ICE"), One("AMMO_ICE2")}, 8, A, false, -766, -328, 0, false, false, 1, 1, 0, false, 0},
    {"ammo_clons",       &Make<LightningAmmoClass>, {Grid("AMMO_LIGHTNING", 2, 1, 2), One("AMMO_LIGHTNING2")}, 9, A, false, -714, -329, 0, false, false, 1, 1, 0, false, 0},
    {"ammo_load",        &Make<BaseAmmoClass>, {One("AMMO_BASE", 0.1f)}, 10, None, false, -909, -327, 0, true, true, 1, 1, 0, false, 0},
    {"ammo_base",        &Make<BaseAmmoClass>, {One("AMMO_BASE", 0.1f), Grid("AMMO_FIRE", 2, 1, 2), One("AMMO_ICE"), Grid("AMMO_LIGHTNING", 2, 1, 2), One("AMMO_FIRE2"), One("AMMO_ICE2"), One("AMMO_LIGHTNING2"), One("AMMO_NEUTRAL2")}, 11, A, false, -864, -328, 0, true, true, 1, 1, 0, false, 0},
    {"wave_clear",       &Make<WaveClearClass>, {One("WAVE_CLEAR")}, 12, B, true, 25, -853, 0, true, true, 1, 1, 0, false, 0},
    {"crystal",          &Make<CrystalClass>, {Grid("CRYSTAL", 2, 1, 2, 0.1f)}, 13, None, true, -885, -68, 0, true, true, 1, 1, 0, false, 1.0f},
    {"chain_lightning",  Plain, {One("CHAIN_LIGHTNING")}, 14, B, true, -1156, -186, 0, true, true, 1, 1, 0, false, 0},
    {"enemy_healer",     &Make<HealerClass>, {Grid("HEALER", 2, 2, 4)}, 15, A, false, -1175, -165, 0, false, false, 1, 1, 0, false, 0},
    {"bb_body",          &Make<BigBossBodyClass>, {One("BIG_BOSS_BODY")}, 16, B, false, -978, -772, 0, true, true, 1, 1, 0, false, 0},
    {"bb_bottom",        &Make<BigBossBottomClass>, {One("BIG_BOSS_BOTTOM")}, 17, B, false, -974, -835, 0, true, true, 1, 1, 0, false, 0},
    {"bb_right",         &Make<BigBossArmsClass>, {One("BIG_BOSS_RIGHT")}, 18, A, false, -739, -1066, 0, true, true, 1, 1, 0, false, 0},
    {"bb_head",          &Make<BigBossHeadClass>, {Grid("BIG_BOSS_HEAD", 2, 3, 5)}, 19, A, false, -1179, -1352, 0, false, false, 1, 1, 0, false, 0},
    {"bb_egg",           &Make<BigBossEggsClass>, {Grid("BIG_BOSS_RIGHT_EGG", 2, 2, 4)}, 20, A, false, -1032, -1228, 0, false, false, 1, 1, 0, false, 0},
    {"bb_fire_egg",      &Make<BigBossEggsClass>, {Grid("BIG_BOSS_FIRE_EGG", 2, 2, 4)}, 21, A, false, -749, -1226, 0, false, false, 1, 1, 0, false, 0},
    {"bb_ice_egg",       &Make<BigBossEggsClass>, {Grid("BIG_BOSS_ICE_EGG", 2, 2, 4)}, 22, A, false, -900, -1223, 0, false, false, 1, 1, 0, false, 0},
    {"bb_lightning_egg", &Make<BigBossEggsClass>, {Grid("BIG_BOSS_LIGHTNING_EGG", 2, 2, 4)}, 23, A, false, -593, -1235, 0, false, false, 1, 1, 0, false, 0},
    {"shield_right_bit", &Make<ShieldBitClass>, {Grid("SHIELD_BIT_1", 2, 1, 2), Grid("SHIELD_BIT_2", 2, 1, 2), Grid("SHIELD_BIT_3", 2, 1, 2), Grid("SHIELD_BIT_4", 2, 1, 2)}, 3, C, false, -728, 0, 0, false, false, 1, 1, 3, true, 0},
    {"emp",              Plain, {One("LIGHTNING_EMP")}, 24, B, false, 0, -297, 0, true, true, 1, 1, 0, false, 0},
    {"semiboss_leftarm", &Make<SemiBossArmClass>, {Grid("SEMIBOSS_LEFT", 3, 2, 6)}, 25, A, false, -1228, -18, 0.1f, false, false, 1, 1, 0, false, 0},
    {"city",             &Make<BaseCityClass>, {Grid("CITY", 2, 3, 5)}, 26, A, true, 0, -337, 0.1f, true, true, 1, 1, 0, false, 0},
    {"bouncedot",        &Make<BounceAimClass>, {Grid("BOUNCEDOT", 2, 1, 2)}, 27, None, true, 0, 0, 0.1f, true, true, 1, 1, 0, false, 0},
    {"towerslot4",       &Make<Slot4Class>, {One("TOWER_BASE")}, 28, D, true, 406, -330, 0.2f, true, true, 1, 1, 0, false, 0},
    {"select_fire",      &Make<FireSelectClass>, {One("SELECT_FIRE0")}, 29, D, true, -882, -124, 0.2f, true, true, 0.5f, 1, 0, false, 0},
    {"select_ice",       &Make<IceSelectClass>, {One("SELECT_ICE0")}, 30, D, true, -884, -170, 0.2f, true, true, 0.5f, 1, 0, false, 0},
    {"select_lightning", &Make<LightningSelectClass>, {One("SELECT_LIGHTNING0")}, 31, D, true, -882, -217, 0.2f, true, true, 0.5f, 1, 0, false, 0},
    {"towerslot1",       &Make<Slot1Class>, {One("TOWER_BASE")}, 28, D, true, -402, -330, 0.2f, true, true, 1, 1, 0, false, 0},
    {"towerslot2",       &Make<Slot2Class>, {One("TOWER_BASE")}, 28, D, true, -247, -330, 0.2f, true, true, 1, 1, 0, false, 0},
    {"progress_bottom",  Plain, {One("PROGRESS_BOTTOM")}, 32, B, true, 0, -358, 0.2f, true, true, 1, 1, 0, false, 0},
    {"towerslot3",       &Make<Slot3Class>, {One("TOWER_BASE")}, 28, D, true, 251, -330, 0.2f, true, true, 1, 1, 0, false, 0},
    {"progress_bar1",    Plain, {One("PROGRESS_BAR1")}, 33, B, true, -145, -361.4f, 0.3f, true, true, 1, 1, 0, false, 0},
    {"cannonbase",       Plain, {One("CANNONBASE")}, 34, None, true, 1, -305, 0.3f, true, true, 1, 1, 0, false, 0},
    {"tower_fire",       &Make<FireTowerClass>, {One("TOWER_FIRE"), Grid("TOWER_FIRE_LAUNCH", 2, 1, 2, 0.05f)}, 35, D, false, -1197, -343, 0.3f, false, false, 1, 1, 0, false, 0},
    {"tower_ice",        &Make<IceTowerClass>, {One("TOWER_ICE")}, 36, D, false, -1088.7f, -344, 0.3f, false, false, 1, 1, 0, false, 0},
    {"tower_lightning",  &Make<LightningTowerClass>, {One("TOWER_LIGHTNING")}, 37, D, false, -988, -344, 0.3f, false, false, 1, 1, 0, false, 0},
    {"progress_bar2",    Plain, {One("PROGRESS_BAR2")}, 38, B, true, -145, -364, 0.3f, true, true, 1, 1, 0, false, 0},
    {"prediction",       Plain, {One("PREDICTION")}, 39, None, true, -83, -307, 0.4f, true, true, 1, 1, 0, false, 0},
    {"resource_bottom",  Plain, {One("RESOURCE_BOTTOM")}, 40, B, true, 84, -307, 0.6f, true, true, 1, 1, 0, false, 0},
    {"resource_bar_2",   Plain, {One("RESOURCE_BAR")}, 41, B, true, 73, -330, 0.7f, true, true, 1, 1, 0, false, 0},
    {"resource_bar_3",   Plain, {One("RESOURCE_BAR")}, 41, B, true, 98, -330, 0.7f, true, true, 1, 1, 0, false, 0},
    {"resource_bar_4",   Plain, {One("RESOURCE_BAR")}, 41, B, true, 123, -330, 0.7f, true, true, 1, 1, 0, false, 0},
    {"resource_bar_1",   Plain, {One("RESOURCE_BAR")}, 41, B, true, 47, -330, 0.7f, true, true, 1, 1, 0, false, 0},
    {"resource_top",     Plain, {One("RESOURCE_TOP")}, 42, B, true, 84, -307, 0.8f, true, true, 1, 1, 0, false, 0},
    {"cannon",           &Make<CannonClass>, {One("CANNON")}, 43, None, true, 0, -280, 1.2f, true, true, 1, 1, 0, false, 0.5f},
    {"tut_target",       Plain, {One("TUT_TARGET")}, 44, None, true, -791, -231, 1.5f, true, true, 1, 1, 0, false, 0},
    {"cursor_01",        &Make<CursorClass>, {One("CURSOR_01")}, 45, None, true, 680, -239, 1.7f, true, true, 1, 1, 0, false, 0},
    {"cursor_02",        &Make<CursorClass>, {One("CURSOR_02")}, 46, None, true, 680, -239, 1.8f, true, true, 1, 1, 0, false, 0},
    {"cursor_03",        &Make<CursorClass>, {One("CURSOR_03")}, 47, None, true, 680, -239, 1.9f, true, true, 1, 1, 0, false, 0},
    {"cursor_04",        &Make<CursorClass>, {One("CURSOR_04")}, 48, None, true, 680, -239, 2.0f, true, true, 1, 1, 0, false, 0},
    {"cursor_05",        &Make<CursorClass>, {One("CURSOR_05")}, 49, None, true, 680, -239, 2.1f, true, true, 1, 1, 0, false, 0},
    {"cursor_06",        &Make<CursorClass>, {One("CURSOR_06")}, 50, None, true, 680, -239, 2.2f, true, true, 1, 1, 0, false, 0},
    {"cursor_07",        &Make<CursorClass>, {One("CURSOR_07")}, 51, None, true, 680, -239, 2.3f, true, true, 1, 1, 0, false, 0},
    {"cursor_08",        &Make<CursorClass>, {One("CURSOR_08")}, 52, None, true, 680, -239, 2.4f, true, true, 1, 1, 0, false, 0},
    {"cursor_09",        &Make<CursorClass>, {One("CURSOR_09")}, 53, A, true, 680, -239, 2.5f, true, true, 1, 1, 0, false, 0},
    {"cursor_10",        &Make<CursorClass>, {One("CURSOR_10")}, 54, None, true, 680, -239, 2.6f, true, true, 1, 1, 0, false, 0},
    {"cursor_11",        &Make<CursorClass>, {One("CURSOR_11")}, 55, None, true, 680, -239, 2.7f, true, true, 1, 1, 0, false, 0},
    {"cursor_12",        &Make<CursorClass>, {One("CURSOR_12")}, 56, None, true, 680, -239, 2.8f, true, true, 1, 1, 0, false, 0},
    {"cursor_13",        &Make<CursorClass>, {One("CURSOR_13")}, 57, None, true, 680, -239, 2.9f, true, true, 1, 1, 0, false, 0},
    {"cursor_14",        &Make<CursorClass>, {One("CURSOR_14")}, 58, None, true, 680, -239, 3.0f, true, true, 1, 1, 0, false, 0},
    {"pause",            Button, {Grid("PAUSE", 2, 1, 2)}, 59, D, true, -482, -317, 3.0f, false, false, 1, 1, 0, false, 0},
    {"transit_black",    Plain, {One("TRANSIT_BLACK")}, 60, B, true, 0, 0, 3.1f, true, true, 0.8f, 1, 0, false, 0},
    {"tut_mouse",        Plain, {Grid("TUT_MOUSE_MOVE", 2, 1, 2, 0.5f), One("TUT_MOUSE_TICK"), Grid("TUT_MOUSE_CLICK", 2, 1, 2, 0.5f)}, 61, B, true, -685, -168, 3.1f, false, true, 0, 0.7f, 0, false, 0},
    {"cursor_15",        &Make<CursorClass>, {One("CURSOR_15")}, 62, None, true, 680, -239, 3.1f, true, true, 1, 1, 0, false, 0},
    {"cursor",           &Make<CursorClass>, {One("CURSOR")}, 63, D, true, -1031, -190, 3.2f, true, true, 1, 1, 0, false, 0},
    {"cursor_16",        &Make<CursorClass>, {One("CURSOR_16")}, 64, None, true, 680, -239, 3.2f, true, true, 1, 1, 0, false, 0},
    {"pause_exit",       Button, {Grid("PAUSE_EXIT", 2, 1, 2)}, 65, D, false, 300, 0, 3.2f, false, false, 1, 1, 0, false, 0},
    {"pause_restart",    Button, {Grid("PAUSE_RESTART", 2, 1, 2)}, 66, D, false, 0, 0, 3.2f, false, false, 1, 1, 0, false, 0},
    {"pause_resume",     Button, {Grid("PAUSE_RESUME", 2, 1, 2)}, 67, D, false, -300, 0, 3.2f, false, false, 1, 1, 0, false, 0},
    {"healAOE",          Plain, {One("HEALER_EFFECT")}, 68, B, true, 697, 60, 5.0f, true, true, 1, 1, 0, false, 0},
    {"loading",          Plain, {One("Animation0")}, 69, B, true, 0, 800, 10.0f, true, true, 1, 1, 0, false, 0},
};


const ParticleObject Particles[] = {
    // name, class, texture, count, gravity, emitter, a, b, x, y, z, rate, starting colours, ending colours, life time, speed, starting scale, ending scale, local
    {"bounceassist", &MakeSystem<BounceSystemClass>, "Particle_Texture.png", 1000, {0, 0}, EmitterShape::OwnClass, {}, {}, 0, 0, 0.9f, {500, 500}, {{1, 1, 1, 1}, {1, 1, 1, 1}}, {{1, 1, 1, 1}, {1, 1, 1, 1}}, {1, 1}, {4000, 4000}, {0.1f, 0.1f}, {0.1f, 0.1f}, false},
    {"aimassist", &MakeSystem<AimSystemClass>, "Particle_Texture.png", 1000, {0, 0}, EmitterShape::OwnClass, {}, {}, 0, -280, 0.9f, {500, 500}, {{1, 1, 1, 1}, {1, 1, 1, 1}}, {{1, 1, 1, 1}, {1, 1, 1, 1}}, {1, 1}, {4000, 4000}, {0.1f, 0.1f}, {0.1f, 0.1f}, false},
    {"cannonsmoke", &MakeSystem<SmokeSystemClass>, "Particle_Texture.png", 3, {0, 0}, EmitterShape::Line, {-10, 0}, {10, 0}, 0, -210, 1.1f, {0, 0}, {{0.6f, 0.6f, 0.6f, 1}, {0.4f, 0.4f, 0.4f, 1}}, {{1, 1, 1, 0}, {1, 1, 1, 0}}, {0.7f, 0.7f}, {200, 500}, {0.5f, 0.7f}, {8, 12}, false},
    {"ice_tower_effect2", &MakeSystem<IceTowerEffectSystemClass>, "Particle_Texture.png", 4096, {2000, -300}, EmitterShape::Line, {20, 20}, {-20, -2000}, -561, 467, 1.6f, {1000, 1000}, {{1, 1, 1, 1}, {0.8f, 0.8f, 0.8f, 1}}, {{1, 1, 1, 0}, {0.8f, 0.8f, 0.8f, 0}}, {1, 3.5f}, {0.1f, 1}, {0.3f, 1}, {0.3f, 0.5f}, true},
    {"ice_tower_effect1", &MakeSystem<IceTowerEffectSystemClass>, "Particle_Texture.png", 4096, {-2000, -300}, EmitterShape::Line, {-20, 20}, {20, -2000}, 561, 467, 1.6f, {1000, 1000}, {{1, 1, 1, 1}, {0.8f, 0.8f, 0.8f, 1}}, {{1, 1, 1, 0}, {0.8f, 0.8f, 0.8f, 0}}, {1, 3.5f}, {0.1f, 1}, {0.3f, 1}, {0.3f, 0.5f}, true},
    {"blood", &MakeSystem<BloodSystemClass>, "Scorchpack-BurnMarks3200.png", 200, {0, -1500}, EmitterShape::Point, {0, 0}, {0, 360}, 450, -90, 1.6f, {0, 0}, {{0.8f, 1, 0, 1}, {0.6f, 1, 0.4f, 1}}, {{0.8f, 0.8f, 0, 0}, {0.6f, 0.8f, 0, 0}}, {0.3f, 0.5f}, {20, 300}, {0.5f, 1}, {0, 0}, true},
    {"ice_explode2", &MakeSystem<IceSystemClass>, "snow.png", 150, {0, -100}, EmitterShape::Point, {0, 0}, {0, 360}, -300, -90, 1.7f, {0, 0}, {{1, 1, 1, 1}, {1, 1, 1, 1}}, {{1, 1, 1, 0}, {1, 1, 1, 0}}, {0.85f, 0.85f}, {20, 150}, {1, 2}, {0, 0}, true},
    {"fire_explode2", &MakeSystem<FireSystemClass>, "Particle_Texture.png", 200, {0, 0}, EmitterShape::Point, {0, 0}, {0, 360}, -400, -90, 1.7f, {0, 0}, {{0.6f, 0.6f, 0.6f, 1}, {0, 0, 0, 1}}, {{1, 1, 1, 0}, {0.8f, 0.8f, 0.8f, 0}}, {0.35f, 0.35f}, {20, 300}, {1, 1}, {0, 0}, true},
    {"fire_explode", &MakeSystem<FireSystemClass>, "Scorchpack-BurnMarks32.png", 300, {0, 0}, EmitterShape::Point, {0, 0}, {0, 360}, -450, -90, 1.7f, {0, 0}, {{1, 0.4f, 0.2f, 1}, {1, 0, 0, 1}}, {{1, 1, 1, 0}, {0.8f, 0.8f, 0.8f, 0}}, {0.35f, 0.35f}, {300, 300}, {1, 1}, {1, 1}, true},
    {"ice_explode", &MakeSystem<IceSystemClass>, "Scorchpack-BurnMarks32 - Copy.png", 200, {0, 0}, EmitterShape::Point, {0, 0}, {0, 360}, -350, -90, 1.7f, {0, 0}, {{0.2f, 1, 1, 1}, {0, 0.8f, 0.8f, 1}}, {{1, 1, 1, 0}, {1, 1, 1, 0}}, {0.85f, 0.85f}, {150, 150}, {1, 1}, {1, 1}, true},
};
// clang-format on
}  // namespace

std::span<const PlayObject> PlayLayerSprites()
{
    return Sprites;
}

std::span<const ParticleObject> PlayLayerParticles()
{
    return Particles;
}
