#pragma once
// A node with an ordered list of children: it forwards the tree walks to them and encloses their
// bounding volumes in its own.
#include "engine/Engine_Node.h"

namespace Engine
{
class Group : public Node
{
    CORE_CLASS(Group)

public:
    Group() = default;
    // Copies the node part and clones every child into the copy (their OnAttach is not called).
    Group(const Group& other);
    // Children that still point at this group are told it is gone.
    ~Group() override;

    Group* Clone() const override;
    // The node's form, the child count, then each child as an object reference.
    void Save(Core::File& file) override;
    // Appends the children read to any already present, each linked to this group. Null children
    // are skipped; a child of another class, one still being read, or one that would make the tree
    // a cycle fails the stream, and a failed stream ends the list.
    void Load(Core::File& file) override;

    u32 GetNodeType() const override { return NodeType::Group; }
    bool IsLeaf() const override { return false; }
    // Passed on to every child.
    void SetSceneGraph(SceneGraph* scene) override;
    // This group when the name is its own, else the first match among the children, depth first
    // in attachment order.
    Core::RefPtr<Node> Find(const Core::String& name) override;
    // Passed on to every child.
    void Notify() override;
    void Update(f32 dt) override;
    void Render(const Math::ViewFrustum& frustum) override;
    void Draw() override {}
    void DrawTree() override;
    void SetVisibleRecursive(bool on) override;
    void SetDrawBoundingVolumeRecursive(bool on) override;

    // Links the child to this group, appends it and calls its OnAttach. Null, and a group that
    // holds this one (or is this one), are refused: the tree never becomes a cycle.
    void AttachChild(Node* child);
    // Removes the first occurrence; the child's link to this group is cleared. Nothing happens
    // for a node that is not a child.
    void DetachChild(Node* child);
    // OnDetach of every child in order, then the list is emptied and the links cleared.
    void DetachAllChildren();

    u32 GetChildCount() const { return static_cast<u32>(children.size()); }
    Core::RefPtr<Node> GetChild(u32 index) const { return index < children.size() ? children[index] : nullptr; }

protected:
    // Steps of Update after the node's world matrix is known: the volume moves to world space,
    // every child updates, and the result merges into the parent.
    void UpdateVolumeAndChildren(f32 dt);
    // Every child updates; the children's volumes that merge into this group's are kept, and the
    // volume is placed by the world matrix and enlarged by them in their order only when the
    // matrix, the volume or one of those volumes has changed since the last update: otherwise the
    // volume already holds that result.
    void UpdateChildrenAndVolume(f32 dt);
    void TakeChildVolume(const BoundingVolume& volume) override;
    // Whether taking child would make the tree a cycle: child is this group, holds it somewhere
    // below, or is still being read.
    bool WouldMakeCycle(const Node* child) const;
    // Whether node is this group or anywhere below it.
    bool Reaches(const Node* node) const;

    Core::Vector<Core::RefPtr<Node>> children;

private:
    // The world corners of the volumes merged by the last update, in merge order.
    struct MergedCorners
    {
        Math::Vector3D corners[BoxCornerCount];
    };
    Core::Vector<MergedCorners> mergedVolumes;
    u32 mergedCount = 0;       // taken so far during this update
    bool mergedChanged = false; // one taken differs from the last update's
};
}  // namespace Engine
