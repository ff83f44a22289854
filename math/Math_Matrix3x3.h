#pragma once

#include "math/Math_Constants.h"
#include "math/Math_Vector2D.h"

namespace Core {
class File;
}

namespace Math {

// 2D affine transform in row order: rows (m0 m1 m2), (m3 m4 m5), (m6 m7 m8), the translation in
// m2 and m5 and, for affine transforms, a last row of (0, 0, 1). Identity by default.
class Matrix3x3 {
public:
    float m[9] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    Matrix3x3() = default;

    void SetIdentity();
    static Matrix3x3 Translation(float x, float y);
    static Matrix3x3 Translation(const Vector2D& offset) { return Translation(offset.x, offset.y); }
    // Counter-clockwise (y up) by an angle in degrees.
    static Matrix3x3 Rotation(float degrees);
    // Every element multiplied by s.
    static void Scale(Matrix3x3& out, const Matrix3x3& matrix, float s);

    // this × other, row by column.
    Matrix3x3 operator*(const Matrix3x3& other) const;
    bool operator==(const Matrix3x3& other) const;

    // The adjugate over the determinant. A determinant within the math tolerance of zero leaves
    // out untouched and returns false.
    bool Inverse(Matrix3x3& out) const;

    // Stream form: m0 to m8, little-endian f32.
    void Save(Core::File& file) const;
    void Load(Core::File& file);
};

inline Matrix3x3 operator*(float s, const Matrix3x3& matrix)
{
    Matrix3x3 scaled;
    Matrix3x3::Scale(scaled, matrix, s);
    return scaled;
}

// (m0 x + m1 y + m2, m3 x + m4 y + m5)
inline Point2D TransformPoint(const Matrix3x3& matrix, const Point2D& point)
{
    const float* m = matrix.m;
    return {m[0] * point.x + m[1] * point.y + m[2], m[3] * point.x + m[4] * point.y + m[5]};
}

// (m0 x + m1 y + m6, m3 x + m4 y + m7): for affine matrices m6 = m7 = 0, so directions are rotated
// and scaled but not moved.
inline Vector2D TransformDirection(const Matrix3x3& matrix, const Vector2D& direction)
{
    const float* m = matrix.m;
    return {m[0] * direction.x + m[1] * direction.y + m[6], m[3] * direction.x + m[4] * direction.y + m[7]};
}

// Defined here so that products with translations fold their constant zeros and ones where they
// are called; the results are the same floats.
inline Matrix3x3 Matrix3x3::Translation(float x, float y)
{
    Matrix3x3 matrix;
    matrix.m[2] = x;
    matrix.m[5] = y;
    return matrix;
}

inline Matrix3x3 Matrix3x3::operator*(const Matrix3x3& other) const
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

inline bool Matrix3x3::Inverse(Matrix3x3& out) const
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

} // namespace Math
