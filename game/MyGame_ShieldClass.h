#pragma once
// The shield enemy: a body carrying two shield bits beside it. While a bit lives the body cannot
// be hurt and a hit on it, or on a bit's shield face, is blocked and flashes the part struck; a
// bit whose body has gone falls off the screen on its own.
#include "game/MyGame_MainEnemyClass.h"

class ShieldClass : public MainEnemyClass
{
    GAME_CLASS(ShieldClass, MainEnemyClass)

public:
    void OnStart() override;
    void ScriptUpdate(f32 dt) override;

    void UpdateFrame();
    // The shield is up while a bit lives.
    bool IsShielded() const { return bitsAlive > 0; }

    i32 bitsAlive = 0;
    f32 flashTimer = 0.0f;
    bool flashing = false;

private:
    // Clones the bit archetype of that name on that side of this body and lists it as an enemy.
    void SpawnBit(const char* archetype, const char* cloneName, f32 side);
};

class ShieldBitClass : public ShieldClass
{
    GAME_CLASS(ShieldBitClass, ShieldClass)

public:
    // A bit's place beside its body, to the left or the right.
    static constexpr f32 OffsetX = 90.0f;
    static constexpr f32 OffsetY = 30.0f;

    void OnStart() override;
    void ScriptUpdate(f32 dt) override;

    void UpdateDeath();
    void UpdateFlash();
    void FollowBody(const ShieldClass& body);

    u32 bodyId = 0;
    f32 bitFlashTimer = 0.0f;
    bool bitFlashing = false;
};

// A hit flash: frame 1 for ten updates from timer 0, then frame 0 and the flash is over.
void StepFlash(Vellumar::Sprite& part, f32& timer, bool& flashing);
