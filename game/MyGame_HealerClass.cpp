#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"

#include <cmath>

GAME_REGISTER_CLASS(HealerClass)

namespace
{
constexpr i32 PulseEnd = 200;
constexpr i32 PulseStep = 5;

void ScaleRing(f32 scale)
{
    if (auto* ring = FindObjectByName<Vellumar::Sprite>("healAOE"))
    {
        ring->SetScaleX(scale);
        ring->SetScaleY(scale);
    }
}
}  // namespace

void HealerClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[HealerKind].archetypeId))
        return;
    StartKind(EnemyKinds[HealerKind]);
    healing = false;
    healTimer = 0;
    healedIds.Clear(HealedCount);
}

void HealerClass::OnEnd()
{
    ScaleRing(0.0f);
    MainEnemyClass::OnEnd();
}

void HealerClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    Move();
    CheckDeath();
    UpdateFreeze();
    if (auto* ring = FindObjectByName<Vellumar::Sprite>("healAOE"))
        ring->SetPosition(GetPosition());
    if (healing)
    {
        if (healTimer < PulseEnd)
        {
            ScaleRing(static_cast<f32>(healTimer) / 200.0f);
            MyGame* game = GetGame();
            healTimer += PulseStep * (game ? game->running : 0);
            HealInRange(healTimer);
            if (healTimer == PulseStep && hitPoints != 0)
                PlaySound("Heal");
        }
        else
        {
            healing = false;
            healTimer = 0;
        }
        if (healing)
            return;
    }
    ScaleRing(0.0f);
    healTimer = 0;
}

void HealerClass::HealInRange(i32 r)
{
    BaseLevelClass* level = GetPlayLevel();
    if (!level)
        return;
    const f32 range = static_cast<f32>(r);
    const u32 healerKind = ArchetypeId(EnemyKinds[HealerKind].archetypeId);
    // Healing changes no list, but a copy keeps the walk safe whatever a look-up does.
    const Core::Vector<u32> listed = level->enemyList;
    for (u32 id : listed)
    {
        auto* enemy = FindObjectById<MainEnemyClass>(id);
        if (!enemy || !enemy->GetVisible())
            continue;
        const f32 dx = enemy->GetPositionX() - GetPositionX();
        const f32 dy = enemy->GetPositionY() - GetPositionY();
        if (!(std::fabs(dx) < range && std::fabs(dy) < range))
            continue;
        if (AddHealed(id))
            continue;
        if (enemy->hitPoints < enemy->maxHitPoints && enemy->kindId != healerKind)
        {
            enemy->hitPoints += 1;
            enemy->ShowHitPointsFrame();
        }
    }
}

bool HealerClass::AddHealed(u32 id)
{
    return healedIds.MarkHit(id);
}
