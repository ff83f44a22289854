#include "math/Math_Frustum.h"

#include "math/Math_Constants.h"

#include <algorithm>

namespace Math {

namespace {

// For each face, in plane order: a corner of the face and the far ends of two of its edges from
// that corner, ordered so that their cross product points into the box.
constexpr int FaceCorners[FrustumPlaneCount][3] = {
    {0, 1, 3}, // top
    {4, 7, 5}, // bottom
    {0, 4, 1}, // near (z +)
    {3, 2, 7}, // far (z −)
    {0, 3, 4}, // right
    {1, 5, 2}, // left
};

} // namespace

Frustum Frustum::Enclose(std::span<const Frustum* const> volumes, float margin)
{
    if (volumes.empty())
        return Frustum();
    Vector3D low;
    Vector3D high;
    Bounds(volumes, low, high);
    return FromBounds(low, high, margin);
}

void Frustum::Bounds(std::span<const Frustum* const> volumes, Vector3D& low, Vector3D& high)
{
    low = volumes.front()->corners[0];
    high = low;
    for (const Frustum* volume : volumes) {
        for (const Vector3D& corner : volume->corners) {
            low = Vector3D(std::min(low.x, corner.x), std::min(low.y, corner.y), std::min(low.z, corner.z));
            high = Vector3D(std::max(high.x, corner.x), std::max(high.y, corner.y), std::max(high.z, corner.z));
        }
    }
}

void Frustum::SetCornersFromBounds(const Vector3D& low, const Vector3D& high, float margin)
{
    const Vector3D minus(low.x - margin, low.y - margin, low.z - margin);
    const Vector3D plus(high.x + margin, high.y + margin, high.z + margin);
    corners[0] = Vector3D(plus.x, plus.y, plus.z);
    corners[1] = Vector3D(minus.x, plus.y, plus.z);
    corners[2] = Vector3D(minus.x, plus.y, minus.z);
    corners[3] = Vector3D(plus.x, plus.y, minus.z);
    corners[4] = Vector3D(plus.x, minus.y, plus.z);
    corners[5] = Vector3D(minus.x, minus.y, plus.z);
    corners[6] = Vector3D(minus.x, minus.y, minus.z);
    corners[7] = Vector3D(plus.x, minus.y, minus.z);
}

Frustum Frustum::FromBounds(const Vector3D& low, const Vector3D& high, float margin)
{
    Frustum box;
    box.center = (low + high) * 0.5f;
    box.SetCornersFromBounds(low, high, margin);
    for (int face = 0; face < FrustumPlaneCount; ++face) {
        const Vector3D& origin = box.corners[FaceCorners[face][0]];
        const Vector3D first = box.corners[FaceCorners[face][1]] - origin;
        const Vector3D second = box.corners[FaceCorners[face][2]] - origin;
        box.planes[face].FromPointNormal(origin, Cross(first, second));
    }
    return box;
}

Frustum Frustum::Merge(const Frustum& a, const Frustum& b, float margin)
{
    const Frustum* const pair[] = {&a, &b};
    return Enclose(pair, margin);
}

void ViewFrustum::FromCamera(const Matrix4x4& camera)
{
    matrix = camera;
    const float* e = camera.e;
    // Row i of the column-order matrix is (e[i], e[4 + i], e[8 + i], e[12 + i]).
    const auto setPlane = [&](FrustumPlane plane, int row, float sign) {
        float a = e[3] + sign * e[row];
        float b = e[7] + sign * e[4 + row];
        float c = e[11] + sign * e[8 + row];
        float d = e[15] + sign * e[12 + row];
        // A far plane far from a near one comes out with a normal too short to place its point
        // (c about 2e-5 for 0.1 and 10000); at unit length it stands where it should.
        const float length = Vector3D(a, b, c).Length();
        if (!ClearOfZero(a) && !ClearOfZero(b) && !ClearOfZero(c) && length > 0.0f) {
            a /= length;
            b /= length;
            c /= length;
            d /= length;
        }
        planes[plane].Set(a, b, c, d);
    };
    setPlane(PlaneTop, 1, -1.0f);
    setPlane(PlaneBottom, 1, 1.0f);
    setPlane(PlaneNear, 2, 1.0f);
    setPlane(PlaneFar, 2, -1.0f);
    setPlane(PlaneRight, 0, -1.0f);
    setPlane(PlaneLeft, 0, 1.0f);

    const float zNear = e[14] / (e[10] - 1.0f);
    const float zFar = e[14] / (e[10] + 1.0f);
    const float x = zNear * (e[8] + 1.0f) / e[0];
    const float y = zNear * (e[9] + 1.0f) / e[5];
    const float farX = x * zFar / zNear;
    const float farY = y * zFar / zNear;
    corners[0] = Vector3D(x, y, -zNear);
    corners[1] = Vector3D(-x, y, -zNear);
    corners[2] = Vector3D(-farX, farY, -zFar);
    corners[3] = Vector3D(farX, farY, -zFar);
    corners[4] = Vector3D(x, -y, -zNear);
    corners[5] = Vector3D(-x, -y, -zNear);
    corners[6] = Vector3D(-farX, -farY, -zFar);
    corners[7] = Vector3D(farX, -farY, -zFar);
}

void ViewFrustum::Transform(const Matrix4x4& transform)
{
    Matrix4x4 inverse;
    Matrix4x4::Inverse(inverse, transform);
    // A plane (a, b, c, d) maps to (M⁻¹)ᵀ (a, b, c, d): component i is column i of M⁻¹ dotted
    // with the coefficients.
    for (Plane& plane : planes) {
        const float* column[4] = {inverse.e, inverse.e + 4, inverse.e + 8, inverse.e + 12};
        float mapped[4];
        for (int i = 0; i < 4; ++i)
            mapped[i] = column[i][0] * plane.a + column[i][1] * plane.b + column[i][2] * plane.c + column[i][3] * plane.d;
        plane.Set(mapped[0], mapped[1], mapped[2], mapped[3]);
    }
    for (Vector3D& corner : corners)
        corner = TransformPoint(transform, corner);
}

int ViewFrustum::ClassifyBox(const Frustum& volume) const
{
    int result = Code::Inside;
    for (const Plane& plane : planes) {
        int behind = 0;
        for (const Vector3D& corner : volume.corners) {
            if (plane.Classify(corner) == Code::Behind)
                ++behind;
        }
        if (behind == FrustumCornerCount)
            return Code::Outside;
        if (behind > 0)
            result = Code::Meet;
    }
    return result;
}

} // namespace Math

namespace Vellumar {

void InitFrustumRecord(Math::ViewFrustum& record)
{
    record.matrix.SetIdentity();
    for (Math::Plane& plane : record.planes)
        plane = Math::Plane();
    for (Math::Vector3D& corner : record.corners)
        corner = Math::Vector3D();
}

} // namespace Vellumar
