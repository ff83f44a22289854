#include "Engine_SpriteTestSupport.h"

#include "core/Core_File.h"
#include "platform/PAL_FileSystem.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_Text.h"
#include "engine/Engine_TextLayout.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace
{
using SpriteTest::MakeFont;
using SpriteTest::UniformMetrics;

// Lower-left corner of the quad of byte i.
Math::Vector3D Corner0(const Engine::Mesh& mesh, u32 i)
{
    return mesh.GetPosition(6 * i);
}

TEST(TextLayoutTest, GlyphsFollowAdvancesBearingsAndCellOffsets)
{
    Engine::FontMetrics metrics = UniformMetrics();
    metrics.glyphs['B' - 32].cellOffset = 2.25f;
    metrics.glyphs['B' - 32].bearing = 3;
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(metrics);
    Engine::Mesh mesh;
    Engine::TextBounds bounds;
    Engine::LayoutText(*font, "ABB", mesh, bounds);

    ASSERT_EQ(mesh.GetPositionCount(), 18u);
    ASSERT_EQ(mesh.GetTexCoordCount(), 18u);
    ASSERT_EQ(mesh.GetSubsetCount(), 1u);
    EXPECT_EQ(mesh.GetSubset(0)->first, 0u);
    EXPECT_EQ(mesh.GetSubset(0)->last, 17u);
    EXPECT_EQ(mesh.GetSubset(0)->blended, 1);
    // A starts the line at minus its stored offset.
    EXPECT_EQ(Corner0(mesh, 0), Math::Vector3D(-1.0f, 0.0f, 0.0f));
    // A's advance less its bearing (9), plus B's bearing (3) = 12, less B's offset rounded up (3).
    EXPECT_EQ(Corner0(mesh, 1), Math::Vector3D(9.0f, 0.0f, 0.0f));
    // Pen after the first B: 12 + 10 - 3 = 19; plus 3 = 22; less 3.
    EXPECT_EQ(Corner0(mesh, 2), Math::Vector3D(19.0f, 0.0f, 0.0f));
    // The quad is one cell: corners c0, c1, c2, c2, c3, c0.
    EXPECT_EQ(mesh.GetPosition(1), Math::Vector3D(15.0f, 0.0f, 0.0f));
    EXPECT_EQ(mesh.GetPosition(2), Math::Vector3D(15.0f, 16.0f, 0.0f));
    EXPECT_EQ(mesh.GetPosition(3), Math::Vector3D(15.0f, 16.0f, 0.0f));
    EXPECT_EQ(mesh.GetPosition(4), Math::Vector3D(-1.0f, 16.0f, 0.0f));
    EXPECT_EQ(mesh.GetPosition(5), Math::Vector3D(-1.0f, 0.0f, 0.0f));
    EXPECT_EQ(bounds.minX, -1.0f);
    EXPECT_EQ(bounds.maxX, 35.0f);
    EXPECT_EQ(bounds.minY, 0.0f);
    EXPECT_EQ(bounds.maxY, 16.0f);
}

TEST(TextLayoutTest, ALineStartGlyphKeepsItsUnroundedOffset)
{
    Engine::FontMetrics metrics = UniformMetrics();
    metrics.glyphs['B' - 32].cellOffset = 2.25f;
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(metrics);
    Engine::Mesh mesh;
    Engine::TextBounds bounds;
    Engine::LayoutText(*font, "B\nAB", mesh, bounds);
    EXPECT_EQ(Corner0(mesh, 0), Math::Vector3D(-2.25f, 0.0f, 0.0f));
    // The line break is an empty glyph at the origin; the next line starts 20 lower, at x = -1.
    EXPECT_EQ(Corner0(mesh, 1), Math::Vector3D());
    EXPECT_EQ(Corner0(mesh, 2), Math::Vector3D(-1.0f, -20.0f, 0.0f));
    // Within the line the offset is rounded up: 9 + 1 - 3.
    EXPECT_EQ(Corner0(mesh, 3), Math::Vector3D(7.0f, -20.0f, 0.0f));
    EXPECT_EQ(bounds.minY, -20.0f);
    EXPECT_EQ(bounds.maxY, 16.0f);
}

TEST(TextLayoutTest, SpacesTabsAndBreaksMakeNoQuadsButKeepTheirVertices)
{
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(UniformMetrics());
    Engine::Mesh mesh;
    Engine::TextBounds bounds;
    Engine::LayoutText(*font, " \t\r\n", mesh, bounds);
    ASSERT_EQ(mesh.GetPositionCount(), 24u);
    for (u32 i = 0; i < 24; ++i)
    {
        EXPECT_EQ(mesh.GetPosition(i), Math::Vector3D());
        EXPECT_EQ(mesh.GetTexCoord(i), Math::Vector2D());
    }
    EXPECT_EQ(bounds.minX, FLT_MAX);
    EXPECT_EQ(bounds.minY, FLT_MAX);
    EXPECT_EQ(bounds.maxX, FLT_MIN);
    EXPECT_EQ(bounds.maxY, FLT_MIN);

    // A space and a tab move the pen by one and four space advances (6 and 24).
    Engine::LayoutText(*font, " \tA", mesh, bounds);
    EXPECT_EQ(Corner0(mesh, 2), Math::Vector3D(30.0f + 1.0f - 1.0f, 0.0f, 0.0f));
}

TEST(TextLayoutTest, TheTopStaysAtTheSmallestPositiveFloatBelowTheBaseline)
{
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(UniformMetrics());
    Engine::Mesh mesh;
    Engine::TextBounds bounds;
    Engine::LayoutText(*font, "\nA", mesh, bounds);
    EXPECT_EQ(bounds.maxY, FLT_MIN);
    EXPECT_EQ(bounds.minY, -20.0f);
}

TEST(TextLayoutTest, GlyphQuadsTakeTheirCellsTextureCoordinates)
{
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont(UniformMetrics(), 256);
    Engine::Mesh mesh;
    Engine::TextBounds bounds;
    Engine::LayoutText(*font, "\x01" "A", mesh, bounds);
    const f32* space = font->GetGlyphTexCoords(' ');
    const f32* a = font->GetGlyphTexCoords('A');
    const u32 corners[6] = {0, 1, 2, 2, 3, 0};
    for (u32 k = 0; k < 6; ++k)
    {
        // A control byte is drawn with the space's cell.
        EXPECT_EQ(mesh.GetTexCoord(k), Math::Vector2D(space[2 * corners[k]], space[2 * corners[k] + 1]));
        EXPECT_EQ(mesh.GetTexCoord(6 + k), Math::Vector2D(a[2 * corners[k]], a[2 * corners[k] + 1]));
    }
}

class TextTest : public SpriteTest::SceneFixture
{
protected:
    Core::RefPtr<Engine::Text> MakeText(const char* value, bool noCulling = false)
    {
        Core::RefPtr<Engine::Text> text(new Engine::Text(value, noCulling));
        text->SetFont(font);
        root->AttachChild(text);
        return text;
    }

    Core::RefPtr<Engine::BitmapFont> font = MakeFont(UniformMetrics());
};

TEST(TextLayoutTest, ExtremeMetricsFromAFontFileNeitherOverflowNorTrap)
{
    // Metrics read from a hostile file: sums of them exceed 32 bits.
    Engine::FontMetrics metrics = SpriteTest::UniformMetrics();
    for (i32 value : {INT32_MAX, INT32_MIN})
    {
        metrics.header[Engine::FontHeader::BoxOffset] = value;
        metrics.header[Engine::FontHeader::GlyphBoxOffset] = value;
        metrics.header[Engine::FontHeader::LineHeight] = value;
        for (Engine::GlyphInfo& glyph : metrics.glyphs)
        {
            glyph.advance = value;
            glyph.bearing = value < 0 ? INT32_MAX : INT32_MIN;
        }
        const Core::RefPtr<Engine::BitmapFont> font = MakeFont(metrics);
        const Core::String text = "AB CD\n\tEF\nGH";
        Core::RefPtr<Engine::Mesh> mesh(new Engine::Mesh());
        Engine::TextBounds bounds;
        Engine::LayoutText(*font, text, *mesh, bounds);
        EXPECT_EQ(mesh->GetPositionCount(), 6 * text.size());
        f32 width = 0.0f;
        f32 height = 0.0f;
        font->MeasureText(text, width, height);
        EXPECT_FALSE(std::isnan(width));
    }
}

TEST_F(TextTest, ANewTextHasItsDefaultsAndOneSubsetPerString)
{
    const Engine::Text text("Hi", false);
    EXPECT_EQ(text.GetColor(), Math::Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(text.GetOpacity(), 1.0f);
    EXPECT_EQ(text.GetValue(2), 1.0f);
    EXPECT_EQ(text.GetFont().Get(), nullptr);
    ASSERT_EQ(text.GetGlyphMesh()->GetSubsetCount(), 1u);
    EXPECT_EQ(text.GetGlyphMesh()->GetSubset(0)->last, 11u);
    EXPECT_EQ(text.GetGlyphMesh()->GetEffectCount(), 1u);
    EXPECT_STREQ(text.GetClassName(), "Engine::Text");
}

TEST_F(TextTest, DrawSubmitsOneBlendedItemWithTheAtlas)
{
    const Core::RefPtr<Engine::Text> text = MakeText("Hello");
    text->SetColor(Math::Color(0.5f, 0.25f, 1.0f, 0.0f));
    text->SetOpacity(0.75f);
    text->Draw();
    ASSERT_EQ(Queue().GetBlendedItems().size(), 1u);
    EXPECT_EQ(QueuedCount(), 1u);
    const Engine::RenderItem& item = Queue().GetBlendedItems()[0];
    EXPECT_EQ(item.effect.Get(), text->GetEffect().Get());
    EXPECT_EQ(item.mesh.Get(), text->GetGlyphMesh().Get());
    EXPECT_EQ(item.subset, 0u);
    EXPECT_EQ(item.primitiveType, Renderer::Primitive::Triangles);
    EXPECT_EQ(item.color, Math::Color(0.5f, 0.25f, 1.0f, 0.75f));
    EXPECT_EQ(item.lastPassOnly, 0);
    EXPECT_EQ(text->GetEffect()->GetTexture(1).Get(), font->GetTexture().Get());
    EXPECT_EQ(text->GetGlyphMesh()->GetPositionCount(), 30u);
}

TEST_F(TextTest, NothingIsDrawnWithoutFontStringOrCulling)
{
    const Core::RefPtr<Engine::Text> empty = MakeText("");
    empty->Draw();
    const Core::RefPtr<Engine::Text> unculled = MakeText("Hello", true);
    unculled->Draw();
    const Core::RefPtr<Engine::Text> fontless(new Engine::Text("Hello", false));
    root->AttachChild(fontless);
    fontless->Draw();
    const Core::RefPtr<Engine::Text> hidden = MakeText("Hello");
    hidden->SetVisible(false, false);
    hidden->Draw();
    EXPECT_EQ(QueuedCount(), 0u);
}

TEST_F(TextTest, AnOverlayTextGoesToTheLastPass)
{
    const Core::RefPtr<Engine::Text> text = MakeText("Hello");
    text->SetOverlay(true);
    text->Draw();
    ASSERT_EQ(Queue().GetLastPassItems().size(), 1u);
    EXPECT_EQ(Queue().GetLastPassItems()[0].lastPassOnly, 1);
}

TEST_F(TextTest, TextOutsideTheCameraIsNotDrawn)
{
    Core::RefPtr<Engine::TransformationGroup> place(new Engine::TransformationGroup());
    root->AttachChild(place);
    Core::RefPtr<Engine::Text> text(new Engine::Text("Hello", false));
    text->SetFont(font);
    place->AttachChild(text);
    Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 1000.0f));
    Core::RefPtr<Engine::Viewport> viewport(new Engine::Viewport(0, 0, 640, 480));

    place->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, -500.0f));
    scene->UpdateScene(0.0f);
    renderer->ClearLog();
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 1u);

    place->SetTransform(Math::Matrix4x4::Translation(5000.0f, 0.0f, -500.0f));
    scene->UpdateScene(0.0f);
    renderer->ClearLog();
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 0u);
}

