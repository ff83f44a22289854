#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Geometry.h"
#include "collision/Collision_PairStep.h"

#include <algorithm>

// Two bodies that both move in the frame. Each sub-step is tested from both sides: first this
// body's shapes move against the partner's, held where they are at the start of the sub-step;
// then, for as long as that finds no contact of this body, the partner's shapes move against this
// body's, held where they are at its end. Either sweep runs in a frame that follows the held
// shape's translation, so that the two translations are swept together, while the held body's
// turning is swept from its own side. Each body keeps its own earliest fraction, proximity
// tolerance and contacts.
namespace Collision2D
{
namespace
{
Detail::Contact Naming(bool ownIsCircle, u32 ownUserId, bool partnerIsCircle, u32 partnerUserId)
{
    Detail::Contact contact;
    contact.ownShapeIsCircle = ownIsCircle;
    contact.ownUserId = ownUserId;
    contact.partnerShapeIsCircle = partnerIsCircle;
    contact.partnerUserId = partnerUserId;
    return contact;
}

// One test over every pair of an own shape k and a partner shape j: the own shape's sweep, then,
// until the test has found a contact of the own body, the partner shape's sweep.
template <class OwnSweep, class PartnerSweep>
void SweepBothSides(const Detail::BothMoving& step, i32 ownShapes, i32 partnerShapes, OwnSweep ownSweep,
                    PartnerSweep partnerSweep)
{
    step.own.BeginTest();
    step.partner.BeginTest();
    step.own.SeenFrom(step.ownFirst);
    step.partner.SeenFrom(step.partnerSecond);
    for (i32 k = 0; k < ownShapes; ++k)
    {
        for (i32 j = 0; j < partnerShapes; ++j)
        {
            ownSweep(k, j);
            if (!step.own.HitInTest())
                partnerSweep(k, j);
        }
    }
}
} // namespace

void DynamicObject::BothMovingSegmentsSegments(const DynamicObject& partner, const Detail::BothMoving& step) const
{
    step.ownFirst.Follow(step.ownFirst.PartnerMotion());
    step.partnerSecond.Follow(step.partnerSecond.PartnerMotion());
    SweepBothSides(
        step, GetLineSegmentCount(), partner.GetLineSegmentCount(),
        [&](i32 k, i32 j) {
            SweepSegmentAgainstSegment(k, step.ownFirst.PartnerLineSegment(j), step.ownFirst,
                                       Naming(false, GetLineSegmentUserId(k), false, partner.GetLineSegmentUserId(j)),
                                       step.own);
        },
        [&](i32 k, i32 j) {
            partner.SweepSegmentAgainstSegment(
                j, step.partnerSecond.PartnerLineSegment(k), step.partnerSecond,
                Naming(false, partner.GetLineSegmentUserId(j), false, GetLineSegmentUserId(k)), step.partner);
        });
}

void DynamicObject::BothMovingSegmentsCircles(const DynamicObject& partner, const Detail::BothMoving& step) const
{
    step.partnerSecond.Follow(step.partnerSecond.PartnerMotion());
    SweepBothSides(
        step, GetLineSegmentCount(), partner.GetCircleCount(),
        [&](i32 k, i32 j) {
            // A circle turns into itself: following its centre leaves its whole motion to the sweep.
            step.ownFirst.Follow(step.ownFirst.PartnerCircleMotion(j));
            SweepSegmentAgainstCircle(k, step.ownFirst.PartnerCircle(j), step.ownFirst,
                                      Naming(false, GetLineSegmentUserId(k), true, partner.GetCircleUserId(j)),
                                      step.own);
        },
        [&](i32 k, i32 j) {
            partner.SweepCircleAgainstSegment(j, step.partnerSecond.PartnerLineSegment(k), step.partnerSecond,
                                              Naming(true, partner.GetCircleUserId(j), false, GetLineSegmentUserId(k)),
                                              step.partner);
        });
}

void DynamicObject::BothMovingCirclesCircles(const DynamicObject& partner, const Detail::BothMoving& step) const
{
    SweepBothSides(
        step, GetCircleCount(), partner.GetCircleCount(),
        [&](i32 k, i32 j) {
            step.ownFirst.Follow(step.ownFirst.PartnerCircleMotion(j));
            SweepCircleAgainstCircle(k, step.ownFirst.PartnerCircle(j), step.ownFirst,
                                     Naming(true, GetCircleUserId(k), true, partner.GetCircleUserId(j)), step.own,
                                     false);
        },
        [&](i32 k, i32 j) {
            step.partnerSecond.Follow(step.partnerSecond.PartnerCircleMotion(k));
            partner.SweepCircleAgainstCircle(j, step.partnerSecond.PartnerCircle(k), step.partnerSecond,
                                             Naming(true, partner.GetCircleUserId(j), true, GetCircleUserId(k)),
                                             step.partner, false);
        });
}

f32 DynamicObject::ReachAboutPivot() const
{
    f32 reach = 0.0f;
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = GetLocalLineSegment(k);
        reach = std::max({reach, Geometry::Length(local.A - offset), Geometry::Length(local.B - offset)});
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = GetLocalCircle(k);
        reach = std::max(reach, Geometry::Length(local.center - offset) + local.radius);
    }
    return reach;
}

