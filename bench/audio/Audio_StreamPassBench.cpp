#include "tools/soundgen/SoundGen_Vorbis.h"
#include "audio/Audio_SoundEngine.h"

#include <AL/al.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

// One pass of the streaming thread over 16 streamed sources, as the game streams music: Ogg
// Vorbis at 44.1 kHz stereo in two buffers of 0.5 s. The engine's own thread sleeps through the
// run; the benchmark makes the passes.
namespace
{
    constexpr int StreamCount = 16;
    constexpr long Rate = 44100;
    constexpr long Frames = Rate * 3;

    const bool nullDevice = ::setenv("ALSOFT_DRIVERS", "null", 0) == 0;

    // Three seconds of a stereo chord, the kind of signal music streams carry.
    std::vector<unsigned char> EncodeMusic()
    {
        std::vector<float> samples(Frames * 2);
        for (long i = 0; i < Frames; ++i)
        {
            const double t = static_cast<double>(i) / Rate;
            samples[i * 2] = static_cast<float>(0.3 * std::sin(2 * M_PI * 262 * t) + 0.2 * std::sin(2 * M_PI * 330 * t));
            samples[i * 2 + 1] = static_cast<float>(0.3 * std::sin(2 * M_PI * 392 * t) + 0.2 * std::sin(2 * M_PI * 523 * t));
        }
        std::vector<unsigned char> music;
        SoundGen::EncodeOggVorbis(samples, 2, Rate, 0.4, "music", music);
        return music;
    }

    struct StreamingEngine
    {
        std::string folder;
        SoundEngine engine;
        std::vector<SoundSource*> sources;
        bool ready = false;

        StreamingEngine()
        {
            folder = std::filesystem::temp_directory_path().string() + "/morvane_audio_bench_" + std::to_string(::getpid());
            std::filesystem::create_directories(folder);
            const std::string path = folder + "/music.ogg";
            const std::vector<unsigned char> music = EncodeMusic();
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(music.data()),
                                                        static_cast<std::streamsize>(music.size()));
            if (!engine.Initialize(-1, 3600000))
                return;
            for (int i = 0; i < StreamCount; ++i)
            {
                SoundData* data = engine.CreateStreamData(Core::String(path.c_str()), 0.5f, 2);
                SoundSource* source = engine.CreateSource(data, false, true);
                if (!source || !engine.Play(source))
                    return;
                sources.push_back(source);
            }
            ready = true;
        }

        ~StreamingEngine() { std::filesystem::remove_all(folder); }
    };
}

// The usual pass: every stream is playing and none has used up a buffer since the last pass.
static void BM_StreamPassNothingToRefill(benchmark::State& state)
{
    StreamingEngine streaming;
    if (!streaming.ready)
    {
        state.SkipWithError("no sound device");
        return;
    }
    for (auto _ : state)
        streaming.engine.ServeSources();
    state.counters["streams"] = StreamCount;
}
BENCHMARK(BM_StreamPassNothingToRefill)->Unit(benchmark::kMicrosecond);

// The heaviest pass: every stream has both buffers processed (stopped from outside), so each one
// decodes a second of music and is restarted.
static void BM_StreamPassRefillingEveryBuffer(benchmark::State& state)
{
    StreamingEngine streaming;
    if (!streaming.ready)
    {
        state.SkipWithError("no sound device");
        return;
    }
    for (auto _ : state)
    {
        state.PauseTiming();
        for (SoundSource* source : streaming.sources)
            alSourceStop(source->GetName());
        state.ResumeTiming();
        streaming.engine.ServeSources();
    }
    state.counters["streams"] = StreamCount;
    state.counters["audio_seconds_decoded"] = benchmark::Counter(static_cast<double>(state.iterations()) * StreamCount,
                                                     benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StreamPassRefillingEveryBuffer)->Unit(benchmark::kMillisecond);
