// Script methods of "JukeBox".
#include "framework/sound/Vellumar_JukeBox.h"
#include "script/Lua_ScriptClass.h"

namespace Vellumar
{
namespace
{
i32 PlayMusic(lua_State* state, JukeBox& jukeBox)
{
    jukeBox.PlayTrack(Lua::OptInteger(state, 1, -1));
    return 0;
}

i32 SetCurrentPlaylist(lua_State* state, JukeBox& jukeBox)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushBoolean(state, jukeBox.SetCurrentPlaylist(Lua::ToString(state, 1)));
}

i32 StopMusic(lua_State*, JukeBox& jukeBox)
{
    jukeBox.StopMusic();
    return 0;
}

i32 PauseMusic(lua_State*, JukeBox& jukeBox)
{
    jukeBox.Pause();
    return 0;
}

i32 RewindMusic(lua_State*, JukeBox& jukeBox)
{
    jukeBox.Rewind();
    return 0;
}

i32 IsPlaying(lua_State* state, JukeBox& jukeBox)
{
    return Lua::PushBoolean(state, jukeBox.IsPlaying());
}

i32 SetMusicVolume(lua_State* state, JukeBox& jukeBox)
{
    if (Lua::HasArguments(state, 1))
        jukeBox.SetMusicVolume(Lua::CheckFloat(state, 1), Lua::OptFloat(state, 2, 0.0f));
    return 0;
}

i32 GetMusicVolume(lua_State* state, JukeBox& jukeBox)
{
    return Lua::PushNumber(state, jukeBox.GetMusicVolume());
}

i32 SetRepeat(lua_State* state, JukeBox& jukeBox)
{
    if (Lua::HasArguments(state, 1))
        jukeBox.SetRepeat(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetRepeat(lua_State* state, JukeBox& jukeBox)
{
    return Lua::PushBoolean(state, jukeBox.GetRepeat());
}

i32 SetShuffle(lua_State* state, JukeBox& jukeBox)
{
    if (Lua::HasArguments(state, 1))
        jukeBox.SetShuffle(Lua::ToBoolean(state, 1));
    return 0;
}

i32 GetShuffle(lua_State* state, JukeBox& jukeBox)
{
    return Lua::PushBoolean(state, jukeBox.GetShuffle());
}

i32 SetFadeTime(lua_State* state, JukeBox& jukeBox)
{
    if (Lua::HasArguments(state, 1))
        jukeBox.SetFadeTime(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetFadeTime(lua_State* state, JukeBox& jukeBox)
{
    return Lua::PushNumber(state, jukeBox.GetFadeTime());
}

i32 GetCurrentTrack(lua_State* state, JukeBox& jukeBox)
{
    return Lua::PushNumber(state, jukeBox.GetCurrentTrack());
}

i32 NextTrack(lua_State*, JukeBox& jukeBox)
{
    jukeBox.NextTrack();
    return 0;
}

i32 PreviousTrack(lua_State*, JukeBox& jukeBox)
{
    jukeBox.PreviousTrack();
    return 0;
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"PlayMusic", Lua::Method<&PlayMusic>},
    {"SetCurrentPlaylist", Lua::Method<&SetCurrentPlaylist>},
    {"StopMusic", Lua::Method<&StopMusic>},
    {"PauseMusic", Lua::Method<&PauseMusic>},
    {"RewindMusic", Lua::Method<&RewindMusic>},
    {"IsPlaying", Lua::Method<&IsPlaying>},
    {"SetMusicVolume", Lua::Method<&SetMusicVolume>},
    {"GetMusicVolume", Lua::Method<&GetMusicVolume>},
    {"SetRepeat", Lua::Method<&SetRepeat>},
    {"GetRepeat", Lua::Method<&GetRepeat>},
    {"SetShuffle", Lua::Method<&SetShuffle>},
    {"GetShuffle", Lua::Method<&GetShuffle>},
    {"SetFadeTime", Lua::Method<&SetFadeTime>},
    {"GetFadeTime", Lua::Method<&GetFadeTime>},
    {"GetCurrentTrack", Lua::Method<&GetCurrentTrack>},
    {"NextTrack", Lua::Method<&NextTrack>},
    {"PreviousTrack", Lua::Method<&PreviousTrack>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"JukeBox", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
