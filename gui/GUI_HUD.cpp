#include "gui/GUI_HUD.h"

#include "core/Input_Mouse.h"
#include "engine/Engine_RenderQueue.h"

namespace GUI
{
namespace
{
HUD* instance = nullptr;
}

HUD::HUD()
{
    instance = this;
}

HUD::~HUD()
{
    if (instance == this)
    {
        instance = nullptr;
    }
}

HUD* HUD::GetInstance()
{
    return instance;
}

void HUD::Update(f32)
{
    Input::Mouse* mouse = Input::GetMouse();
    if (!mouse)
    {
        return;
    }
    const bool inside = mouse->IsInWindow();
    if (!inside && !systemCursorShown)
    {
        systemCursorShown = 1;
        mouse->ShowCursor(1);
    }
    else if (inside && systemCursorShown)
    {
        systemCursorShown = 0;
        mouse->ShowCursor(0);
    }
}

void HUD::Draw()
{
    if (Engine::RenderQueue* queue = Engine::RenderQueue::GetInstance())
    {
        queue->DrawHudScreenObjects();
    }
}

void HUD::Clear()
{
    if (Input::Mouse* mouse = Input::GetMouse())
    {
        mouse->ShowCursor(0);
    }
    systemCursorShown = 0;
    loading = 0;
}
}  // namespace GUI
