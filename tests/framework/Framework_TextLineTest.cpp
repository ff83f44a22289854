// Texts in bitmap fonts, outline lines and circles: what they draw and their saved records.
#include "Framework_GameFixture.h"
#include "Framework_RoundTrip.h"

#include "engine/Engine_FontCache.h"
#include "framework/drawables/Vellumar_Circle.h"
#include "framework/drawables/Vellumar_Line.h"
#include "framework/drawables/Vellumar_Text.h"

using namespace FrameworkTest;

using TextLineTest = GameFixture;

TEST_F(TextLineTest, TextsMeasureThroughTheirFontAndDefaultToTheDefaultFont)
{
    MakeGame();
    const Core::RefPtr<Vellumar::Text> text(new Vellumar::Text("Wave 1", ""));
    EXPECT_EQ(text->GetFontName(), "DefaultFont");
    f32 width = 0.0f;
    f32 height = 0.0f;
    text->MeasureText(width, height);
    f32 expectedWidth = 0.0f;
    f32 expectedHeight = 0.0f;
    Engine::FontCache::GetFont("")->MeasureText("Wave 1", expectedWidth, expectedHeight);
    EXPECT_GT(width, 0.0f);
    EXPECT_EQ(width, expectedWidth);
    EXPECT_EQ(height, expectedHeight);
    text->SetText("Wave 10");
    f32 longer = 0.0f;
    text->MeasureText(longer, height);
    EXPECT_GT(longer, width);

    text->SetModulationColor(Math::Color(0.0f, 0.5f, 1.0f, 1.0f));
    text->SetOpacity(0.25f);
    text->Update(0.0f);
    EXPECT_EQ(text->GetEngineText()->GetColor().g, 0.5f);
    EXPECT_EQ(text->GetEngineText()->GetOpacity(), 0.25f);

    text->SetHUDObject(true);
    const Core::RefPtr<Vellumar::Text> loaded = RoundTrip(text.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetText(), "Wave 10");
    EXPECT_TRUE(loaded->IsHUDObject());
    EXPECT_EQ(loaded->GetEngineText()->GetFont()->GetName(),
              Vellumar::Game::GetDirectory() + "\\Resources\\Fonts\\DefaultFont\\DefaultFont");

    // A font name that would climb out of the fonts folder is not followed: the default stays.
    const Core::RefPtr<Vellumar::Text> climbing(new Vellumar::Text("x", ".."));
    const std::vector<u8> bytes = Saved(climbing.Get());
    Core::MemoryFile readClimbing(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<Vellumar::Text> refused;
    ASSERT_TRUE(readClimbing.ReadObjectInto(refused));
    EXPECT_EQ(refused->GetFontName(), "DefaultFont");

    const Core::RefPtr<Vellumar::Text> copy(text->Clone());
    EXPECT_NE(copy->GetEngineText(), text->GetEngineText());
    EXPECT_EQ(copy->GetText(), "Wave 10");
}

TEST_F(TextLineTest, LinesAndCirclesDrawRelativeToTheirObjectInItsColour)
{
    const Core::RefPtr<Vellumar::Line> line(new Vellumar::Line(Math::Point2D(1.0f, 2.0f), Math::Point2D(3.0f, 4.0f)));
    line->SetPosition(10.0f, 10.0f);
    line->UpdateTransform();
    EXPECT_EQ(line->GetPointA().x, 1.0f);
    const Math::Vector3D drawn =
        Math::TransformPoint(line->GetRenderNode()->GetTransform(), line->GetEngineLines()->GetStartPoint(0));
    EXPECT_EQ(drawn.x, 11.0f);
    EXPECT_EQ(drawn.y, 12.0f);
    line->SetPointB(Math::Point2D(-1.0f, -2.0f));
    line->SetModulationColor(Math::Color(1.0f, 0.0f, 0.0f, 1.0f));
    line->SetOpacity(0.5f);
    line->Update(0.0f);
    EXPECT_EQ(line->GetEngineLines()->GetColor().g, 0.0f);
    EXPECT_EQ(line->GetEngineLines()->GetOpacity(), 0.5f);

    const Core::RefPtr<Vellumar::Line> loadedLine = RoundTrip(line.Get());
    ASSERT_TRUE(loadedLine);
    EXPECT_EQ(loadedLine->GetPointB().y, -2.0f);
    EXPECT_EQ(loadedLine->GetEngineLines()->GetLineCount(), 1u);

    const Core::RefPtr<Vellumar::Circle> circle(new Vellumar::Circle(2.0f));
    circle->SetRadius(4.0f);
    const Math::Vector3D* points = circle->GetEngineCircle()->GetPoints();
    EXPECT_EQ(points[0].x, 4.0f);
    const Core::RefPtr<Vellumar::Circle> loadedCircle = RoundTrip(circle.Get());
    ASSERT_TRUE(loadedCircle);
    EXPECT_EQ(loadedCircle->GetRadius(), 4.0f);
    EXPECT_EQ(loadedCircle->GetEngineCircle()->GetPointCount(), circle->GetEngineCircle()->GetPointCount());
    const Core::RefPtr<Vellumar::Circle> copy(circle->Clone());
    EXPECT_NE(copy->GetEngineCircle(), circle->GetEngineCircle());
    EXPECT_EQ(copy->GetRadius(), 4.0f);
}
