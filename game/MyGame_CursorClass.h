#pragma once
// The play level's cursor: the arrow "cursor" and the crosshair pieces "cursor_01" to "cursor_16",
// each a sprite that follows the mouse. The crosshair shows while the player can aim (the play
// runs and the mouse is above the cannon), the arrow otherwise; the crosshair spins red while the
// cannon cools down and rests white with one green piece when it is ready. Other objects find the
// mouse over them by touching these sprites' collision shapes.
#include "core/Core_Types.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_ClassShape.h"

class CursorClass : public Vellumar::Sprite
{
    GAME_CLASS(CursorClass, Vellumar::Sprite)

public:
    void OnStart() override;
    void OnEnd() override {}
    void ScriptUpdate(f32 dt) override;
    // Tint and spin by the piece's number, from the cool-down flag read at the previous update.
    void UpdateCrosshair();

    // The cannon's cool-down flag as read at this object's previous update.
    u8 cannonReloading = 0;

private:
    // 1 to 16 for "cursor_01" to "cursor_16"; 0 for the arrow.
    i32 PieceNumber() const;
};
