#include "engine/Engine_SpriteDrawing.h"

#include "core/Math_Constants.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_RenderQueue.h"
#include "engine/Engine_SceneGraph.h"

namespace Engine
{
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
            if (plane.Classify(corner) != Math::Code::Behind)
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
} // namespace Engine
