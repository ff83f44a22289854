#pragma once
// The game itself on a headless 1024 x 768 game: recording renderer, fake clock, scripted input.
#include "game/MyGame_MyGame.h"
#include "game/MyGame_MyLevelFactory.h"
#include "tests/framework/Framework_GameFixture.h"

namespace GameTest
{
class MyGameTest : public FrameworkTest::HeadlessGameTest
{
protected:
    void SetUp() override
    {
        HeadlessGameTest::SetUp();
        Engine::ApplicationSettings settings;
        settings.width = 1024;
        settings.height = 768;
        factory = new MyLevelFactory();
        game = new MyGame(factory.Get(), settings, 1, &FrameworkTest::MakeRecordingRenderer, input);
        // A headless window has no handle: the mouse reads a fake window's client area instead.
        game->GetMouse()->SetWindow(input.window);
        input.area = Input::ClientArea{0, 0, 1024, 768};
        // The game locks its frame rate; the fake clock only moves between frames.
        EXPECT_EQ(game->IsRateLocked(), 1);
        game->SetRateLock(0);
    }

    void TearDown() override
    {
        game->Shutdown();
        game = nullptr;
    }

    void RunFrame() { HeadlessGameTest::RunFrame(*game); }

    void RunFrames(int count)
    {
        for (int i = 0; i < count; ++i)
            RunFrame();
    }

    // The next frame that runs the game serves the switch; the very first frames only create the
    // level and measure it, so two frames cover both cases.
    void SwitchTo(u32 index)
    {
        game->GoToLevel(index);
        RunFrames(2);
    }

    Core::RefPtr<MyLevelFactory> factory;
    Core::RefPtr<MyGame> game;
};

}  // namespace GameTest
