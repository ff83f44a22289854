#pragma once
// A scriptable object for the glue's tests: it pushes itself as "TestOwner", whose table offers
// "ObjectFunction" on its script and "CloseScript", which closes that script from inside a call.
#include "core/Core_Object.h"
#include "script/Lua_ScriptEngine.h"

class ScriptTestOwner : public Core::Object
{
public:
    ~ScriptTestOwner() override { LuaScript::Close(script); }
    LuaScript* GetScript() override { return script; }

    LuaScript* script = nullptr;

protected:
    const char* GetScriptTypeName() const override { return "TestOwner"; }
};
