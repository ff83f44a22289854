#include "collision/Collision_TileMap.h"

#include "collision/Collision_Stream.h"

namespace Collision2D
{
TileMap::TileMap() : MainCollisionObject(KindTileMap), idNumber(nextIdNumber++)
{
}

TileMap::TileMap(const TileMap& other)
    : MainCollisionObject(other), currentBoundingRectangle(other.currentBoundingRectangle), idNumber(nextIdNumber++),
      boundingRectangle(other.boundingRectangle), position(other.position), offset(other.offset),
      zCollision(other.zCollision)
{
}

TileMap* TileMap::Clone() const
{
    return new (__FILE__, __LINE__) TileMap(*this);
}

void TileMap::SetOffset(const Math::Vector2D& newOffset)
{
    position = position + offset - newOffset;
    offset = newOffset;
}

void TileMap::Update(f32)
{
    currentBoundingRectangle.top = boundingRectangle.top + position.y;
    currentBoundingRectangle.bottom = boundingRectangle.bottom + position.y;
    currentBoundingRectangle.left = boundingRectangle.left + position.x;
    currentBoundingRectangle.right = boundingRectangle.right + position.x;
}

void TileMap::Collide(DynamicObject&, u8)
{
}

void TileMap::Save(Core::File& file) const
{
    SaveKind(file);
    Core::WriteU32(file, nextIdNumber);
    Core::WriteU32(file, idNumber);
    boundingRectangle.Save(file);
    Stream::WriteVector(file, position);
    Core::WriteU8(file, zCollision);
    // Cell size, width, height, rows, columns and tile count of a map without cells.
    for (i32 field = 0; field < 6; ++field)
        Core::WriteU32(file, 0);
}

bool TileMap::Load(Core::File& file)
{
    u32 counter = 0;
    if (!LoadKind(file) || !Core::ReadU32(file, counter) || !Core::ReadU32(file, idNumber) ||
        !boundingRectangle.Load(file) || !Stream::ReadVector(file, position) || !Core::ReadU8(file, zCollision))
        return false;
    for (i32 field = 0; field < 6; ++field)
    {
        u32 value = 0;
        if (!Core::ReadU32(file, value))
            return false;
        if (value != 0)
            return Stream::Reject(file);
    }
    nextIdNumber = counter;
    return true;
}
} // namespace Collision2D
