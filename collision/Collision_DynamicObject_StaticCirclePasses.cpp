#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_StaticRecord.h"
#include "collision/Collision_SweepTerms.h"
#include "core/Math_Constants.h"
#include "core/Math_PointTests.h"

#include <cmath>

// One sub-step of a moving body against a static circle (centre c, radius R). Every normal points
// from c outwards, towards the body. Motions shorter than the math tolerance are not swept: such
// shapes are tested for overlap only.
namespace Collision2D
{
using Contact = Detail::StaticRecord::Contact;
using Geometry::LeftNormal;
using namespace Sweep;

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
    return Math::Vector2D(dx, dy).Length();
}
} // namespace

// The body's segments are tested where they lie at the end of the sub-step: touching the circle
// (a sliding contact), cutting it with the foot of c within the segment (the face), or holding an
// end point inside it. A segment that lies clear of the circle at the end of the sub-step is then
// swept back over the sub-step, so that a segment faster than the circle is wide cannot pass
// through it unseen.
void DynamicObject::SegmentsAgainstStaticCircle(const Math::Circle2D& circle, const Detail::SubStep& step,
                                                Detail::StaticRecord& contacts)
{
    const Math::Point2D c = circle.center;
    const f32 radius = circle.radius;
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        const Math::LineSegment2D start(step.Start(local.A), step.Start(local.B));
        const Math::LineSegment2D end(step.End(local.A), step.End(local.B));
        contactLineSegments[k] = end;
        const Math::Vector2D along = Unit(end.B - end.A);
        const Math::Vector2D front = LeftNormal(along);
        const u32 ownUserId = GetLineSegmentUserId(k);
        // A contact at the circle's point `point`, made by the body's point `from` (given at the end
        // of the sub-step); the depth is how far `from` goes on past `point` until the frame ends.
        auto accept = [&](f32 q, bool sliding, const Math::Point2D& point, const Math::Point2D& from) {
            const Math::Vector2D normal = Unit(point - c);
            const Contact contact =
                Contact::OnePoint(point, normal, (point - step.EndToFrameEnd(from)).Dot(normal), false, ownUserId);
            if (sliding)
                contacts.AcceptSliding(contact);
            else
                contacts.Accept(q, contact);
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
            continue;
        }
        if (h < radius && side < 0.0f)
        {
            // The face: the foot crossed the circle's boundary in this step when its way back leaves
            // the circle within the step's motion.
            CircleEntry entry;
            if (!EntersCircle(foot, step.Backward(foot), front, circle, entry))
                continue;
            if (entry.crossed)
                accept(entry.fraction, false, entry.exit, foot);
            else if (contacts.TakeProximity(std::fmax(0.0f, (entry.exit - foot).Dot(Unit(entry.exit - c))), false))
                accept(0.0f, false, entry.exit, foot);
            continue;
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
                    continue;
                }
                for (const EndPoint* point : {&ends[1], &ends[0]})
                {
                    if (point->counts &&
                        contacts.TakeProximity((point->entry.exit - point->point).Dot(Unit(point->entry.exit - c)), false))
                        accept(0.0f, false, point->entry.exit, point->point);
                }
                continue;
            }
        }

        // Clear of the circle at the end of the sub-step: did the segment pass over it?
        if (DistanceToBox(c, start, end) > radius)
            continue;
        const Math::Vector2D startFront = LeftNormal(Unit(start.B - start.A));
        f32 best = 2.0f;
        Math::Point2D point;
        Math::Point2D touched; // the body's point that met the circle, at the end of the sub-step
        // The front reached c's distance R during the step: at that moment the foot must lie on
        // the segment.
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
}

// The body's circles run at the static circle: the first touch along the way of the circle's
// centre, or, for circles already overlapping at the start of the sub-step, an overlap shallower
// than the collision thickness.
void DynamicObject::CirclesAgainstStaticCircle(const Math::Circle2D& circle, const Detail::SubStep& step,
                                               Detail::StaticRecord& contacts)
{
    const Math::Point2D c = circle.center;
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = GetLocalCircle(k);
        const f32 ownRadius = local.radius;
        const Math::Point2D start = step.Start(local.center);
        const Math::Point2D end = step.End(local.center);
        contactCircles[k] = {end, ownRadius};
        const Math::Point2D frameEnd = step.FrameEnd(local.center);
        const Motion motion(start, end);
        const f32 reach = ownRadius + circle.radius;
        const Math::Vector2D toCenter = c - start;
        const f32 distance = toCenter.Length();

        // Where the body's centre is when the circles touch, and the fraction of the sub-step.
        Math::Point2D touch = start;
        f32 q = 0.0f;
        bool overlap = false;
        if (!motion.Sweeps())
        {
            overlap = distance < reach;
        }
        else if (Unit(toCenter).Dot(motion.direction) >= 0.0f)
        {
            const f32 ahead = toCenter.Dot(motion.direction);
            const Math::Point2D foot = start + motion.direction * ahead;
            const f32 beside = Distance(c, foot);
            if (beside > reach)
                continue;
            const f32 travel = ahead - std::sqrt(reach * reach - beside * beside);
            if (travel > motion.length)
                continue;
            touch = start + motion.direction * travel;
            overlap = travel < 0.0f;
            if (!overlap)
                q = travel / motion.length;
        }
        else
        {
            continue;
        }
        if (overlap && !contacts.TakeProximity(reach - distance, false))
            continue;
        if (!overlap && !motion.Sweeps())
            continue;
        Math::Vector2D normal = Unit(touch - c);
        if (normal.Length() < Math::Epsilon)
            normal = motion.Sweeps() ? -motion.direction : Math::Vector2D(0.0f, 1.0f);
        const Math::Point2D point = c + normal * circle.radius;
        const Math::Point2D deepest = frameEnd - normal * ownRadius;
        contacts.Accept(q, Contact::OnePoint(point, normal, (point - deepest).Dot(normal), true, GetCircleUserId(k)));
    }
}
} // namespace Collision2D
