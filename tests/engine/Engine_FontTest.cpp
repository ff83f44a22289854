#include "Engine_SpriteTestSupport.h"

#include "core/Core_File.h"
#include "platform/PAL_FileSystem.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_FontCache.h"
#include "engine/Engine_FontMetrics.h"
#include "tests/support/Support_Scratch.h"
#include "tests/support/Support_Skip.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace
{
using SpriteTest::MakeFont;
using SpriteTest::UniformMetrics;

// A metrics file as the font tool writes it: description, header, then one record per code with
// every field derived from the code so that misplaced reads show.
void WriteMetrics(Core::MemoryFile& file, u32 descriptionLength)
{
    Core::WriteU32(file, descriptionLength);
    for (u32 i = 0; i < descriptionLength; ++i)
        Core::WriteU16(file, static_cast<u16>('a' + i % 26));
    for (i32 i = 0; i < 8; ++i)
        Core::WriteI32(file, 100 + i);
    for (i32 code = 32; code < 128; ++code)
    {
        Core::WriteU16(file, static_cast<u16>(code));
        Core::WriteI32(file, code + 1);
        Core::WriteI32(file, code + 2);
        Core::WriteI32(file, code + 3);
        Core::WriteI32(file, code + 4);
        Core::WriteI32(file, code + 5);
        Core::WriteF32(file, static_cast<f32>(code) + 0.5f);
        Core::WriteI32(file, code + 7);
        Core::WriteI32(file, code + 8);
    }
}

TEST(FontMetricsTest, AFileWithoutDescriptionIs3300BytesAndReadsEveryField)
{
    Core::MemoryFile written;
    WriteMetrics(written, 0);
    ASSERT_EQ(written.GetSize(), 3300u);
    EXPECT_EQ(Engine::FontMetricsFileSize(0), 3300u);
    Core::MemoryFile file(written.GetData(), written.GetSize());
    Engine::FontMetrics metrics;
    EXPECT_TRUE(Engine::ReadFontMetrics(file, metrics));
    for (i32 i = 0; i < 8; ++i)
        EXPECT_EQ(metrics.header[i], 100 + i);
    const Engine::GlyphInfo& a = metrics.glyphs['A' - 32];
    EXPECT_EQ(a.code, u32('A'));
    EXPECT_EQ(a.width, 'A' + 1);
    EXPECT_EQ(a.advance, 'A' + 2);
    EXPECT_EQ(a.height, 'A' + 3);
    EXPECT_EQ(a.reserved4, 'A' + 4);
    EXPECT_EQ(a.reserved5, 'A' + 5);
    EXPECT_EQ(a.cellOffset, 65.5f);
    EXPECT_EQ(a.bearing, 'A' + 7);
    EXPECT_EQ(a.verticalOffset, 'A' + 8);
    EXPECT_EQ(metrics.glyphs[95].code, 127u);
}

TEST(FontMetricsTest, TheHeaderFollowsTheDescription)
{
    Core::MemoryFile written;
    WriteMetrics(written, 5);
    ASSERT_EQ(written.GetSize(), 3310u);
    i32 firstHeader = 0;
    std::memcpy(&firstHeader, written.GetData() + 14, 4);
    EXPECT_EQ(firstHeader, 100);
    Core::MemoryFile file(written.GetData(), written.GetSize());
    Engine::FontMetrics metrics;
    EXPECT_TRUE(Engine::ReadFontMetrics(file, metrics));
    EXPECT_EQ(metrics.header[3], 103);
    EXPECT_EQ(metrics.glyphs[0].advance, 34);
}

TEST(FontMetricsTest, ADescriptionLongerThanTheFileReadsNothing)
{
    Core::MemoryFile written;
    WriteMetrics(written, 0);
    // The count claims far more code units than the file holds.
    Core::MemoryFile hostile;
    Core::WriteU32(hostile, 0x7FFFFFFFu);
    hostile.Write(written.GetData() + 4, written.GetSize() - 4);
    Core::MemoryFile reread(hostile.GetData(), hostile.GetSize());
    Engine::FontMetrics metrics;
    EXPECT_FALSE(Engine::ReadFontMetrics(reread, metrics));
    for (i32 value : metrics.header)
        EXPECT_EQ(value, 0);
    EXPECT_EQ(metrics.glyphs[10].advance, 0);
}

TEST(FontMetricsTest, AShortFileKeepsTheWholeFieldsItHolds)
{
    Core::MemoryFile written;
    WriteMetrics(written, 0);
    // Cut inside the advance of the third record.
    const u32 keep = 36 + 2 * 34 + 8;
    Core::MemoryFile file(written.GetData(), keep);
    Engine::FontMetrics metrics;
    EXPECT_FALSE(Engine::ReadFontMetrics(file, metrics));
    EXPECT_EQ(metrics.header[6], 106);
    EXPECT_EQ(metrics.glyphs[1].verticalOffset, 33 + 8);
    EXPECT_EQ(metrics.glyphs[2].code, 34u);
    EXPECT_EQ(metrics.glyphs[2].width, 35);
    EXPECT_EQ(metrics.glyphs[2].advance, 0);
    EXPECT_EQ(metrics.glyphs[3].code, 0u);
}

TEST(FontMetricsTest, AnEmptyFileReadsNothing)
{
    Core::MemoryFile file;
    Engine::FontMetrics metrics;
    EXPECT_FALSE(Engine::ReadFontMetrics(file, metrics));
    EXPECT_EQ(metrics.header[3], 0);
}

TEST(BitmapFontTest, CodesOutsideTheAtlasUseTheSpace)
{
    Engine::FontMetrics metrics = UniformMetrics();
    metrics.glyphs[0].width = 77;
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(metrics);
    for (i32 code : {0, 31, -128, -1, 128, 255})
    {
        Engine::GlyphInfo glyph;
        font->GetGlyph(code, glyph);
        EXPECT_EQ(glyph.width, 77) << code;
        f32 texCoords[8];
        font->GetGlyphTexCoords(code, texCoords);
        for (u32 i = 0; i < 8; ++i)
            EXPECT_EQ(texCoords[i], font->GetGlyphTexCoords(32)[i]) << code;
    }
    Engine::GlyphInfo last;
    font->GetGlyph(127, last);
    EXPECT_EQ(last.width, 8);
}

TEST(BitmapFontTest, GlyphCellsRunTenPerRowFromTheTopOfTheAtlas)
{
    Engine::FontMetrics metrics;
    metrics.header[Engine::FontHeader::CellSize] = 32;
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(metrics, 512);
    f32 texCoords[8];
    font->GetGlyphTexCoords(45, texCoords); // index 13: column 3, row 1
    const f32 expected[8] = {0.1875f, 0.875f, 0.25f, 0.875f, 0.25f, 0.9375f, 0.1875f, 0.9375f};
    for (u32 i = 0; i < 8; ++i)
        EXPECT_EQ(texCoords[i], expected[i]) << i;
    font->GetGlyphTexCoords(32, texCoords);
    EXPECT_EQ(texCoords[0], 0.0f);
    EXPECT_EQ(texCoords[5], 1.0f);
}

TEST(BitmapFontTest, AnAtlasWithoutWidthLeavesTheTextureCoordinatesZero)
{
    Engine::FontMetrics metrics = UniformMetrics();
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(metrics, 0);
    for (i32 code = 32; code < 128; ++code)
    {
        for (u32 i = 0; i < 8; ++i)
            ASSERT_EQ(font->GetGlyphTexCoords(code)[i], 0.0f);
    }
    const Engine::BitmapFont withoutAtlas("Nothing", nullptr, metrics);
    EXPECT_EQ(withoutAtlas.GetGlyphTexCoords('A')[2], 0.0f);
    EXPECT_EQ(withoutAtlas.GetTexture().Get(), nullptr);
}

TEST(BitmapFontTest, MeasuresSpacesTabsAndTheEmptyString)
{
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(UniformMetrics());
    f32 width = -1.0f;
    f32 height = -1.0f;
    font->MeasureText("", width, height);
    EXPECT_EQ(width, 0.0f);
    EXPECT_EQ(height, 0.0f);
    font->MeasureText(" ", width, height);
    EXPECT_EQ(width, 6.0f);
    EXPECT_EQ(height, 1.0f);
    font->MeasureText("\t", width, height);
    EXPECT_EQ(width, 24.0f);
    EXPECT_EQ(height, 1.0f);
    EXPECT_EQ(font->GetLineHeight(), 20.0f);
}

TEST(BitmapFontTest, MeasuresGlyphBoxesWithBearings)
{
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(UniformMetrics());
    f32 width = 0.0f;
    f32 height = 0.0f;
    // One glyph: its ink box, 8 x 12.
    font->MeasureText("A", width, height);
    EXPECT_EQ(width, 8.0f);
    EXPECT_EQ(height, 12.0f);
    // The second glyph starts at (advance - bearing) + bearing = 10; its box ends at 18.
    font->MeasureText("AB", width, height);
    EXPECT_EQ(width, 18.0f);
    // A space after a glyph adds the space's own bearing (0): its box runs from 9 to 15, and the
    // next glyph sits at 15 + 1 and ends at 24.
    font->MeasureText("A B", width, height);
    EXPECT_EQ(width, 24.0f);
    // Box tops: glyphs at 16 - 6 + 3 = 13, spaces at 16 - 2 = 14; the glyph box is the taller.
    EXPECT_EQ(height, 12.0f);
}

TEST(BitmapFontTest, ACarriageReturnStartsTheNextLineAtTheLeft)
{
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(UniformMetrics());
    f32 width = 0.0f;
    f32 height = 0.0f;
    // No carriage return: B is measured from where A ended (x = 9, plus its bearing).
    font->MeasureText("A\nB", width, height);
    EXPECT_EQ(width, 18.0f);
    // Newline box at (9, 16, 1, 20); B one line down at y 36 - 6 + 3 = 33, height 12: 13 .. 45.
    EXPECT_EQ(height, 32.0f);
    font->MeasureText("A\r\nB", width, height);
    // After the carriage return the newline box sits at x 0 and B at x 0 (no bearing at 0).
    EXPECT_EQ(width, 8.0f);
    EXPECT_EQ(height, 32.0f);
}

TEST(BitmapFontTest, FontFileLoadsItsMetricsAndNamesItself)
{
    const TestSupport::ScratchFolder scratch("morvane_font");
    const Core::String directory(scratch.Path().string().c_str());
    const Core::String name = directory + "\\Plain";
    {
        Core::MemoryFile written;
    WriteMetrics(written, 3);
        Core::DiskFile out(name + ".fbf", Core::DiskFile::ModeWrite);
        out.Write(written.GetData(), written.GetSize());
    }
    const Engine::BitmapFont font(name);
    EXPECT_EQ(font.GetName(), name);
    EXPECT_EQ(font.GetCellSize(), 103);
    EXPECT_EQ(font.GetLineHeight(), 106.0f);
    EXPECT_EQ(font.GetGlyph('Z').advance, 'Z' + 2);

    testing::internal::CaptureStderr();
    const Engine::BitmapFont missing(directory + "\\Missing");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Font \"" + scratch.Path().string() + "/Missing.fbf\": No such file or directory; texts in it show no letters\n");
    EXPECT_EQ(missing.GetCellSize(), 0);
    EXPECT_EQ(missing.GetGlyph('Z').advance, 0);
    f32 width = -1.0f;
    f32 height = -1.0f;
    missing.MeasureText("Z", width, height);
    EXPECT_EQ(width, 0.0f);

}

