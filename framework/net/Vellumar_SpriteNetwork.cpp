// The sprite's part of the network state record. A copy shows the host's frame rather than playing
// its animation itself.
#include "core/Core_File.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/net/Vellumar_NetworkFile.h"

namespace Vellumar
{
void Sprite::NetworkSyncSend(Core::File& file)
{
    GameObject::NetworkSyncSend(file);
    WriteNetworkString(file, GetCurrentAnimationName());
    Core::WriteU32(file, static_cast<u32>(GetCurrentAnimationIndex()));
    Core::WriteU32(file, static_cast<u32>(GetCurrentFrameIndex()));
    Core::WriteU8(file, GetFlipHorizontal() ? 1 : 0);
    Core::WriteU8(file, GetFlipVertical() ? 1 : 0);
    Core::WriteU8(file, hudObject);
}

void Sprite::NetworkSyncReceive(Core::File& file)
{
    GameObject::NetworkSyncReceive(file);
    Core::String animationName = GetCurrentAnimationName();
    u32 animation = 0;
    u32 frame = 0;
    u8 flipHorizontal = 0;
    u8 flipVertical = 0;
    u8 hud = 0;
    ReadNetworkString(file, animationName);
    Core::ReadU32(file, animation);
    Core::ReadU32(file, frame);
    Core::ReadU8(file, flipHorizontal);
    Core::ReadU8(file, flipVertical);
    Core::ReadU8(file, hud);
    if (file.Failed())
    {
        return;
    }
    Stop();
    if (animationName != GetCurrentAnimationName())
    {
        SetCurrentAnimationName(animationName, false);
    }
    if (static_cast<i32>(animation) != GetCurrentAnimationIndex())
    {
        SetCurrentAnimation(static_cast<i32>(animation), false);
    }
    if (static_cast<i32>(frame) != GetCurrentFrameIndex())
    {
        SetCurrentFrame(static_cast<i32>(frame), false);
    }
    if ((flipHorizontal != 0) != GetFlipHorizontal())
    {
        SetFlipHorizontal(flipHorizontal != 0);
    }
    if ((flipVertical != 0) != GetFlipVertical())
    {
        SetFlipVertical(flipVertical != 0);
    }
    SetHUDObject(hud != 0);
}
}  // namespace Vellumar
