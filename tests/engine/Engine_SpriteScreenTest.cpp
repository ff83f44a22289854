// Text in the default font and an animated sprite sheet drawn through the scene graph, a camera
// and a viewport by the OpenGL renderer (under Xvfb with Mesa's software renderer); the pixels are
// read back. Without a display or the generated default font it fails under scripts/test and skips
// by hand. With
// MORVANE_SCREENSHOT_DIR set, the frame is also written there as "SpriteScreen.png".
#include "core/Core_File.h"
#include "platform/PAL_Window.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_FontCache.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_Text.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_TextureCache.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"
#include "tests/support/Support_Skip.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace
{
constexpr i32 Width = 320;
constexpr i32 Height = 160;
constexpr i32 Cell = 32;

using Pixel = std::array<int, 3>;

// Top-left red, top-right green, bottom-left blue, bottom-right yellow. Rows run along v from the
// bottom of the image, so frame (0, 0) is the blue cell.
std::vector<u8> SheetPng()
{
    TestSupport::Picture sheet(2 * Cell, 2 * Cell);
    for (i32 y = 0; y < 2 * Cell; ++y)
    {
        for (i32 x = 0; x < 2 * Cell; ++x)
        {
            const bool right = x >= Cell;
            const bool top = y < Cell;
            if (top)
                sheet.Set(x, y, right ? 0 : 255, right ? 255 : 0, 0, 255);
            else
                sheet.Set(x, y, right ? 255 : 0, right ? 255 : 0, right ? 0 : 255, 255);
        }
    }
    return TestSupport::EncodePng(sheet);
}

class SpriteScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const Core::String fontPath = Engine::BitmapFont::DefaultFontPath();
        Core::DiskFile probe(fontPath + ".fbf", Core::DiskFile::ModeRead);
        if (probe.Failed())
            MORVANE_SKIP("the default font has not been generated");
        window = std::make_unique<PAL::Window>(Width, Height);
        if (!window->IsCreated())
            MORVANE_SKIP_WITHOUT_DISPLAY();
        Renderer::DisplaySettings settings(Width, Height);
        settings.window = window.get();
        renderer = Renderer::CreateOGLRenderer(settings);
        fonts = std::make_unique<Engine::FontCache>();
        scene = new Engine::SceneGraph(renderer.Get());
        scene->SetViewportCount(1);
        scene->SetCurrentViewport(0);

        // One world unit per pixel at z = 0 with the window centre at the origin.
        const f32 distance = static_cast<f32>(Height) / (2.0f * std::tan(22.5f * 0.017453292f));
        Core::RefPtr<Engine::TransformationGroup> eye(new Engine::TransformationGroup());
        eye->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, distance));
        scene->AttachChild(eye);
        camera = new Engine::Camera(45.0f, 1.0f, 10000.0f);
        eye->AttachChild(camera);
        viewport = new Engine::Viewport(0, 0, Width, Height);
        viewport->SetClearColor(Math::Color(0.0f, 0.0f, 0.0f, 1.0f));
        pixels.resize(Renderer::FrameBufferSize(Width, Height));
    }

    void TearDown() override
    {
        camera = nullptr;
        viewport = nullptr;
        scene = nullptr;
        fonts.reset();
        renderer = nullptr;
        Renderer::SetRenderer(nullptr);
        window.reset();
    }

    // Places a node with its origin at window pixel (x, y).
    Core::RefPtr<Engine::TransformationGroup> At(i32 x, i32 y)
    {
        Core::RefPtr<Engine::TransformationGroup> place(new Engine::TransformationGroup());
        place->SetTransform(Math::Matrix4x4::Translation(static_cast<f32>(x - Width / 2), static_cast<f32>(y - Height / 2), 0.0f));
        scene->AttachChild(place);
        return place;
    }

    void DrawFrame(f32 dt)
    {
        scene->UpdateScene(dt);
        scene->RenderViewport(*camera, *viewport);
        ASSERT_TRUE(renderer->ReadFrameBuffer(pixels.data(), static_cast<u32>(pixels.size())));
    }

    Pixel PixelAt(i32 x, i32 y) const { return TestSupport::FramePixel(pixels, Width, x, y); }

    int LitPixels(i32 left, i32 bottom, i32 right, i32 top) const
    {
        return TestSupport::CountLitPixels(pixels, Width, left, bottom, right, top);
    }

    void SaveScreenshot() const { TestSupport::SaveScreenshot(pixels, Width, Height, "SpriteScreen.png"); }

    std::unique_ptr<PAL::Window> window;
    Core::RefPtr<Renderer::IRenderer> renderer;
    std::unique_ptr<Engine::FontCache> fonts;
    Core::RefPtr<Engine::SceneGraph> scene;
    Core::RefPtr<Engine::Camera> camera;
    Core::RefPtr<Engine::Viewport> viewport;
    std::vector<u8> pixels;
};

