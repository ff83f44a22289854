#pragma once
// Where the GUI's resource files live. Every path is built anew from the executable's folder on
// each call and keeps the engine's backslashes; the file layer turns them into the system's.
#include "core/Core_String.h"

namespace GUI
{
// The word "Resources".
Core::String GetResourcesFolder();
// Executable folder + "\Resources\Skins".
Core::String GetSkinsFolder();
// Skins folder + "\Overlays": the overlays lie inside the skins folder.
Core::String GetOverlaysFolder();
// Executable folder + "\Resources\Fonts".
Core::String GetFontsFolder();
// Executable folder + "\Resources\Cursors".
Core::String GetCursorsFolder();

// Skins folder + "\N\N": a skin path without extension (".gui" and ".png" are added to it).
Core::String GetSkinPath(const Core::String& name);
// Skins folder + "\N": a picture that lies directly in the skins folder.
Core::String GetSkinFilePath(const Core::String& name);
// Overlays folder + "\N".
Core::String GetOverlayPath(const Core::String& name);
// Fonts folder + "\N\N": a font path as the font cache takes it.
Core::String GetFontPath(const Core::String& name);
// Cursors folder + "\N".
Core::String GetCursorPath(const Core::String& name);

// Whether a name read from a stream may become part of a resource path: it names nothing outside
// the folder it is appended to (no separator, not "." or "..").
bool IsPlainResourceName(const Core::String& name);
// Whether a full path read from a stream lies inside the given folder: it starts with the folder
// and a backslash and no part of it after that climbs out ("..") or uses the system separator.
bool IsInsideFolder(const Core::String& path, const Core::String& folder);
// Whether such a path lies inside the resource folders: executable folder + "\Resources".
bool IsInsideResources(const Core::String& path);
} // namespace GUI
