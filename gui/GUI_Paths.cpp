#include "gui/GUI_Paths.h"

#include "platform/PAL_FileSystem.h"

namespace GUI
{
namespace
{
Core::String ResourcesSubfolder(const char* folder)
{
    return Core::String(PAL::GetExecutableDirectory()) + "\\" + GetResourcesFolder() + folder;
}
} // namespace

Core::String GetResourcesFolder()
{
    return "Resources";
}

Core::String GetSkinsFolder()
{
    return ResourcesSubfolder("\\Skins");
}

Core::String GetOverlaysFolder()
{
    return GetSkinsFolder() + "\\Overlays";
}

Core::String GetFontsFolder()
{
    return ResourcesSubfolder("\\Fonts");
}

Core::String GetCursorsFolder()
{
    return ResourcesSubfolder("\\Cursors");
}

Core::String GetSkinPath(const Core::String& name)
{
    return GetSkinsFolder() + "\\" + name + "\\" + name;
}

Core::String GetSkinFilePath(const Core::String& name)
{
    return GetSkinsFolder() + "\\" + name;
}

Core::String GetOverlayPath(const Core::String& name)
{
    return GetOverlaysFolder() + "\\" + name;
}

Core::String GetFontPath(const Core::String& name)
{
    return GetFontsFolder() + "\\" + name + "\\" + name;
}

Core::String GetCursorPath(const Core::String& name)
{
    return GetCursorsFolder() + "\\" + name;
}

bool IsPlainResourceName(const Core::String& name)
{
    if (name == "." || name == "..")
        return false;
    return name.find('\\') == Core::String::npos && name.find('/') == Core::String::npos;
}

bool IsInsideFolder(const Core::String& path, const Core::String& folder)
{
    const Core::String prefix = folder + "\\";
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0)
        return false;
    std::size_t start = prefix.size();
    while (start <= path.size())
    {
        std::size_t end = path.find('\\', start);
        if (end == Core::String::npos)
            end = path.size();
        if (!IsPlainResourceName(path.substr(start, end - start)))
            return false;
        start = end + 1;
    }
    return true;
}

bool IsInsideResources(const Core::String& path)
{
    return IsInsideFolder(path, ResourcesSubfolder(""));
}
} // namespace GUI
