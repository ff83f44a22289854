// The GUI's drawing state: image quads (clip, colour, mirrors, effects), text layout with a font
// made in memory, its stream form, and submission to the render queue by depth.
#include "GUI_TestSupport.h"

#include "core/Core_File.h"
#include "engine/Engine_FontCache.h"
#include "gui/GUI_Paths.h"
#include "gui/GUI_ImageRenderContext.h"

#include <gtest/gtest.h>

#include <vector>

using GuiTest::GuiFixture;

namespace
{
class GraphicsTest : public GuiFixture
{
protected:
    // Loads a state record with the given mirror flags (and the rest at their reset values).
    void SetMirrors(bool horizontal, bool vertical)
    {
        Core::MemoryFile file;
        GUI::Graphics source;
        source.Save(file);
        std::vector<u8> bytes(file.GetData(), file.GetData() + file.GetSize());
        bytes[47] = horizontal ? 1 : 0; // after colour, clip, depth, opacity, repeat, bits, switch
        bytes[48] = vertical ? 1 : 0;
        Core::MemoryFile patched(bytes.data(), static_cast<u32>(bytes.size()));
        graphics->Load(patched);
    }

    // The quad's u, v of one corner.
    static Math::Vector2D Uv(const Engine::TextRenderContext& quad, u32 corner)
    {
        return Math::Vector2D(quad.texCoords[corner * 2], quad.texCoords[corner * 2 + 1]);
    }

    // x of vertex v of the string context.
    static f32 VertexX(const Engine::StringRenderContext& text, u32 v) { return text.vertices[v * 3]; }
    static f32 VertexY(const Engine::StringRenderContext& text, u32 v) { return text.vertices[v * 3 + 1]; }

    Core::RefPtr<GuiTest::FakeTexture> texture{new GuiTest::FakeTexture(64, 64)};
    Core::RefPtr<GUI::ImageRenderContext> quad{new GUI::ImageRenderContext()};
    Core::RefPtr<Engine::StringRenderContext> text{new Engine::StringRenderContext()};
    Core::RefPtr<Engine::BitmapFont> font = GuiTest::MakeFont();
};
} // namespace

TEST_F(GraphicsTest, StartsOverTheWholeScreenWithWhiteAndTheTwoImageEffects)
{
    EXPECT_EQ(graphics->GetClipRect(), GUI::NRectangle(0, 0, 640, 480));
    EXPECT_EQ(graphics->GetColor(), Math::Color(1, 1, 1, 1));
    EXPECT_EQ(graphics->GetPatternRepeat(), 1u);
    EXPECT_EQ(graphics->GetPatternBits(), 0xAAAA);
    EXPECT_EQ(graphics->GetImageEffect()->mode, GUI::ImageEffect::NearestMode);
    EXPECT_EQ(graphics->GetSecondImageEffect()->mode, GUI::ImageEffect::LinearMode);
    EXPECT_TRUE(graphics->GetTextEffect());
}

TEST_F(GraphicsTest, AnImageOverlappingTheClipByLessThanOnePixelIsHidden)
{
    graphics->SetClipRect(GUI::NRectangle(0, 0, 100, 100));
    graphics->DrawImage(*quad, GUI::TRectangle(99.5f, 10, 20, 20), texture);
    EXPECT_FALSE(quad->IsShown());
    EXPECT_FALSE(quad->IsValid());

    graphics->DrawImage(*quad, GUI::TRectangle(99.0f, 10, 20, 20), texture);
    EXPECT_TRUE(quad->IsShown());
    EXPECT_EQ(quad->vertices[0], 99.0f);
    EXPECT_EQ(quad->vertices[3], 100.0f);
    EXPECT_EQ(quad->texture.Get(), texture.Get());
    EXPECT_EQ(quad->effect.Get(), graphics->GetImageEffect().Get());
}

