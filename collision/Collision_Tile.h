#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace Core
{
class File;
}

namespace Collision2D
{
// The id a cell reports when it has no tile, or its tile has no images.
inline constexpr u8 NoCellId = 255;

// One tile of a tile map: a cycle of images, each shown for its duration and reporting its own
// collision id. The three lists have one entry per image; current indexes them whenever there are
// images (and is 0 otherwise).
class Tile : public Core::Base
{
public:
    Tile() = default;

    // The images with their durations (seconds) and ids, all of one length; starts at the first
    // image, running.
    void Initialize(Core::Vector<i32> images, Core::Vector<f32> durations, Core::Vector<u8> ids);

    i32 GetCount() const { return static_cast<i32>(images.size()); }
    i32 GetCurrent() const { return current; }
    f32 GetTimer() const { return timer; }
    bool IsActivated() const { return isActivated != 0; }
    void SetActivated(bool value) { isActivated = value ? 1 : 0; }

    // The current image's id and value; a tile without images answers as an empty cell.
    u8 CurrentId() const { return images.empty() ? NoCellId : ids[static_cast<std::size_t>(current)]; }
    i32 CurrentImage() const { return images.empty() ? 0 : images[static_cast<std::size_t>(current)]; }

    // Runs the animation for dt seconds: at most one image step, the excess time dropped.
    void Advance(f32 dt);

    // Count, then per image its value, duration and id, then current, timer and the running flag.
    void Save(Core::File& file) const;
    // False (the stream failed) when the record is truncated or names an image it does not hold.
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "Tile"; }

private:
    Core::Vector<i32> images;
    Core::Vector<f32> durations;
    Core::Vector<u8> ids;
    i32 current = 0;
    f32 timer = 0.0f;
    u8 isActivated = 0;
};

// One square of a tile map's grid. A used cell takes part in the collision tests and reports the
// current id of its tile.
class Cell : public Core::Base
{
public:
    Tile* MyTile = nullptr;  // a tile of the same map, or none
    u8 isUsed = 0;
    i32 myTileIndex = -1;    // the index of MyTile in its map, -1 without one

    u8 Id() const { return MyTile ? MyTile->CurrentId() : NoCellId; }
    i32 MyImage() const { return MyTile ? MyTile->CurrentImage() : 0; }

protected:
    const char* GetScriptTypeName() const override { return "Cell"; }
};
} // namespace Collision2D
