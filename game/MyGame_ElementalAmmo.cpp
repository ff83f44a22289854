#include "game/MyGame_ElementalAmmo.h"

#include "game/MyGame_Archetypes.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_EffectSystems.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"
#include "game/MyGame_TowerClass.h"

#include <cmath>

GAME_CLASS_ENTRY(FireAmmoClass)
GAME_CLASS_ENTRY(IceAmmoClass)
GAME_CLASS_ENTRY(LightningAmmoClass)

namespace
{
constexpr f32 TopExit = 400.0f;
constexpr u8 AreaMaxAge = 175;
constexpr i32 ChainReach = 100;

u32 Running()
{
    MyGame* game = GetGame();
    return game ? game->running : 0;
}

// Each listed, visible enemy strictly inside the square of half side r around the point, in the
// order of the play level's enemy list.
template <class Visit>
void ForEnemiesInSquare(f32 x, f32 y, i32 r, Visit visit)
{
    BaseLevelClass* level = GetPlayLevel();
    if (!level)
        return;
    const Core::Vector<u32> ids = level->enemyList;
    for (u32 id : ids)
    {
        MainEnemyClass* enemy = FindObjectById<MainEnemyClass>(id);
        if (!enemy || !enemy->GetVisible())
            continue;
        const f32 dx = std::fabs(enemy->GetPositionX() - x);
        const f32 dy = std::fabs(enemy->GetPositionY() - y);
        if (dx < static_cast<f32>(r) && dy < static_cast<f32>(r))
            visit(*enemy);
    }
}

// The start shared by both areas: the archetype's name sets the projectile mode, and an area
// keeps the enemy hit directly in its first entry.
template <class Ammo>
void StartArea(Ammo& ammo, const char* archetype)
{
    ammo.radius = 0;
    ammo.hitEnemyId = 0;
    if (ammo.GetName() == archetype)
        ammo.areaMode = 0;
    ammo.damage = 1;
    const u32 kept = ammo.hitList.Size() > 0 ? ammo.hitList[0] : HitList::Free;
    ammo.hitList.Clear(Ammo::HitListSize);
    if (ammo.areaMode == 1)
        ammo.hitList[0] = kept;
}

// A flying projectile's end makes its area when it ended inside the screen, young enough and not
// stopped by a shield or an egg; null otherwise.
template <class Ammo>
Ammo* CloneArea(Ammo& ammo, const char* archetype, const char* areaName, const char* sound)
{
    if (ammo.GetPositionY() > TopExit || ammo.age >= AreaMaxAge || ammo.areaMode != 0 || ammo.GetName() == archetype ||
        ammo.IsBlocked(ammo.hitEnemyId))
        return nullptr;
    Ammo* source = FindObjectByName<Ammo>(archetype);
    if (!source)
        return nullptr;
    PlaySound(sound);
    Ammo* area = source->Clone();
    area->SetName(areaName);
    area->SetVisible(false);
    area->element = ammo.element;
    area->SetZOrder(5.0f);
    area->SetOpacity(0.5f);
    area->areaMode = 1;
    area->hitList.Clear(Ammo::HitListSize);
    area->hitList[0] = ammo.hitEnemyId;
    area->SetPosition(ammo.GetPositionX(), ammo.GetPositionY());
    return area;
}

// One update of a fire or ice object: the archetype rests, a projectile flies and hits, an area
// shows its size, then grows by its step while running and reaches out, or ends at its limit.
template <class Ammo, class Reach>
void UpdateElemental(Ammo& ammo, const char* archetype, u32 maxRadius, u32 step, Reach reach)
{
    if (ammo.GetName() == archetype)
        return;
    if (ammo.areaMode == 0)
    {
        ammo.Move();
        ammo.HitEnemy(true);
        return;
    }
    if (ammo.radius != 0)
        ammo.SetScale(ammo.radius / 10.0f, ammo.radius / 10.0f);
    if (ammo.radius < maxRadius)
    {
        ammo.radius = static_cast<decltype(ammo.radius)>(ammo.radius + step * Running());
        reach(ammo.radius);
    }
    else
        ammo.Destroy();
}
}  // namespace

FireAmmoClass* FireAmmoClass::Clone() const
{
    return new (__FILE__, __LINE__) FireAmmoClass(*this);
}

void FireAmmoClass::OnStart()
{
    StartArea(*this, "ammo_clonf");
}

void FireAmmoClass::ScriptUpdate(f32)
{
    UpdateElemental(*this, "ammo_clonf", maxRadius, radiusStep, [this](i32 r) { BurnArea(r); });
}

void FireAmmoClass::BurnArea(i32 r)
{
    ForEnemiesInSquare(GetPositionX(), GetPositionY(), r, [this](MainEnemyClass& enemy) {
        if (MarkHit(enemy.GetID()))
            return;
        if (static_cast<i8>(element) == enemy.element)
        {
            PlaySound("crit");
            enemy.hitPoints -= damage + 1;
        }
        else
            enemy.hitPoints -= damage;
    });
}