TEST_F(TextTest, CloneSharesFontAndEffectAndOwnsItsMesh)
{
    const Core::RefPtr<Engine::Text> text = MakeText("Hello");
    text->SetOffset(Math::Vector2D(3.0f, 4.0f));
    text->SetValue(1, 7.0f);
    const Core::RefPtr<Engine::Text> copy(text->Clone());
    EXPECT_EQ(copy->GetText(), "Hello");
    EXPECT_EQ(copy->GetFont().Get(), font.Get());
    EXPECT_EQ(copy->GetEffect().Get(), text->GetEffect().Get());
    EXPECT_NE(copy->GetGlyphMesh().Get(), text->GetGlyphMesh().Get());
    EXPECT_EQ(copy->GetOffset(), Math::Vector2D(3.0f, 4.0f));
    EXPECT_EQ(copy->GetValue(1), 7.0f);
}

Core::RefPtr<Engine::Text> RoundTrip(Engine::Text& text)
{
    Core::MemoryFile file;
    file.WriteObject(&text);
    Core::MemoryFile reread(file.GetData(), file.GetSize());
    Core::RefPtr<Engine::Text> loaded;
    EXPECT_TRUE(reread.ReadObjectInto(loaded));
    EXPECT_FALSE(reread.Failed());
    return loaded;
}

