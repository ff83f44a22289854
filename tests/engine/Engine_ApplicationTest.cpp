// The rendering application with the recording renderer and a fake clock: construction, the frame
// timing and its rate lock, the renderer-backed switches, quitting.
#include "core/PAL_Clock.h"
#include "platform/PAL_MessagePump.h"
#include "engine/Engine_ApplicationRendering.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/support/Support_Messages.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
Core::RefPtr<Renderer::IRenderer> MakeRecording(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

Engine::ApplicationSettings GameSettings()
{
    Engine::ApplicationSettings settings;
    settings.width = 320;
    settings.height = 240;
    settings.refreshRate = 85;
    settings.samples = 0;
    settings.fullScreen = 0;
    settings.verticalSync = 1;
    return settings;
}

// Update takes updateTime ms of the fake clock; each Idle of the rate lock takes idleTime ms.
class TimedApplication : public Engine::RenderingApplication
{
public:
    TimedApplication(const Engine::ApplicationSettings& settings, PAL::ScopedFakeClock& clock)
        : RenderingApplication(settings, &MakeRecording), clock(clock)
    {
    }

    void Update() override { clock.Advance(updateTime); }
    void Idle() override
    {
        ++idles;
        clock.Advance(idleTime);
    }

    Renderer::RecordingRenderer& Recording() { return static_cast<Renderer::RecordingRenderer&>(*GetRenderer()); }

    void RunFrame()
    {
        BeginFrame();
        Update();
        EndFrame();
    }

    PAL::ScopedFakeClock& clock;
    f64 updateTime = 0.0;
    f64 idleTime = 1.0;
    int idles = 0;
};

// Handles whatever is queued, quits included.
class ApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::DrainMessages();
        application = new TimedApplication(GameSettings(), clock);
    }

    void TearDown() override
    {
        application = nullptr;
        TestSupport::DrainMessages();
    }

    PAL::ScopedFakeClock clock{1000.0};
    Core::RefPtr<TimedApplication> application;
};
}  // namespace

TEST_F(ApplicationTest, ConstructionMakesTheProcessWideApplicationWithItsDevices)
{
    EXPECT_EQ(Engine::Application::GetInstance(), application.Get());
    EXPECT_EQ(Engine::RenderingApplication::GetInstance(), application.Get());
    EXPECT_EQ(Engine::FontCache::GetInstance(), &application->GetFontCache());
    EXPECT_NE(application->GetMouse(), nullptr);
    EXPECT_NE(application->GetKeyboard(), nullptr);
    EXPECT_TRUE(application->GetPath().empty());
    EXPECT_EQ(application->GetFrameRate(), 1000.0);
    EXPECT_EQ(application->GetTargetFrameTime(), 1.0);
    EXPECT_EQ(application->GetCurrentFrameRate(), 0.0);
    EXPECT_EQ(application->IsRateLocked(), 0);

    ASSERT_NE(application->GetRenderer(), nullptr);
    EXPECT_EQ(Renderer::GetRenderer().Get(), application->GetRenderer());
    const Renderer::DisplaySettings display = application->GetRenderer()->GetDisplaySettings();
    EXPECT_EQ(display.width, 320);
    EXPECT_EQ(display.height, 240);
    EXPECT_EQ(display.refreshRate, 85);
    EXPECT_EQ(display.samples, 0);
    EXPECT_EQ(display.depthBits, 24);
    EXPECT_EQ(display.stencilBits, 8);
    EXPECT_EQ(display.fullScreen, 0);
    EXPECT_EQ(display.vsync, 1);
    EXPECT_EQ(display.window, &application->GetWindow());

    application = nullptr;
    EXPECT_EQ(Engine::Application::GetInstance(), nullptr);
    EXPECT_EQ(Engine::RenderingApplication::GetInstance(), nullptr);
    EXPECT_EQ(Renderer::GetRenderer(), nullptr);
}

TEST_F(ApplicationTest, TheFrameRateSetsTheTargetAndRatesNotAboveZeroAreIgnored)
{
    application->SetFrameRate(60.0);
    EXPECT_EQ(application->GetFrameRate(), 60.0);
    EXPECT_EQ(application->GetTargetFrameTime(), 1000.0 / 60.0);
    application->SetFrameRate(0.0);
    application->SetFrameRate(-30.0);
    application->SetFrameRate(std::numeric_limits<f64>::quiet_NaN());
    EXPECT_EQ(application->GetFrameRate(), 60.0);
    EXPECT_EQ(application->GetTargetFrameTime(), 1000.0 / 60.0);
}

TEST_F(ApplicationTest, ALockedFrameIsStretchedToTheTargetAndAnUnlockedOneRunsAsFastAsItsUpdate)
{
    application->SetFrameRate(60.0);
    const struct
    {
        u8 locked;
        f64 updateTime;
        int idles;
        f64 rate;
    } cases[] = {
        // 5 ms of update, then 1 ms idles until 16.67 ms have passed: 12 of them, 17 ms in all.
        {1, 5.0, 12, 1000.0 / 17.0},
        {1, 20.0, 0, 50.0},
        {0, 4.0, 0, 250.0},
        {0, 0.0, 0, std::numeric_limits<f64>::infinity()},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << (c.locked ? "locked, " : "unlocked, ") << c.updateTime << " ms");
        application->SetRateLock(c.locked);
        application->updateTime = c.updateTime;
        application->idles = 0;
        application->RunFrame();
        EXPECT_EQ(application->idles, c.idles);
        EXPECT_DOUBLE_EQ(application->GetCurrentFrameRate(), c.rate);
    }
}

TEST_F(ApplicationTest, TimeSpentBetweenFramesIsNotPartOfTheNextFrame)
{
    application->updateTime = 4.0;
    application->RunFrame();
    // The message pump's time.
    clock.Advance(100.0);
    application->updateTime = 8.0;
    application->RunFrame();
    EXPECT_DOUBLE_EQ(application->GetCurrentFrameRate(), 125.0);
}

TEST_F(ApplicationTest, EveryFrameEndPresentsOnce)
{
    application->Recording().ClearLog();
    application->RunFrame();
    application->RunFrame();
    EXPECT_EQ(application->Recording().CountCalls("Present"), 2u);
}

TEST_F(ApplicationTest, FullScreenAndVSyncGoThroughTheRenderer)
{
    Renderer::RecordingRenderer& renderer = application->Recording();
    renderer.ClearLog();
    application->SetFullScreen(0);
    EXPECT_EQ(renderer.CountCalls("ToggleFullScreen"), 0u);
    application->SetFullScreen(1);
    EXPECT_EQ(renderer.CountCalls("ToggleFullScreen"), 1u);
    EXPECT_EQ(application->IsFullScreen(), 1);
    application->SetFullScreen(1);
    EXPECT_EQ(renderer.CountCalls("ToggleFullScreen"), 1u);
    application->ToggleFullScreen();
    EXPECT_EQ(application->IsFullScreen(), 0);

    application->SetVSync(0);
    EXPECT_EQ(application->IsVSync(), 0);
    EXPECT_EQ(renderer.GetVSync(), 0);
}

TEST_F(ApplicationTest, ClosingTheWindowQuitsWithoutCancelling)
{
    const PAL::CancelCallback onClose = application->GetWindow().GetCallbacks().onClose;
    ASSERT_NE(onClose, nullptr);
    u8 cancel = 0;
    onClose(&application->GetWindow(), &cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_FALSE(PAL::PumpMessages());
    EXPECT_TRUE(PAL::PumpMessages());

    application->Quit();
    EXPECT_FALSE(PAL::PumpMessages());
}
