#include "Audio_TestSupport.h"

#include "tests/support/Support_Deadline.h"

#include <algorithm>
#include <cstdio>

using namespace AudioTest;

namespace
{
    // A streaming thread that never ends fails its test at once instead of at CTest's time-out.
    const bool deadlines = TestSupport::InstallTestDeadline(std::chrono::seconds(120));

    // 0.3 s of 8 kHz mono 16-bit: 4800 bytes, streamed in two buffers of 800 bytes (0.05 s).
    constexpr u32 StreamFrames = 2400;
    constexpr float BufferSeconds = 0.05f;
    constexpr u32 ChunkBytes = 800;

    class StreamThreadTest : public EngineTest
    {
    protected:
        SoundSource* MakeStream(bool looping, u32 frames = StreamFrames)
        {
            data = engine.CreateStreamData(Write("stream.wav", MakeWav(1, 16, 8000, frames)), BufferSeconds, 2);
            return data ? engine.CreateSource(data, false, looping) : nullptr;
        }

        // Where the next chunk will be read from, counted from the first sample.
        long ReadPosition() const
        {
            return static_cast<long>(ftello(data->GetFormat().file)) - data->GetFormat().dataOffset;
        }

        SoundData* data = nullptr;
    };
}

TEST_F(StreamThreadTest, NonLoopingStreamEndsRewoundAndPlaysAgainFromTheStart)
{
    SoundSource* source = MakeStream(false);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(ServeUntil([&] { return !engine.GetPlayingFlag(source); }));

    EXPECT_EQ(SourceInt(source, AL_SOURCE_STATE), AL_INITIAL);
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), 2);
    EXPECT_EQ(ReadPosition(), 2 * ChunkBytes);

    ASSERT_TRUE(engine.Play(source));
    EXPECT_TRUE(engine.IsPlaying(source));
    EXPECT_LT(SourceInt(source, AL_SAMPLE_OFFSET), static_cast<ALint>(StreamFrames / 2));
}

TEST_F(StreamThreadTest, LoopingStreamContinuesFromItsStart)
{
    SoundSource* source = MakeStream(true);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(engine.Play(source));
    long furthest = 0;
    bool wrapped = false;
    ASSERT_TRUE(ServeUntil([&] {
        const long position = ReadPosition();
        wrapped = wrapped || position < furthest;
        furthest = std::max(furthest, position);
        return wrapped;
    }));
    engine.ServeSources();
    EXPECT_TRUE(engine.GetPlayingFlag(source));
    EXPECT_TRUE(source->IsActive());
}

TEST_F(StreamThreadTest, StarvedStreamPlaysOnOnceRefilled)
{
    SoundSource* source = MakeStream(false, 16000);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(RenderUntil([&] { return !engine.IsPlaying(source); }));
    EXPECT_TRUE(engine.GetPlayingFlag(source));

    engine.ServeSources();
    EXPECT_TRUE(engine.IsPlaying(source));
    EXPECT_TRUE(engine.GetPlayingFlag(source));
    EXPECT_EQ(ReadPosition(), 4 * ChunkBytes);
}

TEST_F(StreamThreadTest, StoppedStreamIsReadyAtItsStart)
{
    SoundSource* source = MakeStream(false, 16000);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(ServeUntil([&] { return ReadPosition() > 4 * static_cast<long>(ChunkBytes); }));

    EXPECT_TRUE(engine.Stop(source));
    EXPECT_FALSE(engine.GetPlayingFlag(source));
    EXPECT_EQ(SourceInt(source, AL_SOURCE_STATE), AL_INITIAL);
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), 2);
    EXPECT_EQ(ReadPosition(), 2 * ChunkBytes);
}

TEST_F(StreamThreadTest, RewindKeepsAPlayingStreamPlaying)
{
    SoundSource* source = MakeStream(false, 16000);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(ServeUntil([&] { return ReadPosition() > 4 * static_cast<long>(ChunkBytes); }));
    EXPECT_TRUE(engine.Rewind(source));
    EXPECT_TRUE(engine.IsPlaying(source));
    EXPECT_EQ(ReadPosition(), 2 * ChunkBytes);
}