void ExpectNear(const Pixel& actual, const Pixel& expected)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 8) << "channel " << i;
}

TEST_F(SpriteScreenTest, HelloInTheDefaultFontAndAnAnimatedSheet)
{
    TestSupport::ScratchFolder folder("morvane_sprite_screen");
    const std::string sheetPath = folder.Write("Sheet.png", SheetPng());
    Core::RefPtr<Renderer::ITexture> sheet = Renderer::TextureCache::Get()->GetTexture(sheetPath.c_str(), 1);
    ASSERT_EQ(sheet->GetWidth(), 2 * Cell);

    // Blue, yellow, red, green, then again.
    const Core::Vector<Engine::SpriteFrame> frames{{0, 0, 0.1f}, {1, 0, 0.1f}, {0, 1, 0.1f}, {1, 1, 0.1f}};
    Core::RefPtr<Engine::SpriteAnimation> animation(new Engine::SpriteAnimation(sheet, Cell, Cell, frames));
    Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(Engine::Sprite::Animations{animation}));
    sprite->SetPlaying(true);
    At(240, 80)->AttachChild(sprite);

    Core::RefPtr<Engine::Text> hello(new Engine::Text("Hello", false));
    hello->SetFont(Engine::FontCache::GetFont(""));
    At(40, 72)->AttachChild(hello);
    f32 textWidth = 0.0f;
    f32 textHeight = 0.0f;
    hello->GetFont()->MeasureText("Hello", textWidth, textHeight);
    const i32 cellSize = hello->GetFont()->GetCellSize();
    ASSERT_GT(cellSize, 0);

    DrawFrame(0.0f);
    SaveScreenshot();
    // The sprite's cell fills 32 x 32 pixels around (240, 80); outside it the clear colour.
    ExpectNear(PixelAt(240, 80), {0, 0, 255});
    ExpectNear(PixelAt(228, 68), {0, 0, 255});
    ExpectNear(PixelAt(252, 92), {0, 0, 255});
    ExpectNear(PixelAt(270, 80), {0, 0, 0});
    ExpectNear(PixelAt(240, 110), {0, 0, 0});
    // "Hello" is white ink inside its box and nowhere else.
    const i32 right = 40 + static_cast<i32>(textWidth) + cellSize;
    const int inside = LitPixels(40 - 4, 72, right, 72 + cellSize);
    EXPECT_GT(inside, 40);
    EXPECT_EQ(LitPixels(0, 0, Width, 72), 0);
    EXPECT_EQ(LitPixels(0, 72 + cellSize, Width, Height), 0);
    EXPECT_EQ(LitPixels(right, 0, 200, Height), 0);

    // Each update past the delay shows the next cell.
    const Pixel expected[] = {{255, 255, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    for (const Pixel& colour : expected)
    {
        DrawFrame(0.15f);
        ExpectNear(PixelAt(240, 80), colour);
    }
    // The text is drawn the same every frame.
    EXPECT_EQ(LitPixels(40 - 4, 72, right, 72 + cellSize), inside);
}
} // namespace
