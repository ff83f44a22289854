#pragma once
// A dropped crystal: flies to the resource display and adds one crystal when it arrives.
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

class CrystalClass : public Vellumar::Sprite
{
    GAME_CLASS(CrystalClass, Vellumar::Sprite)

public:
    void OnStart() override {}
    void OnEnd() override {}
    void ScriptUpdate(f32 dt) override;
};
