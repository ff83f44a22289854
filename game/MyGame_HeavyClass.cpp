#include "game/MyGame_MainEnemyClass.h"

GAME_REGISTER_CLASS(HeavyClass)

void HeavyClass::OnStart()
{
    if (RegisterOrLive(EnemyKinds[HeavyKind].archetypeId))
        StartKind(EnemyKinds[HeavyKind]);
}
