#include "audio/Audio_SoundEngine.h"

#include <AL/al.h>
#include <benchmark/benchmark.h>
#include <vorbis/vorbisenc.h>

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

    void AppendPage(std::vector<unsigned char>& out, const ogg_page& page)
    {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }

    void Drain(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::vector<unsigned char>& out)
    {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet))
            {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page))
                    AppendPage(out, page);
            }
        }
    }

    // Three seconds of a stereo chord, the kind of signal music streams carry.
    std::vector<unsigned char> EncodeMusic()
    {
        vorbis_info info;
        vorbis_info_init(&info);
        vorbis_encode_init_vbr(&info, 2, Rate, 0.4f);
        vorbis_comment comment;
        vorbis_comment_init(&comment);
        vorbis_dsp_state dsp;
        vorbis_analysis_init(&dsp, &info);
        vorbis_block block;
        vorbis_block_init(&dsp, &block);
        ogg_stream_state stream;
        ogg_stream_init(&stream, 7);
        std::vector<unsigned char> out;
        ogg_packet headers[3];
        vorbis_analysis_headerout(&dsp, &comment, &headers[0], &headers[1], &headers[2]);
        for (ogg_packet& header : headers)
            ogg_stream_packetin(&stream, &header);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page))
            AppendPage(out, page);
        for (long start = 0; start < Frames; start += 1024)
        {
            const long count = std::min(1024L, Frames - start);
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (long i = 0; i < count; ++i)
            {
                const double t = static_cast<double>(start + i) / Rate;
                buffer[0][i] = static_cast<float>(0.3 * std::sin(2 * M_PI * 262 * t) + 0.2 * std::sin(2 * M_PI * 330 * t));
                buffer[1][i] = static_cast<float>(0.3 * std::sin(2 * M_PI * 392 * t) + 0.2 * std::sin(2 * M_PI * 523 * t));
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            Drain(dsp, block, stream, out);
        }
        vorbis_analysis_wrote(&dsp, 0);
        Drain(dsp, block, stream, out);
        while (ogg_stream_flush(&stream, &page))
            AppendPage(out, page);
        ogg_stream_clear(&stream);
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
        return out;
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
