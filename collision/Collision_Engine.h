#pragma once

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
class CollisionLayer;
class CollisionResults;
class DynamicObject;
class MainCollisionObject;

// The entry point of the collision system. It owns the layers (a layer's index is its number),
// hands out the object ids through them, forwards every id-based request to the owning layer, runs
// the layers' updates once per frame and carries the collision world through streams. An id whose
// layer or slot names nothing is answered with nothing: a no-op, null, false or 0.
class CollisionEngine : public Core::Base
{
public:
    CollisionEngine() = default;
    CollisionEngine(const CollisionEngine&) = delete;
    CollisionEngine& operator=(const CollisionEngine&) = delete;
    ~CollisionEngine() override;

    // Appends a layer with its default grid; returns its index.
    i32 AddLayer();
    // Cells of cellSize (at least 50), enough of them to cover width × height.
    void InitializeLayerGrid(u32 layer, const Math::Vector2D& origin, i32 width, i32 height, i32 cellSize);
    // Destroys every layer and restarts the layer numbers, the static shapes' Ids and the tile
    // maps' id numbers.
    void RemoveAllLayers();
    u32 GetLayerCount() const { return static_cast<u32>(layers.size()); }
    CollisionLayer* GetLayer(u32 index) const { return index < layers.size() ? layers[index] : nullptr; }

    void Update(f32 dt);

    // The layer owns a stored object; an id of 0 means the object was not stored and the caller
    // keeps it.
    u32 AddObject(MainCollisionObject* object, u8 layer, const Math::Vector2D& position);
    // Whether a layer stores the object already.
    bool Holds(const MainCollisionObject* object) const;
    u32 CloneObject(u32 id, const Math::Vector2D& position, void* userData);
    void RemoveObject(u32 id);
    void RemoveStaticObjects(u32 layer);

    MainCollisionObject* GetObject(u32 id) const;
    DynamicObject* GetDynamicObject(u32 id) const;
    CollisionResults* GetResults(u32 id) const;
    // A present dynamic object with any result this frame.
    bool ObjectInCollision(u32 id) const;

    // Dynamic objects and tile maps.
    void SetDynamicObjectPosition(u32 id, const Math::Vector2D& point);
    void SetDynamicObjectOffset(u32 id, const Math::Vector2D& offset);
    // Dynamic objects only.
    void SetDynamicObjectOldPosition(u32 id, const Math::Vector2D& point);
    void SetDynamicObjectOrientation(u32 id, f32 degrees);
    void SetDynamicObjectOldOrientation(u32 id, f32 degrees);
    // Stores z in the named object (a dynamic object keeps 254 for 255) and returns the object's id
    // made again with its new z-level; an id of no kind comes back unchanged, and one naming no
    // present object gives 0.
    u32 SetObjectZCollision(u32 id, u8 z);
    void SetObjectBoundingRectangle(u32 id, const VelRect& rectangle);
    // A dynamic object's local rectangle or a tile map's; otherwise a zero rectangle.
    VelRect GetObjectBoundingRectangle(u32 id) const;
    // A dynamic object's current world rectangle or a tile map's; otherwise a zero rectangle.
    VelRect GetCurrentObjectBoundingRectangle(u32 id) const;

    // The layer count, then every layer.
    void Save(Core::File& file) const;
    // Appends the layers of a stream. On failure (the stream fails) every layer is removed.
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "CollisionEngine"; }

private:
    Core::Vector<CollisionLayer*> layers;
};
} // namespace Collision2D
