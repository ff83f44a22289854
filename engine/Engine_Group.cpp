#include "engine/Engine_Group.h"

#include "core/Core_File.h"

#include <algorithm>
#include <cstring>

namespace Engine
{
CORE_REGISTER_CLASS(Group, "Engine::Group")

Group::Group(const Group& other) : Node(other)
{
    children.reserve(other.children.size());
    for (const Core::RefPtr<Node>& child : other.children)
    {
        Core::RefPtr<Node> copy(child->Clone());
        copy->SetParent(this);
        children.push_back(copy);
    }
}

Group::~Group()
{
    for (Core::RefPtr<Node>& child : children)
    {
        if (child->GetParent() == this)
            child->SetParent(nullptr);
    }
}

Group* Group::Clone() const
{
    return new (__FILE__, __LINE__) Group(*this);
}

void Group::Save(Core::File& file)
{
    Node::Save(file);
    Core::WriteU32(file, static_cast<u32>(children.size()));
    for (Core::RefPtr<Node>& child : children)
        file.WriteObject(child);
}

void Group::Load(Core::File& file)
{
    const LoadScope scope(*this);
    Node::Load(file);
    u32 count = 0;
    // Every reference takes at least its presence byte.
    Core::ReadCount(file, count, 1);
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        // Read without taking a reference first: the object may be an ancestor still being read,
        // which nothing holds yet and which a dropped reference would destroy.
        Core::Object* object = file.ReadObject();
        if (!object)
            continue;
        Node* child = dynamic_cast<Node*>(object);
        if (!child || WouldMakeCycle(child))
        {
            file.SetFailed();
            file.Discard(object);
            break;
        }
        child->SetParent(this);
        children.emplace_back(child);
    }
}

void Group::SetSceneGraph(SceneGraph* scene)
{
    for (u32 i = 0; i < children.size(); ++i)
        children[i]->SetSceneGraph(scene);
}

void Group::Notify()
{
    for (u32 i = 0; i < children.size(); ++i)
        children[i]->Notify();
}

Core::RefPtr<Node> Group::Find(const Core::String& wanted)
{
    if (name == wanted)
        return Core::RefPtr<Node>(this);
    for (u32 i = 0; i < children.size(); ++i)
    {
        if (Core::RefPtr<Node> found = children[i]->Find(wanted))
            return found;
    }
    return nullptr;
}

void Group::Update(f32 dt)
{
    RunCallbackAndControllers(dt);
    if (!IsWorldCurrent())
        DeriveWorld(ParentWorldMatrix());
    UpdateVolumeAndChildren(dt);
}

void Group::UpdateVolumeAndChildren(f32 dt)
{
    UpdateChildrenAndVolume(dt);
    MergeIntoParent();
}

void Group::UpdateChildrenAndVolume(f32 dt)
{
    if (gatheringVolumes)
    {
        // Updated again from inside its own update (a child's callback): merged at once, and the
        // outer update places the volume again.
        gatheringVolumes = 0;
        boundingVolume.Transform(world);
        for (u32 i = 0; i < children.size(); ++i)
        {
            Core::RefPtr<Node> child = children[i];
            child->Update(dt);
        }
        gatheringVolumes = 1;
        mergedChanged = true;
        return;
    }
    gatheringVolumes = 1;
    mergedCount = 0;
    mergedChanged = false;
    // By index: an update may detach children of this group.
    for (u32 i = 0; i < children.size(); ++i)
    {
        Core::RefPtr<Node> child = children[i];
        child->Update(dt);
    }
    gatheringVolumes = 0;
    if (mergedChanged || mergedCount != mergedVolumes.size() || !IsVolumeCurrent())
    {
        mergedVolumes.resize(mergedCount);
        boundingVolume.Transform(world);
        for (const MergedCorners& merged : mergedVolumes)
            boundingVolume.MergeCorners(merged.corners);
        NoteVolumePlaced();
    }
}

void Group::TakeChildVolume(const BoundingVolume& volume)
{
    const auto& corners = volume.GetWorldCorners();
    if (mergedCount == mergedVolumes.size())
    {
        mergedVolumes.emplace_back();
        mergedChanged = true;
    }
    MergedCorners& kept = mergedVolumes[mergedCount++];
    if (std::memcmp(kept.corners, corners, sizeof kept.corners) != 0)
    {
        std::memcpy(kept.corners, corners, sizeof kept.corners);
        mergedChanged = true;
    }
}

void Group::Render(const Math::ViewFrustum&)
{
    DrawTree();
}

void Group::DrawTree()
{
    Draw();
    for (u32 i = 0; i < children.size(); ++i)
        children[i]->DrawTree();
}

void Group::SetVisibleRecursive(bool on)
{
    Node::SetVisibleRecursive(on);
    for (u32 i = 0; i < children.size(); ++i)
        children[i]->SetVisibleRecursive(on);
}

void Group::SetDrawBoundingVolumeRecursive(bool on)
{
    Node::SetDrawBoundingVolumeRecursive(on);
    for (u32 i = 0; i < children.size(); ++i)
        children[i]->SetDrawBoundingVolumeRecursive(on);
}

void Group::AttachChild(Node* child)
{
    if (!child || WouldMakeCycle(child))
        return;
    child->SetParent(this);
    children.emplace_back(child);
    child->OnAttach();
}

void Group::DetachChild(Node* child)
{
    auto found = std::find(children.begin(), children.end(), child);
    if (found == children.end())
        return;
    Core::RefPtr<Node> keep = *found;
    children.erase(found);
    if (keep->GetParent() == this)
        keep->SetParent(nullptr);
}

void Group::DetachAllChildren()
{
    for (u32 i = 0; i < children.size(); ++i)
        children[i]->OnDetach();
    Core::Vector<Core::RefPtr<Node>> detached;
    detached.swap(children);
    for (Core::RefPtr<Node>& child : detached)
    {
        if (child->GetParent() == this)
            child->SetParent(nullptr);
    }
}

bool Group::WouldMakeCycle(const Node* child) const
{
    // A node still being read is an ancestor of whatever is being read now (or, in a hostile
    // stream, holds nothing yet that could keep it alive); either way it is refused.
    if (child->IsLoading())
        return true;
    const Group* group = dynamic_cast<const Group*>(child);
    return group && group->Reaches(this);
}

bool Group::Reaches(const Node* node) const
{
    if (node == this)
        return true;
    for (const Core::RefPtr<Node>& child : children)
    {
        const Group* group = dynamic_cast<const Group*>(child.Get());
        if (child.Get() == node || (group && group->Reaches(node)))
            return true;
    }
    return false;
}
} // namespace Engine
