// Script methods of "Game". Level requests are made only for an index below the level count; a
// call with too few arguments does nothing and returns no result.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_Engine.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "script/Lua_ScriptClass.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_LevelFactory.h"
#include "framework/net/Vellumar_VelNet.h"
#include "physics/Physics_PhysicsEngine.h"

namespace Vellumar
{
namespace
{
u32 LevelsCount(const Game& game)
{
    return game.GetLevelFactory() ? game.GetLevelFactory()->GetLevelsCount() : 0;
}

i32 ObjectFunction(lua_State* state, Game& game)
{
    return LuaScript::ObjectFunction(state, game.GetScript());
}

i32 SetTitle(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.SetTitle(Lua::CheckString(state, 1));
    return 0;
}

i32 GetTitle(lua_State* state, Game& game)
{
    return Lua::PushString(state, game.GetTitle());
}

i32 SetIcon(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.SetIcon(Lua::CheckString(state, 1));
    return 0;
}

i32 GetIcon(lua_State* state, Game& game)
{
    return Lua::PushString(state, game.GetIcon());
}

template <Core::String (*Path)()>
i32 GetPath(lua_State* state, Game&)
{
    return Lua::PushString(state, Path());
}

i32 GetCurrentLevel(lua_State* state, Game& game)
{
    return Lua::PushObject(state, game.GetCurrentLevel());
}

i32 GetCurrentLevelIndex(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, game.GetCurrentLevelIndex());
}

i32 GetLevelsCount(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, LevelsCount(game));
}

i32 GoToLevel(lua_State* state, Game& game)
{
    u32 index = 0;
    if (Lua::IsString(state, 1))
        game.GoToLevel(Lua::CheckString(state, 1));
    else if (Lua::HasArguments(state, 1) && Lua::CheckIndex(state, 1, LevelsCount(game), index))
        game.GoToLevel(index);
    return 0;
}

i32 GoToNextLevel(lua_State*, Game& game)
{
    game.GoToLevel(game.GetCurrentLevelIndex() + 1);
    return 0;
}

i32 GoToPreviousLevel(lua_State*, Game& game)
{
    if (game.GetCurrentLevelIndex() != 0)
        game.GoToLevel(game.GetCurrentLevelIndex() - 1);
    return 0;
}

i32 GoToLastLevel(lua_State*, Game& game)
{
    if (LevelsCount(game) != 0)
        game.GoToLevel(LevelsCount(game) - 1);
    return 0;
}

i32 GoToFirstLevel(lua_State*, Game& game)
{
    game.GoToLevel(0u);
    return 0;
}

i32 GoToStartingLevel(lua_State*, Game& game)
{
    game.GoToLevel(game.GetStartingLevelIndex());
    return 0;
}

i32 RestartLevel(lua_State*, Game& game)
{
    game.RestartLevel();
    return 0;
}

i32 GetCollisionEngine(lua_State* state, Game& game)
{
    return Lua::PushObject(state, game.GetCollisionEngine());
}

i32 GetPhysicsEngine(lua_State* state, Game& game)
{
    return Lua::PushObject(state, game.GetPhysicsEngine());
}

i32 GetNetworkEngine(lua_State* state, Game& game)
{
    return Lua::PushObject(state, game.GetNetworkEngine());
}

// The sound engine and the scene graph are named in the table but not handed to scripts.
i32 NoResult(lua_State*, Game&)
{
    return 0;
}

i32 SetMasterVolume(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.SetMasterVolume(Lua::CheckFloat(state, 1));
    return 0;
}

i32 GetMasterVolume(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, game.GetMasterVolume());
}

i32 GetResolutionWidth(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, game.GetResolutionWidth());
}

i32 GetResolutionHeight(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, game.GetResolutionHeight());
}

i32 AddCollisionAssets(lua_State* state, Game& game)
{
    if (Collision2D::CollisionActor* actor = Lua::ToObject<Collision2D::CollisionActor>(state, 1))
        game.AddCollisionAssets(actor);
    return 0;
}

