#include "engine/Engine_SpriteDrawing.h"

#include "math/Math_Constants.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_RenderQueue.h"
#include "engine/Engine_SceneGraph.h"
#include "renderer/Renderer_IRenderer.h"

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
    if (!scene)
        return false;
    // Outside when all corners lie behind one plane: the first corner that does not settles a
    // plane, so a box in view costs one test per plane.
    for (const Math::Plane& plane : scene->GetViewFrustum().planes)
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

Math::Matrix4x4 ScreenPlacement(const Math::Matrix4x4& world)
{
    const Core::RefPtr<Renderer::IRenderer> renderer = Renderer::GetRenderer();
    if (!renderer)
        return world;
    // The projection's second diagonal entry is the cotangent of half the vertical field of view.
    const f32 cotangent = renderer->GetProjectionMatrix().e[5];
    const f32 distance = static_cast<f32>(renderer->GetViewport().height) * cotangent * 0.5f;
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
} // namespace Engine
