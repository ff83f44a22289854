#include "math/Math_Matrix4x4.h"
#include "math/Math_Quaternion.h"

#include <gtest/gtest.h>

namespace {

using Math::Matrix4x4;
using Math::Quaternion;
using Math::Vector3D;
using Math::Vector4D;

Matrix4x4 Make(std::initializer_list<float> elements)
{
    Matrix4x4 matrix;
    int i = 0;
    for (float element : elements)
        matrix.e[i++] = element;
    return matrix;
}

void ExpectMatrixNear(const Matrix4x4& actual, const Matrix4x4& expected, float tolerance = 1e-5f)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual.e[i], expected.e[i], tolerance) << "element " << i;
}

void ExpectVectorNear(const Vector3D& actual, const Vector3D& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(MathMatrix4x4, ConstructorsInColumnOrder)
{
    EXPECT_EQ(Matrix4x4(), Make({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(Matrix4x4::Identity(), Matrix4x4());
    EXPECT_EQ(Matrix4x4::Translation(1, 2, 3), Make({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}));
    EXPECT_EQ(Matrix4x4::Scaling(2, 3, 4), Make({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1}));

    Matrix4x4 matrix = Matrix4x4::Translation(7, 8, 9);
    matrix.SetIdentity();
    EXPECT_EQ(matrix, Matrix4x4());
}

TEST(MathMatrix4x4, RotationZInDegrees)
{
    const Matrix4x4 rotation = Matrix4x4::RotationZ(90);
    ExpectVectorNear(Math::TransformPoint(rotation, {1, 0, 5}), {0, 1, 5});
    EXPECT_EQ(rotation.e[1], -rotation.e[4]);
    EXPECT_EQ(rotation.e[0], rotation.e[5]);

    // Setting a rotation replaces the whole matrix.
    Matrix4x4 matrix = Matrix4x4::Translation(1, 2, 3);
    Matrix4x4::SetRotationZ(matrix, 90);
    EXPECT_EQ(matrix, rotation);
}

TEST(MathMatrix4x4, Perspective)
{
    const Matrix4x4 p = Matrix4x4::Perspective(90, 1, 1, 100);
    EXPECT_FLOAT_EQ(p.e[0], 1.0f);
    EXPECT_FLOAT_EQ(p.e[5], 1.0f);
    EXPECT_EQ(p.e[10], (1.0f + 100.0f) / (1.0f - 100.0f));
    EXPECT_EQ(p.e[14], 2.0f * 1.0f * 100.0f / (1.0f - 100.0f));
    EXPECT_EQ(p.e[11], -1.0f);
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13, 15})
        EXPECT_EQ(p.e[i], 0.0f) << "element " << i;

    const Matrix4x4 wide = Matrix4x4::Perspective(90, 2, 1, 100);
    EXPECT_FLOAT_EQ(wide.e[0], 0.5f);

    // A point on the near plane maps to depth −1 after division by w.
    const Vector4D clip = Math::TransformVector4(p, {0, 0, -1, 1});
    EXPECT_EQ(clip.w, 1.0f);
    EXPECT_FLOAT_EQ(clip.z / clip.w, -1.0f);
}

TEST(MathMatrix4x4, OrthoMapsTheRectangleOntoTheUnitSquare)
{
    const Matrix4x4 ortho = Matrix4x4::Ortho(0, 1024, 0, 768);
    EXPECT_EQ(Math::TransformPoint(ortho, {0, 0, 0}), Vector3D(-1, -1, 0));
    EXPECT_EQ(Math::TransformPoint(ortho, {1024, 768, 0}), Vector3D(1, 1, 0));
    EXPECT_EQ(Math::TransformPoint(ortho, {512, 384, 1}), Vector3D(0, 0, -1));
    EXPECT_EQ(ortho.e[15], 1.0f);
    EXPECT_EQ(ortho.e[3], 0.0f);
}

TEST(MathMatrix4x4, ProductAppliesTheRightFactorFirst)
{
    const Matrix4x4 translateAfterScale = Matrix4x4::Translation(1, 0, 0) * Matrix4x4::Scaling(2, 2, 2);
    EXPECT_EQ(Math::TransformPoint(translateAfterScale, {1, 1, 1}), Vector3D(3, 2, 2));
    const Matrix4x4 scaleAfterTranslate = Matrix4x4::Scaling(2, 2, 2) * Matrix4x4::Translation(1, 0, 0);
    EXPECT_EQ(Math::TransformPoint(scaleAfterTranslate, {1, 1, 1}), Vector3D(4, 2, 2));
}

TEST(MathMatrix4x4, TransformPointDoesNotDivideByW)
{
    Matrix4x4 matrix;
    matrix.e[3] = 5;
    matrix.e[15] = 2;
    EXPECT_EQ(Math::TransformPoint(matrix, {1, 2, 3}), Vector3D(1, 2, 3));
    EXPECT_EQ(Math::TransformVector4(matrix, {1, 2, 3, 1}), Vector4D(1, 2, 3, 7));
}

TEST(MathMatrix4x4, TransposeAndScale)
{
    Matrix4x4 matrix = Make({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    matrix.Transpose();
    EXPECT_EQ(matrix, Make({1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16}));
    Matrix4x4 scaled;
    Matrix4x4::Scale(scaled, matrix, 2);
    EXPECT_EQ(scaled, Make({2, 10, 18, 26, 4, 12, 20, 28, 6, 14, 22, 30, 8, 16, 24, 32}));
}

TEST(MathMatrix4x4, Determinant)
{
    EXPECT_EQ(Matrix4x4::Scaling(2, 3, 4).Determinant(), 24.0f);
    EXPECT_EQ(Matrix4x4::Translation(5, 6, 7).Determinant(), 1.0f);
    // Swapping two rows negates it.
    EXPECT_EQ(Make({0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}).Determinant(), -1.0f);
    EXPECT_EQ(Make({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}).Determinant(), 0.0f);
    EXPECT_EQ(Make({2, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1}).Determinant(), -1.0f);
}

TEST(MathMatrix4x4, InverseCopiesNearSingularMatrices)
{
    const struct {
        const char* name;
        Matrix4x4 matrix;
    } singular[] = {
        {"determinant 0.0001", Matrix4x4::Scaling(0.01f, 0.01f, 1)},
        {"determinant -0.0004", Matrix4x4::Scaling(-0.02f, 0.02f, 1)},
        {"determinant 0", Make({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16})},
    };
    for (const auto& c : singular) {
        SCOPED_TRACE(c.name);
        Matrix4x4 out = Matrix4x4::Translation(9, 9, 9);
        EXPECT_FALSE(Matrix4x4::Inverse(out, c.matrix));
        EXPECT_EQ(out, c.matrix);
    }
}

TEST(MathMatrix4x4, InvertInPlaceRefusesOnlyAnExactlyZeroDeterminant)
{
    const Matrix4x4 singular = Make({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    Matrix4x4 matrix = singular;
    EXPECT_FALSE(matrix.Invert());
    EXPECT_EQ(matrix, singular);

    Matrix4x4 small = Matrix4x4::Scaling(0.01f, 0.01f, 1);
    EXPECT_TRUE(small.Invert());
    ExpectMatrixNear(small, Matrix4x4::Scaling(100, 100, 1), 1e-3f);
}

TEST(MathMatrix4x4, InverseUndoesTheTransform)
{
    Matrix4x4 out;
    EXPECT_TRUE(Matrix4x4::Inverse(out, Matrix4x4::Translation(1, 2, 3)));
    EXPECT_EQ(out, Matrix4x4::Translation(-1, -2, -3));

    const Matrix4x4 transform =
        Matrix4x4::RotationZ(30) * Matrix4x4::Translation(1, 2, 3) * Matrix4x4::Scaling(2, 0.5f, 4);
    ASSERT_TRUE(Matrix4x4::Inverse(out, transform));
    ExpectMatrixNear(transform * out, Matrix4x4());

    Matrix4x4 inPlace = transform;
    ASSERT_TRUE(inPlace.Invert());
    ExpectMatrixNear(inPlace, out);

    // The output may be the input itself.
    Matrix4x4 aliased = Matrix4x4::Translation(1, 2, 3);
    EXPECT_TRUE(Matrix4x4::Inverse(aliased, aliased));
    EXPECT_EQ(aliased, Matrix4x4::Translation(-1, -2, -3));
}

void ExpectQuaternionNear(const Quaternion& actual, const Quaternion& expected)
{
    EXPECT_NEAR(actual.w, expected.w, 1e-6f);
    EXPECT_NEAR(actual.x, expected.x, 1e-6f);
    EXPECT_NEAR(actual.y, expected.y, 1e-6f);
    EXPECT_NEAR(actual.z, expected.z, 1e-6f);
}

TEST(MathQuaternion, FromAxisAngleNormalisesTheAxisArgument)
{
    Vector3D axis(0, 0, 2);
    Quaternion q;
    q.FromAxisAngle(axis, 180);
    EXPECT_EQ(axis, Vector3D(0, 0, 1));
    ExpectQuaternionNear(q, {0, 0, 0, 1});

    // The constructor works on a copy.
    const Vector3D given(0, 3, 0);
    ExpectQuaternionNear(Quaternion(given, 90), {0.70710677f, 0, 0.70710677f, 0});
    EXPECT_EQ(given, Vector3D(0, 3, 0));
}

TEST(MathQuaternion, HamiltonProduct)
{
    Quaternion i(0, 1, 0, 0);
    i *= Quaternion(0, 0, 1, 0);
    EXPECT_EQ(i.w, 0.0f);
    EXPECT_EQ(i.z, 1.0f);
    Quaternion j(0, 0, 1, 0);
    j *= Quaternion(0, 1, 0, 0);
    EXPECT_EQ(j.z, -1.0f);

    Quaternion quarter(Vector3D(0, 0, 1), 90);
    quarter *= Quaternion(Vector3D(0, 0, 1), 90);
    ExpectQuaternionNear(quarter, Quaternion(Vector3D(0, 0, 1), 180));

    Quaternion self(1, 2, 3, 4);
    self *= self;
    EXPECT_EQ(self.w, 1 - 4 - 9 - 16.0f);
    EXPECT_EQ(self.x, 4.0f);
    EXPECT_EQ(self.y, 6.0f);
    EXPECT_EQ(self.z, 8.0f);
}

TEST(MathQuaternion, NormalizeAndMatrix)
{
    Quaternion zero(0, 0, 0, 0);
    zero.Normalize();
    EXPECT_EQ(zero.w, 0.0f);
    Quaternion scaled(2, 0, 0, 0);
    scaled.Normalize();
    EXPECT_EQ(scaled.w, 1.0f);

    EXPECT_EQ(Quaternion().ToMatrix(), Matrix4x4());
    ExpectMatrixNear(Quaternion(Vector3D(0, 0, 1), 90).ToMatrix(), Matrix4x4::RotationZ(90));
    ExpectVectorNear(Math::TransformPoint(Quaternion(Vector3D(1, 0, 0), 90).ToMatrix(), {0, 1, 0}), {0, 0, 1});
}

} // namespace
