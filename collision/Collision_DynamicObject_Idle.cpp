#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Geometry.h"
#include "collision/Collision_PairStep.h"
#include "core/Math_Constants.h"

// Intersections of two still bodies at their rest pose: every crossing of a shape pair is a
// contact with no depth.
namespace Collision2D
{
using Detail::ShapeContactWrite;
using Geometry::LeftNormal;
using Geometry::MeetingPoints;
using Geometry::RightNormal;
using Geometry::Unit;

namespace
{
ShapeContactWrite Contact(i32 points, const Math::Point2D& first, const Math::Point2D& second,
                          const Math::Vector2D& normal)
{
    ShapeContactWrite contact;
    contact.points = points;
    contact.point[0] = first;
    contact.point[1] = second;
    contact.normal[0] = normal;
    contact.normal[1] = normal;
    return contact;
}
} // namespace

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
            ShapeContactWrite contact;
            const Math::Vector2D normal = LeftNormal(Unit(other.B - other.A));
            if (code == Math::Code::Meet)
                contact = Contact(1, meeting, meeting, normal);
            else if (code == Math::Code::Same)
                contact = Contact(2, shared.A, shared.B, normal);
            else
                continue;
            contact.ownUserId = GetLineSegmentUserId(k);
            contact.partnerUserId = partner.GetLineSegmentUserId(j);
            records.Write(contact);
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
            ShapeContactWrite contact = Contact(points, first, second, RightNormal(Unit(own.B - own.A)));
            contact.ownUserId = GetLineSegmentUserId(k);
            contact.partnerShapeIsCircle = true;
            contact.partnerUserId = partner.GetCircleUserId(j);
            records.Write(contact);
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
            ShapeContactWrite contact = Contact(points, first, second, LeftNormal(Unit(other.B - other.A)));
            contact.ownShapeIsCircle = true;
            contact.ownUserId = GetCircleUserId(k);
            contact.partnerUserId = partner.GetLineSegmentUserId(j);
            records.Write(contact);
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
            ShapeContactWrite contact = Contact(points, first, second, Unit(own.center - other.center));
            contact.ownShapeIsCircle = true;
            contact.ownUserId = GetCircleUserId(k);
            contact.partnerShapeIsCircle = true;
            contact.partnerUserId = partner.GetCircleUserId(j);
            records.Write(contact);
            any = true;
        }
    }
    return any;
}
} // namespace Collision2D
