#pragma once
// The menu levels' cursor "cursor0": a sprite that follows the mouse in place of the GUI's own
// cursor; buttons find the mouse over them by touching its collision shapes.
#include "framework/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

class CursorClass0 : public Vellumar::Sprite
{
    GAME_CLASS(CursorClass0, Vellumar::Sprite)

public:
    void OnStart() override;
    // The mouse's client position, y counted upwards, about the centre of the level's first
    // viewport.
    void ScriptUpdate(f32 dt) override;
};
