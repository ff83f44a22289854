#include "tests/support/Support_ScriptFolder.h"

#include "tests/support/Support_ScriptTestOwner.h"

#include "platform/PAL_MessagePump.h"
#include "script/host/Lua_MasterState.h"
#include "script/Lua_Stack.h"
#include "script/Lua_ScriptEngine.h"

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

    // Hooks defined before a run-time error at the top level stay callable; a chunk that yields
    // there never starts.
    folder.Write("half.lua", "function Update(dt) calls = (calls or 0) + 1 end error('stop')");
    folder.Write("yields.lua", "function Update(dt) calls = 1 end coroutine.yield(1)");
    LuaScript* half = Attach("half.lua");
    half->CallHook("Update", 1.0);
    half->CallHook("Update", 1.0);
    EXPECT_EQ(Number(half, "calls"), 2);
    EXPECT_EQ(lua_gettop(half->GetThread()), 0);
    LuaScript* yields = Attach("yields.lua");
    EXPECT_TRUE(yields->IsNotRunning());
    yields->CallHook("Update", 1.0);
    EXPECT_EQ(Number(yields, "calls"), -1);
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

namespace
{
TEST_F(ScriptEngineTest, ACompileErrorShowsTheScriptErrorBoxAndQuits)
{
    PAL::PumpMessages();
    folder.Write("broken.lua", "function (");
    testing::internal::CaptureStderr();
    LuaScript*& script = Attach("broken.lua");
    const std::string shown = testing::internal::GetCapturedStderr();
    ASSERT_NE(script, nullptr);
    EXPECT_TRUE(script->IsNotRunning());
    EXPECT_EQ(script->GetCachedChunkSize(), 0u);
    EXPECT_NE(shown.find("Script Error"), std::string::npos);
    EXPECT_NE(shown.find("broken.lua"), std::string::npos);
    EXPECT_FALSE(PAL::PumpMessages());
    // A script that never started gets no hook calls.
    script->CallHook("Update", 1.0);
    EXPECT_EQ(lua_gettop(script->GetThread()), 0);
}

TEST_F(ScriptEngineTest, NamesThatAreNotPlainFileNamesAreRefused)
{
    folder.Write("plain.lua", "x = 1");
    for (const char* name : {"../Scripts/plain.lua", "sub\\plain.lua", "sub/plain.lua", "..", ""})
        EXPECT_EQ(Attach(name), nullptr) << name;
    EXPECT_NE(Attach("plain.lua"), nullptr);
}

TEST_F(ScriptEngineTest, OwnersReachEachOtherThroughObjectFunction)
{
    ScriptTestOwner callee;
    ScriptTestOwner caller;
    folder.Write("callee.lua", "function Add(x, y, v) return x + y, self, v.X end");
    folder.Write("caller.lua", "function Go(other)\n"
                               "  sum, who, x = other:ObjectFunction('Add', 3, 3, 4, CreateVector())\n"
                               "  none = select('#', other:ObjectFunction('Add'))\n"
                               "  many = select('#', other:ObjectFunction('Add', 1e9, 1, 2, CreateVector()))\n"
                               "  missing = select('#', other:ObjectFunction('Missing', 2))\n"
                               "  negative = select('#', other:ObjectFunction('Add', -2, 1, 2))\n"
                               "  mine = self:ObjectFunction('Twice', 1, 21)\n"
                               "end\n"
                               "function Twice(x) return x * 2 end");
    ASSERT_TRUE(LuaScript::Run(callee.script, &callee, folder.Directory(), "callee.lua", false));
    ASSERT_TRUE(LuaScript::Run(caller.script, &caller, folder.Directory(), "caller.lua", false));
    const int calleeTop = lua_gettop(callee.script->GetThread());
    caller.script->CallHook("Go", &callee);
    EXPECT_EQ(Number(caller.script, "sum"), 7);
    EXPECT_EQ(Number(caller.script, "x"), 0);
    EXPECT_EQ(Number(caller.script, "none"), 0);
    EXPECT_EQ(Number(caller.script, "many"), LuaScript::MaximumResults);
    EXPECT_EQ(Number(caller.script, "missing"), 0);
    EXPECT_EQ(Number(caller.script, "negative"), 0);
    EXPECT_EQ(Number(caller.script, "mine"), 42);
    lua_State* thread = caller.script->GetThread();
    lua_getfield(thread, LUA_GLOBALSINDEX, "who");
    EXPECT_EQ(Lua::ToObject<ScriptTestOwner>(thread, -1), &callee);
    lua_pop(thread, 1);
    EXPECT_EQ(lua_gettop(callee.script->GetThread()), calleeTop);
}

TEST_F(ScriptEngineTest, AScriptClosedByItsOwnHookGoesAfterTheCall)
{
    ScriptTestOwner owner;
    folder.Write("closing.lua", "function Update(dt) self:CloseScript() after = dt end\n"
                                "function OnClone(other) cloned = other end");
    ASSERT_TRUE(LuaScript::Run(owner.script, &owner, folder.Directory(), "closing.lua", false));
    const u32 live = LuaScript::GetLiveScriptCount();
    LuaScript* script = owner.script;
    EXPECT_EQ(LuaScript::FromThread(script->GetThread()), script);
    script->CallHook("Update", 2.0);
    EXPECT_EQ(owner.script, nullptr);
    EXPECT_EQ(LuaScript::GetLiveScriptCount(), live - 1);
    EXPECT_EQ(LuaScript::FindByFileName(folder.Directory() + "\\Resources\\Scripts\\closing.lua"), nullptr);
}

TEST_F(ScriptEngineTest, HooksReceiveObjectsAndScriptedEmittersAnswerWithTwoTables)
{
    ScriptTestOwner owner;
    ScriptTestOwner copied;
    folder.Write("emitter.lua", "function OnClone(other) cloned = other end\n"
                                "function GetPositionAndDirection(t)\n"
                                "  local p = CreatePoint() p.X = t p.Y = 2\n"
                                "  local d = CreateVector() d.X = -1 d.Y = t * 2\n"
                                "  return p, d\n"
                                "end");
    folder.Write("silent.lua", "function GetPositionAndDirection(t) return 1 end");
    ASSERT_TRUE(LuaScript::Run(owner.script, &owner, folder.Directory(), "emitter.lua", true));
    owner.script->CallHook("OnClone", &copied);
    lua_State* thread = owner.script->GetThread();
    lua_getfield(thread, LUA_GLOBALSINDEX, "cloned");
    EXPECT_EQ(Lua::ToObject<ScriptTestOwner>(thread, -1), &copied);
    lua_pop(thread, 1);

    Math::Point2D position;
    Math::Vector2D direction;
    ASSERT_TRUE(owner.script->CallPositionAndDirection(0.5f, position, direction));
    EXPECT_EQ(position, Math::Point2D(0.5f, 2));
    EXPECT_EQ(direction, Math::Vector2D(-1, 1));

    ScriptTestOwner silent;
    ASSERT_TRUE(LuaScript::Run(silent.script, &silent, folder.Directory(), "silent.lua", false));
    EXPECT_FALSE(silent.script->CallPositionAndDirection(0.5f, position, direction));
    EXPECT_EQ(lua_gettop(silent.script->GetThread()), 0);
}

TEST_F(ScriptEngineTest, CopyValuesRebuildsValueTablesAndHoldsPlacesOfSkippedOnes)
{
    ScriptTestOwner owner;
    lua_State* from = lua_newthread(master);
    lua_State* to = lua_newthread(master);
    ASSERT_EQ(luaL_dostring(from, "local v = CreateVector() v.X = 3 v.Y = 4\n"
                                  "local c = CreateColor() c.R = 0.5\n"
                                  "return 1, 'two', {X = 1, Y = 2}, v, print, true, nil, c"),
              0);
    Lua::PushObject(from, &owner);
    EXPECT_EQ(LuaScript::CopyValues(from, to, 0, 100), 8);
    ASSERT_EQ(lua_gettop(to), 8);
    EXPECT_EQ(lua_tonumber(to, 1), 1);
    EXPECT_STREQ(lua_tostring(to, 2), "two");
    EXPECT_TRUE(lua_isnil(to, 3));
    EXPECT_EQ(LuaScript::ReadVector2D(to, 4), Math::Vector2D(3, 4));
    lua_getfield(to, 4, "className");
    EXPECT_STREQ(lua_tostring(to, -1), "Vector2D");
    lua_pop(to, 1);
    EXPECT_TRUE(lua_toboolean(to, 5));
    EXPECT_TRUE(lua_isnil(to, 6));
    EXPECT_EQ(LuaScript::ReadColor(to, 7), Math::Color(0.5f, 0, 0, 1));
    EXPECT_EQ(Lua::ToObject<ScriptTestOwner>(to, 8), &owner);

    lua_settop(to, 0);
    EXPECT_EQ(LuaScript::CopyValues(from, to, 0, 2), 2);
    EXPECT_EQ(LuaScript::CopyValues(from, to, 0, 0), 0);
    EXPECT_EQ(LuaScript::CopyValues(from, to, 6, 0), 2);
    lua_settop(from, 1);
    EXPECT_EQ(LuaScript::CopyValues(from, to, 1, 0), 0);
    lua_pop(master, 2);
}

TEST_F(ScriptEngineTest, UserdataMadeByScriptsAreNoObjects)
{
    // A script can dress an empty userdata in an object's metatable; it still holds no object.
    ASSERT_EQ(luaL_dostring(master, "local fake = newproxy(false)\n"
                                    "debug.setmetatable(fake, debug.getregistry().TestOwner)\n"
                                    "return fake, select('#', fake:CloseScript()), io.stdout"),
              0);
    EXPECT_EQ(Lua::ToBase(master, 1), nullptr);
    EXPECT_EQ(lua_tonumber(master, 2), 0) << "the method call gave no result";
    EXPECT_EQ(Lua::ToBase(master, 3), nullptr) << "a file handle is no object either";
    lua_settop(master, 0);
}

TEST_F(ScriptEngineTest, ValueReadersGiveDefaultsForValuesThatAreNotTables)
{
    lua_pushnumber(master, 5);
    lua_pushstring(master, "text");
    EXPECT_EQ(LuaScript::ReadColor(master, 1), Math::Color(0, 0, 0, 1));
    EXPECT_EQ(LuaScript::ReadVector2D(master, 2), Math::Vector2D());
    const i32 color = LuaScript::PushColor(master, 0.25f, 0.5f, 0.75f, 1);
    EXPECT_EQ(LuaScript::ReadColor(master, -1), Math::Color(0.25f, 0.5f, 0.75f, 1));
    EXPECT_EQ(LuaScript::ReadColor(master, color), Math::Color(0.25f, 0.5f, 0.75f, 1));
    // A script that breaks the constructor still gets value tables.
    ASSERT_EQ(luaL_dostring(master, "function CreatePoint() error('no') end"), 0);
    LuaScript::PushPoint2D(master, 1, 2);
    EXPECT_EQ(LuaScript::ReadPoint2D(master, -1), Math::Point2D(1, 2));
    lua_getfield(master, -1, "className");
    EXPECT_STREQ(lua_tostring(master, -1), "Point2D");
    lua_settop(master, 0);
}

TEST_F(ScriptEngineTest, NumbersBecomeIntegersOnlyWhenTheyFit)
{
    ASSERT_EQ(luaL_dostring(master, "return 3.7, -1, 0/0, 2^40, 2.7, 3, ' 12 ', -2^31"), 0);
    EXPECT_EQ(Lua::CheckUnsigned(master, 1), 3u);
    EXPECT_EQ(Lua::CheckUnsigned(master, 2), 0u);
    EXPECT_EQ(Lua::CheckUnsigned(master, 3), 0u);
    EXPECT_EQ(Lua::CheckUnsigned(master, 4), 0u);
    EXPECT_EQ(Lua::CheckInteger(master, 2), -1);
    EXPECT_EQ(Lua::CheckInteger(master, 3), 0);
    EXPECT_EQ(Lua::CheckInteger(master, 8), INT32_MIN);
    EXPECT_EQ(Lua::CheckUnsigned(master, 7), 12u);
    u32 index = 99;
    EXPECT_TRUE(Lua::CheckIndex(master, 5, 3, index));
    EXPECT_EQ(index, 2u);
    EXPECT_FALSE(Lua::CheckIndex(master, 6, 3, index));
    EXPECT_FALSE(Lua::CheckIndex(master, 2, 3, index));
    EXPECT_FALSE(Lua::CheckIndex(master, 3, 3, index));
    EXPECT_FALSE(Lua::CheckIndex(master, 1, 0, index));
    lua_settop(master, 0);
}

TEST_F(ScriptEngineTest, ArgumentsOfTheWrongTypeAreTheScriptsError)
{
    ASSERT_EQ(luaL_dostring(master, "return 'x', {}, 4, nil"), 0);
    EXPECT_EQ(Lua::CheckString(master, 3), "4");
    EXPECT_EQ(lua_type(master, 3), LUA_TNUMBER) << "the number stays a number";
    EXPECT_EQ(Lua::ToString(master, 2), "");
    EXPECT_EQ(Lua::OptInteger(master, 4, -1), -1);
    EXPECT_EQ(Lua::OptInteger(master, 9, 7), 7);
    try
    {
        Lua::CheckNumber(master, 1);
        ADD_FAILURE() << "a word is no number";
    }
    catch (const Lua::ArgumentError& error)
    {
        EXPECT_EQ(error.index, 1);
        EXPECT_STREQ(error.message, "number expected, got string");
    }
    EXPECT_THROW(Lua::CheckString(master, 2), Lua::ArgumentError);
    EXPECT_THROW(Lua::OptFloat(master, 2, 0), Lua::ArgumentError);
    EXPECT_THROW(Lua::CheckInteger(master, 9), Lua::ArgumentError);
    lua_settop(master, 0);
}
} // namespace

namespace
{
TEST(ScriptEngineMasterTest, ScriptsOfAClosedMasterStateStopRunningAndCloseSafely)
{
    ScriptFolder folder;
    folder.Write("counter.lua", "function Update(dt) count = (count or 0) + 1 end");
    Lua::BuildMasterState();
    LuaScript* script = nullptr;
    ASSERT_TRUE(LuaScript::Run(script, nullptr, folder.Directory(), "counter.lua", false));
    Lua::CloseMasterState();
    EXPECT_TRUE(script->IsNotRunning());
    script->CallHook("Update", 1.0);
    EXPECT_EQ(script->GetThread(), nullptr);

    // A new master state starts the next attach from the kept chunk, on a thread of its own.
    Lua::BuildMasterState();
    LuaScript* next = nullptr;
    folder.Write("counter.lua", "syntax error here");
    EXPECT_TRUE(LuaScript::Run(next, nullptr, folder.Directory(), "counter.lua", false));
    LuaScript::Close(script);
    LuaScript::Close(next);
    EXPECT_EQ(script, nullptr);
    Lua::CloseMasterState();
}
} // namespace
