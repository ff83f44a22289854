#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Geometry.h"
#include "collision/Collision_StaticRecord.h"
#include "math/Math_Constants.h"

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
// Adds the one or two points of a shape pair's intersection, all with one normal, to the record:
// all are found at one moment, so each joins the ones before it.
void AddPoints(Detail::StaticRecord& contacts, i32 points, const Math::Point2D& first, const Math::Point2D& second,
               const Math::Vector2D& normal, bool ownIsCircle, u32 ownUserId)
{
    Detail::Contact own;
    own.ownShapeIsCircle = ownIsCircle;
    own.ownUserId = ownUserId;
    contacts.Accept(0.0f, own.Meeting(points, first, second, normal));
}
} // namespace

void DynamicObject::IdleStaticLineSegment(StaticCollisionLineSegment& segment, u8 layer)
{
    const Math::LineSegment2D& shape = segment.GetLineSegment();
    const Math::Vector2D normal = LeftNormal(Unit(shape.B - shape.A));
    LNS_C& record = results.NextLineSegment();
    record.ClearPoints();
    Detail::StaticRecord contacts(record, 0.0f);
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        Math::Point2D at;
        Math::LineSegment2D shared;
        const int code = oldLineSegments[k].ClassifyToLineSegment(shape, at, shared);
        if (code == Math::Code::Meet)
            AddPoints(contacts, 1, at, at, normal, false, GetLineSegmentUserId(k));
        else if (code == Math::Code::Same)
            AddPoints(contacts, 2, shared.A, shared.B, normal, false, GetLineSegmentUserId(k));
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        Math::Point2D at[2];
        const i32 points = MeetingPoints(shape.ClassifyToCircle(oldCircles[k], at[0], at[1]));
        if (points > 0)
            AddPoints(contacts, points, at[0], at[1], normal, true, GetCircleUserId(k));
    }
    if (!contacts.Found())
        return;
    Detail::NameStaticShape(record, segment, layer, oldPosition, oldOrientation);
    results.CommitLineSegmentResult();
}

void DynamicObject::IdleStaticCircle(StaticCollisionCircle& circle, u8 layer)
{
    const Math::Circle2D& shape = circle.GetCircle();
    CIR_C& record = results.NextCircle();
    record.ClearPoints();
    Detail::StaticRecord contacts(record, 0.0f);
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& own = oldLineSegments[k];
        Math::Point2D at[2];
        const i32 points = MeetingPoints(own.ClassifyToCircle(shape, at[0], at[1]));
        if (points > 0)
            AddPoints(contacts, points, at[0], at[1], RightNormal(Unit(own.B - own.A)), false, GetLineSegmentUserId(k));
    }
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& own = oldCircles[k];
        Math::Point2D at[2];
        const i32 points = MeetingPoints(own.ClassifyToCircle(shape, at[0], at[1]));
        if (points > 0)
            AddPoints(contacts, points, at[0], at[1], Unit(own.center - shape.center), true, GetCircleUserId(k));
    }
    if (!contacts.Found())
        return;
    Detail::NameStaticShape(record, circle, layer, oldPosition, oldOrientation);
    results.CommitCircleResult();
}
} // namespace Collision2D
