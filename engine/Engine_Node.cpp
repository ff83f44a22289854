#include "engine/Engine_Node.h"

#include "core/Core_File.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace Engine
{
CORE_REGISTER_CLASS(Node, "Engine::Node")

Node::Node() = default;

Node::Node(const Node& other)
    : Core::Object(other), world(other.world), parent(other.parent), boundingVolume(other.boundingVolume),
      flag0(other.flag0), mergeIntoParent(other.mergeIntoParent), drawBoundingVolume(other.drawBoundingVolume),
      visible(other.visible), overlay(other.overlay), screenSpace(other.screenSpace),
      updateCallback(other.updateCallback), name(other.name)
{
    for (const Core::RefPtr<Controller>& controller : other.controllers)
    {
        // A controller class that does not clone itself yields no controller.
        Core::Object* copy = controller->Clone();
        if (Controller* typed = dynamic_cast<Controller*>(copy))
            AddController(typed);
        else
            Core::RefPtr<Core::Object> discard(copy);
    }
}

Node::~Node()
{
    for (Core::RefPtr<Controller>& controller : controllers)
        DetachController(controller, nullptr);
}

Node* Node::Clone() const
{
    return new (__FILE__, __LINE__) Node(*this);
}

void Node::Save(Core::File& file)
{
    Math::WriteMatrix4x4(file, world);
    file.WriteObject(parent);
    Core::WriteU8(file, flag0);
    Core::WriteU8(file, mergeIntoParent);
    Core::WriteU8(file, drawBoundingVolume);
    Core::WriteU8(file, visible);
    Core::WriteU8(file, overlay);
    Core::WriteString(file, name);
}

void Node::Load(Core::File& file)
{
    const LoadScope scope(*this);
    Math::ReadMatrix4x4(file, world);
    worldVersion = NewWorldVersion();
    worldDerived = 0;
    // Read raw: a parent still being read is held by nothing yet. Anything else (not a node, or a
    // node read whole here) fails the stream, and the stream lets go of what this read made.
    Core::Object* storedParent = file.ReadObject();
    if (storedParent)
    {
        Node* parentNode = dynamic_cast<Node*>(storedParent);
        if (!parentNode || !parentNode->IsLoading())
        {
            file.SetFailed();
            file.Discard(storedParent);
        }
    }
    Core::ReadU8(file, flag0);
    Core::ReadU8(file, mergeIntoParent);
    Core::ReadU8(file, drawBoundingVolume);
    Core::ReadU8(file, visible);
    Core::ReadU8(file, overlay);
    Core::ReadString(file, name);
}

Core::RefPtr<Node> Node::Find(const Core::String& wanted)
{
    return name == wanted ? Core::RefPtr<Node>(this) : nullptr;
}

void Node::Update(f32 dt)
{
    RunCallbackAndControllers(dt);
    if (!IsWorldCurrent())
        DeriveWorld(ParentWorldMatrix());
    MergeIntoParent();
}

void Node::Render(const Math::ViewFrustum&)
{
}

void Node::Draw()
{
    if (drawBoundingVolume)
        boundingVolume.UpdateDebugMesh();
}

void Node::UpdateControllers(f32 dt)
{
    for (u32 i = 0; i < controllers.size(); ++i)
        controllers[i]->Update(dt);
}

void Node::SetVisible(bool on, bool recursive)
{
    if (recursive)
        SetVisibleRecursive(on);
    else
        visible = on ? 1 : 0;
}

void Node::SetDrawBoundingVolume(bool on, bool recursive)
{
    if (recursive)
        SetDrawBoundingVolumeRecursive(on);
    else
        drawBoundingVolume = on ? 1 : 0;
}

void Node::AddController(Controller* controller)
{
    if (!controller)
        return;
    if (std::find(controllers.begin(), controllers.end(), controller) != controllers.end())
        return;
    controllers.emplace_back(controller);
    DetachController(controller, this);
}

void Node::DetachController(Controller* controller, Node* node)
{
    controller->SetNode(node);
    controller->OnAttach();
}

void Node::RunCallbackAndControllers(f32 dt)
{
    if (updateCallback)
        updateCallback(*this, dt);
    UpdateControllers(dt);
}

const Math::Matrix4x4& Node::ParentWorldMatrix() const
{
    static const Math::Matrix4x4 identity;
    return parent ? parent->world : identity;
}

void Node::DeriveWorld(const Math::Matrix4x4& matrix)
{
    if (!(std::memcmp(world.e, matrix.e, sizeof world.e) == 0))
    {
        world = matrix;
        worldVersion = NewWorldVersion();
    }
    worldDerived = 1;
    worldFrom = parent;
    worldFromVersion = parent ? parent->worldVersion : 0u;
}

u32 Node::NewWorldVersion()
{
    // From one count for every node, so that a node made where another was freed never passes
    // for it. Never 0, which stands for no parent.
    static std::atomic<u32> versions{0};
    u32 version = versions.fetch_add(1, std::memory_order_relaxed) + 1;
    while (version == 0)
        version = versions.fetch_add(1, std::memory_order_relaxed) + 1;
    return version;
}

void Node::PlaceVolume()
{
    if (IsVolumeCurrent())
        return;
    boundingVolume.Transform(world);
    NoteVolumePlaced();
}

void Node::MergeIntoParent()
{
    if (!mergeIntoParent || !parent)
        return;
    parent->boundingVolume.Merge(boundingVolume);
}
} // namespace Engine
