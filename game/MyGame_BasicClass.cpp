#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MainEnemyClass.h"

GAME_REGISTER_CLASS(BasicClass)

void BasicClass::OnStart()
{
    const EnemyKind& kind = EnemyKinds[BasicKind];
    if (!RegisterOrLive(kind.archetypeId))
        return;
    const BaseLevelClass* level = GetPlayLevel();
    StartKind(kind, level && level->IsTutorial() ? TutorialBasicReward : kind.reward);
}

void BasicClass::OnEnd()
{
    MainEnemyClass::OnEnd();
    if (BaseLevelClass* level = GetPlayLevel())
        level->tutorialFlag = 1;
}
