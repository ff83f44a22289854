#include "physics/Physics_RigidBody.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "physics/Physics_Globals.h"

#include <cmath>
#include <cstring>

namespace Physics2D
{
CORE_REGISTER_CLASS(RigidBody, "Physics2D::RigidBody")

namespace
{
constexpr u32 StateSize = 3;

Core::RefPtr<ODESolver> MakeIntegrator(u32 kind, DerivativeFunction derivative, const Core::Vector<float>& state,
                                       void* user)
{
    switch (kind)
    {
    case RigidBody::IntegratorNone:
        return nullptr;
    case RigidBody::IntegratorHeun:
        return new ODESolverHeun(derivative, state, user);
    case RigidBody::IntegratorRungeKutta:
        return new ODESolverRungeKuttaN4(derivative, state, user);
    default:
        return new ODESolverEuler(derivative, state, user);
    }
}

// Speeds at or under Epsilon are taken as rest.
float Settle(float speed)
{
    return std::fabs(speed) <= Epsilon ? 0.0f : speed;
}
} // namespace

RigidBody::RigidBody()
{
    forces.SetBody(this);
}

RigidBody::RigidBody(const MassProperties& massProperties, u32 integratorKind, BodyCallback placementCallback,
                     BodyCallback stepCallback, void* data)
    : massProperties(massProperties), integratorKind(integratorKind), placementCallback(placementCallback),
      stepCallback(stepCallback), callbackData(data)
{
    forces.SetBody(this);
    CreateIntegrators(integratorKind);
    RebuildMatrices();
}

RigidBody::RigidBody(const RigidBody& source, void* data)
    : Core::Object(), massProperties(source.massProperties), integratorKind(source.integratorKind),
      velocity(source.velocity), angularVelocity(source.angularVelocity), position(source.position),
      orientation(source.orientation), placementCallback(source.placementCallback),
      stepCallback(source.stepCallback), callbackData(data)
{
    forces.SetBody(this);
    // A copy always integrates: one of a kind without integrators gets Euler ones (and keeps its kind).
    CreateIntegrators(integratorKind == IntegratorNone ? IntegratorEuler : integratorKind);
    RebuildMatrices();
    for (u32 id = 0; id < source.forces.GetSlotCount(); ++id)
    {
        if (const Force* force = source.forces.GetForce(id))
            AddForce(static_cast<Force*>(force->Clone()));
    }
}

void RigidBody::CreateIntegrators(u32 kind)
{
    const Core::Vector<float> motion{velocity.x, velocity.y, angularVelocity};
    const Core::Vector<float> pose{position.x, position.y, orientation};
    velocityIntegrator = MakeIntegrator(kind, &VelocityDerivative, motion, this);
    poseIntegrator = MakeIntegrator(kind, &PoseDerivative, pose, this);
}

void RigidBody::WriteVelocityState()
{
    Core::Vector<float>& state = velocityIntegrator->GetState();
    state[0] = velocity.x;
    state[1] = velocity.y;
    state[2] = angularVelocity;
}

void RigidBody::WritePoseState()
{
    Core::Vector<float>& state = poseIntegrator->GetState();
    state[0] = position.x;
    state[1] = position.y;
    state[2] = orientation;
}

void RigidBody::SetVelocity(const Math::Vector2D& value)
{
    velocity = value;
    if (velocityIntegrator)
        WriteVelocityState();
}

void RigidBody::SetAngularVelocity(float degreesPerSecond)
{
    angularVelocity = degreesPerSecond * Math::DegreesToRadians;
    if (velocityIntegrator)
        WriteVelocityState();
}

void RigidBody::SetPosition(const Math::Vector2D& value)
{
    position = value;
    if (poseIntegrator)
        WritePoseState();
    RebuildMatrices();
}

void RigidBody::SetOrientation(float degrees)
{
    orientation = degrees * Math::DegreesToRadians;
    if (poseIntegrator)
        WritePoseState();
    RebuildMatrices();
}

void RigidBody::MovePose(const Math::Vector2D& offset, float angle)
{
    position.x += offset.x;
    position.y += offset.y;
    orientation += angle;
    if (poseIntegrator)
        WritePoseState();
}

u32 RigidBody::AddForce(Force* force)
{
    if (force && force->GetTimeToLive() < 0.0f)
        force->SetTimeToLive(0.0f);
    return forces.AddForce(force);
}

void RigidBody::AccumulateForces(float dt)
{
    forceSum = Math::Vector2D();
    torqueSum = 0.0f;
    forces.Update(dt, forceSum, torqueSum);
    forceSum.x *= Scale;
    forceSum.y *= Scale;
    torqueSum *= Scale;
}

void RigidBody::ClearForceSums()
{
    forceSum = Math::Vector2D();
    torqueSum = 0.0f;
}

void RigidBody::RebuildMatrices()
{
    if (!rotationBuilt || std::memcmp(&rotationOrientation, &orientation, sizeof orientation) != 0)
    {
        rotation = Math::Matrix3x3::Rotation(orientation * Math::RadiansToDegrees);
        rotationOrientation = orientation;
        rotationBuilt = true;
        placedInverseBuilt = false;
    }
    const Math::Vector2D& center = massProperties.GetCenterOfMass();
    if (PlaceAtCenterOfMass())
    {
        InvertPlacement();
    }
    else
    {
        bodyToWorld = Math::Matrix3x3::Translation(position - center) * Math::Matrix3x3::Translation(center) *
                      rotation * Math::Matrix3x3::Translation(-center);
        bodyToWorld.Inverse(worldToBody);
    }
    worldCenterOfMass = Math::TransformPoint(bodyToWorld, center);
}

void RigidBody::InvertPlacement()
{
    // The general inverse's products, with the last row's constants written as such. With the
    // cosine not zero, the determinant's position terms are zeros that its nonzero rotation terms
    // absorb, so it and its reciprocal stand as long as the rotation does.
    const float* m = bodyToWorld.m;
    const float c = m[0];
    if (c == 0.0f)
    {
        bodyToWorld.Inverse(worldToBody);
        return;
    }
    if (!placedInverseBuilt)
    {
        placedDeterminant = (1.0f * m[4] - 0.0f * m[5]) * c - (1.0f * m[3] - 0.0f * m[5]) * m[1] +
                            (0.0f * m[3] - 0.0f * m[4]) * m[2];
        placedReciprocal = 1.0f / placedDeterminant;
        placedInverseBuilt = true;
    }
    if (-Math::Epsilon < placedDeterminant && placedDeterminant < Math::Epsilon)
        return;
    const float adjugate[9] = {
        1.0f * m[4] - 0.0f * m[5], m[2] * 0.0f - 1.0f * m[1], m[5] * m[1] - m[2] * m[4],
        0.0f * m[5] - 1.0f * m[3], c * 1.0f - m[2] * 0.0f,    m[2] * m[3] - m[5] * c,
        0.0f * m[3] - 0.0f * m[4], 0.0f * m[1] - 0.0f * c,    c * m[4] - m[3] * m[1],
    };
    for (int i = 0; i < 9; ++i)
        worldToBody.m[i] = adjugate[i] * placedReciprocal;
}

bool RigidBody::PlaceAtCenterOfMass()
{
    // With the centre of mass at +0, +0 and a finite placement, the four products above reduce to
    // these entries, float for float: every product with a zero entry is a signed zero that the
    // sums absorb, except that a sine of ±0 leaves +0 in both corners and 0 + p turns −0 into +0.
    const Math::Vector2D& center = massProperties.GetCenterOfMass();
    const float cosine = rotation.m[0];
    const float sine = rotation.m[3];
    if (center.x != 0.0f || center.y != 0.0f || std::signbit(center.x) || std::signbit(center.y) ||
        !std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(cosine) || !std::isfinite(sine))
        return false;
    const float up = sine == 0.0f ? 0.0f : sine;
    const float down = sine == 0.0f ? 0.0f : -sine;
    bodyToWorld.m[0] = cosine;
    bodyToWorld.m[1] = down;
    bodyToWorld.m[2] = 0.0f + position.x;
    bodyToWorld.m[3] = up;
    bodyToWorld.m[4] = cosine;
    bodyToWorld.m[5] = 0.0f + position.y;
    bodyToWorld.m[6] = 0.0f;
    bodyToWorld.m[7] = 0.0f;
    bodyToWorld.m[8] = 1.0f;
    return true;
}

void RigidBody::UpdateTransform(bool stepForm)
{
    RebuildMatrices();
    if (!stepForm && placementCallback)
        placementCallback(this, callbackData);
    else if (stepCallback)
        stepCallback(this, callbackData);
}

void RigidBody::Integrate(float h)
{
    if (!velocityIntegrator || !poseIntegrator)
        return;

    // Euler integrators bound to this body's own derivatives (every body's, unless rebound) step
    // with the derivative taken here: the same floats without the calls through the integrator.
    const bool euler = velocityIntegrator->IsEuler() && poseIntegrator->IsEuler() &&
                       velocityIntegrator->GetStateSize() == StateSize && poseIntegrator->GetStateSize() == StateSize &&
                       velocityIntegrator->IsBoundTo(&VelocityDerivative, this) &&
                       poseIntegrator->IsBoundTo(&PoseDerivative, this);
    float slope[StateSize];
    if (euler)
    {
        VelocityDerivative(0.0f, nullptr, slope, StateSize, this);
        static_cast<ODESolverEuler*>(velocityIntegrator.Get())->Advance(slope, h);
    }
    else
    {
        velocityIntegrator->Step(h);
    }
    Core::Vector<float>& motion = velocityIntegrator->GetState();
    velocity = Math::Vector2D(Settle(motion[0]), Settle(motion[1]));
    angularVelocity = Settle(motion[2]);

    const float limit = AngularSpeedLimit * Scale;
    if (angularVelocity > limit)
    {
        angularVelocity = (limit * Math::RadiansToDegrees) * Math::DegreesToRadians;
        motion[2] = angularVelocity;
    }
    else if (angularVelocity < -limit)
    {
        angularVelocity = (-limit * Math::RadiansToDegrees) * Math::DegreesToRadians;
        motion[2] = angularVelocity;
    }

    if (euler)
    {
        PoseDerivative(0.0f, nullptr, slope, StateSize, this);
        static_cast<ODESolverEuler*>(poseIntegrator.Get())->Advance(slope, h);
    }
    else
    {
        poseIntegrator->Step(h);
    }
    const Core::Vector<float>& pose = poseIntegrator->GetState();
    position = Math::Vector2D(pose[0], pose[1]);
    orientation = pose[2];
    UpdateTransform(false);
}

void RigidBody::VelocityDerivative(float, const float*, float* derivative, u32 count, void* user)
{
    if (count < StateSize)
        return;
    const RigidBody* body = static_cast<const RigidBody*>(user);
    const float inverseMass = body->massProperties.GetInverseMass();
    derivative[0] = inverseMass * body->forceSum.x;
    derivative[1] = inverseMass * body->forceSum.y;
    derivative[2] = body->massProperties.GetInverseInertia() * body->torqueSum;
    if (const float* constraint = body->accumulator)
    {
        derivative[0] += constraint[0];
        derivative[1] += constraint[1];
        derivative[2] += constraint[2];
    }
}

void RigidBody::PoseDerivative(float, const float*, float* derivative, u32 count, void* user)
{
    if (count < StateSize)
        return;
    const RigidBody* body = static_cast<const RigidBody*>(user);
    derivative[0] = body->velocity.x;
    derivative[1] = body->velocity.y;
    derivative[2] = body->angularVelocity;
}

void RigidBody::Save(Core::File& file)
{
    massProperties.Save(file);
    forces.Save(file);
    Math::WriteVector2D(file, forceSum);
    Core::WriteF32(file, torqueSum);
    Math::WriteVector2D(file, velocity);
    Core::WriteF32(file, angularVelocity);
    Math::WriteVector2D(file, position);
    Core::WriteF32(file, orientation);
    rotation.Save(file);
    bodyToWorld.Save(file);
    worldToBody.Save(file);
    Math::WriteVector2D(file, worldCenterOfMass);
    Core::WriteF32(file, AngularSpeedLimit);
    Core::WriteU32(file, integratorKind);
    file.WriteObject(velocityIntegrator);
    file.WriteObject(poseIntegrator);
}

void RigidBody::Load(Core::File& file)
{
    massProperties.Load(file);
    forces.Load(file);
    Math::ReadVector2D(file, forceSum);
    Core::ReadF32(file, torqueSum);
    Math::ReadVector2D(file, velocity);
    Core::ReadF32(file, angularVelocity);
    Math::ReadVector2D(file, position);
    Core::ReadF32(file, orientation);
    rotation.Load(file);
    rotationBuilt = false;
    bodyToWorld.Load(file);
    worldToBody.Load(file);
    Math::ReadVector2D(file, worldCenterOfMass);
    float limit = 0.0f;
    if (Core::ReadF32(file, limit))
        AngularSpeedLimit = limit;
    Core::ReadU32(file, integratorKind);
    velocityIntegrator.Reset();
    poseIntegrator.Reset();
    file.ReadObjectInto(velocityIntegrator);
    file.ReadObjectInto(poseIntegrator);
    BindLoadedIntegrators(file);
}

void RigidBody::BindLoadedIntegrators(Core::File& file)
{
    for (Core::RefPtr<ODESolver>* integrator : {&velocityIntegrator, &poseIntegrator})
    {
        if (*integrator && (*integrator)->GetStateSize() != StateSize)
        {
            file.SetFailed();
            integrator->Reset();
        }
    }
    if (velocityIntegrator)
        velocityIntegrator->Bind(&VelocityDerivative, this);
    if (poseIntegrator)
        poseIntegrator->Bind(&PoseDerivative, this);
}
} // namespace Physics2D
