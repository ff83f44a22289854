#pragma once

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Ids.h"

#include <memory>

// Collision data and bodies for the collision tests.
namespace CollisionTest
{
using Collision2D::CollisionActor;
using Collision2D::DynamicObject;
using Collision2D::VelRect;
using Math::Vector2D;

// One animation of one frame holding a circle of the given radius at the local origin.
inline void AddCircleFrame(CollisionActor& actor, f32 radius, u32 userId = 11)
{
    Collision2D::CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(VelRect(radius, -radius, radius, -radius), true);
    frame.AddCircle({0.0f, 0.0f}, radius, userId, true);
}

// One frame holding the segment a-b (its front is the left side of a → b).
inline void AddSegmentFrame(CollisionActor& actor, const Vector2D& a, const Vector2D& b, u32 userId = 21)
{
    Collision2D::CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
    const f32 top = a.y > b.y ? a.y : b.y;
    const f32 bottom = a.y < b.y ? a.y : b.y;
    const f32 left = a.x < b.x ? a.x : b.x;
    const f32 right = a.x > b.x ? a.x : b.x;
    frame.SetBoundingRectangle(VelRect(top + 1.0f, left - 1.0f, right + 1.0f, bottom - 1.0f), true);
    frame.AddLineSegment(a, b, userId, true);
}

// A rectangle-only body of the given half sizes.
inline void AddBoxFrame(CollisionActor& actor, f32 halfWidth, f32 halfHeight)
{
    Collision2D::CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(VelRect(halfHeight, -halfWidth, halfWidth, -halfHeight), true);
}

// A body bound to the actor's first frame, colliding with z-level 0, at rest at the position.
inline std::unique_ptr<DynamicObject> MakeBody(const CollisionActor& actor, const Vector2D& position, u8 type = 1,
                                               f32 orientation = 0.0f)
{
    auto body = std::make_unique<DynamicObject>();
    body->AddCollisionData(&actor, 0, 0);
    body->SetCollisionType(type);
    body->SetCanCollid(0, true);
    body->SetOldPosition(position);
    body->SetPosition(position);
    body->SetOldOrientation(orientation);
    body->SetOrientation(orientation);
    return body;
}

// Moves a body from where it rests to a new pose within the coming frame.
inline void MoveTo(DynamicObject& body, const Vector2D& position, f32 orientation)
{
    body.SetPosition(position);
    body.SetOrientation(orientation);
}

// Restores the global sub-step cap that some tests change.
struct InterpolationGuard
{
    InterpolationGuard() { Collision2D::MaximumInterpolationValue = Collision2D::DefaultMaximumInterpolationValue; }
    ~InterpolationGuard() { Collision2D::MaximumInterpolationValue = Collision2D::DefaultMaximumInterpolationValue; }
};
} // namespace CollisionTest
