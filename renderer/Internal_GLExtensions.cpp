#include "renderer/Internal_GLExtensions.h"

#include "platform/PAL_GLContext.h"
#include "renderer/Renderer_Extensions.h"

namespace Renderer
{
namespace
{
GLEntryPoints entryPoints;

template <class Function>
void Fetch(Function& target, const char* name)
{
    target = reinterpret_cast<Function>(PAL::GetGLProcAddress(name));
}
}  // namespace

void LoadExtensionEntryPoints()
{
    Fetch(entryPoints.activeTexture, "glActiveTextureARB");
    Fetch(entryPoints.clientActiveTexture, "glClientActiveTextureARB");
    Fetch(entryPoints.secondaryColorPointer, "glSecondaryColorPointer");
    Fetch(entryPoints.fogCoordPointer, "glFogCoordPointer");
    Fetch(entryPoints.secondaryColorPointerEXT, "glSecondaryColorPointerEXT");
    Fetch(entryPoints.bindBuffer, "glBindBufferARB");
    Fetch(entryPoints.bufferData, "glBufferDataARB");
    Fetch(entryPoints.bufferSubData, "glBufferSubDataARB");
    Fetch(entryPoints.deleteBuffers, "glDeleteBuffersARB");
    Fetch(entryPoints.genBuffers, "glGenBuffersARB");
    Fetch(entryPoints.mapBuffer, "glMapBufferARB");
    Fetch(entryPoints.unmapBuffer, "glUnmapBufferARB");
}

const GLEntryPoints& GetGLEntryPoints()
{
    return entryPoints;
}

// Only the extensions that accept an interval of 0 count: with GLX_SGI_swap_control alone, turning
// vertical synchronisation off would fail, and a failed swap-interval call ends the process.
bool HasSwapControlExtension(const Core::Vector<Core::String>& windowSystemNames)
{
    return HasExtensionName(windowSystemNames, "GLX_EXT_swap_control") ||
           HasExtensionName(windowSystemNames, "GLX_MESA_swap_control");
}

bool HasMultisampleExtension(const Core::Vector<Core::String>& windowSystemNames)
{
    return HasExtensionName(windowSystemNames, "GLX_ARB_multisample");
}

bool HasPixelFormatExtension(const Core::Vector<Core::String>& windowSystemNames)
{
    return HasExtensionName(windowSystemNames, "GLX_SGIX_fbconfig");
}
}  // namespace Renderer
