// Levels: their layers and viewports, drawing, clean-up and their saved record.
#include "Framework_GameFixture.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "core/Core_File.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_Viewport.h"

using namespace FrameworkTest;
using Vellumar::Layer;
using Vellumar::Level;

using LevelTest = GameFixture;

TEST_F(LevelTest, LayersAreIndexedInOrderAndJoinTheSceneGraph)
{
    MakeGame();
    const Core::RefPtr<Level> level(new Level());
    for (int i = 0; i < 3; ++i)
    {
        level->AddLayer(new Layer(static_cast<f32>(i)));
    }
    level->GetLayer(1u)->SetName("middle");
    EXPECT_EQ(level->GetLayer(2u)->GetIndex(), 2u);
    EXPECT_EQ(level->GetLayer(3u), nullptr);
    EXPECT_EQ(level->GetLayer(Core::String("middle")), level->GetLayer(1u));
    EXPECT_EQ(level->GetLayer(Core::String("none")), nullptr);
    EXPECT_EQ(level->GetLayer(0u)->GetSceneGroup()->GetParent(), game->GetSceneGraph());

    const Core::RefPtr<Vellumar::Viewport> viewport(new Vellumar::Viewport(0, 0, -5, 10));
    level->AddViewport(viewport.Get());
    level->AddViewport(viewport.Get());
    level->AddViewport(nullptr);
    EXPECT_EQ(level->GetViewportsCount(), 1u);
    EXPECT_EQ(viewport->GetEngineViewport()->GetWidth(), 0);
    level->Cleanup();
    EXPECT_EQ(level->GetLayersCount(), 0u);
    EXPECT_EQ(game->GetSceneGraph()->GetChildCount(), 0u);
    level->Cleanup();
    EXPECT_TRUE(level->IsCleanedUp());
}

TEST_F(LevelTest, ALevelWithoutViewportsIsStillClearedWithItsColour)
{
    MakeGame();
    factory->builders[0] = [](Level& level) {
        level.SetClearBackBuffer(true);
        level.SetClearColor(Math::Color(0.25f, 0.5f, 0.75f, 1.0f));
    };
    Start();
    game->Recording().ClearLog();
    RunFrame();
    ASSERT_EQ(game->Recording().CountCalls("ClearColorBuffer"), 1u);
    for (const auto& call : game->Recording().GetCalls())
    {
        if (std::string(call.operation) == "ClearColorBuffer")
        {
            EXPECT_EQ(call.arguments[2], 0.75);
        }
    }
    EXPECT_EQ(game->Recording().CountCalls("ClearBuffers"), 0u);
}

TEST_F(LevelTest, TheSavedRecordRebuildsLayersViewportsAndSettings)
{
    MakeGame();
    const Core::RefPtr<Level> level(new Level());
    level->SetName("Options");
    level->SetClearColor(Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    level->SetClearBackBuffer(true);
    // Without a script the script name is not kept.
    level->SetScriptName("options.lua");
    level->AddLayer(new Layer(1.0f));
    level->AddLayer(new Layer(2.0f));
    level->GetLayer(1u)->SetName("second");
    auto* viewport = new Vellumar::Viewport(1, 2, 3, 4);
    viewport->SetName("main");
    level->AddViewport(viewport);
    level->SetJukeBox(new Vellumar::JukeBox());

    Core::MemoryFile file;
    file.WriteObject(level.Get());
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    Core::RefPtr<Level> loaded;
    ASSERT_TRUE(readBack.ReadObjectInto(loaded));
    EXPECT_EQ(readBack.GetRemaining(), 0u);
    EXPECT_EQ(loaded->GetName(), "Options");
    EXPECT_EQ(loaded->GetClearColor().a, 0.4f);
    EXPECT_TRUE(loaded->GetClearBackBuffer());
    EXPECT_TRUE(loaded->GetScriptName().empty());
    ASSERT_EQ(loaded->GetLayersCount(), 2u);
    EXPECT_EQ(loaded->GetLayer(Core::String("second"))->GetIndex(), 1u);
    EXPECT_EQ(loaded->GetLayer(1u)->GetZOrder(), 2.0f);
    EXPECT_EQ(loaded->GetViewportsCount(), 1u);
    EXPECT_NE(loaded->GetJukeBox(), nullptr);
    loaded->Cleanup();
    level->Cleanup();
}

TEST_F(LevelTest, TheRecordCarriesEachSpritesPartnersOfTheFrame)
{
    MakeGame();
    factory->builders[0] = [](Level& level) { level.AddLayer(new Layer(0.0f)); };
    Start();
    Layer* layer = game->GetCurrentLevel()->GetLayer(0u);
    auto* actor = new Collision2D::CollisionActor();
    Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(Collision2D::VelRect(5.0f, -5.0f, 5.0f, -5.0f), true);
    frame.AddCircle(Math::Point2D(0.0f, 0.0f), 5.0f, 1, true);
    game->AddCollisionAssets(actor);
    const Core::RefPtr<Vellumar::SpriteAnimation> still(
        new Vellumar::SpriteAnimation(nullptr, 1, 1, Core::Vector<f32>{1.0f}));
    Vellumar::Sprite* sprites[2] = {};
    for (Vellumar::Sprite*& sprite : sprites)
    {
        sprite = new Vellumar::Sprite(Core::Vector<Vellumar::SpriteAnimation*>{still.Get()});
        auto* body = new Collision2D::DynamicObject();
        body->AddCollisionData(actor, 0, 0);
        body->SetCollisionType(1);
        body->SetCanCollid(0, true);
        body->SetUpdateOnIdle(true);
        sprite->AddCollision(body, layer->GetCollisionId());
        sprite->SetCollisionActorIndex(0);
        layer->AddGameObject(sprite);
    }
    sprites[1]->SetPosition(4.0f, 0.0f);
    RunFrames(2);
    ASSERT_TRUE(sprites[0]->ObjectInCollision());

    // After the level's own fields (an empty script name last), each sprite's partners in id order.
    Core::MemoryFile partners;
    sprites[0]->SaveCollisionResults(partners);
    sprites[1]->SaveCollisionResults(partners);
    ASSERT_GT(partners.GetSize(), 0u);
    Core::MemoryFile record;
    game->GetCurrentLevel()->Save(record);
    ASSERT_GE(record.GetSize(), partners.GetSize());
    EXPECT_EQ(std::vector<u8>(record.GetData() + record.GetSize() - partners.GetSize(), record.GetData() + record.GetSize()),
              std::vector<u8>(partners.GetData(), partners.GetData() + partners.GetSize()));
}

