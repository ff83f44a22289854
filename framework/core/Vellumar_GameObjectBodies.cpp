// The object's collision object and rigid body: adding them, finding them again by id, and the
// body's velocity and forces.
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_TileMap.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "physics/Physics_PhysicsEngine.h"

namespace Vellumar
{
namespace
{
Collision2D::CollisionEngine* CollisionEngineOfGame()
{
    Game* game = Game::GetInstance();
    return game ? game->GetCollisionEngine() : nullptr;
}

Physics2D::PhysicsEngine* PhysicsEngineOfGame()
{
    Game* game = Game::GetInstance();
    return game ? game->GetPhysicsEngine() : nullptr;
}
}  // namespace

void GameObject::AddCollision(Collision2D::MainCollisionObject* object, u8 collisionLayer)
{
    Collision2D::CollisionEngine* collision = CollisionEngineOfGame();
    if (!object)
    {
        return;
    }
    // An object the engine stores already (another game object's, or this one's) stays where it is,
    // with its owner: storing it again would free it twice, and freeing it here would free it under
    // its layer.
    if (collision && collision->Holds(object))
    {
        collisionId = 0;
        return;
    }
    object->SetUserData(this);
    collisionId = collision ? collision->AddObject(object, collisionLayer, position) : 0;
    // A refused new object stays the caller's, which handed it over: it goes here.
    if (collisionId == 0)
    {
        delete object;
    }
}

Collision2D::DynamicObject* GameObject::GetRegisteredObject() const
{
    Collision2D::CollisionEngine* collision = CollisionEngineOfGame();
    Collision2D::DynamicObject* object = collision ? collision->GetDynamicObject(collisionId) : nullptr;
    return object && object->GetUserData() == this ? object : nullptr;
}

Collision2D::TileMap* GameObject::GetTileMapCollisionObject() const
{
    Collision2D::CollisionEngine* collision = CollisionEngineOfGame();
    const Collision2D::SplitId split = Collision2D::SplitObjectId(collisionId);
    if (!collision || split.kind != Collision2D::KindTileMap)
    {
        return nullptr;
    }
    const Collision2D::CollisionLayer* collisionLayer = collision->GetLayer(split.layer);
    Collision2D::TileMap* map = collisionLayer ? collisionLayer->GetTileMap(split.slot) : nullptr;
    return map && map->GetUserData() == this ? map : nullptr;
}

bool GameObject::ObjectInCollision() const
{
    Collision2D::CollisionEngine* collision = CollisionEngineOfGame();
    return GetRegisteredObject() && collision->ObjectInCollision(collisionId);
}

void GameObject::RemoveCollision()
{
    if (Collision2D::CollisionEngine* collision = CollisionEngineOfGame(); collision && (GetRegisteredObject() || GetTileMapCollisionObject()))
    {
        collision->RemoveObject(collisionId);
    }
}

void GameObject::ClaimCollisionObject()
{
    Collision2D::CollisionEngine* collision = CollisionEngineOfGame();
    const Collision2D::SplitId split = Collision2D::SplitObjectId(collisionId);
    if (!collision || (split.kind != Collision2D::KindDynamicObject && split.kind != Collision2D::KindTileMap))
    {
        return;
    }
    if (Collision2D::MainCollisionObject* object = collision->GetObject(collisionId))
    {
        object->SetUserData(this);
    }
}

bool GameObject::AddPhysicalProperties(const Physics2D::MassProperties& massProperties, i32 integrator)
{
    Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame();
    if (physicsId != 0 || !physics)
    {
        return false;
    }
    auto* body = new Physics2D::RigidBody(massProperties, static_cast<u32>(integrator), &SyncStateFromBody,
                                          &SyncOldStateFromBody, this);
    body->SetPosition(position);
    body->SetOrientation(rotation);
    physicsId = physics->AddRigidBody(body);
    return true;
}

bool GameObject::RemovePhysicalProperties()
{
    Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame();
    if (physicsId == 0 || !physics)
    {
        return false;
    }
    physics->RemoveRigidBody(physicsId);
    physicsId = 0;
    return true;
}

bool GameObject::SetVelocity(const Math::Vector2D& velocity)
{
    Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame();
    return physics && physics->SetRigidBodyVelocity(physicsId, velocity);
}

bool GameObject::SetAngularVelocity(f32 degreesPerSecond)
{
    Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame();
    return physics && physics->SetRigidBodyAngularVelocity(physicsId, degreesPerSecond);
}

bool GameObject::SetSpeed(f32 speed)
{
    Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame();
    Math::Vector2D velocity;
    if (!physics || !physics->GetRigidBodyVelocity(physicsId, velocity))
    {
        return false;
    }
    velocity.Normalize();
    return physics->SetRigidBodyVelocity(physicsId, velocity * speed);
}

bool GameObject::SetVelocityDirection(f32 x, f32 y)
{
    Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame();
    Math::Vector2D velocity;
    if (!physics || !physics->GetRigidBodyVelocity(physicsId, velocity))
    {
        return false;
    }
    Math::Vector2D direction(x, y);
    direction.Normalize();
    return physics->SetRigidBodyVelocity(physicsId, direction * velocity.Length());
}

bool GameObject::AddForce(Physics2D::Force* force)
{
    Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame();
    const Core::RefPtr<Physics2D::Force> held(force);
    u32 forceId = 0;
    return physics && physics->AddRigidBodyForce(physicsId, force, forceId);
}

// A body whose owner is gone (or was never bound after a load) moves on its own.
void GameObject::SyncStateFromBody(Physics2D::RigidBody* body, void* object)
{
    auto* owner = static_cast<GameObject*>(object);
    if (!owner)
        return;
    owner->SetPosition(body->GetPosition());
    owner->SetRotationAngle(body->GetOrientation());
}

void GameObject::SyncOldStateFromBody(Physics2D::RigidBody* body, void* object)
{
    auto* owner = static_cast<GameObject*>(object);
    if (!owner)
        return;
    owner->SetOldPosition(body->GetPosition());
    owner->SetOldRotationAngle(body->GetOrientation());
}

void RebindRigidBodyCallbacks(const Core::Vector<Physics2D::RigidBody*>& bodies)
{
    for (Physics2D::RigidBody* body : bodies)
    {
        if (body)
        {
            body->SetPlacementCallback(&GameObject::SyncStateFromBody);
            body->SetStepCallback(&GameObject::SyncOldStateFromBody);
        }
    }
}
}  // namespace Vellumar
