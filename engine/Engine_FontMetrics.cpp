#include "engine/Engine_FontMetrics.h"

#include "core/Core_File.h"

#include <algorithm>

namespace Engine
{
namespace
{
// The description is skipped in pieces: its length comes from the file, so it is never allocated.
void SkipBytes(Core::File& file, u64 count)
{
    u8 scratch[256];
    while (count > 0 && !file.Failed())
    {
        const u32 piece = static_cast<u32>(std::min<u64>(count, sizeof scratch));
        file.Read(scratch, piece);
        count -= piece;
    }
}

// Assigns only a field the stream delivered whole.
template <class T, class Reader>
void ReadField(Core::File& file, T& field, Reader reader)
{
    T value{};
    if (reader(file, value))
        field = value;
}

bool ReadGlyph(Core::File& file, GlyphInfo& glyph)
{
    u16 code = 0;
    if (Core::ReadU16(file, code))
        glyph.code = code;
    ReadField(file, glyph.width, Core::ReadI32);
    ReadField(file, glyph.advance, Core::ReadI32);
    ReadField(file, glyph.height, Core::ReadI32);
    ReadField(file, glyph.reserved4, Core::ReadI32);
    ReadField(file, glyph.reserved5, Core::ReadI32);
    ReadField(file, glyph.cellOffset, Core::ReadF32);
    ReadField(file, glyph.bearing, Core::ReadI32);
    ReadField(file, glyph.verticalOffset, Core::ReadI32);
    return !file.Failed();
}
} // namespace

bool ReadFontMetrics(Core::File& file, FontMetrics& metrics)
{
    u32 descriptionLength = 0;
    if (!Core::ReadU32(file, descriptionLength) || !file.CanRead(2 * u64(descriptionLength)))
        return false;
    SkipBytes(file, 2 * u64(descriptionLength));
    for (i32& value : metrics.header)
        ReadField(file, value, Core::ReadI32);
    for (GlyphInfo& glyph : metrics.glyphs)
    {
        if (!ReadGlyph(file, glyph))
            return false;
    }
    return true;
}
} // namespace Engine
