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
    // Steps of Update after the node's world matrix is known: the volume is placed in world space,
    // every child updates (those that merge enlarge it as they go), then it merges into the parent.
    void UpdateVolumeAndChildren(f32 dt);
    // The first two of those steps.
    void PlaceVolumeAndUpdateChildren(f32 dt);
    // Whether taking child would make the tree a cycle: child is this group, holds it somewhere
    // below, or is still being read.
    bool WouldMakeCycle(const Node* child) const;
    // Whether node is this group or anywhere below it.
    bool Reaches(const Node* node) const;

    Core::Vector<Core::RefPtr<Node>> children;

private:
    // The volume placed by the world matrix, before any child enlarged it.
    void PlaceOwnVolume();

    // Where the last placing put the corners of the model box, and the world matrix and model
    // box it placed. Never copied.
    Math::Vector3D ownCorners[BoxCornerCount];
    u32 ownCornersWorldVersion = 0;
    u32 ownCornersModelVersion = 0;
    bool ownCornersKept = false;
};
}  // namespace Engine
