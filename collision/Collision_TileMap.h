#pragma once

#include "collision/Collision_MainObject.h"
#include "collision/Collision_Rect.h"
#include "core/Core_Types.h"
#include "core/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
class DynamicObject;

// A static collision object made of a grid of square cells anchored at its position. This is the
// part the layers place, step, test and stream; the cell grid and its tiles are filled by the
// tile-map reader, so a map made here has no cells and meets nothing.
class TileMap : public MainCollisionObject
{
public:
    TileMap();
    // Same geometry and placement, a new id number, no used cells.
    TileMap(const TileMap& other);
    TileMap& operator=(const TileMap&) = delete;

    TileMap* Clone() const;

    // Position = the point minus the offset.
    void SetPosition(const Math::Vector2D& point) { position = point - offset; }
    // Moves the position so that the owner's position stays.
    void SetOffset(const Math::Vector2D& newOffset);
    const Math::Vector2D& GetPosition() const { return position; }
    u8 GetZCollision() const { return zCollision; }
    void SetZCollision(u8 z) { zCollision = z; }
    u32 GetIdNumber() const { return idNumber; }
    // The rectangle relative to the position, and its world placement refreshed by Update.
    const VelRect& GetBoundingRectangle() const { return boundingRectangle; }
    void SetBoundingRectangle(const VelRect& rectangle) { boundingRectangle = rectangle; }
    const VelRect& GetCurrentBoundingRectangle() const { return currentBoundingRectangle; }
    void SetCurrentBoundingRectangle(const VelRect& rectangle) { currentBoundingRectangle = rectangle; }

    // Once per frame: the world rectangle follows the position.
    void Update(f32 dt);
    // Records the used cells a dynamic object touches; a map without cells records nothing.
    void Collide(DynamicObject& object, u8 layer);

    void Save(Core::File& file) const;
    // Restores the running id counter; false (the stream failed) for a record holding tiles or
    // cells, which this map cannot hold.
    bool Load(Core::File& file);

    static void ResetIdCounter() { nextIdNumber = 1; }
    static u32 GetNextIdNumber() { return nextIdNumber; }

protected:
    const char* GetScriptTypeName() const override { return "CollisionTileMap"; }

private:
    inline static u32 nextIdNumber = 1;

    VelRect currentBoundingRectangle;
    u32 idNumber;
    VelRect boundingRectangle;
    Math::Vector2D position;
    Math::Vector2D offset;
    u8 zCollision = 0;
};
} // namespace Collision2D
