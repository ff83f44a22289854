// The GUI drawn by the OpenGL renderer (under Xvfb with Mesa's software renderer): the generated
// button skin at two sizes, a red image at half opacity, a line of text in the default font and
// the arrow cursor over the skin, queued by depth and drawn by the render queue's GUI pass; the
// pixels are read back and compared with the source pictures' texels. Also the image effect's
// filter modes and alpha test on two-texel pictures. Without a display it fails under
// scripts/test and skips by hand.
// With MORVANE_SCREENSHOT_DIR set, the frame is also written there as "GuiScreen.png".
#include "GUI_TestSupport.h"

#include "core/Core_File.h"
#include "engine/Engine_FontCache.h"
#include "engine/Engine_RenderQueue.h"
#include "gui/GUI_Cursor.h"
#include "gui/GUI_Graphics.h"
#include "gui/GUI_GuiImage.h"
#include "gui/GUI_ImageEffect.h"
#include "gui/GUI_ImageRenderContext.h"
#include "gui/GUI_Paths.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_TextureCache.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr i32 Width = 320;
constexpr i32 Height = 240;

using GuiTest::Background;
using GuiTest::Near;
using GuiTest::Pixel;
using Source = GuiTest::ResourcePicture;

class DrawingScreenTest : public TestSupport::GLWindowTest
{
protected:
    DrawingScreenTest() : GLWindowTest(Width, Height) {}

    void SetUp() override
    {
        GLWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        fonts = std::make_unique<Engine::FontCache>();
        drawing = std::make_unique<GuiTest::GuiDrawing>(renderer.Get());
        queue = drawing->queue.get();
        graphics = drawing->graphics.get();
    }

    void TearDown() override
    {
        drawing.reset();
        fonts.reset();
        GLWindowTest::TearDown();
        Renderer::SetRenderer(nullptr);
    }

    void DrawFrame(const Math::Color& clear = Math::Color(0.1f, 0.1f, 0.1f, 1.0f))
    {
        renderer->ClearBuffers(clear, 1.0f, 0);
        queue->DrawHudScreenObjects();
        pixels = ReadFrame();
    }

    Pixel At(i32 x, i32 y) const
    {
        const u8* p = pixels.data() + static_cast<u32>(y) * Renderer::FrameBufferSize(Width, 1) + static_cast<u32>(x) * 3;
        return Pixel{p[0], p[1], p[2]};
    }

    // Pixels of a window rectangle that differ from what expected(x, y) gives.
    template <class Expected>
    int Mismatches(i32 left, i32 bottom, i32 w, i32 h, Expected expected) const
    {
        int wrong = 0;
        for (i32 y = bottom; y < bottom + h; ++y)
        {
            for (i32 x = left; x < left + w; ++x)
                wrong += expected(x, y, At(x, y)) ? 0 : 1;
        }
        return wrong;
    }

    // The four 8 x 8 corners of a skin drawn at (x, y, w, h) from record 0 of the button skin
    // (region (0, 0, 64, 32)): each pixel is its texel, one to one.
    int CornerMismatches(const Source& skin, i32 x, i32 y, i32 w, i32 h) const
    {
        int wrong = 0;
        const i32 corners[4][4] = {{x, y, 0, 0}, {x + w - 8, y, 56, 0}, {x, y + h - 8, 0, 24}, {x + w - 8, y + h - 8, 56, 24}};
        for (const auto& c : corners)
        {
            wrong += Mismatches(c[0], c[1], 8, 8, [&](i32 px, i32 py, const Pixel& p) {
                return Near(p, skin.Over(c[2] + px - c[0], c[3] + py - c[1]));
            });
        }
        return wrong;
    }

    int LitPixels(i32 left, i32 bottom, i32 right, i32 top) const
    {
        return Mismatches(left, bottom, right - left, top - bottom,
                          [](i32, i32, const Pixel& p) { return !(p[0] > 128 && p[1] > 128 && p[2] > 128); });
    }

    void SaveScreenshot() const { TestSupport::SaveScreenshot(pixels, Width, Height, "GuiScreen.png"); }

    std::unique_ptr<Engine::FontCache> fonts;
    std::unique_ptr<GuiTest::GuiDrawing> drawing;
    Engine::RenderQueue* queue = nullptr;
    GUI::Graphics* graphics = nullptr;
    std::vector<u8> pixels;
};

