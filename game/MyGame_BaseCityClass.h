#pragma once
// The defended city: each enemy that touches it costs one hit point and vanishes; its picture
// shows the damage, and at no hit points the lose screen follows.
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

class BaseCityClass : public Vellumar::Sprite
{
    GAME_CLASS(BaseCityClass, Vellumar::Sprite)

public:
    static constexpr i32 StartHitPoints = 20;

    void OnStart() override;
    void OnEnd() override {}
    void ScriptUpdate(f32 dt) override;

    void UpdateState();
    // A mutual touch by another object: costs a hit point and removes the object, unless it is a
    // projectile or part of the semi-boss.
    void TouchedBy(Vellumar::GameObject& other);

    i32 hitPoints = 0;
    i32 damageFrame = 0;
};
