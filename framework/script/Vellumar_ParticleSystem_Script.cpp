// Script methods of "ParticleSystem": the GameObject rows (without "AddManagedObject") and the
// particle system's own. Ranges travel as (min, max) pairs; a call with too few arguments does
// nothing and returns no result.
#include "script/Lua_ScriptClass.h"
#include "framework/script/Vellumar_GameObject_Script.h"
#include "framework/drawables/Vellumar_ParticleEmitter.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_ParticleSystemBase.h"
#include "framework/script/Vellumar_Script.h"

namespace Vellumar
{
namespace
{
using System = ParticleSystem;

i32 SetEmitter(lua_State* state, System& system)
{
    if (ParticleEmitter* emitter = Lua::ToObject<ParticleEmitter>(state, 1))
        system.SetEmitter(emitter);
    return 0;
}

i32 GetEmitter(lua_State* state, System& system)
{
    return system.GetEmitter() ? Lua::PushObject(state, system.GetEmitter()) : 0;
}

i32 SetGravity(lua_State* state, System& system)
{
    if (Lua::IsTable(state, 1))
        system.SetGravity(Lua::ToVector(state, 1));
    return 0;
}

i32 GetGravity(lua_State* state, System& system)
{
    return Lua::PushVector(state, system.GetGravity());
}

template <void (System::*Set)(f32, f32)>
i32 SetRange(lua_State* state, System& system)
{
    if (Lua::HasArguments(state, 2))
        (system.*Set)(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2));
    return 0;
}

template <f32 (System::*Min)() const, f32 (System::*Max)() const>
i32 GetRange(lua_State* state, System& system)
{
    Lua::PushNumber(state, (system.*Min)());
    return 1 + Lua::PushNumber(state, (system.*Max)());
}

template <void (System::*Set)(const Math::Color&, const Math::Color&)>
i32 SetColors(lua_State* state, System& system)
{
    if (Lua::IsTable(state, 1) && Lua::IsTable(state, 2))
        (system.*Set)(Lua::ToColor(state, 1), Lua::ToColor(state, 2));
    return 0;
}

template <const Math::Color& (System::*Min)() const, const Math::Color& (System::*Max)() const>
i32 GetColors(lua_State* state, System& system)
{
    Lua::PushColor(state, (system.*Min)());
    return 1 + Lua::PushColor(state, (system.*Max)());
}

template <void (System::*Set)(const Math::Vector2D&, const Math::Vector2D&)>
i32 SetScales(lua_State* state, System& system)
{
    if (Lua::IsTable(state, 1) && Lua::IsTable(state, 2))
        (system.*Set)(Lua::ToVector(state, 1), Lua::ToVector(state, 2));
    return 0;
}

template <const Math::Vector2D& (System::*Min)() const, const Math::Vector2D& (System::*Max)() const>
i32 GetScales(lua_State* state, System& system)
{
    Lua::PushVector(state, (system.*Min)());
    return 1 + Lua::PushVector(state, (system.*Max)());
}

template <class Owner, void (Owner::*Set)(bool)>
i32 SetFlag(lua_State* state, Owner& system)
{
    if (Lua::HasArguments(state, 1))
        (system.*Set)(Lua::ToBoolean(state, 1));
    return 0;
}

template <class Owner, bool (Owner::*Get)() const>
i32 GetFlag(lua_State* state, Owner& system)
{
    return Lua::PushBoolean(state, (system.*Get)());
}

i32 SetParticleDirection(lua_State* state, System& system)
{
    if (Lua::HasArguments(state, 1))
        system.SetParticleDirection(Lua::CheckInteger(state, 1));
    return 0;
}

i32 GetParticleDirection(lua_State* state, System& system)
{
    return Lua::PushNumber(state, system.GetParticleDirection());
}

i32 Reset(lua_State*, System& system)
{
    system.Reset();
    return 0;
}

i32 WarmUp(lua_State* state, System& system)
{
    if (Lua::HasArguments(state, 1))
        system.WarmUp(Lua::CheckFloat(state, 1));
    return 0;
}

using Base = ParticleSystemBase;

template <void (Base::*Set)(u32)>
i32 SetFactor(lua_State* state, Base& system)
{
    if (Lua::HasArguments(state, 1))
        (system.*Set)(Lua::CheckUnsigned(state, 1));
    return 0;
}

template <u32 (Base::*Get)() const>
i32 GetFactor(lua_State* state, Base& system)
{
    return Lua::PushNumber(state, (system.*Get)());
}

i32 IsInViewport(lua_State* state, System& system)
{
    const Viewport* viewport = nullptr;
    if (!ReadViewportArgument(state, viewport))
        return 0;
    return Lua::PushBoolean(state, viewport && system.IsInViewport(viewport));
}

const Vellumar::ScriptMethodEntry systemMethods[] = {
    {"SetEmitter", Lua::Method<&SetEmitter>},
    {"GetEmitter", Lua::Method<&GetEmitter>},
    {"SetGravity", Lua::Method<&SetGravity>},
    {"GetGravity", Lua::Method<&GetGravity>},
    {"SetEmissionRate", Lua::Method<&SetRange<&System::SetEmissionRate>>},
    {"GetEmissionRate", Lua::Method<&GetRange<&System::GetEmissionRateMin, &System::GetEmissionRateMax>>},
    {"SetRecycleParticles", Lua::Method<&SetFlag<System, &System::SetRecycleParticles>>},
    {"GetRecycleParticles", Lua::Method<&GetFlag<System, &System::GetRecycleParticles>>},
    {"SetDestroyIfNotRecycling", Lua::Method<&SetFlag<System, &System::SetDestroyIfNotRecycling>>},
    {"GetDestroyIfNotRecycling", Lua::Method<&GetFlag<System, &System::GetDestroyIfNotRecycling>>},
    {"SetParticleStartingColor", Lua::Method<&SetColors<&System::SetParticleStartingColor>>},
    {"GetParticleStartingColor",
     Lua::Method<&GetColors<&System::GetParticleStartingColorMin, &System::GetParticleStartingColorMax>>},
    {"SetParticleEndingColor", Lua::Method<&SetColors<&System::SetParticleEndingColor>>},
    {"GetParticleEndingColor",
     Lua::Method<&GetColors<&System::GetParticleEndingColorMin, &System::GetParticleEndingColorMax>>},
    {"SetParticleStartingScale", Lua::Method<&SetScales<&System::SetParticleStartingScale>>},
    {"GetParticleStartingScale",
     Lua::Method<&GetScales<&System::GetParticleStartingScaleMin, &System::GetParticleStartingScaleMax>>},
    {"SetParticleEndingScale", Lua::Method<&SetScales<&System::SetParticleEndingScale>>},
    {"GetParticleEndingScale",
     Lua::Method<&GetScales<&System::GetParticleEndingScaleMin, &System::GetParticleEndingScaleMax>>},
    {"SetParticleLifeTime", Lua::Method<&SetRange<&System::SetParticleLifeTime>>},
    {"GetParticleLifeTime", Lua::Method<&GetRange<&System::GetParticleLifeTimeMin, &System::GetParticleLifeTimeMax>>},
    {"SetParticleRotationSpeed", Lua::Method<&SetRange<&System::SetParticleRotationSpeed>>},
    {"GetParticleRotationSpeed",
     Lua::Method<&GetRange<&System::GetParticleRotationSpeedMin, &System::GetParticleRotationSpeedMax>>},
    {"SetParticleSpeed", Lua::Method<&SetRange<&System::SetParticleSpeed>>},
    {"GetParticleSpeed", Lua::Method<&GetRange<&System::GetParticleSpeedMin, &System::GetParticleSpeedMax>>},
    {"SetParticleDirection", Lua::Method<&SetParticleDirection>},
    {"GetParticleDirection", Lua::Method<&GetParticleDirection>},
    {"Reset", Lua::Method<&Reset>},
    {"WarmUp", Lua::Method<&WarmUp>},
    {"Clone", Lua::Method<&CloneForScript>},
    {"SetSrcBlendFactor", Lua::Method<&SetFactor<&Base::SetSrcBlendFactor>>},
    {"GetSrcBlendFactor", Lua::Method<&GetFactor<&Base::GetSrcBlendFactor>>},
    {"SetDstBlendFactor", Lua::Method<&SetFactor<&Base::SetDstBlendFactor>>},
    {"GetDstBlendFactor", Lua::Method<&GetFactor<&Base::GetDstBlendFactor>>},
    {"SetHUDObject", Lua::Method<&SetFlag<Base, &Base::SetHUDObject>>},
    {"IsHUDObject", Lua::Method<&GetFlag<Base, &Base::IsHUDObject>>},
    {"SetUseLocalCoordinates", Lua::Method<&SetFlag<Base, &Base::SetUseLocalCoordinates>>},
    {"GetUseLocalCoordinates", Lua::Method<&GetFlag<Base, &Base::GetUseLocalCoordinates>>},
    {"IsInViewport", Lua::Method<&IsInViewport>},
    {nullptr, nullptr},
};
const Core::Vector<Vellumar::ScriptMethodEntry> methods = ComposeScriptMethods(systemMethods);
const Lua::ScriptClass scriptClass{"ParticleSystem", methods.data(), true};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Vellumar
