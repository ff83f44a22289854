#include "core/Math_Matrix3x3.h"

#include "core/Core_File.h"
#include "core/Math_Constants.h"

#include <cmath>

namespace Math {

void Matrix3x3::SetIdentity()
{
    *this = Matrix3x3();
}

Matrix3x3 Matrix3x3::Translation(float x, float y)
{
    Matrix3x3 matrix;
    matrix.m[2] = x;
    matrix.m[5] = y;
    return matrix;
}

Matrix3x3 Matrix3x3::Rotation(float degrees)
{
    const float theta = degrees * DegreesToRadians;
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    Matrix3x3 matrix;
    matrix.m[0] = c;
    matrix.m[1] = -s;
    matrix.m[3] = s;
    matrix.m[4] = c;
    return matrix;
}

void Matrix3x3::Scale(Matrix3x3& out, const Matrix3x3& matrix, float s)
{
    for (int i = 0; i < 9; ++i)
        out.m[i] = matrix.m[i] * s;
}

Matrix3x3 Matrix3x3::operator*(const Matrix3x3& other) const
{
    Matrix3x3 product;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            product.m[row * 3 + column] = m[row * 3] * other.m[column] + m[row * 3 + 1] * other.m[3 + column] +
                                          m[row * 3 + 2] * other.m[6 + column];
        }
    }
    return product;
}

bool Matrix3x3::operator==(const Matrix3x3& other) const
{
    for (int i = 0; i < 9; ++i) {
        if (m[i] != other.m[i])
            return false;
    }
    return true;
}

bool Matrix3x3::Inverse(Matrix3x3& out) const
{
    const float det = (m[8] * m[4] - m[7] * m[5]) * m[0] - (m[8] * m[3] - m[6] * m[5]) * m[1] +
                      (m[7] * m[3] - m[6] * m[4]) * m[2];
    if (-Epsilon < det && det < Epsilon)
        return false;

    const float adjugate[9] = {
        m[8] * m[4] - m[7] * m[5], m[2] * m[7] - m[8] * m[1], m[5] * m[1] - m[2] * m[4],
        m[6] * m[5] - m[8] * m[3], m[0] * m[8] - m[2] * m[6], m[2] * m[3] - m[5] * m[0],
        m[7] * m[3] - m[6] * m[4], m[6] * m[1] - m[7] * m[0], m[0] * m[4] - m[3] * m[1],
    };
    const float reciprocal = 1.0f / det;
    for (int i = 0; i < 9; ++i)
        out.m[i] = adjugate[i] * reciprocal;
    return true;
}

void Matrix3x3::Save(Core::File& file) const
{
    for (float element : m)
        Core::WriteF32(file, element);
}

void Matrix3x3::Load(Core::File& file)
{
    for (float& element : m)
        Core::ReadF32(file, element);
}

Point2D TransformPoint(const Matrix3x3& matrix, const Point2D& point)
{
    const float* m = matrix.m;
    return {m[0] * point.x + m[1] * point.y + m[2], m[3] * point.x + m[4] * point.y + m[5]};
}

Vector2D TransformDirection(const Matrix3x3& matrix, const Vector2D& direction)
{
    const float* m = matrix.m;
    return {m[0] * direction.x + m[1] * direction.y + m[6], m[3] * direction.x + m[4] * direction.y + m[7]};
}

} // namespace Math
