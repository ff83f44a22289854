#include "game/MyGame_Lookup.h"
#include "game/MyGame_ShieldClass.h"

GAME_REGISTER_CLASS(ShieldBitClass)

namespace
{
constexpr f32 FallSpeed = 5.0f;
}  // namespace

void ShieldBitClass::OnStart()
{
    if (!GetVisible())
    {
        // Both placed bits are one kind and register under one id.
        if (GetName() == "shield_left_bit" || GetName() == "shield_right_bit")
            RegisterOrLive(&MyGame::shieldBitArchetypeId);
        return;
    }
    maxHitPoints = 4;
    MainEnemyClass::OnStart();
    bitFlashTimer = 0.0f;
    kindId = ArchetypeId(&MyGame::shieldBitArchetypeId);
    reward = 5;
    bitFlashing = false;
}

void ShieldBitClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    UpdateDeath();
    UpdateFlash();
    if (ShieldClass* body = FindObjectById<ShieldClass>(bodyId))
    {
        FollowBody(*body);
        UpdateFreeze();
        return;
    }
    speedY = FallSpeed;
    Move();
}

void ShieldBitClass::UpdateDeath()
{
    if (hitPoints < 1)
    {
        if (ShieldClass* body = FindObjectById<ShieldClass>(bodyId))
            body->bitsAlive -= 1;
        killed = true;
        Destroy();
        // A dying bit keeps the picture it shows: there is no animation below one hit point.
        return;
    }
    SetCurrentAnimation(hitPoints - 1, false);
    Stop();
}

void ShieldBitClass::UpdateFlash()
{
    if (bitFlashing)
        StepFlash(*this, bitFlashTimer, bitFlashing);
}

void ShieldBitClass::FollowBody(const ShieldClass& body)
{
    if (GetName() == "shield_left_bit_clone")
        SetPosition(body.GetPositionX() - OffsetX, body.GetPositionY() + OffsetY);
    else if (GetName() == "shield_right_bit_clone")
        SetPosition(body.GetPositionX() + OffsetX, body.GetPositionY() + OffsetY);
}
