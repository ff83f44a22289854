#include "tests/framework/sound/Vellumar_AudioGameTest.h"

#include "framework/sound/Vellumar_JukeBox.h"
#include "core/Core_File.h"
#include "core/Core_Random.h"
#include "tests/framework/Framework_RoundTrip.h"

#include <cmath>
#include <set>

using namespace AudioTest;
using Vellumar::JukeBox;

namespace
{
class JukeBoxTest : public AudioGameTest
{
protected:
    // Three tracks of two seconds each.
    void MakeJukeBox()
    {
        StartGame();
        for (const char* name : {"a.wav", "b.wav", "c.wav"})
        {
            paths.push_back(Tone(name, 2.0f));
        }
        jukeBox = new JukeBox();
        jukeBox->SetMusicFiles(paths);
    }

    // The current track plays to its end (the engine clears its flag), then a frame of music.
    void EndTrack()
    {
        Engine().Stop(jukeBox->GetCurrentSource());
        jukeBox->Update(0.016f);
    }

    // Track indices in the order the music plays them, until it stops or count tracks were heard.
    std::vector<i32> Heard(u32 count)
    {
        std::vector<i32> order{jukeBox->GetCurrentTrack()};
        while (order.size() < count)
        {
            EndTrack();
            if (!jukeBox->GetCurrentSource())
            {
                break;
            }
            order.push_back(jukeBox->GetCurrentTrack());
        }
        return order;
    }

    Core::Vector<Core::String> paths;
    Core::RefPtr<JukeBox> jukeBox;
};

TEST_F(JukeBoxTest, ThePlaylistPlaysInOrderOnceOrOverAgainWithRepeat)
{
    MakeJukeBox();
    ASSERT_EQ(jukeBox->GetCurrentPlaylist()->GetName(), "Default");
    ASSERT_EQ(jukeBox->GetCurrentPlaylist()->GetTrackCount(), 3u);
    ASSERT_TRUE(jukeBox->PlayTrack(-1));
    EXPECT_EQ(Heard(10), (std::vector<i32>{0, 1, 2}));
    EXPECT_EQ(jukeBox->GetCurrentSource(), nullptr);

    jukeBox->SetRepeat(true);
    ASSERT_TRUE(jukeBox->PlayTrack(1));
    EXPECT_EQ(Heard(5), (std::vector<i32>{1, 2, 0, 1, 2}));
    EXPECT_EQ(Sources(), 1u);
}

TEST_F(JukeBoxTest, ShuffleNeverRepeatsATrackWithinATurnAndFollowsTheSeed)
{
    MakeJukeBox();
    jukeBox->SetShuffle(true);
    Core::SeedRandom(7);
    ASSERT_TRUE(jukeBox->PlayTrack(-1));
    const std::vector<i32> first = Heard(10);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(std::set<i32>(first.begin(), first.end()).size(), 3u);

    Core::SeedRandom(7);
    ASSERT_TRUE(jukeBox->PlayTrack(-1));
    EXPECT_EQ(Heard(10), first);

    // The first draw of the generator picks the first track.
    Core::SeedRandom(7);
    EXPECT_EQ(first[0], Core::Rand() % 3);
}

// A playlist longer than one draw of the generator reaches still ends its draw.
TEST_F(JukeBoxTest, ShuffleReachesTracksPastTheGeneratorsRange)
{
    MakeJukeBox();
    Vellumar::Playlist* longList = jukeBox->AddPlaylist("long");
    constexpr u32 count = 40000;
    for (u32 i = 0; i < count; ++i)
    {
        longList->AddTrack(paths[i % 3], jukeBox->FindMusic(paths[i % 3]), 0);
    }
    ASSERT_TRUE(jukeBox->SetCurrentPlaylist("long"));
    for (u32 i = 0; i < count - 1; ++i)
    {
        longList->GetTrack(i).played = true;
    }
    jukeBox->SetShuffle(true);
    Core::SeedRandom(3);
    ASSERT_TRUE(jukeBox->PlayTrack(-1));
    EXPECT_EQ(jukeBox->GetCurrentTrack(), static_cast<i32>(count - 1));
}

TEST_F(JukeBoxTest, ATrackWithLoopsPlaysAgainBeforeTheNextOne)
{
    MakeJukeBox();
    Vellumar::Playlist* loops = jukeBox->AddPlaylist("loops");
    loops->AddTrack(paths[0], jukeBox->FindMusic(paths[0]), 2);
    loops->AddTrack(paths[1], jukeBox->FindMusic(paths[1]), 0);
    ASSERT_TRUE(jukeBox->SetCurrentPlaylist("loops"));
    ASSERT_TRUE(jukeBox->PlayTrack(0));
    SoundSource* first = jukeBox->GetCurrentSource();
    EndTrack();
    EXPECT_EQ(jukeBox->GetCurrentSource(), first);
    EXPECT_TRUE(Engine().GetPlayingFlag(first));
    EndTrack();
    EXPECT_EQ(jukeBox->GetCurrentSource(), first);
    EXPECT_EQ(jukeBox->GetCurrentTrack(), 0);
    EndTrack();
    EXPECT_EQ(jukeBox->GetCurrentTrack(), 1);
    EXPECT_EQ(jukeBox->GetCurrentSource()->GetData(), jukeBox->FindMusic(paths[1]));
}

TEST_F(JukeBoxTest, TheCrossFadeStartsWhenTheRemainingTimeReachesTheFadeTime)
{
    MakeJukeBox();
    jukeBox->SetFadeTime(0.5f);
    ASSERT_TRUE(jukeBox->PlayTrack(0));
    SoundSource* first = jukeBox->GetCurrentSource();
    EXPECT_EQ(first->GetGain(), 0.0f);
    // 1.4 s of 2: 0.6 s remain.
    for (int i = 0; i < 14; ++i)
    {
        jukeBox->Update(0.1f);
    }
    EXPECT_EQ(jukeBox->GetCurrentSource(), first);
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr);
    EXPECT_EQ(first->GetGain(), 1.0f);

