#include "renderer/Renderer_RasterCommand.h"

#include "renderer/Renderer_DepthBufferState.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

namespace Renderer
{
bool ClipSurfaceRegion(i32 windowWidth, i32 windowHeight, i32 surfaceWidth, i32 surfaceHeight, u32 x, u32 y,
                       u32 sourceX, u32 sourceY, u32 width, u32 height, bool flipX, bool flipY, SurfaceRegion& region)
{
    // Keep the region inside the surface first, so that no row or column is read beyond it.
    if (sourceX >= static_cast<u32>(std::max(surfaceWidth, 0)) || sourceY >= static_cast<u32>(std::max(surfaceHeight, 0)))
        return false;
    const i64 regionWidth = std::min<i64>(width, static_cast<i64>(surfaceWidth) - sourceX);
    const i64 regionHeight = std::min<i64>(height, static_cast<i64>(surfaceHeight) - sourceY);

    const i64 left = std::max<i64>(0, x);
    const i64 bottom = std::max<i64>(0, y);
    const i64 right = std::min<i64>(windowWidth, static_cast<i64>(x) + regionWidth);
    const i64 top = std::min<i64>(windowHeight, static_cast<i64>(y) + regionHeight);
    if (right - left < 1 || top - bottom < 1)
        return false;

    const i64 cutLeft = left - x;
    const i64 cutRight = static_cast<i64>(x) + regionWidth - right;
    const i64 cutBottom = bottom - y;
    const i64 cutTop = static_cast<i64>(y) + regionHeight - top;
    region.sourceX = static_cast<u32>(sourceX + (flipX ? cutRight : cutLeft));
    region.sourceY = static_cast<u32>(sourceY + (flipY ? cutTop : cutBottom));
    region.rasterX = static_cast<i32>(flipX ? right : left);
    region.rasterY = static_cast<i32>(flipY ? top : bottom);
    region.width = static_cast<i32>(right - left);
    region.height = static_cast<i32>(top - bottom);
    return true;
}

DrawSurfaceCommand::DrawSurfaceCommand(Surface* surface, u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width,
                                       u32 height, u8 flipX, u8 flipY)
    : surface(surface), x(x), y(y), sourceX(sourceX), sourceY(sourceY), width(width), height(height), flipX(flipX),
      flipY(flipY)
{
}

void DrawSurfaceCommand::Execute(IRenderer& renderer)
{
    const ViewportRect viewport = renderer.GetViewport();
    SurfaceRegion region;
    if (surface && ClipSurfaceRegion(viewport.width, viewport.height, surface->GetWidth(), surface->GetHeight(), x, y,
                                     sourceX, sourceY, width, height, flipX != 0, flipY != 0, region))
    {
        GLint alignment = 4;
        GLint rowLength = 0;
        GLint skipPixels = 0;
        GLint skipRows = 0;
        GLfloat zoomX = 1.0f;
        GLfloat zoomY = 1.0f;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
        glGetIntegerv(GL_UNPACK_SKIP_PIXELS, &skipPixels);
        glGetIntegerv(GL_UNPACK_SKIP_ROWS, &skipRows);
        glGetFloatv(GL_ZOOM_X, &zoomX);
        glGetFloatv(GL_ZOOM_Y, &zoomY);

        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, surface->GetWidth());
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, static_cast<GLint>(region.sourceX));
        glPixelStorei(GL_UNPACK_SKIP_ROWS, static_cast<GLint>(region.sourceY));
        glPixelZoom(flipX ? -1.0f : 1.0f, flipY ? -1.0f : 1.0f);
        glRasterPos2i(region.rasterX, region.rasterY);
        glDrawPixels(region.width, region.height, GL_RGBA, GL_UNSIGNED_BYTE, surface->GetPixels());

        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, skipPixels);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, skipRows);
        glPixelZoom(zoomX, zoomY);
        glRasterPos2i(0, 0);
    }
    surface.Reset();
}

void RunRasterCommands(IRenderer& renderer, RasterCommandQueue& queue)
{
    if (queue.empty())
        return;
    const ViewportRect viewport = renderer.GetViewport();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, static_cast<GLdouble>(viewport.width), 0.0, static_cast<GLdouble>(viewport.height));

    DepthBufferState saved;
    renderer.GetDepthBufferState(saved);
    DepthBufferState off;
    off.function = CompareFunction::Less;
    off.testEnabled = 0;
    off.writeEnabled = 0;
    renderer.SetDepthBufferState(off);

    for (Core::RefPtr<RasterCommand>& command : queue)
        command->Execute(renderer);

    renderer.SetDepthBufferState(saved);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    queue.clear();
}
} // namespace Renderer