namespace
{
// The least distance between two points that each run straight from their first to their second
// position in the same time.
f32 ClosestApproach(const Math::Vector2D& a0, const Math::Vector2D& a1, const Math::Vector2D& b0,
                    const Math::Vector2D& b1)
{
    const Math::Vector2D start = a0 - b0;
    const Math::Vector2D change = (a1 - b1) - start;
    const f32 lengthSquared = change.Dot(change);
    const f32 t = lengthSquared > 0.0f ? std::clamp(-start.Dot(change) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return Geometry::Length(start + change * t);
}

// Beyond the tolerances of the sweeps.
constexpr f32 ReachMargin = 1.0f;
} // namespace

void DynamicObject::CollideGeometryBothMoving(DynamicObject& partner, u8 layer)
{
    const i32 count = std::max(steps, partner.steps);
    if (count < 1)
        return;
    const f32 s = 1.0f / static_cast<f32>(count);
    DGEO_C& ownRecord = results.NextGeometry();
    DGEO_C& partnerRecord = partner.results.NextGeometry();
    Detail::Side own(ownRecord, collisionThickness);
    Detail::Side other(partnerRecord, partner.collisionThickness);
    // Every shape stays within its reach of its body's pivot, which runs straight through the
    // frame: sub-steps in which the pivots stay further apart than both reaches meet nothing.
    const f32 reach = ReachAboutPivot() + partner.ReachAboutPivot() + ReachMargin;
    Pose ownEnd = GetPoseAt(0.0f);
    Pose partnerEnd = partner.GetPoseAt(0.0f);
    f32 placed = 0.0f;
    for (i32 i = 1; i <= count; ++i)
    {
        const f32 t0 = static_cast<f32>(i - 1) * s;
        const f32 t1 = Detail::StepEnd(i, count, s);
        const Math::Vector2D partner0 = partner.GetPositionAt(t0) + partner.offset;
        const Math::Vector2D partner1 = partner.GetPositionAt(t1) + partner.offset;
        if (ClosestApproach(GetPositionAt(t0) + offset, GetPositionAt(t1) + offset, partner0, partner1) > reach)
            continue;
        const Pose ownStart = placed == t0 ? ownEnd : GetPoseAt(t0);
        const Pose partnerStart = placed == t0 ? partnerEnd : partner.GetPoseAt(t0);
        ownEnd = GetPoseAt(t1);
        partnerEnd = partner.GetPoseAt(t1);
        placed = t1;
        PlaceAtStepEnd(t1, ownEnd);
        partner.PlaceAtStepEnd(t1, partnerEnd);
        Detail::SubStep ownFirst(ownStart, ownEnd, partner, partnerStart, partnerEnd, false);
        Detail::SubStep ownSecond(ownStart, ownEnd, partner, partnerStart, partnerEnd, true);
        Detail::SubStep partnerFirst(partnerStart, partnerEnd, *this, ownStart, ownEnd, false);
        Detail::SubStep partnerSecond(partnerStart, partnerEnd, *this, ownStart, ownEnd, true);
        own.BeginStep();
        other.BeginStep();
        const Detail::BothMoving step{own, other, ownFirst, partnerSecond, partnerFirst, ownSecond};
        BothMovingSegmentsSegments(partner, step);
        BothMovingSegmentsCircles(partner, step);
        partner.BothMovingSegmentsCircles(*this, step.Swapped());
        BothMovingCirclesCircles(partner, step);
        if (!own.HitInStep() && !other.HitInStep())
            continue;
        // A body without a contact of its own is placed at its partner's moment and holds its
        // partner's contacts, seen from its side.
        const f32 ownT = t0 + s * (own.HitInStep() ? own.Best() : other.Best());
        const f32 otherT = other.HitInStep() ? t0 + s * other.Best() : ownT;
        if (!other.HitInStep())
            Detail::MirrorContacts(ownRecord, partnerRecord);
        if (!own.HitInStep())
            Detail::MirrorContacts(partnerRecord, ownRecord);
        ownRecord.contactPosition = GetPositionAt(ownT);
        ownRecord.contactOrientation = GetOrientationAt(ownT);
        partnerRecord.contactPosition = partner.GetPositionAt(otherT);
        partnerRecord.contactOrientation = partner.GetOrientationAt(otherT);
        CompleteGeometryRecords(partner, layer);
        return;
    }
    // The sub-step lists end where the last sub-step ends, tested or not.
    if (placed != 1.0f)
    {
        PlaceAtStepEnd(1.0f);
        partner.PlaceAtStepEnd(1.0f);
    }
}
} // namespace Collision2D
