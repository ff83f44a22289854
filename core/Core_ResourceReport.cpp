#include "core/Core_ResourceReport.h"

#include "core/PAL_Path.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace Core
{
void ReportResourceFailure(std::string_view kind, std::string_view path, std::string_view reason,
                           std::string_view fallback)
{
    // One write, so that lines from two threads never interleave.
    std::string line(kind);
    line += " \"" + PAL::ToOSPath(path) + "\": ";
    line += reason;
    if (!fallback.empty())
    {
        line += "; ";
        line += fallback;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

const char* DescribeFileError(int code)
{
    return code != 0 ? std::strerror(code) : "unknown error";
}
}  // namespace Core
