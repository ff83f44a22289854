#pragma once
// The one place where the system's own paths become operating-system paths. The engine keeps its
// texts as the program has always written them ("\Resources\Sounds\", "\Saves\"), with
// backslashes, because saved files and string handling depend on them; every file opener of the
// project passes its path through ToOSPath, which turns each backslash into '/'. File names stay
// case-sensitive.
//
// Header-only on purpose: the core byte streams open files too, and they sit below the platform
// library in the link order.
#include <cstdio>
#include <string>
#include <string_view>

namespace PAL
{
inline std::string ToOSPath(std::string_view path)
{
    std::string converted(path);
    for (char& c : converted)
    {
        if (c == '\\')
        {
            c = '/';
        }
    }
    return converted;
}

// fopen of a system path.
inline std::FILE* OpenFile(std::string_view path, const char* mode)
{
    return std::fopen(ToOSPath(path).c_str(), mode);
}
}  // namespace PAL
