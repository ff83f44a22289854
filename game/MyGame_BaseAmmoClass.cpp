#include "game/MyGame_BaseAmmoClass.h"

#include "framework/Vellumar_CollisionResults.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"

GAME_REGISTER_CLASS(BaseAmmoClass)

namespace
{
// The placed archetypes, which stay still.
const char* const Archetypes[] = {"ammo_clone", "ammo_clonf", "ammo_cloni", "ammo_clons"};
constexpr f32 WallMargin = 15.0f;
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
        auto* healer = FindObjectById<HealerClass>(enemyId);
        if (healer && enemy->kindId == game->healerArchetypeId)
        {
            healer->healing = true;
            enemy->hitPoints -= damage;
        }
        else if (static_cast<i8>(element) == enemy->element && element != 0)
        {
            enemy->hitPoints -= damage + 1;
            PlaySound("crit");
        }
        else
            enemy->hitPoints -= damage;
    }
    if (record)
        hitEnemyId = enemyId;
    PlaySound("explodeSound");
    Destroy();
}