TEST_F(GraphicsTest, ImageQuadsAreCutAtTheClipWithColourOpacityAndDepth)
{
    graphics->SetClipRect(GUI::NRectangle(50, 0, 200, 200));
    graphics->SetColor(Math::Color(1, 0, 0, 0.2f));
    graphics->SetOpacity(0.5f);
    graphics->SetDepth(7.0f);
    graphics->DrawImage(*quad, GUI::TRectangle(0, 10, 100, 40), texture);
    ASSERT_TRUE(quad->IsShown());
    EXPECT_EQ(quad->color, Math::Color(1, 0, 0, 0.5f));
    EXPECT_EQ(quad->depth, 7.0f);
    const f32 corners[12] = {50, 10, 0, 100, 10, 0, 100, 50, 0, 50, 50, 0};
    for (u32 i = 0; i < 12; ++i)
        EXPECT_EQ(quad->vertices[i], corners[i]) << i;
    EXPECT_EQ(Uv(*quad, 0), Math::Vector2D(0.5f, 0.0f));
    EXPECT_EQ(Uv(*quad, 2), Math::Vector2D(1.0f, 1.0f));

    graphics->SetUseSecondEffect(true);
    graphics->DrawImage(*quad, GUI::TRectangle(60, 10, 10, 10), texture);
    EXPECT_EQ(quad->effect.Get(), graphics->GetSecondImageEffect().Get());
}

TEST_F(GraphicsTest, MirrorsReorderTheTextureCorners)
{
    GUI::TRectangle source(0, 0, 10, 10);
    for (u32 corner = 0; corner < 4; ++corner)
        source.SetTexCoord(corner, Math::Vector2D(static_cast<f32>(corner), 0.0f));
    struct Case
    {
        bool horizontal;
        bool vertical;
        f32 order[4];
    };
    const Case cases[] = {{false, false, {0, 1, 2, 3}}, {true, false, {1, 0, 3, 2}},
                          {false, true, {3, 2, 1, 0}}, {true, true, {2, 3, 0, 1}}};
    for (const Case& c : cases)
    {
        SetMirrors(c.horizontal, c.vertical);
        EXPECT_EQ(graphics->IsMirroredHorizontally(), c.horizontal);
        EXPECT_EQ(graphics->IsMirroredVertically(), c.vertical);
        graphics->DrawImage(*quad, source, texture);
        for (u32 corner = 0; corner < 4; ++corner)
            EXPECT_EQ(Uv(*quad, corner).x, c.order[corner]) << c.horizontal << c.vertical << " corner " << corner;
    }
}

TEST_F(GraphicsTest, ResetClearsTheFlagsAndStateButKeepsTheFont)
{
    graphics->SetFont(font);
    graphics->SetUseSecondEffect(true);
    graphics->SetDepth(3.0f);
    graphics->SetOpacity(0.25f);
    graphics->SetClipRect(GUI::NRectangle(1, 2, 3, 4));
    SetMirrors(true, true);
    graphics->SetFont(font);
    graphics->Reset();
    EXPECT_FALSE(graphics->IsUsingSecondEffect());
    EXPECT_FALSE(graphics->IsMirroredHorizontally());
    EXPECT_FALSE(graphics->IsMirroredVertically());
    EXPECT_EQ(graphics->GetDepth(), 0.0f);
    EXPECT_EQ(graphics->GetOpacity(), 1.0f);
    EXPECT_EQ(graphics->GetClipRect(), GUI::NRectangle(0, 0, 640, 480));
    EXPECT_EQ(graphics->GetFont().Get(), font.Get());
}

