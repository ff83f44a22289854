#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MainEnemyClass.h"

GAME_REGISTER_CLASS(BasicClass)

void BasicClass::OnStart()
{
    if (!RegisterOrLive(&MyGame::basicArchetypeId))
        return;
    const BaseLevelClass* level = GetPlayLevel();
    StartKind(&MyGame::basicArchetypeId, 2, level && level->IsTutorial() ? 20 : 2);
}

void BasicClass::OnEnd()
{
    MainEnemyClass::OnEnd();
    if (BaseLevelClass* level = GetPlayLevel())
        level->tutorialFlag = 1;
}
