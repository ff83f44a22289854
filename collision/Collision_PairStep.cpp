#include "collision/Collision_PairStep.h"

#include "collision/Collision_DynamicObject.h"

#include <algorithm>
#include <cmath>

namespace Collision2D::Detail
{
SubStep::SubStep(const DynamicObject& mover, f32 t0, f32 t1)
    : moverStart(mover.GetPoseAt(t0)), moverEnd(mover.GetPoseAt(t1)), moverDepth(mover.GetPoseAt(1.0f))
{
}

SubStep::SubStep(const DynamicObject& mover, const DynamicObject& stillPartner, f32 t0, f32 t1)
    : SubStep(mover, t0, t1)
{
    stillLineSegments = stillPartner.oldLineSegments.data();
    stillCircles = stillPartner.oldCircles.data();
}

SubStep::SubStep(const Pose& moverStart, const Pose& moverEnd, const DynamicObject& movingPartner,
                 const Pose& partnerStart, const Pose& partnerEnd, bool heldAtEnd)
    : moverStart(moverStart), moverEnd(moverEnd), moverDepth(heldAtEnd ? moverEnd : moverStart),
      partner(&movingPartner), partnerStart(partnerStart), partnerEnd(partnerEnd), heldAtEnd(heldAtEnd)
{
}

void SubStep::Follow(const Math::Vector2D& motion)
{
    if (heldAtEnd)
        startShift = motion;
    else
        endShift = -motion;
}

Math::Vector2D SubStep::PartnerCircleMotion(i32 k) const
{
    const Math::Vector2D& center = partner->GetLocalCircle(k).center;
    return partnerEnd.ToWorld(center) - partnerStart.ToWorld(center);
}

Math::LineSegment2D SubStep::PartnerLineSegment(i32 k) const
{
    if (!partner)
        return stillLineSegments[k];
    const Math::LineSegment2D& local = partner->GetLocalLineSegment(k);
    const Pose& held = heldAtEnd ? partnerEnd : partnerStart;
    return {held.ToWorld(local.A), held.ToWorld(local.B)};
}

Math::Circle2D SubStep::PartnerCircle(i32 k) const
{
    if (!partner)
        return stillCircles[k];
    const Math::Circle2D& local = partner->GetLocalCircle(k);
    return {(heldAtEnd ? partnerEnd : partnerStart).ToWorld(local.center), local.radius};
}

PairRecords::PairRecords(DGEO_C& moverRecord, DGEO_C& partnerRecord)
    : ContactSink(0.0f), moverRecord(moverRecord), partnerRecord(partnerRecord)
{
}

void PairRecords::BeginStep()
{
    best = 2.0f;
    hit = false;
}

void PairRecords::Accept(f32 q, const Contact& contact)
{
    // Also refuses an undefined fraction.
    if (!(q <= best))
        return;
    if (q < best)
    {
        best = q;
        // The earlier contact makes every contact found so far in this step a later one, on both
        // sides of the pair.
        moverRecord.currentLineSegmentsNumber = 0;
        moverRecord.currentCirclesNumber = 0;
        partnerRecord.currentLineSegmentsNumber = 0;
        partnerRecord.currentCirclesNumber = 0;
    }
    Write(contact);
}

namespace
{
// Fills the next record of the sub-pool matching the other shape's kind and counts it.
void WriteSide(DGEO_C& record, const Contact& contact, bool mirrored)
{
    const bool otherIsCircle = mirrored ? contact.ownShapeIsCircle : contact.partnerShapeIsCircle;
    const bool selfIsCircle = mirrored ? contact.partnerShapeIsCircle : contact.ownShapeIsCircle;
    ShapeContact& out = otherIsCircle ? static_cast<ShapeContact&>(record.NextCircle())
                                      : static_cast<ShapeContact&>(record.NextLineSegment());
    out.ClearPoints();
    out.numberOfIntersectedPoints = contact.points;
    for (i32 i = 0; i < contact.points; ++i)
    {
        out.contactPoint[i] = contact.point[i];
        out.normal[i] = mirrored ? -contact.normal[i] : contact.normal[i];
    }
    out.penetrationDistance = contact.penetration > 0.0f ? contact.penetration : 0.0f;
    out.userId = mirrored ? contact.ownUserId : contact.partnerUserId;
    const u32 selfUserId = mirrored ? contact.partnerUserId : contact.ownUserId;
    if (selfIsCircle)
        out.myCircleUserId[0] = selfUserId;
    else
        out.myLineSegmentUserId[0] = selfUserId;
    if (otherIsCircle)
        record.CommitCircleResult();
    else
        record.CommitLineSegmentResult();
}
} // namespace

void PairRecords::Write(const Contact& contact)
{
    WriteSide(moverRecord, contact, false);
    WriteSide(partnerRecord, contact, true);
    hit = true;
}

Side::Side(DGEO_C& record, f32 collisionThickness)
    : ContactSink(collisionThickness), record(record), collisionThickness(collisionThickness)
{
}

void Side::BeginStep()
{
    best = 2.0f;
    hitInStep = false;
}

void Side::BeginTest()
{
    ResetProximity(collisionThickness);
    hitInTest = false;
}

void Side::Accept(f32 q, const Contact& contact)
{
    if (std::isnan(q))
        return;
    hitInTest = true;
    hitInStep = true;
    if (q > best)
        return;
    if (q < best)
    {
        best = q;
        record.currentLineSegmentsNumber = 0;
        record.currentCirclesNumber = 0;
    }
    Contact placed = contact;
    if (frame)
    {
        const Math::Vector2D shift = frame->ToWorldAt(q);
        for (Math::Vector2D& point : placed.point)
            point = point + shift;
    }
    WriteSide(record, placed, false);
}

void MirrorContacts(const DGEO_C& from, DGEO_C& to)
{
    auto mirror = [&](const ShapeContact& written, bool partnerShapeIsCircle) {
        Contact contact;
        contact.points = std::min(written.numberOfIntersectedPoints, 2);
        for (i32 i = 0; i < contact.points; ++i)
        {
            contact.point[i] = written.contactPoint[i];
            contact.normal[i] = written.normal[i];
        }
        contact.penetration = written.penetrationDistance;
        contact.ownShapeIsCircle = written.myLineSegmentUserId[0] == EmptyUserId;
        contact.ownUserId = contact.ownShapeIsCircle ? written.myCircleUserId[0] : written.myLineSegmentUserId[0];
        contact.partnerShapeIsCircle = partnerShapeIsCircle;
        contact.partnerUserId = written.userId;
        WriteSide(to, contact, true);
    };
    for (i32 i = 0; i < from.currentLineSegmentsNumber; ++i)
        mirror(from.lineSegments[static_cast<std::size_t>(i)], false);
    for (i32 i = 0; i < from.currentCirclesNumber; ++i)
        mirror(from.circles[static_cast<std::size_t>(i)], true);
}
} // namespace Collision2D::Detail
