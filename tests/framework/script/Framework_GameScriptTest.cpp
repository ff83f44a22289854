#include "tests/framework/script/Framework_ScriptTest.h"

#include "collision/Collision_ActorData.h"
#include "framework/net/Vellumar_VelNet.h"

namespace
{
Vellumar::Game* watched = nullptr;

const luaL_Reg Answers[] = {
    {"expected_title", [](lua_State* s) { return Lua::PushString(s, watched->GetTitle()); }},
    {"expected_icon", [](lua_State* s) { return Lua::PushString(s, watched->GetIcon()); }},
    {"expected_directory", [](lua_State* s) { return Lua::PushString(s, Vellumar::Game::GetDirectory()); }},
    {"expected_pending",
     [](lua_State* s) {
         return Lua::PushString(s, watched->IsSwitchPending() ? std::to_string(watched->GetNextLevelIndex()).c_str() : "none");
     }},
    {"expected_network_type",
     [](lua_State* s) { return Lua::PushString(s, watched->GetNetworkEngine() ? "userdata" : "nil"); }},
    {"expected_shutdown", [](lua_State* s) { return Lua::PushBoolean(s, false); }},
    {"expected_one_way", [](lua_State* s) { return Lua::PushBoolean(s, watched->IsOneWayCollision()); }},
    {"expected_vsync", [](lua_State* s) { return Lua::PushBoolean(s, watched->IsVSync() != 0); }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsDriveTheGame)
{
    MakeGame(3);
    Start();
    watched = game.Get();
    // The game owns the collision assets a script hands it.
    auto* actor = new Collision2D::CollisionActor();
    Core::RefPtr<Vellumar::GameObject> object = new Vellumar::GameObject();
    SetGlobals({{"game", game.Get()}, {"actor", actor}, {"object", object.Get()}});
    Register(Answers);

    EXPECT_EQ(RunTestScript(master, "Framework_Game.lua"), "");
    EXPECT_EQ(game->GetFrameRate(), 30.0);
    EXPECT_GT(object->GetReferenceCount(), 1u);
}
} // namespace
