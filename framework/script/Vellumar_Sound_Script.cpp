// Script methods of "Sound": the GameObject rows and the sound's own.
#include "framework/sound/Vellumar_Sound.h"
#include "script/Lua_ScriptClass.h"
#include "framework/script/Vellumar_GameObject_Script.h"

namespace Vellumar
{
namespace
{
i32 GetFileName(lua_State* state, Sound& sound)
{
    return Lua::PushString(state, sound.GetFileName());
}

i32 Play(lua_State* state, Sound& sound)
{
    sound.Play(Lua::HasArguments(state, 1) && Lua::ToBoolean(state, 1));
    return 0;
}

i32 Stop(lua_State*, Sound& sound)
{
    sound.Stop();
    return 0;
}

i32 Pause(lua_State*, Sound& sound)
{
    sound.Pause();
    return 0;
}

i32 Rewind(lua_State*, Sound& sound)
{
    sound.Rewind();
    return 0;
}

i32 IsPlaying(lua_State* state, Sound& sound)
{
    return Lua::PushBoolean(state, sound.IsPlaying());
}

i32 SetVolume(lua_State* state, Sound& sound)
{
    if (Lua::HasArguments(state, 1))
        sound.SetVolume(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetVolume(lua_State* state, Sound& sound)
{
    return Lua::PushNumber(state, sound.GetVolume());
}

i32 SetPitch(lua_State* state, Sound& sound)
{
    if (Lua::HasArguments(state, 1))
        sound.SetPitch(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetPitch(lua_State* state, Sound& sound)
{
    return Lua::PushNumber(state, sound.GetPitch());
}

i32 SetIntensity(lua_State* state, Sound& sound)
{
    if (Lua::HasArguments(state, 1))
        sound.SetIntensity(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetIntensity(lua_State* state, Sound& sound)
{
    return Lua::PushNumber(state, sound.GetIntensity());
}

i32 SetLooping(lua_State* state, Sound& sound)
{
    if (Lua::HasArguments(state, 1))
        sound.SetLooping(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetLooping(lua_State* state, Sound& sound)
{
    return Lua::PushBoolean(state, sound.GetLooping());
}

const Vellumar::ScriptMethodEntry soundMethods[] = {
    {"GetFileName", Lua::Method<&GetFileName>},
    {"Play", Lua::Method<&Play>},
    {"Stop", Lua::Method<&Stop>},
    {"Pause", Lua::Method<&Pause>},
    {"Rewind", Lua::Method<&Rewind>},
    {"IsPlaying", Lua::Method<&IsPlaying>},
    {"SetVolume", Lua::Method<&SetVolume>},
    {"GetVolume", Lua::Method<&GetVolume>},
    {"SetPitch", Lua::Method<&SetPitch>},
    {"GetPitch", Lua::Method<&GetPitch>},
    {"SetIntensity", Lua::Method<&SetIntensity>},
    {"GetIntensity", Lua::Method<&GetIntensity>},
    {"SetLooping", Lua::Method<&SetLooping>},
    {"GetLooping", Lua::Method<&GetLooping>},
    {"Clone", Lua::Method<&CloneForScript>},
    {nullptr, nullptr},
};
const Core::Vector<Vellumar::ScriptMethodEntry> methods = ComposeScriptMethods(soundMethods);
const Lua::ScriptClass scriptClass{"Sound", methods.data(), true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
