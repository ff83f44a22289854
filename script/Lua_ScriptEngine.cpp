#include "script/Lua_ScriptEngine.h"

#include "core/PAL_Path.h"
#include "script/Lua_Stack.h"

#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
constexpr int FreeSlots = 100;
const char* const ScriptFolder = "\\Resources\\Scripts\\";
const char* const CachedChunkName = "loaded_chunk";

lua_State* masterState = nullptr;
// Registry reference of the function that looks a hook up and calls it, inside the protected
// call, so that a global lookup through a script's metatables cannot raise outside of one.
int hookCallerReference = LUA_NOREF;
u32 scriptCount = 0;

Core::Vector<LuaScript*>& ScriptList()
{
    static Core::Vector<LuaScript*> scripts;
    return scripts;
}

void WriteToStandardError(const Core::String& message)
{
    std::fprintf(stderr, "Script Error: %s\n", message.c_str());
}

LuaScript::CompileErrorHandler compileErrorHandler = &WriteToStandardError;

// Stack: hook name, arguments. Calls the global of that name when it is a function and returns
// what it returned; anything else fails the protected call, with an error value that costs no
// allocation.
int CallGlobalHook(lua_State* thread)
{
    lua_getfield(thread, LUA_GLOBALSINDEX, lua_tostring(thread, 1));
    if (!lua_isfunction(thread, -1))
    {
        lua_pushboolean(thread, 0);
        return lua_error(thread);
    }
    lua_replace(thread, 1);
    lua_call(thread, lua_gettop(thread) - 1, LUA_MULTRET);
    return lua_gettop(thread);
}

int AppendToChunk(lua_State*, const void* bytes, size_t size, void* chunk)
{
    const u8* begin = static_cast<const u8*>(bytes);
    static_cast<Core::Vector<u8>*>(chunk)->insert(static_cast<Core::Vector<u8>*>(chunk)->end(), begin,
                                                   begin + size);
    return 0;
}

struct ChunkReader
{
    const Core::Vector<u8>* chunk;
    bool delivered;
};

const char* ReadWholeChunk(lua_State*, void* data, size_t* size)
{
    ChunkReader* reader = static_cast<ChunkReader*>(data);
    if (reader->delivered || reader->chunk->empty())
    {
        *size = 0;
        return nullptr;
    }
    reader->delivered = true;
    *size = reader->chunk->size();
    return reinterpret_cast<const char*>(reader->chunk->data());
}

// A script name from a level, an object or a saved game names one file of the scripts folder.
bool IsPlainFileName(const Core::String& name)
{
    return !name.empty() && name.find('\\') == Core::String::npos && name.find('/') == Core::String::npos &&
           name != "." && name != "..";
}

// Keeps a script alive while its thread runs code, so that a hook which closes its own script
// only marks it; the last call out deletes it.
class RunGuard
{
public:
    explicit RunGuard(u32& depth) : depth(depth) { ++depth; }
    ~RunGuard() { --depth; }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

private:
    u32& depth;
};
} // namespace

LuaScript* LuaScript::Create()
{
    if (!masterState)
        return nullptr;
    LuaScript* script = new ("Lua_ScriptEngine", __LINE__) LuaScript();
    ScriptList().push_back(script);
    return script;
}

LuaScript::LuaScript()
{
    ++scriptCount;
    lua_checkstack(masterState, FreeSlots);
    thread = lua_newthread(masterState);
    threadReference = luaL_ref(masterState, LUA_REGISTRYINDEX);
    lua_checkstack(thread, FreeSlots);

    lua_newtable(thread);
    lua_newtable(thread);
    lua_pushvalue(thread, LUA_GLOBALSINDEX);
    lua_setfield(thread, -2, "__index");
    lua_setmetatable(thread, -2);
    lua_replace(thread, LUA_GLOBALSINDEX);

    lua_pushlightuserdata(masterState, thread);
    lua_pushlightuserdata(masterState, this);
    lua_rawset(masterState, LUA_GLOBALSINDEX);
}

LuaScript::~LuaScript()
{
    if (masterState && thread)
    {
        lua_pushlightuserdata(masterState, thread);
        lua_pushnil(masterState);
        lua_rawset(masterState, LUA_GLOBALSINDEX);
        luaL_unref(masterState, LUA_REGISTRYINDEX, threadReference);
    }
}

