// The text's part of the network records.
#include "core/Core_File.h"
#include "framework/drawables/Vellumar_Text.h"
#include "framework/net/Vellumar_NetworkFile.h"

namespace Vellumar
{
void Text::NetworkSave(Core::File& file)
{
    GameObject::NetworkSave(file);
    WriteNetworkString(file, GetText());
}

void Text::NetworkLoad(Core::File& file)
{
    GameObject::NetworkLoad(file);
    Core::String text = GetText();
    if (ReadNetworkString(file, text) && text != GetText())
    {
        SetText(text);
    }
}

void Text::NetworkSyncSend(Core::File& file)
{
    GameObject::NetworkSyncSend(file);
    WriteNetworkString(file, GetText());
    Core::WriteU8(file, hudObject);
}

void Text::NetworkSyncReceive(Core::File& file)
{
    GameObject::NetworkSyncReceive(file);
    Core::String text = GetText();
    u8 hud = 0;
    ReadNetworkString(file, text);
    Core::ReadU8(file, hud);
    if (file.Failed())
    {
        return;
    }
    if (text != GetText())
    {
        SetText(text);
    }
    SetHUDObject(hud != 0);
}
}  // namespace Vellumar
