#pragma once
// A resource the program reads (picture, font, sound, wave file) that is missing or broken gets
// one line on standard error when it happens, naming the file and why it failed, with what stands
// in for it. The fallbacks themselves stay the callers'.
#include <string_view>

namespace Core
{
// Writes "<kind> "<path>": <reason>; <fallback>" on standard error and flushes it. The path is
// shown as the operating system names it.
void ReportResourceFailure(std::string_view kind, std::string_view path, std::string_view reason,
                           std::string_view fallback);

// The system's words for an errno value from a failed opening or read; "unknown error" for 0.
const char* DescribeFileError(int code);
}  // namespace Core
