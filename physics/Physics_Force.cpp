#include "physics/Physics_Force.h"

#include "core/Core_File.h"
#include "math/Math_Matrix3x3.h"
#include "physics/Physics_RigidBody.h"

namespace Physics2D
{
CORE_REGISTER_CLASS(ConstantForce, "Physics2D::ConstantForce")
CORE_REGISTER_CLASS(DragForce, "Physics2D::DragForce")

// The registry's gravity: straight down at 9.8.
Core::Object* GravityForce::Create()
{
    return new GravityForce(Math::Vector2D(0.0f, -1.0f), 9.8f);
}
CORE_REGISTER_CLASS_WITH_CREATE(GravityForce, "Physics2D::GravityForce")

Force::Force(const Math::Vector2D& point, const Math::Vector2D& vector, float timeToLive, u32 kind)
    : point(point), vector(vector), timeToLive(timeToLive), kind(kind)
{
}

Force::Force(const Force& other)
    : Core::Object(other), point(other.point), vector(other.vector), time(other.time),
      timeToLive(other.timeToLive), kind(other.kind)
{
}

void Force::SetBody(RigidBody* target)
{
    body = target;
    localPoint = body ? Math::TransformPoint(body->GetInverseMatrix(), point) : point;
}

bool Force::Update(float dt)
{
    time += dt;
    if (body)
    {
        point = Math::TransformPoint(body->GetMatrix(), localPoint);
        leverArm = point - body->GetCenterOfMass();
    }
    Evaluate(dt);
    return timeToLive <= 0.0f || time < timeToLive;
}

void Force::Save(Core::File& file)
{
    Math::WriteVector2D(file, point);
    Math::WriteVector2D(file, vector);
    Math::WriteVector2D(file, localPoint);
    Math::WriteVector2D(file, leverArm);
    Core::WriteF32(file, time);
    Core::WriteF32(file, timeToLive);
    Math::WriteVector2D(file, evaluatedForce);
    Core::WriteF32(file, evaluatedTorque);
}

void Force::Load(Core::File& file)
{
    Math::ReadVector2D(file, point);
    Math::ReadVector2D(file, vector);
    Math::ReadVector2D(file, localPoint);
    Math::ReadVector2D(file, leverArm);
    Core::ReadF32(file, time);
    Core::ReadF32(file, timeToLive);
    Math::ReadVector2D(file, evaluatedForce);
    Core::ReadF32(file, evaluatedTorque);
}

ConstantForce::ConstantForce() : ConstantForce(Math::Vector2D(), Math::Vector2D(), 0.0f)
{
}

ConstantForce::ConstantForce(const Math::Vector2D& point, const Math::Vector2D& vector, float timeToLive, u32 mode)
    : Force(point, vector, timeToLive, KindConstant), mode(mode)
{
}

void ConstantForce::Evaluate(float)
{
    switch (mode)
    {
    case ModeForce:
        evaluatedForce = vector;
        evaluatedTorque = 0.0f;
        break;
    case ModeTorque:
        evaluatedForce = Math::Vector2D();
        evaluatedTorque = vector.x;
        break;
    case ModeForceAtPoint:
        evaluatedForce = vector;
        evaluatedTorque = leverArm.x * vector.y - vector.x * leverArm.y;
        break;
    default:
        break;
    }
}

GravityForce::GravityForce(const Math::Vector2D& direction, float magnitude)
    : Force(Math::Vector2D(), Math::Vector2D(), 0.0f, KindGravity), direction(direction), magnitude(magnitude)
{
    this->direction.Normalize();
}

void GravityForce::Evaluate(float)
{
    if (!body)
        return;
    const float mass = body->GetMassProperties().GetMass();
    evaluatedForce = Math::Vector2D(mass * direction.x * magnitude, mass * direction.y * magnitude);
    evaluatedTorque = 0.0f;
}

void GravityForce::Save(Core::File& file)
{
    Force::Save(file);
    Math::WriteVector2D(file, direction);
    Core::WriteF32(file, magnitude);
}

void GravityForce::Load(Core::File& file)
{
    Force::Load(file);
    Math::ReadVector2D(file, direction);
    Core::ReadF32(file, magnitude);
}

DragForce::DragForce(float linearCoefficient, float angularCoefficient)
    : Force(Math::Vector2D(), Math::Vector2D(), 0.0f, KindDrag), linearCoefficient(linearCoefficient),
      angularCoefficient(angularCoefficient)
{
}

void DragForce::Evaluate(float)
{
    if (!body)
        return;
    const Math::Vector2D& velocity = body->GetVelocity();
    evaluatedForce = Math::Vector2D(-velocity.x * linearCoefficient, -velocity.y * linearCoefficient);
    evaluatedTorque = -body->GetAngularVelocity() * angularCoefficient;
}

void DragForce::Save(Core::File& file)
{
    Force::Save(file);
    Core::WriteF32(file, linearCoefficient);
    Core::WriteF32(file, angularCoefficient);
}

void DragForce::Load(Core::File& file)
{
    Force::Load(file);
    Core::ReadF32(file, linearCoefficient);
    Core::ReadF32(file, angularCoefficient);
}
} // namespace Physics2D
