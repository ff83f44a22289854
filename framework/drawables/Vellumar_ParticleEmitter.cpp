#include "framework/drawables/Vellumar_ParticleEmitter.h"

#include "core/Core_File.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Resources.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(ParticleEmitter, "Vellumar::ParticleEmitter")

ParticleEmitter::ParticleEmitter(const ParticleEmitter& source)
    : Core::Object(source), managedObjectNames(source.managedObjectNames), cloneFlag(source.cloneFlag),
      restartFlag(source.restartFlag), scriptName(source.scriptName)
{
    for (const Core::RefPtr<Core::Object>& object : source.managedObjects)
    {
        managedObjects.emplace_back(object ? object->Clone() : nullptr);
    }
    if (!source.ScriptRuns())
    {
        return;
    }
    script = LuaScript::Create();
    if (script)
    {
        // The chunk's top level may use "self" already.
        script->SetSelf(this);
        script->LoadFromCache(*source.script);
        scriptRunning = 1;
        cloneFlag = 1;
        script->CallHook("OnClone", const_cast<ParticleEmitter*>(&source));
    }
}

ParticleEmitter::~ParticleEmitter()
{
    LuaScript::Close(script);
}

ParticleEmitter* ParticleEmitter::Clone() const
{
    return new (__FILE__, __LINE__) ParticleEmitter(*this);
}

bool ParticleEmitter::ScriptRuns() const
{
    return scriptRunning && script && !script->IsNotRunning();
}

void ParticleEmitter::GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction)
{
    if (!ScriptRuns())
    {
        return;
    }
    Math::Point2D answeredPosition;
    Math::Vector2D answeredDirection;
    if (script->CallPositionAndDirection(t, answeredPosition, answeredDirection))
    {
        position = answeredPosition;
        direction = answeredDirection;
    }
}

void ParticleEmitter::Update(f32 dt)
{
    if (ScriptRuns())
    {
        script->CallHook("Update", static_cast<double>(dt));
    }
}

void ParticleEmitter::RunScript()
{
    scriptRunning = LuaScript::Run(script, this, ScriptDirectory(), scriptName, false) ? 1 : 0;
}

void ParticleEmitter::AddManagedObject(Core::Object* object, const Core::String& globalName)
{
    managedObjects.emplace_back(object);
    managedObjectNames.push_back(globalName);
}

void ParticleEmitter::Save(Core::File& file)
{
    const bool runs = ScriptRuns();
    Core::WriteU8(file, runs ? 1 : 0);
    Core::WriteString(file, scriptName);
    Core::WriteU8(file, cloneFlag);
    Core::WriteU8(file, restartFlag);
    if (runs)
    {
        for (const Core::RefPtr<Core::Object>& object : managedObjects)
        {
            if (object)
            {
                object->Save(file);
            }
        }
        script->CallHook("Save");
    }
}

void ParticleEmitter::Load(Core::File& file)
{
    u8 running = 0;
    Core::ReadU8(file, running);
    Core::ReadString(file, scriptName);
    Core::ReadU8(file, cloneFlag);
    Core::ReadU8(file, restartFlag);
    // A script that ran when saved wrote its data after these fields: it must run again to read
    // them back, or the rest of the stream would be read out of step.
    if (!running || scriptName.empty() || file.Failed())
    {
        return;
    }
    RunScript();
    if (!ScriptRuns())
    {
        return;
    }
    for (const Core::RefPtr<Core::Object>& object : managedObjects)
    {
        if (object)
        {
            object->Load(file);
        }
    }
    script->CallHook("Load");
}
}  // namespace Vellumar
