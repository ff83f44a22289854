#pragma once
// The enemies an area, a chain or a healing pulse has already reached, so that each is reached
// once. A full list grows rather than forget an enemy: a list that could not record an enemy
// would answer "new" for it on every update.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"

class HitList
{
public:
    static constexpr u32 Free = 0xFFFFFFFFu;

    explicit HitList(u32 size = 0) : entries(size, Free) {}

    // Every entry free again, at the given size.
    void Clear(u32 size)
    {
        entries.assign(size, Free);
    }
    // True when the id is listed; otherwise it takes the first free entry, or a new one.
    bool MarkHit(u32 id)
    {
        for (u32 entry : entries)
        {
            if (entry == id)
                return true;
        }
        for (u32& entry : entries)
        {
            if (entry == Free)
            {
                entry = id;
                return false;
            }
        }
        entries.push_back(id);
        return false;
    }

    u32 Size() const { return static_cast<u32>(entries.size()); }
    u32& operator[](u32 index) { return entries[index]; }
    u32 operator[](u32 index) const { return entries[index]; }

private:
    Core::Vector<u32> entries;
};
