#include "tests/support/Support_Skip.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace TestSupport
{
bool SkipsForbidden()
{
    const char* value = std::getenv("MORVANE_NO_SKIPS");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

std::string DisplayName()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return "none";
    // A local display's socket file tells a server gone, or its socket taken away, from a server
    // that refused or failed one client.
    const std::string name = display;
    if (name.size() < 2 || name[0] != ':')
        return name;
    const std::string socket = "/tmp/.X11-unix/X" + name.substr(1, name.find('.') - 1);
    std::error_code error;
    return name + (std::filesystem::exists(socket, error) ? ", whose socket is there" : ", whose socket is missing");
}
}  // namespace TestSupport
