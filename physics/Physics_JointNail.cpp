#include "physics/Physics_JointNail.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "math/Math_Matrix3x3.h"
#include "physics/Physics_Globals.h"

#include <cmath>

namespace Physics2D
{
CORE_REGISTER_CLASS(JointNail, "Physics2D::JointNail")
CORE_REGISTER_CLASS(JointHinge, "Physics2D::JointHinge")
CORE_REGISTER_CLASS(JointSpring, "Physics2D::JointSpring")

namespace
{
constexpr u32 NailRows = 2;
// Margin inside the angle limit before the limit row takes over (degrees).
constexpr float LimitMargin = 0.01f;

enum class AngleLimit
{
    None,
    Lower,
    Upper
};
} // namespace

JointNail::JointNail()
    : JointNail(KindNail, Math::Vector2D(), Math::Vector2D(), Math::Vector2D(1.0f, 0.0f), 0.0f, 0.0f, NoAngleLimit,
                0.0f)
{
}

JointNail::JointNail(const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2,
                     const Math::Vector2D& worldAxis, float stiffness, float damping, float angleLimit,
                     float correctionFactor)
    : JointNail(KindNail, worldAnchor1, worldAnchor2, worldAxis, stiffness, damping, angleLimit, correctionFactor)
{
}

JointNail::JointNail(u32 kind, const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2,
                     const Math::Vector2D& worldAxis, float stiffness, float damping, float angleLimit,
                     float correctionFactor)
    : Joint(kind, NailRows, ClampCorrectionFactor(correctionFactor), 0), worldAxis(worldAxis), stiffness(stiffness),
      damping(damping), angleLimit(angleLimit), worldAnchor1(worldAnchor1), worldAnchor2(worldAnchor2)
{
}

void JointNail::Prepare()
{
    const RigidBody* body1 = GetBody1();
    const RigidBody* body2 = GetBody2();
    if (!IsStatic(body1) && !IsStatic(body2))
        localAxis = Math::TransformDirection(body1->GetInverseMatrix(), worldAxis);
    else
        localAxis = worldAxis;
    localAxis.Normalize();
    localAnchor1 = Math::TransformPoint(body1->GetInverseMatrix(), worldAnchor1);
    localAnchor2 = Math::TransformPoint(body2->GetInverseMatrix(), worldAnchor2);
    restAngle = RelativeAngle();
}

float JointNail::GetAngleError() const
{
    return std::fmod(RelativeAngle() - restAngle, 360.0f);
}

u32 JointNail::GetRowCount()
{
    const float error = GetAngleError();
    const bool withinLimit = LimitMargin - angleLimit <= error && error <= angleLimit - LimitMargin;
    rows = withinLimit ? GetDeclaredRows() : GetDeclaredRows() + 1;
    return rows;
}

void JointNail::FillRows(const RowBlock& block)
{
    using JointRows::Cross;
    const RigidBody* body1 = GetBody1();
    const RigidBody* body2 = GetBody2();

    worldAxis = !IsStatic(body1) && !IsStatic(body2)
                    ? Math::TransformDirection(body1->GetRotationMatrix(), localAxis)
                    : localAxis;
    axis = worldAxis;
    perpendicular = Math::Vector2D(-axis.y, axis.x);

    worldAnchor1 = Math::TransformPoint(body1->GetMatrix(), localAnchor1);
    worldAnchor2 = Math::TransformPoint(body2->GetMatrix(), localAnchor2);
    const Math::Vector2D r1 = worldAnchor1 - body1->GetCenterOfMass();
    const Math::Vector2D r2 = worldAnchor2 - body2->GetCenterOfMass();
    leverArm2 = r2;

    float error = GetAngleError();
    AngleLimit limit = AngleLimit::None;
    if (error < LimitMargin - angleLimit)
    {
        limit = AngleLimit::Lower;
        error = error + angleLimit;
    }
    else if (error > angleLimit - LimitMargin)
    {
        limit = AngleLimit::Upper;
        error = error - angleLimit;
    }

    const Math::Vector2D& d = axis;
    const Math::Vector2D& p = perpendicular;
    JointRows::SetJacobian(block, 0, d.x, d.y, Cross(r1, d), -d.x, -d.y, -Cross(r2, d));
    JointRows::SetJacobian(block, 1, p.x, p.y, Cross(r1, p), -p.x, -p.y, -Cross(r2, p));

    JointRows::SetRigidUnbounded(block, NailRows);
    const float rate = CorrectionRate();
    float axisFactor = rate;
    if (stiffness != 0.0f)
    {
        // A spring whose h·k + c is 0 (a pass of dt 0 with no damping) has no softness to give: it
        // keeps the rigid row rather than dividing by zero.
        const float h = SimulationStep;
        const float stepStiffness = h * stiffness;
        const float softness = stepStiffness + damping;
        if (softness != 0.0f)
        {
            axisFactor = SimulationInverseStep * (stepStiffness / softness);
            block.regularizer[0] = 1.0f / softness;
        }
    }

    const Math::Vector2D separation = worldAnchor2 - worldAnchor1;
    leverArm1 = separation;
    block.target[0] = Math::Dot(separation, d) * axisFactor;
    block.target[1] = Math::Dot(separation, p) * rate;

    if (rows > GetDeclaredRows() && limit != AngleLimit::None)
    {
        JointRows::SetJacobian(block, 2, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, -1.0f);
        block.target[2] = error * rate * Math::DegreesToRadians;
        block.regularizer[2] = 0.0f;
        block.lower[2] = limit == AngleLimit::Upper ? 0.0f : -Infinity;
        block.upper[2] = limit == AngleLimit::Upper ? Infinity : 0.0f;
    }
}

void JointNail::Save(Core::File& file)
{
    SaveJoint(file);
    for (const Math::Vector2D* v : {&axis, &perpendicular, &localAxis, &worldAxis})
        Math::WriteVector2D(file, *v);
    Core::WriteF32(file, stiffness);
    Core::WriteF32(file, damping);
    Core::WriteF32(file, angleLimit);
    for (const Math::Vector2D* v :
         {&localAnchor1, &localAnchor2, &worldAnchor1, &worldAnchor2, &leverArm1, &leverArm2})
        Math::WriteVector2D(file, *v);
    Core::WriteF32(file, restAngle);
}

void JointNail::Load(Core::File& file)
{
    LoadJoint(file);
    for (Math::Vector2D* v : {&axis, &perpendicular, &localAxis, &worldAxis})
        Math::ReadVector2D(file, *v);
    Core::ReadF32(file, stiffness);
    Core::ReadF32(file, damping);
    Core::ReadF32(file, angleLimit);
    for (Math::Vector2D* v : {&localAnchor1, &localAnchor2, &worldAnchor1, &worldAnchor2, &leverArm1, &leverArm2})
        Math::ReadVector2D(file, *v);
    Core::ReadF32(file, restAngle);
}

JointHinge::JointHinge()
    : JointNail(KindHinge, Math::Vector2D(), Math::Vector2D(), Math::Vector2D(1.0f, 0.0f), 0.0f, 0.0f, NoAngleLimit,
                0.0f)
{
}

JointHinge::JointHinge(const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2,
                       const Math::Vector2D& worldAxis, float stiffness, float damping, float angleLimit,
                       float correctionFactor)
    : JointNail(KindHinge, worldAnchor1, worldAnchor2, worldAxis, stiffness, damping, angleLimit, correctionFactor)
{
}

JointSpring::JointSpring()
    : JointNail(KindSpring, Math::Vector2D(), Math::Vector2D(), Math::Vector2D(1.0f, 0.0f), 0.0f, 0.0f, NoAngleLimit,
                0.0f)
{
}

JointSpring::JointSpring(const Math::Vector2D& worldAnchor1, const Math::Vector2D& worldAnchor2,
                         const Math::Vector2D& worldAxis, float stiffness, float damping, float angleLimit,
                         float correctionFactor)
    : JointNail(KindSpring, worldAnchor1, worldAnchor2, worldAxis, stiffness, damping, angleLimit, correctionFactor)
{
}
} // namespace Physics2D