    jukeBox->Update(0.1f);
    EXPECT_EQ(jukeBox->GetFadingSource(), first);
    SoundSource* second = jukeBox->GetCurrentSource();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(jukeBox->GetCurrentTrack(), 1);
    // The old track falls and the new one rises, linearly over the fade time: they cross halfway.
    std::vector<std::pair<f32, f32>> gains;
    for (int i = 0; i < 4; ++i)
    {
        gains.emplace_back(first->GetGain(), second->GetGain());
        jukeBox->Update(0.1f);
    }
    for (u32 i = 1; i < gains.size(); ++i)
    {
        EXPECT_LT(gains[i].first, gains[i - 1].first);
        EXPECT_GT(gains[i].second, gains[i - 1].second);
    }
    EXPECT_GT(gains[1].first, gains[1].second);
    EXPECT_LT(gains[3].first, gains[3].second);
    jukeBox->Update(0.1f);
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr);
    EXPECT_EQ(second->GetGain(), 1.0f);
    EXPECT_EQ(Sources(), 1u);
}

TEST_F(JukeBoxTest, WithLoopsLeftTheCrossFadeWaitsForTheLastPass)
{
    MakeJukeBox();
    jukeBox->GetCurrentPlaylist()->GetTrack(0).loopCount = 1;
    jukeBox->SetFadeTime(0.5f);
    ASSERT_TRUE(jukeBox->PlayTrack(0));
    for (int i = 0; i < 19; ++i)
    {
        jukeBox->Update(0.1f);
    }
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr);
    EndTrack();
    for (int i = 0; i < 15; ++i)
    {
        jukeBox->Update(0.1f);
    }
    EXPECT_NE(jukeBox->GetFadingSource(), nullptr);
    EXPECT_EQ(jukeBox->GetCurrentTrack(), 1);
}

TEST_F(JukeBoxTest, AFadeTimeOfZeroSwitchesAtTheNextUpdate)
{
    MakeJukeBox();
    jukeBox->SetMusicVolume(0.8f, 0.0f);
    ASSERT_TRUE(jukeBox->PlayTrack(0));
    jukeBox->SetMusicVolume(0.8f, 0.0f);
    SoundSource* first = jukeBox->GetCurrentSource();
    ASSERT_TRUE(jukeBox->PlayTrack(1));
    EXPECT_EQ(jukeBox->GetFadingSource(), first);
    EXPECT_EQ(jukeBox->GetMusicVolume(), 0.0f);
    jukeBox->Update(0.016f);
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr);
    EXPECT_EQ(jukeBox->GetMusicVolume(), 0.8f);
    EXPECT_EQ(Sources(), 1u);
    jukeBox->StopMusic();
    jukeBox->Update(0.016f);
    EXPECT_EQ(Sources(), 0u);
    EXPECT_EQ(jukeBox->GetCurrentTrack(), -1);

    // A cross-fade reached past the track's end has no time left to fade over either.
    ASSERT_TRUE(jukeBox->PlayTrack(0));
    jukeBox->Update(5.0f);
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr);
    EXPECT_TRUE(std::isfinite(jukeBox->GetMusicVolume()));
}

