#include "physics/Physics_JointAngularMotor.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "physics/Physics_Globals.h"

namespace Physics2D
{
CORE_REGISTER_CLASS(JointAngularMotor, "Physics2D::JointAngularMotor")

namespace
{
constexpr u32 MotorRows = 1;
}

JointAngularMotor::JointAngularMotor() : JointAngularMotor(0.0f, 0.0f)
{
}

JointAngularMotor::JointAngularMotor(float degreesPerSecond, float maximum)
    : Joint(KindAngularMotor, MotorRows, 0.0f, 0), speed(degreesPerSecond * Math::DegreesToRadians), maximum(maximum)
{
}

void JointAngularMotor::FillRows(const RowBlock& block)
{
    JointRows::SetJacobian(block, 0, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, -1.0f);
    block.target[0] = speed;
    block.regularizer[0] = 0.0f;
    block.lower[0] = -maximum;
    block.upper[0] = maximum;
}

void JointAngularMotor::Save(Core::File& file)
{
    SaveJoint(file);
    Core::WriteF32(file, speed);
    Core::WriteF32(file, maximum);
}

void JointAngularMotor::Load(Core::File& file)
{
    LoadJoint(file);
    Core::ReadF32(file, speed);
    Core::ReadF32(file, maximum);
}
} // namespace Physics2D
