#pragma once
// Shared by the GUI tests: the engine tests' texture without a device, a bitmap font made in
// memory, a recording renderer with a render queue and the GUI's drawing state installed for one
// test, and the resource pictures the screen tests compare read-back pixels with.
#include "platform/PAL_FileSystem.h"
#include "platform/PAL_Image.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_RenderQueue.h"
#include "gui/GUI_Graphics.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_Texture.h"
#include "tests/engine/Engine_SceneTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

namespace GuiTest
{
using FakeTexture = SceneTest::FakeTexture;

// Cells of 10 pixels on a 100-texel atlas, lines 12 apart. The space advances 5; 'A' advances
// 8 with the ink offset 1.5 and the spacing value 2; 'B' advances 6 with 0.25 and 1.
inline Core::RefPtr<Engine::BitmapFont> MakeFont()
{
    Engine::FontMetrics metrics;
    metrics.header[Engine::FontHeader::CellSize] = 10;
    metrics.header[Engine::FontHeader::LineHeight] = 12;
    auto glyph = [&metrics](char code) -> Engine::GlyphInfo& { return metrics.glyphs[code - Engine::FirstGlyphCode]; };
    glyph(' ').advance = 5;
    glyph('A') = Engine::GlyphInfo{'A', 8, 8, 10, 0, 0, 1.5f, 2, 0};
    glyph('B') = Engine::GlyphInfo{'B', 6, 6, 10, 0, 0, 0.25f, 1, 0};
    return Core::RefPtr<Engine::BitmapFont>(new Engine::BitmapFont("Synthetic", new FakeTexture(100, 100), metrics));
}

// A render queue drawing to a renderer and the drawing state every GUI routine reaches, installed
// while it lives.
struct GuiDrawing
{
    explicit GuiDrawing(Renderer::IRenderer* renderer)
    {
        queue->SetRenderer(renderer);
        GUI::SetGraphics(graphics.get());
    }
    ~GuiDrawing() { GUI::SetGraphics(nullptr); }
    GuiDrawing(const GuiDrawing&) = delete;
    GuiDrawing& operator=(const GuiDrawing&) = delete;

    std::unique_ptr<Engine::RenderQueue> queue = std::make_unique<Engine::RenderQueue>();
    std::unique_ptr<GUI::Graphics> graphics = std::make_unique<GUI::Graphics>();
};

// A 640 x 480 recording renderer as the process-wide renderer, with the GUI drawing into it.
class GuiFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        renderer = Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(640, 480));
        drawing = std::make_unique<GuiDrawing>(renderer.Get());
        queue = drawing->queue.get();
        graphics = drawing->graphics.get();
    }

    void TearDown() override
    {
        drawing.reset();
        Renderer::SetRenderer(nullptr);
        renderer = nullptr;
    }

    Core::RefPtr<Renderer::RecordingRenderer> renderer;
    std::unique_ptr<GuiDrawing> drawing;
    Engine::RenderQueue* queue = nullptr;
    GUI::Graphics* graphics = nullptr;
};

using Pixel = std::array<int, 3>;
// The colour the screen tests clear to, 0.1 grey.
inline const Pixel Background{26, 26, 26};

// Equal within the rounding of the software rasteriser's blending.
inline bool Near(const Pixel& a, const Pixel& b, int tolerance = 3)
{
    for (int i = 0; i < 3; ++i)
    {
        if (std::abs(a[i] - b[i]) > tolerance)
            return false;
    }
    return true;
}

// A picture of the resources, texels addressed from its bottom row as the GUI addresses them.
struct ResourcePicture
{
    PAL::DecodedImage image;

    explicit ResourcePicture(const std::string& relativePath)
    {
        const std::string path = std::string(PAL::GetExecutableDirectory()) + "/Resources/" + relativePath;
        PAL::DecodeImageFile(Core::String(path.c_str()), image);
    }
    const u8* Texel(i32 x, i32 yFromBottom) const
    {
        return image.pixels.data() + (static_cast<std::size_t>(image.height - 1 - yFromBottom) * image.width + x) * 4;
    }
    int Alpha(i32 x, i32 yFromBottom) const { return Texel(x, yFromBottom)[3]; }
    // The texel blended over the background as the image effect blends it; alpha 0 is dropped.
    Pixel Over(i32 x, i32 yFromBottom, const Pixel& below = Background) const
    {
        const u8* t = Texel(x, yFromBottom);
        Pixel p;
        for (int i = 0; i < 3; ++i)
            p[i] = (t[i] * t[3] + below[i] * (255 - t[3]) + 127) / 255;
        return p;
    }
};
} // namespace GuiTest
