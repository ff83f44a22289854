#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_BossParts.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_Sounds.h"

GAME_REGISTER_CLASS(BigBossBodyClass)

namespace
{
constexpr f32 FightingY = 200.0f;
}  // namespace

BigBossBodyClass* BigBossBodyClass::Body()
{
    return FindObjectByName<BigBossBodyClass>("bb_body_clone");
}

void BigBossBodyClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[BigBossBodyKind].archetypeId))
        return;
    StartBossMusic();
    StartKind(EnemyKinds[BigBossBodyKind]);
    buildParts = false;
    sinking = false;
    AddBossPart<BigBossBottomClass>("bb_bottom", "bb_bottom_clone", 1.5f, GetPosition());
}

void BigBossBodyClass::OnEnd()
{
}

void BigBossBodyClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    BuildParts();
    if (sinking)
    {
        SetPositionY(GetPositionY() - 1.0f);
        if (GetPositionY() <= FightingY)
            sinking = false;
    }
    SpawnHeavies();
}

void BigBossBodyClass::BuildParts()
{
    if (!buildParts)
        return;
    AddBossPart<BigBossHeadClass>("bb_head", "bb_head_clone", 1.5f, GetPosition());
    AddBossPart<BigBossArmsClass>("bb_right", "bb_left_clone", 1.5f, GetPosition(), true);
    AddBossPart<BigBossArmsClass>("bb_right", "bb_right_clone", 1.5f, GetPosition());
    BigBossEggsClass::Lay("bb_egg", "bb_left_egg_clone", 1.5f, 0, true);
    BigBossEggsClass::Lay("bb_egg", "bb_right_egg_clone", 1.5f, 0);
    buildParts = false;
    sinking = true;
}

void BigBossBodyClass::SpawnHeavies()
{
    auto* left = FindObjectByName<BigBossArmsClass>("bb_left_clone");
    auto* right = FindObjectByName<BigBossArmsClass>("bb_right_clone");
    BaseLevelClass* level = GetPlayLevel();
    if (!left || !right || !left->ready || !level)
        return;
    level->SpawnEnemy("enemy_heavy", GetPositionX(), GetPositionY() - 50.0f, 0.0f, 1.0f, 1.6f, false);
    if (auto* head = FindObjectByName<BigBossHeadClass>("bb_head_clone"))
        head->hitPoints += 1;
    left->ready = false;
    right->ready = false;
}
