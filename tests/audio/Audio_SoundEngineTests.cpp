#include "Audio_TestSupport.h"

using namespace AudioTest;

// The engine on OpenAL's default device, as the game opens it.
class SoundEngineTest : public EngineTest
{
protected:
    SoundEngineTest() : EngineTest(0) {}
};

using RenderedEngineTest = EngineTest;

TEST(SoundEngineWithoutDevice, StaysSilentAndReportsFailure)
{
    const TestSupport::ScratchFolder scratch("morvane_audio_silent");
    const std::string tone = scratch.Write("tone.wav", MakeWav(1, 16, 8000, 800));
    SoundEngine engine;
    EXPECT_FALSE(engine.IsInitialized());
    EXPECT_EQ(engine.GetSpeedOfSound(), 0.0f);
    EXPECT_EQ(engine.GetDistanceModel(), 2u);
    EXPECT_EQ(engine.GetStreamingPeriod(), 1u);
    EXPECT_EQ(engine.LoadSound(Core::String(tone.c_str()), 0x40000), nullptr);
    EXPECT_FALSE(engine.SetListenerGain(0.5f));
    EXPECT_EQ(engine.GetListenerGain(), 1.0f);
    EXPECT_FALSE(engine.SetDistanceModel(3));
    EXPECT_EQ(engine.GetDistanceModel(), 2u);
    EXPECT_FALSE(engine.Play(nullptr));
    EXPECT_FALSE(engine.GetPlayingFlag(nullptr));
    engine.StopAllSources();
    engine.Shutdown();
}

TEST_F(SoundEngineTest, InitializeOpensTheDefaultDeviceOnce)
{
    EXPECT_TRUE(engine.IsInitialized());
    ASSERT_FALSE(engine.GetDeviceNames().empty());
    EXPECT_LT(engine.GetDefaultDeviceIndex(), engine.GetDeviceNames().size());
    EXPECT_EQ(engine.GetStreamingPeriod(), IdlePeriodMs);
    EXPECT_FLOAT_EQ(engine.GetSpeedOfSound(), 343.3f);
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_INVERSE_DISTANCE_CLAMPED);
    ASSERT_NE(engine.GetDefaultSource(), nullptr);
    EXPECT_EQ(engine.GetDefaultSource()->GetKind(), SoundSource::KindNone);
    EXPECT_TRUE(engine.GetDefaultSource()->IsListenerRelative());
    EXPECT_EQ(engine.GetSourceCount(), 1u);

    EXPECT_FALSE(engine.Initialize(-1, 30));
    EXPECT_EQ(engine.GetStreamingPeriod(), IdlePeriodMs);
    EXPECT_EQ(engine.GetSourceCount(), 1u);
}

// The sources and buffers of a closed device go with it: none of their names can alias an object
// of the next context.
TEST_F(SoundEngineTest, ShutdownReleasesEveryRecordAndTheDefaultDeviceOpensAgain)
{
    const Core::String path = Write("t.wav", MakeWav(1, 16, 8000, 800));
    ASSERT_NE(engine.CreateSource(engine.LoadSoundData(path, 0.0f), false, false), nullptr);
    engine.Shutdown();
    EXPECT_FALSE(engine.IsInitialized());
    EXPECT_EQ(engine.GetSpeedOfSound(), 0.0f);
    EXPECT_EQ(engine.GetSourceCount(), 0u);
    EXPECT_EQ(engine.GetDataCount(), 0u);
    EXPECT_EQ(engine.FindLoadedData(path, 0.0f), nullptr);

    const int past = static_cast<int>(engine.GetDeviceNames().size());
    ASSERT_TRUE(engine.Initialize(past, 30));
    EXPECT_TRUE(engine.IsInitialized());
    EXPECT_EQ(engine.GetStreamingPeriod(), 30u);
    EXPECT_EQ(engine.GetSourceCount(), 1u);
    SoundSource* source = engine.CreateSource(engine.LoadSoundData(path, 0.0f), false, false);
    ASSERT_NE(source, nullptr);
    EXPECT_NE(source->GetName(), engine.GetDefaultSource()->GetName());
    EXPECT_TRUE(engine.Play(source));
}

TEST_F(SoundEngineTest, DistanceModelsReachOpenALAndLargerValuesAreOnlyRemembered)
{
    EXPECT_TRUE(engine.SetDistanceModel(3));
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_LINEAR_DISTANCE);
    EXPECT_TRUE(engine.SetDistanceModel(0));
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_NONE);
    EXPECT_TRUE(engine.SetDistanceModel(9));
    EXPECT_EQ(engine.GetDistanceModel(), 9u);
    EXPECT_EQ(alGetInteger(AL_DISTANCE_MODEL), AL_NONE);
}

