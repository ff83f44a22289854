#include "tests/framework/sound/Vellumar_AudioGameTest.h"

#include "framework/sound/Vellumar_JukeBox.h"
#include "framework/sound/Vellumar_Sound.h"
#include "core/Core_File.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "tests/framework/Framework_RoundTrip.h"

using namespace AudioTest;
using Vellumar::Sound;

namespace
{
class SoundTest : public AudioGameTest
{
protected:
    Core::RefPtr<Sound> MakeSound(const Core::String& path, i32 mode = Sound::NotPositional, bool looping = false)
    {
        return Core::RefPtr<Sound>(new Sound(path, mode, 10.0f, looping, 0.0f, false));
    }
};

TEST_F(SoundTest, PlaysRestartsAndGivesItsSourceBackWhenStopped)
{
    StartGame();
    const u32 before = Engine().GetSourceCount();
    const Core::RefPtr<Sound> sound = MakeSound(Tone("short.wav", 1.0f));
    EXPECT_EQ(sound->GetData()->GetFileName(), sound->GetFileName());
    sound->SetVolume(0.5f);
    ASSERT_TRUE(sound->Play(false));
    SoundSource* source = sound->GetSource();
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(source->IsListenerRelative());
    EXPECT_EQ(source->GetGain(), 0.5f);
    EXPECT_EQ(Engine().GetSourceCount(), before + 1);
    EXPECT_FALSE(sound->Play(false)) << "a playing sound is not restarted";
    EXPECT_TRUE(sound->Play(true));
    EXPECT_EQ(sound->GetSource(), source) << "a restart keeps the source";

    sound->SetVolume(-1.0f);
    EXPECT_EQ(sound->GetVolume(), 0.5f);
    sound->SetVolume(0.0f);
    EXPECT_EQ(sound->GetVolume(), 0.0f);
    sound->SetPitch(0.0f);
    EXPECT_EQ(sound->GetPitch(), 1.0f);

    sound->Stop();
    EXPECT_FALSE(sound->IsPlaying());
    sound->Update(0.016f);
    EXPECT_EQ(sound->GetSource(), nullptr);
    EXPECT_EQ(Engine().GetSourceCount(), before);
    EXPECT_EQ(sound->GetVolume(), 0.0f) << "without a source the stored volume answers";
}

TEST_F(SoundTest, SourcesGoBackOnSetSoundDestroyAndDestruction)
{
    StartGame();
    const Core::String path = Tone("short.wav", 1.0f);
    const u32 before = Engine().GetSourceCount();
    {
        const Core::RefPtr<Sound> sound = MakeSound(path);
        ASSERT_TRUE(sound->Play(false));
        sound->SetSound(path, Sound::NotPositional, 1.0f, false, 0.0f, false);
        EXPECT_EQ(sound->GetSource(), nullptr);
        EXPECT_EQ(Engine().GetSourceCount(), before);
        ASSERT_TRUE(sound->Play(false));
        sound->Destroy();
        EXPECT_EQ(Engine().GetSourceCount(), before);
        ASSERT_TRUE(MakeSound(path)->Play(false));
    }
    EXPECT_EQ(Engine().GetSourceCount(), before);

    const Core::RefPtr<Sound> cycled = MakeSound(path);
    for (int i = 0; i < 1000; ++i)
    {
        ASSERT_TRUE(cycled->Play(false));
        cycled->Stop();
        cycled->Update(0.016f);
    }
    EXPECT_EQ(Engine().GetSourceCount(), before);
}

TEST_F(SoundTest, ShortFilesShareOneRecordAndStreamedFilesGetOneEach)
{
    StartGame();
    const Core::String shortPath = Tone("short.wav", 1.0f);
    const Core::String longPath = Tone("long.wav", 7.0f);
    const Core::RefPtr<Sound> a = MakeSound(shortPath);
    const Core::RefPtr<Sound> b = MakeSound(shortPath);
    EXPECT_NE(a->GetData(), nullptr);
    EXPECT_EQ(a->GetData(), b->GetData());
    const Core::RefPtr<Sound> c = MakeSound(longPath);
    const Core::RefPtr<Sound> d = MakeSound(longPath);
    EXPECT_NE(c->GetData(), d->GetData());
    EXPECT_EQ(c->GetData()->GetBufferCount(), 2u);
    // Both play at once from the one shared buffer.
    EXPECT_TRUE(a->Play(false));
    EXPECT_TRUE(b->Play(false));
    EXPECT_NE(a->GetSource(), b->GetSource());

    const Core::RefPtr<Sound> missing = MakeSound(scratch.PathOf("none.wav").c_str());
    EXPECT_EQ(missing->GetData(), nullptr);
    EXPECT_FALSE(missing->Play(false));
}

TEST_F(SoundTest, PositionalModesPlaceTheSourceEveryFrame)
{
    StartGame();
    const Core::String path = Tone("short.wav", 1.0f);
    auto* listenerLayer = FirstLayer();
    auto* farLayer = new Vellumar::Layer(-4.0f);
    game->GetCurrentLevel()->AddLayer(farLayer);
    auto* camera = new Vellumar::Camera();
    listenerLayer->AddGameObject(camera);
    listenerLayer->SetZOrder(2.0f);
    auto* fixed = new Sound(path, Sound::NotPositional, 3.0f, true, 0.0f, false);
    auto* inPlane = new Sound(path, Sound::AtListenerDepth, 3.0f, true, 0.0f, false);
    auto* atLayer = new Sound(path, Sound::AtLayerDepth, 3.0f, true, 0.0f, false);
    for (Sound* sound : {fixed, inPlane, atLayer})
    {
        sound->SetPosition(5.0f, 6.0f);
        farLayer->AddGameObject(sound);
    }
    RunFrame();
    camera->MakeActiveListener();
    for (Sound* sound : {fixed, inPlane, atLayer})
    {
        ASSERT_TRUE(sound->Play(false));
    }
    RunFrame();

    EXPECT_FALSE(inPlane->GetSource()->IsListenerRelative());
    EXPECT_EQ(fixed->GetSource()->GetPosition(), Math::Vector3D(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(inPlane->GetSource()->GetPosition(), Math::Vector3D(5.0f, 6.0f, 2.0f));
    EXPECT_EQ(atLayer->GetSource()->GetPosition(), Math::Vector3D(5.0f, 6.0f, -4.0f));
    EXPECT_EQ(atLayer->GetSource()->GetReferenceDistance(), 3.0f);
    EXPECT_EQ(Engine().GetListenerPosition(), Math::Vector3D(0.0f, 0.0f, 2.0f));
}

TEST_F(SoundTest, SavedLoadedClonedAndSynchronisedSoundsKeepTheirSettings)
{
    StartGame();
    const Core::String path = Vellumar::Game::GetDirectory() + "\\Resources\\Sounds\\Hover_Effect.ogg";
    const Core::RefPtr<Sound> original(new Sound(path, Sound::AtLayerDepth, 4.0f, true, 0.0f, true));
    ASSERT_NE(original->GetData(), nullptr);
    original->SetName("hover");
    original->SetPosition(3.0f, 4.0f);
    original->SetVolume(0.5f);
    original->SetPitch(1.5f);
    ASSERT_TRUE(original->Play(false));

    const Core::RefPtr<Sound> loaded = FrameworkTest::RoundTrip(original.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetFileName(), path);
    EXPECT_EQ(loaded->GetData(), original->GetData()) << "a whole-loaded file is shared";
    EXPECT_TRUE(loaded->IsPlaying());
    EXPECT_EQ(loaded->GetVolume(), 0.5f);
    EXPECT_EQ(loaded->GetPitch(), 1.5f);
    EXPECT_EQ(loaded->GetIntensity(), 4.0f);
    EXPECT_EQ(loaded->GetMode(), Sound::AtLayerDepth);
    EXPECT_TRUE(loaded->GetLooping() && loaded->GetLoadWhole());

    const Core::RefPtr<Sound> copy(original->Clone());
    EXPECT_EQ(copy->GetName(), "hover");
    EXPECT_EQ(copy->GetPosition(), Math::Vector2D(3.0f, 4.0f));
    EXPECT_EQ(copy->GetData(), original->GetData());
    EXPECT_EQ(copy->GetSource(), nullptr);
    EXPECT_EQ(copy->GetVolume(), 0.5f);
    EXPECT_EQ(copy->GetPitch(), 1.5f);

    Core::MemoryFile sync;
    original->SetIntensity(7.0f);
    original->NetworkSyncSend(sync);
    Core::MemoryFile received(sync.GetData(), sync.GetSize());
    copy->NetworkSyncReceive(received);
    EXPECT_TRUE(copy->IsPlaying());
    EXPECT_EQ(copy->GetIntensity(), 7.0f);
    EXPECT_EQ(copy->GetVolume(), 0.5f);
    original->Stop();
    Core::MemoryFile stopped;
    original->NetworkSyncSend(stopped);
    Core::MemoryFile stopReceived(stopped.GetData(), stopped.GetSize());
    copy->NetworkSyncReceive(stopReceived);
    EXPECT_FALSE(copy->IsPlaying());
}

// The file is kept by its name only; a stored name with folders in it would leave the sounds folder.
TEST_F(SoundTest, ASavedNameWithFoldersInItLoadsNothing)
{
    StartGame();
    const Core::RefPtr<Sound> original(new Sound(Tone("short.wav", 0.5f), Sound::NotPositional, 1.0f, false, 0.0f, false));
    Core::MemoryFile file;
    file.WriteObject(original.Get());
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    Core::RefPtr<Sound> loaded;
    ASSERT_TRUE(readBack.ReadObjectInto(loaded));
    EXPECT_EQ(loaded->GetData(), nullptr);
    EXPECT_FALSE(loaded->Play(false));
}

// Objects of the old level still hold sources and data when it is cleaned up; the engine has
// freed them by then, so they must count as none (AddressSanitizer sees any use).
TEST_F(SoundTest, ALevelSwitchWithPlayingSoundsAndMusicTouchesNothingFreed)
{
    StartGame();
    const Core::String path = Tone("short.wav", 2.0f);
    const Core::String music = Tone("music.wav", 2.0f);
    const Core::String next = Tone("next.wav", 2.0f);
    auto* sound = new Sound(path, Sound::AtLayerDepth, 1.0f, true, 0.0f, false);
    FirstLayer()->AddGameObject(sound);
    auto* jukeBox = new Vellumar::JukeBox();
    jukeBox->SetMusicFiles({music, next});
    jukeBox->SetFadeTime(1.0f);
    game->GetCurrentLevel()->SetJukeBox(jukeBox);
    RunFrame();
    ASSERT_TRUE(sound->Play(false));
    ASSERT_TRUE(jukeBox->PlayTrack(0));
    RunFrame();
    ASSERT_TRUE(jukeBox->PlayTrack(1));
    RunFrame();
    ASSERT_NE(sound->GetSource(), nullptr);
    ASSERT_NE(jukeBox->GetFadingSource(), nullptr);

    const Core::RefPtr<Vellumar::JukeBox> kept(jukeBox);
    game->GoToLevel(1u);
    RunFrames(3);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);
    EXPECT_EQ(Engine().GetSourceCount(), 0u);
    EXPECT_EQ(Engine().GetDataCount(), 0u);
    EXPECT_EQ(kept->GetCurrentSource(), nullptr);
    EXPECT_FALSE(kept->PlayTrack(0)) << "the freed music is not played";
}
}  // namespace
