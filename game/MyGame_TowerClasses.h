#pragma once
// The three built towers. A click spends a tower for one attack of its element: the fire tower
// climbs and bursts into a large fire area, the ice tower halts every enemy for 401 running
// updates, the lightning tower sends a shock wave and 15 bolts up the screen. The tower's end
// frees its site.
#include "game/MyGame_TowerClass.h"

class FireTowerClass : public EffectClass
{
    CORE_CLASS(FireTowerClass)

public:
    using EffectClass::EffectClass;
    FireTowerClass() = default;
    FireTowerClass(const FireTowerClass& source) : EffectClass(source) {}

    FireTowerClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    void UpdateLaunch();

    f32 launchPhase = 0.0f;
};

class IceTowerClass : public EffectClass
{
    CORE_CLASS(IceTowerClass)

public:
    static constexpr u16 HaltUpdates = 400;

    using EffectClass::EffectClass;
    IceTowerClass() = default;
    IceTowerClass(const IceTowerClass& source) : EffectClass(source) {}

    IceTowerClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    u16 haltTimer = 0;
    u8 active = 0;
};

class LightningTowerClass : public EffectClass
{
    CORE_CLASS(LightningTowerClass)

public:
    static constexpr u32 BoltCount = 15;

    using EffectClass::EffectClass;
    LightningTowerClass() = default;
    LightningTowerClass(const LightningTowerClass& source) : EffectClass(source) {}

    LightningTowerClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    f32 nextBoltX = 0.0f;
    u32 boltsLaunched = 0;
    u8 active = 0;

private:
    void LaunchBolts();
};
