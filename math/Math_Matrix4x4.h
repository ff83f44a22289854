#pragma once

#include "math/Math_Vector3D.h"

namespace Core {
class File;
}

namespace Math {

// 4×4 matrix in the column order that the OpenGL matrix calls take: element e[4c + r] is row r of
// column c, the translation is e12, e13, e14. Identity by default.
class Matrix4x4 {
public:
    float e[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                   0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    Matrix4x4() = default;

    void SetIdentity();
    static Matrix4x4 Identity() { return {}; }
    static Matrix4x4 Translation(float x, float y, float z);
    // Diagonal (x, y, z, 1).
    static Matrix4x4 Scaling(float x, float y, float z);
    // Rotation about z by an angle in degrees.
    static Matrix4x4 RotationZ(float degrees);
    static void SetRotationZ(Matrix4x4& matrix, float degrees);
    // Vertical field of view in degrees; near and far distances along −z.
    static Matrix4x4 Perspective(float fovy, float aspect, float zNear, float zFar);
    // Maps the rectangle onto −1..1 with z negated (e10 = −1).
    static Matrix4x4 Ortho(float left, float right, float bottom, float top);
    // Every element multiplied by s.
    static void Scale(Matrix4x4& out, const Matrix4x4& matrix, float s);
    // The inverse of matrix into out; a determinant within the math tolerance of zero gives an
    // unchanged copy of matrix (and false).
    static bool Inverse(Matrix4x4& out, const Matrix4x4& matrix);

    // this × other.
    Matrix4x4 operator*(const Matrix4x4& other) const;
    bool operator==(const Matrix4x4& other) const;

    void Transpose();
    // Cofactor expansion along the first row (e0, e4, e8, e12).
    float Determinant() const;
    // In place; a determinant of exactly 0 leaves the matrix unchanged (and returns false).
    bool Invert();
};

// (e0 x + e4 y + e8 z + e12, e1 x + e5 y + e9 z + e13, e2 x + e6 y + e10 z + e14), without
// division by w.
// Inline, as the product above: scene updates and culling run them for every node each frame.
inline Vector3D TransformPoint(const Matrix4x4& matrix, const Vector3D& p)
{
    const float* e = matrix.e;
    return {e[0] * p.x + e[4] * p.y + e[8] * p.z + e[12], e[1] * p.x + e[5] * p.y + e[9] * p.z + e[13],
            e[2] * p.x + e[6] * p.y + e[10] * p.z + e[14]};
}
// matrix × v.
Vector4D TransformVector4(const Matrix4x4& matrix, const Vector4D& v);

inline Matrix4x4 Matrix4x4::operator*(const Matrix4x4& other) const
{
    Matrix4x4 product;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += e[4 * k + row] * other.e[4 * column + k];
            product.e[4 * column + row] = sum;
        }
    }
    return product;
}

// Stream form: the sixteen elements in storage order, little-endian f32.
Core::File& WriteMatrix4x4(Core::File& file, const Matrix4x4& matrix);
Core::File& ReadMatrix4x4(Core::File& file, Matrix4x4& matrix);

} // namespace Math
