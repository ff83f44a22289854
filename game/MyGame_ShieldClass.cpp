#include "game/MyGame_ShieldClass.h"

#include "framework/Vellumar_Layer.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_Lookup.h"

GAME_REGISTER_CLASS(ShieldClass)

namespace
{
constexpr i32 PinnedHitPoints = 2;
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
    if (!RegisterOrLive(&MyGame::shieldArchetypeId))
        return;
    flashTimer = 0.0f;
    flashing = false;
    StartKind(&MyGame::shieldArchetypeId, PinnedHitPoints, 5);
    speedY = 0.3f;
    bitsAlive = 2;
    attacking = 0;
    chainImmune = 1;
    SpawnBit("shield_left_bit", "shield_left_bit_clone");
    SpawnBit("shield_right_bit", "shield_right_bit_clone");
}

void ShieldClass::SpawnBit(const char* archetype, const char* cloneName)
{
    BaseLevelClass* level = GetPlayLevel();
    Vellumar::Layer* layer = level ? level->GetLayer(1) : nullptr;
    auto* source = FindObjectByName<ShieldBitClass>(archetype);
    if (!layer || !source)
        return;
    auto* bit = static_cast<ShieldBitClass*>(source->Clone());
    bit->bodyId = GetID();
    bit->SetZOrder(1.5f);
    bit->SetName(cloneName);
    bit->SetVisible(true);
    layer->AddGameObject(bit, false, nullptr);
    level->enemyList.push_back(bit->GetID());
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
