#include "math/Math_Plane.h"

#include "math/Math_Constants.h"

namespace Math {

void Plane::Set(float newA, float newB, float newC, float newD)
{
    a = newA;
    b = newB;
    c = newC;
    d = newD;
    normal = Vector3D(a, b, c);
    if (ClearOfZero(c))
        point = Vector3D(0.0f, 0.0f, -d / c);
    else if (ClearOfZero(b))
        point = Vector3D(0.0f, -d / b, 0.0f);
    else if (ClearOfZero(a))
        point = Vector3D(-d / a, 0.0f, 0.0f);
}

void Plane::FromPointNormal(const Vector3D& p, const Vector3D& n)
{
    point = p;
    normal = n;
    a = n.x;
    b = n.y;
    c = n.z;
    d = -Dot(n, p);
}

int Plane::Classify(const Vector3D& q) const
{
    const Vector3D offset = q - point;
    if (offset.Length() < PlaneEpsilon)
        return Code::Meet;
    const float side = Dot(normal, offset);
    if (side > 0.0f)
        return Code::Front;
    if (side < 0.0f)
        return Code::Behind;
    return Code::Meet;
}

} // namespace Math
