#pragma once

#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

namespace Collision2D::Detail
{
// One contact between a shape of a moving body and a shape it meets: one or two points, each with
// the normal pointing from the met shape towards the body's. The met shape's kind and user id
// matter only when it belongs to a partner body.
struct Contact
{
    i32 points = 1;
    Math::Vector2D point[2];
    Math::Vector2D normal[2];
    f32 penetration = 0.0f;
    bool ownShapeIsCircle = false;
    u32 ownUserId = 0;
    bool partnerShapeIsCircle = false;
    u32 partnerUserId = 0;

    // This contact's shapes meeting at one or two points, all with one normal.
    Contact Meeting(i32 count, const Math::Vector2D& first, const Math::Vector2D& second,
                    const Math::Vector2D& towardsOwn, f32 depth = 0.0f) const
    {
        Contact contact = *this;
        contact.points = count;
        contact.point[0] = first;
        contact.point[1] = second;
        contact.normal[0] = towardsOwn;
        contact.normal[1] = towardsOwn;
        contact.penetration = depth;
        return contact;
    }
    Contact OnePoint(const Math::Vector2D& at, const Math::Vector2D& towardsOwn, f32 depth) const
    {
        return Meeting(1, at, at, towardsOwn, depth);
    }
};

// Where the sweeps of one sub-step report their contacts: the record of a static shape, or the
// records of a pair of bodies. Each keeps the earliest fraction of the sub-step found so far.
class ContactSink
{
public:
    // A contact at fraction q of the sub-step (0 for shapes touching at its start): an earlier one
    // replaces the contacts found so far, an equal one joins them, a later one is ignored.
    virtual void Accept(f32 q, const Contact& contact) = 0;
    // A contact sliding along the met shape at the end of the sub-step.
    virtual void AcceptSliding(const Contact& contact) = 0;
    // True, and the tolerance shrinks to depth, when shapes already this deep into each other at
    // the start of the sub-step make a contact: depth ≤ the tolerance when inclusive, else
    // depth < the tolerance.
    bool TakeProximity(f32 depth, bool inclusive)
    {
        if (inclusive ? !(depth <= closest) : !(depth < closest))
            return false;
        closest = depth;
        return true;
    }

protected:
    // The tolerance starts at the body's collision thickness.
    explicit ContactSink(f32 collisionThickness) : closest(collisionThickness) {}
    ContactSink(const ContactSink&) = default;
    ContactSink& operator=(const ContactSink&) = default;
    ~ContactSink() = default;
    void ResetProximity(f32 collisionThickness) { closest = collisionThickness; }

private:
    f32 closest;
};
} // namespace Collision2D::Detail