TEST_F(DrawingScreenTest, SkinsAtTwoSizesAnImageWithOpacityTextAndTheCursor)
{
    const Source skin("Skins/DefaultButtonSkin/DefaultButtonSkin.png");
    const Source arrow("Cursors/Arrow.png");
    ASSERT_EQ(skin.image.width, 64);
    ASSERT_EQ(arrow.image.width, 32);

    Core::RefPtr<GUI::GuiImage> wide(new GUI::GuiImage(GUI::GetSkinPath("DefaultButtonSkin"), GUI::Size{200, 60}));
    wide->SetPosition(Math::Point2D(20, 150));
    Core::RefPtr<GUI::GuiImage> small(new GUI::GuiImage(GUI::GetSkinPath("DefaultButtonSkin"), GUI::Size{40, 20}));
    small->SetPosition(Math::Point2D(250, 150));
    small->SetDepth(1);
    const GUI::NRectangle screen(0, 0, Width, Height);

    TestSupport::ScratchFolder folder("morvane_gui_screen");
    TestSupport::Picture red(4, 4);
    red.Fill(255, 0, 0, 255);
    const std::string redPath = folder.Write("Red.png", TestSupport::EncodePng(red));
    Core::RefPtr<Renderer::ITexture> redTexture = Renderer::TextureCache::GetTexture(redPath.c_str(), 0);
    Core::RefPtr<GUI::ImageRenderContext> image(new GUI::ImageRenderContext());
    graphics->Reset();
    graphics->SetOpacity(0.5f);
    graphics->SetDepth(2);
    graphics->DrawImage(*image, GUI::TRectangle(20, 20, 60, 40), redTexture);

    const Core::RefPtr<Engine::BitmapFont> font = Engine::FontCache::GetFont("");
    ASSERT_GT(font->GetCellSize(), 0);
    Core::RefPtr<Engine::StringRenderContext> text(new Engine::StringRenderContext());
    graphics->Reset();
    graphics->SetDepth(3);
    graphics->DrawText(*text, 100, 40, "Morvane GUI", font);
    f32 textWidth = 0.0f;
    f32 textHeight = 0.0f;
    font->MeasureText("Morvane GUI", textWidth, textHeight);

    Core::RefPtr<GUI::Cursor> cursor(new GUI::Cursor(GUI::GetCursorPath("Arrow.png")));
    cursor->SetHotSpot(Math::Vector2D(0, 32));

    // Submitted first, drawn last: the cursor has the greatest depth.
    cursor->Draw(Math::Point2D(180, 190));
    wide->Draw(screen);
    small->Draw(screen);
    GUI::Graphics::Submit(*image);
    GUI::Graphics::SubmitText(*text);
    DrawFrame();
    SaveScreenshot();

    // Corners keep their texels at both sizes; the borders' transparent texels show the background.
    EXPECT_EQ(CornerMismatches(skin, 20, 150, 200, 60), 0);
    EXPECT_EQ(CornerMismatches(skin, 250, 150, 40, 20), 0);
    EXPECT_TRUE(Near(At(20, 150), Background));
    EXPECT_TRUE(Near(At(289, 169), Background));
    // The left border stretches vertically only: its columns keep their texels across the middle.
    for (i32 column = 0; column < 8; ++column)
        EXPECT_TRUE(Near(At(20 + column, 180), skin.Over(column, 16))) << column;
    // The centre stretches: each pixel row of the wide skin's centre shows one of the inner rows,
    // in order from the bottom, and is uniform along x like the artwork.
    int previousRow = 0;
    for (i32 y = 158; y < 202; ++y)
    {
        const Pixel p = At(120, y);
        int row = previousRow;
        while (row <= 23 && !Near(p, skin.Over(32, row)))
            ++row;
        EXPECT_LE(row, 23) << "pixel row " << y;
        EXPECT_GE(row, 8) << "pixel row " << y;
        if (row <= 23)
            previousRow = row;
        EXPECT_TRUE(Near(At(29, y), p)) << y;
        EXPECT_TRUE(Near(At(210, y), p)) << y;
    }
    EXPECT_GE(previousRow, 22);
    // Outside the skins: the background.
    EXPECT_TRUE(Near(At(230, 180), Background));
    EXPECT_TRUE(Near(At(120, 215), Background));

    // The red image at half opacity over the background, sharp at its edges.
    EXPECT_TRUE(Near(At(50, 40), Pixel{141, 13, 13}));
    EXPECT_TRUE(Near(At(20, 20), Pixel{141, 13, 13}));
    EXPECT_TRUE(Near(At(79, 59), Pixel{141, 13, 13}));
    EXPECT_TRUE(Near(At(80, 40), Background));
    EXPECT_TRUE(Near(At(50, 60), Background));

    // The text: white ink in its box and nowhere else.
    const i32 cell = font->GetCellSize();
    EXPECT_GT(LitPixels(96, 40, 100 + static_cast<i32>(textWidth) + cell, 40 + cell), 60);
    EXPECT_EQ(LitPixels(0, 0, Width, 40), 0);
    EXPECT_EQ(LitPixels(0, 40 + cell, Width, 150), 0);

    // The cursor's opaque texels lie on top of the skin, with the image's top-left corner on the
    // mouse position.
    int opaque = 0;
    const int wrong = Mismatches(180, 158, 32, 32, [&](i32 x, i32 y, const Pixel& p) {
        const i32 tx = x - 180;
        const i32 ty = y - 158;
        if (arrow.Alpha(tx, ty) != 255)
            return true;
        ++opaque;
        return Near(p, arrow.Over(tx, ty));
    });
    EXPECT_GT(opaque, 20);
    EXPECT_EQ(wrong, 0);
}

