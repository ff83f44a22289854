#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_SweepTerms.h"
#include "core/Math_Constants.h"
#include "core/Math_PointTests.h"

#include <cmath>

// Sweeps of a moving body's shapes against its partner's shapes over one sub-step. The mover's
// shapes run from their start to their end position; a partner point's motion relative to the
// mover is the way back from its position to where it lay at the start of the step. A contact is
// found at a fraction q of the step: 0 for shapes already touching or overlapping at the start
// (counted only when shallower than the collision thickness), 1 for shapes grazing at the end. A
// motion shorter than the math tolerance is not swept: its shapes are tested for overlap only, so
// that no fraction is formed from a zero length.
namespace Collision2D
{
using Geometry::LeftNormal;
using namespace Sweep;

// The mover's segments against the partner's segments. An end point of the mover sweeping onto the
// front (left side) of a partner segment, or an end point of the partner met by the front of a
// mover segment, makes a crossing; end points already behind a front within the collision
// thickness make a contact at fraction 0. Two crossings at the same distance (within the
// tolerance) form one two-point contact.
void DynamicObject::MovingSegmentsSegments(const DynamicObject& partner, const Detail::SubStep& step,
                                           Detail::PairRecords& records)
{
    f32 closest = collisionThickness;
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        const Math::LineSegment2D start(step.Start(local.A), step.Start(local.B));
        const Math::LineSegment2D end(step.End(local.A), step.End(local.B));
        contactLineSegments[k] = end;
        const Math::Vector2D ownNormal = LeftNormal(Unit(start.B - start.A));
        for (i32 j = 0; j < partner.GetLineSegmentCount(); ++j)
        {
            const Math::LineSegment2D& other = step.PartnerLineSegment(j);
            const Math::Vector2D otherNormal = LeftNormal(Unit(other.B - other.A));
            ShapeContactWrite base;
            base.ownUserId = GetLineSegmentUserId(k);
            base.partnerUserId = partner.GetLineSegmentUserId(j);

            // An end point of the mover against the partner's segment.
            auto sweepOwnEnd = [&](const Math::Point2D& from, const Math::Point2D& to, const Math::Vector2D& localPoint) {
                Crossing crossing;
                const Motion motion(from, to);
                const f32 depthAtEnd = -otherNormal.Dot(step.FrameEnd(localPoint) - other.A);
                if (motion.Sweeps() && motion.direction.Dot(otherNormal) <= 0.0f && motion.direction.Dot(ownNormal) >= 0.0f)
                {
                    Math::Point2D hit;
                    Math::LineSegment2D shared;
                    const int code = other.ClassifyToRay(Math::Ray2D(from, motion.direction), hit, shared);
                    if (code == Math::Code::Meet && Distance(hit, from) <= motion.length)
                    {
                        crossing = {true, Distance(hit, from), motion.length, hit, otherNormal,
                                    -otherNormal.Dot(step.FrameEnd(localPoint) - hit)};
                    }
                    else if (code == Math::Code::Same && (shared.A - from).Dot(shared.B - from) < 0.0f)
                    {
                        // Sliding along the partner's line, inside its extent.
                        ShapeContactWrite contact = base;
                        contact.point[0] = to;
                        contact.normal[0] = otherNormal;
                        contact.penetration = depthAtEnd;
                        records.Accept(1.0f, contact);
                    }
                    return crossing;
                }
                Math::Point2D hit;
                if (RayHitsSegment(from, otherNormal, other, hit) && Distance(hit, from) <= closest)
                {
                    closest = Distance(hit, from);
                    ShapeContactWrite contact = base;
                    contact.point[0] = hit;
                    contact.normal[0] = otherNormal;
                    contact.penetration = -otherNormal.Dot(step.FrameEnd(localPoint) - hit);
                    records.Accept(0.0f, contact);
                }
                return crossing;
            };

            // An end point of the partner against the mover's segment at the start of the step.
            auto sweepPartnerEnd = [&](const Math::Point2D& point) {
                Crossing crossing;
                const Motion motion(point, step.Backward(point));
                if (motion.Sweeps() && motion.direction.Dot(otherNormal) >= 0.0f && motion.direction.Dot(ownNormal) <= 0.0f)
                {
                    Math::Point2D hit;
                    if (RayHitsSegment(point, motion.direction, start, hit) && Distance(hit, point) <= motion.length)
                    {
                        const Math::Vector2D touched = step.FrameEnd(LocalOnSegment(local, start, hit));
                        crossing = {true, Distance(hit, point), motion.length, point, -ownNormal,
                                    (touched - point).Dot(ownNormal)};
                    }
                    return crossing;
                }
                Math::Point2D hit;
                if (RayHitsSegment(point, ownNormal, start, hit) && Distance(hit, point) <= closest)
                {
                    closest = Distance(hit, point);
                    const Math::Vector2D touched = step.FrameEnd(LocalOnSegment(local, start, hit));
                    ShapeContactWrite contact = base;
                    contact.point[0] = point;
                    contact.normal[0] = -ownNormal;
                    contact.penetration = (touched - point).Dot(ownNormal);
                    records.Accept(0.0f, contact);
                }
                return crossing;
            };

            const Crossing ownA = sweepOwnEnd(start.A, end.A, local.A);
            const Crossing ownB = sweepOwnEnd(start.B, end.B, local.B);
            const Crossing otherB = ownA.found ? Crossing() : sweepPartnerEnd(other.B);
            const Crossing otherA = ownB.found ? Crossing() : sweepPartnerEnd(other.A);

            // At most two crossings, in the order of the sweeps.
            const Crossing* found[2] = {nullptr, nullptr};
            i32 count = 0;
            for (const Crossing* crossing : {&ownA, &ownB, &otherB, &otherA})
            {
                if (crossing->found && count < 2)
                    found[count++] = crossing;
            }
            if (count == 0)
                continue;
            ShapeContactWrite contact = base;
            const Crossing* first = found[0];
            if (count == 2 && std::fabs(found[0]->distance - found[1]->distance) <= Math::Epsilon)
            {
                contact.points = 2;
                contact.point[1] = found[1]->point;
                contact.normal[1] = found[1]->normal;
                contact.penetration = std::fmax(found[0]->penetration, found[1]->penetration);
            }
            else
            {
                if (count == 2 && found[1]->distance < found[0]->distance)
                    first = found[1];
                contact.penetration = first->penetration;
            }
            contact.point[0] = first->point;
            contact.normal[0] = first->normal;
            records.Accept(first->Fraction(), contact);
        }
    }
}

