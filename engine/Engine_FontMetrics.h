#pragma once
// The ".fbf" metrics file of a bitmap font: a UTF-16 description that nothing uses, eight header
// integers and one 34-byte record per character code 32 to 127, all little-endian.
#include "core/Core_Types.h"

namespace Core
{
class File;
}

namespace Engine
{
constexpr i32 FirstGlyphCode = 32;
constexpr u32 GlyphCount = 96;
constexpr u32 FontHeaderIntegerCount = 8;

// Roles of the header integers the engine reads; the others are kept as read.
namespace FontHeader
{
constexpr u32 BoxOffset = 1;      // first vertical offset of measured boxes
constexpr u32 CellSize = 3;       // side of one atlas cell and of every glyph quad
constexpr u32 GlyphBoxOffset = 5; // second vertical offset of measured glyph boxes
constexpr u32 LineHeight = 6;
} // namespace FontHeader

// Metrics of one character, nine 32-bit words.
struct GlyphInfo
{
    u32 code = 0; // as stored (a u16); read by nothing
    i32 width = 0;
    i32 advance = 0;
    i32 height = 0;
    i32 reserved4 = 0;
    i32 reserved5 = 0;
    f32 cellOffset = 0.0f; // where the ink starts inside its atlas cell
    i32 bearing = 0;       // added before a glyph that does not start a line
    i32 verticalOffset = 0;
};

struct FontMetrics
{
    i32 header[FontHeaderIntegerCount] = {};
    GlyphInfo glyphs[GlyphCount] = {};
};

// Bytes of a metrics file whose description has n code units.
constexpr u64 FontMetricsFileSize(u32 descriptionLength)
{
    return 3300 + 2 * u64(descriptionLength);
}

// Reads a metrics file from the start of the stream into metrics, which the caller has zeroed.
// A description count that does not fit the stream reads nothing, as if the file were missing;
// a file cut short elsewhere keeps every field it holds whole and leaves the rest as they were.
// True when every record was read.
bool ReadFontMetrics(Core::File& file, FontMetrics& metrics);
} // namespace Engine
