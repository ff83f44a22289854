#include "bench/game/Game_BenchGame.h"

#include "platform/PAL_MessagePump.h"
#include "platform/PAL_Window.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MyLevelFactory.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <cstdlib>

namespace GameBench
{
namespace
{
constexpr f64 FrameMs = 1000.0 / 60.0;
constexpr i32 Width = 1024;
constexpr i32 Height = 768;

Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}
}  // namespace

BenchGame::BenchGame(Drawing drawing) : drawing(drawing)
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (drawing == Drawing::OpenGL && !PAL::Window(16, 16).IsCreated())
        return;
    Engine::ApplicationSettings settings;
    settings.width = Width;
    settings.height = Height;
    settings.refreshRate = 60;
    settings.verticalSync = 0;
    Engine::RendererFactory renderer = drawing == Drawing::OpenGL ? &Renderer::CreateOGLRenderer : &MakeRecordingRenderer;
    game = new MyGame(new MyLevelFactory(), settings, 1, renderer, input);
    game->SetRateLock(0);
    game->GetMouse()->SetWindow(input.window);
    input.area = Input::ClientArea{0, 0, Width, Height};
    input.cursorX = Width / 2;
    input.cursorY = Height / 2;
    Frames(3);
}

BenchGame::~BenchGame()
{
    if (game)
        game->Shutdown();
}

void BenchGame::Frame()
{
    if (drawing == Drawing::OpenGL)
        PAL::PumpMessages();
    game->BeginFrame();
    game->Update();
    game->EndFrame();
    clock.Advance(FrameMs);
}

void BenchGame::Frames(int count)
{
    for (int i = 0; i < count; ++i)
        Frame();
}

void BenchGame::EnterAct(const char* waveFile)
{
    game->waveFileName = waveFile;
    game->GoToLevel(0u);
    Frames(2);
    // The fade-in from black lasts about two seconds.
    Frames(150);
}

void BenchGame::PointAt(f32 x, f32 y)
{
    input.cursorX = Width / 2 + static_cast<i32>(x);
    input.cursorY = Height - 1 - (Height / 2 + static_cast<i32>(y));
}

BaseLevelClass& BenchGame::Level()
{
    return *GetPlayLevel();
}
}  // namespace GameBench
