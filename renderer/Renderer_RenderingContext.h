#pragma once
// The OpenGL context of the game window, made through the platform layer's GL seam, with what the
// window system granted for it.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/PAL_GLContext.h"

#include <optional>

namespace Renderer
{
class RenderingContext : public Core::Object
{
public:
    // Makes the context for the window (current there). A context the system refuses ends the
    // process through the error reporter.
    explicit RenderingContext(PAL::Window& window);
    ~RenderingContext() override;

    // Binds the context to the window (or to its own when null); on success reloads the
    // extension entry points and the window-system list.
    bool MakeCurrent(PAL::Window* window);

    PAL::Window* GetWindow() const { return window; }
    i32 GetPixelFormat() const { return pixelFormat; }
    // What the system granted, read when the context was first made current.
    const PAL::SurfaceFormat& GetGrantedFormat() const { return granted; }
    const Core::Vector<Core::String>& GetWindowSystemExtensions() const { return windowSystemExtensions; }

private:
    std::optional<PAL::GLContext> context;
    PAL::Window* window;
    i32 pixelFormat;
    PAL::SurfaceFormat granted;
    Core::Vector<Core::String> windowSystemExtensions;
};
}  // namespace Renderer
