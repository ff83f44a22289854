#include "collision/Collision_Layer.h"

#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_Stream.h"
#include "collision/Collision_TileMap.h"

#include <algorithm>

namespace Collision2D
{
namespace
{
template <class T>
void InitializeArray(SlotArray<T>& array, i32 capacity, i32 growth)
{
    array.slots.assign(static_cast<std::size_t>(capacity), nullptr);
    array.count = 1;
    array.capacity = capacity;
    array.growth = growth;
}

template <class T>
void DestroyAll(SlotArray<T>& array)
{
    for (i32 slot = 1; slot < array.count && slot < static_cast<i32>(array.slots.size()); ++slot)
    {
        delete array.slots[slot];
        array.slots[slot] = nullptr;
    }
}

template <class T>
bool Contains(const SlotArray<T>& array, const MainCollisionObject* object)
{
    const std::ptrdiff_t used = std::min<std::ptrdiff_t>(array.count, std::ssize(array.slots));
    if (used <= 1)
        return false;
    const auto end = array.slots.begin() + used;
    return std::find(array.slots.begin() + 1, end, object) != end;
}

template <class T>
void Remove(SlotArray<T>& array, u32 slot)
{
    T* object = array.At(slot);
    if (!object)
        return;
    delete object;
    array.slots[slot] = nullptr;
    array.freeSlots.push_back(slot);
}

template <class T>
void RemoveAll(SlotArray<T>& array)
{
    for (i32 slot = 1; slot < array.count; ++slot)
        Remove(array, static_cast<u32>(slot));
}

// The most slots an id range leaves for each kind.
template <class T>
u32 MaximumSlots();
template <>
u32 MaximumSlots<DynamicObject>()
{
    return MaximumDynamicObjects;
}
template <>
u32 MaximumSlots<StaticCollisionCircle>()
{
    return MaximumStaticCircles;
}
template <>
u32 MaximumSlots<StaticCollisionLineSegment>()
{
    return MaximumStaticLineSegments;
}
template <>
u32 MaximumSlots<TileMap>()
{
    return MaximumTileMaps;
}
} // namespace

CollisionLayer::CollisionLayer() : layerNumber(layerNumberCounter++), grid({0.0f, 0.0f}, 640, 480, 4, 6, 100.0f)
{
    InitializeArray(dynamicObjects, DynamicGrowth, DynamicGrowth);
    InitializeArray(staticCircles, StaticGrowth, StaticGrowth);
    InitializeArray(staticLineSegments, StaticGrowth, StaticGrowth);
    InitializeArray(tileMaps, StaticGrowth, StaticGrowth);
}

CollisionLayer::CollisionLayer(StreamConstruction)
{
    dynamicObjects.growth = DynamicGrowth;
    staticCircles.growth = StaticGrowth;
    staticLineSegments.growth = StaticGrowth;
    tileMaps.growth = StaticGrowth;
}

CollisionLayer::~CollisionLayer()
{
    DestroyAll(dynamicObjects);
    DestroyAll(staticCircles);
    DestroyAll(staticLineSegments);
    DestroyAll(tileMaps);
}

void CollisionLayer::InitializeGrid(const Math::Vector2D& origin, i32 width, i32 height, i32 rows, i32 columns,
                                    i32 cellSize)
{
    grid = LayerGrid(origin, width, height, rows, columns, static_cast<f32>(cellSize));
}

template <class T>
u32 CollisionLayer::Store(SlotArray<T>& array, T* object, bool reuseFreeSlot)
{
    u32 slot = 0;
    if (reuseFreeSlot && !array.freeSlots.empty())
    {
        slot = array.freeSlots.front();
        array.freeSlots.erase(array.freeSlots.begin());
    }
    else
    {
        if (static_cast<u32>(array.count) > MaximumSlots<T>())
            return 0;
        slot = static_cast<u32>(array.count++);
        if (array.count >= array.capacity)
        {
            array.capacity += array.growth;
            array.slots.resize(static_cast<std::size_t>(array.capacity), nullptr);
        }
    }
    array.slots[slot] = object;
    return slot;
}

u32 CollisionLayer::AddObject(MainCollisionObject* object, const Math::Vector2D& position)
{
    if (!object)
        return 0;
    switch (object->GetKind())
    {
    case KindDynamicObject: {
        auto* dynamic = static_cast<DynamicObject*>(object);
        const u32 slot = Store(dynamicObjects, dynamic, true);
        if (!slot)
            return 0;
        dynamic->SetSlot(static_cast<i32>(slot));
        dynamic->SetPosition(position);
        return MakeObjectId(DynamicObjectBase + slot, layerNumber, dynamic->GetZCollision());
    }
    case KindStaticCircle: {
        auto* circle = static_cast<StaticCollisionCircle*>(object);
        const u32 slot = Store(staticCircles, circle, false);
        if (!slot)
            return 0;
        grid.RegisterCircle(circle->GetCircle(), slot);
        return MakeObjectId(StaticCircleBase + slot, layerNumber, circle->GetZCollision());
    }
    case KindStaticLineSegment: {
        auto* segment = static_cast<StaticCollisionLineSegment*>(object);
        const u32 slot = Store(staticLineSegments, segment, false);
        if (!slot)
            return 0;
        grid.RegisterLineSegment(segment->GetLineSegment(), slot);
        return MakeObjectId(StaticLineSegmentBase + slot, layerNumber, segment->GetZCollision());
    }
    case KindTileMap: {
        auto* map = static_cast<TileMap*>(object);
        const u32 slot = Store(tileMaps, map, false);
        if (!slot)
            return 0;
        map->SetPosition(position);
        return MakeObjectId(TileMapBase + slot, layerNumber, map->GetZCollision());
    }
    default:
        return 0;
    }
}

bool CollisionLayer::Holds(const MainCollisionObject* object) const
{
    switch (object ? object->GetKind() : KindUnset)
    {
    case KindDynamicObject: {
        // A stored dynamic object carries its slot: no search among the many.
        const i32 slot = static_cast<const DynamicObject*>(object)->GetSlot();
        return slot > 0 && dynamicObjects.At(static_cast<u32>(slot)) == object;
    }
    case KindStaticCircle:
        return Contains(staticCircles, object);
    case KindStaticLineSegment:
        return Contains(staticLineSegments, object);
    case KindTileMap:
        return Contains(tileMaps, object);
    default:
        return false;
    }
}

u32 CollisionLayer::CloneObject(u32 low, const Math::Vector2D& position, void* userData)
{
    const SplitId split = SplitObjectId(low & 0xFFFFu);
    if (split.kind == KindUnset)
        return split.low == 0 ? 0 : MakeObjectId(split.low, layerNumber, 0);
    if (split.kind == KindFour || split.kind == KindFive)
        return split.slot == 0 ? 0 : MakeObjectId(split.low, layerNumber, 0);
    MainCollisionObject* copy = nullptr;
    switch (split.kind)
    {
    case KindDynamicObject:
        if (DynamicObject* source = dynamicObjects.At(split.slot))
            copy = source->Clone();
        break;
    case KindStaticCircle:
        if (StaticCollisionCircle* source = staticCircles.At(split.slot))
            copy = source->Clone();
        break;
    case KindStaticLineSegment:
        if (StaticCollisionLineSegment* source = staticLineSegments.At(split.slot))
            copy = source->Clone();
        break;
    case KindTileMap:
        if (TileMap* source = tileMaps.At(split.slot))
            copy = source->Clone();
        break;
    default:
        break;
    }
    if (!copy)
        return 0;
    // Static shapes keep their place and owner; the others take the given ones.
    const bool placed = split.kind == KindDynamicObject || split.kind == KindTileMap;
    if (placed)
        copy->SetUserData(userData);
    const u32 id = AddObject(copy, position);
    if (!id)
        delete copy;
    return id;
}

void CollisionLayer::RemoveDynamicObject(u32 slot)
{
    Remove(dynamicObjects, slot);
}

void CollisionLayer::RemoveStaticCircle(u32 slot)
{
    Remove(staticCircles, slot);
}

void CollisionLayer::RemoveStaticLineSegment(u32 slot)
{
    Remove(staticLineSegments, slot);
}

void CollisionLayer::RemoveTileMap(u32 slot)
{
    Remove(tileMaps, slot);
}

void CollisionLayer::RemoveStaticCircles()
{
    RemoveAll(staticCircles);
}

void CollisionLayer::RemoveStaticLineSegments()
{
    RemoveAll(staticLineSegments);
}
} // namespace Collision2D
