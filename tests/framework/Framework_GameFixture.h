#pragma once
// A whole game stepped frame by frame without a display: the recording renderer, a scripted
// keyboard and mouse, a fake clock and OpenAL's null output. Levels come from a factory whose
// builders the test chooses; the game, its levels and its objects write what they do to one log.
#include "platform/Input_Mouse.h"
#include "core/Core_Random.h"
#include "core/PAL_Clock.h"
#include "engine/Engine_ApplicationRendering.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_LevelFactory.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/support/Input_FakeSource.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace FrameworkTest
{
using Log = std::vector<std::string>;

// A game object that logs its hooks as "<name>.<hook>"; each hook may also run a test action.
class LoggingObject : public Vellumar::GameObject
{
public:
    LoggingObject(Log& log, const char* objectName) : log(&log) { SetName(objectName); }
    LoggingObject(const LoggingObject& other) : Vellumar::GameObject(other), log(other.log) {}

    LoggingObject* Clone() const override { return new LoggingObject(*this); }
    void OnStart() override { Note("OnStart", onStart); }
    void OnEnd() override { Note("OnEnd", onEnd); }
    void ScriptUpdate(f32) override { Note("Update", onUpdate); }
    void LateUpdate(f32) override { Note("LateUpdate", nullptr); }
    void LateUpdate2(f32) override { Note("LateUpdate2", onLateUpdate2); }
    void Cleanup() override
    {
        if (!IsCleanedUp())
        {
            Note("Cleanup", onCleanup);
        }
        Vellumar::GameObject::Cleanup();
    }

    std::function<void()> onStart;
    std::function<void()> onEnd;
    std::function<void()> onUpdate;
    std::function<void()> onLateUpdate2;
    std::function<void()> onCleanup;

private:
    void Note(const char* hook, const std::function<void()>& action)
    {
        log->push_back(std::string(GetName().c_str()) + "." + hook);
        if (action)
        {
            action();
        }
    }

    Log* log;
};

class LoggingLevel : public Vellumar::Level
{
public:
    LoggingLevel(Log& log, std::string levelName) : log(log) { SetName(levelName.c_str()); }

    void OnStart() override { log.push_back(std::string(GetName().c_str()) + ".OnStart"); }
    void OnEnd() override { log.push_back(std::string(GetName().c_str()) + ".OnEnd"); }
    void Update(f32) override { log.push_back(std::string(GetName().c_str()) + ".Update"); }

private:
    Log& log;
};

// Levels "L0" .. "L<count - 1>"; a builder set for an index fills that level.
class TestFactory : public Vellumar::LevelFactory
{
public:
    using Builder = std::function<void(Vellumar::Level&)>;

    TestFactory(Log& log, u32 count) : log(log), count(count), builders(count) {}

    u32 GetLevelsCount() override { return count; }
    Vellumar::Level* CreateLevel(u32 index) override
    {
        ++created;
        auto* level = new LoggingLevel(log, "L" + std::to_string(index));
        log.push_back("Create." + std::to_string(index));
        if (index < builders.size() && builders[index])
        {
            builders[index](*level);
        }
        return level;
    }
    void OnLevelSwitch() override { log.push_back("OnLevelSwitch"); }
    bool GetLevelIndex(const Core::String& name, u32* index) override
    {
        for (u32 i = 0; i < count; ++i)
        {
            if (name == ("L" + std::to_string(i)).c_str())
            {
                *index = i;
                return true;
            }
        }
        return false;
    }

    Log& log;
    u32 count;
    std::vector<Builder> builders;
    u32 created = 0;
};

// What a headless game is made with: a small window's settings and the recording renderer.
inline Engine::ApplicationSettings HeadlessSettings()
{
    Engine::ApplicationSettings settings;
    settings.width = 320;
    settings.height = 240;
    return settings;
}

inline Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

class TestGame : public Vellumar::Game
{
public:
    TestGame(Vellumar::LevelFactory* factory, u32 startingLevel, Input::Source& input, Log& log)
        : Vellumar::Game(factory, HeadlessSettings(), startingLevel, &MakeRecordingRenderer, input), log(log)
    {
    }

    void OnStart() override { log.push_back("Game.OnStart"); }
    void OnEnd() override { log.push_back("Game.OnEnd"); }
    void PreLevelUpdate(f32 dt) override
    {
        lastDt = dt;
        log.push_back("Game.PreLevelUpdate");
    }
    void PostCollisionUpdate(f32) override
    {
        log.push_back("Game.PostCollisionUpdate");
        if (onPostCollision)
        {
            onPostCollision();
        }
    }

    using Vellumar::Game::ResetForLoad;

    Renderer::RecordingRenderer& Recording() { return static_cast<Renderer::RecordingRenderer&>(*GetRenderer()); }

    Log& log;
    f32 lastDt = 0.0f;
    std::function<void()> onPostCollision;
};

// Any game stepped headless: the fake clock and the scripted input it is made with, and the main
// loop's pass. Tests of a game class derive from it and make their game over HeadlessSettings,
// MakeRecordingRenderer and input.
class HeadlessGameTest : public ::testing::Test
{
protected:
    static constexpr f64 FrameMs = 16.0;

    // A new process's state: the mouse's start guard, the object ids and the random generator.
    void SetUp() override
    {
        Input::MouseImp::ForgetStartGuardPosition();
        Vellumar::GameObject::ResetIdCounter();
        Core::Random::Instance().Reset();
    }

    // One pass of the main loop; the frame lasts ms of the fake clock, measured at its end.
    void RunFrame(Engine::Application& application, f64 ms = FrameMs)
    {
        application.BeginFrame();
        application.Update();
        application.EndFrame();
        clock.Advance(ms);
    }

    PAL::ScopedFakeClock clock{1000.0};
    FakeSource input;
};

// The framework's own game over a test factory, with a log of hooks.
class GameFixture : public HeadlessGameTest
{
protected:

    void TearDown() override
    {
        if (game)
        {
            game->Shutdown();
            game = nullptr;
        }
    }

    // A game over levelCount levels, not yet stepped.
    void MakeGame(u32 levelCount = 3, u32 startingLevel = 0)
    {
        factory = new TestFactory(log, levelCount);
        game = new TestGame(factory.Get(), startingLevel, input, log);
        game->SetSaveFolder(SaveFolder());
    }

    void RunFrame(f64 ms = FrameMs) { HeadlessGameTest::RunFrame(*game, ms); }

    // The first frame creates the level, the second measures the first, the third does the first
    // frame's work: the level's objects enter their layers.
    void Start()
    {
        RunFrame();
        RunFrame();
        RunFrame();
    }

    void RunFrames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            RunFrame();
        }
    }

    // The log entries that start with the prefix, in order.
    Log Entries(const std::string& prefix) const
    {
        Log found;
        for (const std::string& entry : log)
        {
            if (entry.rfind(prefix, 0) == 0)
            {
                found.push_back(entry);
            }
        }
        return found;
    }

    // The save folder of this test's games, never the one beside the program that every test
    // program shares.
    Core::String SaveFolder() const { return Core::String(saves.Path().string().c_str()); }

    TestSupport::ScratchFolder saves{"morvane_saves"};
    Log log;
    Core::RefPtr<TestFactory> factory;
    Core::RefPtr<TestGame> game;
};
}  // namespace FrameworkTest
