// Input replays: what a recording writes, how playback drives the frames and ends, hostile replay
// files, and a replay that reproduces its run.
#include "Framework_Scene.h"

#include "collision/Collision_Engine.h"
#include "platform/PAL_FileSystem.h"
#include "core/PAL_Path.h"

#include <fstream>
#include <utility>
#include <vector>

using namespace FrameworkTest;

namespace
{
constexpr u32 Balls = 5;

class ReplayTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        factory = new TestFactory(log, 2);
        factory->builders[0] = [](Vellumar::Level& level) { BuildSpriteScene(level, Balls); };
    }

    template <class G>
    void MakeAndStart()
    {
        game = new G(factory.Get(), 0, input, log);
        game->SetSaveFolder(SaveFolder());
        Start();
    }

    Core::String FolderPath(const std::string& name) const { return SaveFolder() + "\\" + name.c_str(); }

    std::vector<u8> ReadFile(const std::string& name)
    {
        std::ifstream in(PAL::ToOSPath(FolderPath(name).View()), std::ios::binary);
        return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
    }

    void WriteFile(const std::string& name, const Core::MemoryFile& bytes)
    {
        std::ofstream out(PAL::ToOSPath(FolderPath(name).View()), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
    }

    static u32 FrameCountOf(const std::vector<u8>& file)
    {
        return file.size() < 4 ? ~0u : u32(file[0]) | u32(file[1]) << 8 | u32(file[2]) << 16 | u32(file[3]) << 24;
    }

    // Records frames frames of the running game, pressing Space in every tenth, and writes them.
    void Record(const std::string& name, int frames)
    {
        game->StartReplayRecording(name.c_str());
        RunInputFrames(frames);
    }

    void RunInputFrames(int frames)
    {
        for (int i = 0; i < frames; ++i)
        {
            if (i % 10 == 3)
                input.Press(Input::VirtualKey::Space);
            RunFrame();
            input.ReleaseAll();
        }
    }

    // A replay whose every frame lasts frameTime, over the current state.
    void WriteReplay(const std::string& name, u32 frames, f32 frameTime)
    {
        game->Save((name + "_gameSaved").c_str());
        RunFrame();
        Core::MemoryFile data;
        Core::WriteU32(data, frames);
        for (u32 i = 0; i < frames; ++i)
        {
            Core::WriteU8(data, 0);
            Core::WriteU8(data, 0);
            Core::WriteI32(data, 10);
            Core::WriteI32(data, 20);
            Core::WriteF32(data, frameTime);
        }
        WriteFile(name + "_replayData", data);
    }

    Vellumar::GameObject* FirstBall()
    {
        Core::Vector<Vellumar::GameObject*> balls;
        game->GetCurrentLevel()->GetLayer(0u)->GetGameObjects(balls);
        return balls.empty() ? nullptr : balls.front();
    }

    void ReproduceRun(int frames, bool touching);

};

// The frames, counted from the first, in which Space and the left button went down.
class TapLoggingGame : public TestGame
{
public:
    using TestGame::TestGame;

    void PreLevelUpdate(f32 dt) override
    {
        TestGame::PreLevelUpdate(dt);
        if (GetKeyboard()->IsTriggered(Input::EngineKey::Space))
            taps.push_back(frame);
        if (GetMouse()->IsTriggered(0))
            clicks.push_back(frame);
        ++frame;
    }

    // Both lists counted from the first tap.
    std::pair<std::vector<int>, std::vector<int>> FromFirstTap() const
    {
        std::pair<std::vector<int>, std::vector<int>> result;
        for (int tap : taps)
            result.first.push_back(tap - taps.front());
        for (int click : clicks)
            result.second.push_back(click - taps.front());
        return result;
    }

    std::vector<int> taps;
    std::vector<int> clicks;
    int frame = 0;
};
}  // namespace

// Keys and clicks pressed and released within one frame: the recording holds what the polls read,
// down in one frame and up in the next, so playback reads them in the same frames.
TEST_F(ReplayTest, TapsShorterThanAFramePlayBackInTheirFrames)
{
    MakeAndStart<TapLoggingGame>();
    auto& logging = static_cast<TapLoggingGame&>(*game);
    game->StartReplayRecording("fw_replay_taps");
    for (int i = 0; i < 40; ++i)
    {
        if (i % 10 == 4)
            input.Tap(Input::VirtualKey::Space);
        if (i % 10 == 7)
            input.TapButtons(Input::ButtonBit::Left);
        RunFrame();
    }
    game->StopReplayRecording();
    RunFrame();
    const auto recorded = logging.FromFirstTap();
    ASSERT_EQ(recorded.first, (std::vector<int>{0, 10, 20, 30}));
    ASSERT_EQ(recorded.second, (std::vector<int>{3, 13, 23, 33}));

    logging.taps.clear();
    logging.clicks.clear();
    game->StartReplay("fw_replay_taps");
    RunFrames(45);
    EXPECT_FALSE(game->IsPlaying());
    EXPECT_EQ(logging.FromFirstTap(), recorded);
}

