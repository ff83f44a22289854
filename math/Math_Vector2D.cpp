#include "math/Math_Vector2D.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"

#include <cmath>

namespace Math {

Vector2D& Vector2D::operator+=(const Vector2D& other)
{
    x += other.x;
    y += other.y;
    return *this;
}

Vector2D& Vector2D::operator-=(const Vector2D& other)
{
    x -= other.x;
    y -= other.y;
    return *this;
}

void Vector2D::SetZero()
{
    x = 0.0f;
    y = 0.0f;
}

float Vector2D::Length() const
{
    return std::sqrt(x * x + y * y);
}

void Vector2D::Normalize()
{
    const float length = Length();
    if (length < Epsilon)
        return;
    x /= length;
    y /= length;
}

void Vector2D::Save(Core::File& file) const
{
    Core::WriteF32(file, x);
    Core::WriteF32(file, y);
}

void Vector2D::Load(Core::File& file)
{
    Core::ReadF32(file, x);
    Core::ReadF32(file, y);
}

Core::File& WriteVector2D(Core::File& file, const Vector2D& v)
{
    v.Save(file);
    return file;
}

Core::File& ReadVector2D(Core::File& file, Vector2D& v)
{
    v.Load(file);
    return file;
}

Vector2D Normalized(const Vector2D& a)
{
    const float length = a.Length();
    if (length == 0.0f)
        return {};
    return {a.x / length, a.y / length};
}

} // namespace Math
