// The busiest scene of the game drawn by the OpenGL renderer under Xvfb, compared pixel for pixel
// with Game_BusiestScene.png beside this file: the scene as the engine drew it before its drawing
// was cut down for the software rasteriser (opaque pictures without blending, nothing drawn that is
// covered or fully transparent), its mipmapped particles drawn as whole quads. Any change of pixel
// there is a fault of those cuts. With MORVANE_SCREENSHOT_DIR set the frame drawn is also written
// there as "BusiestScene.png".
#include "core/Core_Random.h"
#include "core/PAL_Clock.h"
#include "platform/PAL_Image.h"
#include "platform/PAL_MessagePump.h"
#include "platform/PAL_Window.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_MyLevelFactory.h"
#include "renderer/Renderer_IRenderer.h"
#include "tests/support/Input_FakeSource.h"
#include "tests/game/Game_BusiestScene.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Skip.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace
{
constexpr i32 Width = 1024;
constexpr i32 Height = 768;
constexpr f64 FrameMs = 1000.0 / 60.0;

// The game in a window drawn by OpenGL, stepped one main-loop pass at a time on a fake clock with
// scripted input.
class DrawnGame
{
public:
    DrawnGame()
    {
        setenv("ALSOFT_DRIVERS", "null", 0);
        // The reference was drawn by a fresh process: its particles scatter from the generator's
        // first state, whatever earlier tests in this process drew from it.
        Core::Random::Instance().Reset();
        if (!PAL::Window(16, 16).IsCreated())
            return;
        Engine::ApplicationSettings settings;
        settings.width = Width;
        settings.height = Height;
        settings.refreshRate = 60;
        settings.verticalSync = 0;
        game = new MyGame(new MyLevelFactory(), settings, 1, &Renderer::CreateOGLRenderer, input);
        game->SetRateLock(0);
        game->GetMouse()->SetWindow(input.window);
        input.area = Input::ClientArea{0, 0, Width, Height};
        input.cursorX = Width / 2;
        input.cursorY = Height / 2;
        Frames(3);
    }

    ~DrawnGame()
    {
        if (game)
            game->Shutdown();
    }

    DrawnGame(const DrawnGame&) = delete;
    DrawnGame& operator=(const DrawnGame&) = delete;

    bool IsReady() const { return game.Get() != nullptr; }

    void Frame()
    {
        PAL::PumpMessages();
        game->BeginFrame();
        game->Update();
        game->EndFrame();
        clock.Advance(FrameMs);
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    // One more frame, its back buffer read before it is presented.
    std::vector<u8> DrawAndRead()
    {
        PAL::PumpMessages();
        game->BeginFrame();
        game->Update();
        std::vector<u8> frame(Renderer::FrameBufferSize(Width, Height));
        if (!game->GetRenderer()->ReadFrameBuffer(frame.data(), static_cast<u32>(frame.size())))
            frame.clear();
        game->EndFrame();
        clock.Advance(FrameMs);
        return frame;
    }

    void EnterAct(const char* waveFile)
    {
        game->waveFileName = waveFile;
        game->GoToLevel(0u);
        // The fade-in from black lasts about two seconds.
        Frames(152);
    }

    // The mouse at a point of the play screen, y up about its centre.
    void PointAt(f32 x, f32 y)
    {
        input.cursorX = Width / 2 + static_cast<i32>(x);
        input.cursorY = Height - 1 - (Height / 2 + static_cast<i32>(y));
    }

    BaseLevelClass& Level() { return *GetPlayLevel(); }

private:
    PAL::ScopedFakeClock clock{1000.0};
    FakeSource input;
    Core::RefPtr<MyGame> game;
};

TEST(BusiestSceneScreenTest, DrawsTheReferencePixels)
{
    DrawnGame game;
    if (!game.IsReady())
        MORVANE_SKIP_WITHOUT_DISPLAY();
    GameTest::BusiestScene scene;
    ASSERT_TRUE(scene.Build(game, true));
    const std::vector<u8> frame = game.DrawAndRead();
    ASSERT_FALSE(frame.empty());
    TestSupport::SaveScreenshot(frame, Width, Height, "BusiestScene.png");

    PAL::DecodedImage reference;
    ASSERT_TRUE(PAL::DecodeImageFile(MORVANE_SOURCE_DIR "/tests/game/Game_BusiestScene.png", reference));
    ASSERT_EQ(reference.width, Width);
    ASSERT_EQ(reference.height, Height);
    int differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (i32 y = 0; y < Height; ++y)
    {
        for (i32 x = 0; x < Width; ++x)
        {
            // The frame's rows run from the bottom, the picture's from the top.
            const std::array<int, 3> drawn = TestSupport::FramePixel(frame, Width, x, Height - 1 - y);
            const u8* expected = reference.pixels.data() + (static_cast<std::size_t>(y) * Width + x) * 4;
            if (drawn[0] != expected[0] || drawn[1] != expected[1] || drawn[2] != expected[2])
            {
                if (differing++ == 0)
                {
                    firstX = x;
                    firstY = y;
                }
            }
        }
    }
    EXPECT_EQ(differing, 0) << "first at (" << firstX << ", " << firstY << ") from the top left";
}
}  // namespace
