#include "engine/Engine_SpriteDrawing.h"

#include "math/Math_Constants.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_RenderQueue.h"
#include "engine/Engine_SceneGraph.h"
#include "renderer/Renderer_IRenderer.h"

#include <cmath>

namespace Engine
{
namespace
{
// Plane::Classify's "behind", with the cheap side test first: most corners tested are in front,
// and they then need no distance to the plane's point.
bool IsBehind(const Math::Plane& plane, const Math::Vector3D& corner)
{
    const Math::Vector3D offset = corner - plane.point;
    return Math::Dot(plane.normal, offset) < 0.0f && !(offset.Length() < Math::PlaneEpsilon);
}
} // namespace

bool IsOutsideCurrentView(const Math::Frustum& box)
{
    const SceneGraph* scene = SceneGraph::GetCurrent();
    return scene && IsOutsideView(box, scene->GetViewFrustum());
}

bool IsOutsideView(const Math::Frustum& box, const Math::ViewFrustum& view)
{
    // Outside when all corners lie behind one plane: the first corner that does not settles a
    // plane, so a box in view costs one test per plane.
    for (const Math::Plane& plane : view.planes)
    {
        bool allBehind = true;
        for (const Math::Vector3D& corner : box.corners)
        {
            if (!IsBehind(plane, corner))
            {
                allBehind = false;
                break;
            }
        }
        if (allBehind)
            return true;
    }
    return false;
}

void SubmitRenderItem(RenderItem& item)
{
    if (RenderQueue* queue = RenderQueue::GetInstance())
        queue->Submit(item);
}

Renderer::ViewportRect CurrentViewport(const Renderer::IRenderer& renderer)
{
    const SceneGraph* scene = SceneGraph::GetCurrent();
    if (const Renderer::ViewportRect* drawn = scene ? scene->GetDrawnViewport() : nullptr)
        return *drawn;
    return renderer.GetViewport();
}

Math::Matrix4x4 ScreenPlacement(const Math::Matrix4x4& world)
{
    const Core::RefPtr<Renderer::IRenderer> renderer = Renderer::GetRenderer();
    if (!renderer)
        return world;
    // The projection's second diagonal entry is the cotangent of half the vertical field of view.
    const f32 cotangent = renderer->GetProjectionMatrix().e[5];
    const f32 distance = static_cast<f32>(CurrentViewport(*renderer).height) * cotangent * 0.5f;
    return Math::Matrix4x4::Translation(0.0f, 0.0f, -distance) * world;
}

void SubmitPlaced(RenderItem& item, bool screenSpace)
{
    if (screenSpace)
    {
        item.world = ScreenPlacement(item.world);
        item.identityView = 1;
    }
    SubmitRenderItem(item);
}

PixelMapping CurrentPixelMapping(const Math::Matrix4x4& world, bool screenSpace, bool lastPassOnly)
{
    PixelMapping pixels;
    const Core::RefPtr<Renderer::IRenderer> renderer = Renderer::GetRenderer();
    if (!renderer || lastPassOnly)
        return pixels;
    const Math::Matrix4x4 view = screenSpace ? Math::Matrix4x4::Identity() : renderer->GetViewMatrix();
    pixels.toClip = renderer->GetProjectionMatrix() * view * (screenSpace ? ScreenPlacement(world) : world);
    const Renderer::ViewportRect viewport = CurrentViewport(*renderer);
    pixels.halfWidth = static_cast<f32>(viewport.width) * 0.5f;
    pixels.halfHeight = static_cast<f32>(viewport.height) * 0.5f;
    pixels.known = true;
    return pixels;
}

Renderer::TextureFootprint FootprintOf(const Math::Matrix4x4& placed, f32 width, f32 height, const PixelMapping& pixels)
{
    Renderer::TextureFootprint footprint;
    f32 cx = 0.0f, cy = 0.0f, ux = 0.0f, uy = 0.0f, vx = 0.0f, vy = 0.0f;
    if (!pixels.known || !pixels.ToPixels(Math::TransformPoint(placed, Math::Vector3D()), cx, cy) ||
        !pixels.ToPixels(Math::TransformPoint(placed, Math::Vector3D(width, 0.0f, 0.0f)), ux, uy) ||
        !pixels.ToPixels(Math::TransformPoint(placed, Math::Vector3D(0.0f, height, 0.0f)), vx, vy))
        return footprint;
    // The pixels one whole texture width and height span, inverted: texture units per pixel. The
    // shape is taken as flat on the screen, so that the mapping is the same all over it.
    ux -= cx;
    uy -= cy;
    vx -= cx;
    vy -= cy;
    const f32 determinant = ux * vy - vx * uy;
    if (!std::isfinite(determinant) || determinant == 0.0f)
        return footprint;
    footprint.dudx = vy / determinant;
    footprint.dudy = -vx / determinant;
    footprint.dvdx = -uy / determinant;
    footprint.dvdy = ux / determinant;
    footprint.known = true;
    return footprint;
}
} // namespace Engine
