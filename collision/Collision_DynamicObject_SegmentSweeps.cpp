#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_SweepTerms.h"
#include "math/Math_Constants.h"
#include "math/Math_PointTests.h"

#include <cmath>

// Sweeps of a moving body's segments over one sub-step against a partner's segments, and against
// circles that stand still in the sub-step's frame (a partner's, or the layer's static circles).
// The mover's shapes run from their start to their end position; a partner point's motion
// relative to the mover is the way back from its position to where it lay at the start of the
// step. A contact is found at a fraction q of the step: 0 for shapes already touching or
// overlapping at the start (counted only when shallower than the collision thickness), 1 for
// shapes grazing at the end. A motion shorter than the math tolerance is not swept: its shapes are
// tested for overlap only, so that no fraction is formed from a zero length.
// A segment's front is the left side of its way from A to B in every flip variant of a frame: a
// mirror in one axis exchanges the end points to keep it outward, while both flips together are
// a half turn, which keeps the outer side outward with the end points in their order.
namespace Collision2D
{
using Geometry::LeftNormal;
using namespace Sweep;

void DynamicObject::MovingSegmentsSegments(const DynamicObject& partner, const Detail::SubStep& step,
                                           Detail::PairRecords& records) const
{
    records.BeginTest(collisionThickness);
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        for (i32 j = 0; j < partner.GetLineSegmentCount(); ++j)
        {
            Contact base;
            base.ownUserId = GetLineSegmentUserId(k);
            base.partnerUserId = partner.GetLineSegmentUserId(j);
            SweepSegmentAgainstSegment(k, step.PartnerLineSegment(j), step, base, records);
        }
    }
}

