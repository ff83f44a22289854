#pragma once

#include "core/Core_Object.h"
#include "math/Math_Constants.h"
#include "math/Math_Matrix3x3.h"
#include "math/Math_Vector2D.h"
#include "physics/Physics_Forces.h"
#include "physics/Physics_MassProperties.h"
#include "physics/Physics_ODESolver.h"

namespace Core
{
class File;
}

namespace Physics2D
{
class RigidBody;

// Called with the body and its callback data when the body's placement is rebuilt.
using BodyCallback = void (*)(RigidBody* body, void* data);

// One simulated body. Angles and angular speeds are radians inside and degrees (per second) at every
// operation that takes or returns one. Invariants: the matrices and the world centre of mass match
// the position and orientation they were last rebuilt from; a body with integrators keeps their
// states equal to its velocity and pose except where a step changed the body's copy (speeds under
// Epsilon); a body without integrators never moves by integration.
class RigidBody : public Core::Object
{
    CORE_CLASS(RigidBody)
public:
    static constexpr u32 IntegratorEuler = 0;
    static constexpr u32 IntegratorHeun = 1;
    static constexpr u32 IntegratorRungeKutta = 2;
    static constexpr u32 IntegratorNone = 3;

    // A body read from a stream: no integrators, callbacks or data until loaded and bound.
    RigidBody();
    // Integrators of the chosen kind (1 Heun, 2 Runge-Kutta, 3 none, any other Euler) over the zero
    // velocity and pose.
    RigidBody(const MassProperties& massProperties, u32 integratorKind, BodyCallback placementCallback,
              BodyCallback stepCallback, void* data);
    // A copy of the source's mass, callbacks, kind, motion and forces, carrying the given data. Its
    // integrators follow the kind, except that a kind without integrators gets Euler ones.
    RigidBody(const RigidBody& source, void* data);
    RigidBody(const RigidBody&) = delete;
    RigidBody& operator=(const RigidBody&) = delete;

    Object* Clone() const override { return new RigidBody(*this, callbackData); }
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // One step of the velocity and pose integrators, then the placement callbacks.
    virtual void Integrate(float h);

    const MassProperties& GetMassProperties() const { return massProperties; }
    // Copies all five values, inverses included, as given.
    void SetMassProperties(const MassProperties& value) { massProperties = value; }

    const Math::Vector2D& GetVelocity() const { return velocity; }
    float GetAngularVelocity() const { return angularVelocity * Math::RadiansToDegrees; }
    float GetAngularVelocityRadians() const { return angularVelocity; }
    const Math::Vector2D& GetPosition() const { return position; }
    float GetOrientation() const { return orientation * Math::RadiansToDegrees; }
    float GetOrientationRadians() const { return orientation; }
    const Math::Matrix3x3& GetRotationMatrix() const { return rotation; }
    const Math::Matrix3x3& GetMatrix() const { return bodyToWorld; }
    const Math::Matrix3x3& GetInverseMatrix() const { return worldToBody; }
    const Math::Vector2D& GetCenterOfMass() const { return worldCenterOfMass; }

    // The motion setters set the body's fields whether or not it has integrators (a body of kind 3
    // is placed by its owner); the matching integrator's state follows when there is one.
    void SetVelocity(const Math::Vector2D& value);
    void SetAngularVelocity(float degreesPerSecond);
    void SetPosition(const Math::Vector2D& value);
    void SetOrientation(float degrees);

    // A negative time to live becomes 0 (unlimited).
    u32 AddForce(Force* force);
    bool RemoveForce(u32 id) { return forces.RemoveForce(id); }
    bool RemoveAllForces() { return forces.RemoveAllForces(); }
    const Forces& GetForces() const { return forces; }

    void SetPlacementCallback(BodyCallback callback) { placementCallback = callback; }
    void SetStepCallback(BodyCallback callback) { stepCallback = callback; }
    void SetCallbackData(void* data) { callbackData = data; }
    BodyCallback GetPlacementCallback() const { return placementCallback; }
    BodyCallback GetStepCallback() const { return stepCallback; }
    void* GetCallbackData() const { return callbackData; }

