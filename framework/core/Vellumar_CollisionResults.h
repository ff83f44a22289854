#pragma once
// What a game object touched in the last collision step: a handle on its dynamic object's result
// block (null when it has none), valid until the collision engine's next update. Queries on a
// null handle give 0, null or false.
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

namespace Collision2D
{
class BRECT_C;
class CIR_C;
class CollisionResults;
class DGEO_C;
class LNS_C;
class TMAP_C;
}  // namespace Collision2D

namespace Vellumar
{
class GameObject;

class CollisionResults
{
public:
    explicit CollisionResults(Collision2D::CollisionResults* block) : block(block) {}
    // The block of the object's dynamic object in the game's collision engine, as the object's
    // GetCollisionObject gives it.
    static CollisionResults Of(const GameObject& object);

    bool IsNull() const { return block == nullptr; }

    // The geometric flag picks the geometry pool, else the rectangle pool.
    i32 GetCollidedSpritesCount(bool geometric) const;
    i32 GetCollidedCirclesCount() const;
    i32 GetCollidedLineSegmentsCount() const;
    i32 GetCollidedTileMapsCount() const;
    // Records and partners by index: null for an index outside this frame's records (records past
    // the count hold earlier frames' contacts) and for a partner id that names no object.
    GameObject* GetCollidedSprite(i32 index, bool geometric) const;
    const Collision2D::DGEO_C* GetCollidedGeometryData(i32 index) const;
    const Collision2D::BRECT_C* GetCollidedRectangleData(i32 index) const;
    // Record i of the geometry pool (geometric) or of the rectangle pool; the other pointer is null.
    struct SpriteData
    {
        const Collision2D::DGEO_C* geometry;
        const Collision2D::BRECT_C* rectangle;
    };
    SpriteData GetCollidedSpriteData(i32 index, bool geometric) const;
    const Collision2D::CIR_C* GetCollidedCircleData(i32 index) const;
    const Collision2D::LNS_C* GetCollidedLineSegmentData(i32 index) const;
    const Collision2D::TMAP_C* GetCollidedTileMapData(i32 index) const;

    bool IsCollidedWithSprite(const Core::String& name, bool geometric) const;
    bool IsCollidedWithSpriteLineSegment(u32 id) const;
    bool IsCollidedWithSpriteCircle(u32 id) const;
    // A static line segment or circle of that user id among this frame's contacts.
    bool IsCollidedWithLineSegment(u32 id) const;
    bool IsCollidedWithCircle(u32 id) const;
    bool IsCollidedWithTileMap(const Core::String& name) const;
    // One of the object's own shapes of user id id in a contact, with a partner of user id other
    // when one is given.
    bool IsMyLineSegmentCollided(u32 id, const u32* other = nullptr) const;
    bool IsMyCircleCollided(u32 id, const u32* other = nullptr) const;

    // Tile-map entry filters: the indexes of the entries of tile-map record t, from start on, that
    // meet every active condition (type -1, negative cells and side 0 match all). Indexes are kept
    // whole (a byte list would make entry 300 into 44). False with the list untouched without a
    // block; else whether the list is not empty.
    struct EntryFilter
    {
        i8 type = -1;
        i32 hotSpot = -1;
        i32 cellX = -1;
        i32 cellY = -1;
        i32 side = 0;
    };
    bool FilterNewEntries(const EntryFilter& filter, i32 t, Core::Vector<u32>& list, i32 start) const;
    bool FilterStaticEntries(const EntryFilter& filter, i32 t, Core::Vector<u32>& list, i32 start) const;

private:
    bool IsMyShapeCollided(u32 id, const u32* other, bool lineSegments) const;
    // One of the tile-map record's entry lists (with its count) through the filter.
    template <class Entry>
    bool FilterEntries(Core::Vector<Entry> Collision2D::TMAP_C::*entries, u32 Collision2D::TMAP_C::*count,
                       const EntryFilter& filter, i32 t, Core::Vector<u32>& list, i32 start) const;

    Collision2D::CollisionResults* block;
};
}  // namespace Vellumar
