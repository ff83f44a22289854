#include "renderer/Renderer_RenderingContext.h"

#include "platform/PAL_ErrorReporter.h"
#include "renderer/Internal_GLExtensions.h"
#include "renderer/Renderer_Extensions.h"

#include <GL/glx.h>

namespace Renderer
{
void OpenGLExtensions::Fill()
{
    Display* display = glXGetCurrentDisplay();
    if (!display || !glXGetCurrentContext())
    {
        return;
    }
    Core::Vector<Core::String> names;
    SplitExtensionNames(glXQueryExtensionsString(display, DefaultScreen(display)), names, MaximumExtensionNameLength);
    windowSystemExtensions.insert(windowSystemExtensions.end(), names.begin(), names.end());
}

void OpenGLExtensions::Clear()
{
    extensions.clear();
    windowSystemExtensions.clear();
}

RenderingContext::RenderingContext(PAL::Window& target) : window(&target), pixelFormat(target.GetPixelFormat())
{
    // Without its window there is nothing to draw to: the report says why the window is missing,
    // naming the display that could not be opened.
    if (!target.IsCreated())
    {
        PAL::SetErrorContext("SDL_CreateWindow", "Renderer::RenderingContext::RenderingContext", __LINE__,
                             "Renderer_RenderingContext");
        PAL::ReportFatalError(1, target.GetCreationFailure()[0] != '\0' ? target.GetCreationFailure()
                                                                         : "the window was never created");
    }
    PAL::SetErrorContext("SDL_GL_CreateContext", "Renderer::RenderingContext::RenderingContext", __LINE__,
                         "Renderer_RenderingContext");
    context.emplace(target);
    PAL::CheckWin32Error(context->IsValid() ? 0 : 1);
    if (!context->IsValid())
    {
        PAL::ReportFatalError(1, PAL::GetLastGLError());
    }
    PAL::QueryGrantedFormat(granted);
}

RenderingContext::~RenderingContext()
{
    context.reset();
}

bool RenderingContext::MakeCurrent(PAL::Window* target)
{
    if (target && target != window)
    {
        PAL::SetErrorContext("SDL_GL_MakeCurrent", "Renderer::RenderingContext::MakeCurrent", __LINE__,
                             "Renderer_RenderingContext");
        PAL::CheckWin32Error(PAL::GLContext::ReleaseCurrent() ? 0 : 1);
        window = target;
    }
    PAL::SetErrorContext("SDL_GL_MakeCurrent", "Renderer::RenderingContext::MakeCurrent", __LINE__,
                         "Renderer_RenderingContext");
    const bool bound = context->MakeCurrent(*window);
    PAL::CheckWin32Error(bound ? 0 : 1);
    if (!bound)
    {
        return false;
    }
    LoadExtensionEntryPoints();
    extensions.Clear();
    extensions.Fill();
    return true;
}
}  // namespace Renderer
