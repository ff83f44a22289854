#include "tests/math/Math_TestSupport.h"

#include "math/Math_Circle2D.h"
#include "math/Math_Constants.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"

#include <cmath>

namespace {

using Math::Circle2D;
using Math::Line2D;
using Math::Point2D;
using Math::Ray2D;
using Math::Vector2D;
namespace Code = Math::Code;

TEST(MathLine2D, ConstructorNormalisesOnlyDirectionsClearOfBothAxes)
{
    const struct {
        Vector2D given;
        Vector2D stored;
    } cases[] = {
        {{5.0f, 0.0f}, {5.0f, 0.0f}},
        {{0.0f, -3.0f}, {0.0f, -3.0f}},
        {{0.0004f, 3.0f}, {0.0004f, 3.0f}},
        {{3.0f, 4.0f}, {3.0f / 5.0f, 4.0f / 5.0f}},
        {{-0.0005f, 2.0f}, Math::Normalized({-0.0005f, 2.0f})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.given.x << ", " << c.given.y);
        EXPECT_EQ(Line2D({1.0f, 1.0f}, c.given).direction, c.stored);
    }
    Line2D line;
    line.SetDirection({3.0f, 4.0f});
    EXPECT_EQ(line.GetDirection(), Vector2D(3.0f, 4.0f));
}

TEST(MathLine2D, ClassifyToLine)
{
    const struct {
        const char* name;
        Line2D other;
        int code;
        Point2D point;
    } cases[] = {
        {"parallel", {{0.0f, 1.0f}, {1.0f, 0.0f}}, Code::Parallel, {}},
        {"same line", {{5.0f, 0.0f}, {1.0f, 0.0f}}, Code::Same, {}},
        {"same line reversed", {{-2.0f, 0.0f}, {-3.0f, 0.0f}}, Code::Same, {}},
        {"crossing", {{2.0f, -3.0f}, {0.0f, 1.0f}}, Code::Meet, {2.0f, 0.0f}},
        {"cross at the tolerance is parallel", {{0.0f, 1.0f}, {1.0f, 0.0005f}}, Code::Parallel, {}},
        {"cross just above the tolerance", {{0.0f, 1.0f}, {1.0f, 0.0006f}}, Code::Meet,
         {-1.0f / 0.0006f, 0.0f}},
        {"collinear only when exactly on the line", {{3.0f, 0.0001f}, {1.0f, 0.0f}}, Code::Parallel, {}},
    };
    const Line2D line({0.0f, 0.0f}, {1.0f, 0.0f});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D point(-99.0f, -99.0f);
        EXPECT_EQ(line.ClassifyToLine(c.other, point), c.code);
        if (c.code == Code::Meet)
            ExpectPointNear(point, c.point, 0.5f);
        else
            EXPECT_EQ(point, Point2D(-99.0f, -99.0f));
    }
}

TEST(MathLine2D, ClassifyToLineAtAnAngle)
{
    const Line2D a({0.0f, 0.0f}, {1.0f, 1.0f});
    const Line2D b({0.0f, 2.0f}, {1.0f, -1.0f});
    Point2D point;
    EXPECT_EQ(a.ClassifyToLine(b, point), Code::Meet);
    ExpectPointNear(point, {1.0f, 1.0f});
}

TEST(MathLine2D, ClassifyToCircle)
{
    const float root12 = std::sqrt(12.0f);
    const struct {
        const char* name;
        Line2D line;
        Circle2D circle;
        int code;
        Point2D first;
        Point2D second;
    } cases[] = {
        {"tangent", {{0, 0}, {1, 0}}, {{0, 1}, 1}, Code::Tangent, {0, 0}, {}},
        {"two points", {{0, 0}, {1, 0}}, {{0, 1}, 2}, Code::Meet, {(0.0f - root12) / 2.0f, 0},
         {root12 / 2.0f, 0}},
        {"apart", {{0, 0}, {1, 0}}, {{0, 1}, 0.5f}, Code::Apart, {}, {}},
        {"line behind its point still meets", {{5, 0}, {1, 0}}, {{0, 0}, 1}, Code::Meet, {-1, 0}, {1, 0}},
        {"zero direction inside", {{0, 0}, {0, 0}}, {{0, 0}, 1}, Code::Apart, {}, {}},
        {"zero direction on the circle", {{1, 0}, {0, 0}}, {{0, 0}, 1}, Code::Apart, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D first(-99.0f, -99.0f);
        Point2D second(-99.0f, -99.0f);
        EXPECT_EQ(c.line.ClassifyToCircle(c.circle, first, second), c.code);
        if (c.code == Code::Apart) {
            EXPECT_EQ(first, Point2D(-99.0f, -99.0f));
            continue;
        }
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.code == Code::Meet ? c.second : Point2D(-99.0f, -99.0f));
    }
}

