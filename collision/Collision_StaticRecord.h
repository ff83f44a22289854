#pragma once

#include "collision/Collision_Results.h"
#include "core/Core_Types.h"
#include "core/Math_Vector2D.h"

namespace Collision2D::Detail
{
// The record of a moving object's contact with one static shape while its sweep runs: the earliest
// fraction of the current sub-step accepted so far and the proximity tolerance left. Contacts
// found at an earlier fraction replace the record's points, contacts at the same fraction are
// appended (at most four points: later ones overwrite the last slots), later ones are ignored.
class StaticRecord
{
public:
    // One or two points with their normals, made by one of the object's own shapes.
    struct Contact
    {
        i32 points = 1;
        Math::Vector2D point[2];
        Math::Vector2D normal[2];
        f32 penetration = 0.0f;
        bool ownShapeIsCircle = false;
        u32 ownUserId = 0;

        static Contact OnePoint(const Math::Vector2D& point, const Math::Vector2D& normal, f32 penetration,
                                bool ownShapeIsCircle, u32 ownUserId)
        {
            Contact contact;
            contact.point[0] = point;
            contact.normal[0] = normal;
            contact.penetration = penetration;
            contact.ownShapeIsCircle = ownShapeIsCircle;
            contact.ownUserId = ownUserId;
            return contact;
        }
    };

    StaticRecord(ShapeContact& record, f32 collisionThickness);

    // A contact at fraction f of the sub-step (0 for shapes touching at its start).
    void Accept(f32 f, const Contact& contact);
    // A contact sliding along the static shape at the end of the sub-step: it joins the points of
    // an earlier contact of the same sub-step instead of being dropped.
    void AcceptSliding(const Contact& contact);
    // True, and the tolerance shrinks to depth, when a contact at the start of the sub-step this
    // deep counts: depth ≤ the tolerance when inclusive, else depth < the tolerance.
    bool TakeProximity(f32 depth, bool inclusive);

    bool Found() const { return found; }
    f32 Best() const { return best; }

private:
    void Write(bool replace, const Contact& contact);

    ShapeContact& record;
    f32 best = 2.0f;
    f32 closest;
    bool found = false;
};
} // namespace Collision2D::Detail
