#pragma once
// The player's gun: points at the mouse, fires on a click once cooled down, kicks back from the
// shot and keeps a four-deep queue of ammunition elements, the next three shown beside it.
#include "math/Math_Vector2D.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

#include <array>

class CannonClass : public Vellumar::Sprite
{
    GAME_CLASS(CannonClass, Vellumar::Sprite)

public:
    static constexpr u8 RecoilUpdates = 10;
    static constexpr u8 CooldownUpdates = 50;
    static constexpr u8 NotFired = 255;

    void OnStart() override;
    void OnEnd() override {}
    void ScriptUpdate(f32 dt) override;

    void Aim();
    void Fire();
    void UpdateTimers();
    u8 ChooseAmmoElement();
    void CreateLoadDisplay();
    void AdvanceLoadDisplay();

    Math::Vector2D aimDirection;
    f32 aimAngle = 0.0f;
    Math::Vector2D restPosition;
    u8 recoiling = 0;
    u8 coolingDown = 0;
    std::array<u8, 4> ammoQueue{};
    std::array<u8, 4> slotElements{};
    u8 cooldownCounter = 0;
    u8 recoilCounter = 0;

private:
    // One load-display sprite showing that element at that place.
    void AddLoadSprite(u8 element, f32 x);
};
