#include "tests/framework/script/Framework_ScriptTest.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_Results.h"
#include "core/Core_File.h"
#include "script/Lua_Stack.h"
#include "framework/core/Vellumar_CollisionResults.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_MassProperties.h"
#include "tests/collision/Collision_TestBodies.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using namespace FrameworkTest;
using Vellumar::GameObject;

GameObject* hero = nullptr;

GameObject* Argument(lua_State* state)
{
    return Lua::ToObject<GameObject>(state, 1);
}

// The native answers the script compares its calls with.
const luaL_Reg NativeAnswers[] = {
    {"expected_id", [](lua_State* s) { return Lua::PushNumber(s, Argument(s)->GetID()); }},
    {"expected_age", [](lua_State* s) { return Lua::PushNumber(s, Argument(s) ? Argument(s)->GetAge() : hero->GetAge()); }},
    {"expected_x", [](lua_State* s) { return Lua::PushNumber(s, Argument(s)->GetPositionX()); }},
    {"expected_direction_x", [](lua_State* s) { return Lua::PushNumber(s, Argument(s)->GetDirectionX()); }},
    {"expected_in_collision", [](lua_State* s) { return Lua::PushBoolean(s, Argument(s)->ObjectInCollision()); }},
    {"expected_collision_id",
     [](lua_State* s) { return Lua::PushNumber(s, static_cast<i32>(Argument(s)->GetCollisionId())); }},
    {"expected_physics_id", [](lua_State* s) { return Lua::PushNumber(s, Argument(s)->GetPhysicsId()); }},
    {"expected_destroyed", [](lua_State* s) { return Lua::PushBoolean(s, Argument(s)->IsDestroyed()); }},
    {nullptr, nullptr},
};

Vellumar::CollisionResults HeroResults()
{
    return Vellumar::CollisionResults::Of(*hero);
}

