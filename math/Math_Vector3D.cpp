#include "math/Math_Vector3D.h"

#include <cmath>

namespace Math {

Vector3D& Vector3D::operator+=(const Vector3D& other)
{
    x += other.x;
    y += other.y;
    z += other.z;
    return *this;
}

float Vector3D::Length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void Vector3D::Normalize()
{
    const float length = Length();
    if (length == 0.0f)
        return;
    x /= length;
    y /= length;
    z /= length;
}

void Vector4D::Set(float newX, float newY, float newZ, float newW)
{
    x = newX;
    y = newY;
    z = newZ;
    w = newW;
}

Vector3D Cross(float a1, float a2, float a3, float b1, float b2, float b3)
{
    return {a2 * b3 - a3 * b2, a3 * b1 - a1 * b3, a1 * b2 - a2 * b1};
}

} // namespace Math