TEST_F(ReplayTest, ARecordingOfAHundredFramesWritesAllButTheLast)
{
    MakeAndStart<TestGame>();
    Record("fw_replay_hundred", 100);
    ASSERT_EQ(game->GetReplayFrames().size(), 100u);
    EXPECT_TRUE(game->GetReplayFrames()[3].keyboard) << "Space went down";
    EXPECT_FALSE(game->GetReplayFrames()[0].keyboard);
    game->StopReplayRecording();
    RunFrame();
    EXPECT_FALSE(game->IsRecording());
    EXPECT_EQ(FrameCountOf(ReadFile("fw_replay_hundred_replayData")), 99u);
    EXPECT_FALSE(ReadFile("fw_replay_hundred_gameSaved").empty());
    Core::MemoryFile written;
    game->WriteReplayData(written);
    Core::MemoryFile readBack(written.GetData(), written.GetSize());
    Core::RefPtr<TestGame> keep = game;
    ASSERT_TRUE(game->ReadReplayData(readBack));
    ASSERT_EQ(game->GetReplayFrames().size(), 199u);
    EXPECT_TRUE(game->GetReplayFrames()[103].keyboard);
    EXPECT_EQ(game->GetReplayFrames()[150].frameTime, game->GetReplayFrames()[50].frameTime);
}

TEST_F(ReplayTest, ARecordingStoppedBeforeItsFirstFrameWritesNoFrames)
{
    MakeAndStart<TestGame>();
    game->StartReplayRecording("fw_replay_none");
    game->StopReplayRecording();
    RunFrame();
    EXPECT_EQ(ReadFile("fw_replay_none_replayData"), std::vector<u8>(4, 0));
}

TEST_F(ReplayTest, PlaybackReplacesTheFrameTimeAndEndsWithTheRecordedFrames)
{
    MakeAndStart<TestGame>();
    WriteReplay("fw_replay_dt", 3, 0.05f);
    game->StartReplay("fw_replay_dt");
    RunFrame();
    EXPECT_TRUE(game->IsPlaying());
    EXPECT_EQ(game->lastDt, 0.05f);
    Input::MouseReplayFrame mouse;
    Core::Vector<u8> buttons;
    Core::Vector<Input::KeyState> records;
    game->GetMouse()->GetReplayFrame(mouse, buttons, records);
    EXPECT_EQ(mouse.x, 10);
    EXPECT_EQ(mouse.y, 20);
    // The frame after a load measured none of the fake clock's time and does no work.
    RunFrames(3);
    EXPECT_FALSE(game->IsPlaying());
    RunFrame();
    EXPECT_NE(game->lastDt, 0.05f);
}

TEST_F(ReplayTest, TheStopKeyRestoresTheStateOfThePlaybacksStart)
{
    MakeAndStart<TestGame>();
    WriteReplay("fw_replay_stop", 50, 0.016f);
    FirstBall()->SetPosition(1000.0f, 1000.0f);
    const std::vector<u8> before = SavedGame(*game);
    game->StartReplay("fw_replay_stop");
    RunFrames(3);
    EXPECT_NE(FirstBall()->GetPosition(), Math::Vector2D(1000.0f, 1000.0f)) << "the start state is playing";
    input.Press(Input::VirtualKey::Escape);
    RunFrame();
    input.ReleaseAll();
    EXPECT_FALSE(game->IsPlaying());
    EXPECT_EQ(ReadFile("gameSaved_OnReplayStart"), before);
    RunFrame();
    EXPECT_EQ(FirstBall()->GetPosition(), Math::Vector2D(1000.0f, 1000.0f));
}

TEST_F(ReplayTest, AnEmptyReplayEndsAtOnceAndAMissingOneNeverStarts)
{
    MakeAndStart<TestGame>();
    WriteReplay("fw_replay_empty", 0, 0.016f);
    game->StartReplay("fw_replay_empty");
    RunFrame();
    EXPECT_FALSE(game->IsPlaying());
    RunFrame();
    game->StartReplay("fw_replay_missing");
    RunFrame();
    EXPECT_FALSE(game->IsPlaying());
    RunFrames(2);
    EXPECT_EQ(game->GetCurrentLevel()->GetLayer(0u)->GetGameObjectsCount(), Balls);
}

TEST_F(ReplayTest, AReplayStartedDuringARecordingEndsItUnwritten)
{
    MakeAndStart<TestGame>();
    WriteReplay("fw_replay_over", 5, 0.016f);
    Record("fw_replay_cut", 3);
    game->StartReplay("fw_replay_over");
    EXPECT_FALSE(game->IsRecording());
    RunFrame();
    game->StopReplayRecording();
    RunFrames(6);
    EXPECT_TRUE(ReadFile("fw_replay_cut_replayData").empty());
}