TEST_F(SoundEngineTest, ListenerKeepsTheLastAcceptedValues)
{
    EXPECT_TRUE(engine.SetListenerPosition(Math::Vector3D(1.0f, 2.0f, 3.0f)));
    EXPECT_EQ(engine.GetListenerPosition(), Math::Vector3D(1.0f, 2.0f, 3.0f));
    ALfloat position[3] = {};
    alGetListenerfv(AL_POSITION, position);
    EXPECT_EQ(position[2], 3.0f);
    EXPECT_TRUE(engine.SetListenerGain(0.25f));
    EXPECT_FALSE(engine.SetListenerGain(-1.0f));
    EXPECT_EQ(engine.GetListenerGain(), 0.25f);
}

TEST_F(SoundEngineTest, SourceKindsFollowTheAttachedData)
{
    const Core::String path = Write("tone.wav", MakeWav(2, 16, 8000, 4000));
    SoundData* whole = engine.LoadSoundData(path, 0.0f);
    SoundData* split = engine.LoadSoundData(path, 0.5f);
    SoundData* stream = engine.CreateStreamData(path, 0.1f, 3);
    ASSERT_TRUE(whole && split && stream);

    SoundSource* staticSource = engine.CreateSource(whole, false, false);
    SoundSource* introSource = engine.CreateSource(split, true, true);
    SoundSource* streamSource = engine.CreateSource(stream, false, false);
    ASSERT_TRUE(staticSource && introSource && streamSource);
    EXPECT_EQ(staticSource->GetKind(), SoundSource::KindStatic);
    EXPECT_EQ(introSource->GetKind(), SoundSource::KindIntroAndLoop);
    EXPECT_EQ(streamSource->GetKind(), SoundSource::KindStream);
    EXPECT_EQ(SourceInt(introSource, AL_BUFFERS_QUEUED), 2);
    EXPECT_EQ(SourceInt(streamSource, AL_BUFFERS_QUEUED), 3);
    EXPECT_EQ(SourceInt(introSource, AL_SOURCE_RELATIVE), AL_TRUE);
    EXPECT_EQ(SourceInt(staticSource, AL_SOURCE_RELATIVE), AL_FALSE);
    EXPECT_EQ(staticSource->GetData(), whole);
    EXPECT_EQ(engine.GetSourceCount(), 4u);

    EXPECT_EQ(engine.CreateSource(nullptr, false, false), nullptr);
    EXPECT_EQ(engine.GetSourceCount(), 4u);
}

TEST_F(SoundEngineTest, ReleasingFreesOnlyRecordsOfThisEngine)
{
    SoundData* data = engine.LoadSoundData(Write("tone.wav", MakeWav(1, 16, 8000, 800)), 0.0f);
    SoundSource* source = engine.CreateSource(data, false, false);
    ASSERT_NE(source, nullptr);
    SoundSource stranger;
    EXPECT_FALSE(engine.ReleaseSource(&stranger));
    EXPECT_FALSE(engine.ReleaseSource(nullptr));
    EXPECT_TRUE(engine.ReleaseSource(source));
    EXPECT_FALSE(engine.ReleaseSource(source));
    EXPECT_EQ(engine.GetSourceCount(), 1u);
    EXPECT_EQ(engine.GetDataCount(), 1u);
}

TEST_F(SoundEngineTest, LoopingReachesOpenALOnlyForStaticSources)
{
    const Core::String path = Write("tone.wav", MakeWav(1, 16, 8000, 4000));
    SoundSource* staticSource = engine.CreateSource(engine.LoadSoundData(path, 0.0f), false, false);
    SoundSource* streamSource = engine.CreateSource(engine.CreateStreamData(path, 0.1f, 2), false, false);
    ASSERT_TRUE(staticSource && streamSource);

    EXPECT_TRUE(staticSource->SetLooping(true));
    EXPECT_EQ(SourceInt(staticSource, AL_LOOPING), AL_TRUE);
    EXPECT_TRUE(streamSource->SetLooping(true));
    EXPECT_TRUE(streamSource->IsLooping());
    EXPECT_EQ(SourceInt(streamSource, AL_LOOPING), AL_FALSE);

    SoundSource* loopingFromStart = engine.CreateSource(engine.LoadSoundData(path, 0.0f), false, true);
    EXPECT_EQ(SourceInt(loopingFromStart, AL_LOOPING), AL_TRUE);
}

