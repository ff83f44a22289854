#include "game/MyGame_MainEnemyClass.h"

GAME_REGISTER_CLASS(LightClass)

void LightClass::OnStart()
{
    if (RegisterOrLive(&MyGame::lightArchetypeId))
        StartKind(&MyGame::lightArchetypeId, 1, 1);
}
