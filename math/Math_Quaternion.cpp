#include "math/Math_Quaternion.h"

#include "math/Math_Constants.h"

#include <cmath>

namespace Math {

Quaternion& Quaternion::operator*=(const Quaternion& factor)
{
    // Copies, so that a quaternion may be multiplied by itself.
    const Quaternion p = *this;
    const Quaternion q = factor;
    w = p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z;
    x = p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y;
    y = p.w * q.y - p.x * q.z + p.y * q.w + p.z * q.x;
    z = p.w * q.z + p.x * q.y - p.y * q.x + p.z * q.w;
    return *this;
}

void Quaternion::Normalize()
{
    const float length = std::sqrt(w * w + x * x + y * y + z * z);
    if (length == 0.0f)
        return;
    w /= length;
    x /= length;
    y /= length;
    z /= length;
}

Matrix4x4 Quaternion::ToMatrix() const
{
    Matrix4x4 m;
    m.e[0] = 1.0f - 2.0f * (y * y + z * z);
    m.e[1] = 2.0f * (x * y + w * z);
    m.e[2] = 2.0f * (x * z - w * y);
    m.e[4] = 2.0f * (x * y - w * z);
    m.e[5] = 1.0f - 2.0f * (x * x + z * z);
    m.e[6] = 2.0f * (y * z + w * x);
    m.e[8] = 2.0f * (x * z + w * y);
    m.e[9] = 2.0f * (y * z - w * x);
    m.e[10] = 1.0f - 2.0f * (x * x + y * y);
    return m;
}

void Quaternion::FromAxisAngle(Vector3D& axis, float degrees)
{
    axis.Normalize();
    const float half = degrees * HalfDegreesToRadians;
    const float s = std::sin(half);
    w = std::cos(half);
    x = axis.x * s;
    y = axis.y * s;
    z = axis.z * s;
    Normalize();
}

} // namespace Math
