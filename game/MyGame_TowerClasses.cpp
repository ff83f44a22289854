#include "game/MyGame_TowerClasses.h"

#include "game/MyGame_Archetypes.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_EffectSystems.h"
#include "game/MyGame_ElementalAmmo.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"

#include <cmath>

GAME_CLASS_ENTRY(FireTowerClass)
GAME_CLASS_ENTRY(IceTowerClass)
GAME_CLASS_ENTRY(LightningTowerClass)

namespace
{
constexpr f32 ClimbStraightTo = -250.0f;
constexpr f32 BurstHeight = 200.0f;
constexpr f32 PhaseStep = 0.005f;
constexpr f32 BoltY = -350.0f;
constexpr f32 BoltSpacing = 70.0f;
constexpr f32 WaveEndScale = 2.1f;

f32 Running()
{
    MyGame* game = GetGame();
    return game ? static_cast<f32>(game->running) : 0.0f;
}

void SetEnemyMotion(u16 value)
{
    if (MyGame* game = GetGame())
        game->enemyMotion = value;
}

void SetFrostEmitting(u8 on)
{
    for (const char* name : {"ice_tower_effect1", "ice_tower_effect2"})
    {
        if (IceTowerEffectSystemClass* frost = FindObjectByName<IceTowerEffectSystemClass>(name))
            frost->active = on;
    }
}
}  // namespace

FireTowerClass* FireTowerClass::Clone() const
{
    return new (__FILE__, __LINE__) FireTowerClass(*this);
}

void FireTowerClass::OnStart()
{
    if (GetVisible())
        launchPhase = 0.0f;
}

void FireTowerClass::ScriptUpdate(f32)
{
    if (IsClicked(*this))
    {
        SetCurrentAnimation(1, false);
        PlaySound("fire_fx");
    }
    UpdateLaunch();
}

void FireTowerClass::UpdateLaunch()
{
    const f32 running = Running();
    if (running == 0.0f)
        return;
    if (GetCurrentAnimationIndex() != 0)
    {
        Play(true);
        const f32 x = GetPositionX();
        const f32 y = GetPositionY();
        if (y <= ClimbStraightTo)
            SetPosition(x, y + running);
        else
        {
            launchPhase += PhaseStep;
            const f32 side = x > 0.0f ? 1.0f : -1.0f;
            SetRotationAngle(std::fabs(std::sin(launchPhase) * 90.0f) * side);
            SetPosition(x - side * 6.0f * launchPhase, y + 12.0f * launchPhase);
        }
        if (GetPositionY() > BurstHeight)
            Destroy();
    }
    if (IsPlaying() && GetCurrentAnimationIndex() == 0)
        SetCurrentAnimation(1, false);
}

void FireTowerClass::OnEnd()
{
    FreeSite();
    FireAmmoClass* missile = CloneArchetype<FireAmmoClass>("ammo_clonf", "Missile", 5.0f);
    if (!missile)
        return;
    missile->element = 1;
    missile->SetOpacity(0.5f);
    missile->SetCurrentFrame(1, false);
    missile->areaMode = 1;
    missile->maxRadius = 1000;
    missile->radiusStep = 100;
    missile->hitList.Clear(FireAmmoClass::HitListSize);
    missile->SetPosition(GetPositionX(), GetPositionY());
    AddToPlayLayer(missile);
}

IceTowerClass* IceTowerClass::Clone() const
{
    return new (__FILE__, __LINE__) IceTowerClass(*this);
}

void IceTowerClass::OnStart()
{
    haltTimer = 0;
    active = 0;
}

void IceTowerClass::ScriptUpdate(f32)
{
    if (IsClicked(*this))
    {
        PlaySound("ice_fx");
        active = 1;
    }
    if (active)
    {
        SetFrostEmitting(1);
        haltTimer = static_cast<u16>(haltTimer + (GetGame() ? GetGame()->running : 0));
        SetEnemyMotion(0);
    }
    if (haltTimer > HaltUpdates)
    {
        SetFrostEmitting(0);
        SetEnemyMotion(1);
        Destroy();
    }
}

void IceTowerClass::OnEnd()
{
    FreeSite();
    SetEnemyMotion(1);
}

LightningTowerClass* LightningTowerClass::Clone() const
{
    return new (__FILE__, __LINE__) LightningTowerClass(*this);
}

void LightningTowerClass::OnStart()
{
    nextBoltX = 500.0f;
    boltsLaunched = 0;
    active = 0;
}

void LightningTowerClass::ScriptUpdate(f32)
{
    if (IsClicked(*this))
    {
        active = 1;
        PlaySound("lightning_fx");
    }
    if (!active)
        return;
    Vellumar::Sprite* wave = FindObjectByName<Vellumar::Sprite>("emp");
    if (wave)
    {
        wave->SetVisible(true);
        wave->SetOpacity(wave->GetOpacity() - 0.035f);
        wave->SetScaleX(wave->GetScaleX() + 0.05f);
        wave->SetScaleY(wave->GetScaleY() + 0.05f);
    }
    if (boltsLaunched < BoltCount)
        LaunchBolts();
    if (wave && wave->GetScaleX() >= WaveEndScale)
    {
        wave->SetScale(0.0f, 0.0f);
        wave->SetOpacity(1.0f);
        wave->SetVisible(false);
        Destroy();
    }
}

void LightningTowerClass::LaunchBolts()
{
    boltsLaunched = 0;
    for (u32 i = 0; i < BoltCount; ++i)
    {
        LightningAmmoClass* bolt = CloneArchetype<LightningAmmoClass>("ammo_clons", "ammo_base", 3.0f);
        if (!bolt)
            return;
        bolt->SetOpacity(0.0f);
        bolt->element = 3;
        bolt->isLink = 0;
        bolt->age = 0;
        bolt->SetPosition(nextBoltX, BoltY);
        bolt->SetDirection(0.0f, 1.0f);
        AddToPlayLayer(bolt);
        nextBoltX -= BoltSpacing;
        ++boltsLaunched;
    }
}

void LightningTowerClass::OnEnd()
{
    FreeSite();
}
