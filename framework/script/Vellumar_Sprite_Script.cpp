// Script methods of "Sprite": the GameObject rows (without "AddManagedObject") and the sprite's
// own. A call with too few arguments does nothing and returns no result.
#include "script/Lua_ScriptClass.h"
#include "framework/script/Vellumar_GameObject_Script.h"
#include "framework/script/Vellumar_Script.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_Viewport.h"

namespace Vellumar
{
namespace
{
template <void (Sprite::*Set)(bool)>
i32 SetFlag(lua_State* state, Sprite& sprite)
{
    if (Lua::HasArguments(state, 1))
        (sprite.*Set)(Lua::ToBoolean(state, 1));
    return 0;
}

template <bool (Sprite::*Get)() const>
i32 GetFlag(lua_State* state, Sprite& sprite)
{
    return Lua::PushBoolean(state, (sprite.*Get)());
}

i32 GetCurrentFrameDelay(lua_State* state, Sprite& sprite)
{
    return Lua::PushNumber(state, sprite.GetCurrentFrameDelay());
}

i32 GetFrameDelay(lua_State* state, Sprite& sprite)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushNumber(state, sprite.GetFrameDelay(Lua::CheckInteger(state, 1), Lua::CheckInteger(state, 2)));
}

i32 GetFramesCount(lua_State* state, Sprite& sprite)
{
    return Lua::HasArguments(state, 1) ? Lua::PushNumber(state, sprite.GetFramesCount(Lua::CheckInteger(state, 1))) : 0;
}

i32 GetFrameWidth(lua_State* state, Sprite& sprite)
{
    return Lua::HasArguments(state, 1) ? Lua::PushNumber(state, sprite.GetFrameWidth(Lua::CheckInteger(state, 1))) : 0;
}

i32 GetFrameHeight(lua_State* state, Sprite& sprite)
{
    return Lua::HasArguments(state, 1) ? Lua::PushNumber(state, sprite.GetFrameHeight(Lua::CheckInteger(state, 1))) : 0;
}

i32 SetCurrentFrameIndex(lua_State* state, Sprite& sprite)
{
    if (Lua::HasArguments(state, 1))
        sprite.SetCurrentFrame(Lua::CheckInteger(state, 1), Lua::ToBoolean(state, 2));
    return 0;
}

i32 GetCurrentFrameIndex(lua_State* state, Sprite& sprite)
{
    return Lua::PushNumber(state, sprite.GetCurrentFrameIndex());
}

i32 GoToFirstFrame(lua_State* state, Sprite& sprite)
{
    sprite.GoToFirstFrame(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GoToLastFrame(lua_State* state, Sprite& sprite)
{
    sprite.GoToLastFrame(Lua::ToBoolean(state, 1));
    return 0;
}

i32 SetAnimationSpeed(lua_State* state, Sprite& sprite)
{
    if (Lua::HasArguments(state, 1))
        sprite.SetAnimationSpeed(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetAnimationSpeed(lua_State* state, Sprite& sprite)
{
    return Lua::PushNumber(state, sprite.GetAnimationSpeed());
}

i32 Play(lua_State* state, Sprite& sprite)
{
    sprite.Play(Lua::HasArguments(state, 1) ? Lua::ToBoolean(state, 1) : true);
    return 0;
}

i32 Stop(lua_State*, Sprite& sprite)
{
    sprite.Stop();
    return 0;
}

i32 Pause(lua_State*, Sprite& sprite)
{
    sprite.Pause();
    return 0;
}

i32 GetAnimationsCount(lua_State* state, Sprite& sprite)
{
    return Lua::PushNumber(state, sprite.GetAnimationsCount());
}

i32 SetCurrentAnimationIndex(lua_State* state, Sprite& sprite)
{
    if (Lua::HasArguments(state, 1) && Lua::CheckInteger(state, 1) != sprite.GetCurrentAnimationIndex())
        sprite.SetCurrentAnimation(Lua::CheckInteger(state, 1), Lua::ToBoolean(state, 2));
    return 0;
}

i32 GetCurrentAnimationIndex(lua_State* state, Sprite& sprite)
{
    return Lua::PushNumber(state, sprite.GetCurrentAnimationIndex());
}

i32 SetCurrentAnimationName(lua_State* state, Sprite& sprite)
{
    if (Lua::HasArguments(state, 1))
        sprite.SetCurrentAnimationName(Lua::CheckString(state, 1), Lua::ToBoolean(state, 2));
    return 0;
}

i32 GetCurrentAnimationName(lua_State* state, Sprite& sprite)
{
    return Lua::PushString(state, sprite.GetCurrentAnimationName());
}

i32 IsInViewport(lua_State* state, Sprite& sprite)
{
    const Viewport* viewport = nullptr;
    if (!ReadViewportArgument(state, viewport))
        return 0;
    return Lua::PushBoolean(state, viewport && sprite.IsInViewport(viewport));
}

i32 SetHUDObject(lua_State* state, Sprite& sprite)
{
    if (Lua::HasArguments(state, 1))
        sprite.SetHUDObject(Lua::ToBoolean(state, 1));
    return 0;
}

i32 SetCollisionActorIndex(lua_State* state, Sprite& sprite)
{
    if (Lua::HasArguments(state, 1))
        sprite.SetCollisionActorIndex(Lua::CheckInteger(state, 1));
    return 0;
}

template <void (Sprite::*Set)(const Math::Color&)>
i32 SetColor(lua_State* state, Sprite& sprite)
{
    if (Lua::IsTable(state, 1))
        (sprite.*Set)(Lua::ToColor(state, 1));
    return 0;
}

template <const Math::Color& (Sprite::*Get)() const>
i32 GetColor(lua_State* state, Sprite& sprite)
{
    return Lua::PushColor(state, (sprite.*Get)());
}

const Vellumar::ScriptMethodEntry spriteMethods[] = {
    {"SetFlipHorizontal", Lua::Method<&SetFlag<&Sprite::SetFlipHorizontal>>},
    {"SetFlipVertical", Lua::Method<&SetFlag<&Sprite::SetFlipVertical>>},
    {"GetFlipHorizontal", Lua::Method<&GetFlag<&Sprite::GetFlipHorizontal>>},
    {"GetFlipVertical", Lua::Method<&GetFlag<&Sprite::GetFlipVertical>>},
    {"GetCurrentFrameDelay", Lua::Method<&GetCurrentFrameDelay>},
    {"GetFrameDelay", Lua::Method<&GetFrameDelay>},
    {"GetFramesCount", Lua::Method<&GetFramesCount>},
    {"GetFrameWidth", Lua::Method<&GetFrameWidth>},
    {"GetFrameHeight", Lua::Method<&GetFrameHeight>},
    {"SetCurrentFrameIndex", Lua::Method<&SetCurrentFrameIndex>},
    {"GetCurrentFrameIndex", Lua::Method<&GetCurrentFrameIndex>},
    {"IsEndOfAnimation", Lua::Method<&GetFlag<&Sprite::IsEndOfAnimation>>},
    {"SetLoop", Lua::Method<&SetFlag<&Sprite::SetLoop>>},
    {"GetLoop", Lua::Method<&GetFlag<&Sprite::GetLoop>>},
    {"GoToFirstFrame", Lua::Method<&GoToFirstFrame>},
    {"GoToLastFrame", Lua::Method<&GoToLastFrame>},
    {"SetAnimationSpeed", Lua::Method<&SetAnimationSpeed>},
    {"GetAnimationSpeed", Lua::Method<&GetAnimationSpeed>},
    {"Play", Lua::Method<&Play>},
    {"Stop", Lua::Method<&Stop>},
    {"Pause", Lua::Method<&Pause>},
    {"IsPlaying", Lua::Method<&GetFlag<&Sprite::IsPlaying>>},
    {"IsPaused", Lua::Method<&GetFlag<&Sprite::IsPaused>>},
    {"GetAnimationsCount", Lua::Method<&GetAnimationsCount>},
    {"SetCurrentAnimationIndex", Lua::Method<&SetCurrentAnimationIndex>},
    {"GetCurrentAnimationIndex", Lua::Method<&GetCurrentAnimationIndex>},
    {"SetCurrentAnimationName", Lua::Method<&SetCurrentAnimationName>},
    {"GetCurrentAnimationName", Lua::Method<&GetCurrentAnimationName>},
    {"IsInViewport", Lua::Method<&IsInViewport>},
    {"SetHUDObject", Lua::Method<&SetHUDObject>},
    {"IsHUDObject", Lua::Method<&GetFlag<&Sprite::IsHUDObject>>},
    {"SetCollisionActorIndex", Lua::Method<&SetCollisionActorIndex>},
    {"SetVisibleCollisionData", Lua::Method<&SetFlag<&Sprite::SetVisibleCollisionData>>},
    {"GetVisibleCollisionData", Lua::Method<&GetFlag<&Sprite::GetVisibleCollisionData>>},
    {"SetCollisionDataColor", Lua::Method<&SetColor<&Sprite::SetCollisionDataColor>>},
    {"GetCollisionDataColor", Lua::Method<&GetColor<&Sprite::GetCollisionDataColor>>},
    {"SetVisibleBoundingRectangle", Lua::Method<&SetFlag<&Sprite::SetVisibleBoundingRectangle>>},
    {"GetVisibleBoundingRectangle", Lua::Method<&GetFlag<&Sprite::GetVisibleBoundingRectangle>>},
    {"SetBoundingRectangleColor", Lua::Method<&SetColor<&Sprite::SetBoundingRectangleColor>>},
    {"GetBoundingRectangleColor", Lua::Method<&GetColor<&Sprite::GetBoundingRectangleColor>>},
    {"Clone", Lua::Method<&CloneForScript>},
    {nullptr, nullptr},
};
const Core::Vector<Vellumar::ScriptMethodEntry> methods = ComposeScriptMethods(spriteMethods);
const Lua::ScriptClass scriptClass{"Sprite", methods.data(), true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
