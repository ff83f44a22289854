#include "collision/Collision_StaticShapes.h"

#include "collision/Collision_Stream.h"

namespace Collision2D
{
namespace
{
void WriteShape(Core::File& file, const Math::Circle2D& circle)
{
    Stream::WriteVector(file, circle.center);
    Core::WriteF32(file, circle.radius);
}

bool ReadShape(Core::File& file, Math::Circle2D& circle)
{
    return Stream::ReadVector(file, circle.center) && Core::ReadF32(file, circle.radius);
}

void WriteShape(Core::File& file, const Math::LineSegment2D& segment)
{
    Stream::WriteVector(file, segment.A);
    Stream::WriteVector(file, segment.B);
}

bool ReadShape(Core::File& file, Math::LineSegment2D& segment)
{
    return Stream::ReadVector(file, segment.A) && Stream::ReadVector(file, segment.B);
}
} // namespace

template <class Shape, i32 Kind>
void StaticCollisionShape<Shape, Kind>::Save(Core::File& file) const
{
    SaveKind(file);
    WriteShape(file, shape);
    Core::WriteU32(file, nextId);
    Core::WriteU32(file, id);
    Core::WriteU32(file, userId);
    Core::WriteU8(file, zCollision);
    Core::WriteU8(file, tested);
}

template <class Shape, i32 Kind>
bool StaticCollisionShape<Shape, Kind>::Load(Core::File& file)
{
    Shape readShape;
    u32 counter = 0;
    u32 readId = 0;
    u32 readUserId = 0;
    u8 z = 0;
    u8 mark = 0;
    if (!LoadKind(file) || !ReadShape(file, readShape) || !Core::ReadU32(file, counter) || !Core::ReadU32(file, readId) ||
        !Core::ReadU32(file, readUserId) || !Core::ReadU8(file, z) || !Core::ReadU8(file, mark))
        return false;
    shape = readShape;
    nextId = counter;
    id = readId;
    userId = readUserId;
    zCollision = z;
    tested = mark;
    return true;
}

template class StaticCollisionShape<Math::Circle2D, KindStaticCircle>;
template class StaticCollisionShape<Math::LineSegment2D, KindStaticLineSegment>;
} // namespace Collision2D
