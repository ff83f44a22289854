#pragma once
// A bitmap font: a square atlas of 96 glyph cells (codes 32 to 127, ten per row, row 0 at the top
// of the image) and the metrics read from its ".fbf" file. Immutable once loaded; shared through
// the font cache.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "engine/Engine_FontMetrics.h"

namespace Renderer
{
class ITexture;
}

namespace Engine
{
class BitmapFont : public Core::Object
{
public:
    // Loads name + ".png" through the texture cache and name + ".fbf"; the empty name stands for
    // the default font beside the executable. A missing or unreadable metrics file leaves every
    // metric 0.
    explicit BitmapFont(const Core::String& name);
    // A font from an atlas and metrics already at hand (fonts made in memory).
    BitmapFont(const Core::String& name, Renderer::ITexture* atlas, const FontMetrics& metrics);
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;
    ~BitmapFont() override;

    // Codes outside 32 to 127 give the entry of the space.
    void GetGlyph(i32 code, GlyphInfo& glyph) const;
    const GlyphInfo& GetGlyph(i32 code) const;
    // Lower-left, lower-right, upper-right, upper-left (u, v) of the glyph's cell.
    void GetGlyphTexCoords(i32 code, f32 texCoords[8]) const;
    const f32* GetGlyphTexCoords(i32 code) const;

    f32 GetLineHeight() const;
    i32 GetHeaderInteger(u32 index) const { return metrics.header[index]; }
    i32 GetCellSize() const { return metrics.header[FontHeader::CellSize]; }
    // Size of the box enclosing the string as the font lays it out: '\r' returns to the line
    // start, '\n' moves one line down, a tab is four spaces.
    void MeasureText(const Core::String& text, f32& width, f32& height) const;

    Core::RefPtr<Renderer::ITexture> GetTexture() const;
    const Core::String& GetName() const { return name; }

    // Where the default font lives (the font of the empty name).
    static Core::String DefaultFontPath();

private:
    // From the atlas width and the cell size; stays zero when the atlas has no width.
    void BuildTexCoords();

    FontMetrics metrics;
    f32 texCoords[GlyphCount][8] = {};
    Core::String name;
    Core::RefPtr<Renderer::ITexture> atlas;
};
} // namespace Engine
