#pragma once
// The base of every scene-graph object: world matrix, a raw link to the group it is attached to,
// a bounding volume, five flag bytes, a per-frame update callback, a name and a list of
// controllers. The tree is walked by Update once per frame and by Render once per viewport.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "math/Math_Frustum.h"
#include "math/Math_Matrix4x4.h"
#include "engine/Engine_BoundingVolume.h"

namespace Engine
{
class Node;
class SceneGraph;

// Node type codes reported by GetNodeType (2 is not used).
namespace NodeType
{
constexpr u32 Plain = 0; // plain nodes and every leaf drawable
constexpr u32 Camera = 1;
constexpr u32 Group = 3;
constexpr u32 TransformationGroup = 4;
constexpr u32 SceneGraph = 5;
} // namespace NodeType

// Something that drives a node each frame. The node hands it a link to itself when it takes the
// controller (and null when it lets go), then calls Update once per frame.
class Controller : public Core::Object
{
public:
    // Called after the node link has been set.
    virtual void OnAttach() {}
    virtual void Update(f32 dt) = 0;

    Node* GetNode() const { return node; }
    void SetNode(Node* value) { node = value; }

private:
    Node* node = nullptr; // not counted: the node holds the controller
};

// Called first in every Update of a node that has one.
using UpdateCallback = void (*)(Node& node, f32 dt);

class Node : public Core::Object
{
    CORE_CLASS(Node)

public:
    Node();
    // Fresh count; clones of the controllers; the parent link and the callback are copied, so
    // the copy points at the source's parent without being its child until attached.
    Node(const Node& other);
    Node& operator=(const Node&) = delete;
    ~Node() override;

    Node* Clone() const override;
    // World matrix, parent reference, the five flag bytes, the name. Bounding volumes are never
    // stored. The parent link is set by the group that takes the node as a child, so the parent
    // read back must be a group still being read (the node's ancestor in the stream) or none; any
    // other object fails the stream (a node saved on its own, whose parent follows it whole, is
    // refused: nothing would hold that parent).
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    virtual u32 GetNodeType() const { return NodeType::Plain; }
    virtual bool IsLeaf() const { return true; }
    // Tells the subtree which scene graph it now belongs to (a cloned scene graph does); groups
    // pass it on, a plain node ignores it.
    virtual void SetSceneGraph(SceneGraph*) {}
    virtual Math::Matrix4x4 GetMatrix() const { return world; }
    // This node when its whole name equals the argument, else null.
    virtual Core::RefPtr<Node> Find(const Core::String& name);
    // A notification sent down the tree; plain groups and the scene graph pass it on, a plain
    // node ignores it.
    virtual void Notify() {}
    // Callback, controllers, the parent's world matrix (identity without a parent) and, when
    // merging is on, the parent's volume enlarged by this one's.
    virtual void Update(f32 dt);
    // Called once per viewport with the frustum being drawn; drawables submit their items.
    virtual void Render(const Math::ViewFrustum& frustum);
    // Keeps the debug mesh in step with the world box when the volume is shown.
    virtual void Draw();
    virtual void DrawTree() {}
    virtual void OnAttach() {}
    virtual void OnDetach() {}
    virtual void SetVisibleRecursive(bool on) { visible = on ? 1 : 0; }
    virtual void SetDrawBoundingVolumeRecursive(bool on) { drawBoundingVolume = on ? 1 : 0; }
    virtual void UpdateControllers(f32 dt);

    void SetVisible(bool on, bool recursive);
    bool IsVisible() const { return visible != 0; }
    void SetDrawBoundingVolume(bool on, bool recursive);
    bool IsDrawingBoundingVolume() const { return drawBoundingVolume != 0; }
    u8 GetFlag0() const { return flag0; }
    void SetFlag0(u8 value) { flag0 = value; }
    bool IsMergingIntoParent() const { return mergeIntoParent != 0; }
    void SetMergeIntoParent(bool on) { mergeIntoParent = on ? 1 : 0; }
    bool IsOverlay() const { return overlay != 0; }
    void SetOverlay(bool on) { overlay = on ? 1 : 0; }
    // A screen-space drawable stays at fixed pixels of each viewport, whatever its camera does
    // (see ScreenPlacement). Copied but not stored: the owner that sets it gives it back on load.
    bool IsScreenSpace() const { return screenSpace != 0; }
    void SetScreenSpace(bool on) { screenSpace = on ? 1 : 0; }

