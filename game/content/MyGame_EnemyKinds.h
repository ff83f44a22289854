#pragma once
// Every enemy kind's tuning, bosses and their parts included, one row each: the game's field that holds the kind's archetype
// id, the hit points and crystals a clone starts with, and the walking speed the kind keeps
// whatever its spawner gave it (0: the spawner's). Where and how fast the others walk is the
// spawners' business (the wave codes' placements).
#include "core/Core_Types.h"
#include "game/MyGame_MyGame.h"

struct EnemyKind
{
    u32 MyGame::*archetypeId;
    i32 hitPoints;
    i32 reward;
    f32 speedY;
};

enum EnemyKindIndex : u32
{
    LightKind,
    BasicKind,
    HeavyKind,
    HealerKind,
    ShieldKind,
    SemiBossKind,
    BigBossBodyKind,
    BigBossBottomKind,
    BigBossHeadKind,
    BigBossArmsKind,
    BigBossEggsKind,
};

inline constexpr EnemyKind EnemyKinds[] = {
    {&MyGame::lightArchetypeId, 1, 1, 0.0f},
    {&MyGame::basicArchetypeId, 2, 2, 0.0f},
    {&MyGame::heavyArchetypeId, 4, 3, 0.0f},
    {&MyGame::healerArchetypeId, 4, 4, 0.3f},
    {&MyGame::shieldArchetypeId, 2, 5, 0.3f},
    {&MyGame::semiBossArchetypeId, 2, 5, 0.0f},
    {&MyGame::bigBossBodyArchetypeId, 1, 0, 0.0f},
    {&MyGame::bigBossBottomArchetypeId, 1, 0, 0.0f},
    {&MyGame::bigBossHeadArchetypeId, 10, 0, 0.0f},
    {&MyGame::bigBossArmsArchetypeId, 200, 0, 0.0f},
    {&MyGame::bigBossEggsArchetypeId, 4, 10, 0.0f},
};

// The tutorial's basic enemy drops enough crystals for a tower at once.
inline constexpr i32 TutorialBasicReward = 20;
