#pragma once

#include "collision/Collision_MainObject.h"
#include "collision/Collision_Pose.h"
#include "collision/Collision_Rect.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_Shapes.h"
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "math/Math_Circle2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
class CollisionActor;
class CollisionFrame;
class StaticCollisionCircle;
class StaticCollisionLineSegment;

namespace Detail
{
struct BothMoving;
struct Contact;
class ContactSink;
class SubStep;
class PairRecords;
class StaticRecord;
} // namespace Detail

// The collision body of one moving game object. It follows the object's pose frame by frame, takes
// its shapes from the current frame of a collision actor, and collects what it touched in its
// result block. Positions are stored as the given point minus the offset; the offset is also the
// rotation pivot: a local point p at pose (P, θ) lies at P + offset + R(θ)(p − offset).
class DynamicObject : public MainCollisionObject
{
public:
    static constexpr i32 CanCollidEntries = 256;
    static constexpr i32 StreamedCanCollidEntries = 255;
    static constexpr i32 CandidateGrowth = 5;
    static constexpr i32 DefaultSteps = 10;

    DynamicObject();
    // Copies the configuration and pose; the copy has kind 0, slot 0, an empty result block and
    // its own world shapes for the same actor.
    DynamicObject(const DynamicObject& other);
    DynamicObject& operator=(const DynamicObject&) = delete;
    ~DynamicObject() override;

    // A tracked copy; the caller (a layer) owns it.
    DynamicObject* Clone() const;

    // Pose. Positions given here are the owner's; the offset is taken off.
    void SetPosition(const Math::Vector2D& point) { position = point - offset; }
    void SetOldPosition(const Math::Vector2D& point) { oldPosition = point - offset; }
    void SetOrientation(f32 degrees) { orientation = degrees; }
    void SetOldOrientation(f32 degrees) { oldOrientation = degrees; }
    // Moves the stored position so that the owner's position stays; the old position stays.
    void SetOffset(const Math::Vector2D& newOffset);
    const Math::Vector2D& GetPosition() const { return position; }
    const Math::Vector2D& GetOldPosition() const { return oldPosition; }
    const Math::Vector2D& GetSubStepPosition() const { return subStepPosition; }
    const Math::Vector2D& GetOffset() const { return offset; }
    f32 GetOrientation() const { return orientation; }
    f32 GetOldOrientation() const { return oldOrientation; }

    // Configuration.
    void SetZCollision(u8 z) { zCollision = z == 255 ? 254 : z; }
    u8 GetZCollision() const { return zCollision; }
    void SetUpdateOnIdle(bool value) { updateOnIdle = value ? 1 : 0; }
    bool GetUpdateOnIdle() const { return updateOnIdle != 0; }
    void SetCollisionType(u8 type) { collisionType = type; }
    u8 GetCollisionType() const { return collisionType; }
    void SetCollisionThickness(f32 thickness) { collisionThickness = thickness; }
    f32 GetCollisionThickness() const { return collisionThickness; }
    void SetCanCollid(u8 z, bool value) { canCollid[z] = value ? 1 : 0; }
    bool GetCanCollid(u8 z) const { return canCollid[z] != 0; }
    void SetBoundingRectangleCheckingTileMap(bool value) { boundingRectangleCheckingTileMap = value ? 1 : 0; }
    bool GetBoundingRectangleCheckingTileMap() const { return boundingRectangleCheckingTileMap != 0; }

    // Binds collision data once: selects the frame and allocates world shapes for the actor's
    // largest frame. The actor must outlive the object.
    void AddCollisionData(const CollisionActor* actor, i32 animation, i32 frame);
    // Releases the world shapes and binds another actor as AddCollisionData does.
    void SetCollisionActor(const CollisionActor* actor, i32 animation, i32 frame);
    // Stored only; the next frame preparation selects the frame and its flip variant.
    void SetCurrentCollisionFrame(i32 animation, i32 frame, bool horizontalFlip, bool verticalFlip);
    const CollisionFrame* GetCurrentCollisionFrame() const { return currentFrame; }
    const CollisionActor* GetCollisionActor() const { return actor; }

    // The local bounding rectangle of the selected frame variant (replaced at each preparation).
    const VelRect& GetBoundingRectangle() const { return boundingRectangle; }
    void SetBoundingRectangle(const VelRect& rectangle) { boundingRectangle = rectangle; }
    void GetCurrentBoundingRectangle(VelRect& out) const { out = currentWorldRectangle; }
    const VelRect& GetCurrentWorldRectangle() const { return currentWorldRectangle; }
    const VelRect& GetOldWorldRectangle() const { return oldWorldRectangle; }
    const VelRect& GetSweepRectangle() const { return sweepRectangle; }
    const VelRect& GetSubStepRectangle() const { return subStepRectangle; }

