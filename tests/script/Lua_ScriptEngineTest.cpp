#include "ScriptFolder.h"

#include "framework/Lua_MasterState.h"
#include "framework/Lua_ScriptEngine.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <deque>
#include <string>

namespace
{
class ScriptEngineTest : public ::testing::Test
{
protected:
    void SetUp() override { master = Lua::BuildMasterState(); }
    void TearDown() override
    {
        for (LuaScript*& script : scripts)
            LuaScript::Close(script);
        Lua::CloseMasterState();
    }

    LuaScript*& Attach(const std::string& name, Core::Base* owner = nullptr, bool skipConstructor = false)
    {
        scripts.push_back(nullptr);
        LuaScript::Run(scripts.back(), owner, folder.Directory(), Core::String(name.c_str()), skipConstructor);
        return scripts.back();
    }

    // The number the global name has in the script's globals, or -1.
    static double Number(LuaScript* script, const char* name)
    {
        lua_State* thread = script->GetThread();
        lua_getfield(thread, LUA_GLOBALSINDEX, name);
        const double value = lua_isnumber(thread, -1) ? lua_tonumber(thread, -1) : -1;
        lua_pop(thread, 1);
        return value;
    }

    lua_State* master = nullptr;
    ScriptFolder folder;
    std::deque<LuaScript*> scripts;
};

TEST_F(ScriptEngineTest, ScriptsKeepTheirOwnGlobalsAndReadTheSharedOnes)
{
    lua_pushnumber(master, 7);
    lua_setglobal(master, "shared");
    folder.Write("a.lua", "mine = shared + 1 shared = 100");
    folder.Write("b.lua", "mine = shared + 2");
    LuaScript* a = Attach("a.lua");
    LuaScript* b = Attach("b.lua");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Number(a, "mine"), 8);
    EXPECT_EQ(Number(a, "shared"), 100);
    EXPECT_EQ(Number(b, "mine"), 9);
    lua_getglobal(master, "shared");
    EXPECT_EQ(lua_tonumber(master, -1), 7);
    lua_getglobal(master, "mine");
    EXPECT_TRUE(lua_isnil(master, -1));
    lua_pop(master, 2);
}

TEST_F(ScriptEngineTest, SecondScriptOfAFileRunsTheCachedChunkWithoutReadingTheFile)
{
    folder.Write("cached.lua", "count = (count or 0) + 1 version = 1");
    LuaScript* first = Attach("cached.lua");
    folder.Write("cached.lua", "version = 2");
    LuaScript* second = Attach("cached.lua");
    EXPECT_EQ(Number(first, "version"), 1);
    EXPECT_EQ(Number(second, "version"), 1);
    EXPECT_EQ(Number(second, "count"), 1);
    EXPECT_GT(second->GetCachedChunkSize(), 0u);
    EXPECT_EQ(LuaScript::FindByFileName(first->GetFileName()), first);

    // Once the compiled script is closed, the next attach compiles the file as it is now.
    LuaScript::Close(scripts[0]);
    LuaScript* third = Attach("cached.lua");
    EXPECT_EQ(Number(third, "version"), 2);
}

TEST_F(ScriptEngineTest, HooksLeaveTheStackAsTheyFoundIt)
{
    folder.Write("hooks.lua", "frames = 0\n"
                              "function Update(dt) frames = frames + dt return 1, 2, 3 end\n"
                              "function Broken() error('boom') end\n"
                              "NotAFunction = 5\n");
    folder.Write("empty.lua", "");
    LuaScript* hooks = Attach("hooks.lua");
    LuaScript* empty = Attach("empty.lua");
    const int hooksTop = lua_gettop(hooks->GetThread());
    const int emptyTop = lua_gettop(empty->GetThread());
    for (int frame = 0; frame < 10000; ++frame)
    {
        hooks->CallHook("Update", 1.0);
        hooks->CallHook("Broken");
        hooks->CallHook("NotAFunction");
        empty->CallHook("Update", 1.0);
        empty->CallHook("OnStart");
    }
    EXPECT_EQ(lua_gettop(hooks->GetThread()), hooksTop);
    EXPECT_EQ(lua_gettop(empty->GetThread()), emptyTop);
    EXPECT_EQ(Number(hooks, "frames"), 10000);
}
} // namespace

namespace
{
TEST(ScriptEngineWithoutMasterTest, EveryOperationIsInert)
{
    ScriptFolder folder;
    folder.Write("inert.lua", "x = 1");
    LuaScript* script = nullptr;
    EXPECT_EQ(LuaScript::Create(), nullptr);
    EXPECT_FALSE(LuaScript::Run(script, nullptr, folder.Directory(), "inert.lua", false));
    EXPECT_EQ(script, nullptr);
    LuaScript::Close(script);
}
} // namespace
