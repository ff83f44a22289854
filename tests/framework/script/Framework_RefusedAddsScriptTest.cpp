// Scripts that hand an object to a second owner, or to the same one again: each object keeps its one
// owner, and nothing is freed while another still holds it (the sanitizer build reports any object
// freed twice or used after it was freed).
#include "tests/framework/script/Framework_ScriptTest.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "framework/drawables/Vellumar_Text.h"
#include "tests/collision/Collision_TestBodies.h"

namespace
{
using namespace FrameworkTest;
using Vellumar::GameObject;

class RefusedAddsScriptTest : public FrameworkScriptTest
{
protected:
    // Two objects in the layer "ground"; only "a" has a collision object.
    void StartWithTwoObjects()
    {
        CollisionTest::AddCircleFrame(ball, 5.0f);
        MakeGame(1);
        factory->builders[0] = [this](Vellumar::Level& level) {
            auto* ground = new Vellumar::Layer(0);
            ground->SetName("ground");
            level.AddLayer(ground);
            ground->SetCollisionProperties({-100, -100}, 400, 400, 100);
            for (const char* name : {"a", "b"})
            {
                auto* object = new GameObject();
                object->SetName(name);
                if (name[0] == 'a')
                    object->AddCollision(CollisionTest::MakeBody(ball, {0, 0}).release(), ground->GetCollisionId());
                ground->AddGameObject(object);
            }
        };
        Start();
        ground = game->GetCurrentLevel()->GetLayer(0u);
        Core::Vector<GameObject*> objects;
        ground->GetGameObjects(objects);
        ASSERT_EQ(objects.size(), 2u);
        a = objects[0];
        b = objects[1];
        ASSERT_NE(a->GetRegisteredObject(), nullptr);
        SetGlobals({{"a", a}, {"b", b}, {"ground", ground}, {"game", game.Get()}});
        SetGlobalNumber("groundId", ground->GetCollisionId());
    }

    std::string Run(const char* chunk)
    {
        if (luaL_dostring(master, chunk) == 0)
            return "";
        std::string message = lua_tostring(master, -1);
        lua_pop(master, 1);
        return message;
    }

    Collision2D::CollisionActor ball;
    Vellumar::Layer* ground = nullptr;
    GameObject* a = nullptr;
    GameObject* b = nullptr;
};

TEST_F(RefusedAddsScriptTest, AnotherObjectsCollisionObjectIsRefusedInAnyLayerAndStaysWithItsOwner)
{
    StartWithTwoObjects();
    Collision2D::DynamicObject* held = a->GetRegisteredObject();
    const u32 heldId = a->GetCollisionId();

    // A layer that does not exist, then the layer that already holds the object.
    EXPECT_EQ(Run("b:AddCollision(a:GetCollisionObject(), 200); missing = b:GetCollisionId()\n"
                  "b:AddCollision(a:GetCollisionObject(), groundId); same = b:GetCollisionId()"),
              "");
    lua_getglobal(master, "missing");
    lua_getglobal(master, "same");
    EXPECT_EQ(lua_tonumber(master, -2), 0);
    EXPECT_EQ(lua_tonumber(master, -1), 0);
    lua_pop(master, 2);
    EXPECT_EQ(b->GetRegisteredObject(), nullptr);
    EXPECT_EQ(a->GetCollisionId(), heldId);
    EXPECT_EQ(a->GetRegisteredObject(), held);

    // The engine keeps updating the object and frees it once, with the level.
    RunFrames(2);
    game->GoToLevel(0);
    RunFrames(2);
}

TEST_F(RefusedAddsScriptTest, ACollisionActorTheGameHoldsIsNotAddedAgain)
{
    MakeGame(1);
    Start();
    game->AddCollisionAssets(new Collision2D::CollisionActor());
    game->AddCollisionAssets(new Collision2D::CollisionActor());
    SetGlobal("game", game.Get());

    EXPECT_EQ(Run("local assets = game:GetCollisionAssets()\n"
                  "game:AddCollisionAssets(assets[1]); game:AddCollisionAssets(assets[2]); game:AddCollisionAssets(assets[1])"),
              "");
    EXPECT_EQ(game->GetCollisionAssets().size(), 2u);
    // The next switch frees every asset once.
    game->GoToLevel(0);
    RunFrames(2);
    EXPECT_TRUE(game->GetCollisionAssets().empty());
}

TEST_F(RefusedAddsScriptTest, ACopyRefusedAsANetworkedObjectStaysTheScriptsToAdd)
{
    StartWithTwoObjects();
    const Core::RefPtr<Vellumar::Text> caption = new Vellumar::Text("score");
    SetGlobal("caption", caption.Get());
    // No network session: the facade refuses every networked object.
    EXPECT_EQ(Run("copy = caption:Clone()\n"
                  "ground:AddGameObject(copy, true)\n"
                  "copy:SetName('kept'); ground:AddGameObject(copy)"),
              "");
    RunFrame();
    Core::Vector<GameObject*> kept;
    ground->GetGameObjectsByName("kept", kept);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_FALSE(kept[0]->HasNetworkId());
    EXPECT_EQ(kept[0]->GetLayer(), ground);
}
} // namespace
