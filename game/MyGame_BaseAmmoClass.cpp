#include "game/MyGame_BaseAmmoClass.h"

#include "framework/core/Vellumar_CollisionResults.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_EffectSystems.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_ShieldClass.h"
#include "game/MyGame_Sounds.h"

GAME_REGISTER_CLASS(BaseAmmoClass)

namespace
{
// The placed archetypes, which stay still.
const char* const Archetypes[] = {"ammo_clone", "ammo_clonf", "ammo_cloni", "ammo_clons"};
constexpr f32 WallMargin = 15.0f;
// The user id of a shield bit's shield-face segments.
constexpr u32 ShieldFace = 1;
}  // namespace

void BaseAmmoClass::OnStart()
{
    hitEnemyId = 0;
    age = 0;
    const bool live = (GetVisible() && GetName() == "ammo_base") || GetName() == "ammo_load";
    if (!live)
    {
        SetName("ammo_clone");
        return;
    }
    damage = 1;
    if (element >= 1 && element <= 3)
    {
        SetCurrentAnimation(element, false);
        Stop();
    }
    else
        SetCurrentAnimation(0, false);
}

void BaseAmmoClass::ScriptUpdate(f32)
{
    for (const char* name : Archetypes)
        if (GetName() == name)
            return;
    Move();
    HitEnemy(false);
}

void BaseAmmoClass::Move()
{
    MyGame* game = GetGame();
    if (!game || !GetVisible() || GetName() != "ammo_base")
        return;
    const Math::Vector2D d = GetDirection();
    if (game->running)
        SetPosition(GetPosition() + d * 15.0f + d);
    const f32 h = static_cast<f32>(game->halfWidth);
    const f32 x = GetPositionX();
    if (x > h - WallMargin || x < WallMargin - h)
        SetRotationAngle(180.0f - GetRotationAngle());
    age = static_cast<u8>(age + static_cast<u8>(game->running));
    if (GetPositionY() > TopLine || age > MaxAge)
        Destroy();
}

void BaseAmmoClass::HitEnemy(bool record)
{
    BaseLevelClass* level = GetPlayLevel();
    if (!level)
        return;
    const Vellumar::CollisionResults mine = Vellumar::CollisionResults::Of(*this);
    for (u32 id : level->enemyList)
    {
        auto* enemy = FindObjectById<Vellumar::Sprite>(id);
        if (!enemy)
            continue;
        if (Vellumar::CollisionResults::Of(*enemy).IsCollidedWithSprite(GetName(), true) &&
            mine.IsCollidedWithSprite(enemy->GetName(), true))
        {
            ResolveHit(id, record);
            return;
        }
    }
}

void BaseAmmoClass::ResolveHit(u32 enemyId, bool record)
{
    MyGame* game = GetGame();
    auto* enemy = FindObjectById<MainEnemyClass>(enemyId);
    if (game && enemy)
    {
        const bool blocked = IsBlocked(enemyId);
        auto* healer = FindObjectById<HealerClass>(enemyId);
        auto* blood = FindObjectByName<BloodSystemClass>("blood");
        if (!blocked && healer && enemy->kindId == game->healerArchetypeId)
        {
            healer->healing = true;
            enemy->hitPoints -= damage;
        }
        else if (!blocked && static_cast<i8>(element) == enemy->element && element != 0)
        {
            enemy->hitPoints -= damage + 1;
            if (blood)
                blood->Hit(enemyId, 1, 0);
            PlaySound("crit");
        }
        else if (!blocked)
        {
            enemy->hitPoints -= damage;
            if (blood)
                blood->Hit(enemyId, 0, 0);
        }
        else if (enemy->kindId == game->shieldBitArchetypeId || enemy->kindId == game->shieldArchetypeId)
        {
            if (blood)
                blood->Hit(enemyId, 0, 1);
            PlaySound("shield");
        }
    }
    if (record)
        hitEnemyId = enemyId;
    PlaySound("explodeSound");
    Destroy();
}

bool BaseAmmoClass::IsBlocked(u32 enemyId)
{
    MyGame* game = GetGame();
    auto* enemy = FindObjectById<MainEnemyClass>(enemyId);
    if (!game || !enemy)
        return false;
    bool blocked = false;
    // A bit blocks only on its shield face, the lower edge of its picture.
    auto* bit = FindObjectById<ShieldBitClass>(enemyId);
    if (bit && game->shieldBitArchetypeId != 0 && enemy->kindId == game->shieldBitArchetypeId &&
        Vellumar::CollisionResults::Of(*enemy).IsMyLineSegmentCollided(ShieldFace))
    {
        bit->bitFlashing = true;
        blocked = true;
    }
    auto* body = FindObjectById<ShieldClass>(enemyId);
    if (body && game->shieldArchetypeId != 0 && enemy->kindId == game->shieldArchetypeId && body->IsShielded())
    {
        body->flashing = true;
        blocked = true;
    }
    // An egg lets only its own element through.
    auto* egg = FindObjectById<BigBossEggsClass>(enemyId);
    if (egg && game->bigBossEggsArchetypeId != 0 && enemy->kindId == game->bigBossEggsArchetypeId &&
        static_cast<i32>(element) != egg->eggElement)
        blocked = true;
    return blocked;
}
