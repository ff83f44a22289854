#pragma once

#include "core/Math_Vector2D.h"

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
Point2D TransformPoint(const Matrix3x3& matrix, const Point2D& point);
// (m0 x + m1 y + m6, m3 x + m4 y + m7): for affine matrices m6 = m7 = 0, so directions are rotated
// and scaled but not moved.
Vector2D TransformDirection(const Matrix3x3& matrix, const Vector2D& direction);

} // namespace Math
