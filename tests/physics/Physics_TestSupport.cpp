#include "Physics_TestSupport.h"

#include "physics/Physics_Force.h"

namespace PhysicsTest
{
using namespace Physics2D;

Core::RefPtr<RigidBody> MakeBody(float mass, float inertia, const Math::Vector2D& position, u32 integratorKind,
                                 const Math::Vector2D& centerOfMass)
{
    Core::RefPtr<RigidBody> body =
        new RigidBody(MassProperties(mass, inertia, centerOfMass), integratorKind, nullptr, nullptr, nullptr);
    body->SetPosition(position);
    return body;
}

u32 AddBody(PhysicsEngine& engine, float mass, float inertia, const Math::Vector2D& position, u32 integratorKind)
{
    return engine.AddRigidBody(MakeBody(mass, inertia, position, integratorKind));
}

void AddGravity(PhysicsEngine& engine, u32 id, float g)
{
    u32 forceId = 0;
    engine.AddRigidBodyForce(id, new GravityForce(Math::Vector2D(0.0f, -1.0f), g), forceId);
}

void Step(PhysicsEngine& engine, float dt)
{
    engine.Update(dt);
    engine.PostCollisionUpdate(dt);
}

void Floor::Install(PhysicsEngine& engine)
{
    engine.SetContactListUpdate(&Floor::Report);
    engine.SetContactListUpdateData(this);
}

void Floor::Report(PhysicsEngine* engine, void* data)
{
    const Floor& floor = *static_cast<const Floor*>(data);
    for (u32 id : floor.ids)
    {
        Core::RefPtr<RigidBody> body = engine->GetRigidBody(id);
        if (!body)
            continue;
        const Math::Vector2D position = body->GetPosition();
        const float gap = position.y - floor.radius;
        if (gap > floor.tolerance)
            continue;
        const float depth = gap < 0.0f ? -gap : 0.0f;
        const Math::Vector2D touched(position.x, position.y + depth);
        engine->AddContact(id, 0,
                           new Contact(Math::Vector2D(position.x, 0.0f), Math::Vector2D(0.0f, 1.0f), touched,
                                       Math::Vector2D(), depth, floor.restitution, floor.friction, 0));
    }
}
} // namespace PhysicsTest
