#include "physics/Physics_PhysicsEngine.h"

#include "physics/Physics_Globals.h"

#include <algorithm>
#include <cfloat>

namespace Physics2D
{
CORE_REGISTER_CLASS(PhysicsEngine, "Physics2D::PhysicsEngine")

PhysicsEngine::PhysicsEngine()
{
    Infinity = FLT_MAX;
    staticBody = new RigidBody(MassProperties(0.0f, 0.0f, Math::Vector2D()), RigidBody::IntegratorEuler, nullptr,
                               nullptr, nullptr);
    StaticBody = staticBody;
}

PhysicsEngine::~PhysicsEngine()
{
    if (StaticBody == staticBody)
        StaticBody = nullptr;
}

RigidBody* PhysicsEngine::FindBody(u32 id) const
{
    if (id == 0 || id > bodies.size())
        return nullptr;
    return bodies[id - 1];
}

RigidBody* PhysicsEngine::BodyOrStatic(u32 id) const
{
    RigidBody* body = FindBody(id);
    return body ? body : staticBody.Get();
}

u32 PhysicsEngine::AddRigidBody(RigidBody* body)
{
    if (!body)
        return 0;
    body->UpdateTransform(false);
    if (!freeIds.empty())
    {
        const u32 id = freeIds.back();
        freeIds.pop_back();
        bodies[id - 1] = body;
        return id;
    }
    bodies.emplace_back(body);
    return static_cast<u32>(bodies.size());
}

bool PhysicsEngine::RemoveRigidBody(u32 id)
{
    Core::RefPtr<RigidBody> removed = FindBody(id);
    if (!removed)
        return false;
    bodies[id - 1].Reset();
    for (Core::RefPtr<Joint>& joint : joints)
    {
        if (joint->GetBody1() == removed)
            joint->SetBody1(staticBody);
        else if (joint->GetBody2() == removed)
            joint->SetBody2(staticBody);
        else
            continue;
        joint->Prepare();
    }
    std::erase_if(contacts, [&](const Core::RefPtr<Contact>& contact) {
        return contact->GetBody1() == removed || contact->GetBody2() == removed;
    });
    freeIds.push_back(id);
    return true;
}

u32 PhysicsEngine::CloneRigidBody(u32 id, void* data)
{
    const RigidBody* source = FindBody(id);
    if (!source)
        return 0;
    return AddRigidBody(new RigidBody(*source, data));
}

Core::RefPtr<RigidBody> PhysicsEngine::GetRigidBody(u32 id) const
{
    return FindBody(id);
}

Joint* PhysicsEngine::AddJoint(u32 id1, u32 id2, Joint* joint)
{
    // A refused joint that nobody else holds is released here rather than lost.
    Core::RefPtr<Joint> hold(joint);
    if (!joint || (!FindBody(id1) && !FindBody(id2)))
        return nullptr;
    joint->SetBodies(BodyOrStatic(id1), BodyOrStatic(id2));
    joint->GetBody1()->UpdateTransform(false);
    joint->GetBody2()->UpdateTransform(false);
    joint->Prepare();
    joints.push_back(hold);
    return joint;
}

void PhysicsEngine::RemoveJoint(Joint* joint)
{
    auto found = std::find(joints.begin(), joints.end(), joint);
    if (found != joints.end())
        joints.erase(found);
}

Contact* PhysicsEngine::AddContact(u32 id1, u32 id2, Contact* contact)
{
    Core::RefPtr<Contact> hold(contact);
    RigidBody* body1 = FindBody(id1);
    RigidBody* body2 = FindBody(id2);
    if (!contact || (!body1 && !body2))
        return nullptr;
    if (!body1)
        contact->SetReferencePosition1(Math::Vector2D());
    if (!body2)
        contact->SetReferencePosition2(Math::Vector2D());
    contact->SetBodies(BodyOrStatic(id1), BodyOrStatic(id2));
    contact->Prepare();
    contacts.push_back(hold);
    return contact;
}

void PhysicsEngine::RemoveContact(Contact* contact)
{
    std::erase_if(contacts, [&](const Core::RefPtr<Contact>& entry) { return entry == contact; });
}

void PhysicsEngine::Reset()
{
    bodies.clear();
    freeIds.clear();
    constrainedBodies.clear();
    joints.clear();
    contacts.clear();
    previousContacts.clear();
    stepList.clear();
    touchedBodies.clear();
    keptContacts.clear();
}

bool PhysicsEngine::SetMassProperties(u32 id, const MassProperties& massProperties)
{
    RigidBody* body = FindBody(id);
    if (body)
        body->SetMassProperties(massProperties);
    return body != nullptr;
}

bool PhysicsEngine::GetMassProperties(u32 id, MassProperties& massProperties) const
{
    const RigidBody* body = FindBody(id);
    if (body)
        massProperties = body->GetMassProperties();
    return body != nullptr;
}

bool PhysicsEngine::SetRigidBodyPosition(u32 id, const Math::Vector2D& position)
{
    RigidBody* body = FindBody(id);
    if (body)
        body->SetPosition(position);
    return body != nullptr;
}

bool PhysicsEngine::SetRigidBodyOrientation(u32 id, float degrees)
{
    RigidBody* body = FindBody(id);
    if (body)
        body->SetOrientation(degrees);
    return body != nullptr;
}

bool PhysicsEngine::SetRigidBodyVelocity(u32 id, const Math::Vector2D& velocity)
{
    RigidBody* body = FindBody(id);
    if (body)
        body->SetVelocity(velocity * Scale);
    return body != nullptr;
}

bool PhysicsEngine::GetRigidBodyVelocity(u32 id, Math::Vector2D& velocity) const
{
    const RigidBody* body = FindBody(id);
    if (body)
        velocity = body->GetVelocity() / Scale;
    return body != nullptr;
}

bool PhysicsEngine::SetRigidBodyAngularVelocity(u32 id, float degreesPerSecond)
{
    RigidBody* body = FindBody(id);
    if (body)
        body->SetAngularVelocity(degreesPerSecond);
    return body != nullptr;
}

bool PhysicsEngine::GetRigidBodyAngularVelocity(u32 id, float& degreesPerSecond) const
{
    const RigidBody* body = FindBody(id);
    if (body)
        degreesPerSecond = body->GetAngularVelocity();
    return body != nullptr;
}

bool PhysicsEngine::GetRigidBodyCenterOfMass(u32 id, Math::Vector2D& center) const
{
    const RigidBody* body = FindBody(id);
    if (body)
        center = body->GetCenterOfMass();
    return body != nullptr;
}

bool PhysicsEngine::AddRigidBodyForce(u32 id, Force* force, u32& forceId)
{
    Core::RefPtr<Force> hold(force);
    RigidBody* body = FindBody(id);
    if (!body || !force)
        return false;
    forceId = body->AddForce(force);
    return true;
}

bool PhysicsEngine::RemoveRigidBodyForce(u32 id, u32 forceId)
{
    RigidBody* body = FindBody(id);
    return body && body->RemoveForce(forceId);
}

bool PhysicsEngine::RemoveAllRigidBodyForces(u32 id)
{
    RigidBody* body = FindBody(id);
    return body && body->RemoveAllForces();
}

void PhysicsEngine::SetAccuracy(u32 iterations)
{
    solver.SetIterations(std::max(iterations, MinimumAccuracy));
}

void PhysicsEngine::SetScale(float scale)
{
    if (scale != 0.0f)
        Scale = scale;
}

void PhysicsEngine::SetMaximumSimulationStep(float step)
{
    if (step > 0.0f)
        MaximumSimulationStep = step;
}

float PhysicsEngine::GetScale() const
{
    return Scale;
}

float PhysicsEngine::GetMaximumSimulationStep() const
{
    return MaximumSimulationStep;
}

float PhysicsEngine::GetSimulationStep() const
{
    return SimulationStep;
}

float PhysicsEngine::GetSimulationInverseStep() const
{
    return SimulationInverseStep;
}

float PhysicsEngine::GetEpsilon() const
{
    return Epsilon;
}

float PhysicsEngine::GetPlusInfinity() const
{
    return Infinity;
}

float PhysicsEngine::GetMinusInfinity() const
{
    return -Infinity;
}
} // namespace Physics2D
