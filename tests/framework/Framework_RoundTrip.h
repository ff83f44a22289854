#pragma once
// Saved records read back: an object written, read into a new object of its class, and written
// again must give the same bytes.
#include "core/Core_File.h"

#include <gtest/gtest.h>

#include <vector>

namespace FrameworkTest
{
inline std::vector<u8> Saved(Core::Object* object)
{
    Core::MemoryFile file;
    file.WriteObject(object);
    return std::vector<u8>(file.GetData(), file.GetData() + file.GetSize());
}

// The object read back from its saved record, checked to save byte for byte as the original did.
// The original is held for the call (a new one goes with it).
template <class T>
Core::RefPtr<T> RoundTrip(T* object)
{
    const Core::RefPtr<T> original(object);
    const std::vector<u8> first = Saved(object);
    Core::MemoryFile readBack(first.data(), static_cast<u32>(first.size()));
    Core::RefPtr<T> loaded;
    EXPECT_TRUE(readBack.ReadObjectInto(loaded));
    EXPECT_EQ(readBack.GetRemaining(), 0u);
    if (loaded)
    {
        EXPECT_EQ(Saved(loaded.Get()), first);
    }
    return loaded;
}
}  // namespace FrameworkTest
