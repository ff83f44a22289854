// The game application: the first frame, the order of one frame, level switches and their request
// rules, shut-down, the master volume and the sound listener.
#include "Framework_GameFixture.h"

#include "audio/Audio_SoundEngine.h"
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "gui/GUI_HUD.h"
#include "physics/Physics_PhysicsEngine.h"
#include "platform/PAL_MessagePump.h"

#include <algorithm>
#include <string>

using namespace FrameworkTest;
using Vellumar::Game;
using Vellumar::Layer;
using Vellumar::Level;

namespace
{
// A layer holding one logging object named "obj", a camera and a viewport through it.
void BuildLoggedLevel(Level& level, Log& log)
{
    auto* layer = new Layer(0.0f);
    level.AddLayer(layer);
    layer->AddGameObject(new LoggingObject(log, "obj"));
    auto* camera = new Vellumar::Camera();
    layer->AddGameObject(camera);
    auto* viewport = new Vellumar::Viewport(0, 0, 320, 240);
    viewport->SetCamera(camera);
    level.AddViewport(viewport);
    level.SetClearBackBuffer(true);
}
}  // namespace

using GameTest = GameFixture;

TEST_F(GameTest, ConstructionMakesTheEnginesButNoLevel)
{
    MakeGame(3, 7);
    EXPECT_EQ(Game::GetInstance(), game.Get());
    EXPECT_NE(GUI::HUD::GetInstance(), nullptr);
    EXPECT_NE(game->GetCollisionEngine(), nullptr);
    ASSERT_NE(game->GetPhysicsEngine(), nullptr);
    EXPECT_EQ(game->GetPhysicsEngine()->GetContactListUpdate(), &Game::UpdateContactList);
    EXPECT_EQ(game->GetPhysicsEngine()->GetContactListUpdateData(), game.Get());
    ASSERT_NE(game->GetSoundEngine(), nullptr);
    EXPECT_EQ(game->GetSoundEngine()->GetDistanceModel(), 2u);
    EXPECT_NE(game->GetNetworkEngine(), nullptr);
    EXPECT_EQ(game->GetCurrentLevel(), nullptr);
    // A starting index beyond the levels starts at level 0.
    EXPECT_EQ(game->GetStartingLevelIndex(), 0u);
    EXPECT_EQ(game->GetResolutionWidth(), 320);
    EXPECT_EQ(game->GetResolutionHeight(), 240);
}

TEST_F(GameTest, TheFirstFrameCreatesTheLevelOnlyAndTheSecondMeasuresIt)
{
    MakeGame(3, 1);
    factory->builders[1] = [this](Level& level) { BuildLoggedLevel(level, log); };
    game->Recording().ClearLog();
    RunFrame();
    EXPECT_EQ(log, (Log{"Create.1", "Game.OnStart", "L1.OnStart"}));
    EXPECT_EQ(game->Recording().CountCalls("ClearColorBuffer"), 0u);
    EXPECT_EQ(game->Recording().CountCalls("Present"), 1u);
    // The creation ended the measurement, so the second frame's dt is 0 here and it does nothing.
    RunFrame();
    EXPECT_EQ(log.size(), 3u);
    RunFrame();
    EXPECT_FLOAT_EQ(game->lastDt, 0.016f);
    EXPECT_EQ(factory->created, 1u);
}

// A factory whose every level fails to be made.
class NoLevelFactory : public TestFactory
{
public:
    using TestFactory::TestFactory;
    Level* CreateLevel(u32 index) override
    {
        ++created;
        log.push_back("Create." + std::to_string(index));
        return nullptr;
    }
};

TEST_F(GameTest, AFirstLevelThatCannotBeMadeIsReportedOnceAndEndsTheRun)
{
    factory = new NoLevelFactory(log, 2);
    game = new TestGame(factory.Get(), 1, input, log);
    while (!PAL::PumpMessages())
    {
    }
    testing::internal::CaptureStderr();
    RunFrames(5);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(factory->created, 1u);
    EXPECT_EQ(Entries("Create."), (Log{"Create.1"}));
    EXPECT_EQ(said, "The first level (index 1) could not be made; the game ends.\n");
    EXPECT_FALSE(PAL::PumpMessages()) << "the run was not asked to end";
    EXPECT_EQ(game->GetExitCode(), 1);
    // The game never started: neither its start hook nor, at shut-down, its end hook runs.
    game->Shutdown();
    EXPECT_EQ(Entries("Game.On"), Log{});
}

