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
    // A copy, as the scene graph's record is rewritten for every viewport.
    const Math::ViewFrustum view = scene->GetViewFrustum();
    return view.ClassifyBox(box) == Math::Code::Outside;
}

void SubmitRenderItem(RenderItem& item)
{
    if (RenderQueue* queue = RenderQueue::GetInstance())
        queue->Submit(item);
}
} // namespace Engine