// Without a fade time the switch of tracks waits for the jukebox's update, which the level's update
// runs after its objects': a track started by an object switches in that frame, one started after
// the level's update (here by the game's post-collision hook) in the next.
TEST_F(JukeBoxTest, WithoutAFadeTimeTracksSwitchAtTheJukeBoxsUpdateInTheLevelsUpdate)
{
    MakeJukeBox();
    game->GetCurrentLevel()->SetJukeBox(jukeBox.Get());
    bool started = false;
    game->onPostCollision = [&] {
        if (!started)
        {
            started = true;
            jukeBox->PlayTrack(0);
        }
    };
    RunFrame();
    SoundSource* first = jukeBox->GetCurrentSource();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetGain(), 0.0f) << "silent until the next frame";
    RunFrame();
    EXPECT_EQ(first->GetGain(), 1.0f);

    started = false;
    game->onPostCollision = [&] {
        if (!started)
        {
            started = true;
            jukeBox->PlayTrack(1);
        }
    };
    RunFrame();
    SoundSource* second = jukeBox->GetCurrentSource();
    EXPECT_EQ(jukeBox->GetFadingSource(), first) << "the old track plays out this frame";
    EXPECT_EQ(second->GetGain(), 0.0f);
    EXPECT_EQ(Sources(), 2u);
    RunFrame();
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr);
    EXPECT_EQ(second->GetGain(), 1.0f);
    EXPECT_EQ(Sources(), 1u);

    game->onPostCollision = nullptr;
    auto* switcher = new FrameworkTest::LoggingObject(log, "switcher");
    bool switched = false;
    switcher->onUpdate = [&] {
        if (!switched)
        {
            switched = true;
            jukeBox->PlayTrack(2);
        }
    };
    FirstLayer()->AddGameObject(switcher);
    for (int frame = 0; frame < 5 && !switched; ++frame)
    {
        RunFrame();
    }
    ASSERT_TRUE(switched);
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr) << "switched in the frame of the object's update";
    EXPECT_EQ(jukeBox->GetCurrentTrack(), 2);
    EXPECT_EQ(jukeBox->GetMusicVolume(), 1.0f);
    EXPECT_EQ(Sources(), 1u);
}

TEST_F(JukeBoxTest, PlayTrackAndPlaylistsAnswerTheirEdgeCases)
{
    MakeJukeBox();
    jukeBox->SetFadeTime(1.0f);
    ASSERT_TRUE(jukeBox->PlayTrack(2));
    ASSERT_TRUE(jukeBox->PlayTrack(2));
    EXPECT_EQ(jukeBox->GetFadingSource(), nullptr) << "the same track restarts without a cross-fade";
    EXPECT_FALSE(jukeBox->SetCurrentPlaylist("nothing"));
    EXPECT_TRUE(jukeBox->IsPlaying());
    jukeBox->AddPlaylist("empty");
    ASSERT_TRUE(jukeBox->SetCurrentPlaylist("empty"));
    EXPECT_FALSE(jukeBox->IsPlaying());
    EXPECT_NE(jukeBox->GetFadingSource(), nullptr);
    EXPECT_FALSE(jukeBox->PlayTrack(-1));
    jukeBox->SetFadeTime(-2.0f);
    EXPECT_EQ(jukeBox->GetFadeTime(), 0.0f);
}

TEST_F(JukeBoxTest, ASavedJukeBoxReloadsItsMusicAndPlaysTheStoredTrackAgain)
{
    StartGame();
    const Core::String folder = Vellumar::Game::GetDirectory() + "\\Resources\\Sounds\\";
    const Core::Vector<Core::String> music{folder + "Hover_Effect.ogg", folder + "Heal.ogg", folder + "Shield.ogg"};
    Core::RefPtr<JukeBox> original(new JukeBox());
    original->SetMusicFiles(music);
    ASSERT_EQ(original->GetMusicCount(), 3u);
    Vellumar::Playlist* custom = original->AddPlaylist("custom");
    custom->AddTrack(music[2], original->FindMusic(music[2]), 3);
    custom->AddTrack(folder + "Missing.ogg", nullptr, 0);
    original->SetRepeat(true);
    ASSERT_TRUE(original->SetCurrentPlaylist("custom"));
    ASSERT_TRUE(original->PlayTrack(0));

    Core::MemoryFile file;
    file.WriteObject(original.Get());
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    Core::RefPtr<JukeBox> loaded;
    ASSERT_TRUE(readBack.ReadObjectInto(loaded));
    EXPECT_EQ(readBack.GetRemaining(), 0u);
    EXPECT_EQ(loaded->GetMusicCount(), 3u);
    EXPECT_EQ(loaded->GetCurrentPlaylist()->GetName(), "custom");
    ASSERT_EQ(loaded->GetCurrentPlaylist()->GetTrackCount(), 1u) << "the missing file's track is dropped";
    EXPECT_EQ(loaded->GetCurrentPlaylist()->GetTrack(0).loopCount, 3);
    EXPECT_EQ(loaded->GetCurrentPlaylist()->GetOwner(), loaded.Get());
    EXPECT_TRUE(loaded->GetRepeat());
    EXPECT_TRUE(loaded->IsPlaying());
    EXPECT_EQ(loaded->GetCurrentTrack(), 0);
    EXPECT_EQ(loaded->GetCurrentSource()->GetData()->GetFileName(), music[2]);
}
}  // namespace
