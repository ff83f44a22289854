#include "physics/Physics_Stream.h"

#include "core/Core_File.h"

namespace Physics2D
{
void WriteFloatArray(Core::File& file, const Core::Vector<float>& values)
{
    Core::WriteU32(file, static_cast<u32>(values.size()));
    for (float value : values)
        Core::WriteF32(file, value);
}

bool ReadFloatArray(Core::File& file, Core::Vector<float>& values)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, 4))
    {
        values.clear();
        return false;
    }
    values.assign(count, 0.0f);
    for (float& value : values)
        Core::ReadF32(file, value);
    return !file.Failed();
}

void WriteIdStack(Core::File& file, const Core::Deque<u32>& ids)
{
    Core::WriteU32(file, static_cast<u32>(ids.size()));
    for (auto id = ids.rbegin(); id != ids.rend(); ++id)
        Core::WriteU32(file, *id);
}

bool ReadIdStack(Core::File& file, Core::Deque<u32>& ids)
{
    ids.clear();
    u32 count = 0;
    if (!Core::ReadCount(file, count, 4))
        return false;
    for (u32 i = 0; i < count; ++i)
    {
        u32 id = 0;
        if (!Core::ReadU32(file, id))
            return false;
        ids.push_front(id);
    }
    return true;
}
} // namespace Physics2D
