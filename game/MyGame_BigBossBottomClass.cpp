#include "game/MyGame_BigBossClasses.h"

GAME_REGISTER_CLASS(BigBossBottomClass)

void BigBossBottomClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[BigBossBottomKind].archetypeId))
        return;
    StartKind(EnemyKinds[BigBossBottomKind]);
    eggsAlive = 3;
    BigBossEggsClass::Lay("bb_fire_egg", "bb_fire_egg_clone", 1.6f, 1);
    BigBossEggsClass::Lay("bb_ice_egg", "bb_ice_egg_clone", 1.6f, 2);
    BigBossEggsClass::Lay("bb_lightning_egg", "bb_lightning_egg_clone", 1.6f, 3);
    if (BigBossBodyClass* body = Body())
        SetPositionX(body->GetPositionX());
}

// Once its three eggs are broken the lower part goes and the body builds its second phase.
void BigBossBottomClass::ScriptUpdate(f32)
{
    BigBossBodyClass* body = GetVisible() ? Body() : nullptr;
    if (!body)
        return;
    SetPositionY(body->GetPositionY());
    if (eggsAlive > 0)
        return;
    body->buildParts = true;
    Destroy();
}
