// The object's network records: the creation record a peer builds its copy from and the state
// record that keeps the copy in step with the host. Both come from peers: a record that does not
// read whole changes nothing, and a script name that is no plain resource name starts nothing.
#include "core/Core_File.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Resources.h"
#include "framework/net/Vellumar_NetworkFile.h"
#include "framework/net/Vellumar_VelNet.h"

namespace Vellumar
{
namespace
{
// The part of the pose both records carry.
struct NetworkPose
{
    Math::Vector2D position;
    Math::Vector2D center;
    f32 rotation = 0.0f;
    f32 scaleX = 1.0f;
    f32 scaleY = 1.0f;
    u8 visible = 1;
};

void ReadPose(Core::File& file, NetworkPose& pose)
{
    Math::ReadVector2D(file, pose.position);
    Math::ReadVector2D(file, pose.center);
    Core::ReadF32(file, pose.rotation);
    Core::ReadF32(file, pose.scaleX);
    Core::ReadF32(file, pose.scaleY);
    Core::ReadU8(file, pose.visible);
}
}  // namespace

void GameObject::SetNetworkId(NetObjectID* identity)
{
    networkId = identity;
}

void GameObject::StartNetworkScript(bool skipConstructor)
{
    if (IsResourceName(scriptName))
    {
        RunScript(skipConstructor);
    }
}

void GameObject::NetworkSave(Core::File& file)
{
    WriteNetworkString(file, name);
    Math::WriteVector2D(file, position);
    Math::WriteVector2D(file, center);
    Core::WriteF32(file, rotation);
    Core::WriteF32(file, scaleX);
    Core::WriteF32(file, scaleY);
    Core::WriteU8(file, GetVisible() ? 1 : 0);
    Core::WriteF32(file, lifeTime);
    Core::WriteF32(file, age);
    Core::WriteF32(file, zOrder);
    Math::WriteColor(file, modulationColor);
    Core::WriteU32(file, 0);
    Core::WriteU32(file, 0);
    Core::WriteU8(file, networkId ? 1 : 0);
    if (networkId)
    {
        Core::WriteU32(file, networkId->GetOwnerID());
        Core::WriteU32(file, networkId->GetObjectNumber());
    }
    Core::WriteU8(file, scriptEnabled);
    WriteNetworkString(file, scriptName);
    Core::WriteU8(file, ownsScript);
    Core::WriteU8(file, scriptStarted);
    if (scriptEnabled && scriptStarted && ScriptRuns())
    {
        script->CallHook("NetworkSave");
    }
}

void GameObject::NetworkLoad(Core::File& file)
{
    Core::String readName = name;
    ReadNetworkString(file, readName);
    NetworkPose pose;
    ReadPose(file, pose);
    f32 readLifeTime = 0.0f;
    f32 readAge = 0.0f;
    f32 readZOrder = 0.0f;
    Math::Color color;
    u32 reserved = 0;
    u8 hasId = 0;
    u32 ownerId = 0;
    u32 objectNumber = 0;
    Core::ReadF32(file, readLifeTime);
    Core::ReadF32(file, readAge);
    Core::ReadF32(file, readZOrder);
    Math::ReadColor(file, color);
    Core::ReadU32(file, reserved);
    Core::ReadU32(file, reserved);
    Core::ReadU8(file, hasId);
    if (hasId)
    {
        Core::ReadU32(file, ownerId);
        Core::ReadU32(file, objectNumber);
    }
    u8 enabled = 0;
    Core::String readScriptName = scriptName;
    u8 owns = 0;
    u8 started = 0;
    Core::ReadU8(file, enabled);
    ReadNetworkString(file, readScriptName);
    Core::ReadU8(file, owns);
    Core::ReadU8(file, started);
    if (file.Failed())
    {
        return;
    }
    SetName(readName);
    SetCenter(pose.center);
    SetScale(pose.scaleX, pose.scaleY);
    SetPosition(pose.position);
    SetRotationAngle(pose.rotation);
    networkTargetPosition = pose.position;
    networkTargetRotation = pose.rotation;
    snapToTarget = 1;
    renderNode->SetVisible(pose.visible != 0, true);
    lifeTime = readLifeTime;
    age = readAge;
    zOrder = readZOrder;
    modulationColor = color;
    // A copy follows the network, not the simulation.
    RemovePhysicalProperties();
    if (hasId)
    {
        networkId = new (__FILE__, __LINE__) NetObjectID(ownerId, objectNumber);
    }
    scriptEnabled = enabled;
    scriptName = readScriptName;
    ownsScript = owns;
    scriptStarted = started;
    scriptSource = nullptr;
    if (enabled && started)
    {
        StartNetworkScript(false);
        if (ScriptRuns())
        {
            script->CallHook("NetworkLoad");
        }
    }
}

void GameObject::NetworkSyncSend(Core::File& file)
{
    WriteNetworkString(file, name);
    Math::WriteVector2D(file, position);
    Math::WriteVector2D(file, center);
    Core::WriteF32(file, rotation);
    Core::WriteF32(file, scaleX);
    Core::WriteF32(file, scaleY);
    Core::WriteU8(file, GetVisible() ? 1 : 0);
    Math::WriteColor(file, modulationColor);
    Core::WriteU8(file, scriptEnabled);
    Core::WriteU8(file, scriptStarted);
    if (scriptEnabled && scriptStarted)
    {
        WriteNetworkString(file, scriptName);
        if (ScriptRuns())
        {
            script->CallHook("NetworkSyncSend");
        }
    }
}

void GameObject::NetworkSyncReceive(Core::File& file)
{
    Core::String readName = name;
    ReadNetworkString(file, readName);
    NetworkPose pose;
    ReadPose(file, pose);
    Math::Color color;
    u8 enabled = 0;
    u8 started = 0;
    Core::String readScriptName = scriptName;
    Math::ReadColor(file, color);
    Core::ReadU8(file, enabled);
    Core::ReadU8(file, started);
    if (enabled && started)
    {
        ReadNetworkString(file, readScriptName);
    }
    if (file.Failed())
    {
        return;
    }
    // Through SetName, so the layer still finds the object by its new name.
    SetName(readName);
    networkTargetPosition = pose.position;
    SetCenter(pose.center);
    networkTargetRotation = pose.rotation;
    if (snapToTarget)
    {
        SetPosition(networkTargetPosition);
        SetRotationAngle(networkTargetRotation);
        snapToTarget = 0;
    }
    SetScale(pose.scaleX, pose.scaleY);
    renderNode->SetVisible(pose.visible != 0, true);
    modulationColor = color;
    scriptEnabled = enabled;
    if (enabled && started)
    {
        scriptName = readScriptName;
        if (!scriptStarted)
        {
            StartNetworkScript(true);
        }
        if (ScriptRuns())
        {
            script->CallHook("NetworkSyncReceive");
        }
    }
}
}  // namespace Vellumar
