#pragma once

#include "math/Math_Matrix4x4.h"
#include "math/Math_Plane.h"
#include "math/Math_Vector3D.h"

#include <span>

namespace Math {

// Corner order of both volumes, by the sign of x, y and z relative to the centre (z + is the
// near side of a view volume): 0 (+,+,+), 1 (−,+,+), 2 (−,+,−), 3 (+,+,−), 4 (+,−,+), 5 (−,−,+),
// 6 (−,−,−), 7 (+,−,−).
inline constexpr int FrustumCornerCount = 8;
inline constexpr int FrustumPlaneCount = 6;

// Plane order of both volumes.
enum FrustumPlane { PlaneTop, PlaneBottom, PlaneNear, PlaneFar, PlaneRight, PlaneLeft };

// The box-shaped volume of a scene node or mesh. All zero by default.
class Frustum {
public:
    Vector3D center;
    Vector3D corners[FrustumCornerCount];
    Plane planes[FrustumPlaneCount];

    Frustum() = default;

    // The axis-aligned box around every corner of the volumes, grown by margin on each side (the
    // centre is that of the box without the margin). Its face planes face inwards, in the plane
    // order above. An empty list gives the default volume.
    static Frustum Enclose(std::span<const Frustum* const> volumes, float margin);
    // Enclose in two steps, for a caller that needs the centre and planes later than the corners,
    // or never: the lowest and highest coordinates of the corners (at least one volume), then the
    // whole enclosing volume they give.
    static void Bounds(std::span<const Frustum* const> volumes, Vector3D& low, Vector3D& high);
    static Frustum FromBounds(const Vector3D& low, const Vector3D& high, float margin);
    // The corners alone of FromBounds.
    void SetCornersFromBounds(const Vector3D& low, const Vector3D& high, float margin);
    static Frustum Merge(const Frustum& a, const Frustum& b, float margin);
};

// The volume a camera's projection sees. Identity matrix, zero planes and corners by default.
class ViewFrustum {
public:
    Matrix4x4 matrix; // the camera matrix it was built from
    Plane planes[FrustumPlaneCount];
    Vector3D corners[FrustumCornerCount];

    ViewFrustum() = default;

    // Planes from the matrix rows (their normals face inwards) and the corners of the projection's
    // near and far rectangles.
    void FromCamera(const Matrix4x4& camera);
    // Moves the volume by a transform: planes by its inverse transpose, corners by the transform.
    void Transform(const Matrix4x4& transform);
    // Outside when all the volume's corners are behind one plane, Inside when none is behind any
    // plane, otherwise Meet (intersecting).
    int ClassifyBox(const Frustum& volume) const;
};

} // namespace Math

namespace Vellumar {

// Starts a view-volume record in its default state, whatever it held: identity matrix, zero planes
// and zero corners.
void InitFrustumRecord(Math::ViewFrustum& record);

} // namespace Vellumar
