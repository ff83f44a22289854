#include "game/MyGame_CursorClass0.h"

#include "core/Input_Mouse.h"
#include "framework/Vellumar_Game.h"
#include "framework/Vellumar_Level.h"
#include "framework/Vellumar_Viewport.h"
#include "gui/GUI_HUD.h"

GAME_REGISTER_CLASS(CursorClass0)

void CursorClass0::OnStart()
{
    if (GUI::HUD* hud = GUI::HUD::GetInstance())
        hud->ShowCursor(false);
}

void CursorClass0::ScriptUpdate(f32)
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    Vellumar::Level* level = game->GetCurrentLevel();
    Vellumar::Viewport* viewport = level ? level->GetViewport(0u) : nullptr;
    if (!viewport)
        return;
    i32 x = 0;
    i32 y = 0;
    game->GetMouse()->GetPosition(x, y);
    SetPosition(static_cast<f32>(x) - static_cast<f32>(viewport->GetWidth()) * 0.5f,
                static_cast<f32>(y) - static_cast<f32>(viewport->GetHeight()) * 0.5f);
}
