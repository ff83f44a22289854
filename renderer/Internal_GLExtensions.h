#pragma once
// The extension entry points the renderer calls, fetched from the current GL library, and what
// the window system's extension list (GLX here, where the renderer's first platform had WGL) gives.
#include "core/Core_Memory.h"
#include "core/Core_String.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Renderer
{
// One process-wide table; an entry the library lacks stays null. Availability is decided by the
// extension lists, since a GL library may hand out entry points for names it does not support.
struct GLEntryPoints
{
    PFNGLACTIVETEXTUREARBPROC activeTexture = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC clientActiveTexture = nullptr;
    PFNGLSECONDARYCOLORPOINTERPROC secondaryColorPointer = nullptr;
    PFNGLFOGCOORDPOINTERPROC fogCoordPointer = nullptr;
    PFNGLSECONDARYCOLORPOINTEREXTPROC secondaryColorPointerEXT = nullptr;
    PFNGLBINDBUFFERARBPROC bindBuffer = nullptr;
    PFNGLBUFFERDATAARBPROC bufferData = nullptr;
    PFNGLBUFFERSUBDATAARBPROC bufferSubData = nullptr;
    PFNGLDELETEBUFFERSARBPROC deleteBuffers = nullptr;
    PFNGLGENBUFFERSARBPROC genBuffers = nullptr;
    PFNGLMAPBUFFERARBPROC mapBuffer = nullptr;
    PFNGLUNMAPBUFFERARBPROC unmapBuffer = nullptr;
};

// Fills the table from the current context's library.
void LoadExtensionEntryPoints();
const GLEntryPoints& GetGLEntryPoints();

// The window-system extensions the renderer asks about, by what they provide.
bool HasSwapControlExtension(const Core::Vector<Core::String>& windowSystemNames);
bool HasMultisampleExtension(const Core::Vector<Core::String>& windowSystemNames);
bool HasPixelFormatExtension(const Core::Vector<Core::String>& windowSystemNames);
}  // namespace Renderer
