// Reads the generated bitmap fonts back with the engine's own metrics reader and checks every
// glyph's metrics against the ink in its atlas cell.
#include "Tools_Files.h"

#include "core/Core_File.h"
#include "engine/Engine_FontMetrics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace
{
    using namespace ToolsTest;

    constexpr int GlyphCount = static_cast<int>(Engine::GlyphCount);

    struct Font
    {
        uint32_t descriptionUnits = 0;
        std::string description;
        size_t fileSize = 0;
        std::array<int32_t, 8> header{};
        std::array<Engine::GlyphInfo, GlyphCount> glyphs{};
        Picture atlas;
    };

    bool LoadFont(const std::string& name, Font& font)
    {
        const auto base = ResourceDir() / "Fonts" / name / name;
        const std::string metricsPath = base.string() + ".fbf";
        const std::vector<uint8_t> bytes = ReadBytes(metricsPath);
        font.fileSize = bytes.size();
        if (bytes.size() < 4)
            return false;
        font.descriptionUnits = U32(bytes, 0);
        for (size_t at = 4; at + 1 < bytes.size() && at < 4 + 2 * size_t{font.descriptionUnits}; at += 2)
            font.description.push_back(static_cast<char>(bytes[at] | bytes[at + 1] << 8));

        Core::DiskFile file(Core::String(metricsPath.c_str()), Core::DiskFile::ModeRead);
        Engine::FontMetrics metrics;
        if (!Engine::ReadFontMetrics(file, metrics))
            return false;
        std::copy(std::begin(metrics.header), std::end(metrics.header), font.header.begin());
        std::copy(std::begin(metrics.glyphs), std::end(metrics.glyphs), font.glyphs.begin());
        return ReadPng(base.string() + ".png", font.atlas);
    }

    // The engine's string measure: the box of every glyph, with the bearing rule and line breaks.
    float MeasureWidth(const Font& font, const std::string& text)
    {
        float x = 0.0f, left = 0.0f, right = 0.0f;
        const float spaceWidth = static_cast<float>(font.glyphs[0].advance);
        bool first = true;
        for (char c : text)
        {
            const int code = static_cast<unsigned char>(c);
            const Engine::GlyphInfo& g = font.glyphs[code >= 32 && code < 128 ? code - 32 : 0];
            if (x != 0.0f)
                x += static_cast<float>(g.bearing);
            const float width = c == ' ' ? spaceWidth : static_cast<float>(g.width);
            left = first ? x : std::min(left, x);
            right = first ? x + width : std::max(right, x + width);
            first = false;
            x += c == ' ' ? spaceWidth : static_cast<float>(g.advance - g.bearing);
        }
        return right - left;
    }

    double InkPerGlyph(const Font& font, char from, char to)
    {
        const int cell = font.header[3];
        double ink = 0.0;
        for (char c = from; c <= to; ++c)
        {
            const int i = c - 32;
            for (int y = 0; y < cell; ++y)
                for (int x = 0; x < cell; ++x)
                    ink += font.atlas.Alpha((i % 10) * cell + x, (i / 10) * cell + y);
        }
        return ink / (to - from + 1);
    }

    void ExpectTheExactMetricsLayout(const Font& font)
    {
        EXPECT_EQ(font.fileSize, Engine::FontMetricsFileSize(font.descriptionUnits));
        EXPECT_NE(font.description.find("DejaVu"), std::string::npos) << font.description;
        for (int i = 0; i < GlyphCount; ++i)
            EXPECT_EQ(font.glyphs[i].code, static_cast<uint32_t>(32 + i));
    }

    void ExpectASquareAtlasOfTenCellsPerRow(const Font& font)
    {
        const int cell = font.header[3];
        ASSERT_GT(cell, 0);
        EXPECT_EQ(font.atlas.width, font.atlas.height);
        EXPECT_EQ(font.atlas.width & (font.atlas.width - 1), 0) << "a power of two needs no rescaling";
        EXPECT_GE(font.atlas.width, 10 * cell);
        EXPECT_EQ(font.header[0], font.atlas.width);
        // Both vertical offsets split the cell at the baseline.
        EXPECT_EQ(font.header[1] + font.header[5], cell);
        EXPECT_GT(font.header[6], 0);
        // Everything outside the 10 × 10 grid of cells stays clear.
        for (int y = 0; y < font.atlas.height; ++y)
            for (int x = 10 * cell; x < font.atlas.width; ++x)
                ASSERT_EQ(font.atlas.Alpha(x, y), 0);
    }

    void ExpectEveryGlyphsInkToFillExactlyItsDeclaredBox(const Font& font)
    {
        const int cell = font.header[3];
        for (int i = 0; i < GlyphCount; ++i)
        {
            const Engine::GlyphInfo& g = font.glyphs[i];
            const int cellX = (i % 10) * cell, cellY = (i / 10) * cell;
            int minX = cell, minY = cell, maxX = -1, maxY = -1;
            for (int y = 0; y < cell; ++y)
                for (int x = 0; x < cell; ++x)
                    if (font.atlas.Alpha(cellX + x, cellY + y) != 0)
                    {
                        minX = std::min(minX, x);
                        maxX = std::max(maxX, x);
                        minY = std::min(minY, y);
                        maxY = std::max(maxY, y);
                    }
            const char c = static_cast<char>(32 + i);
            EXPECT_GT(g.advance, 0) << c;
            if (c == ' ' || i == GlyphCount - 1)
            {
                EXPECT_EQ(maxX, -1) << "no ink for " << i + 32;
                continue;
            }
            ASSERT_GE(maxX, 0) << "ink for " << c;
            EXPECT_EQ(g.cellOffset, std::floor(g.cellOffset)) << c;
            const int left = static_cast<int>(g.cellOffset);
            EXPECT_GE(minX, left) << c;
            EXPECT_LT(maxX, left + g.width) << c;
            EXPECT_GE(minY, g.verticalOffset) << c;
            EXPECT_LT(maxY, g.verticalOffset + g.height) << c;
            EXPECT_LE(minX - left + (left + g.width - 1 - maxX), 2) << c;
            EXPECT_LE(minY - g.verticalOffset + (g.verticalOffset + g.height - 1 - maxY), 2) << c;
            EXPECT_LE(g.height, font.header[6] + 4) << c;
        }
    }

    void ExpectFlatBottomedLettersOnTheBaseline(const Font& font)
    {
        for (char c : std::string("HEILTxz1"))
        {
            const Engine::GlyphInfo& g = font.glyphs[c - 32];
            EXPECT_EQ(g.verticalOffset + g.height, font.header[5]) << c;
        }
        const Engine::GlyphInfo& p = font.glyphs['p' - 32];
        EXPECT_GT(p.verticalOffset + p.height, font.header[5]) << "descenders reach below the baseline";
    }

    TEST(FontFiles, HoldTheExactLayoutAndGlyphsThatFillTheirBoxesOnTheBaseline)
    {
        for (const char* name : {"DefaultFont", "GameFont"})
        {
            SCOPED_TRACE(name);
            Font font;
            if (!LoadFont(name, font))
            {
                ADD_FAILURE() << "not loaded";
                continue;
            }
            ExpectTheExactMetricsLayout(font);
            ExpectASquareAtlasOfTenCellsPerRow(font);
            ExpectEveryGlyphsInkToFillExactlyItsDeclaredBox(font);
            ExpectFlatBottomedLettersOnTheBaseline(font);
        }
    }

    TEST(GameFont, EveryLoadingTipFitsRightOfWhereTheTipIsShown)
    {
        Font font;
        ASSERT_TRUE(LoadFont("GameFont", font));
        // The tip is drawn from x = −400 on a screen whose right edge is at +512.
        for (const char* tip : {
                 "DEAL DOUBLE DAMAGE BY HITTING ENEMIES WITH PROJECTILES OF MATCHING ELEMENTS.",
                 "DURING TIGHT SITUATIONS, CLICK ON TOWERS TO SACRIFICE THEM FOR DEVASTATING ATTACKS.",
                 "REBOUND PROJECTILES ON EITHER SIDE OF THE SCREEN TO HIT HARD-TO-REACH AREAS.",
                 "EACH ELEMENTAL PROJECTILE HAS A SECONDARY EFFECT. USE THEM WISELY.",
                 "HITTING THE HEALER ENEMY FORCES IT TO HEAL SURROUNDING ENEMIES. KILL IT FIRST.",
                 "TAKE DOWN A SHIELDER BY DESTROYING ITS SHIELD BITS FIRST."})
            EXPECT_LE(MeasureWidth(font, tip), 912.0f) << tip;
    }

    TEST(GameFont, IsBolderThanTheDefaultFont)
    {
        Font game, standard;
        ASSERT_TRUE(LoadFont("GameFont", game));
        ASSERT_TRUE(LoadFont("DefaultFont", standard));
        EXPECT_NE(game.description.find("Bold"), std::string::npos);
        EXPECT_GT(InkPerGlyph(game, 'A', 'Z'), 1.2 * InkPerGlyph(standard, 'A', 'Z'));
    }
}