TEST_F(ReplayTest, HostileReplayDataIsBoundedAndUnpairedRecordsAreDropped)
{
    MakeAndStart<TestGame>();
    Core::MemoryFile data;
    Core::WriteU32(data, 2);
    // A keyboard record of two codes and one state: dropped.
    Core::WriteU8(data, 1);
    Core::WriteU32(data, 2);
    Core::WriteU8(data, 65);
    Core::WriteU8(data, 66);
    Core::WriteU32(data, 1);
    for (int i = 0; i < 5; ++i)
        Core::WriteU8(data, 1);
    Core::WriteU8(data, 0);
    Core::WriteI32(data, 0);
    Core::WriteI32(data, 0);
    Core::WriteF32(data, 0.02f);
    // A paired one: kept.
    Core::WriteU8(data, 1);
    Core::WriteU32(data, 1);
    Core::WriteU8(data, 65);
    Core::WriteU32(data, 1);
    for (int i = 0; i < 5; ++i)
        Core::WriteU8(data, 1);
    Core::WriteU8(data, 0);
    Core::WriteI32(data, 0);
    Core::WriteI32(data, 0);
    Core::WriteF32(data, 0.03f);
    Core::MemoryFile whole(data.GetData(), data.GetSize());
    ASSERT_TRUE(game->ReadReplayData(whole));
    ASSERT_EQ(game->GetReplayFrames().size(), 1u);
    EXPECT_EQ(game->GetReplayFrames()[0].frameTime, 0.03f);
    for (u32 size = 0; size < data.GetSize(); ++size)
    {
        Core::MemoryFile cut(data.GetData(), size);
        EXPECT_FALSE(game->ReadReplayData(cut)) << "cut at " << size;
    }
    Core::MemoryFile huge;
    Core::WriteU32(huge, 0xFFFFFFFFu);
    Core::MemoryFile hugeBack(huge.GetData(), huge.GetSize());
    EXPECT_FALSE(game->ReadReplayData(hugeBack));
}

// Where the fields after the level stand in a saved game of this game: the elapsed clock, then
// five u32 and two flags before the recording flag.
namespace
{
std::size_t ElapsedOffset(Vellumar::Game& game)
{
    Core::MemoryFile prefix;
    Core::WriteU32(prefix, static_cast<u32>(game.GetCollisionAssets().size()));
    for (const Collision2D::CollisionActor* actor : game.GetCollisionAssets())
        actor->Save(prefix);
    game.GetCollisionEngine()->Save(prefix);
    prefix.WriteObject(game.GetCurrentLevel());
    return prefix.GetSize();
}
}  // namespace

// Randomness, collisions, physics and the keyboard over 600 frames, then the same frames played
// back from the saved start: the game saves the same both times, the clock and the recording flag
// aside. The frame recorded last is not written, so the run is taken one frame before the end.
TEST_F(ReplayTest, AReplayReproducesItsRun)
{
    ReproduceRun(600, false);
}

// Bodies already pushing each other when the start state is saved: the contacts between them are
// not part of a saved game.
TEST_F(ReplayTest, AReplayStartedWhileBodiesTouchReproducesItsRun)
{
    ReproduceRun(120, true);
}

void ReplayTest::ReproduceRun(int frames, bool touching)
{
    MakeAndStart<StirringGame>();
    if (touching)
    {
        Core::Vector<Vellumar::GameObject*> balls;
        game->GetCurrentLevel()->GetLayer(0u)->GetGameObjects(balls);
        balls[1]->SetPosition(balls[0]->GetPosition() + Math::Vector2D(7.0f, 0.0f));
        RunFrames(2);
        ASSERT_TRUE(balls[0]->ObjectInCollision());
    }
    Record("fw_replay_run", frames - 1);
    std::vector<u8> recorded = SavedGame(*game);
    EXPECT_GT(static_cast<StirringGame&>(*game).touching, static_cast<u32>(frames / 30)) << "the balls meet";
    const std::size_t elapsed = ElapsedOffset(*game);
    const std::size_t recordingFlag = elapsed + 8 + 5 * 4 + 2;
    RunInputFrames(1);
    game->StopReplayRecording();
    RunFrame();
    game->StartReplay("fw_replay_run");
    // One frame more than are played: the one after the load measures no time and does no work.
    RunFrames(frames - 1 + 1);
    EXPECT_FALSE(game->IsPlaying());
    std::vector<u8> replayed = SavedGame(*game);
    ASSERT_EQ(replayed.size(), recorded.size());
    ASSERT_EQ(recorded[recordingFlag], 1);
    EXPECT_EQ(replayed[recordingFlag], 0);
    recorded[recordingFlag] = 0;
    std::fill_n(recorded.begin() + static_cast<std::ptrdiff_t>(elapsed), 8, 0);
    std::fill_n(replayed.begin() + static_cast<std::ptrdiff_t>(elapsed), 8, 0);
    const auto differs = std::mismatch(replayed.begin(), replayed.end(), recorded.begin());
    EXPECT_EQ(differs.first, replayed.end()) << "first difference at byte " << (differs.first - replayed.begin());
}
