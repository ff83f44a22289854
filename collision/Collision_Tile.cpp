#include "collision/Collision_Tile.h"

#include "collision/Collision_Stream.h"
#include "core/Core_File.h"

#include <utility>

namespace Collision2D
{
namespace
{
// A streamed image: its value, duration and id.
constexpr u32 ImageBytes = 4 + 4 + 1;
} // namespace

void Tile::Initialize(Core::Vector<i32> newImages, Core::Vector<f32> newDurations, Core::Vector<u8> newIds)
{
    images = std::move(newImages);
    durations = std::move(newDurations);
    ids = std::move(newIds);
    current = 0;
    timer = 0.0f;
    isActivated = 1;
}

void Tile::Advance(f32 dt)
{
    if (!isActivated || images.size() < 2)
        return;
    timer += dt;
    if (durations[static_cast<std::size_t>(current)] <= timer)
    {
        timer = 0.0f;
        current = (current + 1) % GetCount();
    }
}

void Tile::Save(Core::File& file) const
{
    Core::WriteU32(file, static_cast<u32>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i)
    {
        Core::WriteU32(file, static_cast<u32>(images[i]));
        Core::WriteF32(file, durations[i]);
        Core::WriteU8(file, ids[i]);
    }
    Core::WriteU32(file, static_cast<u32>(current));
    Core::WriteF32(file, timer);
    Core::WriteU8(file, isActivated);
}

bool Tile::Load(Core::File& file)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, ImageBytes))
        return false;
    Core::Vector<i32> readImages(count);
    Core::Vector<f32> readDurations(count);
    Core::Vector<u8> readIds(count);
    for (u32 i = 0; i < count; ++i)
    {
        u32 image = 0;
        if (!Core::ReadU32(file, image) || !Core::ReadF32(file, readDurations[i]) || !Core::ReadU8(file, readIds[i]))
            return false;
        readImages[i] = static_cast<i32>(image);
    }
    u32 readCurrent = 0;
    f32 readTimer = 0.0f;
    u8 readActivated = 0;
    if (!Core::ReadU32(file, readCurrent) || !Core::ReadF32(file, readTimer) || !Core::ReadU8(file, readActivated))
        return false;
    if (count == 0 ? readCurrent != 0 : readCurrent >= count)
        return Stream::Reject(file);
    images = std::move(readImages);
    durations = std::move(readDurations);
    ids = std::move(readIds);
    current = static_cast<i32>(readCurrent);
    timer = readTimer;
    isActivated = readActivated;
    return true;
}
} // namespace Collision2D
