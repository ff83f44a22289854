#pragma once
// The shared master state for hosts that want scripts (tests, tools); the game builds none, so its
// scripts stay inert. Building opens the standard libraries, registers a metatable under every
// registered script class name, defines the global value constructors and installs the pushers
// through which objects and shapes reach scripts; a script that fails to compile then shows the
// "Script Error" message box and quits the program. Closing detaches the live scripts (they stop
// running) before the state goes.
struct lua_State;

namespace Lua
{
// The new master state; a state built before is closed first.
lua_State* BuildMasterState();
void CloseMasterState();
}  // namespace Lua
