// The game class, its level factory and the object look-ups on a headless game.
#include "collision/Collision_ActorData.h"
#include "engine/Engine_Main.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_MyLevelFactory.h"
#include "tests/game/Game_Fixture.h"

#include <iterator>

namespace
{
using GameTest::MyGameTest;

TEST_F(MyGameTest, TheFirstFrameStartsTheGameOnTheMainMenuWithItsSettings)
{
    EXPECT_EQ(game->GetTitle(), "MyGame");
    EXPECT_EQ(game->GetFrameRate(), 60.0);
    EXPECT_EQ(game->GetMasterVolume(), 1.0f);
    EXPECT_EQ(GetGame(), game.Get());
    RunFrame();
    ASSERT_NE(game->GetCurrentLevel(), nullptr);
    EXPECT_EQ(game->GetCurrentLevel()->GetName(), "MainMenu");
    EXPECT_EQ(game->GetTitle(), "Morvane");
    EXPECT_EQ(game->halfWidth, 512);
    EXPECT_EQ(game->halfHeight, 384);
    EXPECT_EQ(game->waveFileName, "0");
    EXPECT_EQ(game->introPending, 1);
    EXPECT_EQ(game->menusVisited, 0);
    EXPECT_EQ(game->running, 1);
    EXPECT_EQ(game->enemyMotion, 1);
    EXPECT_EQ(game->musicVolume, 1.0f);
    EXPECT_EQ(game->soundKnobX, 177.5f);
    EXPECT_EQ(game->basicArchetypeId, 0xFFFFFFFFu);
    EXPECT_EQ(game->bigBossEggsArchetypeId, 0xFFFFFFFFu);
    EXPECT_EQ(game->healerArchetypeId, 0);
    ASSERT_EQ(game->soundTable.size(), 20u);
    EXPECT_EQ(game->soundTable[0], Vellumar::Game::GetDirectory() + "\\Resources\\Sounds\\CannonFire.ogg");
    EXPECT_EQ(game->soundTable[19], Vellumar::Game::GetDirectory() + "\\Resources\\Sounds\\Criticalhit.ogg");
    EXPECT_EQ(game->spawnsFolder, Vellumar::Game::GetDirectory() + "\\Resources\\Spawns");

    // Asked for a window, the game turns full screen on at its start and the next frame applies it.
    EXPECT_EQ(game->fullScreen, 1);
    RunFrames(2);
    EXPECT_EQ(game->GetRenderer()->GetDisplaySettings().fullScreen, 1);
}

TEST_F(MyGameTest, TheMouseIsReadRelativeToTheScreenCentreAndEveryContactIsAllowed)
{
    RunFrames(3);
    // Screen rows count down, the mouse's y up: row 383 of 768 is y 384.
    input.cursorX = 512;
    input.cursorY = 383;
    RunFrames(2);
    EXPECT_EQ(game->mouseX, 0.0f);
    EXPECT_EQ(game->mouseY, 0.0f);
    input.cursorX = 100;
    input.cursorY = 67;
    RunFrames(2);
    EXPECT_EQ(game->mouseX, -412.0f);
    EXPECT_EQ(game->mouseY, 316.0f);

    f32 restitution = 0.3f, friction = 0.5f;
    EXPECT_TRUE(game->AllowContact(nullptr, nullptr, &restitution, &friction));
    EXPECT_EQ(restitution, 0.3f);
    EXPECT_EQ(friction, 0.5f);
}

TEST_F(MyGameTest, LevelNamesAnswerTheirIndexExactly)
{
    const char* names[] = {"BaseLevel", "MainMenu", "LevelSelection", "Credits", "Victory", "Lose", "Options"};
    EXPECT_EQ(factory->GetLevelsCount(), std::size(names));
    for (u32 i = 0; i < std::size(names); ++i)
    {
        u32 index = 99;
        EXPECT_TRUE(factory->GetLevelIndex(names[i], &index));
        EXPECT_EQ(index, i);
    }
    u32 index = 99;
    EXPECT_FALSE(factory->GetLevelIndex("mainmenu", &index));
    EXPECT_FALSE(factory->GetLevelIndex("", &index));
    EXPECT_FALSE(factory->GetLevelIndex("Options ", &index));
    EXPECT_EQ(index, 99u);
}

TEST_F(MyGameTest, EveryLevelHasItsThreeLayersCameraAndViewport)
{
    RunFrame();
    const char* names[] = {"BaseLevel", "MainMenu", "LevelSelection", "Credits", "Victory", "Lose", "Options"};
    for (u32 i = 0; i < MyLevelFactory::LevelCount; ++i)
    {
        SCOPED_TRACE(names[i]);
        SwitchTo(i);
        Vellumar::Level* level = game->GetCurrentLevel();
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(game->GetCurrentLevelIndex(), i);
        EXPECT_EQ(level->GetName(), names[i]);
        EXPECT_FALSE(level->GetClearBackBuffer());
        EXPECT_EQ(factory->levels[i], level);
        ASSERT_EQ(level->GetLayersCount(), 3u);
        EXPECT_EQ(level->GetLayer(0u)->GetName(), Core::String(names[i]) + "_HUD");
        EXPECT_EQ(level->GetLayer(1u)->GetName(), "layer1");
        EXPECT_EQ(level->GetLayer(2u)->GetName(), "layer2");
        EXPECT_EQ(level->GetLayer(2u)->GetZOrder(), 927.058f);

        auto* camera = FindObjectByName<Vellumar::Camera>("camera0");
        ASSERT_NE(camera, nullptr);
        EXPECT_EQ(camera, factory->cameras[i]);
        EXPECT_EQ(camera->GetLayer(), level->GetLayer(2u));
        EXPECT_EQ(camera->GetPosition(), Math::Vector2D(0.0f, 0.0f));
        ASSERT_NE(factory->viewport, nullptr);
        EXPECT_EQ(factory->viewport->GetCamera(), camera);
    }
}

// Each level has its own builder, and each layer its own builder that makes only that layer's
// objects, in their order.
TEST_F(MyGameTest, EveryLevelAndLayerHasABuilderOfItsOwn)
{
    RunFrame();
    using LevelBuilder = Vellumar::Level* (*)(MyLevelFactory&);
    const LevelBuilder builders[] = {
        [](MyLevelFactory& f) { return f.CreateBaseLevel(); }, [](MyLevelFactory& f) { return f.CreateMainMenu(); },
        [](MyLevelFactory& f) { return f.CreateLevelSelection(); }, [](MyLevelFactory& f) { return f.CreateCredits(); },
        [](MyLevelFactory& f) { return f.CreateVictory(); }, [](MyLevelFactory& f) { return f.CreateLose(); },
        [](MyLevelFactory& f) { return f.CreateOptions(); }};
    const char* names[] = {"BaseLevel", "MainMenu", "LevelSelection", "Credits", "Victory", "Lose", "Options"};
    for (u32 i = 0; i < MyLevelFactory::LevelCount; ++i)
    {
        SCOPED_TRACE(names[i]);
        const Core::RefPtr<Vellumar::Level> level = builders[i](*factory);
        ASSERT_TRUE(level);
        EXPECT_EQ(level->GetName(), names[i]);
        EXPECT_EQ(factory->levels[i], level.Get());
        EXPECT_EQ(level->GetLayer(0u), factory->hudLayer);
        factory->ResetObjectPointers();
    }

    const Core::RefPtr<Vellumar::Level> lose = factory->CreateLose();
    ASSERT_EQ(factory->contentObjects.size(), 3u);
    factory->contentObjects.clear();
    factory->BuildLevel5Layer0();
    factory->BuildLevel5Layer2();
    EXPECT_TRUE(factory->contentObjects.empty());
    factory->BuildLevel5Layer1();
    const char* loseObjects[] = {"loseBG", "cursor0", "transit_black"};
    ASSERT_EQ(factory->contentObjects.size(), std::size(loseObjects));
    for (u32 k = 0; k < std::size(loseObjects); ++k)
        EXPECT_EQ(factory->contentObjects[k]->GetName(), loseObjects[k]);
    factory->ResetObjectPointers();
}

TEST_F(MyGameTest, EachLevelCreationRebuildsTheHundredAndOneActorsInOrder)
{
    auto expectActorsInOrder = [&] {
        const auto& assets = game->GetCollisionAssets();
        ASSERT_EQ(assets.size(), CollisionActorCount);
        u32 k = 0;
        for (Collision2D::CollisionActor* actor : assets)
            EXPECT_EQ(actor, factory->collisionActors[k++]);
    };
    RunFrame();
    expectActorsInOrder();
    for (u32 i = 0; i < 10; ++i)
        SwitchTo(i % MyLevelFactory::LevelCount);
    expectActorsInOrder();

    // An index beyond the last level still rebuilds the actors, and makes no level.
    EXPECT_EQ(factory->CreateLevel(MyLevelFactory::LevelCount), nullptr);
    EXPECT_EQ(game->GetCollisionAssets().size(), 2 * CollisionActorCount);
    EXPECT_EQ(factory->collisionActors[100], game->GetCollisionAssets().back());
}

TEST_F(MyGameTest, LookupsWalkTheLayersInOrderAndAnswerOnlyTheAskedClass)
{
    EXPECT_EQ(FindObjectByName<Vellumar::GameObject>("camera0"), nullptr) << "no level yet";
    RunFrames(3);
    Vellumar::Level* level = game->GetCurrentLevel();
    auto* plain = new Vellumar::GameObject();
    plain->SetName("twin");
    auto* inLayer1 = new Vellumar::Camera();
    inLayer1->SetName("twin");
    auto* inLayer0 = new Vellumar::Camera();
    inLayer0->SetName("twin");
    level->GetLayer(1u)->AddGameObject(plain);
    level->GetLayer(1u)->AddGameObject(inLayer1);
    level->GetLayer(0u)->AddGameObject(inLayer0);

    EXPECT_EQ(FindObjectByName<Vellumar::GameObject>("twin"), inLayer0);
    EXPECT_EQ(FindObjectByName<Vellumar::Camera>("twin"), inLayer0);
    EXPECT_EQ(FindObjectByName<Vellumar::Viewport>("twin"), nullptr);
    EXPECT_EQ(FindObjectByName<Vellumar::GameObject>("nobody"), nullptr);

    // The id index takes objects in at the layer's next update.
    RunFrame();
    EXPECT_EQ(FindObjectById<Vellumar::GameObject>(plain->GetID()), plain);
    EXPECT_EQ(FindObjectById<Vellumar::Camera>(plain->GetID()), nullptr);
    EXPECT_EQ(FindObjectById<Vellumar::Camera>(inLayer1->GetID()), inLayer1);
    EXPECT_EQ(FindObjectById<Vellumar::GameObject>(0xFFFFu), nullptr);
}
}  // namespace
