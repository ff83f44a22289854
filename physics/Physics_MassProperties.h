#pragma once

#include "core/Core_Object.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Physics2D
{
// Mass, moment of inertia and the body-local centre of mass, with both inverses kept beside them.
// Invariant kept by the constructors and setters: an inverse is 1 / value, or 0 for a value of 0
// (an immovable body). Plain assignment copies all five values as they are.
class MassProperties : public Core::Base
{
public:
    MassProperties() = default;
    MassProperties(float mass, float inertia, const Math::Vector2D& centerOfMass);
    // Recomputes the inverses from the source's mass and inertia.
    MassProperties(const MassProperties& other);
    MassProperties& operator=(const MassProperties& other) = default;

    float GetMass() const { return mass; }
    float GetInverseMass() const { return inverseMass; }
    float GetInertia() const { return inertia; }
    float GetInverseInertia() const { return inverseInertia; }
    const Math::Vector2D& GetCenterOfMass() const { return centerOfMass; }

    void SetMass(float value);
    void SetInertia(float value);
    void SetCenterOfMass(const Math::Vector2D& value) { centerOfMass = value; }

    // Stream form: mass, inverse mass, inertia, inverse inertia, centre of mass.
    void Save(Core::File& file) const;
    void Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "MassProperties"; }

private:
    float mass = 0.0f;
    float inverseMass = 0.0f;
    float inertia = 0.0f;
    float inverseInertia = 0.0f;
    Math::Vector2D centerOfMass;
};
} // namespace Physics2D
