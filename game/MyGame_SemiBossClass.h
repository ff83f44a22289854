#pragma once
// The semi-boss: a body that glides in, sways while it sinks and every so often blinks red and
// dives at the city, carried by two arms; while an arm lives the body keeps at least two hit
// points, and with both arms gone it plunges. Its end resumes the waves or wins the act.
#include "game/MyGame_MainEnemyClass.h"

class BaseCityClass;

class SemiBossClass : public MainEnemyClass
{
    GAME_CLASS(SemiBossClass, MainEnemyClass)

public:
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    // The sway, the warning blink and the attack.
    void Move();
    void CheckCityReached();
    // An arm is gone; losing the last one ends a running attack, which could otherwise never end.
    void LoseArm();

    i32 armsAlive = 0;
    f32 attackTimer = 0.0f;
    f32 swayPhase = 0.0f;
    f32 restY = 0.0f;
    bool struck = false;
    f32 glow = 0.0f;
    bool glowRising = false;
    u32 leftArmId = 0;
    u32 rightArmId = 0;

protected:
    static BaseCityClass* City();

private:
    void Blink();
    void Attack();
    // The tint of the body and of each arm it still has.
    void Tint(const Math::Color& color);
};

// An arm follows its body, dies or touches the city down outside an attack; either way its body
// loses it.
class SemiBossArmClass : public SemiBossClass
{
    GAME_CLASS(SemiBossArmClass, SemiBossClass)

public:
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    void Follow(const SemiBossClass& body);
    void UpdateDeath(SemiBossClass& body);
    void CheckCityReached(SemiBossClass& body);

    u32 bodyId = 0;
};
