#pragma once
// The OpenGL context of the game window, made through the platform layer's GL seam, with what the
// window system granted for it.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "platform/PAL_GLContext.h"

#include <optional>

namespace Renderer
{
// The extension lists of a rendering context: a first list, which nothing fills, and the window
// system's extension names (GLX, where the renderer's first platform had WGL).
class OpenGLExtensions
{
public:
    // Appends the window-system extension names of the current context, each cut to 255 bytes;
    // none when no GLX context is current.
    void Fill();
    // Empties both lists.
    void Clear();

    const Core::Vector<Core::String>& GetExtensions() const { return extensions; }
    const Core::Vector<Core::String>& GetWindowSystemExtensions() const { return windowSystemExtensions; }

private:
    Core::Vector<Core::String> extensions;
    Core::Vector<Core::String> windowSystemExtensions;
};

class RenderingContext : public Core::Object
{
public:
    // Makes the context for the window (current there). A context the system refuses ends the
    // process through the error reporter.
    explicit RenderingContext(PAL::Window& window);
    ~RenderingContext() override;

    // Binds the context to the window (or to its own when null); on success reloads the
    // extension entry points, empties both extension lists and fills them again.
    bool MakeCurrent(PAL::Window* window);

    PAL::Window* GetWindow() const { return window; }
    i32 GetPixelFormat() const { return pixelFormat; }
    // What the system granted, read when the context was first made current.
    const PAL::SurfaceFormat& GetGrantedFormat() const { return granted; }
    const OpenGLExtensions& GetExtensions() const { return extensions; }

private:
    std::optional<PAL::GLContext> context;
    PAL::Window* window;
    i32 pixelFormat;
    PAL::SurfaceFormat granted;
    OpenGLExtensions extensions;
};
}  // namespace Renderer