TEST_F(GameTest, OneFrameRunsInItsFixedOrder)
{
    MakeGame();
    factory->builders[0] = [this](Level& level) { BuildLoggedLevel(level, log); };
    Start();
    log.clear();
    game->Recording().ClearLog();
    // The physics velocity pass runs between the late passes and the post-collision hook; the
    // render transforms are refreshed after it, at the end of the frame.
    LoggingObject* object = nullptr;
    Core::Vector<Vellumar::GameObject*> found;
    game->GetCurrentLevel()->GetGameObjectsByName("obj", found);
    ASSERT_EQ(found.size(), 1u);
    object = static_cast<LoggingObject*>(found[0]);
    ASSERT_TRUE(object->AddPhysicalProperties(Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D()), 0));
    object->SetVelocity(Math::Vector2D(100.0f, 0.0f));
    f32 xAtLateUpdate2 = -1.0f;
    f32 xAtPostCollision = -1.0f;
    f32 matrixXAtPostCollision = -1.0f;
    object->onLateUpdate2 = [&] { xAtLateUpdate2 = object->GetPositionX(); };
    object->SetTransformSync(false);
    game->onPostCollision = [&] {
        xAtPostCollision = object->GetPositionX();
        object->SetTransformSync(true);
        matrixXAtPostCollision = object->GetRenderNode()->GetTransform().e[12];
    };
    RunFrame();
    EXPECT_EQ(log, (Log{"Game.PreLevelUpdate", "L0.Update", "obj.Update", "obj.LateUpdate", "obj.LateUpdate2",
                        "Game.PostCollisionUpdate"}));
    EXPECT_EQ(xAtLateUpdate2, 0.0f);
    EXPECT_GT(xAtPostCollision, 0.0f);
    EXPECT_EQ(matrixXAtPostCollision, 0.0f);
    EXPECT_EQ(object->GetRenderNode()->GetTransform().e[12], object->GetPositionX());
    // Drawing: the clear with the level's colour before the viewport's own clear, then present.
    const auto& calls = game->Recording().GetCalls();
    const auto position = [&calls](const char* operation) {
        return std::find_if(calls.begin(), calls.end(),
                            [operation](const auto& call) { return std::string(call.operation) == operation; }) -
               calls.begin();
    };
    ASSERT_LT(position("ClearColorBuffer"), position("ClearBuffers"));
    ASSERT_LT(position("ClearBuffers"), position("Present"));
    EXPECT_STREQ(calls.back().operation, "Present");
    EXPECT_GE(game->Recording().CountCalls("SetViewport"), 1u);
}

TEST_F(GameTest, TheCollisionEngineRunsBetweenTheLatePassesAndThePostCollisionHook)
{
    MakeGame();
    LoggingObject* object = nullptr;
    factory->builders[0] = [&](Level& level) {
        auto* layer = new Layer(0.0f);
        level.AddLayer(layer);
        auto* actor = new Collision2D::CollisionActor();
        Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(Collision2D::VelRect(5.0f, -5.0f, 5.0f, -5.0f), true);
        frame.AddCircle({0.0f, 0.0f}, 5.0f, 1, true);
        game->AddCollisionAssets(actor);
        object = new LoggingObject(log, "touching");
        object->SetPosition(100.0f, 100.0f);
        auto* body = new Collision2D::DynamicObject();
        body->AddCollisionData(actor, 0, 0);
        body->SetCollisionType(1);
        body->SetCanCollid(0, true);
        body->SetUpdateOnIdle(true);
        object->AddCollision(body, layer->GetCollisionId());
        layer->AddStaticCircle(Math::Vector2D(103.0f, 100.0f), 5.0f, 0, 9);
        layer->AddGameObject(object);
    };
    bool atLateUpdate2 = true;
    bool atPostCollision = false;
    RunFrames(2);
    object->onLateUpdate2 = [&] { atLateUpdate2 = object->ObjectInCollision(); };
    game->onPostCollision = [&] { atPostCollision = object->ObjectInCollision(); };
    // The object enters its layer in this frame: before the collision update it has no result.
    RunFrame();
    EXPECT_FALSE(atLateUpdate2);
    EXPECT_TRUE(atPostCollision);
}

