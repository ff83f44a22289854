#include "game/MyGame_BigBossClasses.h"

GAME_REGISTER_CLASS(BigBossArmsClass)

namespace
{
constexpr f32 Reach = 50.0f;
constexpr f32 OutStep = 0.1f;
constexpr f32 BackStep = 0.5f;
}  // namespace

void BigBossArmsClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[BigBossArmsKind].archetypeId))
        return;
    StartKind(EnemyKinds[BigBossArmsKind]);
    ready = false;
    swingCounter = 0;
    extending = false;
    if (BigBossBodyClass* body = Body())
        SetPositionX(body->GetPositionX());
}

void BigBossArmsClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    Swing();
    CheckDeath();
    swingCounter += 1;
}

// After a rest the arm reaches slowly out to its side and swings quickly back; the left arm swings
// left, the right one right.
void BigBossArmsClass::Swing()
{
    if (BigBossBodyClass* body = Body())
        SetPositionY(body->GetPositionY());
    if (swingCounter == RestTime)
        extending = true;
    f32 side = 0.0f;
    if (GetName() == "bb_left_clone")
        side = -1.0f;
    else if (GetName() == "bb_right_clone")
        side = 1.0f;
    else
        return;
    const f32 out = side * GetPositionX();
    if (extending)
    {
        SetPositionX(side * (out + OutStep));
        if (side * GetPositionX() > Reach)
        {
            ready = true;
            extending = false;
        }
    }
    else if (swingCounter > RestTime)
    {
        SetPositionX(side * (out - BackStep));
        if (side * GetPositionX() <= 0.0f)
        {
            SetPositionX(0.0f);
            swingCounter = 0;
        }
    }
}
