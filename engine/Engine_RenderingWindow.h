#pragma once
// The window the rendering application owns: the platform window plus a list of counted objects
// that live exactly as long as the window.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "platform/PAL_Window.h"

namespace Engine
{
class RenderingWindow : public PAL::Window
{
public:
    RenderingWindow(i32 clientWidth, i32 clientHeight, const PAL::SurfaceFormat& format = PAL::SurfaceFormat());
    ~RenderingWindow() override;

    // Keeps a reference to the object until the window is destroyed.
    void Hold(Core::Object* object);
    u32 GetHeldCount() const { return static_cast<u32>(held.size()); }

private:
    Core::Vector<Core::RefPtr<Core::Object>> held;
};
}  // namespace Engine
