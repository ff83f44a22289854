#include "framework/core/Vellumar_CollisionResults.h"

#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_TileMap.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
namespace
{
Collision2D::CollisionEngine* Engine()
{
    Game* game = Game::GetInstance();
    return game ? game->GetCollisionEngine() : nullptr;
}

// The game object that owns the collision object of a partner's id.
GameObject* OwnerOf(u32 partnerId)
{
    Collision2D::CollisionEngine* engine = Engine();
    Collision2D::MainCollisionObject* partner = engine ? engine->GetObject(partnerId) : nullptr;
    return partner ? static_cast<GameObject*>(partner->GetUserData()) : nullptr;
}

// The first count records of a pool, never more than it holds.
template <class Record>
i32 Counted(const Core::Vector<Record>& records, i32 count)
{
    return count < 0 ? 0 : std::min(count, static_cast<i32>(records.size()));
}

// Record index of this frame's records: those past the count hold earlier frames' contacts.
template <class Record>
const Record* At(const Core::Vector<Record>& records, i32 count, i32 index)
{
    return index >= 0 && index < Counted(records, count) ? &records[static_cast<std::size_t>(index)] : nullptr;
}

// Whether one of this frame's records passes the test.
template <class Record, class Test>
bool AnyCounted(const Core::Vector<Record>& records, i32 count, Test test)
{
    for (i32 i = 0; i < Counted(records, count); ++i)
    {
        if (test(records[static_cast<std::size_t>(i)]))
            return true;
    }
    return false;
}

template <class Shape>
struct HasUserId
{
    u32 id;
    bool operator()(const Shape& shape) const { return shape.userId == id; }
};

// A geometry record of this frame whose shapes of one kind (this frame's ones) hold user id id.
template <class Shape>
bool GeometryShapeHasId(const Collision2D::CollisionResults& block, Core::Vector<Shape> Collision2D::DGEO_C::*shapes,
                        i32 Collision2D::DGEO_C::*shapeCount, u32 id)
{
    return AnyCounted(block.geometries, block.currentDGEONumber, [&](const Collision2D::DGEO_C& record) {
        return AnyCounted(record.*shapes, record.*shapeCount, HasUserId<Shape>{id});
    });
}

bool MyShapeInContact(const Collision2D::ShapeContact& record, u32 id, const u32* other, bool lineSegments,
                      i32 slots)
{
    if (other && record.userId != *other)
        return false;
    const u32* mine = lineSegments ? record.myLineSegmentUserId : record.myCircleUserId;
    const i32 filled = std::clamp(slots, 0, Collision2D::MaximumContactPoints);
    for (i32 slot = 0; slot < filled; ++slot)
    {
        if (mine[slot] == id)
            return true;
    }
    return false;
}

template <class Entry>
bool Filter(const Core::Vector<Entry>& entries, u32 count, const CollisionResults::EntryFilter& filter,
            Core::Vector<u32>& list, i32 start)
{
    list.clear();
    const i32 end = std::min(static_cast<i32>(count), static_cast<i32>(entries.size()));
    for (i32 i = std::max(start, 0); i < end; ++i)
    {
        const Collision2D::TMAP_DATA_BASE& entry = entries[static_cast<std::size_t>(i)];
        if ((filter.type == -1 || entry.id == static_cast<u8>(filter.type)) &&
            (filter.hotSpot < 0 || entry.hotSpotIndex == filter.hotSpot) &&
            (filter.cellX < 0 || entry.cellX == filter.cellX) && (filter.cellY < 0 || entry.cellY == filter.cellY) &&
            (filter.side == 0 || entry.collisionSide == filter.side))
            list.push_back(static_cast<u32>(i));
    }
    return !list.empty();
}
} // namespace

CollisionResults CollisionResults::Of(const GameObject& object)
{
    return object.GetCollisionObject();
}

i32 CollisionResults::GetCollidedSpritesCount(bool geometric) const
{
    return block ? (geometric ? block->currentDGEONumber : block->currentBRECTNumber) : 0;
}