const luaL_Reg ResultAnswers[] = {
    {"expected_sprites",
     [](lua_State* s) { return Lua::PushNumber(s, HeroResults().GetCollidedSpritesCount(Lua::ToBoolean(s, 1))); }},
    {"expected_sprite_circle",
     [](lua_State* s) { return Lua::PushBoolean(s, HeroResults().IsCollidedWithSpriteCircle(Lua::CheckUnsigned(s, 1))); }},
    {"expected_my_circle",
     [](lua_State* s) { return Lua::PushBoolean(s, HeroResults().IsMyCircleCollided(Lua::CheckUnsigned(s, 1))); }},
    {"expected_partner_id",
     [](lua_State* s) { return Lua::PushNumber(s, static_cast<i32>(HeroResults().GetCollidedGeometryData(0)->id)); }},
    {"expected_named",
     [](lua_State* s) {
         Core::Vector<GameObject*> found;
         Vellumar::FindGameObjectsByName(Lua::CheckString(s, 1), found);
         return Lua::PushNumber(s, static_cast<f64>(found.size()));
     }},
    {"expected_network_keyboard", [](lua_State* s) { return Lua::PushObject(s, hero->GetNetworkKeyboard()); }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsDriveGameObjectsAndTheirCollisionsAndBodies)
{
    Collision2D::CollisionActor ball;
    CollisionTest::AddCircleFrame(ball, 5.0f, 11);
    MakeGame(1);
    factory->builders[0] = [&ball](Vellumar::Level& level) {
        auto* ground = new Vellumar::Layer(0);
        ground->SetName("ground");
        level.AddLayer(ground);
        ground->SetCollisionProperties({-100, -100}, 400, 400, 100);
        for (const char* name : {"hero", "rock"})
        {
            auto* object = new GameObject();
            object->SetName(name);
            object->SetPosition(0, 0);
            // Resting bodies meet only when they ask to be tested while idle.
            auto body = CollisionTest::MakeBody(ball, {0, 0});
            body->SetUpdateOnIdle(true);
            object->AddCollision(body.release(), ground->GetCollisionId());
            ground->AddGameObject(object);
        }
    };
    Start();
    Vellumar::Layer* ground = game->GetCurrentLevel()->GetLayer(0u);
    Core::Vector<GameObject*> objects;
    ground->GetGameObjects(objects);
    ASSERT_EQ(objects.size(), 2u);
    hero = objects[0];
    // The hero moves into the rock within the next frame.
    hero->SetPosition(-30, 0);
    RunFrame();
    hero->SetPosition(2, 0);
    RunFrame();
    ASSERT_GT(Vellumar::CollisionResults::Of(*hero).GetCollidedSpritesCount(true), 0);
    Core::RefPtr<GameObject> loose = new GameObject();
    Core::RefPtr<Vellumar::Sprite> figure = new Vellumar::Sprite();
    Physics2D::MassProperties mass(2, 3, Math::Vector2D());
    Core::RefPtr<Physics2D::Force> force = new Physics2D::ConstantForce(Math::Vector2D(), Math::Vector2D(1, 0), -1);
    auto dynamic = CollisionTest::MakeBody(ball, {50, 50});

    SetGlobals({{"hero", hero},
                {"rock", objects[1]},
                {"loose", loose.Get()},
                {"figure", figure.Get()},
                {"mass", &mass},
                {"force", force.Get()},
                {"dynamic", dynamic.get()}});
    Register(NativeAnswers);
    Register(ResultAnswers);

    const std::string failure = RunTestScript(master, "Framework_GameObject.lua");
    // The script handed the spare dynamic object to the collision engine, which owns it now.
    static_cast<void>(dynamic.release());
    EXPECT_EQ(failure, "");
    EXPECT_EQ(hero->GetName(), "champion");
    EXPECT_EQ(hero->GetOpacity(), 0.5f);
    EXPECT_TRUE(objects[1]->IsDestroyed() || objects[1]->IsDestroying());
}
TEST_F(FrameworkScriptTest, AnObjectGivenABodyWithoutIntegratorsStaysWhereItIs)
{
    MakeGame(1);
    Start();
    Core::RefPtr<GameObject> placed = new GameObject();
    placed->SetPosition(120, -40);
    placed->SetRotationAngle(30);
    Physics2D::MassProperties mass(2, 3, Math::Vector2D());
    SetGlobals({{"placed", placed.Get()}, {"mass", &mass}});

    // Kind 3 makes a body without integrators: the object keeps its pose, and the body takes the
    // velocities it is given without moving by them.
    ASSERT_EQ(luaL_dostring(master, "assert(placed:AddPhysicalProperties(mass, 3) == true)\n"
                                    "local p = placed:GetPosition()\n"
                                    "assert(near(p.X, 120) and near(p.Y, -40), p.X .. ',' .. p.Y)\n"
                                    "assert(near(placed:GetRotationAngle(), 30))\n"
                                    "local v = CreateVector() v.X = 3 v.Y = 4\n"
                                    "assert(placed:SetVelocity(v) == true and near(placed:GetSpeed(), 5))\n"
                                    "placed:SetAngularVelocity(45)\n"
                                    "assert(near(placed:GetAngularVelocity(), 45))"),
              0)
        << lua_tostring(master, -1);
    RunFrames(3);
    EXPECT_EQ(placed->GetPosition(), Math::Vector2D(120, -40));
    EXPECT_NEAR(placed->GetRotationAngle(), 30.0f, 1e-4f);
    placed->RemovePhysicalProperties();
}

GameObject* reported = nullptr;

const luaL_Reg ReportAnswer[] = {
    {"report", [](lua_State* s) { reported = Lua::ToObject<GameObject>(s, 1); return 0; }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ACopysScriptFindsTheCopiesOfItsManagedObjectsUnderTheirNames)
{
    MakeGame();
    scripts.Write("CloneProbe.lua", "function Probe() report(partner) end\n");
    Register(ReportAnswer);

    // Only a copy or a load turn an object's script on: the prototype is read back from a save of
    // an object whose script runs, with the saved script flag (the byte before the script name's
    // length) set.
    Core::RefPtr<GameObject> saved = new GameObject();
    saved->SetScriptName("CloneProbe.lua");
    saved->RunScript(true);
    ASSERT_TRUE(saved->IsScriptStarted());
    Core::MemoryFile out;
    saved->Save(out);
    std::vector<u8> bytes(out.GetData(), out.GetData() + out.GetSize());
    const std::string name = "CloneProbe.lua";
    const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_GE(at - bytes.begin(), 5);
    *(at - 5) = 1;
    Core::RefPtr<GameObject> prototype = new GameObject();
    Core::MemoryFile in(bytes.data(), static_cast<u32>(bytes.size()));
    prototype->Load(in);
    ASSERT_FALSE(in.Failed());
    ASSERT_TRUE(prototype->IsScriptEnabled());
    Core::RefPtr<GameObject> partner = new GameObject();
    partner->SetName("partner");
    prototype->AddManagedObject(partner.Get(), "partner");

    Core::RefPtr<GameObject> copy = prototype->Clone();
    copy->RunScript(true);
    SetGlobal("copy", copy.Get());
    reported = nullptr;
    ASSERT_EQ(luaL_dostring(master, "copy:ObjectFunction('Probe')"), 0);
    ASSERT_NE(reported, nullptr) << "the copy's script has no global partner";
    EXPECT_NE(reported, partner.Get()) << "the copy's script must see the copy's own managed object";
    EXPECT_EQ(reported->GetName(), "partner");
}
} // namespace