bool LuaScript::Run(LuaScript*& script, Core::Base* owner, const Core::String& directory,
                    const Core::String& scriptName, bool skipConstructor)
{
    if (!masterState || !IsPlainFileName(scriptName))
        return false;
    if (!script)
        script = Create();
    const Core::String path = directory + ScriptFolder + scriptName;
    const LuaScript* source = FindByFileName(path);
    script->SetSelf(owner);
    if (source)
        script->LoadFromCache(*source);
    else
        script->LoadFile(path);
    if (!script || script->IsNotRunning())
        return false;
    if (!skipConstructor)
        script->CallHook("Constructor");
    return true;
}

void LuaScript::Close(LuaScript*& script)
{
    LuaScript* closing = script;
    script = nullptr;
    Core::Vector<LuaScript*>& scripts = ScriptList();
    const auto found = std::find(scripts.begin(), scripts.end(), closing);
    if (!closing || found == scripts.end())
        return;
    scripts.erase(found);
    closing->closed = true;
    closing->runState = 0;
    if (closing->runDepth == 0)
        delete closing;
}

LuaScript* LuaScript::FindByFileName(const Core::String& path)
{
    for (LuaScript* script : ScriptList())
    {
        if (script->fileName == path)
            return script;
    }
    return nullptr;
}

LuaScript* LuaScript::FromThread(lua_State* thread)
{
    if (!masterState || !thread)
        return nullptr;
    lua_pushlightuserdata(masterState, thread);
    lua_rawget(masterState, LUA_GLOBALSINDEX);
    LuaScript* script = static_cast<LuaScript*>(lua_touserdata(masterState, -1));
    lua_pop(masterState, 1);
    return script;
}

void LuaScript::LoadFile(const Core::String& path)
{
    if (!thread)
        return;
    fileName = path;
    if (Compile(path))
        Start();
}

void LuaScript::LoadFromCache(const LuaScript& source)
{
    if (!thread)
        return;
    if (&source != this)
        cachedChunk = source.cachedChunk;
    ChunkReader reader{&cachedChunk, false};
    if (lua_load(thread, &ReadWholeChunk, &reader, CachedChunkName) != 0)
    {
        lua_pop(thread, 1);
        return;
    }
    Start();
}

bool LuaScript::Compile(const Core::String& path)
{
    cachedChunk.clear();
    if (luaL_loadfile(thread, PAL::ToOSPath(path.View()).c_str()) != 0)
    {
        const char* message = lua_tostring(thread, -1);
        const Core::String text(message ? message : "");
        lua_pop(thread, 1);
        compileErrorHandler(text);
        return false;
    }
    lua_dump(thread, &AppendToChunk, &cachedChunk);
    return true;
}

void LuaScript::Start()
{
    int base = lua_gettop(thread) - 1;
    int status = 0;
    {
        RunGuard guard(runDepth);
        status = lua_resume(thread, 0);
    }
    // A chunk that yields at its top level leaves the thread suspended, where no hook can be
    // called on it: it never counts as started, and its stack belongs to the suspended call.
    if (status == LUA_YIELD)
    {
        runState = 0;
        base = lua_gettop(thread);
    }
    else if (!closed)
    {
        runState = 1;
    }
    FinishCall(std::max(base, 0));
}

void LuaScript::SetSelf(Core::Base* owner)
{
    SetGlobal("self", owner);
}

void LuaScript::SetGlobal(const char* name, Core::Base* object)
{
    if (!thread)
        return;
    const int top = lua_gettop(thread);
    if (object)
        object->PushToScript(thread);
    if (lua_gettop(thread) == top)
        lua_pushnil(thread);
    lua_settop(thread, top + 1);
    lua_setfield(thread, LUA_GLOBALSINDEX, name);
}

void LuaScript::PushGlobalCaller(lua_State* thread)
{
    lua_rawgeti(thread, LUA_REGISTRYINDEX, hookCallerReference);
}

bool LuaScript::PushHook(const char* name)
{
    if (IsNotRunning() || closed)
        return false;
    PushGlobalCaller(thread);
    lua_pushstring(thread, name);
    return true;
}