TEST_F(TextTest, SaveAndLoadKeepEveryFieldAndMakeAFontOfItsOwn)
{
    const Core::String fontPath = Core::String(PAL::GetExecutableDirectory()) + "\\Resources\\Fonts\\Some\\Some";
    Core::RefPtr<Engine::Text> text(new Engine::Text("Line one\nLine two", true));
    text->SetFont(new Engine::BitmapFont(fontPath, nullptr, UniformMetrics()));
    text->SetColor(Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    text->SetOpacity(0.5f);
    text->SetOffset(Math::Vector2D(-2.0f, 9.5f));
    for (u32 i = 0; i < Engine::Text::ValueCount; ++i)
        text->SetValue(i, 10.0f + static_cast<f32>(i));
    text->SetName("caption");

    const Core::RefPtr<Engine::Text> loaded = RoundTrip(*text);
    ASSERT_NE(loaded.Get(), nullptr);
    EXPECT_EQ(loaded->GetText(), "Line one\nLine two");
    EXPECT_EQ(loaded->GetName(), "caption");
    EXPECT_EQ(loaded->GetColor(), Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_EQ(loaded->GetOpacity(), 0.5f);
    EXPECT_EQ(loaded->GetOffset(), Math::Vector2D(-2.0f, 9.5f));
    EXPECT_TRUE(loaded->IsNoCulling());
    for (u32 i = 0; i < Engine::Text::ValueCount; ++i)
        EXPECT_EQ(loaded->GetValue(i), 10.0f + static_cast<f32>(i));
    ASSERT_NE(loaded->GetFont().Get(), nullptr);
    EXPECT_NE(loaded->GetFont().Get(), text->GetFont().Get());
    EXPECT_EQ(loaded->GetFont()->GetName(), fontPath);
    EXPECT_NE(loaded->GetEffect().Get(), nullptr);
}

TEST_F(TextTest, AStoredFontNameCannotLeaveTheResourceFolder)
{
    const Core::String resources = Core::String(PAL::GetExecutableDirectory()) + "\\Resources\\";
    const struct
    {
        const char* stored;
        Core::String expected;
    } cases[] = {
        {"C:\\Elsewhere\\Resources\\Fonts\\GameFont\\GameFont", resources + "Fonts\\GameFont\\GameFont"},
        {"\\Resources\\..\\..\\secret", Engine::BitmapFont::DefaultFontPath()},
        {"\\Resources\\Fonts/../../secret", Engine::BitmapFont::DefaultFontPath()},
        {"/etc/passwd", Engine::BitmapFont::DefaultFontPath()},
        {"\\Resources\\", Engine::BitmapFont::DefaultFontPath()},
    };
    for (const auto& test : cases)
    {
        Engine::Text text("x", false);
        text.SetFont(new Engine::BitmapFont(test.stored, nullptr, UniformMetrics()));
        const Core::RefPtr<Engine::Text> loaded = RoundTrip(text);
        ASSERT_NE(loaded.Get(), nullptr);
        EXPECT_EQ(loaded->GetFont()->GetName(), test.expected) << test.stored;
    }
}

TEST_F(TextTest, ATextWithoutFontSavesTheDefaultFontsPlace)
{
    Engine::Text text("x", false);
    const Core::RefPtr<Engine::Text> loaded = RoundTrip(text);
    ASSERT_NE(loaded.Get(), nullptr);
    ASSERT_NE(loaded->GetFont().Get(), nullptr);
    EXPECT_EQ(loaded->GetFont()->GetName(), Engine::BitmapFont::DefaultFontPath());
}

TEST_F(TextTest, ATruncatedStreamLoadsNoFont)
{
    Engine::Text text("Hello", false);
    text.SetFont(font);
    Core::MemoryFile file;
    file.WriteObject(&text);
    Core::MemoryFile reread(file.GetData(), file.GetSize() - 3);
    Core::Object* object = reread.ReadObject();
    EXPECT_TRUE(reread.Failed());
    const Core::RefPtr<Core::Object> held(object);
    if (auto* loaded = dynamic_cast<Engine::Text*>(object))
    {
        EXPECT_EQ(loaded->GetFont().Get(), nullptr);
    }
}
} // namespace
