// The spawners of the wave codes: lone enemies and formations as rows of placements around a random
// offset, the generated ones as loops, and the two bosses and the wave-clear banner.
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Random.h"
#include "game/MyGame_Archetypes.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_WaveClearClass.h"

#include <cmath>
#include <span>

namespace
{
constexpr const char* Basic = "enemy_basic";
constexpr const char* Heavy = "enemy_heavy";
constexpr const char* Light = "enemy_light";
constexpr const char* Healer = "enemy_healer";
constexpr const char* Shield = "shield_body";

struct Placement
{
    const char* archetype;
    f32 x, y, speedX, speedY, z;
    bool element;
};

// How a formation's rows are shifted along x: not at all, by a random integer or a random float
// in [-range, range].
enum class Offset
{
    None,
    Int,
    Float
};

struct Formation
{
    u8 code;
    Offset offset;
    i32 range;
    std::span<const Placement> rows;
};

constexpr Placement Code2[] = {
    {Basic, -300, 384, -0.3f, 0.5f, 1.4f, true},
    {Basic, 300, 384, 0.3f, 0.5f, 1.4f, true},
    {Basic, 0, 384, 0.0f, 0.5f, 1.4f, true},
};
constexpr Placement Code3[] = {
    {Basic, 0, 384, 0.0f, 0.5f, 1.4f, true},   {Basic, 25, 434, 0.1f, 0.5f, 1.4f, true},
    {Basic, -25, 434, -0.1f, 0.5f, 1.4f, true}, {Basic, 50, 484, 0.2f, 0.5f, 1.4f, true},
    {Basic, -50, 484, -0.2f, 0.5f, 1.0f, true}, {Basic, 0, 484, 0.0f, 0.5f, 1.0f, true},
};
constexpr Placement Code12[] = {
    {Heavy, 60, 384, 0.0f, 0.3f, 1.4f, true},
    {Heavy, -60, 384, 0.0f, 0.3f, 1.4f, true},
};
constexpr Placement Code13[] = {
    {Heavy, 0, 460, 0.0f, 0.3f, 1.4f, true},
    {Basic, 25, 384, 0.0f, 0.3f, 1.4f, true},
    {Basic, -25, 384, 0.0f, 0.3f, 1.4f, true},
};
constexpr Placement Code14[] = {
    {Heavy, 75, 480, 0.0f, 0.3f, 1.4f, true},
    {Heavy, -75, 480, 0.0f, 0.3f, 1.4f, true},
    {Shield, 0, 384, 0.0f, 0.3f, 1.4f, false},
};
constexpr Placement Code15[] = {
    {Heavy, 75, 480, 0.0f, 0.3f, 1.4f, true},   {Heavy, -75, 480, 0.0f, 0.3f, 1.4f, true},
    {Shield, 0, 384, 0.0f, 0.3f, 1.4f, false},  {Basic, 120, 354, 0.0f, 0.3f, 1.4f, true},
    {Basic, -120, 354, 0.0f, 0.3f, 1.0f, true},
};

constexpr Formation Formations[] = {
    {2, Offset::None, 0, Code2},      {3, Offset::Float, 450, Code3},  {12, Offset::Int, 300, Code12},
    {13, Offset::Int, 450, Code13},   {14, Offset::Int, 300, Code14}, {15, Offset::Int, 300, Code15},
};

// A lone enemy at a random x on the top edge, drifting sideways by a random speed.
struct Single
{
    u8 code;
    const char* archetype;
    i32 xRange;
    f32 drift;
    f32 speedY;
    f32 z;
    bool element;
};

constexpr Single Singles[] = {
    {1, Basic, 500, 0.2f, 0.5f, 1.4f, true},    {11, Heavy, 500, 0.15f, 0.3f, 1.4f, true},
    {21, Light, 500, 0.3f, 0.7f, 1.4f, true},   {30, Healer, 150, 0.0f, 0.3f, 1.4f, false},
    {40, Shield, 150, 0.0f, 0.3f, 2.0f, false},
};

}  // namespace

