// The object's pose and the objects mounted on it: every move and turn carries the collision
// object, the rigid body and the mounted objects along, and refreshes the render node's matrix.
#include "collision/Collision_Engine.h"
#include "math/Math_Matrix4x4.h"
#include "math/Math_Vector3D.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "physics/Physics_PhysicsEngine.h"

#include <algorithm>
#include <cmath>

namespace Vellumar
{
namespace
{
constexpr f32 DegreesToRadians = 0.017453292f;
constexpr f32 RadiansToDegrees = 57.29578f;

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

void GameObject::MoveTo(const Math::Vector2D& point, bool old)
{
    position = point;
    if (Collision2D::CollisionEngine* collision = CollisionEngineOfGame())
    {
        if (old)
        {
            collision->SetDynamicObjectOldPosition(collisionId, point);
        }
        else
        {
            collision->SetDynamicObjectPosition(collisionId, point);
        }
    }
    if (Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame())
    {
        physics->SetRigidBodyPosition(physicsId, point);
    }
}

void GameObject::TurnTo(f32 degrees, bool old)
{
    rotation = degrees;
    if (Collision2D::CollisionEngine* collision = CollisionEngineOfGame())
    {
        if (old)
        {
            collision->SetDynamicObjectOldOrientation(collisionId, degrees);
        }
        else
        {
            collision->SetDynamicObjectOrientation(collisionId, degrees);
        }
    }
    if (Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame())
    {
        physics->SetRigidBodyOrientation(physicsId, degrees);
    }
}

void GameObject::SetPosition(const Math::Vector2D& point)
{
    const Math::Vector2D delta = point - position;
    MoveTo(point, false);
    for (GameObject* mounted : mountedObjects)
    {
        mounted->UpdateMountedChild(position, delta, 0.0f);
    }
    UpdateTransform();
}

void GameObject::SetOldPosition(const Math::Vector2D& point)
{
    const Math::Vector2D delta = point - position;
    MoveTo(point, true);
    for (GameObject* mounted : mountedObjects)
    {
        mounted->UpdateMountedChild(position, delta, 0.0f);
    }
    UpdateTransform();
}

void GameObject::SetRotationAngle(f32 degrees)
{
    const f32 change = degrees - rotation;
    TurnTo(degrees, false);
    for (GameObject* mounted : mountedObjects)
    {
        mounted->UpdateMountedChild(position, Math::Vector2D(), change);
    }
    UpdateTransform();
}

void GameObject::SetOldRotationAngle(f32 degrees)
{
    const f32 change = degrees - rotation;
    TurnTo(degrees, true);
    for (GameObject* mounted : mountedObjects)
    {
        mounted->UpdateMountedChild(position, Math::Vector2D(), change);
    }
    UpdateTransform();
}

// The object's own SetPosition and SetRotationAngle are not used: its mounted objects turn about
// the same support point with the same offset.
void GameObject::UpdateMountedChild(const Math::Vector2D& support, const Math::Vector2D& offset, f32 angle)
{
    if (angle != 0.0f)
    {
        const Math::Matrix4x4 turn = Math::Matrix4x4::Translation(support.x, support.y, 0.0f) *
                                     Math::Matrix4x4::RotationZ(angle) *
                                     Math::Matrix4x4::Translation(-support.x, -support.y, 0.0f);
        const Math::Vector3D turned = Math::TransformPoint(turn, Math::Vector3D(position.x, position.y, 0.0f));
        position = Math::Vector2D(turned.x, turned.y);
        TurnTo(rotation + angle, false);
    }
    MoveTo(position + offset, false);
    for (GameObject* mounted : mountedObjects)
    {
        mounted->UpdateMountedChild(support, offset, angle);
    }
    UpdateTransform();
}

Math::Vector2D GameObject::GetDirection() const
{
    const f32 radians = rotation * DegreesToRadians;
    return Math::Vector2D(std::cos(radians), std::sin(radians));
}

void GameObject::SetDirection(f32 x, f32 y)
{
    SetRotationAngle(std::atan2(y, x) * RadiansToDegrees);
}

void GameObject::SetDirectionX(f32 x)
{
    SetDirection(x, GetDirection().y);
}

void GameObject::SetDirectionY(f32 y)
{
    SetDirection(GetDirection().x, y);
}

void GameObject::SetScale(f32 x, f32 y)
{
    scaleX = x;
    scaleY = y;
    UpdateTransform();
}

void GameObject::SetCenter(const Math::Vector2D& pivot)
{
    center = pivot;
    if (Collision2D::CollisionEngine* collision = CollisionEngineOfGame())
    {
        collision->SetDynamicObjectOffset(collisionId, pivot);
    }
    if (Physics2D::PhysicsEngine* physics = PhysicsEngineOfGame())
    {
        Physics2D::MassProperties mass;
        if (physics->GetMassProperties(physicsId, mass))
        {
            mass.SetCenterOfMass(pivot);
            physics->SetMassProperties(physicsId, mass);
        }
    }
    UpdateTransform();
}

// Translation(position - centre, z order) × Translation(centre) × RotationZ(rotation) ×
// Translation(-centre) × Scaling(scale x, scale y, 1), written out: a local point that the scaling
// maps onto the centre lands on the position, and the object turns about it. Every move and turn
// refreshes it, so it is built element by element rather than as four matrix products.
void GameObject::UpdateTransform()
{
    if (!transformSync)
    {
        return;
    }
    const Math::Matrix4x4 turn = Math::Matrix4x4::RotationZ(rotation);
    const f32 cosine = turn.e[0];
    const f32 sine = turn.e[1];
    Math::Matrix4x4 matrix;
    matrix.e[0] = cosine * scaleX;
    matrix.e[1] = sine * scaleX;
    matrix.e[4] = -sine * scaleY;
    matrix.e[5] = cosine * scaleY;
    matrix.e[12] = ((position.x - center.x) + center.x) + (cosine * -center.x + sine * center.y);
    matrix.e[13] = ((position.y - center.y) + center.y) + (sine * -center.x + cosine * -center.y);
    matrix.e[14] = zOrder;
    renderNode->SetTransform(matrix);
}

bool GameObject::Carries(const GameObject* object) const
{
    if (object == this)
    {
        return true;
    }
    return std::any_of(mountedObjects.begin(), mountedObjects.end(),
                       [object](const GameObject* mounted) { return mounted->Carries(object); });
}

void GameObject::Mount(GameObject* object)
{
    if (!object || object == this || object->mountSupport == this || object->Carries(this))
    {
        return;
    }
    if (object->mountSupport)
    {
        object->mountSupport->UnMount(object);
    }
    mountedObjects.push_back(object);
    object->mountSupport = this;
}

void GameObject::UnMount(GameObject* object)
{
    if (object == this)
    {
        return;
    }
    const auto found = std::find(mountedObjects.begin(), mountedObjects.end(), object);
    if (found == mountedObjects.end())
    {
        return;
    }
    mountedObjects.erase(found);
    object->mountSupport = nullptr;
}
}  // namespace Vellumar