TEST_F(GameTest, TheLastRequestOfAFrameWinsAtTheStartOfTheNextFrame)
{
    MakeGame(4);
    Start();
    log.clear();
    EXPECT_EQ(game->GoToLevel(3u), 4u);
    game->GoToLevel(Core::String("L2"));
    EXPECT_EQ(game->GetCurrentLevelIndex(), 0u);
    RunFrame();
    EXPECT_EQ(game->GetCurrentLevelIndex(), 2u);
    EXPECT_FALSE(game->IsSwitchPending());
    EXPECT_EQ(Entries("Create."), (Log{"Create.2"}));
    EXPECT_EQ(Entries("L0."), (Log{"L0.OnEnd"}));
    // The switch ends the old level before the factory hears of it and builds the new one.
    EXPECT_EQ(log[0], "L0.OnEnd");
    EXPECT_EQ(log[1], "OnLevelSwitch");
    EXPECT_EQ(log[2], "Create.2");
    EXPECT_EQ(log[3], "L2.OnStart");
}

TEST_F(GameTest, OutOfRangeIndicesAndUnknownNamesChangeNothing)
{
    MakeGame(4);
    Start();
    game->GoToLevel(1u);
    EXPECT_EQ(game->GoToLevel(4u), 4u);
    game->GoToLevel(Core::String("nowhere"));
    EXPECT_EQ(game->GetNextLevelIndex(), 1u);
    RunFrame();
    EXPECT_EQ(game->GetCurrentLevelIndex(), 1u);
}

TEST_F(GameTest, RestartBuildsANewLevelOfTheSameIndexAndClearsIds)
{
    MakeGame();
    factory->builders[0] = [this](Level& level) { BuildLoggedLevel(level, log); };
    Start();
    Level* first = game->GetCurrentLevel();
    Core::Vector<Vellumar::GameObject*> objects;
    first->GetGameObjects(objects);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->GetID(), 0u);
    game->RestartLevel();
    RunFrame();
    EXPECT_EQ(game->GetCurrentLevelIndex(), 0u);
    EXPECT_EQ(factory->created, 2u);
    game->GetCurrentLevel()->GetGameObjects(objects);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->GetID(), 0u);
    EXPECT_EQ(objects[1]->GetID(), 1u);
}

TEST_F(GameTest, ASwitchResetsTheInputBeforeTheNewLevelReadsIt)
{
    MakeGame();
    Start();
    input.Press(Input::VirtualKey::Space);
    RunFrame();
    ASSERT_TRUE(game->GetKeyboard()->IsPressed(Input::EngineKey::Space));
    game->GoToLevel(1u);
    RunFrame();
    // The start guard ignores the key still held from the old level.
    EXPECT_FALSE(game->GetKeyboard()->IsPressed(Input::EngineKey::Space));
}

TEST_F(GameTest, RequestsFromEndHooksDuringASwitchLeaveTheTargetAlone)
{
    MakeGame(6);
    Core::RefPtr<LoggingObject> spawned;
    factory->builders[0] = [&](Level& level) {
        auto* layer = new Layer(0.0f);
        level.AddLayer(layer);
        auto* object = new LoggingObject(log, "loser");
        // Ending the level: the object asks for the lose screen and spawns into the dying level.
        object->onEnd = [this, layer, &spawned] {
            game->GoToLevel(5u);
            game->RestartLevel();
            spawned = new LoggingObject(log, "late");
            layer->AddGameObject(spawned.Get());
        };
        layer->AddGameObject(object);
    };
    Start();
    game->GoToLevel(2u);
    RunFrame();
    EXPECT_EQ(game->GetCurrentLevelIndex(), 2u);
    EXPECT_FALSE(game->IsSwitchPending());
    RunFrames(2);
    EXPECT_EQ(game->GetCurrentLevelIndex(), 2u);
    // The object spawned into the dying level went with it, before the engines were reset.
    ASSERT_NE(spawned, nullptr);
    EXPECT_TRUE(spawned->IsCleanedUp());
    EXPECT_EQ(spawned->GetLayer(), nullptr);
    EXPECT_EQ(Entries("late.OnStart"), Log{});
    // Outside the teardown requests work again.
    game->GoToLevel(5u);
    RunFrame();
    EXPECT_EQ(game->GetCurrentLevelIndex(), 5u);
}

TEST_F(GameTest, ShutdownEndsTheLevelAndTheSingletonGoesWithTheGame)
{
    MakeGame();
    factory->builders[0] = [this](Level& level) { BuildLoggedLevel(level, log); };
    Start();
    log.clear();
    game->Shutdown();
    EXPECT_EQ(log, (Log{"obj.OnEnd", "L0.OnEnd", "Game.OnEnd", "obj.Cleanup"}));
    EXPECT_EQ(game->GetCurrentLevel(), nullptr);
    EXPECT_EQ(game->GetCollisionEngine(), nullptr);
    EXPECT_EQ(GUI::HUD::GetInstance(), nullptr);
    game = nullptr;
    EXPECT_EQ(Game::GetInstance(), nullptr);
    EXPECT_EQ(Engine::Application::GetInstance(), nullptr);
}

