#include "game/MyGame_MainEnemyClass.h"

GAME_REGISTER_CLASS(HeavyClass)

void HeavyClass::OnStart()
{
    if (RegisterOrLive(&MyGame::heavyArchetypeId))
        StartKind(&MyGame::heavyArchetypeId, 4, 3);
}
