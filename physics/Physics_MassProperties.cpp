#include "physics/Physics_MassProperties.h"

#include "core/Core_File.h"

namespace Physics2D
{
namespace
{
float InverseOf(float value)
{
    return value == 0.0f ? 0.0f : 1.0f / value;
}
} // namespace

MassProperties::MassProperties(float mass, float inertia, const Math::Vector2D& centerOfMass)
    : mass(mass), inverseMass(InverseOf(mass)), inertia(inertia), inverseInertia(InverseOf(inertia)),
      centerOfMass(centerOfMass)
{
}

MassProperties::MassProperties(const MassProperties& other)
    : Core::Base(other), mass(other.mass), inverseMass(InverseOf(other.mass)), inertia(other.inertia),
      inverseInertia(InverseOf(other.inertia)), centerOfMass(other.centerOfMass)
{
}

void MassProperties::SetMass(float value)
{
    mass = value;
    inverseMass = InverseOf(value);
}

void MassProperties::SetInertia(float value)
{
    inertia = value;
    inverseInertia = InverseOf(value);
}

void MassProperties::Save(Core::File& file) const
{
    Core::WriteF32(file, mass);
    Core::WriteF32(file, inverseMass);
    Core::WriteF32(file, inertia);
    Core::WriteF32(file, inverseInertia);
    Math::WriteVector2D(file, centerOfMass);
}

void MassProperties::Load(Core::File& file)
{
    Core::ReadF32(file, mass);
    Core::ReadF32(file, inverseMass);
    Core::ReadF32(file, inertia);
    Core::ReadF32(file, inverseInertia);
    Math::ReadVector2D(file, centerOfMass);
}
} // namespace Physics2D
