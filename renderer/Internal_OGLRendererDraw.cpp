// The OpenGL renderer's client arrays, draws, matrices, clears, presentation, read-back and
// full-screen switching.
#include "platform/PAL_GLContext.h"
#include "platform/PAL_Window.h"
#include "renderer/Internal_GLCodes.h"
#include "renderer/Internal_GLExtensions.h"
#include "renderer/Internal_OGLRenderer.h"

#include <GL/gl.h>

#include <chrono>

namespace Renderer
{
namespace
{
void ClientArray(GLenum array, bool on)
{
    if (on)
        glEnableClientState(array);
    else
        glDisableClientState(array);
}
} // namespace

void OGLRenderer::SetVertexArray(const f32* xyz)
{
    ShadowRenderer::SetVertexArray(xyz);
    ClientArray(GL_VERTEX_ARRAY, xyz != nullptr);
    if (xyz)
    {
        glVertexPointer(3, GL_FLOAT, 0, xyz);
    }
}

void OGLRenderer::SetNormalArray(const f32* xyz)
{
    ShadowRenderer::SetNormalArray(xyz);
    ClientArray(GL_NORMAL_ARRAY, xyz != nullptr);
    if (xyz)
    {
        glNormalPointer(GL_FLOAT, 0, xyz);
    }
}

void OGLRenderer::SetColorArray(const Math::Color* colors)
{
    ShadowRenderer::SetColorArray(colors);
    ClientArray(GL_COLOR_ARRAY, colors != nullptr);
    if (colors)
    {
        glColorPointer(4, GL_FLOAT, 0, colors);
    }
}

void OGLRenderer::SetSecondaryColorArray(const Math::Color* colors)
{
    ShadowRenderer::SetSecondaryColorArray(colors);
    const auto pointer = GetGLEntryPoints().secondaryColorPointerEXT;
    if (!pointer || !HasGLExtension("GL_EXT_secondary_color"))
    {
        return;
    }
    ClientArray(GL_SECONDARY_COLOR_ARRAY_EXT, colors != nullptr);
    if (colors)
    {
        // Red, green and blue of each 16-byte colour.
        pointer(3, GL_FLOAT, sizeof(Math::Color), colors);
    }
}

void OGLRenderer::SetTexCoordArray(i32 unit, const f32* uv)
{
    ShadowRenderer::SetTexCoordArray(unit, uv);
    if (!AcceptsTexCoordUnit(unit))
    {
        return;
    }
    if (multitexture)
    {
        GetGLEntryPoints().clientActiveTexture(GL_TEXTURE0_ARB + static_cast<GLenum>(unit));
    }
    ClientArray(GL_TEXTURE_COORD_ARRAY, uv != nullptr);
    if (uv)
    {
        glTexCoordPointer(2, GL_FLOAT, 0, uv);
    }
}

void OGLRenderer::IssueDraw(const DrawCall& call)
{
    const GLenum mode = ToGLPrimitive(call.primitive);
    if (!call.indexed)
    {
        glDrawArrays(mode, static_cast<GLint>(call.first), static_cast<GLsizei>(call.count));
    }
    else
    {
        const std::size_t size = call.indices32 ? sizeof(u32) : sizeof(u16);
        const auto* start = static_cast<const u8*>(call.indices) + static_cast<std::size_t>(call.first) * size;
        glDrawElements(mode, static_cast<GLsizei>(call.count), call.indices32 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                       start);
    }
    // The frame's first large draw goes to the device at once: a software rasteriser's threads
    // start on it while the processor prepares what follows, instead of waiting for the buffer
    // swap. Later ones wait for the swap's flush: each flush is a pass of its own over the
    // rasteriser's tiles.
    if (call.count >= FlushedDrawSize && !largeDrawFlushed)
    {
        glFlush();
        largeDrawFlushed = true;
    }
}

void OGLRenderer::DrawRect(f32 x1, f32 y1, f32 x2, f32 y2)
{
    ShadowRenderer::DrawRect(x1, y1, x2, y2);
    glRectf(x1, y1, x2, y2);
}

void OGLRenderer::SetLineStippleEnabled(u8 on)
{
    ShadowRenderer::SetLineStippleEnabled(on);
    if (on)
    {
        glEnable(GL_LINE_STIPPLE);
    }
    else
    {
        glDisable(GL_LINE_STIPPLE);
    }
}

void OGLRenderer::SetLineStipplePattern(u16 pattern)
{
    ShadowRenderer::SetLineStipplePattern(pattern);
    glLineStipple(lineStippleFactor, lineStipplePattern);
}

void OGLRenderer::SetLineStippleFactor(i32 factor)
{
    ShadowRenderer::SetLineStippleFactor(factor);
    glLineStipple(lineStippleFactor, lineStipplePattern);
}

// --- viewport and matrices -------------------------------------------------------------------------

void OGLRenderer::SetViewport(const ViewportRect& rect)
{
    ShadowRenderer::SetViewport(rect);
    glViewport(rect.x, rect.y, rect.width, rect.height);
    glDepthRange(rect.zNear, rect.zFar);
}

// Asked of OpenGL every time, so that a viewport set behind the renderer's back is seen: callers
// that need it often take it once per viewport drawn.
ViewportRect OGLRenderer::GetViewport() const
{
    GLint box[4] = {0, 0, 0, 0};
    GLfloat range[2] = {0.0f, 1.0f};
    glGetIntegerv(GL_VIEWPORT, box);
    glGetFloatv(GL_DEPTH_RANGE, range);
    ViewportRect rect;
    rect.x = box[0];
    rect.y = box[1];
    rect.width = box[2];
    rect.height = box[3];
    rect.zNear = range[0];
    rect.zFar = range[1];
    return rect;
}

void OGLRenderer::LoadMatrix(GLenum mode, const Math::Matrix4x4& matrix)
{
    glMatrixMode(mode);
    glLoadMatrixf(matrix.e);
}

void OGLRenderer::SetWorldMatrix(const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetWorldMatrix(matrix);
    LoadMatrix(GL_MODELVIEW, modelView);
}

void OGLRenderer::SetViewMatrix(const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetViewMatrix(matrix);
    LoadMatrix(GL_MODELVIEW, modelView);
}

void OGLRenderer::SetProjectionMatrix(const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetProjectionMatrix(matrix);
    LoadMatrix(GL_PROJECTION, projection);
}

void OGLRenderer::SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetTextureMatrix(unit, matrix);
    if (unit < 0 || unit >= static_cast<i32>(TextureMatrixCount))
    {
        return;
    }
    LoadMatrix(GL_TEXTURE, textureMatrices[unit]);
}