TEST_F(SoundEngineTest, RefusedSettingsKeepThePreviousValue)
{
    SoundSource* source = engine.CreateSource(engine.LoadSoundData(Write("t.wav", MakeWav(1, 8, 8000, 80)), 0.0f), false, false);
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(source->SetGain(0.5f));
    EXPECT_FALSE(source->SetGain(-2.0f));
    EXPECT_EQ(source->GetGain(), 0.5f);
    EXPECT_TRUE(source->SetPitch(1.5f));
    EXPECT_FALSE(source->SetPitch(-1.0f));
    EXPECT_EQ(source->GetPitch(), 1.5f);
    EXPECT_TRUE(source->SetReferenceDistance(4.0f));
    EXPECT_FALSE(source->SetReferenceDistance(-4.0f));
    EXPECT_EQ(source->GetReferenceDistance(), 4.0f);
    EXPECT_TRUE(source->SetPosition(Math::Vector3D(5.0f, 6.0f, 7.0f)));
    EXPECT_EQ(source->GetPosition(), Math::Vector3D(5.0f, 6.0f, 7.0f));
}

TEST_F(SoundEngineTest, PlayDoesNotRestartAndResumesAPausedSource)
{
    SoundSource* source = engine.CreateSource(engine.LoadSoundData(Write("t.wav", MakeWav(1, 16, 8000, 80000)), 0.0f), false, false);
    ASSERT_NE(source, nullptr);
    EXPECT_FALSE(engine.GetPlayingFlag(source));
    EXPECT_TRUE(engine.Play(source));
    EXPECT_TRUE(engine.GetPlayingFlag(source));
    EXPECT_TRUE(engine.IsPlaying(source));
    EXPECT_FALSE(engine.Play(source));

    EXPECT_TRUE(engine.Pause(source));
    EXPECT_FALSE(engine.IsPlaying(source));
    EXPECT_TRUE(source->IsActive());
    engine.ServeSources();
    EXPECT_TRUE(engine.GetPlayingFlag(source));
    EXPECT_TRUE(engine.Play(source));
    EXPECT_TRUE(engine.IsPlaying(source));

    EXPECT_TRUE(engine.Stop(source));
    EXPECT_FALSE(engine.GetPlayingFlag(source));
    EXPECT_FALSE(source->IsActive());
}

TEST_F(RenderedEngineTest, FinishedStaticSoundLosesItsPlayingFlagOnTheNextPass)
{
    SoundSource* source = engine.CreateSource(engine.LoadSoundData(Write("t.wav", MakeWav(1, 16, 8000, 2000)), 0.0f), false, false);
    ASSERT_TRUE(engine.Play(source));
    ASSERT_TRUE(RenderUntil([&] { return !engine.IsPlaying(source); }));
    EXPECT_TRUE(engine.GetPlayingFlag(source));
    engine.ServeSources();
    EXPECT_FALSE(engine.GetPlayingFlag(source));
}

TEST_F(SoundEngineTest, SplitLoadsCutAtAWholeFrame)
{
    const Core::String path = Write("tone.wav", MakeWav(2, 16, 8000, 1001));
    const u32 size = 1001 * 4;
    SoundData* split = engine.LoadSoundData(path, 0.3f);
    ASSERT_NE(split, nullptr);
    ASSERT_EQ(split->GetBufferCount(), 2u);
    const u32 first = static_cast<u32>(size * 0.3) / 4 * 4;
    EXPECT_EQ(BufferInt(split->GetBuffers()[0], AL_SIZE), static_cast<ALint>(first));
    EXPECT_EQ(BufferInt(split->GetBuffers()[1], AL_SIZE), static_cast<ALint>(size - first));
    EXPECT_EQ(split->GetDecodeBuffer(), nullptr);

    SoundData* clamped = engine.LoadSoundData(path, 1.5f);
    ASSERT_NE(clamped, nullptr);
    EXPECT_EQ(clamped->GetSplitFraction(), 1.0f);
    EXPECT_EQ(BufferInt(clamped->GetBuffers()[0], AL_SIZE), static_cast<ALint>(size));

    // Below 0 there is no intro: one buffer, and the source plays it as a static sound.
    SoundData* negative = engine.LoadSoundData(path, -0.5f);
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(negative->GetBufferCount(), 1u);
    EXPECT_EQ(negative->GetSplitFraction(), 0.0f);
    SoundSource* source = engine.CreateSource(negative, false, true);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetKind(), SoundSource::KindStatic);

    SoundData* whole = engine.LoadSoundData(path, 0.0f);
    ASSERT_EQ(whole->GetBufferCount(), 1u);
    EXPECT_EQ(BufferInt(whole->GetBuffers()[0], AL_SIZE), static_cast<ALint>(size));
    EXPECT_EQ(BufferInt(whole->GetBuffers()[0], AL_FREQUENCY), 8000);
}

