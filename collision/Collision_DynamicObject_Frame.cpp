#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Geometry.h"
#include "collision/Collision_Ids.h"

#include <cmath>

namespace Collision2D
{
namespace
{
// trunc(max(|Δp| + 0.5, |Δθ| + 0.5)), at least 1 and at most MaximumInterpolationValue.
i32 CountSteps(const Math::Vector2D& deltaPosition, f32 deltaOrientation)
{
    const f32 a = Geometry::Length(deltaPosition) + 0.5f;
    const f32 b = std::fabs(deltaOrientation) + 0.5f;
    const f32 m = b >= a ? b : a;
    const f32 cap = static_cast<f32>(MaximumInterpolationValue);
    // Also catches infinite and undefined motions, which cannot be converted to an integer.
    if (!(m < cap))
        return MaximumInterpolationValue;
    const i32 count = static_cast<i32>(m);
    return count < 1 ? 1 : count;
}

template <class Shape>
void GrowTo(Core::Vector<Shape>& list, std::size_t count)
{
    if (list.size() < count)
        list.resize(count);
}
} // namespace

const CollisionFrame* DynamicObject::FindRequestedFrame() const
{
    return actor ? actor->GetFrame(currentAnimation, currentFrameIndex) : nullptr;
}

void DynamicObject::SelectFrameShapes()
{
    variant = SelectFlipVariant(horizontalFlip != 0, verticalFlip != 0);
    boundingRectangle = currentFrame->boundingRectangles[variant];
    // The lists only change with the frame (or with shapes added to it since).
    if (currentFrame == selectedFrame && frameLineSegments.size() == currentFrame->lineSegments.size() &&
        frameCircles.size() == currentFrame->circles.size() && frameHotSpots.size() == currentFrame->hotSpots.size())
        return;
    selectedFrame = currentFrame;
    frameLineSegments.clear();
    for (const DynamicCollisionLineSegment& shape : currentFrame->lineSegments)
        frameLineSegments.push_back(&shape);
    frameCircles.clear();
    for (const DynamicCollisionCircle& shape : currentFrame->circles)
        frameCircles.push_back(&shape);
    frameHotSpots.clear();
    for (const DynamicCollisionHotSpot& shape : currentFrame->hotSpots)
        frameHotSpots.push_back(&shape);
    const std::size_t counts[3] = {frameLineSegments.size(), frameCircles.size(), frameHotSpots.size()};
    for (i32 kind = 0; kind < 3; ++kind)
    {
        if (localListLengths[kind] < counts[kind])
            localListLengths[kind] = static_cast<u32>(counts[kind]);
    }
    // The world lists were sized for the actor's largest frame when it was bound; an actor that
    // gained shapes since then must not make the placing write past them.
    for (auto* list : {&oldLineSegments, &currentLineSegments, &contactLineSegments})
        GrowTo(*list, counts[0]);
    for (auto* list : {&oldCircles, &currentCircles, &contactCircles})
        GrowTo(*list, counts[1]);
    for (auto* list : {&oldHotSpots, &currentHotSpots, &contactHotSpots})
        GrowTo(*list, counts[2]);
}

VelRect DynamicObject::PlaceRectangle(const Pose& pose, const VelRect& local, f32 angle) const
{
    // Rotated about the pivot: the rectangle is taken relative to the offset point, placed there,
    // and moved to the pivot's world position.
    const VelRect relative(local.top - offset.y, local.left - offset.x, local.right - offset.x, local.bottom - offset.y);
    VelRect placed;
    GetWorldBoundingRectangle(&relative, &placed, pose.GetPivot().x, pose.GetPivot().y, angle);
    return placed;
}

void DynamicObject::PlaceShapes(const Pose& pose, Core::Vector<Math::LineSegment2D>& segments,
                                Core::Vector<Math::Circle2D>& circles, Core::Vector<Math::Point2D>& hotSpots) const
{
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        segments[k] = {pose.ToWorld(local.A), pose.ToWorld(local.B)};
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = GetLocalCircle(k);
        circles[k] = {pose.ToWorld(local.center), local.radius};
    }
    for (i32 k = 0; k < GetHotSpotCount(); ++k)
        hotSpots[k] = pose.ToWorld(GetLocalHotSpot(k));
}

void DynamicObject::PrepareFrame()
{
    currentFrame = FindRequestedFrame();
    if (!currentFrame)
        return;
    results.Reset();
    moved = (position.x != oldPosition.x || position.y != oldPosition.y || !(orientation == oldOrientation)) ? 1 : 0;
    deltaPosition = position - oldPosition;
    deltaOrientation = orientation - oldOrientation;
    steps = CountSteps(deltaPosition, deltaOrientation);
    const f32 inverse = 1.0f / static_cast<f32>(steps);
    stepDeltaPosition = deltaPosition * inverse;
    stepDeltaOrientation = deltaOrientation * inverse;
    SelectFrameShapes();
    const Pose oldPose(oldPosition, oldOrientation, offset);
    const Pose currentPose(position, orientation, offset);
    oldWorldRectangle = PlaceRectangle(oldPose, boundingRectangle, oldOrientation);
    currentWorldRectangle = PlaceRectangle(currentPose, boundingRectangle, orientation);
    UniteRectangles(&oldWorldRectangle, &currentWorldRectangle, &sweepRectangle);
    PlaceShapes(oldPose, oldLineSegments, oldCircles, oldHotSpots);
    PlaceShapes(currentPose, currentLineSegments, currentCircles, currentHotSpots);
    candidates.clear();
}

void DynamicObject::CommitPose()
{
    oldPosition = position;
    oldOrientation = orientation;
}

void DynamicObject::ResetMotion()
{
    oldPosition = position;
    oldOrientation = orientation;
    if (currentFrame)
    {
        currentWorldRectangle = PlaceRectangle(Pose(position, orientation, offset),
                                               currentFrame->boundingRectangles[NoFlip], orientation);
    }
    deltaPosition = position - oldPosition;
    deltaOrientation = orientation - oldOrientation;
}
} // namespace Collision2D
