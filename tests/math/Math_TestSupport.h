#pragma once

#include "math/Math_LineSegment2D.h"
#include "math/Math_Vector2D.h"

#include <gtest/gtest.h>

// Point and segment comparisons for results that the math leaves inexact: within a few units in
// the last place of values of the size used in the tests.
inline constexpr float PointTolerance = 1e-5f;

inline void ExpectPointNear(const Math::Point2D& actual, const Math::Point2D& expected,
                            float tolerance = PointTolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

inline void ExpectSegmentNear(const Math::LineSegment2D& actual, const Math::LineSegment2D& expected)
{
    ExpectPointNear(actual.A, expected.A);
    ExpectPointNear(actual.B, expected.B);
}
