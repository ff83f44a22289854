#include "tests/math/Math_TestSupport.h"

#include "math/Math_Circle2D.h"
#include "math/Math_Constants.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"

#include <cmath>
#include <numbers>

namespace {

using Math::Circle2D;
using Math::Line2D;
using Math::LineSegment2D;
using Math::Point2D;
using Math::Ray2D;
namespace Code = Math::Code;

const Point2D Untouched(-99.0f, -99.0f);
const LineSegment2D UntouchedSegment(Untouched, Untouched);

TEST(MathLineSegment2D, ClassifyToLine)
{
    const struct {
        const char* name;
        Line2D line;
        int code;
        Point2D point;
    } cases[] = {
        {"crossing", {{1, -1}, {0, 1}}, Code::Meet, {1, 0}},
        {"crossing at an end", {{2, 5}, {0, 1}}, Code::Meet, {2, 0}},
        {"line beyond the segment", {{3, -1}, {0, 1}}, Code::Apart, {}},
        {"the segment's own line", {{-7, 0}, {1, 0}}, Code::Same, {}},
        {"parallel line", {{0, 1}, {1, 0}}, Code::Parallel, {}},
    };
    const LineSegment2D segment({0, 0}, {2, 0});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D point = Untouched;
        EXPECT_EQ(segment.ClassifyToLine(c.line, point), c.code);
        EXPECT_EQ(c.line.ClassifyToLineSegment(segment, point), c.code);
        EXPECT_EQ(point, c.code == Code::Meet ? c.point : Untouched);
    }
}

struct SegmentPair {
    const char* name;
    LineSegment2D self;
    LineSegment2D other;
    int code;
    Point2D point;
    LineSegment2D shared;
    int classifyOnlyCode;
};

const SegmentPair segmentPairs[] = {
    {"crossing", {{0, 0}, {2, 2}}, {{0, 2}, {2, 0}}, Code::Meet, {1, 1}, {}, Code::Meet},
    {"not reaching", {{0, 0}, {1, 0}}, {{2, -1}, {2, 1}}, Code::Apart, {}, {}, Code::Apart},
    {"touching at an end", {{0, 0}, {2, 0}}, {{1, 0}, {1, 1}}, Code::Meet, {1, 0}, {}, Code::Meet},
    {"parallel", {{0, 0}, {1, 0}}, {{0, 2}, {1, 2}}, Code::Parallel, {}, {}, Code::Parallel},
    // An offset cross of at most 1 counts as collinear; the classify-only form wants it exact.
    {"parallel within the collinear tolerance", {{0, 0}, {1, 0}}, {{0, 0.5f}, {1, 0.5f}}, Code::Same, {},
     {{0, 0.5f}, {1, 0.5f}}, Code::Parallel},
    {"partial overlap", {{0, 0}, {4, 0}}, {{2, 0}, {6, 0}}, Code::Same, {}, {{2, 0}, {4, 0}}, Code::Same},
    {"partial overlap, other reversed", {{0, 0}, {4, 0}}, {{6, 0}, {2, 0}}, Code::Same, {},
     {{2, 0}, {4, 0}}, Code::Same},
    {"partial overlap, this one shorter", {{3, 0}, {7, 0}}, {{0, 0}, {5, 0}}, Code::Same, {},
     {{3, 0}, {5, 0}}, Code::Same},
    {"other inside", {{0, 0}, {4, 0}}, {{1, 0}, {2, 0}}, Code::Same, {}, {{1, 0}, {2, 0}}, Code::Same},
    {"other inside, reversed", {{0, 0}, {4, 0}}, {{2, 0}, {1, 0}}, Code::Same, {}, {{1, 0}, {2, 0}},
     Code::Same},
    {"this inside the other", {{2, 0}, {1, 0}}, {{0, 0}, {4, 0}}, Code::Same, {}, {{2, 0}, {1, 0}},
     Code::Same},
    {"equal segments", {{1, 1}, {3, 3}}, {{3, 3}, {1, 1}}, Code::Same, {}, {{1, 1}, {3, 3}}, Code::Same},
    {"touching end to end", {{0, 0}, {2, 0}}, {{2, 0}, {5, 0}}, Code::Same, {}, {{2, 0}, {2, 0}}, Code::Same},
    {"collinear and disjoint", {{0, 0}, {1, 0}}, {{2, 0}, {3, 0}}, Code::CollinearApart, {}, {},
     Code::CollinearApart},
    {"vertical overlap", {{0, 0}, {0, 4}}, {{0, 3}, {0, 9}}, Code::Same, {}, {{0, 3}, {0, 4}}, Code::Same},
    {"vertical and disjoint", {{0, 0}, {0, 4}}, {{0, 5}, {0, 9}}, Code::CollinearApart, {}, {},
     Code::CollinearApart},
    // Nearly vertical, with x offsets below the tolerance; exact in binary.
    {"steep overlap", {{0, 0}, {0x1p-12f, 16}}, {{0x1p-13f, 8}, {0x1p-11f, 32}}, Code::Same, {},
     {{0x1p-13f, 8}, {0x1p-12f, 16}}, Code::Same},
    {"two equal points", {{1, 1}, {1, 1}}, {{1, 1}, {1, 1}}, Code::Same, {}, {{1, 1}, {1, 1}}, Code::Same},
    {"two distinct points", {{1, 1}, {1, 1}}, {{2, 2}, {2, 2}}, Code::CollinearApart, {}, {},
     Code::CollinearApart},
};