TEST_F(StreamThreadTest, LoopingIntroPlaysOnceThenTheLoopRepeats)
{
    SoundData* split = engine.LoadSoundData(Write("intro.wav", MakeWav(1, 16, 8000, 800)), 0.5f);
    SoundSource* source = engine.CreateSource(split, false, true);
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(source->GetKind(), SoundSource::KindIntroAndLoop);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(ServeUntil([&] { return SourceInt(source, AL_BUFFERS_QUEUED) == 1; }));
    EXPECT_EQ(SourceInt(source, AL_LOOPING), AL_TRUE);

    ASSERT_TRUE(RenderUntil([&] { return SourceInt(source, AL_SAMPLE_OFFSET) > 200; }));
    ASSERT_TRUE(RenderUntil([&] { return SourceInt(source, AL_SAMPLE_OFFSET) < 200; }));
    engine.ServeSources();
    EXPECT_TRUE(engine.IsPlaying(source));
    EXPECT_TRUE(engine.GetPlayingFlag(source));

    EXPECT_TRUE(engine.Stop(source));
    EXPECT_TRUE(engine.Play(source));
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), 1);
}

TEST_F(StreamThreadTest, LoopPartEndsOnceLoopingIsTurnedOff)
{
    SoundData* split = engine.LoadSoundData(Write("intro.wav", MakeWav(1, 16, 8000, 800)), 0.5f);
    SoundSource* source = engine.CreateSource(split, false, true);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(ServeUntil([&] { return SourceInt(source, AL_BUFFERS_QUEUED) == 1; }));
    ASSERT_TRUE(source->SetLooping(false));
    engine.ServeSources();
    EXPECT_EQ(SourceInt(source, AL_LOOPING), AL_FALSE);
    ASSERT_TRUE(RenderUntil([&] { return !engine.IsPlaying(source); }));
    engine.ServeSources();
    EXPECT_FALSE(engine.GetPlayingFlag(source));
}

// A pass that comes only after both parts have played requeues the loop part alone and restarts it.
TEST_F(StreamThreadTest, LoopingIntroServedLateRestartsWithTheLoopAlone)
{
    SoundData* split = engine.LoadSoundData(Write("intro.wav", MakeWav(1, 16, 8000, 2000)), 0.5f);
    SoundSource* source = engine.CreateSource(split, false, true);
    ASSERT_NE(source, nullptr);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(RenderUntil([&] { return !engine.IsPlaying(source); }));
    ASSERT_EQ(SourceInt(source, AL_BUFFERS_PROCESSED), 2);
    engine.ServeSources();
    EXPECT_TRUE(engine.IsPlaying(source));
    EXPECT_TRUE(engine.GetPlayingFlag(source));
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), 1);
    EXPECT_EQ(SourceInt(source, AL_LOOPING), AL_TRUE);
}

TEST_F(StreamThreadTest, IntroWithoutLoopingEndsAndClearsItsFlag)
{
    SoundData* split = engine.LoadSoundData(Write("intro.wav", MakeWav(1, 16, 8000, 2000)), 0.5f);
    SoundSource* source = engine.CreateSource(split, false, false);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(RenderUntil([&] { return !engine.IsPlaying(source); }));
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_PROCESSED), 2);
    EXPECT_TRUE(engine.GetPlayingFlag(source));
    engine.ServeSources();
    EXPECT_FALSE(engine.GetPlayingFlag(source));
    EXPECT_EQ(SourceInt(source, AL_BUFFERS_QUEUED), 2);
}

TEST_F(StreamThreadTest, TheThreadServesSourcesOnItsOwn)
{
    engine.StopAllSources();
    engine.Shutdown();
    ASSERT_TRUE(engine.Initialize(-1, 2));
    SoundSource* effect =
        engine.CreateSource(engine.LoadSoundData(Write("t.wav", MakeWav(1, 16, 8000, 400)), 0.0f), false, false);
    SoundSource* music = MakeStream(false);
    ASSERT_TRUE(effect && music);
    ASSERT_TRUE(engine.Play(effect));
    ASSERT_TRUE(engine.Play(music));
    EXPECT_TRUE(RenderUntil([&] { return !engine.GetPlayingFlag(effect) && !engine.GetPlayingFlag(music); }));
    EXPECT_EQ(SourceInt(music, AL_BUFFERS_QUEUED), 2);
}
