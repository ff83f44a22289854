#include "physics/Physics_JointFixed.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "math/Math_Matrix3x3.h"
#include "physics/Physics_Globals.h"

namespace Physics2D
{
CORE_REGISTER_CLASS(JointFixed, "Physics2D::JointFixed")

namespace
{
constexpr u32 FixedRows = 3;
}

JointFixed::JointFixed(float correctionFactor) : Joint(KindFixed, FixedRows, ClampCorrectionFactor(correctionFactor), 0)
{
}

void JointFixed::Prepare()
{
    const RigidBody* body1 = GetBody1();
    offset = GetBody2()->GetCenterOfMass() - body1->GetCenterOfMass();
    localOffset = Math::TransformDirection(body1->GetInverseMatrix(), offset);
    restAngle = RelativeAngle();
}

void JointFixed::FillRows(const RowBlock& block)
{
    const RigidBody* body1 = GetBody1();
    const RigidBody* body2 = GetBody2();

    const Math::Vector2D w = Math::TransformDirection(body1->GetRotationMatrix(), localOffset);
    JointRows::SetJacobian(block, 0, 1.0f, 0.0f, 0.0f, -1.0f, 0.0f, -w.y);
    JointRows::SetJacobian(block, 1, 0.0f, 1.0f, 0.0f, 0.0f, -1.0f, w.x);
    JointRows::SetJacobian(block, 2, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, -1.0f);

    offsetError = (body2->GetCenterOfMass() - body1->GetCenterOfMass()) -
                  Math::TransformDirection(body1->GetMatrix(), localOffset);

    const float rate = CorrectionRate();
    block.target[0] = offsetError.x * rate;
    block.target[1] = offsetError.y * rate;
    block.target[2] = (RelativeAngle() - restAngle) * rate * Math::DegreesToRadians;
    JointRows::SetRigidUnbounded(block, FixedRows);
}

void JointFixed::Save(Core::File& file)
{
    SaveJoint(file);
    for (const Math::Vector2D* v : {&localOffset, &offset, &offsetError})
        Math::WriteVector2D(file, *v);
    Core::WriteF32(file, restAngle);
}

void JointFixed::Load(Core::File& file)
{
    LoadJoint(file);
    for (Math::Vector2D* v : {&localOffset, &offset, &offsetError})
        Math::ReadVector2D(file, *v);
    Core::ReadF32(file, restAngle);
}
} // namespace Physics2D
