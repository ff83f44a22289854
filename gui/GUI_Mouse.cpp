#include "gui/GUI_Mouse.h"

#include "platform/Input_Mouse.h"

namespace GUI
{
Math::Point2D GetMousePosition()
{
    Input::Mouse* mouse = Input::GetMouse();
    if (!mouse)
        return Math::Point2D();
    i32 x = 0;
    i32 y = 0;
    mouse->GetPosition(x, y);
    return Math::Point2D(static_cast<f32>(x), static_cast<f32>(y));
}
} // namespace GUI