TEST(BitmapFontTest, TheEmptyNameIsTheDefaultFontBesideTheExecutable)
{
    const Engine::BitmapFont font("");
    EXPECT_EQ(font.GetName(), Core::String(PAL::GetExecutableDirectory()) + "\\Resources\\Fonts\\DefaultFont\\DefaultFont");
    EXPECT_EQ(font.GetName(), Engine::BitmapFont::DefaultFontPath());
}

// The build renders the default font beside the test programs.
TEST(BitmapFontTest, TheGeneratedDefaultFontHasMetrics)
{
    const Core::String path = Engine::BitmapFont::DefaultFontPath();
    Core::DiskFile probe(path + ".fbf", Core::DiskFile::ModeRead);
    if (probe.Failed())
        MORVANE_SKIP("the default font has not been generated");
    const Engine::BitmapFont font("");
    EXPECT_GT(font.GetCellSize(), 0);
    EXPECT_GT(font.GetLineHeight(), 0.0f);
    EXPECT_GT(font.GetGlyph('H').advance, 0);
    EXPECT_GT(font.GetGlyph('H').width, 0);
    f32 width = 0.0f;
    f32 height = 0.0f;
    font.MeasureText("Hello", width, height);
    EXPECT_GT(width, static_cast<f32>(font.GetGlyph('H').width));
}

