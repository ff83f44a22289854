#include "math/Math_Constants.h"
#include "math/Math_Frustum.h"
#include "math/Math_Matrix4x4.h"
#include "math/Math_Plane.h"

#include <gtest/gtest.h>

namespace {

using Math::Frustum;
using Math::Matrix4x4;
using Math::Plane;
using Math::Vector3D;
using Math::ViewFrustum;
namespace Code = Math::Code;

void ExpectVectorNear(const Vector3D& actual, const Vector3D& expected, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A box volume from its minimum and maximum, in the shared corner order.
Frustum Box(const Vector3D& low, const Vector3D& high)
{
    Frustum box;
    box.corners[0] = {high.x, high.y, high.z};
    box.corners[1] = {low.x, high.y, high.z};
    box.corners[2] = {low.x, high.y, low.z};
    box.corners[3] = {high.x, high.y, low.z};
    box.corners[4] = {high.x, low.y, high.z};
    box.corners[5] = {low.x, low.y, high.z};
    box.corners[6] = {low.x, low.y, low.z};
    box.corners[7] = {high.x, low.y, low.z};
    return box;
}

TEST(MathPlane, SetPicksThePointOnTheFirstAxisItCrosses)
{
    const struct {
        const char* name;
        float a, b, c, d;
        Vector3D point;
    } cases[] = {
        {"crosses z", 1, 1, 2, -4, {0, 0, 2}},
        {"c within the tolerance, crosses y", 1, 4, 0.0004f, 8, {0, -2, 0}},
        {"only a clear of zero, crosses x", 4, 0.0001f, 0, 8, {-2, 0, 0}},
        {"c exactly at the tolerance", 0, 0, 0.0005f, -0.001f, {0, 0, 0.001f / 0.0005f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Plane plane;
        plane.Set(c.a, c.b, c.c, c.d);
        EXPECT_EQ(plane.normal, Vector3D(c.a, c.b, c.c));
        EXPECT_EQ(plane.a, c.a);
        EXPECT_EQ(plane.b, c.b);
        EXPECT_EQ(plane.c, c.c);
        EXPECT_EQ(plane.d, c.d);
        EXPECT_EQ(plane.point, c.point);
    }

    Plane plane;
    plane.Set(0, 0, 1, -3);
    plane.Set(0.0001f, 0.0001f, 0.0001f, 5);
    EXPECT_EQ(plane.point, Vector3D(0, 0, 3));
}

TEST(MathPlane, FromPointNormal)
{
    Plane plane;
    plane.FromPointNormal({1, 2, 3}, {0, 2, 0});
    EXPECT_EQ(plane.point, Vector3D(1, 2, 3));
    EXPECT_EQ(plane.normal, Vector3D(0, 2, 0));
    EXPECT_EQ(plane.b, 2.0f);
    EXPECT_EQ(plane.d, -4.0f);
}

TEST(MathPlane, ClassifyMeasuresFromTheStoredPoint)
{
    Plane plane;
    plane.FromPointNormal({0, 0, 0}, {0, 0, 1});
    const struct {
        const char* name;
        Vector3D q;
        int code;
    } cases[] = {
        {"in front", {0, 0, 1}, Code::Front},
        {"behind", {3, 3, -1}, Code::Behind},
        {"0.04 off the plane near the stored point", {0, 0, 0.04f}, Code::Meet},
        {"0.04 behind the plane near the stored point", {0.0f, 0.0f, -0.04f}, Code::Meet},
        {"0.06 behind the plane", {0.0f, 0.0f, -0.06f}, Code::Behind},
        {"on the plane far from the stored point", {10, -10, 0}, Code::Meet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plane.Classify(c.q), c.code);
    }
}

TEST(MathFrustum, EncloseSpansEveryCornerWithTheMargin)
{
    const Frustum a = Box({0, 0, 0}, {1, 1, 1});
    const Frustum b = Box({3, -2, 5}, {4, -1, 6});
    const Frustum* const volumes[] = {&a, &b};
    const Frustum box = Frustum::Enclose(volumes, 0.5f);

    EXPECT_EQ(box.center, Vector3D(2, -0.5f, 3));
    const Frustum expected = Box({-0.5f, -2.5f, -0.5f}, {4.5f, 1.5f, 6.5f});
    for (int i = 0; i < Math::FrustumCornerCount; ++i)
        EXPECT_EQ(box.corners[i], expected.corners[i]) << "corner " << i;

    const Frustum merged = Frustum::Merge(a, b, 0.5f);
    for (int i = 0; i < Math::FrustumCornerCount; ++i)
        EXPECT_EQ(merged.corners[i], box.corners[i]) << "corner " << i;
    EXPECT_EQ(a.corners[0], Vector3D(1, 1, 1));
}

TEST(MathFrustum, EnclosedFacesFaceInwards)
{
    const Frustum a = Box({-2, -2, -2}, {2, 2, 2});
    const Frustum box = Frustum::Merge(a, a, 0);
    const Vector3D outside[] = {{0, 3, 0}, {0, -3, 0}, {0, 0, 3}, {0, 0, -3}, {3, 0, 0}, {-3, 0, 0}};
    for (int face = 0; face < Math::FrustumPlaneCount; ++face) {
        SCOPED_TRACE(face);
        EXPECT_EQ(box.planes[face].Classify(box.center), Code::Front);
        EXPECT_EQ(box.planes[face].Classify(outside[face]), Code::Behind);
    }
}

TEST(MathFrustum, EncloseOfNoVolumesIsTheDefault)
{
    const Frustum box = Frustum::Enclose({}, 1.0f);
    EXPECT_EQ(box.corners[0], Vector3D());
    EXPECT_EQ(box.center, Vector3D());
}

TEST(MathViewFrustum, FromCameraBuildsPlanesAndCorners)
{
    const Matrix4x4 projection = Matrix4x4::Perspective(90, 2, 1, 100);
    ViewFrustum frustum;
    frustum.FromCamera(projection);
    EXPECT_EQ(frustum.matrix, projection);

    // Near half-extents (2, 1) at z = −1, far (200, 100) at z = −100.
    const Vector3D corners[] = {{2, 1, -1},         {-2, 1, -1},         {-200, 100, -100}, {200, 100, -100},
                                {2, -1, -1},        {-2, -1, -1},        {-200, -100, -100}, {200, -100, -100}};
    for (int i = 0; i < Math::FrustumCornerCount; ++i) {
        SCOPED_TRACE(i);
        ExpectVectorNear(frustum.corners[i], corners[i], 1e-3f);
    }

    // Top is row 3 − row 1 of the matrix.
    const Plane& top = frustum.planes[Math::PlaneTop];
    EXPECT_EQ(top.a, projection.e[3] - projection.e[1]);
    EXPECT_EQ(top.b, projection.e[7] - projection.e[5]);
    EXPECT_EQ(top.c, projection.e[11] - projection.e[9]);
    EXPECT_EQ(top.d, projection.e[15] - projection.e[13]);
    ExpectVectorNear(frustum.planes[Math::PlaneNear].point, {0, 0, -1});
    ExpectVectorNear(frustum.planes[Math::PlaneFar].point, {0, 0, -100}, 1e-3f);

    // The normals face inwards.
    for (const Plane& plane : frustum.planes)
        EXPECT_EQ(plane.Classify({0, 0, -50}), Code::Front);
    EXPECT_EQ(frustum.planes[Math::PlaneRight].Classify({120, 0, -50}), Code::Behind);
    EXPECT_EQ(frustum.planes[Math::PlaneLeft].Classify({-120, 0, -50}), Code::Behind);
    EXPECT_EQ(frustum.planes[Math::PlaneTop].Classify({0, 60, -50}), Code::Behind);
    EXPECT_EQ(frustum.planes[Math::PlaneBottom].Classify({0, -60, -50}), Code::Behind);
}

TEST(MathViewFrustum, InitFrustumRecordRestoresTheDefaultRecord)
{
    ViewFrustum view;
    view.FromCamera(Matrix4x4::Perspective(60, 4.0f / 3.0f, 1, 100));
    view.Transform(Matrix4x4::Translation(1, 2, 3));
    Vellumar::InitFrustumRecord(view);
    EXPECT_EQ(view.matrix, Matrix4x4::Identity());
    for (const Plane& plane : view.planes) {
        EXPECT_EQ(plane.normal, Vector3D());
        EXPECT_EQ(plane.point, Vector3D());
        EXPECT_EQ(plane.d, 0.0f);
    }
    for (const Vector3D& corner : view.corners)
        EXPECT_EQ(corner, Vector3D());
}

TEST(MathViewFrustum, AFarPlaneFarFromTheNearOneStandsAtItsDistance)
{
    // A 2D camera's depths: the far plane's normal comes out of the projection about 2e-5 long,
    // and single precision places the plane within half a percent of its distance.
    ViewFrustum frustum;
    frustum.FromCamera(Matrix4x4::Perspective(45, 4.0f / 3.0f, 0.1f, 10000));
    ExpectVectorNear(frustum.planes[Math::PlaneFar].point, {0, 0, -10000}, 50.0f);
    EXPECT_EQ(frustum.planes[Math::PlaneFar].Classify({0, 0, -928}), Code::Front);
    EXPECT_EQ(frustum.planes[Math::PlaneFar].Classify({0, 0, -10100}), Code::Behind);
    // A picture just behind the plane the camera frames is seen.
    frustum.Transform(Matrix4x4::Translation(0, 0, 927.058f));
    EXPECT_NE(frustum.ClassifyBox(Box({-516, -387, -1.1f}, {516, 387, -0.1f})), Code::Outside);
}

TEST(MathViewFrustum, ClassifyBox)
{
    ViewFrustum frustum;
    frustum.FromCamera(Matrix4x4::Perspective(90, 1, 1, 100));
    const struct {
        const char* name;
        Frustum box;
        int code;
    } cases[] = {
        {"inside", Box({-1, -1, -51}, {1, 1, -49}), Code::Inside},
        {"between the eye and the near plane", Box({-0.1f, -0.1f, -0.9f}, {0.1f, 0.1f, -0.5f}), Code::Outside},
        {"behind the camera", Box({-1, -1, 2}, {1, 1, 4}), Code::Outside},
        {"beyond the far plane", Box({-1, -1, -200}, {1, 1, -150}), Code::Outside},
        {"wholly to the right", Box({60, -1, -51}, {70, 1, -49}), Code::Outside},
        {"across the right plane", Box({40, -1, -51}, {60, 1, -49}), Code::Meet},
        {"across the near plane", Box({-0.1f, -0.1f, -2}, {0.1f, 0.1f, -0.5f}), Code::Meet},
        {"around the whole volume", Box({-1000, -1000, -1000}, {1000, 1000, 1000}), Code::Meet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(frustum.ClassifyBox(c.box), c.code);
    }
}

TEST(MathViewFrustum, TransformMovesPlanesAndCornersWithTheCamera)
{
    ViewFrustum frustum;
    frustum.FromCamera(Matrix4x4::Perspective(90, 1, 1, 100));
    frustum.Transform(Matrix4x4::Translation(0, 0, 10));

    ExpectVectorNear(frustum.corners[0], {1, 1, 9});
    ExpectVectorNear(frustum.corners[6], {-100, -100, -90}, 1e-3f);
    ExpectVectorNear(frustum.planes[Math::PlaneNear].point, {0, 0, 9});
    ExpectVectorNear(frustum.planes[Math::PlaneFar].point, {0, 0, -90}, 1e-3f);

    EXPECT_EQ(frustum.ClassifyBox(Box({-1, -1, -41}, {1, 1, -39})), Code::Inside);
    EXPECT_EQ(frustum.ClassifyBox(Box({-1, -1, -96}, {1, 1, -94})), Code::Outside);
    EXPECT_EQ(frustum.ClassifyBox(Box({-0.1f, -0.1f, 9.2f}, {0.1f, 0.1f, 9.6f})), Code::Outside);

    // A quarter turn about z swaps the roles of the side planes.
    ViewFrustum turned;
    turned.FromCamera(Matrix4x4::Perspective(90, 2, 1, 100));
    turned.Transform(Matrix4x4::RotationZ(90));
    EXPECT_EQ(turned.ClassifyBox(Box({-1, 120, -51}, {1, 130, -49})), Code::Outside);
    EXPECT_EQ(turned.ClassifyBox(Box({-1, 70, -51}, {1, 80, -49})), Code::Inside);
}

} // namespace