TEST_F(SoundEngineTest, SoundsFromTheThresholdOnAreStreamed)
{
    const Core::String path = Write("second.wav", MakeWav(2, 16, 44100, 44100));
    const u32 size = 44100 * 4;
    SoundData* streamed = engine.LoadSound(path, size);
    ASSERT_NE(streamed, nullptr);
    EXPECT_EQ(streamed->GetBufferCount(), 2u);
    EXPECT_EQ(streamed->GetStreamBufferSize(), 88200u);
    EXPECT_TRUE(streamed->IsWavOpen());
    EXPECT_EQ(engine.FindLoadedData(path, 0.0f), nullptr);

    SoundData* whole = engine.LoadSound(path, size + 1);
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->GetBufferCount(), 1u);
    EXPECT_EQ(engine.FindLoadedData(path, 0.0f), whole);

    EXPECT_EQ(engine.LoadSound(Write("bad.wav", Bytes(40, 0)), 1), nullptr);
    EXPECT_EQ(engine.GetDataCount(), 2u);
}

TEST_F(SoundEngineTest, AFileThatGivesNoSoundIsNamedWithWhy)
{
    const Core::String missing = Write("present.wav", MakeWav(1, 16, 8000, 800)) + "x.wav";
    const Core::String broken = Write("broken.ogg", Bytes(40, 7));
    testing::internal::CaptureStderr();
    EXPECT_EQ(engine.LoadSound(missing, 1), nullptr);
    EXPECT_EQ(engine.LoadSoundData(broken, 0.5f), nullptr);
    EXPECT_EQ(engine.CreateStreamData(missing, 0.5f, 2), nullptr);
    EXPECT_EQ(engine.LoadSound(Core::String(), 1), nullptr);
    const std::string missingLine =
        "Sound \"" + std::string(missing.c_str()) + "\": No such file or directory; it stays silent\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              missingLine + "Sound \"" + broken.c_str() +
                  "\": it is no WAV or Ogg Vorbis sound that can be played (broken, or of another kind); it stays "
                  "silent\n" + missingLine);
}

TEST_F(SoundEngineTest, LongOggStreamsWithTheGameThreshold)
{
    const Core::String path = Write("music.ogg", MakeOgg(2, 44100, 70000));
    SoundData* music = engine.LoadSound(path, 0x40000);
    ASSERT_NE(music, nullptr);
    EXPECT_TRUE(music->IsOggOpen());
    EXPECT_EQ(music->GetStreamBufferSize(), 88200u);
    EXPECT_EQ(BufferInt(music->GetBuffers()[0], AL_SIZE), 88200);
    EXPECT_EQ(engine.GetDataName(music), path);

    SoundData* effect = engine.LoadSound(Write("effect.ogg", MakeOgg(1, 22050, 5000)), 0x40000);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetBufferCount(), 1u);
    EXPECT_EQ(BufferInt(effect->GetBuffers()[0], AL_SIZE), 10000);
}

TEST_F(SoundEngineTest, StreamsHaveAtLeastTwoBuffers)
{
    const Core::String path = Write("tone.wav", MakeWav(1, 16, 8000, 8000));
    for (u32 count : {0u, 1u})
    {
        SoundData* stream = engine.CreateStreamData(path, 0.1f, count);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->GetBufferCount(), 2u);
        EXPECT_EQ(BufferInt(stream->GetBuffers()[1], AL_SIZE), 1600);
    }
}

TEST_F(SoundEngineTest, CacheMatchesNameAndFractionAndStopAllEmptiesEverything)
{
    const Core::String path = Write("tone.wav", MakeWav(1, 16, 8000, 800));
    SoundData* half = engine.LoadSoundData(path, 0.5f);
    SoundData* whole = engine.LoadSoundData(path, 0.0f);
    engine.CreateStreamData(path, 0.05f, 2);
    EXPECT_EQ(engine.FindLoadedData(path, 0.5f), half);
    EXPECT_EQ(engine.FindLoadedData(path, 0.0f), whole);
    EXPECT_EQ(engine.FindLoadedData(path, 0.25f), nullptr);
    EXPECT_EQ(engine.FindLoadedData(Core::String("other.wav"), 0.0f), nullptr);
    EXPECT_EQ(engine.GetCacheCount(), 2u);
    ASSERT_NE(engine.CreateSource(whole, false, false), nullptr);

    engine.StopAllSources();
    EXPECT_EQ(engine.GetSourceCount(), 0u);
    EXPECT_EQ(engine.GetDefaultSource(), nullptr);
    EXPECT_EQ(engine.GetDataCount(), 0u);
    EXPECT_EQ(engine.GetCacheCount(), 0u);
    EXPECT_EQ(engine.FindLoadedData(path, 0.0f), nullptr);
}
