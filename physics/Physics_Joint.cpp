#include "physics/Physics_Joint.h"

#include "core/Core_File.h"
#include "physics/Physics_Globals.h"

#include <algorithm>

namespace Physics2D
{
Joint::Joint(u32 kind, u32 declaredRows, float correctionFactor, u8 flag)
    : kind(kind), declaredRows(declaredRows), correctionFactor(correctionFactor), flag(flag)
{
}

u32 Joint::GetRowCount()
{
    rows = declaredRows;
    return rows;
}

float Joint::CorrectionRate() const
{
    return SimulationInverseStep * correctionFactor;
}

void Joint::SetBodies(RigidBody* first, RigidBody* second)
{
    body1 = first;
    body2 = second;
}

void Joint::SaveJoint(Core::File& file)
{
    Core::WriteU32(file, kind);
    Core::WriteU32(file, declaredRows);
    Core::WriteU32(file, rows);
    Core::WriteU8(file, active ? 1 : 0);
    Core::WriteF32(file, correctionFactor);
    Core::WriteU8(file, PositionPass ? 1 : 0);
    Core::WriteU8(file, flag);
    file.WriteObject(body1);
    file.WriteObject(body2);
}

void Joint::LoadJoint(Core::File& file)
{
    u32 readKind = 0;
    u32 readDeclared = 0;
    u8 readActive = 0;
    u8 positionPass = 0;
    Core::ReadU32(file, readKind);
    Core::ReadU32(file, readDeclared);
    Core::ReadU32(file, rows);
    Core::ReadU8(file, readActive);
    Core::ReadF32(file, correctionFactor);
    if (Core::ReadU8(file, positionPass))
        PositionPass = positionPass != 0;
    Core::ReadU8(file, flag);
    active = readActive != 0;
    if (readKind != kind || readDeclared != declaredRows)
        file.SetFailed();
    file.ReadObjectInto(body1);
    file.ReadObjectInto(body2);
}

float ClampCorrectionFactor(float factor)
{
    return std::clamp(factor, 0.0f, 1.0f);
}

namespace JointRows
{
void SetRigidUnbounded(const RowBlock& block, u32 count)
{
    for (u32 row = 0; row < count; ++row)
    {
        block.regularizer[row] = 0.0f;
        block.lower[row] = -Infinity;
        block.upper[row] = Infinity;
    }
}
} // namespace JointRows
} // namespace Physics2D
