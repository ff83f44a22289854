#pragma once
// What the line and circle objects share: their engine node follows the object's colour, opacity
// and visibility.
#include "engine/Engine_Lines.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
inline void SyncLineList(Engine::LineList* node, const GameObject& object)
{
    if (node)
    {
        node->SetOpacity(object.GetOpacity());
        node->SetColor(object.GetModulationColor());
    }
}

// Replaces the node under the render node, with the object's look.
template <class Node>
void ReplaceLineList(GameObject& object, Core::RefPtr<Node>& slot, Node* node)
{
    if (slot)
    {
        object.GetRenderNode()->DetachChild(slot.Get());
    }
    slot = node;
    object.GetRenderNode()->AttachChild(node);
    node->SetVisible(object.GetVisible(), true);
    SyncLineList(node, object);
}
}  // namespace Vellumar
