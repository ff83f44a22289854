#pragma once
// The menu levels' cursor "cursor0": a sprite that follows the mouse in place of the GUI's own
// cursor; buttons find the mouse over them by touching its collision shapes.
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

class CursorClass0 : public Vellumar::Sprite
{
    GAME_CLASS(CursorClass0, Vellumar::Sprite)

public:
    // Also shows the cursor where the mouse is, so that its first update has no path to sweep
    // from its placed position over the buttons.
    void OnStart() override;
    void OnEnd() override {}
    // The mouse's client position, y counted upwards, about the centre of the level's first
    // viewport.
    void ScriptUpdate(f32 dt) override;

private:
    // False when the level has no viewport to measure the mouse in.
    bool MousePoint(Math::Vector2D& point) const;
};
