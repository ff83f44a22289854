#pragma once

#include "collision/Collision_Contact.h"
#include "collision/Collision_Pose.h"
#include "collision/Collision_Results.h"
#include "core/Core_Types.h"
#include "core/Math_Circle2D.h"
#include "core/Math_LineSegment2D.h"
#include "core/Math_Vector2D.h"

// Working types of the dynamic object's sweeps: against a partner object and against static shapes.
namespace Collision2D
{
class DynamicObject;

namespace Detail
{
// One sub-step [t0, t1] of a moving object (the mover) against its partner. Everything is seen in
// the partner's frame at t1: when the partner stands still that is the world; when it moves, the
// mover's start-of-step shapes are carried along the partner's motion over the sub-step, so that
// the sweep covers the relative motion of the two bodies and a contact cannot be stepped over.
class SubStep
{
public:
    SubStep(DynamicObject& mover, DynamicObject& partner, bool partnerMoves, f32 t0, f32 t1);
    // A sub-step of the mover among shapes that stand still in the world (a layer's static shapes).
    SubStep(const DynamicObject& mover, f32 t0, f32 t1);

    // A local point of the mover at the start of the step, at its end, and at the end of the frame.
    Math::Vector2D Start(const Math::Vector2D& local) const;
    Math::Vector2D End(const Math::Vector2D& local) const { return moverEnd.ToWorld(local); }
    Math::Vector2D FrameEnd(const Math::Vector2D& local) const;
    // A point of the mover given at the end of the step, carried to the end of the frame.
    Math::Vector2D EndToFrameEnd(const Math::Vector2D& point) const { return FrameEnd(moverEnd.ToLocal(point)); }
    // Where a point that is fixed to the partner lay relative to the mover at the start of the
    // step: the partner's point seen from the mover's start pose. For one of the mover's own points
    // given at the end of the step, its position at the start.
    Math::Vector2D Backward(const Math::Vector2D& point) const { return Start(moverEnd.ToLocal(point)); }
    // A point of the mover given at the start of the step, carried to the step's end and to the
    // frame's end.
    Math::Vector2D StartToEnd(const Math::Vector2D& point) const { return End(StartToLocal(point)); }
    Math::Vector2D StartToFrameEnd(const Math::Vector2D& point) const { return FrameEnd(StartToLocal(point)); }

    // The partner's shapes during the step.
    const Math::LineSegment2D& PartnerLineSegment(i32 k) const { return partnerLineSegments[k]; }
    const Math::Circle2D& PartnerCircle(i32 k) const { return partnerCircles[k]; }

private:
    // The mover's local point that lies at point at the start of the step.
    Math::Vector2D StartToLocal(const Math::Vector2D& point) const;

    Pose moverStart;
    Pose moverEnd;
    Pose moverFrameEnd;
    Pose partnerStart;
    Pose partnerEnd;
    Pose partnerFrameEnd;
    bool partnerMoves;
    const Math::LineSegment2D* partnerLineSegments = nullptr;
    const Math::Circle2D* partnerCircles = nullptr;
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

// The distance of a sweep that found nothing; above every motion of one sub-step.
inline constexpr f32 NoHitDistance = 2000000.0f;

// Fraction i × s of the frame; the last sub-step ends exactly at the end of the frame.
inline f32 StepEnd(i32 i, i32 count, f32 s)
{
    return i == count ? 1.0f : static_cast<f32>(i) * s;
}
} // namespace Detail
} // namespace Collision2D