TEST(MathLineSegment2D, ClassifyToLineSegment)
{
    for (const auto& c : segmentPairs) {
        SCOPED_TRACE(c.name);
        Point2D point = Untouched;
        LineSegment2D shared = UntouchedSegment;
        EXPECT_EQ(c.self.ClassifyToLineSegment(c.other, point, shared), c.code);
        EXPECT_EQ(point, c.code == Code::Meet ? c.point : Untouched);
        if (c.code == Code::Same) {
            // The shared part is made of the segments' own end points, in this segment's direction.
            EXPECT_EQ(shared.A, c.shared.A);
            EXPECT_EQ(shared.B, c.shared.B);
        } else {
            EXPECT_EQ(shared.A, Untouched);
        }
        EXPECT_EQ(c.self.ClassifyToLineSegment(c.other), c.classifyOnlyCode);
    }
}

TEST(MathLineSegment2D, ClassifyToCircle)
{
    const struct {
        const char* name;
        LineSegment2D segment;
        Circle2D circle;
        int code;
        Point2D first;
        Point2D second;
    } cases[] = {
        {"one end inside", {{0, 0}, {1, 0}}, {{2, 0}, 1.5f}, Code::OnePoint, {0.5f, 0}, {}},
        {"both ends inside", {{0, 0}, {1, 0}}, {{0.5f, 0}, 2}, Code::Apart, {}, {}},
        {"through", {{-2, 0}, {2, 0}}, {{0, 0}, 1}, Code::TwoPoints, {-1, 0}, {1, 0}},
        {"tangent", {{0, 0}, {2, 0}}, {{1, 1}, 1}, Code::Tangent, {1, 0}, {}},
        {"tangent point beyond the segment", {{2, 0}, {4, 0}}, {{1, 1}, 1}, Code::Apart, {}, {}},
        {"far away", {{0, 5}, {1, 5}}, {{0, 0}, 1}, Code::Apart, {}, {}},
        {"leaving from inside", {{0, 0}, {3, 0}}, {{0, 0}, 1}, Code::OnePoint, {1, 0}, {}},
        {"entering and ending inside", {{-3, 0}, {0, 0}}, {{0, 0}, 1}, Code::OnePoint, {-1, 0}, {}},
        {"a single point on the circle", {{1, 0}, {1, 0}}, {{0, 0}, 1}, Code::Apart, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D first = Untouched;
        Point2D second = Untouched;
        EXPECT_EQ(c.segment.ClassifyToCircle(c.circle, first, second), c.code);
        if (c.code == Code::Apart)
            EXPECT_EQ(first, Untouched);
        else
            ExpectPointNear(first, c.first);
        if (c.code == Code::TwoPoints)
            ExpectPointNear(second, c.second);
        else
            EXPECT_EQ(second, Untouched);

        Point2D swappedFirst = Untouched;
        Point2D swappedSecond = Untouched;
        EXPECT_EQ(c.circle.ClassifyToLineSegment(c.segment, swappedFirst, swappedSecond), c.code);
        EXPECT_EQ(swappedFirst, first);
        EXPECT_EQ(swappedSecond, second);
    }
}

TEST(MathLineSegment2D, Tangent)
{
    Point2D touching = Untouched;
    EXPECT_TRUE(LineSegment2D({0, 0}, {2, 0}).Tangent(Circle2D({1, 1}, 1), touching));
    EXPECT_EQ(touching, Point2D(1, 0));
    // The discriminant grows with the squared length: about 0.0003 here.
    EXPECT_TRUE(LineSegment2D({0, 0}, {2, 0}).Tangent(Circle2D({1, 1}, 1.00001f), touching));
    ExpectPointNear(touching, {1, 0});

    touching = Untouched;
    EXPECT_FALSE(LineSegment2D({2, 0}, {4, 0}).Tangent(Circle2D({1, 1}, 1), touching));
    EXPECT_FALSE(LineSegment2D({0, 0}, {2, 0}).Tangent(Circle2D({1, 1}, 1.5f), touching));
    EXPECT_FALSE(LineSegment2D({1, 0}, {1, 0}).Tangent(Circle2D({1, 0}, 0), touching));
    EXPECT_EQ(touching, Untouched);
}

TEST(MathLineSegment2D, ClassifyToRay)
{
    const struct {
        const char* name;
        Ray2D ray;
        int code;
        Point2D point;
        LineSegment2D shared;
    } cases[] = {
        {"ray covering the whole segment", {{2, 0}, {-1, 0}}, Code::Same, {}, {{0, 0}, {1, 0}}},
        {"ray starting inside, towards B", {{0.5f, 0}, {1, 0}}, Code::Same, {}, {{1, 0}, {0.5f, 0}}},
        {"ray starting inside, towards A", {{0.5f, 0}, {-1, 0}}, Code::Same, {}, {{0, 0}, {0.5f, 0}}},
        {"ray starting at A, covering", {{0, 0}, {1, 0}}, Code::Same, {}, {{1, 0}, {0, 0}}},
        {"ray leaving from B", {{1, 0}, {1, 0}}, Code::Meet, {1, 0}, {}},
        {"ray leaving from A", {{0, 0}, {-1, 0}}, Code::Meet, {0, 0}, {}},
        {"collinear ray pointing away", {{2, 0}, {1, 0}}, Code::CollinearApart, {}, {}},
        {"crossing ray", {{0.5f, -1}, {0, 1}}, Code::Meet, {0.5f, 0}, {}},
        {"ray pointing away", {{0.5f, 1}, {0, 1}}, Code::Apart, {}, {}},
        {"ray passing beyond B", {{3, -1}, {0, 1}}, Code::Apart, {}, {}},
        {"parallel ray", {{0, 1}, {1, 0}}, Code::Parallel, {}, {}},
        {"ray without direction on the segment", {{0.5f, 0}, {0, 0}}, Code::Apart, {}, {}},
    };
    const LineSegment2D segment({0, 0}, {1, 0});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Point2D point = Untouched;
        LineSegment2D shared = UntouchedSegment;
        EXPECT_EQ(segment.ClassifyToRay(c.ray, point, shared), c.code);
        EXPECT_EQ(point, c.code == Code::Meet ? c.point : Untouched);
        EXPECT_EQ(shared.A, c.code == Code::Same ? c.shared.A : Untouched);
        EXPECT_EQ(shared.B, c.code == Code::Same ? c.shared.B : Untouched);

        point = Untouched;
        EXPECT_EQ(c.ray.ClassifyToLineSegment(segment, point, shared), c.code);
        EXPECT_EQ(point, c.code == Code::Meet ? c.point : Untouched);
    }
}

