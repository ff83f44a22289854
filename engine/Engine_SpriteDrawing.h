#pragma once
// What every drawable leaf of the engine (sprites, texts, particles, lines) does with the scene
// being drawn: cull against the current view and file render items with the render queue.
#include "math/Math_Frustum.h"
#include "math/Math_Matrix4x4.h"

namespace Engine
{
struct RenderItem;

// True when the box lies wholly outside the current scene graph's view frustum; nothing is culled
// while no scene graph exists.
bool IsOutsideCurrentView(const Math::Frustum& box);
// Files the item with the process-wide render queue; without a queue the item is dropped.
void SubmitRenderItem(RenderItem& item);
// The world matrix of a screen-space item, which is drawn with the identity view: world's x and y
// become pixels from the centre of the viewport being drawn, and its z = 0 the depth at which one
// unit is one pixel under the current projection; so no camera move, turn or zoom moves it. Such
// items are never culled, the view frustum being in the camera's world.
Math::Matrix4x4 ScreenPlacement(const Math::Matrix4x4& world);
// Files a drawable's item, screen-space or not: a screen-space one is placed as above.
void SubmitPlaced(RenderItem& item, bool screenSpace);
} // namespace Engine
