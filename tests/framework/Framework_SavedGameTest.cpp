// Saved games: the whole game read back equal, requests served at the start of a frame, the
// Saves folder's name lists, and files that are cut short, hostile or interrupted while written.
#include "Framework_Scene.h"

#include "collision/Collision_Engine.h"
#include "platform/PAL_FileSystem.h"
#include "core/PAL_Path.h"
#include "framework/drawables/Vellumar_Circle.h"
#include "framework/drawables/Vellumar_Line.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Text.h"
#include "physics/Physics_JointFixed.h"
#include "physics/Physics_PhysicsEngine.h"
#include "physics/Physics_RigidBody.h"

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace FrameworkTest;

namespace
{
constexpr u32 Balls = 6;

class SavingGame : public StirringGame
{
public:
    using StirringGame::StirringGame;
    using Vellumar::Game::WriteFileSafely;
};

class SavedGameTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        factory = new TestFactory(log, 2);
        factory->builders[0] = [](Vellumar::Level& level) { BuildSpriteScene(level, Balls); };
        saving = new SavingGame(factory.Get(), 0, input, log);
        saving->SetSaveFolder(SaveFolder());
        game = saving;
        Start();
    }

    // A file of the test's save folder.
    Core::String Path(const std::string& name) const { return SaveFolder() + "\\" + name.c_str(); }

    std::vector<u8> ReadFile(const std::string& name)
    {
        std::ifstream in(PAL::ToOSPath(Path(name).View()), std::ios::binary);
        return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
    }

    void WriteFile(const std::string& name, const std::vector<u8>& bytes)
    {
        std::ofstream out(PAL::ToOSPath(Path(name).View()), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    u32 BallCount() { return game->GetCurrentLevel()->GetLayer(0u)->GetGameObjectsCount(); }

    // The scene's ball shape on an object of any kind, tested while it rests.
    void AddBallShape(Vellumar::GameObject& object, Vellumar::Layer& layer)
    {
        auto* shape = new Collision2D::DynamicObject();
        shape->AddCollisionData(game->GetCollisionAssets().front(), 0, 0);
        shape->SetCollisionType(1);
        shape->SetCanCollid(0, true);
        shape->SetUpdateOnIdle(true);
        object.AddCollision(shape, layer.GetCollisionId());
    }

    // The object of that name in layer 0, entered or waiting to enter.
    Vellumar::GameObject* Named(const char* objectName)
    {
        Core::Vector<Vellumar::GameObject*> found;
        game->GetCurrentLevel()->GetLayer(0u)->GetGameObjectsByName(Core::String(objectName), found);
        return found.size() == 1 ? found.front() : nullptr;
    }

    void* BodyOwner(const Vellumar::GameObject& object)
    {
        const Core::RefPtr<Physics2D::RigidBody> body = game->GetPhysicsEngine()->GetRigidBody(object.GetPhysicsId());
        return body ? body->GetCallbackData() : nullptr;
    }

    SavingGame* saving = nullptr;
};
}  // namespace

TEST_F(SavedGameTest, ASavedSceneLoadsBackAndSavesAgainByteForByte)
{
    RunFrames(30);
    const std::vector<u8> first = SavedGame(*game);
    game->ResetForLoad();
    Core::MemoryFile file(first.data(), static_cast<u32>(first.size()));
    game->Load(file);
    ASSERT_FALSE(file.Failed());
    EXPECT_EQ(file.GetRemaining(), 0u);
    EXPECT_EQ(BallCount(), Balls);
    EXPECT_EQ(game->GetCollisionAssets().size(), 1u);
    EXPECT_EQ(SavedGame(*game), first);
    // Every body's owner is the loaded object that holds its id.
    Core::Vector<Vellumar::GameObject*> balls;
    game->GetCurrentLevel()->GetLayer(0u)->GetGameObjects(balls);
    for (Vellumar::GameObject* ball : balls)
        EXPECT_EQ(game->GetPhysicsEngine()->GetRigidBody(ball->GetPhysicsId())->GetCallbackData(), ball);
    EXPECT_EQ(game->GetPhysicsEngine()->GetContactListUpdateData(), game.Get());
}

TEST_F(SavedGameTest, TextsParticlesAndJointsLoadBackAndSaveAgainByteForByte)
{
    Vellumar::Layer* layer = game->GetCurrentLevel()->GetLayer(0u);
    layer->AddGameObject(new Vellumar::Text("MORVANE", ""));
    layer->AddGameObject(new Vellumar::ParticleSystem("sparks.png", 4, 10.0f, Math::Vector2D(0.0f, -9.8f)));
    Core::Vector<Vellumar::GameObject*> balls;
    layer->GetGameObjects(balls);
    ASSERT_NE(game->GetPhysicsEngine()->AddJoint(balls[0]->GetPhysicsId(), balls[1]->GetPhysicsId(), new Physics2D::JointFixed()), nullptr);
    ASSERT_TRUE(balls[0]->SetVelocity(Math::Vector2D(20.0f, 5.0f)));
    RunFrames(10);
    const std::vector<u8> first = SavedGame(*game);
    game->ResetForLoad();
    Core::MemoryFile file(first.data(), static_cast<u32>(first.size()));
    game->Load(file);
    ASSERT_FALSE(file.Failed());
    EXPECT_EQ(BallCount(), Balls + 2);
    EXPECT_EQ(game->GetPhysicsEngine()->GetJoints().size(), 1u);
    EXPECT_EQ(SavedGame(*game), first);
    RunFrames(5);
    EXPECT_EQ(game->GetCurrentLevel()->GetLayer(0u)->GetGameObjectsCount(), Balls + 2);
}