TEST(MathLine2D, TangentAllowsTheToleranceWhereClassifyIsExact)
{
    const Line2D line({0.0f, 0.0f}, {1.0f, 0.0f});
    Point2D touching(-99.0f, -99.0f);
    EXPECT_TRUE(line.Tangent(Circle2D({0.0f, 1.0f}, 1.0f), touching));
    EXPECT_EQ(touching, Point2D(0.0f, 0.0f));

    // r² − 1 of about 0.0001 gives a discriminant of about 0.0004.
    const Circle2D almost({0.0f, 1.0f}, 1.00005f);
    Point2D first;
    Point2D second;
    EXPECT_EQ(line.ClassifyToCircle(almost, first, second), Code::Meet);
    EXPECT_TRUE(line.Tangent(almost, touching));
    ExpectPointNear(touching, {0.0f, 0.0f});

    EXPECT_FALSE(line.Tangent(Circle2D({0.0f, 1.0f}, 1.1f), touching));
    EXPECT_FALSE(line.Tangent(Circle2D({0.0f, 3.0f}, 1.0f), touching));
    EXPECT_FALSE(Line2D({0.0f, 0.0f}, {0.0f, 0.0f}).Tangent(Circle2D({0.0f, 0.0f}, 0.0f), touching));
}

TEST(MathLine2D, ClassifyToRay)
{
    const struct {
        const char* name;
        Ray2D ray;
        int code;
        Point2D point;
    } cases[] = {
        {"ray crossing", {{2, 3}, {0, -1}}, Code::Meet, {2, 0}},
        {"ray pointing away", {{2, 3}, {0, 1}}, Code::Apart, {}},
        {"ray starting on the line", {{2, 0}, {0, 1}}, Code::Meet, {2, 0}},
        {"ray along the line", {{2, 0}, {-1, 0}}, Code::Same, {}},
        {"parallel ray", {{2, 1}, {1, 0}}, Code::Parallel, {}},
        {"slanted ray", {{0, 2}, {1, -2}}, Code::Meet, {1, 0}},
    };
    const Line2D line({0.0f, 0.0f}, {1.0f, 0.0f});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D point(-99.0f, -99.0f);
        EXPECT_EQ(line.ClassifyToRay(c.ray, point), c.code);
        EXPECT_EQ(c.ray.ClassifyToLine(line, point), c.code);
        EXPECT_EQ(point, c.code == Code::Meet ? c.point : Point2D(-99.0f, -99.0f));
    }
}

TEST(MathLine2D, DirectionRelations)
{
    const Line2D x({0, 0}, {1, 0});
    const Line2D y({3, 3}, {0, 2});
    const Line2D diagonal({0, 0}, {1, 1});
    EXPECT_TRUE(x.Perpendicular(y));
    EXPECT_FALSE(x.Perpendicular(diagonal));
    EXPECT_TRUE(x.Parallel(Line2D({0, 5}, {-4, 0})));
    EXPECT_FALSE(x.Parallel(y));
    EXPECT_NEAR(x.AngleBetween(y), 90.0f, 1e-4f);
    EXPECT_NEAR(x.AngleBetween(diagonal), 45.0f, 1e-4f);
    EXPECT_NEAR(x.AngleBetween(Line2D({0, 0}, {-1, 0})), 180.0f, 1e-3f);
    EXPECT_EQ(x.AngleBetween(Line2D({0, 0}, {0, 0})), 0.0f);
}

} // namespace
