#include "game/MyGame_EffectSystems.h"

#include "platform/Input_Mouse.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_ElementalAmmo.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_TowerClasses.h"

GAME_CLASS_ENTRY(BloodSystemClass)
GAME_CLASS_ENTRY(FireSystemClass)
GAME_CLASS_ENTRY(IceSystemClass)
GAME_CLASS_ENTRY(IceTowerEffectSystemClass)
GAME_CLASS_ENTRY(SmokeSystemClass)

namespace
{
constexpr u32 BurstGroup = 5;
constexpr f32 EffectZ = 10.0f;

void SetRate(Vellumar::ParticleSystem& system, f32 rate)
{
    system.SetEmissionRate(rate, rate);
}

// Shows a growing area's glow where the first area of that name stands, or hides it.
template <class Area>
void FollowArea(Vellumar::ParticleSystem& system, const char* name)
{
    Area* area = FindObjectByName<Area>(name);
    if (area && area->areaMode == 1)
    {
        system.SetVisible(true);
        system.SetZOrder(EffectZ);
        system.SetPosition(area->GetPositionX(), area->GetPositionY());
        SetRate(system, 4000.0f);
        return;
    }
    system.SetVisible(false);
    SetRate(system, 0.0f);
}
}  // namespace

BloodSystemClass* BloodSystemClass::Clone() const
{
    return new (__FILE__, __LINE__) BloodSystemClass(*this);
}

void BloodSystemClass::OnStart()
{
    active = 0;
    frameCounter = 0;
    targetId = 0;
    critical = 0;
    shielded = 0;
}

void BloodSystemClass::Hit(u32 enemyId, u8 isCritical, u8 isShielded)
{
    targetId = enemyId;
    active = 1;
    critical = isCritical;
    shielded = isShielded;
}

void BloodSystemClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    ++frameCounter;
    if (MainEnemyClass* enemy = FindObjectById<MainEnemyClass>(targetId))
        SetPosition(enemy->GetPositionX(), enemy->GetPositionY());
    using Math::Color;
    if (active && critical && !shielded)
    {
        SetParticleLifeTime(1.0f, 1.5f);
        SetRate(*this, 1000.0f);
        SetParticleStartingColor(Color(0.8f, 1.0f, 0.0f, 1.0f), Color(1.0f, 0.0f, 0.0f, 0.0f));
        SetParticleEndingColor(Color(0.8f, 0.8f, 0.0f, 1.0f), Color(1.0f, 0.0f, 0.0f, 0.0f));
    }
    else if (active && !critical && !shielded)
    {
        SetParticleLifeTime(0.3f, 0.5f);
        SetRate(*this, 300.0f);
        SetParticleStartingColor(Color(0.8f, 1.0f, 0.0f, 1.0f), Color(0.6f, 1.0f, 0.4f, 0.0f));
        SetParticleEndingColor(Color(0.8f, 0.8f, 0.0f, 1.0f), Color(0.6f, 0.8f, 0.0f, 0.0f));
    }
    else if (active && !critical && shielded)
    {
        SetParticleLifeTime(0.3f, 0.5f);
        SetRate(*this, 300.0f);
        SetParticleStartingColor(Color(0.0f, 1.0f, 1.0f, 1.0f), Color(0.0f, 1.0f, 1.0f, 0.0f));
        SetParticleEndingColor(Color(0.0f, 1.0f, 1.0f, 1.0f), Color(0.0f, 1.0f, 1.0f, 0.0f));
    }
    else
        SetRate(*this, 0.0f);
    if (frameCounter % BurstGroup == 0)
        active = 0;
}

FireSystemClass* FireSystemClass::Clone() const
{
    return new (__FILE__, __LINE__) FireSystemClass(*this);
}

void FireSystemClass::ScriptUpdate(f32)
{
    FollowArea<FireAmmoClass>(*this, "ammo_Fiery");
}

IceSystemClass* IceSystemClass::Clone() const
{
    return new (__FILE__, __LINE__) IceSystemClass(*this);
}

void IceSystemClass::ScriptUpdate(f32)
{
    FollowArea<IceAmmoClass>(*this, "ammo_Ice");
}

IceTowerEffectSystemClass* IceTowerEffectSystemClass::Clone() const
{
    return new (__FILE__, __LINE__) IceTowerEffectSystemClass(*this);
}

void IceTowerEffectSystemClass::OnStart()
{
    SetVisible(false);
    active = 0;
}

void IceTowerEffectSystemClass::ScriptUpdate(f32)
{
    if (!FindObjectByName<IceTowerClass>("tower_ice_clone"))
    {
        SetRate(*this, 0.0f);
        return;
    }
    SetVisible(true);
    if (active)
    {
        SetZOrder(EffectZ);
        SetRate(*this, 1000.0f);
    }
    else
        SetRate(*this, 0.0f);
}

SmokeSystemClass* SmokeSystemClass::Clone() const
{
    return new (__FILE__, __LINE__) SmokeSystemClass(*this);
}

void SmokeSystemClass::ScriptUpdate(f32)
{
    CannonClass* cannon = FindObjectByName<CannonClass>("cannon");
    Input::Mouse* mouse = Input::GetMouse();
    const bool shot = mouse && mouse->IsTriggered(0) && cannon && cannon->recoiling == 1;
    SetRate(*this, shot ? 10000.0f : 0.0f);
}
