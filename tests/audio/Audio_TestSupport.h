#pragma once

#include "tests/support/Support_SoundFiles.h"
#include "audio/Audio_SoundEngine.h"
#include "tests/support/Support_Scratch.h"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace AudioTest
{
    // OpenAL plays in real time even on the null backend, so tests wait for the state they need.
    // The limit only keeps a broken build from hanging; no assertion is about how long it took.
    template <typename Condition>
    bool WaitUntil(Condition condition, int limitMs = 20000)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (!condition())
        {
            if (std::chrono::steady_clock::now() > limit)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    inline ALint SourceInt(const SoundSource* source, ALenum parameter)
    {
        ALint value = -1;
        alGetSourcei(source->GetName(), parameter, &value);
        return value;
    }

    inline ALint BufferInt(u32 buffer, ALenum parameter)
    {
        ALint value = -1;
        alGetBufferi(buffer, parameter, &value);
        return value;
    }

    // An engine whose streaming thread serves once and then sleeps, so that each test runs the
    // passes itself, at the moments it chooses. Its output is mixed only when the test renders it,
    // at the rate of the test sounds, so how far a source got is decided by the test's own steps;
    // a fixture made with rate 0 opens the default device instead.
    class EngineTest : public ::testing::Test
    {
    protected:
        explicit EngineTest(u32 rate = OutputRate) : outputRate(rate) {}

        static constexpr u32 IdlePeriodMs = 600000;
        static constexpr u32 OutputRate = 8000;
        // One step renders 10 ms of output; a condition not met within a minute of output fails.
        static constexpr u32 StepFrames = OutputRate / 100;
        static constexpr int StepLimit = 6000;

        void SetUp() override
        {
            SoundEngine::SetRenderedOutputRate(outputRate);
            ASSERT_TRUE(engine.Initialize(-1, IdlePeriodMs));
            // From here on only the test serves: the thread has made its one pass.
            ASSERT_TRUE(WaitUntil([&] { return engine.GetServePassCount() > 0; }));
        }

        void TearDown() override
        {
            SoundEngine::SetRenderedOutputRate(0);
        }

        // Renders output step by step until the condition holds. The streaming thread, when one
        // serves on its own, gets a moment between steps; a late thread only costs steps.
        template <typename Condition>
        bool RenderUntil(Condition condition)
        {
            for (int step = 0; step < StepLimit; ++step)
            {
                if (condition())
                    return true;
                if (!engine.RenderOutput(StepFrames))
                    return false;
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            return condition();
        }

        Core::String Write(const std::string& name, const Bytes& bytes)
        {
            return Core::String(scratch.Write(name, bytes).c_str());
        }

        // Renders output and serves the sources step by step until the condition holds.
        template <typename Condition>
        bool ServeUntil(Condition condition)
        {
            for (int step = 0; step < StepLimit; ++step)
            {
                engine.ServeSources();
                if (condition())
                    return true;
                if (!engine.RenderOutput(StepFrames))
                    return false;
            }
            return false;
        }

        const u32 outputRate;
        TestSupport::ScratchFolder scratch{"morvane_audio_engine"};
        SoundEngine engine;
    };
}
