#include "network/Vellumar_VelNet.h"

#include "core/Input_Keyboard.h"
#include "core/Input_Mouse.h"

namespace Vellumar
{
Input::Keyboard* VelPlayer::GetKeyboard() const
{
    return Input::GetKeyboard();
}

Input::Mouse* VelPlayer::GetMouse() const
{
    return Input::GetMouse();
}

VelNet::~VelNet()
{
    Shutdown();
}

bool VelNet::IsSessionActive() const
{
    if (!localPlayer)
    {
        return false;
    }
    return hostMode ? hosting != 0 : joined != 0;
}

VelPlayer* VelNet::FindPlayerByID(u32 id) const
{
    return localPlayer && localPlayer->GetID() == id ? localPlayer.Get() : nullptr;
}

GameObject* VelNet::FindBaseNetObject(const Core::String&) const
{
    return nullptr;
}

void VelNet::ClearBaseNetObjects()
{
}

bool VelNet::AddNetworkObject(GameObject*, u32, VelPlayer*)
{
    return false;
}

bool VelNet::RemoveNetworkObject(GameObject*)
{
    return false;
}

bool VelNet::Send(u32, const void*, u32, const void*, bool)
{
    return false;
}

void VelNet::UpdateNetworkInputs(f32)
{
}

void VelNet::Update(f32)
{
}

bool VelNet::Shutdown()
{
    if (!running)
    {
        return false;
    }
    running = hosting = joined = hostMode = 0;
    localPlayer = nullptr;
    discoveredSessions.clear();
    return true;
}
}  // namespace Vellumar
