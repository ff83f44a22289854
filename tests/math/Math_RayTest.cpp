#include "tests/math/Math_TestSupport.h"

#include "math/Math_Circle2D.h"
#include "math/Math_Constants.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"

namespace {

using Math::Circle2D;
using Math::LineSegment2D;
using Math::Point2D;
using Math::Ray2D;
namespace Code = Math::Code;

const Point2D Untouched(-99.0f, -99.0f);

TEST(MathRay2D, ClassifyToCircle)
{
    const struct {
        const char* name;
        Ray2D ray;
        int code;
        Point2D first;
        Point2D second;
    } cases[] = {
        {"through, nearer point first", {{-3, 0}, {1, 0}}, Code::TwoPoints, {-1, 0}, {1, 0}},
        {"leaving from the centre", {{0, 0}, {1, 0}}, Code::OnePoint, {1, 0}, {}},
        {"leaving from the circle", {{1, 0}, {1, 0}}, Code::OnePoint, {1, 0}, {}},
        {"entering at the circle", {{-1, 0}, {1, 0}}, Code::TwoPoints, {-1, 0}, {1, 0}},
        {"circle behind the ray", {{3, 0}, {1, 0}}, Code::Apart, {}, {}},
        {"touching ahead", {{-3, 1}, {1, 0}}, Code::OnePoint, {0, 1}, {}},
        {"touching behind", {{3, 1}, {1, 0}}, Code::Apart, {}, {}},
        {"passing by", {{-3, 5}, {1, 0}}, Code::Apart, {}, {}},
        {"non-unit direction", {{-3, 0}, {4, 0}}, Code::TwoPoints, {-1, 0}, {1, 0}},
        {"no direction, inside", {{0.5f, 0}, {0, 0}}, Code::Apart, {}, {}},
        {"no direction, on the circle", {{1, 0}, {0, 0}}, Code::Apart, {}, {}},
    };
    const Circle2D circle({0, 0}, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D first = Untouched;
        Point2D second = Untouched;
        EXPECT_EQ(c.ray.ClassifyToCircle(circle, first, second), c.code);
        EXPECT_EQ(first, c.code == Code::Apart ? Untouched : c.first);
        EXPECT_EQ(second, c.code == Code::TwoPoints ? c.second : Untouched);
    }
}

TEST(MathRay2D, Tangent)
{
    Point2D touching = Untouched;
    const Circle2D circle({0, 0}, 1);
    EXPECT_TRUE(Ray2D({-3, 1}, {1, 0}).Tangent(circle, touching));
    EXPECT_EQ(touching, Point2D(0, 1));
    touching = Untouched;
    EXPECT_FALSE(Ray2D({3, 1}, {1, 0}).Tangent(circle, touching));
    EXPECT_FALSE(Ray2D({-3, 0}, {1, 0}).Tangent(circle, touching));
    EXPECT_FALSE(Ray2D({0, 1}, {0, 0}).Tangent(circle, touching));
    EXPECT_EQ(touching, Untouched);
}

TEST(MathRay2D, ClassifyToRay)
{
    const struct {
        const char* name;
        Ray2D self;
        Ray2D other;
        int code;
        Point2D point;
        LineSegment2D segment;
        Ray2D ray;
    } cases[] = {
        {"facing", {{0, 0}, {1, 0}}, {{4, 0}, {-1, 0}}, Code::RaysFacing, {}, {{0, 0}, {4, 0}}, {}},
        {"back to back", {{0, 0}, {-1, 0}}, {{4, 0}, {1, 0}}, Code::CollinearApart, {}, {}, {}},
        {"same way, other ahead", {{0, 0}, {1, 0}}, {{4, 0}, {1, 0}}, Code::RaysSameWay, {}, {},
         {{4, 0}, {1, 0}}},
        {"same way, this ahead", {{4, 0}, {1, 0}}, {{0, 0}, {1, 0}}, Code::RaysSameWay, {}, {},
         {{4, 0}, {1, 0}}},
        {"same way, directions of other lengths", {{0, 0}, {2, 0}}, {{4, 0}, {3, 0}}, Code::RaysSameWay, {},
         {}, {{4, 0}, {3, 0}}},
        {"facing, directions of other lengths", {{0, 0}, {2, 0}}, {{4, 0}, {-3, 0}}, Code::RaysFacing, {},
         {{0, 0}, {4, 0}}, {}},
        {"facing along y", {{0, 0}, {0, 1}}, {{0, 5}, {0, -1}}, Code::RaysFacing, {}, {{0, 0}, {0, 5}}, {}},
        {"one common origin, opposite ways", {{0, 0}, {-1, 0}}, {{0, 0}, {1, 0}}, Code::Meet, {0, 0}, {}, {}},
        {"crossing", {{0, 0}, {1, 1}}, {{2, 0}, {-1, 1}}, Code::Meet, {1, 1}, {}, {}},
        {"lines crossing behind", {{0, 0}, {1, 1}}, {{2, 0}, {1, -1}}, Code::Apart, {}, {}, {}},
        {"parallel", {{0, 0}, {1, 0}}, {{0, 1}, {1, 0}}, Code::Parallel, {}, {}, {}},
        {"no direction", {{0, 0}, {0, 0}}, {{1, 0}, {1, 0}}, Code::Apart, {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D point = Untouched;
        LineSegment2D segment(Untouched, Untouched);
        Ray2D ray(Untouched, Untouched);
        EXPECT_EQ(c.self.ClassifyToRay(c.other, point, segment, ray), c.code);
        EXPECT_EQ(point, c.code == Code::Meet ? c.point : Untouched);
        EXPECT_EQ(segment.A, c.code == Code::RaysFacing ? c.segment.A : Untouched);
        EXPECT_EQ(segment.B, c.code == Code::RaysFacing ? c.segment.B : Untouched);
        EXPECT_EQ(ray.origin, c.code == Code::RaysSameWay ? c.ray.origin : Untouched);
        EXPECT_EQ(ray.direction, c.code == Code::RaysSameWay ? c.ray.direction : Untouched);
    }
}

TEST(MathRay2D, DirectionRelations)
{
    const Ray2D x({0, 0}, {2, 0});
    EXPECT_TRUE(x.Perpendicular(Ray2D({1, 1}, {0, -3})));
    EXPECT_TRUE(x.Parallel(Ray2D({1, 1}, {-1, 0})));
    EXPECT_FALSE(x.Parallel(Ray2D({1, 1}, {1, 1})));
    EXPECT_NEAR(x.AngleBetween(Ray2D({1, 1}, {1, 1})), 45.0f, 1e-4f);
    EXPECT_NEAR(x.AngleBetween(Ray2D({1, 1}, {-5, 0})), 180.0f, 1e-3f);
    // The rounded cosine of a direction with itself is clamped, never NaN.
    const Ray2D slanted({0, 0}, {0.1f, 0.38f});
    EXPECT_NEAR(slanted.AngleBetween(slanted), 0.0f, 0.05f);
}

} // namespace
