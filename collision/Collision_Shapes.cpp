#include "collision/Collision_Shapes.h"

#include "collision/Collision_Rect.h"
#include "collision/Collision_Stream.h"

namespace Collision2D
{
FlipVariant SelectFlipVariant(bool horizontalFlip, bool verticalFlip)
{
    if (horizontalFlip && verticalFlip)
        return HVFlip;
    if (horizontalFlip)
        return HFlip;
    if (verticalFlip)
        return VFlip;
    return NoFlip;
}

Math::Point2D FlipPoint(const Math::Point2D& p, FlipVariant variant)
{
    switch (variant)
    {
    case HVFlip:
        return {-p.x, -p.y};
    case HFlip:
        return {-p.x, p.y};
    case VFlip:
        return {p.x, -p.y};
    default:
        return p;
    }
}

Math::LineSegment2D FlipLineSegment(const Math::LineSegment2D& s, FlipVariant variant)
{
    // One mirror turns the segment's left side inward, so its ends are exchanged to keep the
    // outer side; both mirrors together are a half-turn, which keeps it.
    if (variant == HFlip || variant == VFlip)
        return {FlipPoint(s.B, variant), FlipPoint(s.A, variant)};
    return {FlipPoint(s.A, variant), FlipPoint(s.B, variant)};
}

Math::Circle2D FlipCircle(const Math::Circle2D& c, FlipVariant variant)
{
    return {FlipPoint(c.center, variant), c.radius};
}

VelRect FlipRectangle(const VelRect& r, FlipVariant variant)
{
    switch (variant)
    {
    case HVFlip:
        return {-r.bottom, -r.right, -r.left, -r.top};
    case HFlip:
        return {r.top, -r.right, -r.left, r.bottom};
    case VFlip:
        return {-r.bottom, r.left, r.right, -r.top};
    default:
        return r;
    }
}

void DynamicCollisionCircle::Save(Core::File& file) const
{
    for (const Math::Circle2D& circle : variants)
    {
        Stream::WriteVector(file, circle.center);
        Core::WriteF32(file, circle.radius);
    }
    Core::WriteU32(file, userId);
}

bool DynamicCollisionCircle::Load(Core::File& file)
{
    for (Math::Circle2D& circle : variants)
    {
        if (!Stream::ReadVector(file, circle.center) || !Core::ReadF32(file, circle.radius))
            return false;
    }
    return Core::ReadU32(file, userId);
}

void DynamicCollisionLineSegment::Save(Core::File& file) const
{
    for (const Math::LineSegment2D& segment : variants)
    {
        Stream::WriteVector(file, segment.A);
        Stream::WriteVector(file, segment.B);
    }
    Core::WriteU32(file, userId);
}

bool DynamicCollisionLineSegment::Load(Core::File& file)
{
    for (Math::LineSegment2D& segment : variants)
    {
        if (!Stream::ReadVector(file, segment.A) || !Stream::ReadVector(file, segment.B))
            return false;
    }
    return Core::ReadU32(file, userId);
}

void DynamicCollisionHotSpot::Save(Core::File& file) const
{
    for (const Math::Point2D& point : variants)
        Stream::WriteVector(file, point);
}

bool DynamicCollisionHotSpot::Load(Core::File& file)
{
    for (Math::Point2D& point : variants)
    {
        if (!Stream::ReadVector(file, point))
            return false;
    }
    return true;
}
} // namespace Collision2D
