#pragma once

#include "collision/Collision_Rect.h"
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
// What a block read from a stream may still allocate; its records read their sub-pools within it.
class ResultsLoadBudget;

// Fills a per-point user-id slot that names none of the object's own shapes.
inline constexpr u32 EmptyUserId = 0x0B724581u;
inline constexpr i32 MaximumContactPoints = 4;

// Common part of the contact records. The partner's user data (its owner) is never streamed.
class COLLISION_C
{
public:
    u32 id = 0;
    Math::Vector2D contactPosition;
    f32 contactOrientation = 0.0f;
    f32 penetrationDistance = 0.0f;
    void* partnerUserData = nullptr;

    COLLISION_C() = default;
    COLLISION_C(const COLLISION_C&) = default;
    COLLISION_C& operator=(const COLLISION_C&) = default;
    virtual ~COLLISION_C() = default;

    // id, contact position, orientation, penetration (20 bytes).
    virtual void Save(Core::File& file) const;
    // Sets the partner user data to null; false once the stream has failed or holds a bad value.
    virtual bool Load(Core::File& file);
};

// Contact with a circle or a line segment: up to four points, each with its normal and the user id
// of this object's own shape that made it (the other kind's slot holds EmptyUserId).
class ShapeContact : public COLLISION_C
{
public:
    Math::Vector2D contactPoint[MaximumContactPoints];
    Math::Vector2D normal[MaximumContactPoints];
    i32 numberOfIntersectedPoints = 0;
    u32 userId = 0;
    u32 myCircleUserId[MaximumContactPoints] = {EmptyUserId, EmptyUserId, EmptyUserId, EmptyUserId};
    u32 myLineSegmentUserId[MaximumContactPoints] = {EmptyUserId, EmptyUserId, EmptyUserId, EmptyUserId};

    // 124 bytes.
    void Save(Core::File& file) const override;
    bool Load(Core::File& file) override;

    // Every own-shape slot to EmptyUserId and no points.
    void ClearPoints();
};

// Contact with a circle (a static circle, or a partner's circle inside a geometry record).
class CIR_C : public ShapeContact
{
};

// Contact with a line segment.
class LNS_C : public ShapeContact
{
};

// Contact of two bounding rectangles; not streamed with the partner user data.
class BRECT_C
{
public:
    void* partnerUserData = nullptr;
    u32 id = 0;
    VelRect rectangleIntersection;
    Math::Vector2D contactPosition;
    f32 contactOrientation = 0.0f;

    // 32 bytes.
    void Save(Core::File& file) const;
    bool Load(Core::File& file);
};

// Contacts of this object's circles and segments with one partner dynamic object, in two
// sub-pools by the kind of the partner's shape.
class DGEO_C : public COLLISION_C
{
public:
    Core::Vector<LNS_C> lineSegments;
    Core::Vector<CIR_C> circles;
    i32 currentLineSegmentsNumber = 0;
    i32 currentCirclesNumber = 0;
    i32 deltaBuffer = 5;
    i32 buffer_LineSegments = 5;
    i32 buffer_Circles = 5;

    // Both sub-pools hold their first capacity of default records.
    DGEO_C();

    void Save(Core::File& file) const override;
    bool Load(Core::File& file) override;
    bool Load(Core::File& file, ResultsLoadBudget& budget);

    // The record the next contact is written into. Every write goes through these, so that a
    // reset knows which records a frame may have changed.
    LNS_C& NextLineSegment();
    CIR_C& NextCircle();
    void CommitLineSegmentResult();
    void CommitCircleResult();

private:
    friend class CollisionResults;

    // Leading records that may differ from reset ones; the reset restores only these.
    i32 touchedLineSegments = 0;
    i32 touchedCircles = 0;
};

// A cell of a tile map reported by the cell walkers.
struct TMAP_DATA_BASE
{
    u8 id = 0;
    i32 cellX = 0;
    i32 cellY = 0;
    i32 collisionSide = 0;
    i32 hotSpotIndex = 0;
};

// A cell of a tile map hit by a test.
struct TMAP_DATA : TMAP_DATA_BASE
{
    Math::Vector2D position;
    Math::Vector2D normal;
    f32 zAngle = 0.0f;
};

// Contact with one tile map.
class TMAP_C : public COLLISION_C
{
public:
    u32 deltaBuffer = 5;
    u32 currentNewIdsNumber = 0;
    u32 currentStaticIdsNumber = 0;
    u32 buffer_NewIds = 20;
    u32 buffer_StaticIds = 20;
    Core::Vector<TMAP_DATA> newEntries;
    Core::Vector<TMAP_DATA_BASE> staticEntries;

    // Both entry pools hold their first capacity of default entries.
    TMAP_C();

    void Save(Core::File& file) const override;
    bool Load(Core::File& file) override;
    bool Load(Core::File& file, ResultsLoadBudget& budget);

    void AddNewEntry(TMAP_DATA entry);
    void AddStaticEntry(TMAP_DATA_BASE entry);
};

// The result block of one dynamic object: five pools reused from frame to frame. A count says how
// many of a pool's first records are valid this frame; records past it keep what earlier frames
// wrote. Every pool, sub-pool and entry pool holds at least its capacity of records, and its count
// stays below the capacity: the commit that reaches the capacity appends deltaBuffer default
// records and raises the capacity by as much, so the record a test fills next always exists, and
// scripts see each pool as a whole array of its capacity.
class CollisionResults
{
public:
    Core::Vector<BRECT_C> rectangles;
    Core::Vector<DGEO_C> geometries;
    Core::Vector<CIR_C> circles;
    Core::Vector<LNS_C> lineSegments;
    Core::Vector<TMAP_C> tileMaps;
    i32 buffer_BRECT = 5;
    i32 buffer_DGEO = 5;
    i32 buffer_CIR = 5;
    i32 buffer_LNS = 5;
    i32 buffer_TMAP = 20;
    i32 currentBRECTNumber = 0;
    i32 currentDGEONumber = 0;
    i32 currentCIRNumber = 0;
    i32 currentLNSNumber = 0;
    i32 currentTMAPNumber = 0;
    i32 deltaBuffer = 5;
    i32 buffer_Extra = 20; // carried through copies and streams; read by nothing

    CollisionResults();

    // Starts a frame: every count to 0 and the own-shape user ids of the contact records marked empty.
    void Reset();

    // The record a test fills next, before it commits it. Every write goes through these.
    BRECT_C& NextRectangle();
    DGEO_C& NextGeometry();
    CIR_C& NextCircle();
    LNS_C& NextLineSegment();
    TMAP_C& NextTileMap();

    void CommitRectangleResult();
    void CommitGeometryResult();
    void CommitCircleResult();
    void CommitLineSegmentResult();
    void CommitTileMapResult();

    // True when any pool holds a record this frame.
    bool Any() const
    {
        return currentBRECTNumber || currentDGEONumber || currentCIRNumber || currentLNSNumber || currentTMAPNumber;
    }

    // Only the counted records are written.
    void Save(Core::File& file) const;
    // Each pool then holds its saved capacity of records. False, with the block left valid, when
    // the stream fails or holds an impossible count or growth step, or capacities that together
    // ask for more records than a block read from a stream may hold.
    bool Load(Core::File& file);

private:
    // Leading records of each pool that may differ from reset ones. The reset restores only these,
    // so that its cost follows the frame's contacts rather than the pools' capacities; the records
    // beyond were reset before and not written since.
    i32 touchedGeometries = 0;
    i32 touchedCircles = 0;
    i32 touchedLineSegments = 0;
    i32 touchedTileMaps = 0;
};
} // namespace Collision2D
