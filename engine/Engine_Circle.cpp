#include "engine/Engine_Circle.h"

#include "math/Math_Matrix4x4.h"

namespace Engine
{
namespace
{
constexpr i64 FullTurn = 360;
}

void MakeCircleOutline(f32 radius, i32 stepDegrees, Core::Vector<Math::Vector3D>& points)
{
    points.clear();
    if (stepDegrees <= 0)
        return;
    const Math::Vector3D start(radius, 0.0f, 0.0f);
    points.reserve(static_cast<std::size_t>(2 * (FullTurn / stepDegrees + 1)));
    Math::Vector3D previous = start;
    // Wide enough that adding any step to an angle up to 360 cannot overflow.
    i64 angle = 0;
    do
    {
        const Math::Vector3D current =
            Math::TransformPoint(Math::Matrix4x4::RotationZ(static_cast<f32>(angle)), start);
        points.push_back(previous);
        points.push_back(current);
        previous = current;
        angle += stepDegrees;
    } while (angle <= FullTurn);
}

Circle::Circle(f32 radius, i32 stepDegrees)
{
    MakeCircleOutline(radius, stepDegrees, points);
}

Circle* Circle::Clone() const
{
    return new (__FILE__, __LINE__) Circle(*this);
}
} // namespace Engine
