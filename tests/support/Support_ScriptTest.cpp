#include "tests/support/Support_ScriptTest.h"

void DefineTestHelpers(lua_State* master)
{
    ASSERT_EQ(luaL_dostring(master, "function none(...) return select('#', ...) == 0 end\n"
                                    "function near(a, b) return type(a) == 'number' and math.abs(a - b) < 1e-4 end"),
              0);
}

std::string RunTestScript(lua_State* master, const std::string& name)
{
    const std::string path = std::string(MORVANE_SOURCE_DIR) + "/tests/script/lua/" + name;
    if (luaL_dofile(master, path.c_str()) == 0)
        return std::string();
    std::string message = lua_tostring(master, -1) ? lua_tostring(master, -1) : "error";
    lua_pop(master, 1);
    return message;
}

void ScriptTest::SetUp()
{
    master = Lua::BuildMasterState();
    DefineTestHelpers(master);
}

void ScriptTest::TearDown()
{
    Lua::CloseMasterState();
}

std::string ScriptTest::RunFile(const std::string& name)
{
    return RunTestScript(master, name);
}

void ScriptTest::SetGlobalNumber(const char* name, double value)
{
    lua_pushnumber(master, value);
    lua_setglobal(master, name);
}

void ScriptTest::SetGlobalFromTop(const char* name)
{
    lua_setglobal(master, name);
}
