#include "game/MyGame_BaseCityClass.h"

#include "framework/core/Vellumar_CollisionResults.h"
#include "game/MyGame_CursorClass.h"
#include "game/MyGame_CursorClass0.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"

GAME_REGISTER_CLASS(BaseCityClass)

namespace
{
// Objects that may touch the city at no cost.
const char* const Harmless[] = {"ammo_base", "semiboss_body_clone", "semiboss_leftarm_clone", "semiboss_rightarm_clone"};
}  // namespace

void BaseCityClass::OnStart()
{
    Stop();
    hitPoints = StartHitPoints;
    damageFrame = 0;
}

void BaseCityClass::UpdateState()
{
    if (hitPoints > StartHitPoints)
        return;
    if (hitPoints < 1)
    {
        damageFrame = 4;
        if (MyGame* game = GetGame())
            game->GoToLevel(Core::String("Lose"));
    }
    else
        damageFrame = 3 - (hitPoints - 1) / 5;
    SetCurrentFrame(damageFrame, false);
}

void BaseCityClass::ScriptUpdate(f32)
{
    if (GetName() != "city")
        return;
    UpdateState();
    const Vellumar::CollisionResults mine = Vellumar::CollisionResults::Of(*this);
    const i32 count = mine.GetCollidedSpritesCount(true);
    for (i32 i = 0; i < count; ++i)
    {
        Vellumar::GameObject* other = mine.GetCollidedSprite(i, true);
        // The player's own pointer is no attacker: one crosshair piece has a collision circle,
        // and the mouse brought down to the city would cost a hit point and the piece.
        if (!other || dynamic_cast<CursorClass*>(other) || dynamic_cast<CursorClass0*>(other))
            continue;
        if (Vellumar::CollisionResults::Of(*other).IsCollidedWithSprite(GetName(), true) &&
            mine.IsCollidedWithSprite(other->GetName(), true))
        {
            PlaySound("cityhit");
            TouchedBy(*other);
        }
    }
}

void BaseCityClass::TouchedBy(Vellumar::GameObject& other)
{
    for (const char* name : Harmless)
        if (other.GetName() == name)
            return;
    hitPoints -= 1;
    other.Destroy();
}
