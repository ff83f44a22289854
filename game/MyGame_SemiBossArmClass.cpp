#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_SemiBossClass.h"

GAME_REGISTER_CLASS(SemiBossArmClass)

namespace
{
constexpr f32 TouchDownY = -184.0f;
}  // namespace

void SemiBossArmClass::OnStart()
{
    if (!RegisterOrLive(&MyGame::semiBossArmArchetypeId))
        return;
    kindId = ArchetypeId(&MyGame::semiBossArmArchetypeId);
    hitPoints = 6;
    reward = 5;
    attacking = 0;
    if (auto* body = FindObjectById<SemiBossClass>(bodyId))
    {
        if (GetName() == "semiboss_leftarm_clone")
            body->leftArmId = GetID();
        else if (GetName() == "semiboss_rightarm_clone")
            body->rightArmId = GetID();
    }
}

void SemiBossArmClass::OnEnd()
{
    MainEnemyClass::OnEnd();
}

void SemiBossArmClass::ScriptUpdate(f32)
{
    auto* body = GetVisible() ? FindObjectById<SemiBossClass>(bodyId) : nullptr;
    if (!body)
        return;
    Follow(*body);
    UpdateDeath(*body);
    CheckCityReached(*body);
}

void SemiBossArmClass::Follow(const SemiBossClass& body)
{
    const f32 y = body.GetPositionY() - 130.0f;
    if (GetName() == "semiboss_leftarm_clone")
        SetPosition(body.GetPositionX() - 110.0f, y);
    else if (GetName() == "semiboss_rightarm_clone")
        SetPosition(body.GetPositionX() + 110.0f, y);
}

void SemiBossArmClass::UpdateDeath(SemiBossClass& body)
{
    if (hitPoints < 1 && !killed)
    {
        body.LoseArm();
        killed = true;
        Destroy();
    }
    ShowHitPointsFrame();
}

// An arm that has just died is already lost to its body.
void SemiBossArmClass::CheckCityReached(SemiBossClass& body)
{
    if (killed || IsDestroyed() || body.attacking || GetPositionY() > TouchDownY)
        return;
    if (BaseCityClass* city = City())
        city->hitPoints -= 1;
    Destroy();
    body.LoseArm();
}