// --- clears and read-back ------------------------------------------------------------------------

void OGLRenderer::ClearColorBuffer(const Math::Color& color)
{
    ShadowRenderer::ClearColorBuffer(color);
    glClearColor(color.r, color.g, color.b, color.a);
    glClear(GL_COLOR_BUFFER_BIT);
}

void OGLRenderer::ClearDepthBuffer(f32 depth)
{
    ShadowRenderer::ClearDepthBuffer(depth);
    glClearDepth(depth);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void OGLRenderer::ClearStencilBuffer(i32 value)
{
    ShadowRenderer::ClearStencilBuffer(value);
    glClearStencil(value);
    glClear(GL_STENCIL_BUFFER_BIT);
}

void OGLRenderer::ClearBuffers(const Math::Color& color, f32 depth, i32 stencil)
{
    ShadowRenderer::ClearBuffers(color, depth, stencil);
    glClearColor(color.r, color.g, color.b, color.a);
    glClearDepth(depth);
    glClearStencil(stencil);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

bool OGLRenderer::ReadFrameBuffer(u8* pixels, u32 size)
{
    ShadowRenderer::ReadFrameBuffer(pixels, size);
    const u32 needed = FrameBufferSize(settings.width, settings.height);
    if (!pixels || needed == 0 || size < needed)
    {
        return false;
    }
    // The row padding ReadFrameBuffer promises is that of the default pack alignment.
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, settings.width, settings.height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    return true;
}

// --- presentation and the display ----------------------------------------------------------------

void OGLRenderer::ExecuteRasterQueue()
{
    RunRasterCommands(*this, rasterQueue);
}

// SetDisplaySettings may have replaced the window with none: there is then nothing to present on.
void OGLRenderer::SwapFrame()
{
    largeDrawFlushed = false;
    if (settings.window)
    {
        const auto start = std::chrono::steady_clock::now();
        PAL::SwapBuffers(*settings.window);
        presentSeconds += std::chrono::duration<f64>(std::chrono::steady_clock::now() - start).count();
    }
}

void OGLRenderer::ToggleFullScreen()
{
    ShadowRenderer::ToggleFullScreen();
    // The shadow flipped the flag as if any mode were accepted; the device decides below.
    settings.fullScreen = settings.fullScreen ? 0 : 1;
    if (!settings.window)
    {
        return;
    }
    PAL::Window& window = *settings.window;
    Adapter& modes = *adapter.Get();
    if (settings.fullScreen)
    {
        glFinish();
        modes.ToggleMode(false, window);
        window.SetBorder(1);
        window.SetClientSize(settings.width, settings.height);
        window.SetPosition(savedWindowX, savedWindowY);
        window.SetVisible(1);
        window.SetTopMost(0);
        settings.fullScreen = 0;
    }
    else
    {
        modes.SetRequestedMode(DisplayMode{static_cast<u32>(settings.width), static_cast<u32>(settings.height),
                                           static_cast<u32>(settings.colorBits),
                                           static_cast<u32>(settings.refreshRate)});
        if (!modes.TestMode())
        {
            ApplyVSync();
            return;
        }
        glFinish();
        window.GetPosition(savedWindowX, savedWindowY);
        window.SetVisible(0);
        modes.ToggleMode(true, window);
        window.SetBorder(0);
        window.SetPosition(0, 0);
        window.SetClientSize(settings.width, settings.height);
        window.SetVisible(1);
        window.SetTopMost(1);
        settings.fullScreen = modes.IsFullScreenActive();
    }
    ApplyVSync();
}
}  // namespace Renderer
