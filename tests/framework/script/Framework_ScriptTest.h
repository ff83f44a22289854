#pragma once
// A headless game with a master script state, for the framework classes' table tests.
#include "tests/support/Support_ScriptFolder.h"
#include "tests/support/Support_ScriptTest.h"

#include "script/Lua_Stack.h"
#include "tests/framework/Framework_GameFixture.h"

#include <utility>

class FrameworkScriptTest : public FrameworkTest::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        master = Lua::BuildMasterState();
        DefineTestHelpers(master);
    }
    void TearDown() override
    {
        GameFixture::TearDown();
        Lua::CloseMasterState();
    }

    // A game whose scripts, and the files they name, come from this test's own folder.
    void MakeGame(u32 levelCount = 3, u32 startingLevel = 0)
    {
        GameFixture::MakeGame(levelCount, startingLevel);
        game->SetScriptDirectory(scripts.Directory());
    }

    void SetGlobal(const char* name, Core::Base* object)
    {
        Lua::PushObject(master, object);
        lua_setglobal(master, name);
    }

    void SetGlobals(std::initializer_list<std::pair<const char*, Core::Base*>> objects)
    {
        for (const auto& [name, object] : objects)
            SetGlobal(name, object);
    }

    void SetGlobalNumber(const char* name, double value)
    {
        lua_pushnumber(master, value);
        lua_setglobal(master, name);
    }

    // Functions the scripts call for the native answers they compare with.
    void Register(const luaL_Reg* functions)
    {
        for (const luaL_Reg* function = functions; function->name; ++function)
            lua_register(master, function->name, function->func);
    }

    lua_State* master = nullptr;
    ScriptFolder scripts;
};