void FireAmmoClass::OnEnd()
{
    if (FireAmmoClass* area = CloneArea(*this, "ammo_clonf", "ammo_Fiery", "FireAoE"))
    {
        area->maxRadius = 100;
        area->radiusStep = 5;
        AddToPlayLayer(area);
    }
}

IceAmmoClass* IceAmmoClass::Clone() const
{
    return new (__FILE__, __LINE__) IceAmmoClass(*this);
}

void IceAmmoClass::OnStart()
{
    StartArea(*this, "ammo_cloni");
}

void IceAmmoClass::ScriptUpdate(f32)
{
    UpdateElemental(*this, "ammo_cloni", MaxRadius, RadiusStep, [this](i32 r) { FreezeArea(r); });
}

void IceAmmoClass::FreezeArea(i32 r)
{
    ForEnemiesInSquare(GetPositionX(), GetPositionY(), r, [this](MainEnemyClass& enemy) {
        if (!MarkHit(enemy.GetID()))
            enemy.SetState(MainEnemyClass::Frozen);
    });
}

void IceAmmoClass::OnEnd()
{
    if (IceAmmoClass* area = CloneArea(*this, "ammo_cloni", "ammo_Ice", "IceAoE"))
        AddToPlayLayer(area);
}

LightningAmmoClass* LightningAmmoClass::Clone() const
{
    return new (__FILE__, __LINE__) LightningAmmoClass(*this);
}

void LightningAmmoClass::OnStart()
{
    hitEnemyId = 0;
    if (GetName() == "ammo_clons")
        isLink = 0;
    if (isLink == 0)
    {
        hitList.Clear(HitListSize);
        hopsLeft = Hops;
        targetId = 0;
    }
    linkTimer = 0;
    damage = 1;
}

void LightningAmmoClass::ScriptUpdate(f32)
{
    if (isLink == 1)
    {
        linkTimer = static_cast<u8>(linkTimer + Running());
        if (linkTimer > LinkLife)
            Destroy();
    }
    else if (GetName() != "ammo_clons")
    {
        Move();
        HitEnemy(true);
    }
    if (Vellumar::Sprite* chain = FindObjectByName<Vellumar::Sprite>("chain_lightning"))
        chain->SetVisible(isLink == 1);
}

void LightningAmmoClass::OnEnd()
{
    if (GetName() != "ammo_Lightning" && GetPositionY() > TopExit)
        return;
    if (isLink == 0)
        targetId = hitEnemyId;
    if (!IsBlocked(targetId) && GetName() != "ammo_clons")
        ChainStep();
}

void LightningAmmoClass::ChainStep()
{
    if (hopsLeft == 0)
        return;
    BaseLevelClass* level = GetPlayLevel();
    if (!level)
        return;
    MainEnemyClass* struck = nullptr;
    const Core::Vector<u32> ids = level->enemyList;
    for (u32 id : ids)
    {
        MainEnemyClass* enemy = FindObjectById<MainEnemyClass>(id);
        if (!enemy || !enemy->GetVisible())
            continue;
        const i32 dx = static_cast<i32>(std::fabs(enemy->GetPositionX() - GetPositionX()));
        const i32 dy = static_cast<i32>(std::fabs(enemy->GetPositionY() - GetPositionY()));
        if (dx >= ChainReach || dy >= ChainReach || id == targetId || MarkHit(id))
            continue;
        struck = enemy;
        break;
    }
    if (!struck)
        return;
    MyGame* game = GetGame();
    if (struck->chainImmune == 1 || (game && struck->kindId == game->bigBossEggsArchetypeId))
        return;
    --hopsLeft;
    SpawnChainLink(struck->GetID(), hopsLeft);
    struck->hitPoints -= static_cast<i8>(element) == struck->element ? damage + 1 : damage;
    if (BloodSystemClass* blood = FindObjectByName<BloodSystemClass>("blood"))
    {
        blood->targetId = struck->GetID();
        blood->active = 1;
    }
    PlaySound("chainSound");
}

void LightningAmmoClass::SpawnChainLink(u32 enemyId, u8 hops)
{
    LightningAmmoClass* archetype = FindObjectByName<LightningAmmoClass>("ammo_clons");
    if (!archetype)
        return;
    LightningAmmoClass* link = archetype->Clone();
    link->SetName("ammo_Lightning");
    link->SetCurrentFrame(1, false);
    link->SetVisible(true);
    link->isLink = 1;
    link->hitList = hitList;
    if (MainEnemyClass* enemy = FindObjectById<MainEnemyClass>(enemyId))
        link->SetPosition(enemy->GetPositionX(), enemy->GetPositionY());
    link->targetId = enemyId;
    link->hopsLeft = hops;
    link->element = 3;
    const Math::Vector2D here(GetPositionX(), GetPositionY());
    const Math::Vector2D there(link->GetPositionX(), link->GetPositionY());
    const Math::Vector2D d = there - here;
    const Math::Vector2D middle = (there + here) * 0.5f;
    if (Vellumar::Sprite* chain = FindObjectByName<Vellumar::Sprite>("chain_lightning"))
    {
        chain->SetPosition(middle.x, middle.y);
        chain->SetDirection(d.x, d.y);
        chain->SetScaleX(d.Length());
    }
    AddToPlayLayer(link);
}
