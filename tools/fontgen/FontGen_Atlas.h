#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace FontGen
{
    // First and last character of the atlas; the engine indexes glyphs by code − 32.
    constexpr int FirstCode = 32;
    constexpr int GlyphCount = 96;
    constexpr int CellsPerRow = 10;

    // The metrics the engine reads for one character: ink size, advance, where the ink starts
    // inside its cell, the left side bearing and the ink's distance from the cell's top.
    struct GlyphMetrics
    {
        uint16_t code = 0;
        int32_t width = 0;
        int32_t advance = 0;
        int32_t height = 0;
        float cellOffsetX = 0.0f;
        int32_t bearing = 0;
        int32_t verticalOffset = 0;
    };

    // A rendered face: a square coverage image of side atlasSide holding ten cells of cellSize per
    // row (row 0 at the top), every glyph's ink on one baseline, baselineFromTop rows below the top
    // of its cell.
    struct FontAtlas
    {
        std::string description;
        int pixelSize = 0;
        int cellSize = 0;
        int atlasSide = 0;
        int baselineFromTop = 0;
        int lineHeight = 0;
        std::array<GlyphMetrics, GlyphCount> glyphs{};
        std::vector<uint8_t> coverage; // atlasSide × atlasSide, rows top-down

        // The eight header integers of the metrics file.
        std::array<int32_t, 8> HeaderIntegers() const;
    };

    // Renders codes 32..127 of the face at the given pixel size. Fails with a message in error.
    bool RenderAtlas(const std::string& facePath, int pixelSize, FontAtlas& atlas, std::string& error);
}