i32 GetCollisionAssets(lua_State* state, Game& game)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (Collision2D::CollisionActor* actor : game.GetCollisionAssets())
    {
        Lua::PushObject(state, actor);
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

i32 NetworkStart(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.NetworkStart(Lua::CheckString(state, 1));
    return 0;
}

i32 HostNetworkGame(lua_State* state, Game& game)
{
    if (!Lua::HasArguments(state, 4))
        return 0;
    return Lua::PushBoolean(state, game.HostNetworkGame(Lua::CheckString(state, 1), Lua::CheckString(state, 2),
                                                        Lua::CheckString(state, 3), static_cast<i32>(Lua::CheckNumber(state, 4))));
}

// (player name, discovered session, password).
i32 JoinNetworkGame(lua_State* state, Game& game)
{
    if (!Lua::HasArguments(state, 3))
        return 0;
    const VelBroadcast* session = Lua::ToValue<VelBroadcast>(state, 2, "VelBroadcast");
    return Lua::PushBoolean(state, session && game.GetNetworkEngine()->JoinGame(Lua::CheckString(state, 1),
                                                                               session->GetAddress(),
                                                                               Lua::CheckString(state, 3)));
}

i32 NetworkShutdown(lua_State* state, Game& game)
{
    return Lua::PushBoolean(state, game.GetNetworkEngine() && game.GetNetworkEngine()->Shutdown());
}

i32 IsNetworkGame(lua_State* state, Game& game)
{
    return Lua::PushBoolean(state, game.GetNetworkEngine() && game.GetNetworkEngine()->IsSessionActive());
}

i32 IsServer(lua_State* state, Game& game)
{
    return Lua::PushBoolean(state, game.GetNetworkEngine() && game.GetNetworkEngine()->IsHostMode());
}

i32 GetOnlineSessionsCount(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, static_cast<f64>(game.GetOnlineSessions().size()));
}

// A copy of the listed session of that index; nothing past the list.
i32 GetOnlineSession(lua_State* state, Game& game)
{
    u32 index = 0;
    if (!Lua::HasArguments(state, 1) ||
        !Lua::CheckIndex(state, 1, static_cast<u32>(game.GetOnlineSessions().size()), index))
        return 0;
    return Lua::PushValueCopy(state, game.GetOnlineSessions()[index], "VelBroadcast");
}

i32 SetDesiredFrameRate(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.SetFrameRate(Lua::CheckNumber(state, 1));
    return 0;
}

i32 LockFrameRate(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.SetRateLock(Lua::ToBoolean(state, 1) ? 1 : 0);
    return 0;
}

i32 IsFrameRateLocked(lua_State* state, Game& game)
{
    return Lua::PushBoolean(state, game.IsRateLocked() != 0);
}

i32 GetDesiredFrameRate(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, game.GetFrameRate());
}

i32 GetCurrentFrameRate(lua_State* state, Game& game)
{
    return Lua::PushNumber(state, game.GetCurrentFrameRate());
}

i32 GetKeyboard(lua_State* state, Game& game)
{
    return Lua::PushObject(state, game.GetKeyboard());
}

i32 GetMouse(lua_State* state, Game& game)
{
    return Lua::PushObject(state, game.GetMouse());
}

i32 SetVSync(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.SetVSync(Lua::ToBoolean(state, 1) ? 1 : 0);
    return 0;
}

i32 IsVSync(lua_State* state, Game& game)
{
    return Lua::PushBoolean(state, game.IsVSync() != 0);
}

// Switches only when the wanted state differs from the present one.
i32 ToggleFullScreen(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1) && Lua::ToBoolean(state, 1) != (game.IsFullScreen() != 0))
        game.ToggleFullScreen();
    return 0;
}

i32 IsFullScreen(lua_State* state, Game& game)
{
    return Lua::PushBoolean(state, game.IsFullScreen() != 0);
}

i32 AutoToggleFullScreen(lua_State*, Game& game)
{
    game.ToggleFullScreen();
    return 0;
}

i32 Exit(lua_State*, Game& game)
{
    game.Quit();
    return 0;
}

i32 AddManagedObject(lua_State* state, Game& game)
{
    GameObject* object = Lua::ToObject<GameObject>(state, 1);
    if (object && Lua::HasArguments(state, 2))
        game.AddManagedObject(object, Lua::CheckString(state, 2));
    return 0;
}

i32 Save(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.Save(Lua::CheckString(state, 1));
    return 0;
}

i32 Load(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.Load(Lua::CheckString(state, 1));
    return 0;
}

i32 ReplayRecordingStart(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.StartReplayRecording(Lua::CheckString(state, 1));
    return 0;
}

i32 ReplayRecordingStop(lua_State*, Game& game)
{
    game.StopReplayRecording();
    return 0;
}

i32 ReplayStart(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.StartReplay(Lua::CheckString(state, 1));
    return 0;
}

i32 ReplayStop(lua_State*, Game& game)
{
    game.StopReplay();
    return 0;
}

