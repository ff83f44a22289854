#include "collision/Collision_StaticRecord.h"

namespace Collision2D::Detail
{
StaticRecord::StaticRecord(ShapeContact& record, f32 collisionThickness)
    : ContactSink(collisionThickness), record(record)
{
}

void StaticRecord::Accept(f32 f, const Contact& contact)
{
    // Also refuses an undefined fraction.
    if (!(f <= best))
        return;
    const bool replace = f < best;
    best = f;
    Write(replace, contact);
}

void StaticRecord::AcceptSliding(const Contact& contact)
{
    const bool replace = best > 1.0f;
    if (replace)
        best = 1.0f;
    Write(replace, contact);
}

void StaticRecord::Write(bool replace, const Contact& contact)
{
    i32 count = (replace ? 0 : record.numberOfIntersectedPoints) + contact.points;
    if (count > MaximumContactPoints)
        count = MaximumContactPoints;
    record.numberOfIntersectedPoints = count;
    for (i32 p = 0; p < contact.points; ++p)
    {
        const i32 k = count - contact.points + p;
        record.contactPoint[k] = contact.point[p];
        record.normal[k] = contact.normal[p];
        // The slot of the other kind is cleared too: it may hold an own shape of a contact that
        // an earlier one replaced.
        record.myCircleUserId[k] = contact.ownShapeIsCircle ? contact.ownUserId : EmptyUserId;
        record.myLineSegmentUserId[k] = contact.ownShapeIsCircle ? EmptyUserId : contact.ownUserId;
    }
    record.penetrationDistance = contact.penetration > 0.0f ? contact.penetration : 0.0f;
    found = true;
}
} // namespace Collision2D::Detail