// The mover's segment k against another segment. An end point of the mover sweeping onto the
// front (left side) of the other segment, or an end point of the other segment met by the front of
// the mover's, makes a crossing; end points already behind a front within the collision
// thickness make a contact at fraction 0. Two crossings at the same distance (within the
// tolerance) form one two-point contact.
void DynamicObject::SweepSegmentAgainstSegment(i32 k, const Math::LineSegment2D& other, const Detail::SubStep& step,
                                               const Contact& base, ContactSink& sink) const
{
    const Math::LineSegment2D& local = GetLocalLineSegment(k);
    const Math::LineSegment2D start(step.Start(local.A), step.Start(local.B));
    const Math::LineSegment2D end(step.End(local.A), step.End(local.B));
    const Math::Vector2D ownNormal = LeftNormal(Unit(start.B - start.A));
    const Math::Vector2D otherNormal = LeftNormal(Unit(other.B - other.A));

    // An end point of the mover against the other segment.
    auto sweepOwnEnd = [&](const Math::Point2D& from, const Math::Point2D& to, const Math::Vector2D& localPoint) {
        Crossing crossing;
        const Motion motion(from, to);
        const f32 depth = -otherNormal.Dot(step.AtDepthPose(localPoint) - other.A);
        if (motion.Sweeps() && motion.direction.Dot(otherNormal) <= 0.0f && motion.direction.Dot(ownNormal) >= 0.0f)
        {
            Math::Point2D hit;
            Math::LineSegment2D shared;
            const int code = other.ClassifyToRay(Math::Ray2D(from, motion.direction), hit, shared);
            if (code == Math::Code::Meet && Distance(hit, from) <= motion.length)
            {
                crossing = {true, Distance(hit, from), motion.length, hit, otherNormal,
                            -otherNormal.Dot(step.AtDepthPose(localPoint) - hit)};
            }
            else if (code == Math::Code::Same && (shared.A - from).Dot(shared.B - from) < 0.0f)
            {
                // Sliding along the other segment's line, inside its extent.
                sink.AcceptSliding(base.OnePoint(to, otherNormal, depth));
            }
            return crossing;
        }
        Math::Point2D hit;
        if (RayHitsSegment(from, otherNormal, other, hit) && sink.TakeProximity(Distance(hit, from), true))
            sink.Accept(0.0f, base.OnePoint(hit, otherNormal, -otherNormal.Dot(step.AtDepthPose(localPoint) - hit)));
        return crossing;
    };

    // An end point of the other segment against the mover's segment at the start of the step.
    auto sweepPartnerEnd = [&](const Math::Point2D& point) {
        Crossing crossing;
        const Motion motion(point, step.Backward(point));
        if (motion.Sweeps() && motion.direction.Dot(otherNormal) >= 0.0f && motion.direction.Dot(ownNormal) <= 0.0f)
        {
            Math::Point2D hit;
            if (RayHitsSegment(point, motion.direction, start, hit) && Distance(hit, point) <= motion.length)
            {
                const Math::Vector2D touched = step.AtDepthPose(LocalOnSegment(local, start, hit));
                crossing = {true, Distance(hit, point), motion.length, point, -ownNormal,
                            (touched - point).Dot(ownNormal)};
            }
            return crossing;
        }
        Math::Point2D hit;
        if (RayHitsSegment(point, ownNormal, start, hit) && sink.TakeProximity(Distance(hit, point), true))
        {
            const Math::Vector2D touched = step.AtDepthPose(LocalOnSegment(local, start, hit));
            sink.Accept(0.0f, base.OnePoint(point, -ownNormal, (touched - point).Dot(ownNormal)));
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
        return;
    Contact contact = base;
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
    sink.Accept(first->Fraction(), contact);
}

void DynamicObject::MovingSegmentsCircles(const DynamicObject& partner, const Detail::SubStep& step,
                                          Detail::PairRecords& records) const
{
    records.BeginTest(collisionThickness);
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        for (i32 j = 0; j < partner.GetCircleCount(); ++j)
        {
            Contact base;
            base.ownUserId = GetLineSegmentUserId(k);
            base.partnerShapeIsCircle = true;
            base.partnerUserId = partner.GetCircleUserId(j);
            SweepSegmentAgainstCircle(k, step.PartnerCircle(j), step, base, records);
        }
    }
}

namespace
{
// The distance from point to the rectangle spanned by two segments (0 inside it).
f32 DistanceToBox(const Math::Point2D& point, const Math::LineSegment2D& a, const Math::LineSegment2D& b)
{
    const f32 left = std::fmin(std::fmin(a.A.x, a.B.x), std::fmin(b.A.x, b.B.x));
    const f32 right = std::fmax(std::fmax(a.A.x, a.B.x), std::fmax(b.A.x, b.B.x));
    const f32 bottom = std::fmin(std::fmin(a.A.y, a.B.y), std::fmin(b.A.y, b.B.y));
    const f32 top = std::fmax(std::fmax(a.A.y, a.B.y), std::fmax(b.A.y, b.B.y));
    const f32 dx = std::fmax(std::fmax(left - point.x, point.x - right), 0.0f);
    const f32 dy = std::fmax(std::fmax(bottom - point.y, point.y - top), 0.0f);
    return Geometry::Length(Math::Vector2D(dx, dy));
}
} // namespace

// The segment is tested where it lies at the end of the sub-step: touching the circle (a sliding
// contact), cutting it with the foot of the centre within the segment (the face), or holding an
// end point inside it. A segment that lies clear of the circle at the end of the sub-step is then
// swept back over the sub-step, so that a segment faster than the circle is wide cannot pass
// through it unseen. Every normal points from the circle's centre outwards, towards the body.
void DynamicObject::SweepSegmentAgainstCircle(i32 k, const Math::Circle2D& circle, const Detail::SubStep& step,
                                              const Contact& base, ContactSink& sink) const
{
    const Math::Point2D c = circle.center;
    const f32 radius = circle.radius;
    const Math::LineSegment2D& local = GetLocalLineSegment(k);
    const Math::LineSegment2D start(step.Start(local.A), step.Start(local.B));
    const Math::LineSegment2D end(step.End(local.A), step.End(local.B));
    const Math::Vector2D along = Unit(end.B - end.A);
    const Math::Vector2D front = LeftNormal(along);
    // A contact at the circle's point `point`, made by the body's point `from` (given at the end of
    // the sub-step); the depth is how far `from` lies past `point` at the depth pose.
    auto accept = [&](f32 q, bool sliding, const Math::Point2D& point, const Math::Point2D& from) {
        const Math::Vector2D normal = Unit(point - c);
        const Contact contact = base.OnePoint(point, normal, (point - step.EndToDepthPose(from)).Dot(normal));
        if (sliding)
            sink.AcceptSliding(contact);
        else
            sink.Accept(q, contact);
    };

    Math::Point2D foot = end.A;
    const f32 h = Math::DistancePointToLine(c, end.A, along, foot);
    const f32 side = (end.A - foot).Dot(end.B - foot);
    if (h == radius && side <= 0.0f)
    {
        // Touching at the foot while pressing on.
        const Motion motion(foot, step.Backward(foot));
        if (front.Dot(motion.direction) <= 0.0f)
            accept(1.0f, true, foot, foot);
        return;
    }
    if (h < radius && side < 0.0f)
    {
        // The face: the foot crossed the circle's boundary in this step when its way back leaves
        // the circle within the step's motion.
        CircleEntry entry;
        if (!EntersCircle(foot, step.Backward(foot), front, circle, entry))
            return;
        if (entry.crossed)
            accept(entry.fraction, false, entry.exit, foot);
        else if (sink.TakeProximity(std::fmax(0.0f, (entry.exit - foot).Dot(Unit(entry.exit - c))), false))
            accept(0.0f, false, entry.exit, foot);
        return;
    }
    if (h < radius)
    {
        // The foot lies beyond an end: the end points decide.
        struct EndPoint
        {
            Math::Point2D point;
            bool counts = false;
            CircleEntry entry;
        };
        EndPoint ends[2];
        ends[0].point = end.A;
        ends[1].point = end.B;
        bool touching = false;
        for (EndPoint& point : ends)
        {
            const int where = Math::PointToCircle(point.point, circle);
            touching = touching || where != Math::Code::Outside;
            if (where == Math::Code::Inside)
            {
                point.counts = EntersCircle(point.point, step.Backward(point.point), front, circle, point.entry);
            }
            else if (where == Math::Code::Meet)
            {
                const Motion motion(point.point, step.Backward(point.point));
                if (motion.Sweeps() && front.Dot(motion.direction) <= 0.0f)
                {
                    point.counts = true;
                    point.entry = {true, 1.0f, motion.length, point.point};
                }
            }
        }
        if (touching)
        {
            // The end point that entered first decides (B on a tie); without one, end points
            // already inside are overlaps at the start of the step.
            const EndPoint* decided = nullptr;
            if (ends[1].entry.crossed && (!ends[0].entry.crossed || ends[1].entry.distance <= ends[0].entry.distance))
                decided = &ends[1];
            else if (ends[0].entry.crossed)
                decided = &ends[0];
            if (decided)
            {
                accept(decided->entry.fraction, false, decided->entry.exit, decided->point);
                return;
            }
            for (const EndPoint* point : {&ends[1], &ends[0]})
            {
                if (point->counts &&
                    sink.TakeProximity((point->entry.exit - point->point).Dot(Unit(point->entry.exit - c)), false))
                    accept(0.0f, false, point->entry.exit, point->point);
            }
            return;
        }
    }

    // Clear of the circle at the end of the sub-step: did the segment pass over it?
    if (DistanceToBox(c, start, end) > radius)
        return;
    const Math::Vector2D startFront = LeftNormal(Unit(start.B - start.A));
    f32 best = 2.0f;
    Math::Point2D point;
    Math::Point2D touched; // the body's point that met the circle, at the end of the sub-step
    // The front reached c's distance R during the step: at that moment the foot must lie on the
    // segment.
    const f32 before = (c - start.A).Dot(startFront);
    const f32 after = (c - end.A).Dot(front);
    if (before > radius && after < radius)
    {
        const f32 tau = (before - radius) / (before - after);
        const Math::LineSegment2D then(start.A + (end.A - start.A) * tau, start.B + (end.B - start.B) * tau);
        Math::Point2D thenFoot = then.A;
        Math::DistancePointToLine(c, then.A, Unit(then.B - then.A), thenFoot);
        if ((then.A - thenFoot).Dot(then.B - thenFoot) <= 0.0f)
        {
            best = tau;
            point = c + Unit(thenFoot - c) * radius;
            touched = step.End(LocalOnSegment(local, then, thenFoot));
        }
    }
    if (best > 1.0f)
    {
        // Otherwise an end point ran through the circle.
        const Math::Point2D starts[2] = {start.A, start.B};
        const Math::Point2D ends[2] = {end.A, end.B};
        for (i32 e = 1; e >= 0; --e)
        {
            const Motion motion(starts[e], ends[e]);
            Math::Point2D hit;
            if (!motion.Sweeps() || startFront.Dot(motion.direction) < 0.0f ||
                Math::PointToCircle(starts[e], circle) != Math::Code::Outside ||
                !RayHitsCircle(starts[e], motion.direction, circle, hit, false))
                continue;
            const f32 q = Distance(hit, starts[e]) / motion.length;
            if (q <= 1.0f && q < best)
            {
                best = q;
                point = hit;
                touched = ends[e];
            }
        }
    }
    if (best <= 1.0f)
        accept(best, false, point, touched);
}
} // namespace Collision2D
