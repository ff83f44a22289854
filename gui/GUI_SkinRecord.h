#pragma once
// One state of a skin: the region of the skin image it uses and the inner rectangle whose edges
// give the widths of its four borders, all in pixels of the image with y counted from its bottom
// row. A ".gui" file is a u32 record count followed by the records, eight little-endian f32 each.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"

namespace Core
{
class File;
}

namespace GUI
{
struct SkinRecord
{
    static constexpr u32 ByteSize = 32;

    f32 regionX = 0.0f;
    f32 regionY = 0.0f;
    f32 regionWidth = 0.0f;
    f32 regionHeight = 0.0f;
    f32 innerLeft = 0.0f;   // also the left border width
    f32 innerRight = 0.0f;  // the right border is regionWidth - innerRight wide
    f32 innerBottom = 0.0f; // also the bottom border height
    f32 innerTop = 0.0f;    // the top border is regionHeight - innerTop high
};

// Reads a record count and the records that follow into records (emptied first). The count is
// bounded by the bytes there: reading stops at the first record of which not even the first value
// is left; a record cut short keeps 0 for the values it lacks.
void ReadSkinRecords(Core::File& file, Core::Vector<SkinRecord>& records);
void WriteSkinRecords(Core::File& file, const Core::Vector<SkinRecord>& records);
} // namespace GUI