TEST(FontCacheTest, OneFontPerRequestedName)
{
    Engine::FontCache cache;
    EXPECT_EQ(Engine::FontCache::GetInstance(), &cache);
    const Core::RefPtr<Engine::BitmapFont> first = Engine::FontCache::GetFont("");
    const Core::RefPtr<Engine::BitmapFont> second = Engine::FontCache::GetFont("");
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(first->GetName(), Engine::BitmapFont::DefaultFontPath());
    // The full path is another key, so another font.
    const Core::RefPtr<Engine::BitmapFont> byPath = Engine::FontCache::GetFont(Engine::BitmapFont::DefaultFontPath());
    EXPECT_NE(byPath.Get(), first.Get());
    EXPECT_EQ(cache.GetCount(), 2u);
    // The cache holds its own reference.
    EXPECT_EQ(first->GetReferenceCount(), 3u);
}

TEST(FontCacheTest, ReleasesItsFontsAndStepsDown)
{
    Core::RefPtr<Engine::BitmapFont> kept;
    {
        Engine::FontCache cache;
        kept = Engine::FontCache::GetFont("Somewhere");
        EXPECT_EQ(kept->GetReferenceCount(), 2u);
    }
    EXPECT_EQ(Engine::FontCache::GetInstance(), nullptr);
    EXPECT_EQ(kept->GetReferenceCount(), 1u);
    // Without a cache every request makes a font of its own.
    const Core::RefPtr<Engine::BitmapFont> a = Engine::FontCache::GetFont("Somewhere");
    const Core::RefPtr<Engine::BitmapFont> b = Engine::FontCache::GetFont("Somewhere");
    EXPECT_NE(a.Get(), b.Get());
    EXPECT_EQ(a->GetReferenceCount(), 1u);
}
} // namespace
