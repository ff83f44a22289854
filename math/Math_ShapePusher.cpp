#include "math/Math_ShapePusher.h"

namespace Math {
namespace {
ShapeScriptPusher shapePusher = nullptr;
} // namespace

void SetShapeScriptPusher(ShapeScriptPusher pusher)
{
    shapePusher = pusher;
}

void PushShapeToScript(lua_State* state, void* shape, const char* scriptTypeName)
{
    if (shapePusher && state)
        shapePusher(state, shape, scriptTypeName);
}

} // namespace Math
