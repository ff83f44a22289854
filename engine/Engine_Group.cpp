#include "engine/Engine_Group.h"

#include "core/Core_File.h"

#include <algorithm>

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
    PlaceVolumeAndUpdateChildren(dt);
    MergeIntoParent();
}

void Group::PlaceVolumeAndUpdateChildren(f32 dt)
{
    PlaceOwnVolume();
    // By index: an update may detach children of this group.
    for (u32 i = 0; i < children.size(); ++i)
    {
        Core::RefPtr<Node> child = children[i];
        child->Update(dt);
    }
}

void Group::PlaceOwnVolume()
{
    // Last update's merges enlarged the volume: an unchanged group takes back the corners its
    // own box was placed at then, which costs a copy instead of a transform.
    if (ownCornersKept && ownCornersWorldVersion == worldVersion &&
        ownCornersModelVersion == boundingVolume.GetModelVersion())
    {
        boundingVolume.SetWorldCorners(ownCorners);
        return;
    }
    boundingVolume.Transform(world);
    const auto& corners = boundingVolume.GetWorldCorners();
    for (u32 i = 0; i < BoxCornerCount; ++i)
        ownCorners[i] = corners[i];
    ownCornersWorldVersion = worldVersion;
    ownCornersModelVersion = boundingVolume.GetModelVersion();
    ownCornersKept = true;
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
