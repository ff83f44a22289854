#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_PairStep.h"

#include <algorithm>

namespace Collision2D
{
using Detail::StepEnd;

void DynamicObject::CollideRectangles(DynamicObject& partner, u8 layer)
{
    const i32 count = std::max(steps, partner.steps);
    if (count < 1)
        return;
    const f32 s = 1.0f / static_cast<f32>(count);
    subStepRectangle = oldWorldRectangle;
    partner.subStepRectangle = partner.oldWorldRectangle;
    for (i32 i = 1; i <= count; ++i)
    {
        // Both objects are placed at the same fraction of their own motion, each rectangle from its
        // local rectangle, so that neither goes past its end pose or turns about the wrong point.
        const f32 t = StepEnd(i, count, s);
        for (DynamicObject* object : {this, &partner})
        {
            object->subStepPosition = object->GetPositionAt(t);
            object->subStepRectangle = object->PlaceRectangle(object->GetPoseAt(t), object->boundingRectangle,
                                                              object->GetOrientationAt(t));
        }
        VelRect overlap;
        if (!IntersectRectangles(&subStepRectangle, &partner.subStepRectangle, &overlap))
            continue;
        for (DynamicObject* object : {this, &partner})
        {
            const DynamicObject& other = object == this ? partner : *this;
            BRECT_C& record = object->results.NextRectangle();
            record.partnerUserData = other.GetUserData();
            record.id = other.GetObjectId(layer);
            record.rectangleIntersection = overlap;
            record.contactPosition = object->subStepPosition;
            record.contactOrientation = object->GetOrientationAt(t);
            object->results.CommitRectangleResult();
        }
        return;
    }
}

void DynamicObject::CollideGeometry(DynamicObject& partner, u8 layer)
{
    if (moved && partner.moved)
    {
        CollideGeometryBothMoving(partner, layer);
        return;
    }
    if (moved)
    {
        CollideGeometryMoving(partner, layer);
        return;
    }
    if (partner.moved)
    {
        partner.CollideGeometryMoving(*this, layer);
        return;
    }
    if (!updateOnIdle && !partner.updateOnIdle)
        return;
    Detail::PairRecords records(results.NextGeometry(), partner.results.NextGeometry());
    records.BeginStep();
    // Every test runs: the records gather all intersections of the two bodies at rest.
    const bool segments = IdleSegmentsSegments(partner, records);
    const bool segmentsCircles = IdleSegmentsCircles(partner, records);
    const bool circlesSegments = IdleCirclesSegments(partner, records);
    const bool circles = IdleCirclesCircles(partner, records);
    if (!(segments || segmentsCircles || circlesSegments || circles))
        return;
    for (DynamicObject* object : {this, &partner})
    {
        DGEO_C& record = object->results.NextGeometry();
        record.contactPosition = object->oldPosition;
        record.contactOrientation = object->oldOrientation;
    }
    CompleteGeometryRecords(partner, layer);
}

void DynamicObject::CollideGeometryMoving(DynamicObject& partner, u8 layer)
{
    const i32 count = steps;
    if (count < 1)
        return;
    const f32 s = 1.0f / static_cast<f32>(count);
    DGEO_C& ownRecord = results.NextGeometry();
    DGEO_C& partnerRecord = partner.results.NextGeometry();
    Detail::PairRecords records(ownRecord, partnerRecord);
    for (i32 i = 1; i <= count; ++i)
    {
        const f32 t0 = static_cast<f32>(i - 1) * s;
        const f32 t1 = StepEnd(i, count, s);
        const Detail::SubStep step(*this, partner, t0, t1);
        PlaceAtStepEnd(t1);
        records.BeginStep();
        MovingSegmentsSegments(partner, step, records);
        MovingSegmentsCircles(partner, step, records);
        MovingCirclesSegments(partner, step, records);
        MovingCirclesCircles(partner, step, records);
        if (!records.Hit())
            continue;
        const f32 t = t0 + s * records.Best();
        ownRecord.contactPosition = GetPositionAt(t);
        ownRecord.contactOrientation = GetOrientationAt(t);
        partnerRecord.contactPosition = partner.oldPosition;
        partnerRecord.contactOrientation = partner.oldOrientation;
        CompleteGeometryRecords(partner, layer);
        return;
    }
}

void DynamicObject::CompleteGeometryRecords(DynamicObject& partner, u8 layer)
{
    DGEO_C& ownRecord = results.NextGeometry();
    DGEO_C& partnerRecord = partner.results.NextGeometry();
    ownRecord.penetrationDistance = 0.0f;
    partnerRecord.penetrationDistance = 0.0f;
    ownRecord.id = partner.GetObjectId(layer);
    ownRecord.partnerUserData = partner.GetUserData();
    partnerRecord.id = GetObjectId(layer);
    partnerRecord.partnerUserData = GetUserData();
    results.CommitGeometryResult();
    partner.results.CommitGeometryResult();
}
} // namespace Collision2D
