#include "engine/Engine_Font.h"

#include "core/Core_File.h"
#include "core/Core_ResourceReport.h"
#include "platform/PAL_FileSystem.h"
#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_TextureCache.h"

#include <cerrno>

namespace Engine
{
namespace
{
constexpr u32 CellsPerRow = 10;
constexpr i32 TabSpaces = 4;
constexpr const char* NoLetters = "texts in it show no letters";

u32 GlyphIndex(i32 code)
{
    if (code < FirstGlyphCode || code >= FirstGlyphCode + static_cast<i32>(GlyphCount))
        return 0;
    return static_cast<u32>(code - FirstGlyphCode);
}

// (x, y, width, height) with y growing downwards, as MeasureText accumulates them.
struct Box
{
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 width = 0.0f;
    f32 height = 0.0f;
};

// On equal values the second box's is taken.
Box Union(const Box& a, const Box& b)
{
    const f32 left = a.x < b.x ? a.x : b.x;
    const f32 top = a.y < b.y ? a.y : b.y;
    const f32 right = a.x + a.width > b.x + b.width ? a.x + a.width : b.x + b.width;
    const f32 bottom = a.y + a.height > b.y + b.height ? a.y + a.height : b.y + b.height;
    return {left, top, right - left, bottom - top};
}
} // namespace

BitmapFont::BitmapFont(const Core::String& requested)
    : name(requested.empty() ? DefaultFontPath() : requested)
{
    if (Renderer::TextureCache* cache = Renderer::TextureCache::Get())
        atlas = cache->GetTexture(name + ".png", 1);
    const Core::String metricsName = name + ".fbf";
    errno = 0;
    Core::DiskFile file(metricsName, Core::DiskFile::ModeRead);
    if (file.Failed())
        Core::ReportResourceFailure("Font", metricsName.View(), Core::DescribeFileError(errno), NoLetters);
    else if (!ReadFontMetrics(file, metrics))
        Core::ReportResourceFailure("Font", metricsName.View(), "its metrics are cut short",
                                     "the letters it does not describe have no size");
    BuildTexCoords();
}

BitmapFont::BitmapFont(const Core::String& fontName, Renderer::ITexture* texture, const FontMetrics& fontMetrics)
    : metrics(fontMetrics), name(fontName), atlas(texture)
{
    BuildTexCoords();
}

BitmapFont::~BitmapFont() = default;

Core::String BitmapFont::DefaultFontPath()
{
    return Core::String(PAL::GetExecutableDirectory()) + "\\Resources\\Fonts\\DefaultFont\\DefaultFont";
}

void BitmapFont::BuildTexCoords()
{
    const f32 side = atlas ? static_cast<f32>(atlas->GetWidth()) : 0.0f;
    if (!(side > 0.0f))
        return;
    const f32 cell = static_cast<f32>(metrics.header[FontHeader::CellSize]);
    const f32 inverse = 1.0f / side;
    for (u32 i = 0; i < GlyphCount; ++i)
    {
        const f32 column = static_cast<f32>(i % CellsPerRow);
        const f32 row = static_cast<f32>(i / CellsPerRow);
        const f32 x0 = column * cell;
        const f32 x1 = column * cell + cell;
        const f32 top = side - row * cell;
        const f32 u0 = x0 * inverse;
        const f32 u1 = x1 * inverse;
        const f32 vTop = top * inverse;
        const f32 vBottom = (top - cell) * inverse;
        f32* entry = texCoords[i];
        entry[0] = u0;
        entry[1] = vBottom;
        entry[2] = u1;
        entry[3] = vBottom;
        entry[4] = u1;
        entry[5] = vTop;
        entry[6] = u0;
        entry[7] = vTop;
    }
}

void BitmapFont::GetGlyph(i32 code, GlyphInfo& glyph) const
{
    glyph = metrics.glyphs[GlyphIndex(code)];
}

const GlyphInfo& BitmapFont::GetGlyph(i32 code) const
{
    return metrics.glyphs[GlyphIndex(code)];
}

void BitmapFont::GetGlyphTexCoords(i32 code, f32 out[8]) const
{
    const f32* entry = texCoords[GlyphIndex(code)];
    for (u32 i = 0; i < 8; ++i)
        out[i] = entry[i];
}

const f32* BitmapFont::GetGlyphTexCoords(i32 code) const
{
    return texCoords[GlyphIndex(code)];
}

f32 BitmapFont::GetLineHeight() const
{
    return static_cast<f32>(metrics.header[FontHeader::LineHeight]);
}

Core::RefPtr<Renderer::ITexture> BitmapFont::GetTexture() const
{
    return atlas;
}

void BitmapFont::MeasureText(const Core::String& text, f32& width, f32& height) const
{
    width = 0.0f;
    height = 0.0f;
    if (text.empty())
        return;
    const f32 lineHeight = GetLineHeight();
    const f32 boxOffset = static_cast<f32>(metrics.header[FontHeader::BoxOffset]);
    // Sums of metrics are taken wider than the metrics, which come from a file.
    const f32 glyphBoxOffset = static_cast<f32>(static_cast<i64>(metrics.header[FontHeader::GlyphBoxOffset]) +
                                                metrics.header[FontHeader::BoxOffset]);
    const f32 spaceWidth = static_cast<f32>(GetGlyph(' ').advance);
    const f32 tabWidth = static_cast<f32>(TabSpaces) * spaceWidth;

    f32 x = 0.0f;
    f32 y = static_cast<f32>(metrics.header[FontHeader::CellSize]);
    Box running;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const i32 c = static_cast<signed char>(text[i]);
        Box box;
        if (c == '\r')
        {
            x = 0.0f;
            continue;
        }
        if (c == '\n')
        {
            box = {x, y, 1.0f, lineHeight};
            y += lineHeight;
        }
        else
        {
            const GlyphInfo& glyph = GetGlyph(c);
            if (x != 0.0f)
                x += static_cast<f32>(glyph.bearing);
            if (c == ' ')
            {
                box = {x, y - boxOffset, spaceWidth, 1.0f};
                x += spaceWidth;
            }
            else if (c == '\t')
            {
                box = {x, y - boxOffset, tabWidth, 1.0f};
                x += tabWidth;
            }
            else
            {
                box = {x, y - glyphBoxOffset + static_cast<f32>(glyph.verticalOffset), static_cast<f32>(glyph.width),
                       static_cast<f32>(glyph.height)};
                x += static_cast<f32>(static_cast<i64>(glyph.advance) - glyph.bearing);
            }
        }
        running = i == 0 ? box : Union(running, box);
    }
    width = running.width;
    height = running.height;
}
} // namespace Engine
