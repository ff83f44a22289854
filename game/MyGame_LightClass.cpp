#include "game/MyGame_MainEnemyClass.h"

GAME_REGISTER_CLASS(LightClass)

void LightClass::OnStart()
{
    if (RegisterOrLive(EnemyKinds[LightKind].archetypeId))
        StartKind(EnemyKinds[LightKind]);
}
