#include "tests/math/Math_TestSupport.h"

#include "math/Math_Matrix3x3.h"

namespace {

using Math::Matrix3x3;
using Math::Point2D;
using Math::Vector2D;

Matrix3x3 Make(std::initializer_list<float> elements)
{
    Matrix3x3 matrix;
    int i = 0;
    for (float element : elements)
        matrix.m[i++] = element;
    return matrix;
}

void ExpectMatrixNear(const Matrix3x3& actual, const Matrix3x3& expected)
{
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5f) << "element " << i;
}

TEST(MathMatrix3x3, TranslationMovesPointsButNotDirections)
{
    const Matrix3x3 translation = Matrix3x3::Translation(3, 4);
    EXPECT_EQ(translation, Matrix3x3::Translation(Vector2D(3, 4)));
    EXPECT_EQ(Math::TransformPoint(translation, {1, 1}), Point2D(4, 5));
    EXPECT_EQ(Math::TransformDirection(translation, {1, 1}), Vector2D(1, 1));
}

TEST(MathMatrix3x3, RotationIsCounterClockwiseInDegrees)
{
    ExpectPointNear(Math::TransformPoint(Matrix3x3::Rotation(90), {1, 0}), {0, 1});
    ExpectPointNear(Math::TransformPoint(Matrix3x3::Rotation(-90), {1, 0}), {0, -1});
    ExpectPointNear(Math::TransformDirection(Matrix3x3::Rotation(180), {2, 3}), {-2, -3});
}

TEST(MathMatrix3x3, ProductAppliesTheRightFactorFirst)
{
    const Matrix3x3 product = Matrix3x3::Translation(1, 0) * Matrix3x3::Rotation(90);
    ExpectPointNear(Math::TransformPoint(product, {1, 0}), {1, 1});
    const Matrix3x3 a = Make({1, 2, 3, 4, 5, 6, 7, 8, 9});
    const Matrix3x3 b = Make({9, 8, 7, 6, 5, 4, 3, 2, 1});
    EXPECT_EQ(a * b, Make({30, 24, 18, 84, 69, 54, 138, 114, 90}));
}

TEST(MathMatrix3x3, ScaleMultipliesEveryElement)
{
    const Matrix3x3 a = Make({1, 2, 3, 4, 5, 6, 7, 8, 9});
    Matrix3x3 scaled;
    Matrix3x3::Scale(scaled, a, 0.5f);
    EXPECT_EQ(scaled, Make({0.5f, 1, 1.5f, 2, 2.5f, 3, 3.5f, 4, 4.5f}));
    EXPECT_EQ(0.5f * a, scaled);
}

TEST(MathMatrix3x3, InverseLeavesTheOutputUntouchedForNearSingularMatrices)
{
    const Matrix3x3 marker = Make({7, 7, 7, 7, 7, 7, 7, 7, 7});
    const struct {
        const char* name;
        Matrix3x3 matrix;
    } singular[] = {
        {"determinant 0.0004", Make({0.02f, 0, 0, 0, 0.02f, 0, 0, 0, 1})},
        {"determinant -0.0004", Make({-0.02f, 0, 0, 0, 0.02f, 0, 0, 0, 1})},
        {"determinant 0", Make({1, 2, 3, 2, 4, 6, 0, 0, 1})},
        {"zero matrix", Make({0, 0, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const auto& c : singular) {
        SCOPED_TRACE(c.name);
        Matrix3x3 out = marker;
        EXPECT_FALSE(c.matrix.Inverse(out));
        EXPECT_EQ(out, marker);
    }

    // The tolerance is exclusive: a determinant of exactly 0.0005 is inverted.
    Matrix3x3 out = marker;
    EXPECT_TRUE(Make({0.0005f, 0, 0, 0, 1, 0, 0, 0, 1}).Inverse(out));
    EXPECT_EQ(out.m[0], 1.0f * (1.0f / 0.0005f));
}

TEST(MathMatrix3x3, InverseUndoesTheTransform)
{
    Matrix3x3 out;
    EXPECT_TRUE(Matrix3x3::Translation(3, 4).Inverse(out));
    EXPECT_EQ(out, Matrix3x3::Translation(-3, -4));

    const Matrix3x3 transform = Matrix3x3::Rotation(30) * Matrix3x3::Translation(2, -1) * (2.0f * Matrix3x3());
    Matrix3x3 inverse;
    ASSERT_TRUE(transform.Inverse(inverse));
    ExpectMatrixNear(transform * inverse, Matrix3x3());

    // The output may be the matrix itself.
    Matrix3x3 inPlace = Matrix3x3::Translation(3, 4);
    EXPECT_TRUE(inPlace.Inverse(inPlace));
    EXPECT_EQ(inPlace, Matrix3x3::Translation(-3, -4));
}

} // namespace