    CollisionResults* GetResults() { return &results; }
    const CollisionResults* GetResults() const { return &results; }

    // Entry index of the current-pose hot spots; (0, 0) at or beyond the list's length.
    Math::Vector2D GetCurrentHotSpot(u32 index) const;

    // The current frame's shapes in the selected flip variant, in the frame's order, with the
    // user ids of the frame's shapes.
    i32 GetLineSegmentCount() const { return static_cast<i32>(frameLineSegments.size()); }
    i32 GetCircleCount() const { return static_cast<i32>(frameCircles.size()); }
    i32 GetHotSpotCount() const { return static_cast<i32>(frameHotSpots.size()); }
    const Math::LineSegment2D& GetLocalLineSegment(i32 k) const { return frameLineSegments[k]->variants[variant]; }
    const Math::Circle2D& GetLocalCircle(i32 k) const { return frameCircles[k]->variants[variant]; }
    const Math::Point2D& GetLocalHotSpot(i32 k) const { return frameHotSpots[k]->variants[variant]; }
    u32 GetLineSegmentUserId(i32 k) const { return frameLineSegments[k]->userId; }
    u32 GetCircleUserId(i32 k) const { return frameCircles[k]->userId; }

    // World shapes at the start of the frame, at its end and at the last sub-step a test examined.
    // Each list holds at least the current frame's count of its kind.
    const Core::Vector<Math::LineSegment2D>& GetOldLineSegments() const { return oldLineSegments; }
    const Core::Vector<Math::LineSegment2D>& GetCurrentLineSegments() const { return currentLineSegments; }
    const Core::Vector<Math::LineSegment2D>& GetContactLineSegments() const { return contactLineSegments; }
    const Core::Vector<Math::Circle2D>& GetOldCircles() const { return oldCircles; }
    const Core::Vector<Math::Circle2D>& GetCurrentCircles() const { return currentCircles; }
    const Core::Vector<Math::Circle2D>& GetContactCircles() const { return contactCircles; }
    const Core::Vector<Math::Point2D>& GetOldHotSpots() const { return oldHotSpots; }
    const Core::Vector<Math::Point2D>& GetCurrentHotSpots() const { return currentHotSpots; }

    // The frame's motion, as the preparation measured it.
    bool IsMoved() const { return moved != 0; }
    i32 GetSteps() const { return steps; }
    const Math::Vector2D& GetDeltaPosition() const { return deltaPosition; }
    f32 GetDeltaOrientation() const { return deltaOrientation; }
    const Math::Vector2D& GetStepDeltaPosition() const { return stepDeltaPosition; }
    f32 GetStepDeltaOrientation() const { return stepDeltaOrientation; }

    // Layer bookkeeping.
    i32 GetSlot() const { return slot; }
    void SetSlot(i32 value) { slot = value; }
    // This object's id in the given layer, with its current z-level.
    u32 GetObjectId(u8 layer) const;
    struct CellRange
    {
        i32 firstColumn = 0;
        i32 lastColumn = 0;
        i32 firstRow = 0;
        i32 lastRow = 0;
    };
    const CellRange& GetCellRange() const { return cellRange; }
    void SetCellRange(const CellRange& range) { cellRange = range; }
    // Appends a partner slot unless it is present.
    void AddCandidate(u32 candidateSlot);
    const Core::Vector<u32>& GetCandidates() const { return candidates; }
    u32 GetCandidateCapacity() const { return candidateCapacity; }

    // Pose at a fraction t of the frame (old pose + t × delta), and a local point placed there.
    Math::Vector2D GetPositionAt(f32 t) const { return oldPosition + deltaPosition * t; }
    f32 GetOrientationAt(f32 t) const { return oldOrientation + deltaOrientation * t; }
    Pose GetPoseAt(f32 t) const { return Pose(GetPositionAt(t), GetOrientationAt(t), offset); }
    Math::Vector2D GetTransformAt(const Math::Vector2D& local, f32 t) const { return GetPoseAt(t).ToWorld(local); }
    // A vector relative to the pivot carried along the frame's motion over the fraction t:
    // R(t × Δθ) p + t × Δp; and back: R(−t × Δθ) p − t × Δp.
    Math::Vector2D TransformForward(const Math::Vector2D& p, f32 t) const;
    Math::Vector2D TransformBackward(const Math::Vector2D& p, f32 t) const;

