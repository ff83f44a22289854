// The OpenGL renderer's client arrays, draws, matrices, clears, presentation, read-back and
// full-screen switching.
#include "platform/PAL_GLContext.h"
#include "platform/PAL_Window.h"
#include "renderer/Internal_GLCodes.h"
#include "renderer/Internal_GLExtensions.h"
#include "renderer/Internal_OGLRenderer.h"

#include <GL/gl.h>

#include <cmath>

#include <chrono>

namespace Renderer
{
void OGLRenderer::SetVertexArray(const f32* xyz)
{
    ShadowRenderer::SetVertexArray(xyz);
    device.ClientArray(GL_VERTEX_ARRAY, xyz != nullptr);
    if (xyz)
    {
        device.VertexPointer(xyz);
    }
}

void OGLRenderer::SetNormalArray(const f32* xyz)
{
    ShadowRenderer::SetNormalArray(xyz);
    device.ClientArray(GL_NORMAL_ARRAY, xyz != nullptr);
    if (xyz)
    {
        device.NormalPointer(xyz);
    }
}

void OGLRenderer::SetColorArray(const Math::Color* colors)
{
    ShadowRenderer::SetColorArray(colors);
    device.ClientArray(GL_COLOR_ARRAY, colors != nullptr);
    if (colors)
    {
        device.ColorPointer(colors);
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
    device.ClientArray(GL_SECONDARY_COLOR_ARRAY_EXT, colors != nullptr);
    if (colors)
    {
        // Red, green and blue of each 16-byte colour.
        pointer(3, GL_FLOAT, sizeof(Math::Color), colors);
    }
}

void OGLRenderer::SetTexCoordArray(i32 unit, const f32* uv)
{
    ShadowRenderer::SetTexCoordArray(unit, uv);
    if (unit == 0)
    {
        unit0TexCoords = uv;
    }
    if (!AcceptsTexCoordUnit(unit))
    {
        return;
    }
    if (multitexture)
    {
        device.ClientActiveTexture(static_cast<u32>(unit));
    }
    device.ClientArray(GL_TEXTURE_COORD_ARRAY, uv != nullptr);
    if (uv)
    {
        device.TexCoordPointer(uv);
    }
}

void OGLRenderer::IssueDraw(const DrawCall& call)
{
    if (DrawChangesNothing())
    {
        return;
    }
    SendDrawStates(true, &call);
    const GLenum mode = ToGLPrimitive(call.primitive);
    if (colorArray)
    {
        device.ForgetColor();
    }
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
    RestoreUnit0Filters();
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

bool OGLRenderer::DepthTestPassesAll(const DrawCall& call) const
{
    if (!depthAtFarPlane || depthBuffer.writeEnabled)
    {
        return false;
    }
    // No fragment lies beyond the far plane, so only a strict test can fail, and only there.
    if (depthBuffer.function == CompareFunction::Always || depthBuffer.function == CompareFunction::LessOrEqual)
    {
        return true;
    }
    return depthBuffer.function == CompareFunction::Less && StaysShortOfFarPlane(call);
}

bool OGLRenderer::StaysShortOfFarPlane(const DrawCall& call) const
{
    // Vertices in buffer objects are out of reach; a depth range other than the whole one is rare.
    if (!VerticesInClientArrays() || viewport.zNear != 0.0f || viewport.zFar != 1.0f)
    {
        return false;
    }
    // Clip z and w of a vertex. With every w positive and z/w below 1 less a margin far wider than
    // the rounding of any transform or interpolation, each point of the primitives, a mix of its
    // vertices, stays that far short of the far plane after clipping too.
    const Math::Matrix4x4 clip = projection * modelView;
    const f32* m = clip.e;
    constexpr f32 Limit = 1.0f - 1.0f / 262144.0f;
    const auto shortOfFar = [this, m](u32 vertex) {
        const f32* v = vertexArray + static_cast<std::size_t>(vertex) * 3;
        const f32 z = m[2] * v[0] + m[6] * v[1] + m[10] * v[2] + m[14];
        const f32 w = m[3] * v[0] + m[7] * v[1] + m[11] * v[2] + m[15];
        return w > 0.0f && z < Limit * w;
    };
    for (u32 k = 0; k < call.count; ++k)
    {
        if (!shortOfFar(VertexAt(call, call.first + k)))
        {
            return false;
        }
    }
    return true;
}

bool OGLRenderer::VerticesInClientArrays() const
{
    if (!vertexArray || indexBuffer)
    {
        return false;
    }
    for (const Core::RefPtr<IBuffer>& buffer : buffers)
    {
        if (buffer)
        {
            return false;
        }
    }
    return true;
}

u32 OGLRenderer::VertexAt(const DrawCall& call, u32 place)
{
    if (!call.indexed)
    {
        return place;
    }
    return call.indices32 ? static_cast<const u32*>(call.indices)[place] : static_cast<const u16*>(call.indices)[place];
}

bool OGLRenderer::ReadsLevelZeroOnly(const DrawCall& call, const ITexture& texture) const
{
    // Vertices in buffer objects are out of reach, and a projective texture matrix would make the
    // footprint vary over a triangle.
    const f32* t = textureMatrices[0].e;
    if (call.primitive != Primitive::Triangles || !VerticesInClientArrays() || !unit0TexCoords || call.count < 3 ||
        t[3] != 0.0f || t[7] != 0.0f || t[15] != 1.0f)
    {
        return false;
    }
    const Math::Matrix4x4 clip = projection * modelView;
    const f32* m = clip.e;
    const f32 halfWidth = static_cast<f32>(viewport.width) * 0.5f;
    const f32 halfHeight = static_cast<f32>(viewport.height) * 0.5f;
    f32 x[3], y[3], w[3], u[3], v[3];
    for (u32 k = 0; k + 2 < call.count; k += 3)
    {
        for (u32 corner = 0; corner < 3; ++corner)
        {
            const u32 vertex = VertexAt(call, call.first + k + corner);
            const f32* p = vertexArray + static_cast<std::size_t>(vertex) * 3;
            w[corner] = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15];
            x[corner] = (m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12]) / w[corner] * halfWidth;
            y[corner] = (m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13]) / w[corner] * halfHeight;
            const f32* st = unit0TexCoords + static_cast<std::size_t>(vertex) * 2;
            u[corner] = t[0] * st[0] + t[4] * st[1] + t[12];
            v[corner] = t[1] * st[0] + t[5] * st[1] + t[13];
        }
        // Only a triangle at one depth from the eye maps the screen to its texture the same way
        // all over.
        if (!(w[0] > 0.0f) || w[1] != w[0] || w[2] != w[0])
        {
            return false;
        }
        const f32 dx1 = x[1] - x[0], dy1 = y[1] - y[0], dx2 = x[2] - x[0], dy2 = y[2] - y[0];
        const f32 determinant = dx1 * dy2 - dx2 * dy1;
        if (determinant == 0.0f)
        {
            continue; // no pixel
        }
        if (!std::isfinite(determinant))
        {
            return false;
        }
        const f32 du1 = u[1] - u[0], du2 = u[2] - u[0], dv1 = v[1] - v[0], dv2 = v[2] - v[0];
        TextureFootprint footprint;
        footprint.dudx = (du1 * dy2 - du2 * dy1) / determinant;
        footprint.dudy = (dx1 * du2 - dx2 * du1) / determinant;
        footprint.dvdx = (dv1 * dy2 - dv2 * dy1) / determinant;
        footprint.dvdy = (dx1 * dv2 - dx2 * dv1) / determinant;
        footprint.known = true;
        if (!texture.ReadsLevelZeroOnlyAt(footprint))
        {
            return false;
        }
    }
    return true;
}

