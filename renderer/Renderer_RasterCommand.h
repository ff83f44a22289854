#pragma once
// Pixel commands the renderer queues between frames and runs at presentation, in window pixels
// outside the 3-D pipeline: no depth test, none of the scene's matrices.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_Surface.h"

namespace Renderer
{
class RasterCommand : public Core::Object
{
public:
    virtual void Execute(IRenderer& renderer) = 0;
};

using RasterCommandQueue = Core::Vector<Core::RefPtr<RasterCommand>>;

// A surface region placed in the window, after clipping.
struct SurfaceRegion
{
    i32 rasterX = 0; // where drawing starts: the right edge when mirrored in x, else the left
    i32 rasterY = 0; // the top edge when mirrored in y, else the bottom
    u32 sourceX = 0; // first column and row of the surface that is drawn
    u32 sourceY = 0;
    i32 width = 0;
    i32 height = 0;
};

// Clips the region (x, y, width, height) of a surface of the given size, shown at window
// position (x, y), to the surface and to a window of windowWidth x windowHeight. The part of the
// surface that is cut off - on the left, or on the right when mirrored in x; likewise bottom and
// top - moves the first source column or row, so the pixels that stay keep their place. False
// when nothing is left to draw.
bool ClipSurfaceRegion(i32 windowWidth, i32 windowHeight, i32 surfaceWidth, i32 surfaceHeight, u32 x, u32 y,
                       u32 sourceX, u32 sourceY, u32 width, u32 height, bool flipX, bool flipY, SurfaceRegion& region);

// Copies a region of a surface to the window, mirrored as asked.
class DrawSurfaceCommand : public RasterCommand
{
public:
    DrawSurfaceCommand(Surface* surface, u32 x, u32 y, u32 sourceX, u32 sourceY, u32 width, u32 height, u8 flipX,
                       u8 flipY);

    // Draws the region clipped to the renderer's viewport, then lets go of the surface.
    void Execute(IRenderer& renderer) override;

    Surface* GetSurface() const { return surface.Get(); }

private:
    Core::RefPtr<Surface> surface;
    u32 x;
    u32 y;
    u32 sourceX;
    u32 sourceY;
    u32 width;
    u32 height;
    u8 flipX;
    u8 flipY;
};

// Runs a queue at presentation: one window pixel per unit with the origin at the bottom left,
// depth test and writes off, every command in order; then the renderer's depth values and both
// matrices are as before and the queue is empty. An empty queue does nothing at all.
void RunRasterCommands(IRenderer& renderer, RasterCommandQueue& queue);
}  // namespace Renderer
