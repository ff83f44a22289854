#include "game/MyGame_CursorClass0.h"

#include "platform/Input_Mouse.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "gui/GUI_HUD.h"

GAME_REGISTER_CLASS(CursorClass0)

void CursorClass0::OnStart()
{
    if (GUI::HUD* hud = GUI::HUD::GetInstance())
        hud->ShowCursor(false);
    Math::Vector2D point;
    if (MousePoint(point))
    {
        SetPosition(point);
        SetOldPosition(point);
    }
}

void CursorClass0::ScriptUpdate(f32)
{
    Math::Vector2D point;
    if (MousePoint(point))
        SetPosition(point);
}

bool CursorClass0::MousePoint(Math::Vector2D& point) const
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    Vellumar::Level* level = game->GetCurrentLevel();
    Vellumar::Viewport* viewport = level ? level->GetViewport(0u) : nullptr;
    if (!viewport)
        return false;
    i32 x = 0;
    i32 y = 0;
    game->GetMouse()->GetPosition(x, y);
    point = Math::Vector2D(static_cast<f32>(x) - static_cast<f32>(viewport->GetWidth()) * 0.5f,
                           static_cast<f32>(y) - static_cast<f32>(viewport->GetHeight()) * 0.5f);
    return true;
}