TEST_F(DrawingScreenTest, EachQuadFiltersByItsOwnModeAndOnlyFullyTransparentTexelsAreDropped)
{
    TestSupport::ScratchFolder folder("morvane_gui_effect");
    TestSupport::Picture halves(2, 1);
    halves.Set(0, 0, 0, 0, 0, 255);
    halves.Set(1, 0, 255, 255, 255, 255);
    TestSupport::Picture faint(2, 1);
    faint.Set(0, 0, 255, 0, 0, 0);
    faint.Set(1, 0, 255, 255, 255, 1);
    const std::string halvesPath = folder.Write("Halves.png", TestSupport::EncodePng(halves));
    const std::string faintPath = folder.Write("Faint.png", TestSupport::EncodePng(faint));
    Core::RefPtr<Renderer::ITexture> halvesTexture = Renderer::TextureCache::GetTexture(halvesPath.c_str(), 0);
    Core::RefPtr<Renderer::ITexture> faintTexture = Renderer::TextureCache::GetTexture(faintPath.c_str(), 0);

    // Two quads of one image effect, the second with the linear mode; each sets the shared effect
    // to its own mode right before it is drawn.
    Core::RefPtr<GUI::ImageRenderContext> nearest(new GUI::ImageRenderContext());
    Core::RefPtr<GUI::ImageRenderContext> linear(new GUI::ImageRenderContext());
    Core::RefPtr<GUI::ImageRenderContext> transparent(new GUI::ImageRenderContext());
    graphics->Reset();
    graphics->DrawImage(*nearest, GUI::TRectangle(0, 100, 64, 16), halvesTexture);
    graphics->SetDepth(1);
    graphics->DrawImage(*linear, GUI::TRectangle(0, 140, 64, 16), halvesTexture);
    linear->effectMode = GUI::ImageEffect::LinearMode;
    graphics->SetDepth(2);
    graphics->DrawImage(*transparent, GUI::TRectangle(100, 100, 64, 16), faintTexture);
    ASSERT_EQ(nearest->effect.Get(), linear->effect.Get());
    for (GUI::ImageRenderContext* quad : {nearest.Get(), linear.Get(), transparent.Get()})
        GUI::Graphics::Submit(*quad);
    DrawFrame(Math::Color(0, 0, 0, 1));

    EXPECT_EQ(At(31, 108), (Pixel{0, 0, 0}));
    EXPECT_EQ(At(32, 108), (Pixel{255, 255, 255}));
    // Linear: a ramp between the two texel centres, 16 and 48 pixels in.
    EXPECT_LE(At(16, 148)[0], 8);
    EXPECT_GT(At(32, 148)[0], 100);
    EXPECT_LT(At(32, 148)[0], 160);
    EXPECT_GE(At(48, 148)[0], 250);
    for (i32 x = 17; x <= 48; ++x)
        EXPECT_GE(At(x, 148)[0], At(x - 1, 148)[0]) << x;

    // A texel of alpha 0 leaves the screen as it was; one of alpha 1/255 is blended in.
    EXPECT_EQ(At(110, 108), (Pixel{0, 0, 0}));
    EXPECT_EQ(At(150, 108), (Pixel{1, 1, 1}));
}
} // namespace