TEST(MathLineSegment2D, ClassifyToRayAlongAVerticalSegmentUsesTheYComponents)
{
    const LineSegment2D segment({0, 0}, {0, 2});
    Point2D point;
    LineSegment2D shared;
    EXPECT_EQ(segment.ClassifyToRay(Ray2D({0, 3}, {0, -1}), point, shared), Code::Same);
    EXPECT_EQ(shared.A, Point2D(0, 0));
    EXPECT_EQ(shared.B, Point2D(0, 2));
    EXPECT_EQ(segment.ClassifyToRay(Ray2D({0, 3}, {0, 1}), point, shared), Code::CollinearApart);
}

TEST(MathLineSegment2D, DirectionRelations)
{
    const LineSegment2D x({0, 0}, {1, 0});
    EXPECT_TRUE(x.Perpendicular(LineSegment2D({0, 0}, {0, 2})));
    EXPECT_FALSE(x.Perpendicular(LineSegment2D({0, 0}, {1, 1})));
    EXPECT_TRUE(x.Parallel(LineSegment2D({5, 1}, {7, 1})));
    EXPECT_TRUE(x.Alligned(LineSegment2D({5, 0}, {7, 0})));
    EXPECT_FALSE(x.Alligned(LineSegment2D({5, 1}, {7, 1})));
    EXPECT_FALSE(x.Alligned(LineSegment2D({5, 0}, {7, 1})));

    EXPECT_NEAR(x.AngleBetween(LineSegment2D({0, 0}, {0, 2})), std::numbers::pi_v<float> / 2.0f, 1e-6f);
    EXPECT_NEAR(x.AngleBetween(LineSegment2D({1, 0}, {0, 0})), std::numbers::pi_v<float>, 1e-6f);
}

TEST(MathLineSegment2D, AngleBetweenClampsTheRoundedCosine)
{
    // For this direction the normalised dot product rounds to just above 1.
    const LineSegment2D segment({0, 0}, {0.1f, 0.38f});
    Math::Vector2D unit = segment.B - segment.A;
    unit.Normalize();
    ASSERT_GT(unit.Dot(unit) / (unit.Length() * unit.Length()), 1.0f);
    EXPECT_EQ(segment.AngleBetween(segment), 0.0f);
    EXPECT_EQ(segment.AngleBetween(LineSegment2D({1, 1}, {1, 1})), 0.0f);
}

} // namespace