i32 CollisionResults::GetCollidedCirclesCount() const
{
    return block ? block->currentCIRNumber : 0;
}

i32 CollisionResults::GetCollidedLineSegmentsCount() const
{
    return block ? block->currentLNSNumber : 0;
}

i32 CollisionResults::GetCollidedTileMapsCount() const
{
    return block ? block->currentTMAPNumber : 0;
}

GameObject* CollisionResults::GetCollidedSprite(i32 index, bool geometric) const
{
    if (!block)
        return nullptr;
    if (geometric)
    {
        const Collision2D::DGEO_C* record = At(block->geometries, block->currentDGEONumber, index);
        return record ? OwnerOf(record->id) : nullptr;
    }
    const Collision2D::BRECT_C* record = At(block->rectangles, block->currentBRECTNumber, index);
    return record ? OwnerOf(record->id) : nullptr;
}

const Collision2D::DGEO_C* CollisionResults::GetCollidedGeometryData(i32 index) const
{
    return block ? At(block->geometries, block->currentDGEONumber, index) : nullptr;
}

const Collision2D::BRECT_C* CollisionResults::GetCollidedRectangleData(i32 index) const
{
    return block ? At(block->rectangles, block->currentBRECTNumber, index) : nullptr;
}

CollisionResults::SpriteData CollisionResults::GetCollidedSpriteData(i32 index, bool geometric) const
{
    if (geometric)
        return {GetCollidedGeometryData(index), nullptr};
    return {nullptr, GetCollidedRectangleData(index)};
}

const Collision2D::CIR_C* CollisionResults::GetCollidedCircleData(i32 index) const
{
    return block ? At(block->circles, block->currentCIRNumber, index) : nullptr;
}

const Collision2D::LNS_C* CollisionResults::GetCollidedLineSegmentData(i32 index) const
{
    return block ? At(block->lineSegments, block->currentLNSNumber, index) : nullptr;
}

const Collision2D::TMAP_C* CollisionResults::GetCollidedTileMapData(i32 index) const
{
    return block ? At(block->tileMaps, block->currentTMAPNumber, index) : nullptr;
}

bool CollisionResults::IsCollidedWithSprite(const Core::String& name, bool geometric) const
{
    const i32 count = GetCollidedSpritesCount(geometric);
    for (i32 i = 0; i < count; ++i)
    {
        const GameObject* partner = GetCollidedSprite(i, geometric);
        if (partner && partner->GetName() == name)
            return true;
    }
    return false;
}

bool CollisionResults::IsCollidedWithSpriteLineSegment(u32 id) const
{
    return block && GeometryShapeHasId(*block, &Collision2D::DGEO_C::lineSegments,
                                       &Collision2D::DGEO_C::currentLineSegmentsNumber, id);
}

bool CollisionResults::IsCollidedWithSpriteCircle(u32 id) const
{
    return block &&
           GeometryShapeHasId(*block, &Collision2D::DGEO_C::circles, &Collision2D::DGEO_C::currentCirclesNumber, id);
}

bool CollisionResults::IsCollidedWithLineSegment(u32 id) const
{
    return block && AnyCounted(block->lineSegments, block->currentLNSNumber, HasUserId<Collision2D::LNS_C>{id});
}

bool CollisionResults::IsCollidedWithCircle(u32 id) const
{
    return block && AnyCounted(block->circles, block->currentCIRNumber, HasUserId<Collision2D::CIR_C>{id});
}

bool CollisionResults::IsCollidedWithTileMap(const Core::String& name) const
{
    return block && AnyCounted(block->tileMaps, block->currentTMAPNumber, [&name](const Collision2D::TMAP_C& record) {
               const GameObject* owner = OwnerOf(record.id);
               return owner && owner->GetName() == name;
           });
}

