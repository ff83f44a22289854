#include "renderer/Renderer_Extensions.h"

#include <algorithm>
#include <cstring>

namespace Renderer
{
void SplitExtensionNames(const char* text, Core::Vector<Core::String>& names, u32 maxLength)
{
    names.clear();
    if (!text)
    {
        return;
    }
    const char* position = text;
    while (*position != '\0')
    {
        const std::size_t length = std::strcspn(position, " ");
        names.emplace_back(std::string_view(position, std::min<std::size_t>(length, maxLength)));
        position += length;
        if (*position == ' ')
        {
            ++position;
        }
    }
}

bool HasExtensionName(const Core::Vector<Core::String>& names, const char* name)
{
    const std::string_view wanted(name ? name : "");
    return std::any_of(names.begin(), names.end(), [&](const Core::String& entry) { return entry.View() == wanted; });
}
}  // namespace Renderer
