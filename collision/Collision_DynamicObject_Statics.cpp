#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Geometry.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_StaticShapes.h"
#include "core/Math_Constants.h"

// Contacts of a still body with the static shapes of its layer: every intersection of its shapes
// at rest, with no depth, gathered in one record per static shape.
namespace Collision2D
{
using Geometry::LeftNormal;
using Geometry::MeetingPoints;
using Geometry::RightNormal;
using Geometry::Unit;

namespace
{
// Adds one or two points to a record of at most four; further points overwrite the last slots.
void AddPoints(ShapeContact& record, i32 points, const Math::Point2D (&at)[2], const Math::Vector2D& normal,
               bool ownIsCircle, u32 ownUserId)
{
    i32 count = record.numberOfIntersectedPoints + points;
    if (count > MaximumContactPoints)
        count = MaximumContactPoints;
    record.numberOfIntersectedPoints = count;
    for (i32 p = 0; p < points; ++p)
    {
        const i32 index = count - points + p;
        record.contactPoint[index] = at[p];
        record.normal[index] = normal;
        record.myCircleUserId[index] = ownIsCircle ? ownUserId : EmptyUserId;
        record.myLineSegmentUserId[index] = ownIsCircle ? EmptyUserId : ownUserId;
    }
}
} // namespace

void DynamicObject::IdleStaticLineSegment(StaticCollisionLineSegment& segment, u8 layer)
{
    const Math::LineSegment2D& shape = segment.GetLineSegment();
    const Math::Vector2D normal = LeftNormal(Unit(shape.B - shape.A));
    LNS_C& record = results.NextLineSegment();
    record.ClearPoints();
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        Math::Point2D at[2];
        Math::LineSegment2D shared;
        const int code = oldLineSegments[k].ClassifyToLineSegment(shape, at[0], shared);
        if (code == Math::Code::Meet)
        {
            AddPoints(record, 1, at, normal, false, GetLineSegmentUserId(k));
        }
        else if (code == Math::Code::Same)
        {
            const Math::Point2D ends[2] = {shared.A, shared.B};
            AddPoints(record, 2, ends, normal, false, GetLineSegmentUserId(k));
        }
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        Math::Point2D at[2];
        const i32 points = MeetingPoints(shape.ClassifyToCircle(oldCircles[k], at[0], at[1]));
        if (points > 0)
            AddPoints(record, points, at, normal, true, GetCircleUserId(k));
    }
    if (record.numberOfIntersectedPoints == 0)
        return;
    record.id = MakeObjectId(StaticLineSegmentBase + segment.GetId(), layer, segment.GetZCollision());
    record.contactPosition = oldPosition;
    record.contactOrientation = oldOrientation;
    record.penetrationDistance = 0.0f;
    record.userId = segment.GetUserId();
    record.partnerUserData = segment.GetUserData();
    results.CommitLineSegmentResult();
}

void DynamicObject::IdleStaticCircle(StaticCollisionCircle& circle, u8 layer)
{
    const Math::Circle2D& shape = circle.GetCircle();
    CIR_C& record = results.NextCircle();
    record.ClearPoints();
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& own = oldLineSegments[k];
        Math::Point2D at[2];
        const i32 points = MeetingPoints(own.ClassifyToCircle(shape, at[0], at[1]));
        if (points > 0)
            AddPoints(record, points, at, RightNormal(Unit(own.B - own.A)), false, GetLineSegmentUserId(k));
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& own = oldCircles[k];
        Math::Point2D at[2];
        const i32 points = MeetingPoints(own.ClassifyToCircle(shape, at[0], at[1]));
        if (points > 0)
            AddPoints(record, points, at, Unit(own.center - shape.center), true, GetCircleUserId(k));
    }
    if (record.numberOfIntersectedPoints == 0)
        return;
    record.id = MakeObjectId(StaticCircleBase + circle.GetId(), layer, circle.GetZCollision());
    record.contactPosition = oldPosition;
    record.contactOrientation = oldOrientation;
    record.penetrationDistance = 0.0f;
    record.userId = circle.GetUserId();
    record.partnerUserData = circle.GetUserData();
    results.CommitCircleResult();
}
} // namespace Collision2D