void LuaScript::CallPushedHook(i32 argumentCount, i32 resultCount)
{
    RunGuard guard(runDepth);
    lua_pcall(thread, argumentCount + 1, resultCount, 0);
}

void LuaScript::CallHook(const char* name)
{
    const int top = thread ? lua_gettop(thread) : 0;
    if (!PushHook(name))
        return;
    CallPushedHook(0, 0);
    FinishCall(top);
}

void LuaScript::CallHook(const char* name, double argument)
{
    const int top = thread ? lua_gettop(thread) : 0;
    if (!PushHook(name))
        return;
    lua_pushnumber(thread, argument);
    CallPushedHook(1, 0);
    FinishCall(top);
}

void LuaScript::CallHook(const char* name, Core::Base* argument)
{
    const int top = thread ? lua_gettop(thread) : 0;
    if (!PushHook(name))
        return;
    const int before = lua_gettop(thread);
    if (argument)
        argument->PushToScript(thread);
    if (lua_gettop(thread) == before)
        lua_pushnil(thread);
    lua_settop(thread, before + 1);
    CallPushedHook(1, 0);
    FinishCall(top);
}

bool LuaScript::CallPositionAndDirection(float t, Math::Point2D& position, Math::Vector2D& direction)
{
    const int top = thread ? lua_gettop(thread) : 0;
    if (!PushHook("GetPositionAndDirection"))
        return false;
    lua_pushnumber(thread, t);
    CallPushedHook(1, 2);
    const bool answered = lua_istable(thread, -2) && lua_istable(thread, -1);
    if (answered)
    {
        position = ReadPoint2D(thread, -2);
        direction = ReadVector2D(thread, -1);
    }
    FinishCall(top);
    return answered;
}

void LuaScript::FinishCall(int top)
{
    if (closed)
    {
        if (runDepth == 0)
            delete this;
        return;
    }
    lua_settop(thread, top);
}

i32 LuaScript::ObjectFunction(lua_State* caller, LuaScript* script)
{
    if (!script || script->IsNotRunning() || script->closed || lua_type(caller, 1) != LUA_TSTRING)
        return 0;
    const u32 wanted = std::min(Lua::OptUnsigned(caller, 2, 0), MaximumResults);
    lua_State* target = script->thread;
    if (!lua_checkstack(caller, static_cast<int>(wanted) + 1) ||
        !lua_checkstack(target, lua_gettop(caller) + static_cast<int>(wanted) + 2))
        return 0;
    const int base = lua_gettop(target);
    const i32 arguments = CopyValues(caller, target, 1, 0);
    PushGlobalCaller(target);
    lua_insert(target, base + 1);
    lua_pushvalue(caller, 1);
    lua_xmove(caller, target, 1);
    lua_insert(target, base + 2);
    int status = 0;
    {
        RunGuard guard(script->runDepth);
        status = lua_pcall(target, arguments + 1, static_cast<int>(wanted), 0);
    }
    i32 results = 0;
    if (status == 0)
    {
        results = static_cast<i32>(wanted);
        if (target != caller)
            lua_xmove(target, caller, results);
    }
    else if (target == caller)
    {
        lua_settop(caller, base);
    }
    script->FinishCall(target == caller ? lua_gettop(target) : base);
    return results;
}

lua_State* LuaScript::GetMasterState()
{
    return masterState;
}

void LuaScript::SetMasterState(lua_State* state)
{
    // Scripts of the previous state keep their chunks but no longer run.
    for (LuaScript* script : ScriptList())
    {
        script->thread = nullptr;
        script->threadReference = LUA_NOREF;
        script->runState = 0;
    }
    masterState = state;
    hookCallerReference = LUA_NOREF;
    if (state)
    {
        lua_pushcfunction(state, &CallGlobalHook);
        hookCallerReference = luaL_ref(state, LUA_REGISTRYINDEX);
    }
}

u32 LuaScript::GetScriptCount()
{
    return scriptCount;
}

u32 LuaScript::GetLiveScriptCount()
{
    return static_cast<u32>(ScriptList().size());
}

void LuaScript::SetCompileErrorHandler(CompileErrorHandler handler)
{
    compileErrorHandler = handler ? handler : &WriteToStandardError;
}
