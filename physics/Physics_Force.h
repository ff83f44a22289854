#pragma once

#include "core/Core_Object.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Physics2D
{
class RigidBody;

// An external force on one body, evaluated once per velocity pass. The body is not counted: the
// body's force container owns the force and clears the link when it lets the force go.
class Force : public Core::Object
{
public:
    static constexpr u32 KindConstant = 0;
    static constexpr u32 KindGravity = 1;
    static constexpr u32 KindDrag = 2;

    Force(const Math::Vector2D& point, const Math::Vector2D& vector, float timeToLive, u32 kind);
    // Point, vector, time and time to live; no body, the derived vectors and results zero.
    Force(const Force& other);

    // Links the force to a body (or none); the point of application is kept in the body's frame.
    void SetBody(RigidBody* target);
    RigidBody* GetBody() const { return body; }
    // Advances the time, follows the body and evaluates. False once the time has reached a
    // positive time to live: the force is then finished after this step.
    bool Update(float dt);
    // Fills the evaluated force and torque.
    virtual void Evaluate(float dt) = 0;

    const Math::Vector2D& GetPosition() const { return point; }
    void SetPosition(const Math::Vector2D& worldPoint) { point = worldPoint; }
    const Math::Vector2D& GetVector() const { return vector; }
    const Math::Vector2D& GetLocalPoint() const { return localPoint; }
    const Math::Vector2D& GetLeverArm() const { return leverArm; }
    float GetTime() const { return time; }
    float GetTimeToLive() const { return timeToLive; }
    void SetTimeToLive(float seconds) { timeToLive = seconds; }
    const Math::Vector2D& GetEvaluatedForce() const { return evaluatedForce; }
    float GetEvaluatedTorque() const { return evaluatedTorque; }
    u32 GetKind() const { return kind; }

    // Stream form: point, vector, local point, lever arm, time, time to live, evaluated force and
    // torque.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

protected:
    const char* GetScriptTypeName() const override { return "Force"; }

    Math::Vector2D point;   // world point of application
    Math::Vector2D vector;  // the force as given
    RigidBody* body = nullptr;
    Math::Vector2D localPoint;
    Math::Vector2D leverArm; // point - the body's world centre of mass
    float time = 0.0f;
    float timeToLive = 0.0f; // 0 or less: unlimited
    Math::Vector2D evaluatedForce;
    float evaluatedTorque = 0.0f;

private:
    friend class Forces;
    // The body link of a force read from a stream, without moving its stored local point.
    void AttachLoaded(RigidBody* owner) { body = owner; }

    u32 kind;
};

// A fixed force: mode 0 the vector as a force, mode 1 vector.x as a torque, mode 2 the vector at
// the point of application (force plus its torque about the centre of mass).
class ConstantForce : public Force
{
    CORE_CLASS(ConstantForce)
public:
    static constexpr u32 ModeForce = 0;
    static constexpr u32 ModeTorque = 1;
    static constexpr u32 ModeForceAtPoint = 2;

    ConstantForce();
    ConstantForce(const Math::Vector2D& point, const Math::Vector2D& vector, float timeToLive,
                  u32 mode = ModeForceAtPoint);
    Object* Clone() const override { return new ConstantForce(*this); }
    void Evaluate(float dt) override;
    u32 GetMode() const { return mode; }

protected:
    const char* GetScriptTypeName() const override { return "ConstantForce"; }

private:
    u32 mode; // not in the stream form: a loaded force takes mode 2
};

// Weight: mass × magnitude along a unit direction.
class GravityForce : public Force
{
    CORE_CLASS(GravityForce)
public:
    GravityForce(const Math::Vector2D& direction, float magnitude);
    Object* Clone() const override { return new GravityForce(*this); }
    void Evaluate(float dt) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    const Math::Vector2D& GetDirection() const { return direction; }
    float GetMagnitude() const { return magnitude; }

protected:
    const char* GetScriptTypeName() const override { return "GravityForce"; }

private:
    Math::Vector2D direction;
    float magnitude;
};

// Resistance proportional to the linear velocity and to the angular velocity in degrees per second.
class DragForce : public Force
{
    CORE_CLASS(DragForce)
public:
    explicit DragForce(float linearCoefficient = 0.0f, float angularCoefficient = 0.0f);
    Object* Clone() const override { return new DragForce(*this); }
    void Evaluate(float dt) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

protected:
    const char* GetScriptTypeName() const override { return "DragForce"; }

private:
    float linearCoefficient;
    float angularCoefficient;
};
} // namespace Physics2D
