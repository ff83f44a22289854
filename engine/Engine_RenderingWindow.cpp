#include "engine/Engine_RenderingWindow.h"

namespace Engine
{
RenderingWindow::RenderingWindow(i32 clientWidth, i32 clientHeight, const PAL::SurfaceFormat& format)
    : PAL::Window(clientWidth, clientHeight, format)
{
}

// The held objects go before the platform window is destroyed.
RenderingWindow::~RenderingWindow()
{
    held.clear();
}

void RenderingWindow::Hold(Core::Object* object)
{
    if (object)
    {
        held.emplace_back(object);
    }
}
}  // namespace Engine
