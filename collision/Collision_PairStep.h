#pragma once

#include "collision/Collision_Contact.h"
#include "collision/Collision_Pose.h"
#include "collision/Collision_Results.h"
#include "core/Core_Types.h"
#include "math/Math_Circle2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Vector2D.h"

// Working types of the dynamic object's sweeps: against a partner object and against static shapes.
namespace Collision2D
{
class DynamicObject;

namespace Detail
{
// One sub-step [t0, t1] of a moving object (the mover) against the shapes it may meet, seen from
// the frame in which those shapes stand still.
// - Static shapes and a partner at rest stand still in the world.
// - A partner that moves too is held at its pose at t0 (the mover's side of the pair) or at t1
//   (the partner's side, tested after it), and the frame follows the partner's translation
//   without turning (Follow), so that it stays inertial: the sweep covers the relative motion of
//   the two bodies and a fast pair cannot step over each other, while the partner's turning is
//   left to its own side of the pair. The frame coincides with the world at the held time, and a
//   contact's depth is measured there, with both bodies placed at that time.
class SubStep
{
public:
    // The mover among static shapes, and against a partner at rest, whose shapes lie at its old
    // pose.
    SubStep(const DynamicObject& mover, f32 t0, f32 t1);
    SubStep(const DynamicObject& mover, const DynamicObject& stillPartner, f32 t0, f32 t1);
    // The mover against a partner that moves too, from both bodies' poses at the start and the
    // end of the step.
    SubStep(const Pose& moverStart, const Pose& moverEnd, const DynamicObject& movingPartner, const Pose& partnerStart,
            const Pose& partnerEnd, bool heldAtEnd);

    // Follows a point of the partner that moves by motion over the step.
    void Follow(const Math::Vector2D& motion);
    // What a point found in the frame at fraction q of the step is to be moved by to lie in the
    // world at that moment.
    Math::Vector2D ToWorldAt(f32 q) const { return heldAtEnd ? startShift * (q - 1.0f) : endShift * -q; }
    // The motion of the partner's pivot over the step, and of the centre of its circle k.
    Math::Vector2D PartnerMotion() const { return partnerEnd.GetPivot() - partnerStart.GetPivot(); }
    Math::Vector2D PartnerCircleMotion(i32 k) const;

    // A local point of the mover at the start of the step, at its end, and where the depth of a
    // contact is measured (the end of the frame when the partner stands still).
    Math::Vector2D Start(const Math::Vector2D& local) const { return moverStart.ToWorld(local) + startShift; }
    Math::Vector2D End(const Math::Vector2D& local) const { return moverEnd.ToWorld(local) + endShift; }
    Math::Vector2D AtDepthPose(const Math::Vector2D& local) const { return moverDepth.ToWorld(local); }
    // A point of the mover given at the end of the step, carried to the depth pose.
    Math::Vector2D EndToDepthPose(const Math::Vector2D& point) const { return AtDepthPose(EndToLocal(point)); }
    // Where a point that stands still in the frame lay relative to the mover at the start of the
    // step. For one of the mover's own points given at the end of the step, its position at the
    // start.
    Math::Vector2D Backward(const Math::Vector2D& point) const { return Start(EndToLocal(point)); }
    // A point of the mover given at the start of the step, carried to the step's end and to the
    // depth pose.
    Math::Vector2D StartToEnd(const Math::Vector2D& point) const { return End(StartToLocal(point)); }
    Math::Vector2D StartToDepthPose(const Math::Vector2D& point) const { return AtDepthPose(StartToLocal(point)); }

    // The partner's shapes as the frame holds them.
    Math::LineSegment2D PartnerLineSegment(i32 k) const;
    Math::Circle2D PartnerCircle(i32 k) const;

private:
    Math::Vector2D StartToLocal(const Math::Vector2D& point) const { return moverStart.ToLocal(point - startShift); }
    Math::Vector2D EndToLocal(const Math::Vector2D& point) const { return moverEnd.ToLocal(point - endShift); }