TEST_F(GraphicsTest, TextLaysGlyphsOutWithSpacingTabsAndLineFeeds)
{
    graphics->SetColor(Math::Color(0, 1, 0, 1));
    graphics->SetOpacity(0.5f);
    graphics->SetDepth(4.0f);
    graphics->DrawText(*text, 100, 200, "A\tB\r\nA", font);
    ASSERT_TRUE(text->IsShown());
    ASSERT_EQ(text->GetQuadCount(), 3u);
    EXPECT_EQ(text->GetIndexCount(), 18u);
    // 'A' at pen 100: the spacing value 2 moves the start to 102, the ink offset 1.5 rounds up.
    EXPECT_EQ(VertexX(*text, 0), 100.0f);
    EXPECT_EQ(VertexX(*text, 1), 110.0f);
    EXPECT_EQ(VertexY(*text, 0), 200.0f);
    EXPECT_EQ(VertexY(*text, 2), 210.0f);
    // The pen ends 'A' at 108; the tab adds 4 × 5; 'B' starts 1 further and its offset rounds to 1.
    EXPECT_EQ(VertexX(*text, 4), 108.0f + 20.0f + 1.0f - 1.0f);
    // The carriage return moves nothing; the line feed goes 12 down and back to x = 100.
    EXPECT_EQ(VertexX(*text, 8), 100.0f);
    EXPECT_EQ(VertexY(*text, 8), 188.0f);
    const u16 expected[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7, 8, 9, 10, 8, 10, 11};
    for (u32 i = 0; i < 18; ++i)
        EXPECT_EQ(text->indices[i], expected[i]) << i;
    // The glyph's atlas cell: 'A' is cell 33, column 3 and row 3 of the 100-texel atlas, row 0
    // on top.
    EXPECT_FLOAT_EQ(text->texCoords[0], 0.3f);
    EXPECT_FLOAT_EQ(text->texCoords[1], 0.6f);
    EXPECT_FLOAT_EQ(text->texCoords[4], 0.4f);
    EXPECT_FLOAT_EQ(text->texCoords[5], 0.7f);
    EXPECT_EQ(text->color, Math::Color(0, 1, 0, 0.5f));
    EXPECT_EQ(text->depth, 4.0f);
    EXPECT_EQ(text->effect.Get(), graphics->GetImageEffect().Get());
    EXPECT_EQ(text->texture.Get(), font->GetTexture().Get());
    EXPECT_TRUE(text->IsValid());
}

TEST_F(GraphicsTest, AGlyphAtPenZeroKeepsItsOffsetUnroundedAndTakesNoSpacing)
{
    graphics->SetClipRect(GUI::NRectangle(-50, -50, 200, 200));
    graphics->DrawText(*text, 0, 0, "AB", font);
    ASSERT_EQ(text->GetQuadCount(), 2u);
    EXPECT_EQ(VertexX(*text, 0), -1.5f);
    // Pen after 'A': 0 + 8 - 2 = 6; 'B' starts at 6 + 1 with its offset rounded up to 1.
    EXPECT_EQ(VertexX(*text, 4), 6.0f);
}

TEST_F(GraphicsTest, GlyphsAreClippedOneByOneAndOnlyDrawnQuadsCount)
{
    // The clip ends inside the second glyph's quad and half a pixel into the third's.
    graphics->SetClipRect(GUI::NRectangle(0, 0, 116.5f, 480));
    graphics->DrawText(*text, 100, 100, "AAA", font);
    ASSERT_TRUE(text->IsShown());
    ASSERT_EQ(text->GetQuadCount(), 2u);
    // Second 'A': pen 108, start 110, quad from 108 cut at 116.5; the third's quad starts at 116.
    EXPECT_EQ(VertexX(*text, 4), 108.0f);
    EXPECT_EQ(VertexX(*text, 5), 116.5f);
    EXPECT_FLOAT_EQ(text->texCoords[10], 0.4f - 0.1f * 1.5f / 10.0f);
    EXPECT_EQ(text->indices[6], 4);
    EXPECT_EQ(text->indices.size(), 12u);

    graphics->SetClipRect(GUI::NRectangle(300, 300, 10, 10));
    graphics->DrawText(*text, 100, 100, "AAA", font);
    EXPECT_FALSE(text->IsShown());
    EXPECT_EQ(text->GetQuadCount(), 0u);
}

TEST_F(GraphicsTest, RefillingKeepsTheStorageAndAVeryLongTextStopsAtTheIndexRange)
{
    graphics->DrawText(*text, 10, 10, "ABABABAB", font);
    const f32* storage = text->vertices.data();
    graphics->DrawText(*text, 10, 10, "BABABA", font);
    EXPECT_EQ(text->vertices.data(), storage);
    EXPECT_EQ(text->GetQuadCount(), 6u);

    // Every glyph of a long line at x = 0 lands inside a clip as wide as the line.
    graphics->SetClipRect(GUI::NRectangle(-10, -10, 1.0e9f, 100));
    const Core::String longText(Engine::StringRenderContext::MaximumQuads + 5, 'B');
    graphics->DrawText(*text, 0, 0, longText, font);
    EXPECT_EQ(text->GetQuadCount(), Engine::StringRenderContext::MaximumQuads);
    EXPECT_EQ(text->indices.back(), 65535);
}

