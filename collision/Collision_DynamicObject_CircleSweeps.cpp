#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_SweepTerms.h"
#include "math/Math_Constants.h"
#include "math/Math_PointTests.h"

#include <cmath>

// Sweeps of a moving body's circles over one sub-step against segments and circles that stand
// still in the sub-step's frame: a partner's shapes, or the static shapes of the layer. Motions
// shorter than the math tolerance are not swept: such shapes are tested for overlap only.
namespace Collision2D
{
using Geometry::LeftNormal;
using namespace Sweep;

void DynamicObject::MovingCirclesSegments(const DynamicObject& partner, const Detail::SubStep& step,
                                          Detail::PairRecords& records) const
{
    records.BeginTest(collisionThickness);
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        for (i32 j = 0; j < partner.GetLineSegmentCount(); ++j)
        {
            Contact base;
            base.ownShapeIsCircle = true;
            base.ownUserId = GetCircleUserId(k);
            base.partnerUserId = partner.GetLineSegmentUserId(j);
            SweepCircleAgainstSegment(k, step.PartnerLineSegment(j), step, base, records);
        }
    }
}

void DynamicObject::MovingCirclesCircles(const DynamicObject& partner, const Detail::SubStep& step,
                                         Detail::PairRecords& records) const
{
    records.BeginTest(collisionThickness);
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        for (i32 j = 0; j < partner.GetCircleCount(); ++j)
        {
            Contact base;
            base.ownShapeIsCircle = true;
            base.ownUserId = GetCircleUserId(k);
            base.partnerShapeIsCircle = true;
            base.partnerUserId = partner.GetCircleUserId(j);
            SweepCircleAgainstCircle(k, step.PartnerCircle(j), step, base, records, true);
        }
    }
}

// The circle's leading point (its point deepest towards the segment's front) runs onto the front;
// a circle moving away from the front, or passing beside the segment, can only meet its end
// points. Normals point from the segment towards the circle.
void DynamicObject::SweepCircleAgainstSegment(i32 k, const Math::LineSegment2D& segment, const Detail::SubStep& step,
                                              const Contact& base, ContactSink& sink) const
{
    const Math::Circle2D& local = GetLocalCircle(k);
    const f32 radius = local.radius;
    const Math::Circle2D start(step.Start(local.center), radius);
    const Math::Point2D depthCenter = step.AtDepthPose(local.center);
    const Motion motion(start.center, step.End(local.center));
    // A point segment has no front: only its end points can be met.
    const bool hasFront = Distance(segment.B, segment.A) >= Math::Epsilon;
    const Math::Vector2D normal = hasFront ? LeftNormal(Unit(segment.B - segment.A)) : Math::Vector2D();

    // The face. When the leading point's way meets the segment's line within the segment, its end
    // points cannot be met first.
    if (hasFront && normal.Dot(motion.direction) <= 0.0f)
    {
        const Math::Point2D lead = start.center - normal * radius;
        const Math::Point2D deepest = depthCenter - normal * radius;
        Math::Point2D hit;
        Math::LineSegment2D shared;
        const int code = motion.Sweeps() ? segment.ClassifyToRay(Math::Ray2D(lead, motion.direction), hit, shared)
                                         : Math::Code::Apart;
        if (code == Math::Code::Meet)
        {
            const f32 distance = Distance(hit, lead);
            if (distance <= motion.length)
                sink.Accept(distance / motion.length, base.OnePoint(hit, normal, (hit - deepest).Dot(normal)));
            return;
        }
        if (code == Math::Code::Same)
        {
            // The leading point runs along the segment's line.
            const f32 distance = std::fmin(Distance(segment.A, lead), Distance(segment.B, lead));
            if (distance <= motion.length)
                sink.Accept(distance / motion.length,
                            base.OnePoint(lead, radius > 0.0f ? Unit(start.center - lead) : normal, 0.0f));
            return;
        }
        // The leading point already behind the front within the thickness; the depth is how far
        // the circle reaches behind the segment's line at the depth pose.
        if (RayHitsSegment(lead, normal, segment, hit) && sink.TakeProximity(Distance(hit, lead), false))
            sink.Accept(0.0f, base.OnePoint(lead, normal, (segment.A - deepest).Dot(normal)));
    }

    // The segment's end points, moving relative to the body, against the circle at the start of
    // the step.
    struct EndPoint
    {
        Math::Point2D point;
        Motion relative;
        bool approaching;
        bool inside;
        f32 distance = NoHitDistance;
    };
    auto evaluate = [&](const Math::Point2D& point) {
        const Motion relative(point, step.Backward(point));
        EndPoint end{point, relative, normal.Dot(relative.direction) >= 0.0f,
                     Math::PointToCircle(point, start) == Math::Code::Inside};
        Math::Point2D hit;
        if (end.approaching && !end.inside && relative.Sweeps() &&
            RayHitsCircle(point, relative.direction, start, hit, false))
            end.distance = Distance(hit, point);
        return end;
    };
    const EndPoint ends[2] = {evaluate(segment.A), evaluate(segment.B)};
    const EndPoint& nearer = ends[1].distance <= ends[0].distance ? ends[1] : ends[0];
    if (nearer.distance != NoHitDistance && nearer.distance <= nearer.relative.length)
    {
        const f32 q = nearer.distance / nearer.relative.length;
        const Math::Point2D centerAtContact = start.center + motion.vector * q;
        const Math::Vector2D towardsCircle = Unit(centerAtContact - nearer.point);
        sink.Accept(q, base.OnePoint(nearer.point, towardsCircle,
                                     radius - (depthCenter - nearer.point).Dot(towardsCircle)));
        return;
    }
    // End points inside the circle at the start of the step: overlaps.
    for (const EndPoint* end : {&ends[1], &ends[0]})
    {
        if (!end->approaching || !end->inside)
            continue;
        Math::Point2D exit;
        const f32 depth = end->relative.Sweeps() && RayHitsCircle(end->point, -end->relative.direction, start, exit, true)
                              ? Distance(exit, end->point)
                              : radius - Distance(start.center, end->point);
        if (sink.TakeProximity(depth, false))
        {
            const Math::Vector2D towardsCircle = Unit(start.center - end->point);
            sink.Accept(0.0f, base.OnePoint(end->point, towardsCircle,
                                            radius - (depthCenter - end->point).Dot(towardsCircle)));
        }
    }
}

