#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Types.h"

namespace Core
{
class File;
}

namespace Physics2D
{
// A float vector as a u32 count followed by the values.
void WriteFloatArray(Core::File& file, const Core::Vector<float>& values);
// False (stream failed) when the count is more than the stream can hold.
bool ReadFloatArray(Core::File& file, Core::Vector<float>& values);

// A free-id stack (a deque whose back is taken first) as a u32 count and the ids from the back to
// the front. Reading rebuilds the same order, so the next id handed out after a load is the one
// that would have been handed out before the save.
void WriteIdStack(Core::File& file, const Core::Deque<u32>& ids);
bool ReadIdStack(Core::File& file, Core::Deque<u32>& ids);
} // namespace Physics2D