TEST_F(GraphicsTest, ScreenObjectsReachTheQueueOnlyWhenShownAndAreDrawnByDepth)
{
    std::vector<Core::RefPtr<GUI::ImageRenderContext>> quads;
    for (f32 depth : {3.0f, 1.0f, 2.0f})
    {
        quads.emplace_back(new GUI::ImageRenderContext());
        graphics->SetDepth(depth);
        graphics->DrawImage(*quads.back(), GUI::TRectangle(depth * 10.0f, 0, 5, 5), texture);
        GUI::Graphics::Submit(*quads.back());
    }
    graphics->SetDepth(1.5f);
    graphics->DrawText(*text, 0, 100, "A", font);
    GUI::Graphics::SubmitText(*text);
    Core::RefPtr<GUI::ImageRenderContext> hidden(new GUI::ImageRenderContext());
    graphics->DrawImage(*hidden, GUI::TRectangle(-100, -100, 5, 5), texture);
    GUI::Graphics::Submit(*hidden);
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 4u);

    renderer->ClearLog();
    queue->DrawHudScreenObjects();
    const Core::Vector<Renderer::RecordedDraw>& draws = renderer->GetDraws();
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[0].vertices[0], 10.0f);
    EXPECT_EQ(draws[1].vertices, text->GetVertices());
    EXPECT_EQ(draws[2].vertices[0], 20.0f);
    EXPECT_EQ(draws[3].vertices[0], 30.0f);
}

TEST_F(GraphicsTest, TheStateRecordRoundTripsAndAFailedOrHostileRecordIsRefused)
{
    graphics->SetColor(Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    graphics->SetClipRect(GUI::NRectangle(5, 6, 7, 8));
    graphics->SetDepth(9.0f);
    graphics->SetOpacity(0.5f);
    graphics->SetUseSecondEffect(true);
    graphics->SetFont(Engine::FontCache::GetFont(""));
    Core::MemoryFile file;
    graphics->Save(file);
    EXPECT_EQ(file.GetSize(), 16u + 16u + 8u + 6u + 4u + 4u + 11u);

    GUI::Graphics loaded;
    loaded.Load(file);
    EXPECT_FALSE(file.Failed());
    EXPECT_EQ(loaded.GetColor(), Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(loaded.GetClipRect(), GUI::NRectangle(5, 6, 7, 8));
    EXPECT_EQ(loaded.GetDepth(), 9.0f);
    EXPECT_EQ(loaded.GetOpacity(), 0.5f);
    EXPECT_TRUE(loaded.IsUsingSecondEffect());
    ASSERT_TRUE(loaded.GetFont());
    EXPECT_EQ(loaded.GetFont()->GetName(), GUI::GetFontPath("DefaultFont"));

    // Cut short: nothing changes.
    Core::MemoryFile shortFile(file.GetData(), 20);
    loaded.Reset();
    loaded.Load(shortFile);
    EXPECT_TRUE(shortFile.Failed());
    EXPECT_EQ(loaded.GetDepth(), 0.0f);
    EXPECT_EQ(loaded.GetColor(), Math::Color(1, 1, 1, 1));

    // A font name that climbs out of the fonts folder leaves no font.
    std::vector<u8> bytes(file.GetData(), file.GetData() + file.GetSize() - 15);
    const char hostile[] = "..";
    bytes.insert(bytes.end(), {2, 0, 0, 0});
    bytes.insert(bytes.end(), hostile, hostile + 2);
    Core::MemoryFile hostileFile(bytes.data(), static_cast<u32>(bytes.size()));
    loaded.Load(hostileFile);
    EXPECT_FALSE(hostileFile.Failed());
    EXPECT_FALSE(loaded.GetFont());
    EXPECT_EQ(loaded.GetDepth(), 9.0f);
}
