#pragma once
// What every drawable leaf of the engine (sprites, texts, particles, lines) does with the scene
// being drawn: cull against the current view and file render items with the render queue.
#include "math/Math_Frustum.h"
#include "math/Math_Matrix4x4.h"
#include "math/Math_Vector3D.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_Texture.h"

namespace Engine
{
struct RenderItem;

// True when the box lies wholly outside the current scene graph's view frustum; nothing is culled
// while no scene graph exists.
bool IsOutsideCurrentView(const Math::Frustum& box);
// True when the box lies wholly outside the view: all its corners behind one of its planes (a
// default record, with zero planes, culls nothing).
bool IsOutsideView(const Math::Frustum& box, const Math::ViewFrustum& view);
// Files the item with the process-wide render queue; without a queue the item is dropped.
void SubmitRenderItem(RenderItem& item);
// The viewport being drawn: the current scene graph's copy while it draws one, else the renderer's
// answer.
Renderer::ViewportRect CurrentViewport(const Renderer::IRenderer& renderer);
// The world matrix of a screen-space item, which is drawn with the identity view: world's x and y
// become pixels from the centre of the viewport being drawn, and its z = 0 the depth at which one
// unit is one pixel under the current projection; so no camera move, turn or zoom moves it. Such
// items are never culled, the view frustum being in the camera's world.
Math::Matrix4x4 ScreenPlacement(const Math::Matrix4x4& world);
// Files a drawable's item, screen-space or not: a screen-space one is placed as above.
void SubmitPlaced(RenderItem& item, bool screenSpace);

// How points of an item's space reach window pixels when the queue draws the item.
struct PixelMapping
{
    Math::Matrix4x4 toClip; // projection, view and world
    f32 halfWidth = 0.0f;   // half the viewport, in pixels
    f32 halfHeight = 0.0f;
    bool known = false;

    // Window pixels of a point, up to the viewport's origin; false behind the eye.
    bool ToPixels(const Math::Vector3D& p, f32& x, f32& y) const
    {
        const f32* e = toClip.e;
        const f32 w = e[3] * p.x + e[7] * p.y + e[11] * p.z + e[15];
        if (!(w > 0.0f))
            return false;
        x = (e[0] * p.x + e[4] * p.y + e[8] * p.z + e[12]) / w * halfWidth;
        y = (e[1] * p.x + e[5] * p.y + e[9] * p.z + e[13]) / w * halfHeight;
        return true;
    }
};
// The mapping of an item placed by world, under the current renderer's projection, view (the
// identity for a screen-space item, placed as ScreenPlacement does) and viewport. The last pass
// draws under a projection of its own, so there, as without a renderer, the mapping stays unknown.
PixelMapping CurrentPixelMapping(const Math::Matrix4x4& world, bool screenSpace, bool lastPassOnly);
// How fast the texture coordinates of a flat shape change on the screen, where placed takes the
// shape's space to the item's and one whole texture spans width along its x axis and height along
// its y axis: small shapes read coarse mipmap levels, which show over more of the texture. Unknown
// when the mapping is, or the shape is seen edge on.
Renderer::TextureFootprint FootprintOf(const Math::Matrix4x4& placed, f32 width, f32 height, const PixelMapping& pixels);
} // namespace Engine