// A new list of the names, or no result when there is none.
i32 PushNames(lua_State* state, const Core::Vector<Core::String>& names)
{
    if (names.empty())
        return 0;
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const Core::String& name : names)
    {
        Lua::PushString(state, name);
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

i32 GetReplayFiles(lua_State* state, Game& game)
{
    Core::Vector<Core::String> names;
    game.GetReplayNames(names);
    return PushNames(state, names);
}

i32 GetSavedGames(lua_State* state, Game& game)
{
    Core::Vector<Core::String> names;
    game.GetSavedGameNames(names);
    return PushNames(state, names);
}

i32 SetOneWayCollision(lua_State* state, Game& game)
{
    if (Lua::HasArguments(state, 1))
        game.SetOneWayCollision(Lua::ToBoolean(state, 1));
    return 0;
}

const Vellumar::ScriptMethodEntry methods[] = {
    {"ObjectFunction", Lua::Method<&ObjectFunction>},
    {"SetTitle", Lua::Method<&SetTitle>},
    {"GetTitle", Lua::Method<&GetTitle>},
    {"SetIcon", Lua::Method<&SetIcon>},
    {"GetIcon", Lua::Method<&GetIcon>},
    {"GetDirectory", Lua::Method<&GetPath<&Game::GetDirectory>>},
    {"GetExecutableName", Lua::Method<&GetPath<&Game::GetExecutableName>>},
    {"GetExecutableNameNoExtension", Lua::Method<&GetPath<&Game::GetExecutableNameNoExtension>>},
    {"GetCurrentLevel", Lua::Method<&GetCurrentLevel>},
    {"GetCurrentLevelIndex", Lua::Method<&GetCurrentLevelIndex>},
    {"GetLevelsCount", Lua::Method<&GetLevelsCount>},
    {"GoToLevel", Lua::Method<&GoToLevel>},
    {"GoToNextLevel", Lua::Method<&GoToNextLevel>},
    {"GoToPreviousLevel", Lua::Method<&GoToPreviousLevel>},
    {"GoToLastLevel", Lua::Method<&GoToLastLevel>},
    {"GoToFirstLevel", Lua::Method<&GoToFirstLevel>},
    {"GoToStartingLevel", Lua::Method<&GoToStartingLevel>},
    {"RestartLevel", Lua::Method<&RestartLevel>},
    {"Save", Lua::Method<&Save>},
    {"Load", Lua::Method<&Load>},
    {"GetCollisionEngine", Lua::Method<&GetCollisionEngine>},
    {"GetPhysicsEngine", Lua::Method<&GetPhysicsEngine>},
    {"GetSoundEngine", Lua::Method<&NoResult>},
    {"GetNetworkEngine", Lua::Method<&GetNetworkEngine>},
    {"GetSceneGraph", Lua::Method<&NoResult>},
    {"SetMasterVolume", Lua::Method<&SetMasterVolume>},
    {"GetMasterVolume", Lua::Method<&GetMasterVolume>},
    {"GetResolutionWidth", Lua::Method<&GetResolutionWidth>},
    {"GetResolutionHeight", Lua::Method<&GetResolutionHeight>},
    {"AddCollisionAssets", Lua::Method<&AddCollisionAssets>},
    {"GetCollisionAssets", Lua::Method<&GetCollisionAssets>},
    {"NetworkStart", Lua::Method<&NetworkStart>},
    {"NetworkShutdown", Lua::Method<&NetworkShutdown>},
    {"HostNetworkGame", Lua::Method<&HostNetworkGame>},
    {"JoinNetworkGame", Lua::Method<&JoinNetworkGame>},
    {"IsNetworkGame", Lua::Method<&IsNetworkGame>},
    {"IsServer", Lua::Method<&IsServer>},
    {"GetOnlineSessionsCount", Lua::Method<&GetOnlineSessionsCount>},
    {"GetOnlineSession", Lua::Method<&GetOnlineSession>},
    {"ReplayRecordingStart", Lua::Method<&ReplayRecordingStart>},
    {"ReplayRecordingStop", Lua::Method<&ReplayRecordingStop>},
    {"ReplayStart", Lua::Method<&ReplayStart>},
    {"ReplayStop", Lua::Method<&ReplayStop>},
    {"SetDesiredFrameRate", Lua::Method<&SetDesiredFrameRate>},
    {"LockFrameRate", Lua::Method<&LockFrameRate>},
    {"IsFrameRateLocked", Lua::Method<&IsFrameRateLocked>},
    {"GetDesiredFrameRate", Lua::Method<&GetDesiredFrameRate>},
    {"GetCurrentFrameRate", Lua::Method<&GetCurrentFrameRate>},
    {"GetKeyboard", Lua::Method<&GetKeyboard>},
    {"GetMouse", Lua::Method<&GetMouse>},
    {"SetVSync", Lua::Method<&SetVSync>},
    {"IsVSync", Lua::Method<&IsVSync>},
    {"ToggleFullScreen", Lua::Method<&ToggleFullScreen>},
    {"IsFullScreen", Lua::Method<&IsFullScreen>},
    {"AutoToggleFullScreen", Lua::Method<&AutoToggleFullScreen>},
    {"Exit", Lua::Method<&Exit>},
    {"GetReplayFiles", Lua::Method<&GetReplayFiles>},
    {"GetSavedGames", Lua::Method<&GetSavedGames>},
    {"SetOneWayCollision", Lua::Method<&SetOneWayCollision>},
    {"AddManagedObject", Lua::Method<&AddManagedObject>},
    {nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"Game", methods, true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