MainEnemyClass* BaseLevelClass::CloneEnemy(const char* archetype, f32 z)
{
    return GetLayer(1) ? CloneArchetype<MainEnemyClass>(archetype, Core::String(archetype) + "_clone", z) : nullptr;
}

void BaseLevelClass::AddEnemy(MainEnemyClass* clone, f32 x, f32 y)
{
    clone->SetPosition(x, y);
    GetLayer(1)->AddGameObject(clone, false, nullptr);
    enemyList.push_back(clone->GetID());
}

MainEnemyClass* BaseLevelClass::SpawnEnemy(const char* archetype, f32 x, f32 y, f32 speedX, f32 speedY, f32 z,
                                           bool randomElement)
{
    MainEnemyClass* clone = CloneEnemy(archetype, z);
    if (!clone)
        return nullptr;
    clone->SetSpeed(speedX, speedY);
    if (randomElement)
        clone->element = Vellumar::RandomIntInRange(0, 3);
    AddEnemy(clone, x, y);
    return clone;
}

void BaseLevelClass::Spawn(u8 code)
{
    struct Spawner
    {
        u8 code;
        void (BaseLevelClass::*spawn)();
    };
    static constexpr Spawner Spawners[] = {
        {1, &BaseLevelClass::SpawnCode1},   {2, &BaseLevelClass::SpawnCode2},   {3, &BaseLevelClass::SpawnCode3},
        {4, &BaseLevelClass::SpawnCode4},   {11, &BaseLevelClass::SpawnCode11}, {12, &BaseLevelClass::SpawnCode12},
        {13, &BaseLevelClass::SpawnCode13}, {14, &BaseLevelClass::SpawnCode14}, {15, &BaseLevelClass::SpawnCode15},
        {21, &BaseLevelClass::SpawnCode21}, {22, &BaseLevelClass::SpawnCode22}, {23, &BaseLevelClass::SpawnCode23},
        {24, &BaseLevelClass::SpawnCode24}, {30, &BaseLevelClass::SpawnCode30}, {40, &BaseLevelClass::SpawnCode40},
        {99, &BaseLevelClass::ShowWaveClear},
    };
    for (const Spawner& spawner : Spawners)
    {
        if (spawner.code == code)
        {
            (this->*spawner.spawn)();
            return;
        }
    }
}

// The lone enemy's drift, element and place on the top edge are drawn in this order, before the
// clone is made: making it draws from the generator as well (a new engine node picks its debug
// colour).
void BaseLevelClass::SpawnSingle(u8 code)
{
    for (const Single& single : Singles)
    {
        if (single.code != code)
            continue;
        const f32 drift = single.drift != 0.0f ? Vellumar::RandomFloatInRange(-single.drift, single.drift) : 0.0f;
        const i32 element = single.element ? Vellumar::RandomIntInRange(0, 3) : 0;
        const f32 x = static_cast<f32>(Vellumar::RandomIntInRange(-single.xRange, single.xRange));
        MainEnemyClass* clone = CloneEnemy(single.archetype, single.z);
        if (!clone)
            return;
        clone->SetSpeed(drift, single.speedY);
        if (single.element)
            clone->element = element;
        AddEnemy(clone, x, 384.0f);
        return;
    }
}

void BaseLevelClass::SpawnFormation(u8 code)
{
    for (const Formation& formation : Formations)
    {
        if (formation.code != code)
            continue;
        f32 offset = 0.0f;
        if (formation.offset == Offset::Int)
            offset = static_cast<f32>(Vellumar::RandomIntInRange(-formation.range, formation.range));
        else if (formation.offset == Offset::Float)
            offset = Vellumar::RandomFloatInRange(static_cast<f32>(-formation.range), static_cast<f32>(formation.range));
        for (const Placement& row : formation.rows)
            SpawnEnemy(row.archetype, row.x + offset, row.y, row.speedX, row.speedY, row.z, row.element);
        return;
    }
}