TEST_F(SavedGameTest, ARequestedSaveIsWrittenAtTheNextFrameStartAndALaterLoadReplacesIt)
{
    const std::vector<u8> now = SavedGame(*game);
    game->Save(Core::String("fw_saved_request"));
    RunFrame();
    EXPECT_EQ(ReadFile("fw_saved_request"), now);
    RunFrames(20);
    game->Save(Core::String("fw_saved_never"));
    game->Load(Core::String("fw_saved_request"));
    RunFrame();
    EXPECT_TRUE(ReadFile("fw_saved_never").empty()) << "only the later request is served";
    EXPECT_EQ(BallCount(), Balls);
}

TEST_F(SavedGameTest, AGameSavedWithAPendingSwitchSwitchesInTheFrameThatLoadsIt)
{
    game->GoToLevel(1u);
    game->Save(Core::String("fw_saved_pending"));
    RunFrame();
    ASSERT_EQ(game->GetCurrentLevelIndex(), 1u);
    RunFrame();
    log.clear();
    game->Load(Core::String("fw_saved_pending"));
    RunFrame();
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);
    EXPECT_FALSE(game->IsSwitchPending());
    EXPECT_EQ(Entries("Create.").size(), 1u) << "the loaded level 0 gave way to level 1 at once";
}

TEST_F(SavedGameTest, EveryTruncationOfARealSaveFailsAndTheWholeOneStillLoads)
{
    RunFrames(10);
    const std::vector<u8> whole = SavedGame(*game);
    for (u32 size = 0; size < whole.size(); ++size)
    {
        game->ResetForLoad();
        Core::MemoryFile file(whole.data(), size);
        game->Load(file);
        ASSERT_TRUE(file.Failed()) << "cut at " << size;
    }
    game->ResetForLoad();
    Core::MemoryFile file(whole.data(), static_cast<u32>(whole.size()));
    game->Load(file);
    EXPECT_FALSE(file.Failed());
    EXPECT_EQ(SavedGame(*game), whole);
}

TEST_F(SavedGameTest, AFailedLoadLeavesTheRunningLevelPlayableAgain)
{
    RunFrames(5);
    std::vector<u8> cut = SavedGame(*game);
    cut.resize(cut.size() / 2);
    WriteFile("fw_saved_cut", cut);
    log.clear();
    game->Load(Core::String("fw_saved_cut"));
    RunFrame();
    ASSERT_NE(game->GetCurrentLevel(), nullptr);
    EXPECT_EQ(Entries("Create.0").size(), 1u);
    EXPECT_EQ(BallCount(), Balls);
    EXPECT_EQ(game->GetPhysicsEngine()->GetContactListUpdateData(), game.Get());
    RunFrames(30);
    EXPECT_EQ(BallCount(), Balls);
}

TEST_F(SavedGameTest, AnObjectOfAnotherClassWhereTheLevelStandsFailsTheLoad)
{
    Core::MemoryFile file;
    Core::WriteU32(file, 0);
    Core::WriteU32(file, 0);
    const Core::RefPtr<Physics2D::PhysicsEngine> stranger(new Physics2D::PhysicsEngine());
    file.WriteObject(stranger.Get());
    game->ResetForLoad();
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    game->Load(readBack);
    EXPECT_TRUE(readBack.Failed());
    EXPECT_EQ(game->GetCurrentLevel(), nullptr);
}

TEST_F(SavedGameTest, AKillDuringASaveLeavesThePreviousSaveWhole)
{
    game->Save(Core::String("fw_saved_killed"));
    RunFrame();
    const std::vector<u8> before = ReadFile("fw_saved_killed");
    ASSERT_FALSE(before.empty());
    const Core::String path = Path("fw_saved_killed");
    const pid_t child = fork();
    if (child == 0)
    {
        SavingGame::WriteFileSafely(path, [](Core::File& file) {
            Core::WriteU32(file, 1234);
            std::fflush(nullptr);
            raise(SIGKILL);
        });
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadFile("fw_saved_killed"), before);
    game->Load(Core::String("fw_saved_killed"));
    RunFrame();
    EXPECT_EQ(BallCount(), Balls);
}

TEST_F(SavedGameTest, NamesThatWouldLeaveTheSavesFolderAreRefused)
{
    for (const char* name : {"", "..", "../fw_escape", "a/b", "a\\b", "..\\fw_escape"})
        EXPECT_FALSE(Vellumar::Game::IsPlainFileName(Core::String(name))) << name;
    EXPECT_TRUE(Vellumar::Game::IsPlainFileName(Core::String("slot 1.sav")));
    game->Save(Core::String("../fw_escape"));
    RunFrame();
    std::ifstream escaped(saves.Path().parent_path() / "fw_escape");
    EXPECT_FALSE(escaped.good());
}

