#pragma once
// A master state for table tests, with the helpers the Lua test files under tests/script/lua use:
// "none(...)" is true when a call returned no result, "near(a, b)" compares numbers within 1e-4.
#include "core/Core_Types.h"
#include "script/host/Lua_MasterState.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <string>

// Builds the helpers "none" and "near" into a master state.
void DefineTestHelpers(lua_State* master);
// Runs tests/script/lua/<name> in master; the failure message of the first failing assert, or empty.
std::string RunTestScript(lua_State* master, const std::string& name);

class ScriptTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs tests/script/lua/<name>; the failure message of the first failing assert, or empty.
    std::string RunFile(const std::string& name);
    void SetGlobalNumber(const char* name, double value);
    // Leaves the value on top of the stack as a global of the master state.
    void SetGlobalFromTop(const char* name);

    lua_State* master = nullptr;
};