void BaseLevelClass::SpawnCode1()
{
    SpawnSingle(1);
}

void BaseLevelClass::SpawnCode2()
{
    SpawnFormation(2);
}

void BaseLevelClass::SpawnCode3()
{
    SpawnFormation(3);
}

// A block of basic enemies: columns from the right, rows from the top.
void BaseLevelClass::SpawnCode4()
{
    for (i32 x = 300; x >= -225; x -= 75)
        for (i32 y = 600; y >= 450; y -= 50)
            SpawnEnemy(Basic, static_cast<f32>(x), static_cast<f32>(y), 0.0f, 0.5f, 1.4f, true);
}

void BaseLevelClass::SpawnCode11()
{
    SpawnSingle(11);
}

void BaseLevelClass::SpawnCode12()
{
    SpawnFormation(12);
}

void BaseLevelClass::SpawnCode13()
{
    SpawnFormation(13);
}

void BaseLevelClass::SpawnCode14()
{
    SpawnFormation(14);
}

void BaseLevelClass::SpawnCode15()
{
    SpawnFormation(15);
}

void BaseLevelClass::SpawnCode21()
{
    SpawnSingle(21);
}

// Two columns of light enemies on half a sine wave, mirrored.
void BaseLevelClass::SpawnCode22()
{
    for (f32 side : {1.0f, -1.0f})
        for (i32 k = 0; k <= 12; ++k)
        {
            const f32 t = static_cast<f32>(k) * 3.14159265f / 6.0f;
            const f32 x = side * (130.0f * std::sin(t) - 10.0f);
            SpawnEnemy(Light, x, 644.0f - 20.0f * static_cast<f32>(k), 0.0f, 0.7f, 1.4f, true);
        }
}

// Two rows of light enemies on a parabola, drifting outwards.
void BaseLevelClass::SpawnCode23()
{
    for (f32 d : {0.0f, 50.0f})
        for (i32 xi = -150; xi <= 150; xi += 30)
        {
            const f32 x = static_cast<f32>(xi);
            SpawnEnemy(Light, x, 0.01f * x * x + 400.0f + d, x / 1000.0f, 0.7f, 1.4f, true);
        }
}

// Light enemies on a parabola, basic ones on a parabola behind them, and one heavy.
void BaseLevelClass::SpawnCode24()
{
    for (i32 xi = -150; xi <= 150; xi += 30)
    {
        const f32 x = static_cast<f32>(xi);
        SpawnEnemy(Light, x, 0.01f * x * x + 450.0f, x / 1000.0f, 0.7f, 1.4f, true);
    }
    for (i32 xi = -160; xi <= 160; xi += 40)
    {
        const f32 x = static_cast<f32>(xi);
        SpawnEnemy(Basic, x, 0.01f * x * x + 450.0f + 40.0f, x / 1000.0f, 0.5f, 1.4f, true);
    }
    SpawnEnemy(Heavy, 0.0f, 534.0f, 0.0f, 0.3f, 1.4f, true);
}

void BaseLevelClass::SpawnCode30()
{
    SpawnSingle(30);
}

void BaseLevelClass::SpawnCode40()
{
    SpawnSingle(40);
}

void BaseLevelClass::ShowWaveClear()
{
    if (WaveClearClass* banner = CloneArchetype<WaveClearClass>("wave_clear", "wave_clear_clone", 2.0f))
    {
        banner->SetPosition(0.0f, 0.0f);
        AddToPlayLayer(banner);
    }
}

void BaseLevelClass::SpawnBigBoss()
{
    if (MainEnemyClass* boss = CloneEnemy("bb_body", 1.4f))
        AddEnemy(boss, 0.0f, 500.0f);
}

void BaseLevelClass::SpawnSemiBoss()
{
    if (MainEnemyClass* boss = CloneEnemy("semiboss_body", 1.4f))
        AddEnemy(boss, static_cast<f32>(Vellumar::RandomIntInRange(-100, 100)), 550.0f);
}
