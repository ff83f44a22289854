#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_SweepTerms.h"
#include "core/Math_Constants.h"
#include "core/Math_PointTests.h"

#include <cmath>

// Sweeps of the mover's circles over one sub-step against the partner's segments and circles.
namespace Collision2D
{
using Geometry::LeftNormal;
using namespace Sweep;

// A circle's leading point (the point deepest towards the segment's front) runs onto the segment's
// front; a circle moving away from the front, or passing beside the segment, can only meet its end
// points. Normals point from the partner's segment towards the circle.
void DynamicObject::MovingCirclesSegments(const DynamicObject& partner, const Detail::SubStep& step,
                                          Detail::PairRecords& records)
{
    f32 closest = collisionThickness;
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = GetLocalCircle(k);
        const f32 radius = local.radius;
        const Math::Circle2D start(step.Start(local.center), radius);
        const Math::Point2D endCenter = step.End(local.center);
        contactCircles[k] = {endCenter, radius};
        const Math::Point2D frameEndCenter = step.FrameEnd(local.center);
        const Motion motion(start.center, endCenter);
        for (i32 j = 0; j < partner.GetLineSegmentCount(); ++j)
        {
            const Math::LineSegment2D& segment = step.PartnerLineSegment(j);
            ShapeContactWrite base;
            base.ownShapeIsCircle = true;
            base.ownUserId = GetCircleUserId(k);
            base.partnerUserId = partner.GetLineSegmentUserId(j);
            auto accept = [&](f32 q, const Math::Point2D& point, const Math::Vector2D& normal, f32 penetration) {
                ShapeContactWrite contact = base;
                contact.point[0] = point;
                contact.normal[0] = normal;
                contact.penetration = penetration;
                records.Accept(q, contact);
            };

            // A point segment has no front: only its end points can be met.
            const bool hasFront = Distance(segment.B, segment.A) >= Math::Epsilon;
            const Math::Vector2D normal = hasFront ? LeftNormal(Unit(segment.B - segment.A)) : Math::Vector2D();
            const Math::Point2D lead = start.center - normal * radius;
            const Math::Point2D deepest = frameEndCenter - normal * radius;
            // The leading point already behind the front at the start of the step.
            auto behind = [&]() {
                Math::Point2D hit;
                if (!RayHitsSegment(lead, normal, segment, hit))
                    return;
                const f32 depth = Distance(hit, lead);
                if (depth < closest)
                {
                    closest = depth;
                    accept(0.0f, lead, normal, (segment.A - deepest).Dot(normal));
                }
            };

            bool endPoints = true;
            if (hasFront && !motion.Sweeps())
            {
                behind();
            }
            else if (hasFront && normal.Dot(motion.direction) <= 0.0f)
            {
                Math::Point2D hit;
                Math::LineSegment2D shared;
                const int code = segment.ClassifyToRay(Math::Ray2D(lead, motion.direction), hit, shared);
                if (code == Math::Code::Meet)
                {
                    endPoints = false;
                    const f32 distance = Distance(hit, lead);
                    if (distance <= motion.length)
                        accept(distance / motion.length, hit, normal, (hit - deepest).Dot(normal));
                }
                else if (code == Math::Code::Same)
                {
                    // The leading point runs along the segment's line.
                    endPoints = false;
                    const f32 distance = std::fmin(Distance(segment.A, lead), Distance(segment.B, lead));
                    if (distance <= motion.length)
                        accept(distance / motion.length, lead, radius > 0.0f ? Unit(start.center - lead) : normal, 0.0f);
                }
                else
                {
                    behind();
                    endPoints = code == Math::Code::Apart;
                }
            }
            if (!endPoints)
                continue;

            struct EndPoint
            {
                Math::Point2D point;
                Motion motion;
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
            if (nearer.distance != NoHitDistance && nearer.distance <= nearer.motion.length)
            {
                const f32 q = nearer.distance / nearer.motion.length;
                const Math::Point2D centerAtContact = start.center + motion.vector * q;
                const Math::Vector2D contactNormal = Unit(centerAtContact - nearer.point);
                accept(q, nearer.point, contactNormal, radius - (frameEndCenter - nearer.point).Dot(contactNormal));
                continue;
            }
            // End points inside the circle at the start of the step: overlaps.
            for (const EndPoint* end : {&ends[1], &ends[0]})
            {
                if (!end->approaching || !end->inside)
                    continue;
                Math::Point2D exit;
                const f32 depth = end->motion.Sweeps() && RayHitsCircle(end->point, -end->motion.direction, start, exit, true)
                                      ? Distance(exit, end->point)
                                      : radius - Distance(start.center, end->point);
                if (depth < closest)
                {
                    closest = depth;
                    const Math::Vector2D contactNormal = Unit(start.center - end->point);
                    accept(0.0f, end->point, contactNormal, radius - (frameEndCenter - end->point).Dot(contactNormal));
                }
            }
        }
    }
}

// A circle running at another: the first touch along its path, or, for circles already overlapping
// at the start of the step, an overlap shallower than the collision thickness. Normals point from
// the partner's centre towards the mover's.
void DynamicObject::MovingCirclesCircles(const DynamicObject& partner, const Detail::SubStep& step,
                                         Detail::PairRecords& records)
{
    f32 closest = collisionThickness;
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = GetLocalCircle(k);
        const f32 ownRadius = local.radius;
        const Math::Point2D start = step.Start(local.center);
        const Math::Point2D end = step.End(local.center);
        contactCircles[k] = {end, ownRadius};
        const Math::Point2D frameEnd = step.FrameEnd(local.center);
        const Motion motion(start, end);
        for (i32 j = 0; j < partner.GetCircleCount(); ++j)
        {
            const Math::Circle2D& other = step.PartnerCircle(j);
            const f32 reach = ownRadius + other.radius;
            const Math::Vector2D toOther = other.center - start;
            const f32 distance = toOther.Length();
            ShapeContactWrite contact;
            contact.ownShapeIsCircle = true;
            contact.ownUserId = GetCircleUserId(k);
            contact.partnerShapeIsCircle = true;
            contact.partnerUserId = partner.GetCircleUserId(j);

            // Where the mover's centre is when the circles touch, and the fraction of the step.
            Math::Point2D touch;
            f32 q = 0.0f;
            bool overlap = false;
            if (!motion.Sweeps())
            {
                if (!(distance < reach))
                    continue;
                overlap = true;
                touch = start;
            }
            else
            {
                if (toOther.Dot(motion.direction) < 0.0f)
                    continue;
                const f32 along = toOther.Dot(motion.direction);
                const Math::Point2D foot = start + motion.direction * along;
                const f32 beside = Distance(other.center, foot);
                if (beside > reach)
                    continue;
                const f32 travel = along - std::sqrt(reach * reach - beside * beside);
                if (travel > motion.length)
                    continue;
                overlap = travel < 0.0f;
                touch = start + motion.direction * travel;
                if (!overlap)
                    q = travel / motion.length;
            }
            if (overlap)
            {
                const f32 depth = reach - distance;
                if (!(depth < closest))
                    continue;
                closest = depth;
            }
            Math::Vector2D normal = Unit(touch - other.center);
            if (normal.Length() < Math::Epsilon)
                normal = motion.Sweeps() ? -motion.direction : Math::Vector2D(0.0f, 1.0f);
            contact.point[0] = other.center + normal * other.radius;
            contact.normal[0] = normal;
            const Math::Point2D deepest = (overlap ? start : frameEnd) - normal * ownRadius;
            contact.penetration = -normal.Dot(deepest - contact.point[0]);
            records.Accept(q, contact);
        }
    }
}
} // namespace Collision2D
