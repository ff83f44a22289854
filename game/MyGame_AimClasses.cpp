#include "game/MyGame_AimClasses.h"

#include "platform/Input_Keyboard.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"

GAME_CLASS_ENTRY(AimEmitterClass)
GAME_CLASS_ENTRY(BounceEmitterClass)
GAME_CLASS_ENTRY(AimSystemClass)
GAME_CLASS_ENTRY(BounceSystemClass)
GAME_CLASS_ENTRY(BounceAimClass)

namespace
{
CannonClass* Cannon()
{
    return FindObjectByName<CannonClass>("cannon");
}

// The guides show while the mouse is above the cannon's rest height, as the cannon aims then.
bool MouseAboveCannon()
{
    CannonClass* cannon = Cannon();
    MyGame* game = GetGame();
    return cannon && game && cannon->restPosition.y < game->mouseY;
}

Math::Vector2D AimDirection()
{
    CannonClass* cannon = Cannon();
    return cannon ? cannon->aimDirection : Math::Vector2D();
}
}  // namespace

bool IntersectWall(const Math::Vector2D& point, const Math::Vector2D& direction, f32 wallX, f32 halfHeight,
                   Math::Vector2D& hit)
{
    const Math::Vector2D wallPoint(wallX, -halfHeight);
    const Math::Vector2D wallDirection(0.0f, 2.0f * halfHeight);
    const f32 denominator = wallDirection.y * direction.x - wallDirection.x * direction.y;
    if (denominator == 0.0f)
        return false;
    const f32 t = (wallDirection.x * (point.y - wallPoint.y) - wallDirection.y * (point.x - wallPoint.x)) / denominator;
    hit = point + direction * t;
    return true;
}

AimEmitterClass* AimEmitterClass::Clone() const
{
    return new (__FILE__, __LINE__) AimEmitterClass(*this);
}

void AimEmitterClass::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    position = Math::Point2D(emitPoint.x, emitPoint.y);
    direction = AimDirection();
    direction.Normalize();
}

BounceEmitterClass* BounceEmitterClass::Clone() const
{
    return new (__FILE__, __LINE__) BounceEmitterClass(*this);
}

void BounceEmitterClass::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    position = Math::Point2D(emitPoint.x, emitPoint.y);
    const Math::Vector2D aim = AimDirection();
    direction = Math::Vector2D(-aim.x, aim.y);
    direction.Normalize();
}

AimSystemClass* AimSystemClass::Clone() const
{
    return new (__FILE__, __LINE__) AimSystemClass(*this);
}

void AimSystemClass::ScriptUpdate(f32)
{
    SetVisible(MouseAboveCannon() && shown == 1);
}

BounceSystemClass* BounceSystemClass::Clone() const
{
    return new (__FILE__, __LINE__) BounceSystemClass(*this);
}

void BounceSystemClass::ScriptUpdate(f32)
{
    if (BounceAimClass* marker = FindObjectByName<BounceAimClass>("bouncedot"))
        SetPosition(marker->bouncePoint.x, marker->bouncePoint.y);
    SetVisible(MouseAboveCannon() && shown == 1);
}

BounceAimClass* BounceAimClass::Clone() const
{
    return new (__FILE__, __LINE__) BounceAimClass(*this);
}

void BounceAimClass::OnStart()
{
    bouncePoint = Math::Vector2D(0.0f, 0.0f);
    Stop();
    dotFrameFlag = 1;
    dotShown = 1;
}

void BounceAimClass::ScriptUpdate(f32)
{
    ComputeBouncePoint();
    Input::Keyboard* keyboard = Input::GetKeyboard();
    if (keyboard && keyboard->IsTriggered(Input::EngineKey::LetterA))
        dotShown = dotShown ? 0 : 1;
    if (keyboard && keyboard->IsTriggered(Input::EngineKey::LetterA + 1))
    {
        SetCurrentFrame(dotFrameFlag ? 1 : 0, false);
        dotFrameFlag = dotFrameFlag ? 0 : 1;
    }
    SetVisible(MouseAboveCannon() && dotShown == 1);
}

void BounceAimClass::ComputeBouncePoint()
{
    CannonClass* cannon = Cannon();
    MyGame* game = GetGame();
    if (!cannon || !game)
        return;
    const f32 w = static_cast<f32>(game->halfWidth);
    const f32 wallX = game->mouseX >= 0.0f ? w - WallInset : WallInset - w;
    // An aim along the wall meets it nowhere: the point stays where it was.
    IntersectWall(cannon->restPosition, cannon->aimDirection, wallX, static_cast<f32>(game->halfHeight), bouncePoint);
    SetPosition(wallX, bouncePoint.y);
}