bool OGLRenderer::ClearsWholeDepthBuffer() const
{
    const bool wholeScissor =
        !scissor.enabled || (scissor.x <= 0 && scissor.y <= 0 && scissor.x + scissor.width >= settings.width &&
                             scissor.y + scissor.height >= settings.height);
    return depthBuffer.writeEnabled && wholeScissor;
}

void OGLRenderer::DrawRect(f32 x1, f32 y1, f32 x2, f32 y2)
{
    ShadowRenderer::DrawRect(x1, y1, x2, y2);
    SendDrawStates(true);
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
    device.Viewport(rect.x, rect.y, rect.width, rect.height, rect.zNear, rect.zFar);
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

void OGLRenderer::LoadModelView()
{
    device.LoadMatrix(GL_MODELVIEW, modelView.e);
}

void OGLRenderer::SetWorldMatrix(const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetWorldMatrix(matrix);
    LoadModelView();
}

void OGLRenderer::SetViewMatrix(const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetViewMatrix(matrix);
    LoadModelView();
}

void OGLRenderer::SetProjectionMatrix(const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetProjectionMatrix(matrix);
    device.LoadMatrix(GL_PROJECTION, projection.e);
}

void OGLRenderer::SetTextureMatrix(i32 unit, const Math::Matrix4x4& matrix)
{
    ShadowRenderer::SetTextureMatrix(unit, matrix);
    if (unit < 0 || unit >= static_cast<i32>(TextureMatrixCount))
    {
        return;
    }
    device.LoadMatrix(GL_TEXTURE, textureMatrices[unit].e);
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
    depthAtFarPlane = ClearsWholeDepthBuffer() && depth >= 1.0f;
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
    depthAtFarPlane = ClearsWholeDepthBuffer() && depth >= 1.0f;
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
    // Raster images take their colour at their raster position, so nothing is substituted.
    SendDrawStates(false);
    RunRasterCommands(*this, rasterQueue);
    depthAtFarPlane = false;
    // The commands select matrix stacks of their own.
    device.ForgetMatrixMode();
}

// SetDisplaySettings may have replaced the window with none: there is then nothing to present on.
void OGLRenderer::SwapFrame()
{
    depthAtFarPlane = false;
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
    depthAtFarPlane = false;
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