    // True while the node is being read from a stream. Such a node is held by nothing yet, so no
    // reader may take a reference to it: dropping that reference would destroy the node under its
    // own reader.
    bool IsLoading() const { return loadDepth != 0; }

    Core::String GetName() const { return name; }
    void SetName(const Core::String& value) { name = value; }

    Node* GetParent() const { return parent; }
    // Set by the groups when they take or let go of a node.
    void SetParent(Node* value)
    {
        parent = value;
        worldDerived = 0;
    }
    const Math::Matrix4x4& GetWorldMatrix() const { return world; }
    // Holds until the next Update, which derives the matrix again.
    void SetWorldMatrix(const Math::Matrix4x4& matrix)
    {
        world = matrix;
        worldVersion = NewWorldVersion();
        worldDerived = 0;
    }
    // Changes with every value the world matrix takes, and no two nodes share one: nodes below
    // compare it with the one they last derived their own from.
    u32 GetWorldVersion() const { return worldVersion; }
    static u32 NewWorldVersion();
    BoundingVolume& GetBoundingVolume() { return boundingVolume; }
    const BoundingVolume& GetBoundingVolume() const { return boundingVolume; }
    UpdateCallback GetUpdateCallback() const { return updateCallback; }
    void SetUpdateCallback(UpdateCallback callback) { updateCallback = callback; }

    // Appends a controller (unless it is already there) and hands it this node.
    void AddController(Controller* controller);
    u32 GetControllerCount() const { return static_cast<u32>(controllers.size()); }
    Core::RefPtr<Controller> GetController(u32 index) const { return controllers[index]; }
    // Points the controller at node (null to let it go) and tells it.
    static void DetachController(Controller* controller, Node* node);

protected:
    // Marks the node as being read for its lifetime; every Load that reads object references
    // opens one (they nest through the base classes' Load).
    class LoadScope
    {
    public:
        explicit LoadScope(Node& node) : node(node) { ++node.loadDepth; }
        ~LoadScope() { --node.loadDepth; }
        LoadScope(const LoadScope&) = delete;
        LoadScope& operator=(const LoadScope&) = delete;

    private:
        Node& node;
    };

    // The part of Update shared by every node: callback, then controllers.
    void RunCallbackAndControllers(f32 dt);
    // The parent's world matrix; identity for a node without a parent.
    const Math::Matrix4x4& ParentWorldMatrix() const;
    // Whether the world matrix is still the one last derived from the parent: same parent, whose
    // world matrix has not changed since, and nothing has set this node's matrix or transform.
    bool IsWorldCurrent() const
    {
        return worldDerived && worldFrom == parent && worldFromVersion == (parent ? parent->worldVersion : 0u);
    }
    // world := matrix, derived from the parent as it is now; the nodes below see a change only when
    // the value differs.
    void DeriveWorld(const Math::Matrix4x4& matrix);
    // Transforms the volume by the world matrix unless neither has changed since it last did.
    void PlaceVolume();
    // Whether the volume is the one PlaceVolume or a group's update left, with the world matrix it
    // was placed by.
    bool IsVolumeCurrent() const
    {
        return volumePlaced && placedWorldVersion == worldVersion && placedVolumeVersion == boundingVolume.GetVersion();
    }
    void NoteVolumePlaced()
    {
        volumePlaced = 1;
        placedWorldVersion = worldVersion;
        placedVolumeVersion = boundingVolume.GetVersion();
    }
    // Enlarges the parent's volume by this node's when merging is on and there is a parent.
    void MergeIntoParent();

    Math::Matrix4x4 world;
    Node* parent = nullptr; // not counted: the parent holds the counted reference to the child
    BoundingVolume boundingVolume;
    u8 flag0 = 1; // kept, copied and stored; nothing reads it
    u8 mergeIntoParent = 1;
    u8 drawBoundingVolume = 0;
    u8 visible = 1;
    u8 overlay = 0;
    u8 screenSpace = 0;
    UpdateCallback updateCallback = nullptr;
    Core::String name;
    Core::Vector<Core::RefPtr<Controller>> controllers;
    u32 loadDepth = 0; // open load scopes; never copied
    // What the world matrix and the volume were last derived from, so that an update repeats no
    // work for a node whose parent, transform and children have not changed. Never copied.
    u32 worldVersion = NewWorldVersion();
    const Node* worldFrom = nullptr;
    u32 worldFromVersion = 0;
    u32 placedWorldVersion = 0;
    u32 placedVolumeVersion = 0;
    u8 worldDerived = 0;
    u8 volumePlaced = 0;
};
}  // namespace Engine