    u32 GetIntegratorKind() const { return integratorKind; }
    ODESolver* GetVelocityIntegrator() const { return velocityIntegrator; }
    ODESolver* GetPoseIntegrator() const { return poseIntegrator; }

    // Force and torque sums of the step, scaled by Scale.
    void AccumulateForces(float dt);
    const Math::Vector2D& GetForceSum() const { return forceSum; }
    float GetTorqueSum() const { return torqueSum; }
    void ClearForceSums();

    // Rebuilds the matrices, then runs the callbacks: in placement form the placement callback (or,
    // without one, the step callback); in step form only the step callback.
    void UpdateTransform(bool stepForm);

    // The solver's three-float slot (linear x, linear y, angular) during a pass; null otherwise.
    float* GetAccumulator() const { return accumulator; }
    void SetAccumulator(float* slot) { accumulator = slot; }
    // The position pass's correction: moves the pose (radians for the angle) without touching the
    // velocities, keeping the pose integrator's state with it.
    void MovePose(const Math::Vector2D& offset, float angle);

    static void VelocityDerivative(float time, const float* state, float* derivative, u32 count, void* user);
    static void PoseDerivative(float time, const float* state, float* derivative, u32 count, void* user);

protected:
    const char* GetScriptTypeName() const override { return "RigidBody"; }

private:
    friend class PhysicsEngine;

    void CreateIntegrators(u32 kind);
    // Binds loaded integrators to this body; one that is not a three-element state fails the
    // stream and is dropped.
    void BindLoadedIntegrators(Core::File& file);
    void RebuildMatrices();
    // The body-to-world matrix of the common case without the general products; false (nothing
    // written) outside that case.
    bool PlaceAtCenterOfMass();
    // The world-to-body matrix of that case, with the general inverse's floats.
    void InvertPlacement();
    void WriteVelocityState();
    void WritePoseState();

    Core::RefPtr<ODESolver> velocityIntegrator; // (velocity x, velocity y, angular velocity)
    Core::RefPtr<ODESolver> poseIntegrator;     // (position x, position y, orientation)
    MassProperties massProperties;
    u32 integratorKind = IntegratorEuler;
    Math::Vector2D forceSum;
    float torqueSum = 0.0f;
    float* accumulator = nullptr;
    Math::Vector2D velocity;
    float angularVelocity = 0.0f; // radians per second
    Math::Vector2D position;      // world position of the centre of mass
    float orientation = 0.0f;     // radians
    // Next to the mass and the state above, so that the engine's walks over the bodies (the marks),
    // the rows (masses, velocities, world-to-body matrix, centre of mass) and the integration read
    // few lines of each body.
    Math::Matrix3x3 worldToBody;
    Math::Vector2D worldCenterOfMass;
    // Membership marks of the engine's per-pass lists (equal to the engine's mark of that list).
    u32 touchedMark = 0;
    u32 collectedMark = 0;
    // The engine's contact matching: while matchMark is the engine's mark, the first previous contacts
    // (by position) not yet kept that have this body as body 1 and as body 2.
    u32 matchMark = 0;
    u32 firstAsBody1 = 0;
    u32 firstAsBody2 = 0;
    Forces forces;
    Math::Matrix3x3 rotation;
    // The orientation rotation was last built from, while rotationBuilt: rebuilding from the same
    // bits gives the same matrix, so the sine and cosine are not taken again.
    float rotationOrientation = 0.0f;
    bool rotationBuilt = false;
    // The determinant of the placed body-to-world matrix and its reciprocal, while
    // placedInverseBuilt: they depend on the rotation alone.
    float placedDeterminant = 0.0f;
    float placedReciprocal = 0.0f;
    bool placedInverseBuilt = false;
    Math::Matrix3x3 bodyToWorld;
    BodyCallback placementCallback = nullptr;
    BodyCallback stepCallback = nullptr;
    void* callbackData = nullptr;
};
} // namespace Physics2D
