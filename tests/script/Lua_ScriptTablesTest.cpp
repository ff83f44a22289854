#include "ScriptTest.h"

#include "framework/Lua_ScriptClass.h"

#include <cstring>
#include <string>
#include <utility>

namespace
{
// Script class name and the number of rows its table has.
const std::pair<const char*, u32> TableSizes[] = {
    {"Line2D", 12},
    {"LineSegment2D", 13},
    {"Circle2D", 6},
    {"Ray2D", 12},
    {"KeyboardImp", 8},
    {"MouseImp", 10},
};

TEST_F(ScriptTest, EveryTableHasTheRowsItsClassOffers)
{
    for (const auto& [name, rows] : TableSizes)
    {
        const Lua::ScriptClass* scriptClass = Lua::FindScriptClass(name);
        ASSERT_NE(scriptClass, nullptr) << name;
        EXPECT_EQ(Lua::CountMethods(scriptClass->methods), rows) << name;
    }
}

TEST_F(ScriptTest, EveryTableIsReachableFromScriptsByItsMetatableName)
{
    ASSERT_EQ(luaL_dostring(master, "function methodsOf(name)\n"
                                    "  local metatable = debug.getregistry()[name]\n"
                                    "  local count = 0\n"
                                    "  for _, method in pairs(metatable.__index) do\n"
                                    "    if type(method) == 'function' then count = count + 1 end\n"
                                    "  end\n"
                                    "  return count\n"
                                    "end"),
              0);
    for (const Lua::ScriptClass* scriptClass : Lua::GetScriptClasses())
    {
        // A table may name one method twice (the last row wins): count the distinct names.
        u32 distinct = 0;
        for (const Vellumar::ScriptMethodEntry* row = scriptClass->methods; row->name; ++row)
        {
            bool repeated = false;
            for (const Vellumar::ScriptMethodEntry* before = scriptClass->methods; before != row; ++before)
                repeated = repeated || std::strcmp(before->name, row->name) == 0;
            distinct += repeated ? 0 : 1;
        }
        lua_getglobal(master, "methodsOf");
        lua_pushstring(master, scriptClass->name);
        ASSERT_EQ(lua_pcall(master, 1, 1, 0), 0) << scriptClass->name << ": " << lua_tostring(master, -1);
        EXPECT_EQ(lua_tonumber(master, -1), distinct) << scriptClass->name;
        lua_pop(master, 1);
    }
}
} // namespace
