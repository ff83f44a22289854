// CPU cost of the GUI's drawing state: laying a line of text out again into the same string
// context (which allocates nothing once its storage has grown), and a nine-part skin queued in a
// frame where nothing changed against one whose size changed, which fills its nine contexts again.
// The render queue's GUI list is emptied after every frame.
#include "bench/engine/Engine_BenchScene.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_RenderQueue.h"
#include "gui/GUI_Graphics.h"
#include "gui/GUI_GuiImage.h"
#include "gui/GUI_Paths.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
// The engine benchmarks' window-sized scene (its render queue takes the GUI's screen objects) and
// the GUI's drawing state.
struct Scene
{
    Scene() { GUI::SetGraphics(graphics.get()); }
    ~Scene() { GUI::SetGraphics(nullptr); }

    EngineBench::Scene engine;
    std::unique_ptr<GUI::Graphics> graphics = std::make_unique<GUI::Graphics>();
};

Core::RefPtr<Engine::BitmapFont> MakeFont()
{
    Engine::FontMetrics metrics;
    metrics.header[Engine::FontHeader::CellSize] = 16;
    metrics.header[Engine::FontHeader::LineHeight] = 18;
    for (Engine::GlyphInfo& glyph : metrics.glyphs)
    {
        glyph.width = 9;
        glyph.advance = 10;
        glyph.height = 14;
        glyph.cellOffset = 1.5f;
        glyph.bearing = 1;
    }
    return Core::RefPtr<Engine::BitmapFont>(new Engine::BitmapFont("Bench", new EngineBench::SizedTexture(256), metrics));
}

void BM_DrawTextRefill(benchmark::State& state)
{
    Scene scene;
    const Core::RefPtr<Engine::BitmapFont> font = MakeFont();
    Core::RefPtr<Engine::StringRenderContext> context(new Engine::StringRenderContext());
    const Core::String text("The quick brown fox jumps over the lazy dog\twhile the GUI lays it out");
    for (auto _ : state)
    {
        scene.graphics->DrawText(*context, 40.0f, 300.0f, text, font);
        benchmark::DoNotOptimize(context->GetIndexCount());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<i64>(text.size()));
}
BENCHMARK(BM_DrawTextRefill);

// range(0): 0 queues an unchanged skin, 1 changes its width every frame.
void BM_NinePartSkinFrame(benchmark::State& state)
{
    Scene scene;
    Core::RefPtr<GUI::GuiImage> skin(new GUI::GuiImage(GUI::GetSkinPath("DefaultButtonSkin"), GUI::Size{200, 60}));
    skin->SetPosition(Math::Point2D(100, 100));
    const GUI::NRectangle screen(0, 0, 1024, 768);
    const bool resize = state.range(0) != 0;
    f32 width = 200.0f;
    for (auto _ : state)
    {
        if (resize)
        {
            width = width == 200.0f ? 201.0f : 200.0f;
            skin->SetWidth(width);
        }
        skin->Draw(screen);
        scene.engine.graph->GetRenderQueue().ClearScreenObjects();
    }
}
BENCHMARK(BM_NinePartSkinFrame)->Arg(0)->Arg(1);
} // namespace
