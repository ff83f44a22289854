#include "physics/Physics_JointSlider.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "math/Math_Matrix3x3.h"
#include "physics/Physics_Globals.h"

namespace Physics2D
{
CORE_REGISTER_CLASS(JointSlider, "Physics2D::JointSlider")

namespace
{
constexpr u32 SliderRows = 2;
}

JointSlider::JointSlider() : JointSlider(Math::Vector2D(1.0f, 0.0f), 0.0f)
{
}

JointSlider::JointSlider(const Math::Vector2D& worldAxis, float correctionFactor)
    : Joint(KindSlider, SliderRows, ClampCorrectionFactor(correctionFactor), 0), worldAxis(worldAxis)
{
}

void JointSlider::Prepare()
{
    const RigidBody* body1 = GetBody1();
    const RigidBody* body2 = GetBody2();
    localAxis = Math::TransformDirection(body1->GetInverseMatrix(), worldAxis);
    localAxis.Normalize();
    localOffset =
        Math::TransformDirection(body1->GetInverseMatrix(), body2->GetCenterOfMass() - body1->GetCenterOfMass());
    restAngle = RelativeAngle();
}

void JointSlider::FillRows(const RowBlock& block)
{
    const RigidBody* body1 = GetBody1();
    const RigidBody* body2 = GetBody2();
    const Math::Vector2D between = body2->GetCenterOfMass() - body1->GetCenterOfMass();

    halfOffset = between * 0.5f;
    const Math::Vector2D n = Math::TransformDirection(body1->GetRotationMatrix(), localAxis);
    const Math::Vector2D p(-n.y, n.x);
    // The track as it lies now: a removed body re-prepares the joint from it, and must find the
    // track itself there, not the direction across it.
    worldAxis = n;

    const Math::Vector2D& m = halfOffset;
    const float turn = p.y * m.x - p.x * m.y;
    JointRows::SetJacobian(block, 0, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, -1.0f);
    JointRows::SetJacobian(block, 1, p.x, p.y, turn, -p.x, -p.y, turn);

    offsetError = between - Math::TransformDirection(body1->GetMatrix(), localOffset);

    const float rate = CorrectionRate();
    block.target[0] = (RelativeAngle() - restAngle) * rate * Math::DegreesToRadians;
    block.target[1] = Math::Dot(p, offsetError) * rate;
    JointRows::SetRigidUnbounded(block, SliderRows);
}

void JointSlider::Save(Core::File& file)
{
    SaveJoint(file);
    for (const Math::Vector2D* v : {&localAxis, &worldAxis, &localOffset, &halfOffset, &offsetError})
        Math::WriteVector2D(file, *v);
    Core::WriteF32(file, restAngle);
}

void JointSlider::Load(Core::File& file)
{
    LoadJoint(file);
    for (Math::Vector2D* v : {&localAxis, &worldAxis, &localOffset, &halfOffset, &offsetError})
        Math::ReadVector2D(file, *v);
    Core::ReadF32(file, restAngle);
}
} // namespace Physics2D
