#pragma once
// What every drawable leaf of the engine (sprites, texts, particles, lines) does with the scene
// being drawn: cull against the current view and file render items with the render queue.
#include "core/Math_Frustum.h"

namespace Engine
{
struct RenderItem;

// True when the box lies wholly outside the current scene graph's view frustum; nothing is culled
// while no scene graph exists.
bool IsOutsideCurrentView(const Math::Frustum& box);
// Files the item with the process-wide render queue; without a queue the item is dropped.
void SubmitRenderItem(RenderItem& item);
} // namespace Engine
