#include "math/Math_Matrix3x3.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"

#include <cmath>

namespace Math {

void Matrix3x3::SetIdentity()
{
    *this = Matrix3x3();
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

bool Matrix3x3::operator==(const Matrix3x3& other) const
{
    for (int i = 0; i < 9; ++i) {
        if (m[i] != other.m[i])
            return false;
    }
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

} // namespace Math
