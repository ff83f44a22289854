#include "math/Math_Matrix4x4.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"

#include <cmath>
#include <utility>

namespace Math {

namespace {

float At(const Matrix4x4& matrix, int row, int column)
{
    return matrix.e[4 * column + row];
}

// Determinant of the 3×3 matrix left when row and column are struck out.
float Minor(const Matrix4x4& matrix, int row, int column)
{
    int rows[3];
    int columns[3];
    for (int i = 0, r = 0, c = 0; i < 4; ++i) {
        if (i != row)
            rows[r++] = i;
        if (i != column)
            columns[c++] = i;
    }
    const auto a = [&](int r, int c) { return At(matrix, rows[r], columns[c]); };
    return a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) - a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
           a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
}

float Cofactor(const Matrix4x4& matrix, int row, int column)
{
    const float minor = Minor(matrix, row, column);
    return (row + column) % 2 == 0 ? minor : -minor;
}

// The transposed cofactor matrix over det.
Matrix4x4 AdjugateOver(const Matrix4x4& matrix, float det)
{
    Matrix4x4 inverse;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            inverse.e[4 * column + row] = Cofactor(matrix, column, row) / det;
    }
    return inverse;
}

Matrix4x4 Zero()
{
    Matrix4x4 matrix;
    for (float& element : matrix.e)
        element = 0.0f;
    return matrix;
}

} // namespace

void Matrix4x4::SetIdentity()
{
    *this = Matrix4x4();
}

Matrix4x4 Matrix4x4::Translation(float x, float y, float z)
{
    Matrix4x4 matrix;
    matrix.e[12] = x;
    matrix.e[13] = y;
    matrix.e[14] = z;
    return matrix;
}

Matrix4x4 Matrix4x4::Scaling(float x, float y, float z)
{
    Matrix4x4 matrix;
    matrix.e[0] = x;
    matrix.e[5] = y;
    matrix.e[10] = z;
    return matrix;
}

Matrix4x4 Matrix4x4::RotationZ(float degrees)
{
    Matrix4x4 matrix;
    SetRotationZ(matrix, degrees);
    return matrix;
}

void Matrix4x4::SetRotationZ(Matrix4x4& matrix, float degrees)
{
    const float theta = degrees * DegreesToRadians;
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    matrix = Zero();
    matrix.e[0] = c;
    matrix.e[1] = s;
    matrix.e[4] = -s;
    matrix.e[5] = c;
    matrix.e[10] = 1.0f;
    matrix.e[15] = 1.0f;
}

Matrix4x4 Matrix4x4::Perspective(float fovy, float aspect, float zNear, float zFar)
{
    const float f = 1.0f / std::tan(fovy / 2.0f * DegreesToRadians);
    Matrix4x4 matrix = Zero();
    matrix.e[0] = f / aspect;
    matrix.e[5] = f;
    matrix.e[10] = (zNear + zFar) / (zNear - zFar);
    matrix.e[11] = -1.0f;
    matrix.e[14] = 2.0f * zNear * zFar / (zNear - zFar);
    return matrix;
}

Matrix4x4 Matrix4x4::Ortho(float left, float right, float bottom, float top)
{
    Matrix4x4 matrix = Zero();
    matrix.e[0] = 2.0f / (right - left);
    matrix.e[5] = 2.0f / (top - bottom);
    matrix.e[10] = -1.0f;
    matrix.e[12] = (left + right) / (left - right);
    matrix.e[13] = (bottom + top) / (bottom - top);
    matrix.e[15] = 1.0f;
    return matrix;
}

void Matrix4x4::Scale(Matrix4x4& out, const Matrix4x4& matrix, float s)
{
    for (int i = 0; i < 16; ++i)
        out.e[i] = matrix.e[i] * s;
}

bool Matrix4x4::Inverse(Matrix4x4& out, const Matrix4x4& matrix)
{
    const float det = matrix.Determinant();
    if (-Epsilon < det && det < Epsilon) {
        out = matrix;
        return false;
    }
    out = AdjugateOver(matrix, det);
    return true;
}

bool Matrix4x4::operator==(const Matrix4x4& other) const
{
    for (int i = 0; i < 16; ++i) {
        if (e[i] != other.e[i])
            return false;
    }
    return true;
}

void Matrix4x4::Transpose()
{
    for (int row = 0; row < 4; ++row) {
        for (int column = row + 1; column < 4; ++column)
            std::swap(e[4 * column + row], e[4 * row + column]);
    }
}

float Matrix4x4::Determinant() const
{
    float det = 0.0f;
    for (int column = 0; column < 4; ++column)
        det += At(*this, 0, column) * Cofactor(*this, 0, column);
    return det;
}

bool Matrix4x4::Invert()
{
    const float det = Determinant();
    if (det == 0.0f)
        return false;
    *this = AdjugateOver(*this, det);
    return true;
}

Vector4D TransformVector4(const Matrix4x4& matrix, const Vector4D& v)
{
    const float* e = matrix.e;
    return {e[0] * v.x + e[4] * v.y + e[8] * v.z + e[12] * v.w, e[1] * v.x + e[5] * v.y + e[9] * v.z + e[13] * v.w,
            e[2] * v.x + e[6] * v.y + e[10] * v.z + e[14] * v.w, e[3] * v.x + e[7] * v.y + e[11] * v.z + e[15] * v.w};
}

Core::File& WriteMatrix4x4(Core::File& file, const Matrix4x4& matrix)
{
    for (float element : matrix.e)
        Core::WriteF32(file, element);
    return file;
}

Core::File& ReadMatrix4x4(Core::File& file, Matrix4x4& matrix)
{
    for (float& element : matrix.e)
        Core::ReadF32(file, element);
    return file;
}

} // namespace Math
