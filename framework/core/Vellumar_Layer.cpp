#include "framework/core/Vellumar_Layer.h"

#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "math/Math_Matrix4x4.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/drawables/Vellumar_Circle.h"
#include "framework/drawables/Vellumar_Line.h"

#include <algorithm>

namespace Vellumar
{
CORE_REGISTER_CLASS(Layer, "Vellumar::Layer")

namespace
{
Collision2D::CollisionEngine* GetCollisionEngine()
{
    Game* game = Game::GetInstance();
    return game ? game->GetCollisionEngine() : nullptr;
}
}  // namespace

Layer::Layer() : sceneGroup(new (__FILE__, __LINE__) Engine::TransformationGroup())
{
    UpdateTransform();
}

Layer::Layer(f32 z) : sceneGroup(new (__FILE__, __LINE__) Engine::TransformationGroup()), zOrder(z)
{
    if (Collision2D::CollisionEngine* collision = GetCollisionEngine())
    {
        collisionId = static_cast<u8>(collision->AddLayer());
    }
    UpdateTransform();
}

// Objects that outlive the layer (held elsewhere) no longer name it as theirs.
Layer::~Layer()
{
    for (auto& [id, object] : objectsById)
    {
        if (object->layer == this)
        {
            object->layer = nullptr;
        }
    }
    for (const Core::RefPtr<GameObject>& object : pendingAdditions)
    {
        if (object->layer == this)
        {
            object->layer = nullptr;
        }
    }
}

void Layer::UpdateHook(f32)
{
}

void Layer::Cleanup()
{
    if (cleanedUp)
    {
        return;
    }
    cleanedUp = 1;
    for (auto& [id, object] : objectsById)
    {
        object->Cleanup();
    }
    // Objects queued by the objects' end hooks while the level ended never entered; they go with
    // the layer, before the engines they were placed in are reset for the next level.
    for (const Core::RefPtr<GameObject>& object : pendingAdditions)
    {
        object->Cleanup();
    }
    pendingAdditions.clear();
    pendingRemovals.clear();
    if (Collision2D::CollisionEngine* collision = GetCollisionEngine())
    {
        collision->RemoveStaticObjects(collisionId);
    }
}

void Layer::AddGameObject(GameObject* object, bool networked, VelPlayer* owner)
{
    if (!object || object->layer || object->destroyed)
    {
        return;
    }
    Game* game = Game::GetInstance();
    if (Collision2D::CollisionEngine* collision = game ? game->GetCollisionEngine() : nullptr)
    {
        collision->SetDynamicObjectPosition(object->collisionId, object->position);
        collision->SetDynamicObjectOrientation(object->collisionId, object->rotation);
        const Collision2D::SplitId split = Collision2D::SplitObjectId(object->collisionId);
        const Collision2D::CollisionLayer* collisionLayer = collision->GetLayer(collisionId);
        if (object->collisionId != 0 && split.kind == Collision2D::KindDynamicObject && collisionLayer)
        {
            if (Collision2D::DynamicObject* dynamic = collisionLayer->GetDynamicObject(split.slot))
            {
                dynamic->ResetMotion();
            }
        }
    }
    // The facade counts an object it accepts; one it refuses stays with the caller, who may still
    // hold it uncounted (a script's copy) and add it otherwise.
    VelNet* network = game ? game->GetNetworkEngine() : nullptr;
    if (networked && !(network && network->AddNetObject(object, index, owner)))
    {
        return;
    }
    InsertGameObject(object);
}

void Layer::RemoveGameObject(GameObject* object)
{
    if (!object || object->layer != this || object->destroyed)
    {
        return;
    }
    if (object->HasNetworkId())
    {
        Game* game = Game::GetInstance();
        VelNet* network = game ? game->GetNetworkEngine() : nullptr;
        if (!network || !network->IsHostMode() || !network->DestroyNetObject(object))
        {
            return;
        }
    }
    EraseGameObject(object);
}

void Layer::InsertGameObject(GameObject* object)
{
    object->layer = this;
    pendingAdditions.push_back(object);
    objectsByName[object->name].push_back(object);
}

void Layer::EraseGameObject(GameObject* object)
{
    pendingRemovals.push_back(object);
    RemoveFromNameIndex(object, object->name);
}

void Layer::RemoveFromNameIndex(GameObject* object, const Core::String& objectName)
{
    const auto list = objectsByName.find(objectName);
    if (list == objectsByName.end())
    {
        return;
    }
    std::erase_if(list->second, [object](const Core::RefPtr<GameObject>& entry) { return entry.Get() == object; });
}

void Layer::RenameGameObject(GameObject* object, const Core::String& oldName, const Core::String& newName)
{
    // The list under the old name may hold the last reference.
    const Core::RefPtr<GameObject> hold(object);
    RemoveFromNameIndex(object, oldName);
    objectsByName[newName].push_back(object);
}

void Layer::GetGameObjects(Core::Vector<GameObject*>& out) const
{
    out.clear();
    for (const auto& [id, object] : objectsById)
    {
        out.push_back(object.Get());
    }
}

void Layer::GetWaitingGameObjects(Core::Vector<GameObject*>& out) const
{
    out.clear();
    for (const Core::RefPtr<GameObject>& object : pendingAdditions)
    {
        out.push_back(object.Get());
    }
}

void Layer::GetGameObjectsByName(const Core::String& objectName, Core::Vector<GameObject*>& out) const
{
    out.clear();
    const auto list = objectsByName.find(objectName);
    if (list == objectsByName.end())
    {
        return;
    }
    for (const Core::RefPtr<GameObject>& object : list->second)
    {
        out.push_back(object.Get());
    }
}

GameObject* Layer::GetGameObject(u32 id) const
{
    const auto found = objectsById.find(id);
    return found != objectsById.end() ? found->second.Get() : nullptr;
}

GameObject* Layer::AddNetworkGameObject(const Core::String& className, VelPlayer* owner)
{
    Game* game = Game::GetInstance();
    VelNet* network = game ? game->GetNetworkEngine() : nullptr;
    if (!network || !network->IsSessionActive() || !network->IsHostMode())
    {
        return nullptr;
    }
    GameObject* prototype = network->FindBaseNetObject(className);
    if (!prototype)
    {
        return nullptr;
    }
    const Core::RefPtr<GameObject> copy(prototype->Clone());
    copy->networkClassName = prototype->networkClassName;
    AddGameObject(copy.Get(), true, owner);
    return copy->layer == this ? copy.Get() : nullptr;
}

void Layer::Update(f32 dt)
{
    // Indexed walks: an OnStart may queue further additions, an OnEnd or Cleanup further
    // removals, and both are served in the same pass.
    for (size_t i = 0; i < pendingAdditions.size(); ++i)
    {
        const Core::RefPtr<GameObject> object = pendingAdditions[i];
        sceneGroup->AttachChild(object->renderNode.Get());
        objectsById[object->id] = object;
        object->OnStart();
    }
    pendingAdditions.clear();
    for (size_t i = 0; i < pendingRemovals.size(); ++i)
    {
        const Core::RefPtr<GameObject> object = pendingRemovals[i];
        sceneGroup->DetachChild(object->renderNode.Get());
        objectsById.erase(object->id);
        object->OnEnd();
        object->Cleanup();
    }
    pendingRemovals.clear();
    UpdateHook(dt);
    // An object destroyed during this walk stays in the index until the next update.
    for (auto& [id, object] : objectsById)
    {
        object->Update(dt);
    }
}

void Layer::LateUpdateObjects(f32 dt)
{
    for (auto& [id, object] : objectsById)
    {
        if (!object->IsRemoteCopy())
        {
            object->LateUpdate(dt);
        }
    }
}

void Layer::LateUpdate2Objects(f32 dt)
{
    for (auto& [id, object] : objectsById)
    {
        if (!object->IsRemoteCopy())
        {
            object->LateUpdate2(dt);
        }
    }
}

void Layer::EndFrame()
{
    for (auto& [id, object] : objectsById)
    {
        object->UpdateTransform();
    }
}

void Layer::EndGameObjects()
{
    for (auto& [id, object] : objectsById)
    {
        object->OnEnd();
    }
}

void Layer::SetZOrder(f32 z)
{
    zOrder = z;
    UpdateTransform();
}

void Layer::SetScale(f32 x, f32 y)
{
    scaleX = x;
    scaleY = y;
    UpdateTransform();
}

void Layer::SetRotation(f32 degrees)
{
    rotation = degrees;
    UpdateTransform();
}

void Layer::UpdateTransform()
{
    sceneGroup->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, zOrder) * Math::Matrix4x4::RotationZ(rotation) *
                             Math::Matrix4x4::Scaling(scaleX, scaleY, 1.0f));
}

