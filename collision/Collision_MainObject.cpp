#include "collision/Collision_MainObject.h"

#include "collision/Collision_Stream.h"

namespace Collision2D
{
void MainCollisionObject::SaveKind(Core::File& file) const
{
    Core::WriteU32(file, static_cast<u32>(kind));
}

bool MainCollisionObject::LoadKind(Core::File& file)
{
    u32 readKind = 0;
    if (!Core::ReadU32(file, readKind))
        return false;
    if (static_cast<i32>(readKind) != kind)
        return Stream::Reject(file);
    userData = nullptr;
    return true;
}
} // namespace Collision2D
