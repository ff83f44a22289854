#pragma once

#include "Audio_TestFiles.h"
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
    // passes itself, at the moments it chooses.
    class EngineTest : public ::testing::Test
    {
    protected:
        static constexpr u32 IdlePeriodMs = 600000;

        void SetUp() override
        {
            ASSERT_TRUE(engine.Initialize(-1, IdlePeriodMs));
        }

        Core::String Write(const std::string& name, const Bytes& bytes)
        {
            return Core::String(scratch.Write(name, bytes).c_str());
        }

        // Serves the sources every millisecond until the condition holds.
        template <typename Condition>
        bool ServeUntil(Condition condition)
        {
            return WaitUntil([&] {
                engine.ServeSources();
                return condition();
            });
        }

        TestSupport::ScratchFolder scratch{"morvane_audio_engine"};
        SoundEngine engine;
    };
}