    Pose moverStart;
    Pose moverEnd;
    Pose moverDepth;
    Math::Vector2D startShift;
    Math::Vector2D endShift;
    const DynamicObject* partner = nullptr;
    Pose partnerStart;
    Pose partnerEnd;
    bool heldAtEnd = false;
    // The partner's shapes when it stands still.
    const Math::LineSegment2D* stillLineSegments = nullptr;
    const Math::Circle2D* stillCircles = nullptr;
};

// The geometry records that a pair test reserved in both objects, and the earliest fraction of the
// current sub-step found so far. A contact goes into the mover's record and, mirrored (normals
// negated, user ids exchanged), into the partner's, so both records always hold the same contacts.
class PairRecords final : public ContactSink
{
public:
    PairRecords(DGEO_C& moverRecord, DGEO_C& partnerRecord);

    // Starts a sub-step: no contact yet.
    void BeginStep();
    // Starts one shape test of the sub-step: the proximity tolerance is the mover's thickness.
    void BeginTest(f32 collisionThickness) { ResetProximity(collisionThickness); }
    // An earlier contact replaces every contact of the step in both records.
    void Accept(f32 q, const Contact& contact) override;
    // A contact at the end of the step: the fraction rule as for any other.
    void AcceptSliding(const Contact& contact) override { Accept(1.0f, contact); }
    // Appends a contact without a fraction (still objects).
    void Write(const Contact& contact);

    bool Hit() const { return hit; }
    f32 Best() const { return best; }

private:
    DGEO_C& moverRecord;
    DGEO_C& partnerRecord;
    f32 best = 2.0f;
    bool hit = false;
};

// One body's side of a sub-step in which both bodies of a pair move: its record of the pair, the
// earliest fraction of the step found for it and its own proximity tolerance. Its contacts go into
// its own record only; the pair test mirrors them to the other body when that found none.
class Side final : public ContactSink
{
public:
    Side(DGEO_C& record, f32 collisionThickness);

    void BeginStep();
    // The frame of the sweeps that report next: their contact points are placed in the world at
    // the moment of the contact.
    void SeenFrom(const SubStep& step) { frame = &step; }
    // Starts one shape test of the step.
    void BeginTest();
    // A contact found for this body, even one later than the best, marks the test as a hit; an
    // earlier one replaces every contact of the step in this body's record.
    void Accept(f32 q, const Contact& contact) override;
    void AcceptSliding(const Contact& contact) override { Accept(1.0f, contact); }

    // A contact found in the current test, and in the current step.
    bool HitInTest() const { return hitInTest; }
    bool HitInStep() const { return hitInStep; }
    f32 Best() const { return best; }

private:
    DGEO_C& record;
    f32 collisionThickness;
    const SubStep* frame = nullptr;
    f32 best = 2.0f;
    bool hitInTest = false;
    bool hitInStep = false;
};

// A sub-step of a pair that both move, from the side of one of them (own) against the other: each
// body's side, and the frames of the sweeps of each body's shapes against the other's, held at the
// start of the step (first) and at its end (second).
struct BothMoving
{
    Side& own;
    Side& partner;
    SubStep& ownFirst;
    SubStep& partnerSecond;
    SubStep& partnerFirst;
    SubStep& ownSecond;

    BothMoving Swapped() const { return {partner, own, partnerFirst, ownSecond, ownFirst, partnerSecond}; }
};

// Copies every contact of one body's record into its partner's, seen from the partner: normals
// negated, own and partner shapes exchanged.
void MirrorContacts(const DGEO_C& from, DGEO_C& to);

// The distance of a sweep that found nothing; above every motion of one sub-step.
inline constexpr f32 NoHitDistance = 2000000.0f;

// Fraction i × s of the frame; the last sub-step ends exactly at the end of the frame.
inline f32 StepEnd(i32 i, i32 count, f32 s)
{
    return i == count ? 1.0f : static_cast<f32>(i) * s;
}
} // namespace Detail
} // namespace Collision2D
