#include "collision/Collision_PairStep.h"

#include "collision/Collision_DynamicObject.h"

namespace Collision2D::Detail
{
SubStep::SubStep(DynamicObject& mover, DynamicObject& partner, bool partnerMoves, f32 t0, f32 t1)
    : moverStart(mover.GetPoseAt(t0)), moverEnd(mover.GetPoseAt(t1)), moverFrameEnd(mover.GetPoseAt(1.0f)),
      partnerMoves(partnerMoves)
{
    if (!partnerMoves)
    {
        partnerLineSegments = partner.oldLineSegments.data();
        partnerCircles = partner.oldCircles.data();
        return;
    }
    partnerStart = partner.GetPoseAt(t0);
    partnerEnd = partner.GetPoseAt(t1);
    partnerFrameEnd = partner.GetPoseAt(1.0f);
    for (i32 k = 0; k < partner.GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& local = partner.GetLocalLineSegment(k);
        partner.contactLineSegments[k] = {partnerEnd.ToWorld(local.A), partnerEnd.ToWorld(local.B)};
    }
    for (i32 k = 0; k < partner.GetCircleCount(); ++k)
    {
        const Math::Circle2D& local = partner.GetLocalCircle(k);
        partner.contactCircles[k] = {partnerEnd.ToWorld(local.center), local.radius};
    }
    partnerLineSegments = partner.contactLineSegments.data();
    partnerCircles = partner.contactCircles.data();
}

SubStep::SubStep(const DynamicObject& mover, f32 t0, f32 t1)
    : moverStart(mover.GetPoseAt(t0)), moverEnd(mover.GetPoseAt(t1)), moverFrameEnd(mover.GetPoseAt(1.0f)),
      partnerMoves(false)
{
}

Math::Vector2D SubStep::StartToLocal(const Math::Vector2D& point) const
{
    if (!partnerMoves)
        return moverStart.ToLocal(point);
    return moverStart.ToLocal(partnerStart.ToWorld(partnerEnd.ToLocal(point)));
}

Math::Vector2D SubStep::Start(const Math::Vector2D& local) const
{
    const Math::Vector2D world = moverStart.ToWorld(local);
    if (!partnerMoves)
        return world;
    return partnerEnd.ToWorld(partnerStart.ToLocal(world));
}

Math::Vector2D SubStep::FrameEnd(const Math::Vector2D& local) const
{
    const Math::Vector2D world = moverFrameEnd.ToWorld(local);
    if (!partnerMoves)
        return world;
    return partnerEnd.ToWorld(partnerFrameEnd.ToLocal(world));
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
} // namespace Collision2D::Detail