// The mover's segments, at the end of the step, against the partner's circles: a segment whose line
// reaches into a circle has crossed its boundary during the step unless it already cut the circle
// at the start. Normals point from the circle's centre outwards.
void DynamicObject::MovingSegmentsCircles(const DynamicObject& partner, const Detail::SubStep& step,
                                          Detail::PairRecords& records)
{
    f32 closest = collisionThickness;
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        const Math::LineSegment2D end(step.End(local.A), step.End(local.B));
        contactLineSegments[k] = end;
        const Math::Vector2D along = Unit(end.B - end.A);
        const Math::Vector2D ownNormal = LeftNormal(along);
        for (i32 j = 0; j < partner.GetCircleCount(); ++j)
        {
            const Math::Circle2D& circle = step.PartnerCircle(j);
            const Math::Point2D c = circle.center;
            const f32 radius = circle.radius;
            ShapeContactWrite base;
            base.ownUserId = GetLineSegmentUserId(k);
            base.partnerShapeIsCircle = true;
            base.partnerUserId = partner.GetCircleUserId(j);

            Math::Point2D foot = end.A;
            const f32 h = Math::DistancePointToLine(c, end.A, along, foot);
            const f32 side = (end.A - foot).Dot(end.B - foot);
            if (h > radius || (h == radius && side > 0.0f))
                continue;

            // Accepts a contact at the mover's point `from` (on the segment at the step's end) that
            // touches the circle at `point`.
            auto accept = [&](f32 q, const Math::Point2D& point, const Math::Point2D& from) {
                const Math::Vector2D normal = Unit(point - c);
                ShapeContactWrite contact = base;
                contact.point[0] = point;
                contact.normal[0] = normal;
                contact.penetration = (point - step.EndToFrameEnd(from)).Dot(normal);
                records.Accept(q, contact);
            };
            if (h == radius)
            {
                const Motion motion(foot, step.Backward(foot));
                if (motion.direction.Dot(ownNormal) <= 0.0f)
                    accept(1.0f, foot, foot);
                continue;
            }
            if (side < 0.0f)
            {
                // The foot inside the circle: it crossed the boundary in this step when its way back
                // to its start leaves the circle within the step's motion.
                CircleEntry entry;
                if (!EntersCircle(foot, step.Backward(foot), ownNormal, circle, entry))
                    continue;
                if (entry.crossed)
                {
                    accept(entry.fraction, entry.exit, foot);
                    continue;
                }
                const f32 depth = std::fmax(0.0f, (entry.exit - foot).Dot(Unit(entry.exit - c)));
                if (depth < closest)
                {
                    closest = depth;
                    accept(0.0f, entry.exit, foot);
                }
                continue;
            }
            // The foot lies beyond an end: the end points decide.
            struct EndPoint
            {
                bool counts = false;
                CircleEntry entry;
                Math::Point2D point;
            };
            EndPoint ends[2];
            const Math::Point2D points[2] = {end.A, end.B};
            for (i32 e = 0; e < 2; ++e)
            {
                EndPoint& point = ends[e];
                point.point = points[e];
                const int where = Math::PointToCircle(point.point, circle);
                if (where == Math::Code::Inside)
                {
                    point.counts = EntersCircle(point.point, step.Backward(point.point), ownNormal, circle, point.entry);
                }
                else if (where == Math::Code::Meet)
                {
                    const Motion motion(point.point, step.Backward(point.point));
                    if (motion.Sweeps() && motion.direction.Dot(ownNormal) <= 0.0f)
                    {
                        point.counts = true;
                        point.entry.crossed = true;
                        point.entry.fraction = 1.0f;
                        point.entry.exit = point.point;
                    }
                }
            }
            // The earlier crossing decides (B on a tie); without one, an end point already inside
            // is an overlap at the start of the step.
            const EndPoint* decided = nullptr;
            if (ends[1].entry.crossed && (!ends[0].entry.crossed || ends[1].entry.fraction <= ends[0].entry.fraction))
                decided = &ends[1];
            else if (ends[0].entry.crossed)
                decided = &ends[0];
            if (decided)
            {
                accept(decided->entry.fraction, decided->entry.exit, decided->point);
                continue;
            }
            for (const EndPoint* point : {&ends[1], &ends[0]})
            {
                if (!point->counts)
                    continue;
                const f32 depth = (point->entry.exit - point->point).Dot(Unit(point->entry.exit - c));
                if (depth < closest)
                {
                    closest = depth;
                    accept(0.0f, point->entry.exit, point->point);
                }
            }
        }
    }
}
} // namespace Collision2D
