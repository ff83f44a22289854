#pragma once
// How the shapes reach scripts while the math library knows no script engine: the script glue
// installs a pusher, and until it does (or without a state) a shape's PushToScript pushes nothing.
struct lua_State;

namespace Math {

// Pushes a userdata holding the shape's address with the metatable registered as scriptTypeName.
using ShapeScriptPusher = void (*)(lua_State* state, void* shape, const char* scriptTypeName);
void SetShapeScriptPusher(ShapeScriptPusher pusher);

// The shapes' PushToScript: the installed pusher with the shape's own script type name.
void PushShapeToScript(lua_State* state, void* shape, const char* scriptTypeName);

} // namespace Math