TEST_F(SavedGameTest, NameListsSplitPlainSavesFromReplaysWhateverTheSuffixCase)
{
    for (const char* name : {"fw_list_plain", "fw_list_run_gameSaved", "fw_list_run_replayData", "fw_list_Mixed_REPLAYdata",
                             "gameSaved_OnReplayStart"})
        WriteFile(name, {1});
    Core::Vector<Core::String> saves;
    Core::Vector<Core::String> replays{Core::String("stale")};
    game->GetSavedGameNames(saves);
    game->GetReplayNames(replays);
    auto has = [](const Core::Vector<Core::String>& names, const char* name) {
        return std::find(names.begin(), names.end(), Core::String(name)) != names.end();
    };
    EXPECT_TRUE(has(saves, "fw_list_plain"));
    EXPECT_TRUE(has(saves, "gameSaved_OnReplayStart"));
    EXPECT_FALSE(has(saves, "fw_list_run_gameSaved"));
    EXPECT_FALSE(has(saves, "fw_list_run_replayData"));
    EXPECT_TRUE(has(replays, "fw_list_run"));
    EXPECT_TRUE(has(replays, "fw_list_Mixed"));
    EXPECT_FALSE(has(replays, "stale"));
    EXPECT_FALSE(has(replays, "fw_list_plain"));
    EXPECT_TRUE(std::is_sorted(saves.begin(), saves.end()));
}

TEST_F(SavedGameTest, ObjectsOfEveryKindKeepTheirCollisionObjectsAndBodiesThroughASaveAndLoad)
{
    Vellumar::Layer* layer = game->GetCurrentLevel()->GetLayer(0u);
    // A row of overlapping objects above the balls, each touching its neighbours.
    const std::vector<std::pair<const char*, Vellumar::GameObject*>> row = {
        {"plain", new Vellumar::GameObject()},
        {"text", new Vellumar::Text("MORVANE", "")},
        {"particles", new Vellumar::ParticleSystem("sparks.png", 4, 10.0f, Math::Vector2D(0.0f, -9.8f))},
        {"line", new Vellumar::Line()},
        {"circle", new Vellumar::Circle()}};
    for (std::size_t i = 0; i < row.size(); ++i)
    {
        row[i].second->SetName(row[i].first);
        row[i].second->SetPosition(200.0f + 8.0f * static_cast<f32>(i), 100.0f);
        AddBallShape(*row[i].second, *layer);
        layer->AddGameObject(row[i].second);
    }
    auto* mover = new Vellumar::GameObject();
    mover->SetName("mover");
    mover->SetPosition(-200.0f, 100.0f);
    AddBallShape(*mover, *layer);
    mover->AddPhysicalProperties(Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D()), 0);
    layer->AddGameObject(mover);
    RunFrames(3);
    for (const auto& [objectName, object] : row)
        ASSERT_TRUE(object->ObjectInCollision()) << objectName;
    // Added in the frame that serves the save: the file holds it waiting to enter its layer.
    auto* late = new Vellumar::GameObject();
    late->SetName("late");
    late->SetPosition(-200.0f, -200.0f);
    AddBallShape(*late, *layer);
    late->AddPhysicalProperties(Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D()), 0);
    layer->AddGameObject(late);
    game->Save(Core::String("fw_saved_owners"));
    RunFrame();

    const std::vector<u8> saved = ReadFile("fw_saved_owners");
    game->ResetForLoad();
    Core::MemoryFile file(saved.data(), static_cast<u32>(saved.size()));
    game->Load(file);
    ASSERT_FALSE(file.Failed());
    for (const auto& [objectName, unused] : row)
    {
        Vellumar::GameObject* object = Named(objectName);
        ASSERT_NE(object, nullptr) << objectName;
        EXPECT_NE(object->GetRegisteredObject(), nullptr) << objectName;
        EXPECT_TRUE(object->ObjectInCollision()) << objectName;
    }
    Vellumar::GameObject* loadedMover = Named("mover");
    Vellumar::GameObject* loadedLate = Named("late");
    ASSERT_NE(loadedMover, nullptr);
    ASSERT_NE(loadedLate, nullptr);
    EXPECT_EQ(BodyOwner(*loadedMover), loadedMover);
    EXPECT_EQ(BodyOwner(*loadedLate), loadedLate);
    EXPECT_NE(loadedLate->GetRegisteredObject(), nullptr);

    // The waiting object enters its layer and its body carries it.
    ASSERT_TRUE(loadedLate->SetVelocity(Math::Vector2D(60.0f, 0.0f)));
    RunFrames(5);
    EXPECT_NE(loadedLate->GetPositionX(), -200.0f);
    // A destroyed object takes its collision object out of the collision engine.
    Vellumar::GameObject* text = Named("text");
    const u32 textId = text->GetCollisionId();
    text->Destroy();
    RunFrames(2);
    EXPECT_EQ(game->GetCollisionEngine()->GetObject(textId), nullptr);
}
