#pragma once
// The wave-cleared banner: shown for 700 updates; when it goes the wave reader reads again.
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

class WaveClearClass : public Vellumar::Sprite
{
    GAME_CLASS(WaveClearClass, Vellumar::Sprite)

public:
    static constexpr i32 Life = 700;

    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    i32 age = 0;
};
