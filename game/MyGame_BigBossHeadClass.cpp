#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_BigBossClasses.h"

GAME_REGISTER_CLASS(BigBossHeadClass)

namespace
{
constexpr u32 VictoryLevel = 4;
}  // namespace

void BigBossHeadClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[BigBossHeadKind].archetypeId))
        return;
    StartKind(EnemyKinds[BigBossHeadKind]);
    element = 0;
    if (BigBossBodyClass* body = Body())
        SetPositionX(body->GetPositionX());
}

// Two hit points to a picture; below two hit points the picture stays.
void BigBossHeadClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    SetCurrentFrame(hitPoints / 2 - 1, false);
    if (hitPoints < 1)
    {
        killed = true;
        Destroy();
    }
    if (BigBossBodyClass* body = Body())
        SetPositionY(body->GetPositionY());
}

void BigBossHeadClass::OnEnd()
{
    if (!GetVisible())
        return;
    MainEnemyClass::OnEnd();
    AdvanceWave(true);
    const BaseLevelClass* level = GetPlayLevel();
    MyGame* game = GetGame();
    if (level && game && level->IsTutorial())
        game->GoToLevel(VictoryLevel);
}
