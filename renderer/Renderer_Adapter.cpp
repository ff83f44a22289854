#include "renderer/Renderer_Adapter.h"

#include "platform/PAL_GLContext.h"
#include "platform/PAL_Window.h"
#include "renderer/Internal_GLExtensions.h"
#include "renderer/Renderer_RenderingContext.h"

#include <GL/glx.h>

#include <algorithm>
#include <optional>

namespace Renderer
{
namespace
{
Adapter* globalAdapter = nullptr;

// A hidden 100 x 100 window with a context current on it, for as long as the adapter asks the
// driver. Without a display it has neither.
class DummyRenderContext
{
public:
    explicit DummyRenderContext(u32 colorBits) : window(100, 100, FormatFor(colorBits))
    {
        if (window.IsCreated())
        {
            context.emplace(window);
            LoadExtensionEntryPoints();
        }
    }

    bool IsCurrent() const { return context && context->IsValid(); }

private:
    static PAL::SurfaceFormat FormatFor(u32 colorBits)
    {
        PAL::SurfaceFormat format;
        format.colorBits = static_cast<i32>(colorBits);
        format.depthBits = 24;
        format.stencilBits = 8;
        return format;
    }

    PAL::Window window;
    std::optional<PAL::GLContext> context;
};

int Attribute(Display* display, GLXFBConfig config, int attribute)
{
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}
}  // namespace

Core::RefPtr<Adapter> Adapter::CreateInstance()
{
    Core::RefPtr<Adapter> adapter(new (__FILE__, __LINE__) Adapter());
    globalAdapter = adapter.Get();
    return adapter;
}

Core::RefPtr<Adapter> Adapter::GetInstance()
{
    return globalAdapter ? Core::RefPtr<Adapter>(globalAdapter) : CreateInstance();
}

Adapter::Adapter()
{
    DisplayModes::GetCurrentDisplayMode(desktopMode);
    const DummyRenderContext dummy(desktopMode.colorBits);
    if (!dummy.IsCurrent())
    {
        return;
    }
    OpenGLExtensions found;
    found.Fill();
    extensions = found.GetWindowSystemExtensions();
    swapControl = HasSwapControlExtension(extensions) ? 1 : 0;
    multisample = HasMultisampleExtension(extensions) ? 1 : 0;
    FillPixelFormats();
}

Adapter::~Adapter()
{
    if (globalAdapter == this)
    {
        globalAdapter = nullptr;
    }
}

bool Adapter::HasPixelFormatExtension() const
{
    return Renderer::HasPixelFormatExtension(extensions);
}

// The window system's frame-buffer configurations stand for the driver's pixel formats: accepted
// are RGBA, double-buffered, window-capable ones without a slow (unaccelerated) caveat.
void Adapter::FillPixelFormats()
{
    Display* display = glXGetCurrentDisplay();
    if (!display)
    {
        return;
    }
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(display, DefaultScreen(display), &count);
    if (!configs)
    {
        return;
    }
    for (int i = 0; i < count; ++i)
    {
        const GLXFBConfig config = configs[i];
        const bool rgba = (Attribute(display, config, GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
        const bool accelerated = Attribute(display, config, GLX_CONFIG_CAVEAT) != GLX_SLOW_CONFIG;
        const bool window = (Attribute(display, config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) != 0;
        if (!rgba || !accelerated || !window || !Attribute(display, config, GLX_DOUBLEBUFFER))
        {
            continue;
        }
        PixelFormatRequest format;
        format.index = static_cast<u32>(i + 1);
        format.redBits = static_cast<u32>(Attribute(display, config, GLX_RED_SIZE));
        format.greenBits = static_cast<u32>(Attribute(display, config, GLX_GREEN_SIZE));
        format.blueBits = static_cast<u32>(Attribute(display, config, GLX_BLUE_SIZE));
        format.alphaBits = static_cast<u32>(Attribute(display, config, GLX_ALPHA_SIZE));
        format.colorBits = format.redBits + format.greenBits + format.blueBits;
        format.depthBits = static_cast<u32>(Attribute(display, config, GLX_DEPTH_SIZE));
        format.stencilBits = static_cast<u32>(Attribute(display, config, GLX_STENCIL_SIZE));
        format.swapMethod = SwapMethod::Exchange;
        if (multisample)
        {
            const u32 samples = static_cast<u32>(Attribute(display, config, GLX_SAMPLES));
            format.samples = samples;
            format.sampleBuffers = Attribute(display, config, GLX_SAMPLE_BUFFERS) ? 1 : 0;
            if (std::find(sampleCounts.begin(), sampleCounts.end(), samples) == sampleCounts.end())
            {
                sampleCounts.push_back(samples);
            }
        }
        pixelFormats.push_back(format);
    }
    XFree(configs);
    std::sort(sampleCounts.begin(), sampleCounts.end());
}

u32 Adapter::ChoosePixelFormat(const PixelFormatRequest& request) const
{
    for (const PixelFormatRequest& format : pixelFormats)
    {
        const bool multisampled = format.sampleBuffers != 0;
        if (format.colorBits >= request.colorBits && format.redBits >= request.redBits &&
            format.greenBits >= request.greenBits && format.blueBits >= request.blueBits &&
            format.alphaBits >= request.alphaBits && format.depthBits >= request.depthBits &&
            format.stencilBits >= request.stencilBits && multisampled == (request.sampleBuffers != 0) &&
            format.samples >= request.samples)
        {
            return format.index;
        }
    }
    return 0;
}

bool Adapter::TestMode() const
{
    return PAL::TestDisplayMode(displayModes.FindClosestMode(requestedMode));
}

bool Adapter::SetMode(const DisplayMode& mode, PAL::Window& window)
{
    const DisplayMode closest = displayModes.FindClosestMode(mode);
    return PAL::TestDisplayMode(closest) && PAL::EnterFullScreen(window, closest);
}

void Adapter::ToggleMode(bool fullScreen, PAL::Window& window)
{
    if (fullScreen && !fullScreenActive)
    {
        if (SetMode(requestedMode, window))
        {
            fullScreenActive = 1;
        }
    }
    else if (!fullScreen && fullScreenActive)
    {
        if (PAL::LeaveFullScreen(window))
        {
            fullScreenActive = 0;
        }
    }
}

u32 AdapterHolder::holders = 0;

AdapterHolder::AdapterHolder() : adapter(Adapter::GetInstance())
{
    ++holders;
}

AdapterHolder::~AdapterHolder()
{
    --holders;
}
}  // namespace Renderer