void Layer::SetCollisionProperties(const Math::Vector2D& origin, i32 width, i32 height, i32 cellSize)
{
    if (Collision2D::CollisionEngine* collision = GetCollisionEngine())
    {
        collision->InitializeLayerGrid(collisionId, origin, width, height, cellSize);
    }
    gridOrigin = origin;
    gridValues[0] = static_cast<u32>(width);
    gridValues[1] = static_cast<u32>(height);
    gridValues[2] = static_cast<u32>(cellSize);
}

void Layer::AddStaticLineSegment(const Math::Vector2D& p1, const Math::Vector2D& p2, u8 z, u32 userId)
{
    Collision2D::CollisionEngine* collision = GetCollisionEngine();
    if (!collision)
    {
        return;
    }
    auto* segment = new (__FILE__, __LINE__) Collision2D::StaticCollisionLineSegment(Math::LineSegment2D(p1, p2));
    segment->SetZCollision(z);
    segment->SetUserId(userId);
    if (collision->AddObject(segment, collisionId, Math::Vector2D()) == 0)
    {
        delete segment;
    }
}

void Layer::AddStaticCircle(const Math::Vector2D& centre, f32 radius, u8 z, u32 userId)
{
    Collision2D::CollisionEngine* collision = GetCollisionEngine();
    if (!collision)
    {
        return;
    }
    auto* circle = new (__FILE__, __LINE__) Collision2D::StaticCollisionCircle(Math::Circle2D(centre, radius));
    circle->SetZCollision(z);
    circle->SetUserId(userId);
    if (collision->AddObject(circle, collisionId, Math::Vector2D()) == 0)
    {
        delete circle;
    }
}

void FindGameObjectsByName(const Core::String& name, Core::Vector<GameObject*>& out)
{
    out.clear();
    Game* game = Game::GetInstance();
    if (game && game->GetCurrentLevel())
    {
        game->GetCurrentLevel()->GetGameObjectsByName(name, out);
    }
}
}  // namespace Vellumar
