#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Geometry.h"
#include "collision/Collision_PairStep.h"
#include "collision/Collision_StaticRecord.h"

#include <cmath>

// Sweeps of a moving body against the static shapes of its layer: the frame's motion is cut into
// the body's sub-steps, and the first sub-step with a contact ends the search. The record holds
// the contacts of the earliest fraction of that sub-step, with the body's pose at that moment.
namespace Collision2D
{
f32 DynamicObject::SweepStatic(Detail::StaticRecord& contacts, const Math::LineSegment2D* segment,
                               const Math::Circle2D* circle)
{
    const i32 count = steps;
    if (count < 1)
        return -1.0f;
    const f32 s = 1.0f / static_cast<f32>(count);
    // A shape out of reach is met by no sub-step; the body is left where the last one leaves it.
    if (!MayReachStatic(segment, circle))
    {
        PlaceAtStepEnd(Detail::StepEnd(count, count, s));
        return -1.0f;
    }
    for (i32 i = 1; i <= count; ++i)
    {
        const f32 t0 = static_cast<f32>(i - 1) * s;
        const f32 t1 = Detail::StepEnd(i, count, s);
        const Detail::SubStep step(*this, t0, t1);
        PlaceAtStepEnd(t1);
        // The body's segments, then its circles.
        Detail::Contact own;
        if (segment)
        {
            SegmentsAgainstStaticSegment(*segment, step, contacts);
        }
        else
        {
            for (i32 k = 0; k < GetLineSegmentCount(); ++k)
            {
                own.ownUserId = GetLineSegmentUserId(k);
                SweepSegmentAgainstCircle(k, *circle, step, own, contacts);
            }
        }
        own.ownShapeIsCircle = true;
        for (i32 k = 0; k < GetCircleCount(); ++k)
        {
            own.ownUserId = GetCircleUserId(k);
            if (segment)
                SweepCircleAgainstSegment(k, *segment, step, own, contacts);
            else
                SweepCircleAgainstCircle(k, *circle, step, own, contacts, false);
        }
        if (contacts.Found())
            return t0 + s * contacts.Best();
    }
    return -1.0f;
}

bool DynamicObject::MayReachStatic(const Math::LineSegment2D* segment, const Math::Circle2D* circle) const
{
    f32 left = 0.0f;
    f32 right = 0.0f;
    f32 bottom = 0.0f;
    f32 top = 0.0f;
    if (segment)
    {
        left = std::fmin(segment->A.x, segment->B.x);
        right = std::fmax(segment->A.x, segment->B.x);
        bottom = std::fmin(segment->A.y, segment->B.y);
        top = std::fmax(segment->A.y, segment->B.y);
    }
    else
    {
        const f32 radius = std::fabs(circle->radius);
        left = circle->center.x - radius;
        right = circle->center.x + radius;
        bottom = circle->center.y - radius;
        top = circle->center.y + radius;
    }
    // Every point of the body lies within this of its pivot, whatever its turn.
    f32 reach = 0.0f;
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        reach = std::fmax(reach, std::fmax(Geometry::Length(local.A - offset), Geometry::Length(local.B - offset)));
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = GetLocalCircle(k);
        reach = std::fmax(reach, Geometry::Length(local.center - offset) + std::fabs(local.radius));
    }
    // The pivot runs straight from its start to its end over the frame.
    const Math::Vector2D from = oldPosition + offset;
    const Math::Vector2D to = GetPositionAt(1.0f) + offset;
    const f32 size = std::fmax(std::fmax(std::fmax(std::fabs(from.x), std::fabs(from.y)),
                                         std::fmax(std::fabs(to.x), std::fabs(to.y))),
                               std::fmax(std::fmax(std::fabs(left), std::fabs(right)),
                                         std::fmax(std::fabs(bottom), std::fabs(top))));
    const f32 margin = reach + std::fmax(collisionThickness, 0.0f) + 1.0f + size * 1e-4f;
    // Comparisons with a NaN are false: a body or shape that is not finite is always swept.
    const bool apart = std::fmin(from.x, to.x) - margin > right || std::fmax(from.x, to.x) + margin < left ||
                       std::fmin(from.y, to.y) - margin > top || std::fmax(from.y, to.y) + margin < bottom;
    return !apart;
}

void DynamicObject::PlaceAtStepEnd(f32 t1)
{
    PlaceAtStepEnd(t1, GetPoseAt(t1));
}

void DynamicObject::PlaceAtStepEnd(f32 t1, const Pose& end)
{
    subStepPosition = GetPositionAt(t1);
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        contactLineSegments[k] = {end.ToWorld(local.A), end.ToWorld(local.B)};
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = GetLocalCircle(k);
        contactCircles[k] = {end.ToWorld(local.center), local.radius};
    }
}

void DynamicObject::CollideStaticLineSegment(StaticCollisionLineSegment& segment, u8 layer)
{
    LNS_C& record = results.NextLineSegment();
    record.ClearPoints();
    Detail::StaticRecord contacts(record, collisionThickness);
    const f32 t = SweepStatic(contacts, &segment.GetLineSegment(), nullptr);
    if (!contacts.Found())
        return;
    Detail::NameStaticShape(record, segment, layer, GetPositionAt(t), GetOrientationAt(t));
    results.CommitLineSegmentResult();
}

void DynamicObject::CollideStaticCircle(StaticCollisionCircle& circle, u8 layer)
{
    CIR_C& record = results.NextCircle();
    record.ClearPoints();
    Detail::StaticRecord contacts(record, collisionThickness);
    const f32 t = SweepStatic(contacts, nullptr, &circle.GetCircle());
    if (!contacts.Found())
        return;
    Detail::NameStaticShape(record, circle, layer, GetPositionAt(t), GetOrientationAt(t));
    results.CommitCircleResult();
}
} // namespace Collision2D
