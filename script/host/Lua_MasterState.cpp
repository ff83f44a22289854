#include "script/host/Lua_MasterState.h"

#include "math/Math_ShapePusher.h"
#include "platform/PAL_MessageBox.h"
#include "platform/PAL_MessagePump.h"
#include "script/Lua_ScriptClass.h"
#include "script/Lua_ScriptEngine.h"
#include "script/Lua_Stack.h"

#include <lua.hpp>

namespace Lua
{
namespace
{
// A value table of the named class with the given fields, each 0 (alpha 1 for colours).
int CreateValueTable(lua_State* state, const char* className, const char* const* fields, int fieldCount,
                     lua_Number lastDefault)
{
    lua_createtable(state, 0, fieldCount + 1);
    for (int i = 0; i < fieldCount; ++i)
    {
        lua_pushnumber(state, i == fieldCount - 1 ? lastDefault : 0);
        lua_setfield(state, -2, fields[i]);
    }
    lua_pushstring(state, className);
    lua_setfield(state, -2, "className");
    return 1;
}

// The constructors scripts and the result pushers call by name: record tables name their record,
// arrays keep their values at 1, 2, ..., and a matrix keeps its nine elements in element order.
const char* const ScriptConstructors = R"(
local function Record(name)
  return function() return {className = name} end
end
for _, name in ipairs({"BRECT_C", "CIR_C", "LNS_C", "DGEO_C", "TMAP_C", "TMAP_DATA", "TMAP_DATA_BASE"}) do
  _G["Create" .. name] = Record(name)
end
function CreateArrayTable(array, ...)
  for i = 1, select("#", ...) do
    array[i] = (select(i, ...))
  end
end
CreateArrayTableVar = CreateArrayTable
function CreateMatrix(...)
  local matrix = {className = "Matrix"}
  for i = 1, 9 do
    matrix[i] = (select(i, ...)) or 0
  end
  return matrix
end
)";

const char* const PointFields[] = {"X", "Y"};
const char* const ColorFields[] = {"R", "G", "B", "A"};
const char* const SizeFields[] = {"Width", "Height"};

int CreateVector(lua_State* state)
{
    return CreateValueTable(state, "Vector2D", PointFields, 2, 0);
}

int CreatePoint(lua_State* state)
{
    return CreateValueTable(state, "Point2D", PointFields, 2, 0);
}

int CreateColor(lua_State* state)
{
    return CreateValueTable(state, "Color", ColorFields, 4, 1);
}

int CreateSize(lua_State* state)
{
    return CreateValueTable(state, "Size", SizeFields, 2, 0);
}

// A script that does not compile ends the program, as its author is told.
void ShowCompileError(const Core::String& message)
{
    PAL::ShowMessageBox("Script Error", message, PAL::MessageBoxKind::Error, PAL::MessageBoxButton::Ok);
    PAL::PostQuit();
}

void PushObject(lua_State* state, Core::Base* object, const char* scriptTypeName)
{
    PushObjectAs(state, object, scriptTypeName);
}

// The userdata holds the shape, which stays its owner's. Without its class's metatable it gets
// none rather than the objects' one, whose methods would take it for an object.
void PushShape(lua_State* state, void* shape, const char* scriptTypeName)
{
    *static_cast<void**>(lua_newuserdata(state, sizeof(void*))) = shape;
    luaL_getmetatable(state, scriptTypeName);
    lua_setmetatable(state, -2);
}
} // namespace

lua_State* BuildMasterState()
{
    CloseMasterState();
    lua_State* state = luaL_newstate();
    luaL_openlibs(state);
    for (const ScriptClass* scriptClass : GetScriptClasses())
        RegisterScriptClass(state, *scriptClass);
    lua_register(state, "CreateVector", &CreateVector);
    lua_register(state, "CreatePoint", &CreatePoint);
    lua_register(state, "CreateColor", &CreateColor);
    lua_register(state, "CreateSize", &CreateSize);
    static_cast<void>(luaL_dostring(state, ScriptConstructors));
    Core::SetScriptPusher(&PushObject);
    Math::SetShapeScriptPusher(&PushShape);
    LuaScript::SetCompileErrorHandler(&ShowCompileError);
    LuaScript::SetMasterState(state);
    return state;
}

void CloseMasterState()
{
    lua_State* state = LuaScript::GetMasterState();
    if (!state)
        return;
    LuaScript::SetMasterState(nullptr);
    Core::SetScriptPusher(nullptr);
    Math::SetShapeScriptPusher(nullptr);
    LuaScript::SetCompileErrorHandler(nullptr);
    lua_close(state);
}
} // namespace Lua
