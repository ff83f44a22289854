#pragma once
// Scripts of levels, game objects and particle emitters. Each owner holds one LuaScript: a thread
// of the shared master state whose private globals fall back to the shared ones, so every script
// sees the shared functions but keeps its own variables. Owners publish themselves as "self" and
// call the script's hooks by name. Compiled chunks are cached per script file.
//
// Nothing here runs without a master state: the game creates none, so Create gives null, Run does
// nothing and the hooks are never reached. Hosts that want scripts build one (Lua_MasterState.h).
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"

struct lua_State;

namespace Core
{
class File;
}

class LuaScript : public Core::Object
{
public:
    // Shows a compile error to the user; the default writes it to standard error. Hosts with a
    // window install one that shows the "Script Error" message box and quits.
    using CompileErrorHandler = void (*)(const Core::String& message);

    // A new script appended to the script list; null while no master state exists.
    static LuaScript* Create();

    // The attach of an owner: creates the owner's script on first use, publishes the owner as
    // "self", starts the file directory + "\Resources\Scripts\" + scriptName (from the cached
    // chunk of a script already loaded from that path, else compiled) and, unless skipConstructor,
    // calls "Constructor". True when the script runs; false (nothing done) without a master state
    // or for a name that is not a plain file name.
    static bool Run(LuaScript*& script, Core::Base* owner, const Core::String& directory,
                    const Core::String& scriptName, bool skipConstructor);

    // Deletes a script of the list and nulls the owner's pointer; anything else is left alone.
    static void Close(LuaScript*& script);

    // The first live script loaded from path, or null.
    static LuaScript* FindByFileName(const Core::String& path);
    // The script whose thread is thread, or null (the main thread of the master state has none).
    static LuaScript* FromThread(lua_State* thread);

    // Compiles path and runs the chunk's top level, which defines the hooks.
    void LoadFile(const Core::String& path);
    // Runs the chunk source compiled, without compiling again.
    void LoadFromCache(const LuaScript& source);

    bool IsNotRunning() const { return runState != 1; }
    lua_State* GetThread() const { return thread; }
    const Core::String& GetFileName() const { return fileName; }
    u32 GetCachedChunkSize() const { return static_cast<u32>(cachedChunk.size()); }

    // Stores owner as the script's global "self".
    void SetSelf(Core::Base* owner);
    // Stores object (nil for null or an object that pushes nothing) as the script's global name.
    void SetGlobal(const char* name, Core::Base* object);

    // Hooks: the script's global function of that name through a protected call, results dropped.
    // A missing function, a value that is not a function or a runtime error does nothing, and the
    // thread's stack is always left as it was.
    void CallHook(const char* name);
    void CallHook(const char* name, double argument);
    void CallHook(const char* name, Core::Base* argument);
    // "GetPositionAndDirection"(t) of a scripted particle emitter: true when the hook returned two
    // tables, read as a point and a vector.
    bool CallPositionAndDirection(float t, Math::Point2D& position, Math::Vector2D& direction);

    // "ObjectFunction"(name [, result count], arguments...) called on script's owner: calls the
    // global function name of script with the arguments and moves the requested number of results
    // (default 0, at most MaximumResults) back to the caller. Without a running script, a name or
    // room on the caller's stack nothing is called and nothing returned.
    static constexpr u32 MaximumResults = 64;
    static i32 ObjectFunction(lua_State* caller, LuaScript* script);

    // Copies stack values from one thread to another: with skip ≠ 0 the values from index skip + 2
    // on (none when there is at most one), else the last min(n, count). Tables travel only as
    // points, vectors and colours; objects push themselves; anything skipped that counts arrives
    // as nil. Returns the number of values pushed.
    static i32 CopyValues(lua_State* from, lua_State* to, u32 skip, i32 count);

    // The table at index read as a value; a value that is not a table gives (0, 0) or (0, 0, 0, 1).
    static Math::Vector2D ReadVector2D(lua_State* thread, i32 index);
    static Math::Point2D ReadPoint2D(lua_State* thread, i32 index);
    static Math::Color ReadColor(lua_State* thread, i32 index);
    // The {Width, Height} table at index; (0, 0) when the value is not a table.
    static void ReadSize(lua_State* thread, i32 index, f32& width, f32& height);
    // Pushes a new value table made by the global constructor; returns its stack index.
    static i32 PushVector2D(lua_State* thread, f32 x, f32 y);
    static i32 PushPoint2D(lua_State* thread, f32 x, f32 y);
    static i32 PushColor(lua_State* thread, f32 r, f32 g, f32 b, f32 a);
    static i32 PushSize(lua_State* thread, f32 width, f32 height);

    // Script values in a network record: a u32 count, then per value a tag and its payload (nil,
    // booleans, numbers, strings, and points, vectors and colours by their class name; functions,
    // userdata and other tables travel as their tag alone, threads not at all). Writing takes
    // the values from index first to the top.
    static void WriteNetworkValues(lua_State* thread, i32 first, Core::File& file);
    // Pushes the values of a list and returns how many: entries stored without a payload push
    // nothing, and the list stops at an unknown tag, a short stream or a full stack.
    static i32 ReadNetworkValues(lua_State* thread, Core::File& file);

    // Calls the global function name of thread's globals in a protected call with the arguments
    // on top of the stack: true with the results pushed, false with nothing left.
    static bool CallGlobal(lua_State* thread, const char* name, i32 argumentCount, i32 resultCount);

    // The master state every script thread belongs to, or null. The state stays owned by whoever
    // built it; scripts must all be closed before it goes.
    static lua_State* GetMasterState();
    static void SetMasterState(lua_State* state);
    static u32 GetScriptCount();
    static u32 GetLiveScriptCount();
    static void SetCompileErrorHandler(CompileErrorHandler handler);

private:
    // Pushes the function that calls a global by name in a protected call: (name, arguments...).
    static void PushGlobalCaller(lua_State* thread);
    // Pushes a value table made by the global constructor name, or a plain table naming
    // className when the constructor fails or makes something else.
    static void PushValueTable(lua_State* thread, const char* constructor, const char* className);

    LuaScript();
    ~LuaScript() override;

    // Leaves the compiled function on the thread's stack and keeps its stripped bytecode, or
    // reports the error and leaves the script without a chunk.
    bool Compile(const Core::String& path);
    // Resumes the thread with the function on its stack; run state 1 when it got that far.
    void Start();
    // Pushes the script's global name when it is a function; false (stack unchanged) otherwise.
    bool PushHook(const char* name);
    void CallPushedHook(i32 argumentCount, i32 resultCount);
    // Puts the stack back to top, or deletes a script closed during the call once no call of it
    // is left.
    void FinishCall(int top);

    lua_State* thread = nullptr;
    // Registry reference that keeps the thread alive until Close.
    i32 threadReference = -1;
    u32 runState = 0;
    bool closed = false;
    // Calls into the thread in progress; a script closed during one is deleted after the last.
    u32 runDepth = 0;
    Core::Vector<u8> cachedChunk;
    Core::String fileName;
};

namespace Vellumar
{
using ::LuaScript;
}  // namespace Vellumar
