#include "FontGen_Atlas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstddef>

namespace FontGen
{
    namespace
    {
        // Blank texels kept around every glyph so that filtering never reaches a neighbour's ink.
        constexpr int Padding = 1;
        // DEL has no picture; it is laid out like a space.
        constexpr int DeleteCode = 127;

        struct RenderedGlyph
        {
            int left = 0;
            int top = 0;
            int width = 0;
            int rows = 0;
            int advance = 0;
            std::vector<uint8_t> pixels;
        };

        int NextPowerOfTwo(int value)
        {
            int result = 1;
            while (result < value)
                result *= 2;
            return result;
        }

        bool RenderGlyph(FT_Face face, int code, RenderedGlyph& glyph)
        {
            if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0)
                return false;
            const FT_GlyphSlot slot = face->glyph;
            glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
            if (code == FirstCode || code == DeleteCode || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
                return code == FirstCode || code == DeleteCode;
            glyph.left = slot->bitmap_left;
            glyph.top = slot->bitmap_top;
            glyph.width = static_cast<int>(slot->bitmap.width);
            glyph.rows = static_cast<int>(slot->bitmap.rows);
            glyph.pixels.resize(static_cast<size_t>(glyph.width) * glyph.rows);
            for (int y = 0; y < glyph.rows; ++y)
            {
                const uint8_t* row = slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * slot->bitmap.pitch;
                std::copy(row, row + glyph.width, glyph.pixels.begin() + static_cast<ptrdiff_t>(y) * glyph.width);
            }
            return true;
        }

        bool RenderAll(FT_Face face, std::array<RenderedGlyph, GlyphCount>& glyphs, std::string& error)
        {
            for (int i = 0; i < GlyphCount; ++i)
            {
                if (!RenderGlyph(face, FirstCode + i, glyphs[i]))
                {
                    error = "cannot render character " + std::to_string(FirstCode + i);
                    return false;
                }
            }
            glyphs[DeleteCode - FirstCode].advance = glyphs[0].advance;
            return true;
        }

        void Layout(const std::array<RenderedGlyph, GlyphCount>& glyphs, FontAtlas& atlas)
        {
            int ascent = 0;
            int descent = 0;
            int widest = 0;
            for (const RenderedGlyph& glyph : glyphs)
            {
                if (glyph.rows == 0)
                    continue;
                ascent = std::max(ascent, glyph.top);
                descent = std::max(descent, glyph.rows - glyph.top);
                widest = std::max(widest, glyph.width);
            }
            atlas.baselineFromTop = Padding + ascent;
            atlas.cellSize = std::max(atlas.baselineFromTop + descent + Padding, widest + 2 * Padding);
            atlas.atlasSide = NextPowerOfTwo(CellsPerRow * atlas.cellSize);
            atlas.coverage.assign(static_cast<size_t>(atlas.atlasSide) * atlas.atlasSide, 0);

            for (int i = 0; i < GlyphCount; ++i)
            {
                const RenderedGlyph& glyph = glyphs[i];
                GlyphMetrics& metrics = atlas.glyphs[i];
                metrics.code = static_cast<uint16_t>(FirstCode + i);
                metrics.advance = glyph.advance;
                metrics.cellOffsetX = static_cast<float>(Padding);
                if (glyph.rows == 0)
                    continue;
                metrics.width = glyph.width;
                metrics.height = glyph.rows;
                metrics.bearing = glyph.left;
                metrics.verticalOffset = atlas.baselineFromTop - glyph.top;

                const int cellX = (i % CellsPerRow) * atlas.cellSize;
                const int cellY = (i / CellsPerRow) * atlas.cellSize;
                for (int y = 0; y < glyph.rows; ++y)
                {
                    const uint8_t* source = glyph.pixels.data() + static_cast<ptrdiff_t>(y) * glyph.width;
                    uint8_t* target = atlas.coverage.data()
                        + static_cast<ptrdiff_t>(cellY + metrics.verticalOffset + y) * atlas.atlasSide
                        + cellX + Padding;
                    std::copy(source, source + glyph.width, target);
                }
            }
        }
    }

    std::array<int32_t, 8> FontAtlas::HeaderIntegers() const
    {
        // Indices 1, 3, 5 and 6 are read by the engine; 0, 2, 4 and 7 record how the atlas was made.
        return {atlasSide, cellSize - baselineFromTop, CellsPerRow, cellSize,
                pixelSize, baselineFromTop, lineHeight, GlyphCount};
    }

    bool RenderAtlas(const std::string& facePath, int pixelSize, FontAtlas& atlas, std::string& error)
    {
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0)
        {
            error = "cannot start FreeType";
            return false;
        }
        FT_Face face = nullptr;
        bool ok = false;
        if (FT_New_Face(library, facePath.c_str(), 0, &face) != 0)
            error = "cannot open face " + facePath;
        else if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0)
            error = "the face has no size " + std::to_string(pixelSize);
        else
        {
            std::array<RenderedGlyph, GlyphCount> glyphs;
            ok = RenderAll(face, glyphs, error);
            if (ok)
            {
                atlas.pixelSize = pixelSize;
                atlas.lineHeight = static_cast<int>((face->size->metrics.height + 32) >> 6);
                atlas.description = std::string(face->family_name ? face->family_name : "")
                    + " " + (face->style_name ? face->style_name : "") + ", "
                    + std::to_string(pixelSize) + " pixels";
                Layout(glyphs, atlas);
            }
        }
        if (face)
            FT_Done_Face(face);
        FT_Done_FreeType(library);
        return ok;
    }
}