bool CollisionResults::IsMyShapeCollided(u32 id, const u32* other, bool lineSegments) const
{
    if (!block)
        return false;
    // Whole pools: records not filled this frame hold the empty mark, which names no shape.
    for (const Collision2D::CIR_C& record : block->circles)
    {
        if (MyShapeInContact(record, id, other, lineSegments, record.numberOfIntersectedPoints))
            return true;
    }
    for (const Collision2D::LNS_C& record : block->lineSegments)
    {
        if (MyShapeInContact(record, id, other, lineSegments, record.numberOfIntersectedPoints))
            return true;
    }
    for (const Collision2D::DGEO_C& geometry : block->geometries)
    {
        for (const Collision2D::CIR_C& record : geometry.circles)
        {
            if (MyShapeInContact(record, id, other, lineSegments, 1))
                return true;
        }
        for (const Collision2D::LNS_C& record : geometry.lineSegments)
        {
            if (MyShapeInContact(record, id, other, lineSegments, 1))
                return true;
        }
    }
    return false;
}

bool CollisionResults::IsMyLineSegmentCollided(u32 id, const u32* other) const
{
    return IsMyShapeCollided(id, other, true);
}

bool CollisionResults::IsMyCircleCollided(u32 id, const u32* other) const
{
    return IsMyShapeCollided(id, other, false);
}

bool CollisionResults::FilterNewEntries(const EntryFilter& filter, i32 t, Core::Vector<u32>& list, i32 start) const
{
    return FilterEntries(&Collision2D::TMAP_C::newEntries, &Collision2D::TMAP_C::currentNewIdsNumber, filter, t, list,
                         start);
}

bool CollisionResults::FilterStaticEntries(const EntryFilter& filter, i32 t, Core::Vector<u32>& list, i32 start) const
{
    return FilterEntries(&Collision2D::TMAP_C::staticEntries, &Collision2D::TMAP_C::currentStaticIdsNumber, filter, t,
                         list, start);
}

template <class Entry>
bool CollisionResults::FilterEntries(Core::Vector<Entry> Collision2D::TMAP_C::*entries,
                                     u32 Collision2D::TMAP_C::*count, const EntryFilter& filter, i32 t,
                                     Core::Vector<u32>& list, i32 start) const
{
    const Collision2D::TMAP_C* record = GetCollidedTileMapData(t);
    if (!block)
        return false;
    if (!record)
    {
        list.clear();
        return false;
    }
    return Filter(record->*entries, record->*count, filter, list, start);
}

CollisionResults GameObject::GetCollisionObject() const
{
    Collision2D::CollisionEngine* engine = Engine();
    return CollisionResults(engine && GetRegisteredObject() ? engine->GetResults(GetCollisionId()) : nullptr);
}

bool GameObject::FilterTileMapNewEntries_UsingBoundingRectangle(i8 type, i32 cellX, i32 cellY, i32 side, i32 t,
                                                                Core::Vector<u32>& list, i32 start) const
{
    return GetCollisionObject().FilterNewEntries({type, -1, cellX, cellY, side}, t, list, start);
}

bool GameObject::FilterTileMapStaticEntries_UsingBoundingRectangle(i8 type, i32 cellX, i32 cellY, i32 side, i32 t,
                                                                   Core::Vector<u32>& list, i32 start) const
{
    return GetCollisionObject().FilterStaticEntries({type, -1, cellX, cellY, side}, t, list, start);
}

bool GameObject::FilterTileMapNewEntries_UsingHotSpot(i8 type, i32 hotSpot, i32 cellX, i32 cellY, i32 side, i32 t,
                                                      Core::Vector<u32>& list, i32 start) const
{
    return GetCollisionObject().FilterNewEntries({type, hotSpot, cellX, cellY, side}, t, list, start);
}

bool GameObject::FilterTileMapStaticEntries_UsingHotSpot(i8 type, i32 hotSpot, i32 cellX, i32 cellY, i32 t,
                                                         Core::Vector<u32>& list, i32 start) const
{
    return GetCollisionObject().FilterStaticEntries({type, hotSpot, cellX, cellY, 0}, t, list, start);
}
} // namespace Vellumar
