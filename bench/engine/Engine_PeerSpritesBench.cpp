// One frame of N rotated 32 x 32 alpha-blended sprites that all move every frame, in a 1024 x 768
// window with vertical sync off, through the path a game uses: engine sprites under transformation
// groups in the scene graph, a camera, a viewport, the render queue and the OpenGL renderer, up to
// and including the buffer swap. bench/peers/love/main.lua draws the same scene with LÖVE and
// bench/peers/run-love compares the two. Needs a display (run it under xvfb-run). Besides the whole
// frame it reports the processor's part (moves, scene update, culling, the queue) and the present,
// the buffer swap with its wait for the software rasteriser to finish the frame, which the renderer
// holds back until the next frame first clears, as in a game. With FIRST_FRAME set in the environment the
// process ends as soon as its first frame is presented, so that run-love can time start-up from
// outside as it does LÖVE's.
#include "core/Core_Startup.h"
#include "platform/PAL_Window.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_Surface.h"
#include "renderer/Renderer_TextureCache.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr i32 Width = 1024;
constexpr i32 Height = 768;
constexpr i32 Side = 32;

// A soft-edged disc with a darker ring, so that rotation and blending both show: the picture the
// LÖVE program builds as well.
std::string WriteSpriteFile()
{
    const char* folder = std::getenv("TMPDIR");
    // Named after the process: runs of other checkouts may be writing theirs at the same time.
    const std::string path = std::string(folder && *folder ? folder : "/tmp") + "/morvane_peer_sprite_" +
                             std::to_string(::getpid()) + ".raw";
    std::vector<u8> bytes(Renderer::Surface::RawHeaderSize + Side * Side * 4, 0);
    const u32 header[4] = {static_cast<u32>(Renderer::Surface::FormatRGBA), Side, Side, Side * 4};
    for (int i = 0; i < 4; ++i)
        for (int b = 0; b < 4; ++b)
            bytes[static_cast<std::size_t>(i * 4 + b)] = static_cast<u8>(header[i] >> (8 * b));
    for (i32 y = 0; y < Side; ++y)
    {
        for (i32 x = 0; x < Side; ++x)
        {
            const f32 dx = static_cast<f32>(x) + 0.5f - Side / 2.0f;
            const f32 dy = static_cast<f32>(y) + 0.5f - Side / 2.0f;
            const f32 r = std::sqrt(dx * dx + dy * dy) / (Side / 2.0f);
            const f32 alpha = r >= 1.0f ? 0.0f : 1.0f - r * r;
            u8* p = bytes.data() + Renderer::Surface::RawHeaderSize + (y * Side + x) * 4;
            p[0] = static_cast<u8>(x * 8);
            p[1] = static_cast<u8>(y * 8);
            p[2] = r > 0.6f && r < 0.8f ? 64 : 224;
            p[3] = static_cast<u8>(alpha * 255.0f);
        }
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file)
    {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

// The generator both programs use, so that they place and move the same sprites.
struct Lcg
{
    u32 state = 12345u;
    f32 Next()
    {
        state = state * 1103515245u + 12345u;
        return static_cast<f32>((state >> 8) & 0xFFFFu) / 65536.0f;
    }
};

struct Mover
{
    Core::RefPtr<Engine::TransformationGroup> place;
    f32 x, y, vx, vy, angle, spin;
};

void RotatedSprites(benchmark::State& run)
{
    const Core::StartupGuard core;
    const u32 count = static_cast<u32>(run.range(0));
    PAL::Window window(Width, Height);
    if (!window.IsCreated())
    {
        run.SkipWithError("no display");
        return;
    }
    Renderer::DisplaySettings settings(Width, Height);
    settings.window = &window;
    settings.vsync = 0;
    {
        const Core::RefPtr<Renderer::IRenderer> renderer = Renderer::CreateOGLRenderer(settings);
        const Core::RefPtr<Engine::SceneGraph> graph(new Engine::SceneGraph(renderer.Get()));
        graph->SetViewportCount(1);
        graph->SetCurrentViewport(0);
        // From here one world unit at z 0 is one pixel and the window centre is the origin.
        const Core::RefPtr<Engine::TransformationGroup> eye(new Engine::TransformationGroup());
        eye->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 927.05f));
        const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 10000.0f));
        graph->AttachChild(eye);
        eye->AttachChild(camera);
        Engine::Viewport viewport(0, 0, Width, Height);
        viewport.SetClearColor(Math::Color(0.1f, 0.1f, 0.2f, 1.0f));

        const std::string path = WriteSpriteFile();
        const Core::RefPtr<Renderer::ITexture> texture = Renderer::TextureCache::GetTexture(path.c_str(), 0);
        std::remove(path.c_str());
        Core::Vector<Engine::SpriteFrame> frames;
        frames.push_back(Engine::SpriteFrame{0, 0, 1.0f});
        Engine::Sprite::Animations animations;
        animations.push_back(new Engine::SpriteAnimation(texture, Side, Side, frames));

        Lcg random;
        std::vector<Mover> movers(count);
        for (Mover& mover : movers)
        {
            mover.x = random.Next() * Width;
            mover.y = random.Next() * Height;
            mover.vx = random.Next() * 200.0f - 100.0f;
            mover.vy = random.Next() * 200.0f - 100.0f;
            mover.angle = random.Next() * 6.2831853f;
            mover.spin = random.Next() * 4.0f - 2.0f;
            mover.place = new Engine::TransformationGroup();
            graph->AttachChild(mover.place);
            const Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(animations));
            mover.place->AttachChild(sprite);
        }

        const f32 dt = 1.0f / 60.0f;
        using Clock = std::chrono::steady_clock;
        Clock::duration processor{}, present{};
        f64 presentBefore = 0.0;
        const auto frame = [&]() {
            const Clock::time_point start = Clock::now();
            for (Mover& m : movers)
            {
                m.x += m.vx * dt;
                m.y += m.vy * dt;
                if (m.x < 0.0f || m.x > Width)
                    m.vx = -m.vx;
                if (m.y < 0.0f || m.y > Height)
                    m.vy = -m.vy;
                m.angle += m.spin * dt;
                m.place->SetTransform(Math::Matrix4x4::Translation(m.x - Width / 2.0f, m.y - Height / 2.0f, 0.0f) *
                                      Math::Matrix4x4::RotationZ(m.angle * 57.29578f));
            }
            graph->UpdateScene(dt);
            graph->RenderViewport(*camera, viewport);
            renderer->Present();
            const Clock::duration total = Clock::now() - start;
            // The swap waits for the rasteriser to finish the frame.
            const f64 swapped = renderer->GetPresentSeconds() - presentBefore;
            presentBefore += swapped;
            const Clock::duration waited = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<f64>(swapped));
            processor += total - waited;
            present += waited;
        };
        frame();
        if (std::getenv("FIRST_FRAME"))
        {
            std::_Exit(0);
        }
        for (int i = 0; i < 9; ++i)
            frame();
        processor = present = Clock::duration{};
        for (auto _ : run)
            frame();
        run.counters["sprites"] = count;
        const auto perFrame = [&run](Clock::duration total) {
            return std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(run.iterations());
        };
        run.counters["processor_ms"] = perFrame(processor);
        run.counters["present_ms"] = perFrame(present);
    }
}
} // namespace

BENCHMARK(RotatedSprites)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(3.0);
