#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Geometry.h"
#include "collision/Collision_PairStep.h"
#include "math/Math_Constants.h"

// Intersections of two still bodies at their rest pose: every crossing of a shape pair is a
// contact with no depth.
namespace Collision2D
{
using Geometry::LeftNormal;
using Geometry::MeetingPoints;
using Geometry::RightNormal;
using Geometry::Unit;

bool DynamicObject::IdleSegmentsSegments(const DynamicObject& partner, Detail::PairRecords& records) const
{
    bool any = false;
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& own = oldLineSegments[k];
        for (i32 j = 0; j < partner.GetLineSegmentCount(); ++j)
        {
            const Math::LineSegment2D& other = partner.oldLineSegments[j];
            Math::Point2D meeting;
            Math::LineSegment2D shared;
            const int code = own.ClassifyToLineSegment(other, meeting, shared);
            Detail::Contact shapes;
            shapes.ownUserId = GetLineSegmentUserId(k);
            shapes.partnerUserId = partner.GetLineSegmentUserId(j);
            const Math::Vector2D normal = LeftNormal(Unit(other.B - other.A));
            if (code == Math::Code::Meet)
                records.Write(shapes.OnePoint(meeting, normal, 0.0f));
            else if (code == Math::Code::Same)
                records.Write(shapes.Meeting(2, shared.A, shared.B, normal));
            else
                continue;
            any = true;
        }
    }
    return any;
}

bool DynamicObject::IdleSegmentsCircles(const DynamicObject& partner, Detail::PairRecords& records) const
{
    bool any = false;
    for (i32 k = 0; k < GetLineSegmentCount(); ++k)
    {
        const Math::LineSegment2D& own = oldLineSegments[k];
        for (i32 j = 0; j < partner.GetCircleCount(); ++j)
        {
            Math::Point2D first;
            Math::Point2D second;
            const i32 points = MeetingPoints(own.ClassifyToCircle(partner.oldCircles[j], first, second));
            if (points == 0)
                continue;
            Detail::Contact shapes;
            shapes.ownUserId = GetLineSegmentUserId(k);
            shapes.partnerShapeIsCircle = true;
            shapes.partnerUserId = partner.GetCircleUserId(j);
            records.Write(shapes.Meeting(points, first, second, RightNormal(Unit(own.B - own.A))));
            any = true;
        }
    }
    return any;
}

bool DynamicObject::IdleCirclesSegments(const DynamicObject& partner, Detail::PairRecords& records) const
{
    bool any = false;
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        for (i32 j = 0; j < partner.GetLineSegmentCount(); ++j)
        {
            const Math::LineSegment2D& other = partner.oldLineSegments[j];
            Math::Point2D first;
            Math::Point2D second;
            const i32 points = MeetingPoints(other.ClassifyToCircle(oldCircles[k], first, second));
            if (points == 0)
                continue;
            Detail::Contact shapes;
            shapes.ownShapeIsCircle = true;
            shapes.ownUserId = GetCircleUserId(k);
            shapes.partnerUserId = partner.GetLineSegmentUserId(j);
            records.Write(shapes.Meeting(points, first, second, LeftNormal(Unit(other.B - other.A))));
            any = true;
        }
    }
    return any;
}

bool DynamicObject::IdleCirclesCircles(const DynamicObject& partner, Detail::PairRecords& records) const
{
    bool any = false;
    for (i32 k = 0; k < GetCircleCount(); ++k)
    {
        const Math::Circle2D& own = oldCircles[k];
        for (i32 j = 0; j < partner.GetCircleCount(); ++j)
        {
            const Math::Circle2D& other = partner.oldCircles[j];
            Math::Point2D first;
            Math::Point2D second;
            const i32 points = MeetingPoints(own.ClassifyToCircle(other, first, second));
            if (points == 0)
                continue;
            Detail::Contact shapes;
            shapes.ownShapeIsCircle = true;
            shapes.ownUserId = GetCircleUserId(k);
            shapes.partnerShapeIsCircle = true;
            shapes.partnerUserId = partner.GetCircleUserId(j);
            records.Write(shapes.Meeting(points, first, second, Unit(own.center - other.center)));
            any = true;
        }
    }
    return any;
}
} // namespace Collision2D
