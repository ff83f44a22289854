#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_Stream.h"
#include "collision/Collision_TileMap.h"

#include <algorithm>

// The stream form of a layer: the four free-slot lists, the four slot arrays with the records of
// their present objects, the layer number counter and number, the layer rectangle and vector, and
// the grid with every cell list.
namespace Collision2D
{
namespace
{
// Smallest records of each kind, to check a count of objects against the bytes left.
constexpr u32 DynamicObjectMinimumBytes = 400;
constexpr u32 StaticCircleBytes = 30;
constexpr u32 StaticLineSegmentBytes = 34;
constexpr u32 TileMapMinimumBytes = 61;

void SaveFreeSlots(Core::File& file, const Core::Vector<u32>& freeSlots)
{
    Core::WriteU32(file, static_cast<u32>(freeSlots.size()));
    for (u32 slot : freeSlots)
        Core::WriteU32(file, slot);
}

bool LoadFreeSlots(Core::File& file, Core::Vector<u32>& freeSlots)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, 4))
        return false;
    freeSlots.assign(count, 0);
    for (u32& slot : freeSlots)
    {
        if (!Core::ReadU32(file, slot))
            return false;
    }
    return true;
}

template <class T>
void SaveArray(Core::File& file, const SlotArray<T>& array)
{
    Core::WriteU32(file, static_cast<u32>(array.capacity));
    Core::WriteU32(file, static_cast<u32>(array.count));
    for (i32 slot = 1; slot < array.count; ++slot)
    {
        if (const T* object = array.slots[slot])
            object->Save(file);
    }
}

// Reads an array whose free-slot list is already in place: every slot below the count that the
// list does not name holds an object record.
template <class T>
bool LoadArray(Core::File& file, SlotArray<T>& array, u32 maximumSlots, u32 minimumRecordBytes)
{
    u32 capacity = 0;
    u32 count = 0;
    if (!Core::ReadU32(file, capacity) || !Core::ReadU32(file, count))
        return false;
    // A capacity only grows, by the growth step, when the count reaches it.
    if (count < 1 || count > maximumSlots + 1 || count >= capacity || capacity > count + u32(array.growth))
        return Stream::Reject(file);
    Core::Vector<u32> sorted(array.freeSlots.begin(), array.freeSlots.end());
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end() ||
        (!sorted.empty() && (sorted.front() < 1 || sorted.back() >= count)))
        return Stream::Reject(file);
    const u64 present = u64(count - 1) - sorted.size();
    if (!file.CanRead(present * minimumRecordBytes))
        return false;
    array.slots.assign(capacity, nullptr);
    array.capacity = static_cast<i32>(capacity);
    array.count = static_cast<i32>(count);
    for (u32 slot = 1; slot < count; ++slot)
    {
        if (std::binary_search(sorted.begin(), sorted.end(), slot))
            continue;
        T* object = new (__FILE__, __LINE__) T();
        array.slots[slot] = object;
        if (!object->Load(file))
            return false;
    }
    return true;
}
} // namespace

void CollisionLayer::Save(Core::File& file) const
{
    SaveFreeSlots(file, dynamicObjects.freeSlots);
    SaveFreeSlots(file, staticCircles.freeSlots);
    SaveFreeSlots(file, staticLineSegments.freeSlots);
    SaveFreeSlots(file, tileMaps.freeSlots);
    SaveArray(file, dynamicObjects);
    SaveArray(file, staticCircles);
    SaveArray(file, staticLineSegments);
    SaveArray(file, tileMaps);
    Core::WriteU8(file, layerNumberCounter);
    Core::WriteU8(file, layerNumber);
    layerRectangle.Save(file);
    Stream::WriteVector(file, layerVector);
    grid.Save(file);
}

bool CollisionLayer::Load(Core::File& file)
{
    if (!LoadFreeSlots(file, dynamicObjects.freeSlots) || !LoadFreeSlots(file, staticCircles.freeSlots) ||
        !LoadFreeSlots(file, staticLineSegments.freeSlots) || !LoadFreeSlots(file, tileMaps.freeSlots))
        return false;
    if (!LoadArray(file, dynamicObjects, MaximumDynamicObjects, DynamicObjectMinimumBytes))
        return false;
    for (i32 slot = 1; slot < dynamicObjects.count; ++slot)
    {
        // A record names the slot it was saved from.
        const DynamicObject* object = dynamicObjects.slots[slot];
        if (object && object->GetSlot() != slot)
            return Stream::Reject(file);
    }
    u8 counter = 0;
    if (!LoadArray(file, staticCircles, MaximumStaticCircles, StaticCircleBytes) ||
        !LoadArray(file, staticLineSegments, MaximumStaticLineSegments, StaticLineSegmentBytes) ||
        !LoadArray(file, tileMaps, MaximumTileMaps, TileMapMinimumBytes) || !Core::ReadU8(file, counter) ||
        !Core::ReadU8(file, layerNumber) || !layerRectangle.Load(file) || !Stream::ReadVector(file, layerVector) ||
        !grid.Load(file))
        return false;
    layerNumberCounter = counter;
    return true;
}
} // namespace Collision2D
