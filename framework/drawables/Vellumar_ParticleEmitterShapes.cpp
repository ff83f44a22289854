// The shape emitters: points, lines, circles, disks, rectangle outlines and filled rectangles.
#include "core/Core_File.h"
#include "framework/drawables/Vellumar_ParticleEmitter.h"
#include "framework/core/Vellumar_Random.h"

#include <cmath>

namespace Vellumar
{
CORE_REGISTER_CLASS(PointEmitter, "Vellumar::PointEmitter")
CORE_REGISTER_CLASS(LineEmitter, "Vellumar::LineEmitter")
CORE_REGISTER_CLASS(CircleEmitter, "Vellumar::CircleEmitter")
CORE_REGISTER_CLASS(DiskEmitter, "Vellumar::DiskEmitter")
CORE_REGISTER_CLASS(RectangleEmitter, "Vellumar::RectangleEmitter")
CORE_REGISTER_CLASS(FilledRectangleEmitter, "Vellumar::FilledRectangleEmitter")

namespace
{
constexpr f32 DegreesToRadians = 0.017453292f;
constexpr f32 FullTurn = 6.2831855f;

// The fixed outward axis of rectangle side k (bottom, right, top, left).
Math::Vector2D SideAxis(i32 side)
{
    static const Math::Vector2D axes[4] = {{0.0f, -1.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}};
    return axes[side & 3];
}
}  // namespace

PointEmitter::PointEmitter(const Math::Point2D& point, f32 angleMin, f32 angleMax)
    : point(point), angleMin(angleMin), angleMax(angleMax)
{
}

PointEmitter* PointEmitter::Clone() const
{
    return new (__FILE__, __LINE__) PointEmitter(*this);
}

void PointEmitter::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    const f32 angle = RandomFloatInRange(angleMin, angleMax) * DegreesToRadians;
    position = point;
    direction = Math::Vector2D(std::cos(angle), std::sin(angle));
}

void PointEmitter::Save(Core::File& file)
{
    ParticleEmitter::Save(file);
    Math::WriteVector2D(file, point);
    Core::WriteF32(file, angleMin);
    Core::WriteF32(file, angleMax);
}

void PointEmitter::Load(Core::File& file)
{
    ParticleEmitter::Load(file);
    Math::ReadVector2D(file, point);
    Core::ReadF32(file, angleMin);
    Core::ReadF32(file, angleMax);
}

LineEmitter::LineEmitter(const Math::Point2D& a, const Math::Point2D& b) : pointA(a), pointB(b)
{
}

LineEmitter* LineEmitter::Clone() const
{
    return new (__FILE__, __LINE__) LineEmitter(*this);
}

void LineEmitter::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    const f32 s = RandomFloatInRange(0.0f, 1.0f);
    const Math::Vector2D d = pointB - pointA;
    position = pointA + d * s;
    direction = Math::Vector2D(-d.y, d.x);
    direction.Normalize();
}

void LineEmitter::Save(Core::File& file)
{
    ParticleEmitter::Save(file);
    Math::WriteVector2D(file, pointA);
    Math::WriteVector2D(file, pointB);
}

void LineEmitter::Load(Core::File& file)
{
    ParticleEmitter::Load(file);
    Math::ReadVector2D(file, pointA);
    Math::ReadVector2D(file, pointB);
}

CircleEmitter::CircleEmitter(const Math::Point2D& centre, f32 radius) : centre(centre), radius(radius)
{
}

CircleEmitter* CircleEmitter::Clone() const
{
    return new (__FILE__, __LINE__) CircleEmitter(*this);
}

void CircleEmitter::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    const f32 angle = RandomFloatInRange(0.0f, FullTurn);
    direction = Math::Vector2D(std::cos(angle), std::sin(angle));
    position = centre + direction * radius;
}

void CircleEmitter::Save(Core::File& file)
{
    ParticleEmitter::Save(file);
    Math::WriteVector2D(file, centre);
    Core::WriteF32(file, radius);
}

void CircleEmitter::Load(Core::File& file)
{
    ParticleEmitter::Load(file);
    Math::ReadVector2D(file, centre);
    Core::ReadF32(file, radius);
}

DiskEmitter* DiskEmitter::Clone() const
{
    return new (__FILE__, __LINE__) DiskEmitter(*this);
}

void DiskEmitter::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    const f32 distance = RandomFloatInRange(0.0f, radius);
    const f32 angle = RandomFloatInRange(0.0f, FullTurn);
    direction = Math::Vector2D(std::cos(angle), std::sin(angle));
    position = centre + direction * distance;
}

RectangleEmitter::RectangleEmitter(f32 x, f32 y, f32 width, f32 height)
    : corners{{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}
{
}

RectangleEmitter* RectangleEmitter::Clone() const
{
    return new (__FILE__, __LINE__) RectangleEmitter(*this);
}

void RectangleEmitter::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    const i32 side = RandomInt(3);
    const f32 s = RandomFloatInRange(0.0f, 1.0f);
    const Math::Point2D& start = corners[side];
    const Math::Point2D& end = corners[(side + 1) & 3];
    position = start + (end - start) * s;
    direction = SideAxis(side);
}

void RectangleEmitter::Save(Core::File& file)
{
    ParticleEmitter::Save(file);
    for (const Math::Point2D& corner : corners)
    {
        Math::WriteVector2D(file, corner);
    }
}

void RectangleEmitter::Load(Core::File& file)
{
    ParticleEmitter::Load(file);
    for (Math::Point2D& corner : corners)
    {
        Math::ReadVector2D(file, corner);
    }
}

FilledRectangleEmitter* FilledRectangleEmitter::Clone() const
{
    return new (__FILE__, __LINE__) FilledRectangleEmitter(*this);
}

void FilledRectangleEmitter::GetPositionAndDirection(f32, Math::Point2D& position, Math::Vector2D& direction)
{
    const f32 x = RandomFloatInRange(corners[0].x, corners[1].x);
    const f32 y = RandomFloatInRange(corners[0].y, corners[3].y);
    position = Math::Point2D(x, y);
    direction = SideAxis(RandomInt(3));
}
}  // namespace Vellumar
