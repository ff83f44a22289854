#pragma once

#include "math/Math_Vector3D.h"

namespace Math {

// The plane a x + b y + c z + d = 0, with a stored point on it against which points are measured.
class Plane {
public:
    Vector3D point;
    Vector3D normal; // (a, b, c)
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;

    Plane() = default;

    // Stores the coefficients and the normal (a, b, c). The point becomes the plane's crossing of
    // the z axis, else of the y axis, else of the x axis, taking the first coefficient clear of
    // zero; with none clear of zero the point keeps its value.
    void Set(float a, float b, float c, float d);
    void FromPointNormal(const Vector3D& p, const Vector3D& n);
    // Meet when q lies within PlaneEpsilon of the stored point, even off the plane; otherwise
    // Front or Behind by the side of the normal it lies on (Meet on the plane).
    int Classify(const Vector3D& q) const;
};

} // namespace Math
