#pragma once

#include "math/Math_Matrix4x4.h"
#include "math/Math_Vector3D.h"

namespace Math {

// Rotation quaternion, w first. The identity by default.
class Quaternion {
public:
    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Quaternion() = default;
    Quaternion(float w, float x, float y, float z) : w(w), x(x), y(y), z(z) {}
    // The rotation by an angle in degrees about the axis (normalised here, the argument is a copy).
    Quaternion(Vector3D axis, float degrees) { FromAxisAngle(axis, degrees); }

    // The Hamilton product this × q.
    Quaternion& operator*=(const Quaternion& q);
    // Divides by the length unless the length is exactly 0.
    void Normalize();
    // The rotation matrix of the (unit) quaternion.
    Matrix4x4 ToMatrix() const;
    // Normalises axis in place, then sets the rotation by degrees about it and normalises.
    void FromAxisAngle(Vector3D& axis, float degrees);
};

} // namespace Math
