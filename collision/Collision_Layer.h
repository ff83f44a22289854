#pragma once

#include "collision/Collision_LayerGrid.h"
#include "collision/Collision_Rect.h"
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
class DynamicObject;
class MainCollisionObject;
class StaticCollisionCircle;
class StaticCollisionLineSegment;
class TileMap;

// The owned objects of one kind, by slot. Slot 0 is never used and an empty slot holds null; count
// is the next never-used slot, capacity the allocated length. Slots emptied by removal are listed
// in the order they were emptied.
template <class T>
struct SlotArray
{
    Core::Vector<T*> slots;
    i32 count = 1;
    i32 capacity = 0;
    i32 growth = 0;
    Core::Vector<u32> freeSlots;

    // The object at a slot, or null for slot 0, a slot never used or an empty one.
    T* At(u32 slot) const { return slot >= 1 && slot < static_cast<u32>(count) ? slots[slot] : nullptr; }
};

// Every collidable of one framework layer: dynamic objects, static circles and segments and tile
// maps, in slot arrays behind the collision ids, with a uniform grid over the layer's area that
// bounds the pair search. Objects of different layers never meet. A layer owns what it stores.
class CollisionLayer : public Core::Base
{
public:
    static constexpr i32 DynamicGrowth = 25;
    static constexpr i32 StaticGrowth = 10;

    // Slot arrays of 25, 10, 10 and 10 entries, the layer number from the global counter, and a
    // 6 × 4 grid of 100-unit cells at the origin.
    CollisionLayer();
    // For reading a layer from a stream with Load: no slot arrays and no grid, no layer number taken.
    struct StreamConstruction
    {
    };
    explicit CollisionLayer(StreamConstruction);
    CollisionLayer(const CollisionLayer&) = delete;
    CollisionLayer& operator=(const CollisionLayer&) = delete;
    ~CollisionLayer() override;

    u8 GetLayerNumber() const { return layerNumber; }
    // The global layer number counter: each default-constructed layer takes its value.
    static u8 GetLayerNumberCounter() { return layerNumberCounter; }
    static void ResetLayerNumberCounter() { layerNumberCounter = 0; }

    // Rebuilds the grid with empty cells; static shapes added before are no longer registered.
    void InitializeGrid(const Math::Vector2D& origin, i32 width, i32 height, i32 rows, i32 columns, i32 cellSize);
    const LayerGrid& GetGrid() const { return grid; }

    // Stores the object by its kind and returns its id; the layer owns it from then on. 0 (and the
    // caller keeps the object) for a kind the layer does not store or a kind whose slots are all
    // used.
    u32 AddObject(MainCollisionObject* object, const Math::Vector2D& position);
    // Whether the object is stored in one of the layer's slots.
    bool Holds(const MainCollisionObject* object) const;
    // Stores a copy of the object at low (the low 16 bits of its id) and returns the copy's id; 0
    // when low names no present object or its kind has no free slot. Low bits of no kind, or of
    // kinds 4 and 5, store nothing and come back as an id of this layer with z-level 0 (0 for slot 0
    // of kinds 4 and 5, which names nothing like slot 0 of every kind).
    u32 CloneObject(u32 low, const Math::Vector2D& position, void* userData);

    // Removal by slot: the object is destroyed and the slot listed as free. Only dynamic slots are
    // used again (first freed, first reused).
    void RemoveDynamicObject(u32 slot);
    void RemoveStaticCircle(u32 slot);
    void RemoveStaticLineSegment(u32 slot);
    void RemoveTileMap(u32 slot);
    // Destroys every static circle (segment); the kind keeps an empty array and its slot numbering.
    void RemoveStaticCircles();
    void RemoveStaticLineSegments();

    DynamicObject* GetDynamicObject(u32 slot) const { return dynamicObjects.At(slot); }
    StaticCollisionCircle* GetStaticCircle(u32 slot) const { return staticCircles.At(slot); }
    StaticCollisionLineSegment* GetStaticLineSegment(u32 slot) const { return staticLineSegments.At(slot); }
    TileMap* GetTileMap(u32 slot) const { return tileMaps.At(slot); }
    const SlotArray<DynamicObject>& GetDynamicObjects() const { return dynamicObjects; }
    const SlotArray<StaticCollisionCircle>& GetStaticCircles() const { return staticCircles; }
    const SlotArray<StaticCollisionLineSegment>& GetStaticLineSegments() const { return staticLineSegments; }
    const SlotArray<TileMap>& GetTileMaps() const { return tileMaps; }
    // The next never-used slot of the kind (1 for a kind never used).
    i32 GetLineSegmentsNumber() const { return staticLineSegments.count; }
    i32 GetCirclesNumber() const { return staticCircles.count; }

    // The frame's collision detection of every object of the layer.
    void Update(f32 dt);

    void Save(Core::File& file) const;
    // Reads a layer written by Save into a layer made for reading. False (the stream failed) when
    // the stream is truncated or its counts, capacities, slots or records are impossible; the layer
    // then holds what was read so far and can only be destroyed.
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "CollisionLayer"; }

private:
    inline static u8 layerNumberCounter = 0;

    template <class T>
    u32 Store(SlotArray<T>& array, T* object, bool reuseFreeSlot);
    // Pair search of the grid, then the pair tests.
    void FindCandidates();
    void TestPairs();
    // Tests of one active object against the static shapes of its cells and the tile maps.
    void TestStatics(DynamicObject& object);

    SlotArray<DynamicObject> dynamicObjects;
    SlotArray<StaticCollisionCircle> staticCircles;
    SlotArray<StaticCollisionLineSegment> staticLineSegments;
    SlotArray<TileMap> tileMaps;
    u8 layerNumber = 0;
    VelRect layerRectangle; // carried in the stream, read by nothing
    Math::Vector2D layerVector; // carried in the stream, read by nothing
    LayerGrid grid;
    // Static shapes marked tested by the last object's static pass, to be cleared before the next;
    // valid during an update only.
    Core::Vector<StaticCollisionCircle*> testedCircles;
    Core::Vector<StaticCollisionLineSegment*> testedLineSegments;
};
} // namespace Collision2D
