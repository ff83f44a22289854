#include "game/MyGame_ShieldClass.h"

#include "game/MyGame_BossParts.h"

GAME_REGISTER_CLASS(ShieldClass)

namespace
{
// While a bit lives, the body's hit points stay at its start value.
constexpr i32 PinnedHitPoints = EnemyKinds[ShieldKind].hitPoints;
constexpr f32 FlashEnd = 1.0f;
constexpr f32 FlashStep = 0.1f;
}  // namespace

void StepFlash(Vellumar::Sprite& part, f32& timer, bool& flashing)
{
    if (timer < FlashEnd)
    {
        timer += FlashStep;
        part.SetCurrentFrame(1, false);
        return;
    }
    timer = 0.0f;
    flashing = false;
    part.SetCurrentFrame(0, false);
}

void ShieldClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[ShieldKind].archetypeId))
        return;
    flashTimer = 0.0f;
    flashing = false;
    StartKind(EnemyKinds[ShieldKind]);
    bitsAlive = 2;
    attacking = 0;
    chainImmune = 1;
    SpawnBit("shield_left_bit", "shield_left_bit_clone", -1.0f);
    SpawnBit("shield_right_bit", "shield_right_bit_clone", 1.0f);
}

void ShieldClass::SpawnBit(const char* archetype, const char* cloneName, f32 side)
{
    const Math::Vector2D beside(GetPositionX() + side * ShieldBitClass::OffsetX,
                                GetPositionY() + ShieldBitClass::OffsetY);
    if (auto* bit = AddBossPart<ShieldBitClass>(archetype, cloneName, 1.5f, beside))
        bit->bodyId = GetID();
}

void ShieldClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    if (hitPoints != PinnedHitPoints && bitsAlive > 0)
        hitPoints = PinnedHitPoints;
    if (hitPoints < 1 && bitsAlive == 0)
    {
        killed = true;
        Destroy();
    }
    Move();
    UpdateFreeze();
    UpdateFrame();
}

void ShieldClass::UpdateFrame()
{
    if (flashing && bitsAlive > 0)
        StepFlash(*this, flashTimer, flashing);
    // Frames 2 and 3 show the unshielded body at 1 and 2 hit points; an overkill shows none.
    if (bitsAlive == 0 && hitPoints + 1 >= 0)
        SetCurrentFrame(hitPoints + 1, false);
}
