#pragma once
// What every enemy shares: kind, element, hit points, crystal reward, speeds, the freeze and the
// killed flag; the walk towards the city, the death, the crystals it drops and the wave
// bookkeeping its end drives. An invisible object is its kind's archetype and only registers.
#include "core/Core_Types.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_HitList.h"
#include "game/MyGame_MyGame.h"
#include "game/content/MyGame_EnemyKinds.h"

class MainEnemyClass : public Vellumar::Sprite
{
    GAME_CLASS(MainEnemyClass, Vellumar::Sprite)

public:
    static constexpr i32 Frozen = 2;

    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    void SetSpeed(f32 x, f32 y);
    void SetState(i32 s);
    void Move();
    void CheckDeath();
    void UpdateFreeze();
    void AdvanceWave(bool final);
    // Shows the picture of the hit points left; none below one hit point.
    void ShowHitPointsFrame();

    u32 kindId = 0;
    i32 element = 0;
    i32 hitPoints = 0;
    i32 state = 0;
    i32 reward = 0;
    u8 attacking = 0;
    f32 speedY = 0.0f;
    f32 speedX = 0.0f;
    f32 freezeTimer = 0.0f;
    u8 chainImmune = 0;
    i32 maxHitPoints = 0;
    bool killed = false;

protected:
    // An invisible archetype stores its id in the game's field of its kind and gets false; a
    // visible clone gets true.
    template <class Id>
    bool RegisterOrLive(Id MyGame::*field)
    {
        if (GetVisible())
            return true;
        if (MyGame* game = GetGame())
            game->*field = static_cast<Id>(GetID());
        return false;
    }
    // The game's archetype id of a kind; 0 while none registered.
    template <class Id>
    static u32 ArchetypeId(Id MyGame::*field)
    {
        MyGame* game = GetGame();
        return game ? static_cast<u32>(game->*field) : 0;
    }
    // A clone's start around the base's: its kind's hit points before, its kind, reward and fixed
    // speed after.
    void StartKind(const EnemyKind& kind) { StartKind(kind, kind.reward); }
    void StartKind(const EnemyKind& kind, i32 crystals)
    {
        maxHitPoints = kind.hitPoints;
        MainEnemyClass::OnStart();
        kindId = ArchetypeId(kind.archetypeId);
        reward = crystals;
        if (kind.speedY != 0.0f)
            speedY = kind.speedY;
    }
    void DropCrystals();
};

// The ordinary kinds differ only in their start values.
class LightClass : public MainEnemyClass
{
    GAME_CLASS(LightClass, MainEnemyClass)

public:
    void OnStart() override;
};

class BasicClass : public MainEnemyClass
{
    GAME_CLASS(BasicClass, MainEnemyClass)

public:
    void OnStart() override;
    // Tells the tutorial that a basic enemy has gone.
    void OnEnd() override;
};

class HeavyClass : public MainEnemyClass
{
    GAME_CLASS(HeavyClass, MainEnemyClass)

public:
    void OnStart() override;
};

// Heals the listed enemies inside its growing ring once per enemy, when a projectile hits it.
class HealerClass : public MainEnemyClass
{
    GAME_CLASS(HealerClass, MainEnemyClass)

public:
    static constexpr u32 HealedCount = 20;

    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    void HealInRange(i32 r);
    bool AddHealed(u32 id);

    bool healing = false;
    i32 healTimer = 0;
    HitList healedIds{HealedCount};
};
