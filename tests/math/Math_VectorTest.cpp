#include "math/Math_Circle2D.h"
#include "math/Math_Color.h"
#include "math/Math_Constants.h"
#include "math/Math_Line2D.h"
#include "math/Math_PointTests.h"
#include "math/Math_Vector2D.h"
#include "math/Math_Vector3D.h"

#include <gtest/gtest.h>

namespace {

using Math::Vector2D;
using Math::Vector3D;

TEST(MathVector2D, ArithmeticIsComponentWise)
{
    const Vector2D a(1.5f, -2.0f);
    const Vector2D b(0.25f, 4.0f);
    EXPECT_EQ(a + b, Vector2D(1.75f, 2.0f));
    EXPECT_EQ(a - b, Vector2D(1.25f, -6.0f));
    EXPECT_EQ(Math::MakeVector(a, b), a - b);
    EXPECT_EQ(a * 2.0f, Vector2D(3.0f, -4.0f));
    EXPECT_EQ(2.0f * a, Vector2D(3.0f, -4.0f));
    EXPECT_EQ(a / 2.0f, Vector2D(0.75f, -1.0f));
    EXPECT_EQ(a.Negate(), Vector2D(-1.5f, 2.0f));
    EXPECT_EQ(-a, a.Negate());
    EXPECT_EQ(Math::Dot(a, b), 1.5f * 0.25f + -2.0f * 4.0f);
    EXPECT_NE(a, b);

    Vector2D c = a;
    c += b;
    EXPECT_EQ(c, a + b);
    c -= b;
    EXPECT_EQ(c, a);
    c.SetZero();
    EXPECT_EQ(c, Vector2D());
}

TEST(MathVector2D, NormalizeLeavesVectorsShorterThanTheToleranceAlone)
{
    Vector2D shortVector(0.0003f, 0.0003f);
    shortVector.Normalize();
    EXPECT_EQ(shortVector, Vector2D(0.0003f, 0.0003f));

    Vector2D atTolerance(0.0004f, 0.0003f);
    const float length = atTolerance.Length();
    ASSERT_GE(length, Math::Epsilon);
    atTolerance.Normalize();
    EXPECT_EQ(atTolerance, Vector2D(0.0004f / length, 0.0003f / length));
    EXPECT_NEAR(atTolerance.Length(), 1.0f, 1e-6f);

    Vector2D threeFour(3.0f, 4.0f);
    threeFour.Normalize();
    EXPECT_EQ(threeFour, Vector2D(3.0f / 5.0f, 4.0f / 5.0f));
}

TEST(MathVector2D, NormalizedOfTheZeroVectorIsZero)
{
    EXPECT_EQ(Math::Normalized(Vector2D()), Vector2D());
    EXPECT_EQ(Math::Normalized(Vector2D(0.0f, -2.0f)), Vector2D(0.0f, -1.0f));
    // Unlike Normalize, any non-zero length is divided out.
    const Vector2D tiny = Math::Normalized(Vector2D(0.0003f, 0.0f));
    EXPECT_EQ(tiny, Vector2D(1.0f, 0.0f));
}

TEST(MathVector3D, ArithmeticCrossAndNormalize)
{
    const Vector3D a(1.0f, 2.0f, 3.0f);
    const Vector3D b(-2.0f, 0.5f, 4.0f);
    EXPECT_EQ(a - b, Vector3D(3.0f, 1.5f, -1.0f));
    EXPECT_EQ(a * 2.0f, Vector3D(2.0f, 4.0f, 6.0f));
    Vector3D c = a;
    c += b;
    EXPECT_EQ(c, Vector3D(-1.0f, 2.5f, 7.0f));

    EXPECT_EQ(Math::Cross(1, 0, 0, 0, 1, 0), Vector3D(0, 0, 1));
    EXPECT_EQ(Math::Cross(a, b), Vector3D(2.0f * 4.0f - 3.0f * 0.5f, 3.0f * -2.0f - 1.0f * 4.0f,
                                          1.0f * 0.5f - 2.0f * -2.0f));

    Vector3D zero;
    zero.Normalize();
    EXPECT_EQ(zero, Vector3D());
    Vector3D tiny(0.0001f, 0.0f, 0.0f);
    tiny.Normalize();
    EXPECT_EQ(tiny, Vector3D(1.0f, 0.0f, 0.0f));
}

TEST(MathColor, BlendArithmetic)
{
    const Math::Color a(0.0f, 0.5f, 1.0f, 1.0f);
    const Math::Color b(1.0f, 0.5f, 0.0f, 0.5f);
    EXPECT_EQ(a + (b - a) * 0.5f, Math::Color(0.5f, 0.5f, 0.5f, 0.75f));
    EXPECT_EQ(Math::Color(), Math::Color(0, 0, 0, 0));
}

TEST(MathPointTests, InRangeIncludesBothEnds)
{
    EXPECT_TRUE(Math::InRange(5.0f, 3.0f, 2.0f));
    EXPECT_TRUE(Math::InRange(1.0f, 3.0f, 2.0f));
    EXPECT_TRUE(Math::InRange(3.0f, 3.0f, 0.0f));
    EXPECT_FALSE(Math::InRange(5.001f, 3.0f, 2.0f));
    EXPECT_FALSE(Math::InRange(0.999f, 3.0f, 2.0f));
}

TEST(MathPointTests, PointToCircleClassifiesByDistance)
{
    const struct {
        float radius;
        int expected;
    } cases[] = {
        {5.0f, Math::Code::Meet},
        {6.0f, Math::Code::Inside},
        {4.0f, Math::Code::Outside},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radius);
        EXPECT_EQ(Math::PointToCircle({3.0f, 4.0f}, Math::Circle2D({0.0f, 0.0f}, c.radius)), c.expected);
    }
}

TEST(MathPointTests, DistancePointToLineGivesTheFootPoint)
{
    Math::Point2D foot;
    EXPECT_EQ(Math::DistancePointToLine({2.0f, 3.0f}, {0.0f, 1.0f}, {2.0f, 0.0f}, foot), 2.0f);
    EXPECT_EQ(foot, Math::Point2D(2.0f, 1.0f));

    const Math::Line2D line({1.0f, 0.0f}, {0.0f, 4.0f});
    EXPECT_EQ(Math::DistancePointToLine2D({-2.0f, 7.0f}, line, foot), 3.0f);
    EXPECT_EQ(foot, Math::Point2D(1.0f, 7.0f));
}

TEST(MathPointTests, DistanceToALineWithoutDirectionUsesTheGivenFoot)
{
    Math::Point2D foot(1.0f, 1.0f);
    const Math::Line2D line({5.0f, 5.0f}, {0.0f, 0.0f});
    EXPECT_EQ(Math::DistancePointToLine2D({4.0f, 5.0f}, line, foot), 5.0f);
    EXPECT_EQ(foot, Math::Point2D(1.0f, 1.0f));

    EXPECT_EQ(Math::DistancePointToLine({1.0f, 4.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}, foot), 3.0f);
    EXPECT_EQ(foot, Math::Point2D(1.0f, 1.0f));
}

} // namespace