// The first touch along the way of the circle's centre, or, for circles already overlapping at the
// start of the step, an overlap shallower than the collision thickness. Normals point from the
// met circle's centre towards the body's.
void DynamicObject::SweepCircleAgainstCircle(i32 k, const Math::Circle2D& circle, const Detail::SubStep& step,
                                             const Contact& base, ContactSink& sink, bool overlapDepthAtStart) const
{
    const Math::Point2D c = circle.center;
    const Math::Circle2D& local = GetLocalCircle(k);
    const f32 ownRadius = local.radius;
    const Math::Point2D start = step.Start(local.center);
    const Motion motion(start, step.End(local.center));
    const f32 reach = ownRadius + circle.radius;
    const Math::Vector2D toCenter = c - start;
    const f32 distance = Geometry::Length(toCenter);

    // Where the body's centre is when the circles touch, and the fraction of the step.
    Math::Point2D touch = start;
    f32 q = 0.0f;
    bool overlap = false;
    if (!motion.Sweeps())
    {
        overlap = distance < reach;
        if (!overlap)
            return;
    }
    else
    {
        if (toCenter.Dot(motion.direction) < 0.0f)
            return;
        const f32 ahead = toCenter.Dot(motion.direction);
        const f32 beside = Distance(c, start + motion.direction * ahead);
        if (beside > reach)
            return;
        const f32 travel = ahead - std::sqrt(reach * reach - beside * beside);
        if (travel > motion.length)
            return;
        touch = start + motion.direction * travel;
        overlap = travel < 0.0f;
        if (!overlap)
            q = travel / motion.length;
    }
    if (overlap && !sink.TakeProximity(reach - distance, false))
        return;
    Math::Vector2D normal = Unit(touch - c);
    if (Geometry::Length(normal) < Math::Epsilon)
        normal = motion.Sweeps() ? -motion.direction : Math::Vector2D(0.0f, 1.0f);
    const Math::Point2D point = c + normal * circle.radius;
    const Math::Point2D deepest = (overlap && overlapDepthAtStart ? start : step.AtDepthPose(local.center)) - normal * ownRadius;
    sink.Accept(q, base.OnePoint(point, normal, (point - deepest).Dot(normal)));
}
} // namespace Collision2D
