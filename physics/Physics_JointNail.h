#pragma once

#include "math/Math_Vector2D.h"
#include "physics/Physics_Joint.h"

#include <cfloat>

namespace Physics2D
{
// Pins an anchor of body 1 to an anchor of body 2. With a stiffness the row along the axis becomes
// a damped spring (softened by a regulariser) while the row across it stays rigid. The relative
// angle is kept within ±angle limit (degrees) of the rest angle by a one-sided third row.
// Hinge and spring are the same joint under other names.
class JointNail : public Joint
{
    CORE_CLASS(JointNail)
public:
    // No limit: the relative angle never reaches it.
    static constexpr float NoAngleLimit = FLT_MAX;

    JointNail();
    // The anchors and the axis are world values at the time the joint is added to the engine. The
    // correction factor is clamped to [0, 1].
    JointNail(const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2, const Math::Vector2D& worldAxis,
              float stiffness, float damping, float angleLimit, float correctionFactor);

    Object* Clone() const override { return new JointNail(*this); }
    void Prepare() override;
    u32 GetRowCount() override;
    void FillRows(const RowBlock& block) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    const Math::Vector2D& GetWorldAnchor1() const { return worldAnchor1; }
    const Math::Vector2D& GetWorldAnchor2() const { return worldAnchor2; }
    const Math::Vector2D& GetWorldAxis() const { return worldAxis; }
    float GetStiffness() const { return stiffness; }
    float GetDamping() const { return damping; }
    float GetAngleLimit() const { return angleLimit; }
    float GetRestAngle() const { return restAngle; }
    // fmod(θ2 − θ1 − rest angle, 360), degrees.
    float GetAngleError() const;

protected:
    JointNail(u32 kind, const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2,
              const Math::Vector2D& worldAxis, float stiffness, float damping, float angleLimit,
              float correctionFactor);

    const char* GetScriptTypeName() const override { return "JointNail"; }

private:
    Math::Vector2D axis; // as filled
    Math::Vector2D perpendicular;
    Math::Vector2D localAxis;
    Math::Vector2D worldAxis;
    float stiffness;
    float damping;
    float angleLimit; // degrees
    Math::Vector2D localAnchor1;
    Math::Vector2D localAnchor2;
    Math::Vector2D worldAnchor1;
    Math::Vector2D worldAnchor2;
    Math::Vector2D leverArm1; // the anchor separation after a fill
    Math::Vector2D leverArm2;
    float restAngle = 0.0f; // degrees
};

class JointHinge : public JointNail
{
    CORE_CLASS(JointHinge)
public:
    JointHinge();
    JointHinge(const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2, const Math::Vector2D& worldAxis,
               float stiffness, float damping, float angleLimit, float correctionFactor);
    Object* Clone() const override { return new JointHinge(*this); }

protected:
    const char* GetScriptTypeName() const override { return "JointHinge"; }
};

class JointSpring : public JointNail
{
    CORE_CLASS(JointSpring)
public:
    JointSpring();
    JointSpring(const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2, const Math::Vector2D& worldAxis,
                float stiffness, float damping, float angleLimit, float correctionFactor);
    Object* Clone() const override { return new JointSpring(*this); }

protected:
    const char* GetScriptTypeName() const override { return "JointSpring"; }
};
} // namespace Physics2D
