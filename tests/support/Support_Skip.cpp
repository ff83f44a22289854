#include "tests/support/Support_Skip.h"

#include <cstdlib>
#include <cstring>

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
    return display != nullptr && *display != '\0' ? display : "none";
}
}  // namespace TestSupport
