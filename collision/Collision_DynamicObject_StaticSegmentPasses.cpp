#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_StaticRecord.h"
#include "collision/Collision_SweepTerms.h"
#include "math/Math_Constants.h"
#include "math/Math_PointTests.h"

#include <cmath>

// One sub-step of a moving body's segments against a static line segment S. S's front is its left
// side (its normal n points out of it); the body's segments are met on their own front likewise.
// End points of the body running onto S's front, and end points of S met by the front of a body
// segment, make crossings; points already touching at the start of the sub-step within the
// collision thickness make contacts at fraction 0, and points running along S make sliding
// contacts at fraction 1. Motions shorter than the math tolerance are not swept: such shapes are
// tested for touching only. (The body's circles meet S through the circle sweeps.)
namespace Collision2D
{
using Geometry::LeftNormal;
using namespace Sweep;

namespace
{
// S's direction and front. A segment shorter than the tolerance has no front: only its end point
// can be met.
struct StaticSide
{
    Math::Vector2D u;
    Math::Vector2D n;
    bool hasFront;

    explicit StaticSide(const Math::LineSegment2D& segment)
        : u(Unit(segment.B - segment.A)), n(LeftNormal(u)), hasFront(Distance(segment.B, segment.A) >= Math::Epsilon)
    {
    }
};
} // namespace

void DynamicObject::SegmentsAgainstStaticSegment(const Math::LineSegment2D& S, const Detail::SubStep& step,
                                                 Detail::StaticRecord& contacts) const
{
    const StaticSide side(S);
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        const Math::LineSegment2D start(step.Start(local.A), step.Start(local.B));
        const Math::LineSegment2D end(step.End(local.A), step.End(local.B));
        const Math::Vector2D m = LeftNormal(Unit(start.B - start.A));
        Contact own;
        own.ownUserId = GetLineSegmentUserId(k);
        auto single = [&](const Math::Point2D& point, const Math::Vector2D& normal, f32 penetration) {
            return own.OnePoint(point, normal, penetration);
        };

        // An end point of the body, moving from `from` to `to`, against S's front.
        auto movingEnd = [&](const Math::Point2D& from, const Math::Point2D& to, const Math::Vector2D& localPoint) {
            Crossing crossing;
            const Motion motion(from, to);
            if (!side.hasFront || side.n.Dot(motion.direction) > 0.0f || m.Dot(motion.direction) < 0.0f)
                return crossing;
            const Math::Point2D frameEnd = step.AtDepthPose(localPoint);
            Math::Point2D hit;
            if (motion.Sweeps())
            {
                Math::LineSegment2D shared;
                const int code = S.ClassifyToRay(Math::Ray2D(from, motion.direction), hit, shared);
                if (code == Math::Code::Meet && Distance(hit, from) <= motion.length)
                {
                    crossing = {true, Distance(hit, from), motion.length, hit, side.n, (hit - frameEnd).Dot(side.n)};
                    return crossing;
                }
                if (code == Math::Code::Same && (S.A - from).Dot(S.B - from) < 0.0f)
                {
                    contacts.AcceptSliding(single(to, side.n, (S.A - frameEnd).Dot(side.n)));
                    return crossing;
                }
            }
            // Already on or behind the front, within the thickness.
            if (RayHitsSegment(from, side.n, S, hit) && contacts.TakeProximity(Distance(hit, from), true))
                contacts.Accept(0.0f, single(hit, side.n, (hit - frameEnd).Dot(side.n)));
            return crossing;
        };

        // An end point Y of S, moving relative to the body, against the body's segment at the start
        // of the step. isB tells which end of S it is.
        auto staticEnd = [&](const Math::Point2D& Y, bool isB) {
            Crossing crossing;
            const Motion relative(Y, step.Backward(Y));
            if (side.n.Dot(relative.direction) < 0.0f)
                return crossing;
            Math::Point2D hit;
            if (m.Dot(relative.direction) <= 0.0f && relative.Sweeps() &&
                RayHitsSegment(Y, relative.direction, start, hit) && Distance(hit, Y) <= relative.length)
            {
                const Math::Point2D touched = step.StartToDepthPose(hit);
                const f32 along = side.u.Dot(relative.direction);
                if (along != 1.0f && along != -1.0f)
                {
                    crossing = {true, Distance(hit, Y), relative.length, Y, -m, (touched - Y).Dot(m)};
                    return crossing;
                }
                // Y runs along S's line: the body slides along S.
                contacts.AcceptSliding(single(step.StartToEnd(hit), -m, (Y - touched).Dot(m)));
                return crossing;
            }
            // Y already behind the body's segment within the thickness, while the body's matching
            // end point lies on S's side of Y.
            const bool inward = isB ? (start.B - S.B).Dot(side.u) < 0.0f : (start.A - S.A).Dot(side.u) > 0.0f;
            if (inward && RayHitsSegment(Y, m, start, hit) && contacts.TakeProximity(Distance(hit, Y), true))
                contacts.Accept(0.0f, single(Y, -m, (step.StartToDepthPose(hit) - Y).Dot(m)));
            return crossing;
        };

        const Crossing movingA = movingEnd(start.A, end.A, local.A);
        const Crossing movingB = movingEnd(start.B, end.B, local.B);
        const Crossing staticB = movingA.found ? Crossing() : staticEnd(S.B, true);
        // A segment without a front has one end point only.
        const Crossing staticA = movingB.found || !side.hasFront ? Crossing() : staticEnd(S.A, false);

        // At most two crossings meet (the pairs A-B, A-S.A, B-S.B and S.B-S.A), in this order.
        const Crossing* found[2] = {nullptr, nullptr};
        i32 count = 0;
        for (const Crossing* crossing : {&movingA, &movingB, &staticB, &staticA})
        {
            if (crossing->found && count < 2)
                found[count++] = crossing;
        }
        if (count == 0)
            continue;
        if (count == 2 && std::fabs(found[0]->distance - found[1]->distance) <= Math::Epsilon)
        {
            // Both at once, timed by the moving end point, or by S.A when both are S's end points.
            const Crossing& timing = found[0] == &staticB ? *found[1] : *found[0];
            Contact pair = single(found[0]->point, side.n, found[1]->penetration);
            pair.points = 2;
            pair.point[1] = found[1]->point;
            pair.normal[1] = side.n;
            contacts.Accept(timing.Fraction(), pair);
            continue;
        }
        const Crossing* first = count == 2 && found[1]->distance < found[0]->distance ? found[1] : found[0];
        contacts.Accept(first->Fraction(), single(first->point, first->normal, first->penetration));
    }
}
} // namespace Collision2D