    // Frame cycle, run by the layer: preparation, pair and static tests, pose commit.
    void PrepareFrame();
    void CommitPose();
    // Starts the next frame at rest at the current pose.
    void ResetMotion();

    // Pair tests of the layer with a candidate partner; each appends at most one record to each
    // object's rectangle or geometry pool.
    void CollideRectangles(DynamicObject& partner, u8 layer);
    void CollideGeometry(DynamicObject& partner, u8 layer);

    // Tests against static shapes: sweeps of a moving object, and intersections of a still one.
    void CollideStaticLineSegment(StaticCollisionLineSegment& segment, u8 layer);
    void CollideStaticCircle(StaticCollisionCircle& circle, u8 layer);
    void IdleStaticLineSegment(StaticCollisionLineSegment& segment, u8 layer);
    void IdleStaticCircle(StaticCollisionCircle& circle, u8 layer);

    // The stream record; the offset, the actor, the current frame and the world shapes are not part
    // of it. Reading sets the global MaximumInterpolationValue.
    void Save(Core::File& file) const;
    // False (the stream failed) on a truncated record or an impossible value.
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "DynamicObject"; }

private:
    friend class Detail::SubStep;

    // Shape sub-tests of one sub-step of a moving object against a partner at rest.
    void MovingSegmentsSegments(const DynamicObject& partner, const Detail::SubStep& step, Detail::PairRecords& records) const;
    void MovingSegmentsCircles(const DynamicObject& partner, const Detail::SubStep& step, Detail::PairRecords& records) const;
    void MovingCirclesSegments(const DynamicObject& partner, const Detail::SubStep& step, Detail::PairRecords& records) const;
    void MovingCirclesCircles(const DynamicObject& partner, const Detail::SubStep& step, Detail::PairRecords& records) const;
    // Shape sub-tests of one sub-step of a pair that both move. Each sweeps this object's shapes
    // against the partner's held at the start of the step, and, while that finds no contact of
    // this object, the partner's shapes against this object's held at the end of the step;
    // contacts go to the record of the object whose motion made them.
    void BothMovingSegmentsSegments(const DynamicObject& partner, const Detail::BothMoving& step) const;
    void BothMovingSegmentsCircles(const DynamicObject& partner, const Detail::BothMoving& step) const;
    void BothMovingCirclesCircles(const DynamicObject& partner, const Detail::BothMoving& step) const;
    // The distance from the rotation pivot within which every shape of the current frame lies,
    // whatever the orientation.
    f32 ReachAboutPivot() const;
    // Intersections of two still objects at rest.
    bool IdleSegmentsSegments(const DynamicObject& partner, Detail::PairRecords& records) const;
    bool IdleSegmentsCircles(const DynamicObject& partner, Detail::PairRecords& records) const;
    bool IdleCirclesSegments(const DynamicObject& partner, Detail::PairRecords& records) const;
    bool IdleCirclesCircles(const DynamicObject& partner, Detail::PairRecords& records) const;

    // Sweep of this moving object through its sub-steps against one static shape, the segment or
    // the circle given; the frame fraction of the contact, or a negative value without one.
    f32 SweepStatic(Detail::StaticRecord& contacts, const Math::LineSegment2D* segment, const Math::Circle2D* circle);
    // False when the static shape lies beyond the body's reach (its shapes about the pivot, its
    // collision thickness and a margin for rounding) all along the frame: no sub-step can meet it.
    bool MayReachStatic(const Math::LineSegment2D* segment, const Math::Circle2D* circle) const;
    // This object's segments over one sub-step against a static segment.
    void SegmentsAgainstStaticSegment(const Math::LineSegment2D& shape, const Detail::SubStep& step,
                                      Detail::StaticRecord& contacts) const;
    // Sweeps of this object's shape k over one sub-step against a shape that stands still in the
    // sub-step's frame (a static shape, or a partner's); base names both shapes. The overlap
    // depth of circles already overlapping at the start of the sub-step is measured there when
    // overlapDepthAtStart, else at the sub-step's depth pose.
    void SweepSegmentAgainstSegment(i32 k, const Math::LineSegment2D& segment, const Detail::SubStep& step,
                                    const Detail::Contact& base, Detail::ContactSink& sink) const;
    void SweepSegmentAgainstCircle(i32 k, const Math::Circle2D& circle, const Detail::SubStep& step,
                                   const Detail::Contact& base, Detail::ContactSink& sink) const;
    void SweepCircleAgainstSegment(i32 k, const Math::LineSegment2D& segment, const Detail::SubStep& step,
                                   const Detail::Contact& base, Detail::ContactSink& sink) const;
    void SweepCircleAgainstCircle(i32 k, const Math::Circle2D& circle, const Detail::SubStep& step,
                                  const Detail::Contact& base, Detail::ContactSink& sink, bool overlapDepthAtStart) const;
    // The sub-step position and the contact-pose segments and circles at the end of the sub-step
    // (at pose end, when given).
    void PlaceAtStepEnd(f32 t1);
    void PlaceAtStepEnd(f32 t1, const Pose& end);

    // Geometry tests of a moving object (this) against a still partner, and of two moving objects.
    void CollideGeometryMoving(DynamicObject& partner, u8 layer);
    void CollideGeometryBothMoving(DynamicObject& partner, u8 layer);
    // Fills the reserved geometry records of both objects and counts them.
    void CompleteGeometryRecords(DynamicObject& partner, u8 layer);

    // Releases the world shapes and forgets the actor.
    void ClearCollisionData();
    // Selects the requested frame; null when the indexes name none.
    const CollisionFrame* FindRequestedFrame() const;
    // Points the local lists at the current frame's shapes and grows the world lists to hold them.
    void SelectFrameShapes();
    // A local rectangle placed at a pose (whose orientation is angle), about the pivot.
    VelRect PlaceRectangle(const Pose& pose, const VelRect& local, f32 angle) const;
    void PlaceShapes(const Pose& pose, Core::Vector<Math::LineSegment2D>& segments,
                     Core::Vector<Math::Circle2D>& circles, Core::Vector<Math::Point2D>& hotSpots) const;

    i32 slot = 0;
    u8 zCollision = 0;
    Math::Vector2D oldPosition;
    Math::Vector2D position;
    Math::Vector2D subStepPosition;
    Math::Vector2D offset;
    f32 oldOrientation = 0.0f;
    f32 orientation = 0.0f;
    Math::Vector2D sparePosition; // carried with the pose, read by nothing
    f32 spareOrientation = 0.0f;
    Math::Vector2D deltaPosition;
    f32 deltaOrientation = 0.0f;
    Math::Vector2D stepDeltaPosition;
    f32 stepDeltaOrientation = 0.0f;
    u8 updateOnIdle = 0;

    const CollisionActor* actor = nullptr;
    const CollisionFrame* currentFrame = nullptr;
    // The shapes of the frame last selected (not owned) and the variant the flips select.
    const CollisionFrame* selectedFrame = nullptr;
    Core::Vector<const DynamicCollisionLineSegment*> frameLineSegments;
    Core::Vector<const DynamicCollisionCircle*> frameCircles;
    Core::Vector<const DynamicCollisionHotSpot*> frameHotSpots;
    FlipVariant variant = NoFlip;
    // Longest frame lists seen; kept for the stream record.
    u32 localListLengths[3] = {0, 0, 0};
    VelRect boundingRectangle;
    u32 currentAnimation = 0;
    u32 currentFrameIndex = 0;
    u8 horizontalFlip = 0;
    u8 verticalFlip = 0;

    VelRect oldWorldRectangle{0.0f, 0.0f, 1.0f, 1.0f};
    VelRect currentWorldRectangle{0.0f, 0.0f, 1.0f, 1.0f};
    VelRect sweepRectangle{0.0f, 0.0f, 1.0f, 1.0f};
    VelRect subStepRectangle{0.0f, 0.0f, 1.0f, 1.0f};

    Core::Vector<Math::LineSegment2D> oldLineSegments;
    Core::Vector<Math::LineSegment2D> currentLineSegments;
    Core::Vector<Math::LineSegment2D> contactLineSegments;
    Core::Vector<Math::Circle2D> oldCircles;
    Core::Vector<Math::Circle2D> currentCircles;
    Core::Vector<Math::Circle2D> contactCircles;
    Core::Vector<Math::Point2D> oldHotSpots;
    Core::Vector<Math::Point2D> currentHotSpots;
    Core::Vector<Math::Point2D> contactHotSpots;

    u8 moved = 0;
    i32 steps = DefaultSteps;
    u8 canCollid[CanCollidEntries] = {};
    CellRange cellRange;
    Core::Vector<u32> candidates;
    u32 candidateCapacity = CandidateGrowth;
    u8 collisionType = 0;
    f32 collisionThickness = 0.0f;
    CollisionResults results;
    u8 boundingRectangleCheckingTileMap = 1;
};
} // namespace Collision2D
