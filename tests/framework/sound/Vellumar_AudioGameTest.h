#pragma once
// A headless game (fake clock) for the sound and jukebox objects, with tone files written by the
// test: short ones are loaded whole, long ones streamed. The game's sound engine mixes only what the
// test renders, so no source gets anywhere between two steps of the test.
#include "tests/support/Support_SoundFiles.h"
#include "audio/Audio_SoundEngine.h"
#include "tests/framework/Framework_GameFixture.h"
#include "tests/support/Support_Scratch.h"

namespace AudioTest
{
class AudioGameTest : public FrameworkTest::GameFixture
{
protected:
    static constexpr u32 Rate = 22050;

    void SetUp() override
    {
        SoundEngine::SetRenderedOutputRate(Rate);
        GameFixture::SetUp();
    }

    void TearDown() override
    {
        GameFixture::TearDown();
        SoundEngine::SetRenderedOutputRate(0);
    }

    // A game of two levels, each with one layer of z order 0, stepped to its first level.
    void StartGame()
    {
        MakeGame(2);
        for (u32 level = 0; level < 2; ++level)
        {
            factory->builders[level] = [](Vellumar::Level& built) { built.AddLayer(new Vellumar::Layer(0.0f)); };
        }
        Start();
        baseSources = Engine().GetSourceCount();
    }

    // Sources made since the game started (the engine keeps one of its own until the first
    // level switch).
    u32 Sources() { return Engine().GetSourceCount() - baseSources; }

    SoundEngine& Engine() { return *game->GetSoundEngine(); }
    Vellumar::Layer* FirstLayer() { return game->GetCurrentLevel()->GetLayer(0u); }

    // A mono 16-bit tone of the given length; 6 s and more reach the streaming threshold.
    Core::String Tone(const std::string& name, f32 seconds)
    {
        return Core::String(scratch.Write(name, MakeWav(1, 16, Rate, static_cast<u32>(Rate * seconds))).c_str());
    }

    TestSupport::ScratchFolder scratch{"morvane_audio_objects"};
    u32 baseSources = 0;
};
}  // namespace AudioTest