TEST_F(GameTest, ManagedObjectsLeaveTheEnginesBeforeTheEnginesGo)
{
    MakeGame();
    Start();
    // A managed object with a body and a collision object: its cleanup reaches both engines.
    auto* managed = new LoggingObject(log, "managed");
    ASSERT_TRUE(managed->AddPhysicalProperties(Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D()), 0));
    game->AddManagedObject(managed, "managed");
    const u32 collisionLayer = static_cast<u32>(game->GetCollisionEngine()->AddLayer());
    auto* body = new Collision2D::DynamicObject();
    managed->AddCollision(body, static_cast<u8>(collisionLayer));
    ASSERT_NE(managed->GetCollisionId(), 0u);
    bool enginesAtCleanup = false;
    managed->onCleanup = [this, &enginesAtCleanup] {
        enginesAtCleanup = game->GetCollisionEngine() && game->GetPhysicsEngine();
    };
    log.clear();
    game->Shutdown();
    EXPECT_EQ(Entries("managed."), (Log{"managed.Cleanup"}));
    EXPECT_TRUE(enginesAtCleanup);
}

TEST_F(GameTest, MasterVolumeIsClampedToZeroToTen)
{
    MakeGame();
    game->SetMasterVolume(12.0f);
    EXPECT_EQ(game->GetMasterVolume(), 10.0f);
    game->SetMasterVolume(-1.0f);
    EXPECT_EQ(game->GetMasterVolume(), 0.0f);
    game->SetMasterVolume(2.5f);
    EXPECT_EQ(game->GetMasterVolume(), 2.5f);
}

TEST_F(GameTest, TheListenerFollowsTheActiveCameraAndItsLayersDepth)
{
    MakeGame();
    Core::RefPtr<Vellumar::Camera> loose;
    factory->builders[0] = [&](Level& level) {
        auto* layer = new Layer(-7.0f);
        level.AddLayer(layer);
        auto* camera = new Vellumar::Camera();
        camera->MakeActiveListener();
        camera->SetPosition(3.0f, 4.0f);
        layer->AddGameObject(camera);
        loose = new Vellumar::Camera();
        loose->SetPosition(5.0f, 6.0f);
    };
    Start();
    RunFrame();
    Math::Vector3D at = game->GetSoundEngine()->GetListenerPosition();
    EXPECT_EQ(at.x, 3.0f);
    EXPECT_EQ(at.y, 4.0f);
    EXPECT_EQ(at.z, -7.0f);
    // A camera in no layer hears from z = 0.
    loose->MakeActiveListener();
    RunFrame();
    at = game->GetSoundEngine()->GetListenerPosition();
    EXPECT_EQ(at.x, 5.0f);
    EXPECT_EQ(at.y, 6.0f);
    EXPECT_EQ(at.z, 0.0f);
    loose = nullptr;
}

TEST_F(GameTest, PathHelpersNameTheExecutableAndItsFolder)
{
    EXPECT_FALSE(Game::GetDirectory().empty());
    EXPECT_NE(Game::GetDirectory().back(), '/');
    EXPECT_EQ(Game::GetExecutableName(), "tests_framework");
    EXPECT_EQ(Game::GetExecutableNameNoExtension(), "tests_framework");
}

// Only tests give a game folders of their own: the program saves and attaches scripts beside itself.
TEST_F(GameTest, AGameGivenNoFoldersSavesAndAttachesScriptsBesideTheProgram)
{
    factory = new TestFactory(log, 1);
    game = new TestGame(factory.Get(), 0, input, log);
    EXPECT_EQ(game->GetSaveFolder(), Game::GetDirectory() + "\\Saves");
    EXPECT_EQ(game->GetScriptDirectory(), Game::GetDirectory());
}

TEST_F(GameTest, ResetForLoadEndsTheLevelAndDropsAPendingSwitch)
{
    MakeGame();
    factory->builders[0] = [this](Level& level) { BuildLoggedLevel(level, log); };
    Start();
    game->GoToLevel(2u);
    log.clear();
    game->ResetForLoad();
    EXPECT_EQ(log, (Log{"obj.OnEnd", "L0.OnEnd", "obj.Cleanup", "OnLevelSwitch"}));
    EXPECT_EQ(game->GetCurrentLevel(), nullptr);
    EXPECT_FALSE(game->IsSwitchPending());
    EXPECT_EQ(game->GetCollisionEngine()->GetLayerCount(), 0u);
    EXPECT_EQ(Vellumar::GameObject::GetIdCounter(), 0u);
}
