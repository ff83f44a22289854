#include "collision/Collision_ActorData.h"

#include "collision/Collision_Stream.h"

namespace Collision2D
{
namespace
{
constexpr u32 FrameMinimumBytes = 64 + 3 * 4;
constexpr u32 AnimationMinimumBytes = 4;
constexpr u32 LineSegmentBytes = 68;
constexpr u32 CircleBytes = 52;
constexpr u32 HotSpotBytes = 32;

template <class Shape>
void SaveShapes(Core::File& file, const Core::List<Shape>& shapes)
{
    Core::WriteU32(file, static_cast<u32>(shapes.size()));
    for (const Shape& shape : shapes)
        shape.Save(file);
}

template <class Shape>
bool LoadShapes(Core::File& file, Core::List<Shape>& shapes, u32 shapeBytes)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, shapeBytes))
        return false;
    for (u32 i = 0; i < count; ++i)
    {
        if (!shapes.emplace_back().Load(file))
            return false;
    }
    return true;
}

// Reads count elements of a list, each by its own Load; the list is emptied first.
template <class Element>
bool LoadList(Core::File& file, Core::List<Element>& list, u32 elementBytes)
{
    list.clear();
    u32 count = 0;
    if (!Core::ReadCount(file, count, elementBytes))
        return false;
    for (u32 i = 0; i < count; ++i)
    {
        if (!list.emplace_back().Load(file))
        {
            list.clear();
            return false;
        }
    }
    return true;
}

template <class Element>
const Element* ElementAt(const Core::List<Element>& list, u32 index)
{
    if (index >= list.size())
        return nullptr;
    auto it = list.begin();
    for (u32 i = 0; i < index; ++i)
        ++it;
    return &*it;
}
} // namespace

void CollisionFrame::SetBoundingRectangle(const VelRect& rectangle, bool deriveFlips)
{
    for (i32 v = 0; v < FlipVariantCount; ++v)
        boundingRectangles[v] = deriveFlips ? FlipRectangle(rectangle, FlipVariant(v)) : rectangle;
}

void CollisionFrame::AddLineSegment(const Math::Point2D& a, const Math::Point2D& b, u32 userId, bool deriveFlips)
{
    DynamicCollisionLineSegment& shape = lineSegments.emplace_back();
    const Math::LineSegment2D segment(a, b);
    for (i32 v = 0; v < FlipVariantCount; ++v)
        shape.variants[v] = deriveFlips ? FlipLineSegment(segment, FlipVariant(v)) : segment;
    shape.userId = userId;
}

void CollisionFrame::AddCircle(const Math::Point2D& center, f32 radius, u32 userId, bool deriveFlips)
{
    DynamicCollisionCircle& shape = circles.emplace_back();
    const Math::Circle2D circle(center, radius);
    for (i32 v = 0; v < FlipVariantCount; ++v)
        shape.variants[v] = deriveFlips ? FlipCircle(circle, FlipVariant(v)) : circle;
    shape.userId = userId;
}

void CollisionFrame::AddHotSpot(const Math::Point2D& point, bool deriveFlips)
{
    DynamicCollisionHotSpot& shape = hotSpots.emplace_back();
    for (i32 v = 0; v < FlipVariantCount; ++v)
        shape.variants[v] = deriveFlips ? FlipPoint(point, FlipVariant(v)) : point;
}

void CollisionFrame::Clear()
{
    lineSegments.clear();
    circles.clear();
    hotSpots.clear();
}

void CollisionFrame::Save(Core::File& file) const
{
    for (const VelRect& rectangle : boundingRectangles)
        rectangle.Save(file);
    SaveShapes(file, lineSegments);
    SaveShapes(file, circles);
    SaveShapes(file, hotSpots);
}

bool CollisionFrame::Load(Core::File& file)
{
    Clear();
    for (VelRect& rectangle : boundingRectangles)
    {
        if (!rectangle.Load(file))
            return false;
    }
    if (LoadShapes(file, lineSegments, LineSegmentBytes) && LoadShapes(file, circles, CircleBytes) &&
        LoadShapes(file, hotSpots, HotSpotBytes))
        return true;
    Clear();
    return false;
}

CollisionFrame& CollisionAnimation::AddCollisionFrame()
{
    return frames.emplace_back();
}

CollisionFrame& CollisionAnimation::AddCollisionFrame(const CollisionFrame& frame)
{
    return frames.emplace_back(frame);
}

const CollisionFrame* CollisionAnimation::GetFrame(u32 index) const
{
    return ElementAt(frames, index);
}

void CollisionAnimation::Save(Core::File& file) const
{
    Core::WriteU32(file, static_cast<u32>(frames.size()));
    for (const CollisionFrame& frame : frames)
        frame.Save(file);
}

bool CollisionAnimation::Load(Core::File& file)
{
    return LoadList(file, frames, FrameMinimumBytes);
}

CollisionAnimation& CollisionActor::AddCollisionAnimation()
{
    return animations.emplace_back();
}

CollisionAnimation& CollisionActor::AddCollisionAnimation(const CollisionAnimation& animation)
{
    return animations.emplace_back(animation);
}

const CollisionFrame* CollisionActor::GetFrame(u32 animation, u32 frame) const
{
    const CollisionAnimation* found = ElementAt(animations, animation);
    return found ? found->GetFrame(frame) : nullptr;
}

CollisionActor::LargestFrames CollisionActor::FindLargestFrames() const
{
    LargestFrames largest;
    for (const CollisionAnimation& animation : animations)
    {
        for (const CollisionFrame& frame : animation.frames)
        {
            if (!largest.lineSegments || frame.lineSegments.size() > largest.lineSegments->lineSegments.size())
                largest.lineSegments = &frame;
            if (!largest.circles || frame.circles.size() > largest.circles->circles.size())
                largest.circles = &frame;
            if (!largest.hotSpots || frame.hotSpots.size() > largest.hotSpots->hotSpots.size())
                largest.hotSpots = &frame;
        }
    }
    return largest;
}

void CollisionActor::Save(Core::File& file) const
{
    Core::WriteU32(file, static_cast<u32>(animations.size()));
    for (const CollisionAnimation& animation : animations)
        animation.Save(file);
}

bool CollisionActor::Load(Core::File& file)
{
    return LoadList(file, animations, AnimationMinimumBytes);
}
} // namespace Collision2D
