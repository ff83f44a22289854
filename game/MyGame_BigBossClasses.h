#pragma once
// The big boss: a body that arrives over a lower part carrying three elemental eggs, each hatching
// light enemies of its element; when the three are broken the body grows a head, two swinging
// arms and two plain eggs that hatch heavy enemies, and sinks to its fighting height. The parts
// find each other by their clone names every update; the head's death wins the act.
#include "game/MyGame_MainEnemyClass.h"

class BigBossBodyClass : public MainEnemyClass
{
    GAME_CLASS(BigBossBodyClass, MainEnemyClass)

public:
    void OnStart() override;
    // The body, the lower part and the arms never run the enemy end: they drop nothing and stay
    // listed.
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    void BuildParts();
    // A heavy enemy from the body each time the left arm reaches out, and a hit point for the head.
    void SpawnHeavies();

    bool buildParts = false;
    bool sinking = false;

protected:
    // The live body, which every part follows; null once it is gone.
    static BigBossBodyClass* Body();
};

class BigBossBottomClass : public BigBossBodyClass
{
    GAME_CLASS(BigBossBottomClass, BigBossBodyClass)

public:
    void OnStart() override;
    void ScriptUpdate(f32 dt) override;

    i32 eggsAlive = 0;
};

class BigBossEggsClass : public BigBossBodyClass
{
    GAME_CLASS(BigBossEggsClass, BigBossBodyClass)

public:
    static constexpr i32 LightHatchTime = 150;
    static constexpr i32 HeavyHatchTime = 650;

    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    void Hatch();
    void FollowBody();
    // Where the egg of that clone name sits from the body; false for any other name.
    static bool OffsetOf(const Core::String& name, Math::Vector2D& offset);
    // A new egg of that clone name beside the body, hatching enemies of its element.
    static void Lay(const char* archetype, const char* name, f32 z, i32 element, bool mirrored = false);

    i32 hatchTimer = 0;
    i32 eggElement = 0;
};

class BigBossArmsClass : public BigBossBodyClass
{
    GAME_CLASS(BigBossArmsClass, BigBossBodyClass)

public:
    static constexpr i32 RestTime = 350;

    void OnStart() override;
    void ScriptUpdate(f32 dt) override;

    void Swing();

    bool ready = false;
    i32 swingCounter = 0;
    bool extending = false;
};

class BigBossHeadClass : public BigBossBodyClass
{
    GAME_CLASS(BigBossHeadClass, BigBossBodyClass)

public:
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;
};
