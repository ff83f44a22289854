#include "game/MyGame_CursorClass.h"

#include "game/MyGame_CannonClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"
#include "gui/GUI_HUD.h"

#include <cstdlib>

GAME_REGISTER_CLASS(CursorClass)

namespace
{
constexpr f32 PieceScale = 0.4f;
constexpr f32 OddSpin = 20.0f;
constexpr f32 EvenSpin = -15.0f;
constexpr f32 RestingSpin = 1.0f;
constexpr i32 ReadyPiece = 5;
}  // namespace

i32 CursorClass::PieceNumber() const
{
    const Core::String& name = GetName();
    return name.size() > 7 && name.starts_with("cursor_") ? std::atoi(name.c_str() + 7) : 0;
}

void CursorClass::OnStart()
{
    if (!GetVisible())
        return;
    if (GUI::HUD* hud = GUI::HUD::GetInstance())
        hud->ShowCursor(false);
    if (GetName() != "cursor")
        SetScale(PieceScale, PieceScale);
    cannonReloading = 0;
    // Shown where the mouse is, so that its first update has no path to sweep from off screen over
    // the sites and buttons.
    if (MyGame* game = GetGame())
    {
        SetPosition(game->mouseX, game->mouseY);
        SetOldPosition(game->mouseX, game->mouseY);
    }
}

void CursorClass::ScriptUpdate(f32)
{
    MyGame* game = GetGame();
    if (!GetVisible() || !game)
        return;
    SetPosition(game->mouseX, game->mouseY);
    UpdateCrosshair();
    const CannonClass* cannon = FindObjectByName<CannonClass>("cannon");
    if (!cannon)
        return;
    cannonReloading = cannon->coolingDown == 1 ? 1 : 0;
    const bool aiming = game->running && cannon->GetPositionY() <= game->mouseY;
    const bool arrow = PieceNumber() == 0;
    SetOpacity(aiming != arrow ? 1.0f : 0.0f);
}

void CursorClass::UpdateCrosshair()
{
    const i32 piece = PieceNumber();
    if (cannonReloading)
    {
        SetModulationColor(Math::Color(1.0f, 0.0f, 0.0f, 1.0f));
        if (piece > 0)
            SetRotationAngle(GetRotationAngle() + (piece % 2 == 1 ? OddSpin : EvenSpin));
        return;
    }
    SetModulationColor(piece == ReadyPiece ? Math::Color(0.0f, 0.7f, 0.0f, 1.0f) : Math::Color(1.0f, 1.0f, 1.0f, 1.0f));
    if (piece == 1)
        SetRotationAngle(GetRotationAngle() + RestingSpin);
    else if (piece == 2)
        SetRotationAngle(GetRotationAngle() - RestingSpin);
    else if (piece != ReadyPiece)
        SetRotationAngle(0.0f);
}
