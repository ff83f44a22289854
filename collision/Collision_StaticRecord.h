#pragma once

#include "collision/Collision_Contact.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_StaticShapes.h"
#include "core/Core_Types.h"

namespace Collision2D::Detail
{
// The record of a moving object's contact with one static shape while its sweep runs: the earliest
// fraction of the current sub-step accepted so far and the proximity tolerance left. Contacts
// found at an earlier fraction replace the record's points, contacts at the same fraction are
// appended (at most four points: later ones overwrite the last slots), later ones are ignored.
class StaticRecord final : public ContactSink
{
public:
    StaticRecord(ShapeContact& record, f32 collisionThickness);

    void Accept(f32 f, const Contact& contact) override;
    // Joins the points of an earlier contact of the same sub-step instead of being dropped.
    void AcceptSliding(const Contact& contact) override;

    bool Found() const { return found; }
    f32 Best() const { return best; }

private:
    void Write(bool replace, const Contact& contact);

    ShapeContact& record;
    f32 best = 2.0f;
    bool found = false;
};

// Names the static shape in a record of the body's contact with it (its id is the kind base plus
// the shape's running Id, not its slot), with the body's pose at the contact.
template <class Shape, i32 Kind>
void NameStaticShape(ShapeContact& record, const StaticCollisionShape<Shape, Kind>& shape, u8 layer,
                     const Math::Vector2D& position, f32 orientation)
{
    const u32 base = Kind == KindStaticCircle ? StaticCircleBase : StaticLineSegmentBase;
    record.id = MakeObjectId(base + shape.GetId(), layer, shape.GetZCollision());
    record.contactPosition = position;
    record.contactOrientation = orientation;
    record.userId = shape.GetUserId();
    record.partnerUserData = shape.GetUserData();
}
} // namespace Collision2D::Detail
