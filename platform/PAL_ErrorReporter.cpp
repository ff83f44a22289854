#include "platform/PAL_ErrorReporter.h"

#include "platform/PAL_MessageBox.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace PAL
{
namespace
{
struct ErrorContext
{
    const char* callName = "";
    const char* enclosingFunction = "";
    i32 line = 0;
    const char* file = "";
};

ErrorContext& Context()
{
    static ErrorContext context;
    return context;
}

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}
}  // namespace

void SetErrorContext(const char* callName, const char* enclosingFunction, i32 line, const char* file)
{
    ErrorContext& context = Context();
    context.callName = OrEmpty(callName);
    context.enclosingFunction = OrEmpty(enclosingFunction);
    context.line = line + 1;
    context.file = OrEmpty(file);
    errno = 0;
    SDL_ClearError();
}

void CheckWin32Error(u8 failed)
{
    if (!failed)
    {
        return;
    }
    const int code = errno;
    const char* sdlText = SDL_GetError();
    if (code == 0 && sdlText[0] == '\0')
    {
        return;
    }
    // SDL explains its failures in words and has no numbers; the system's errno is kept when set.
    ReportFatalError(code != 0 ? code : 1, sdlText[0] != '\0' ? sdlText : std::strerror(code));
}

void ReportFatalError(i32 code, const char* systemText)
{
    const ErrorContext& context = Context();
    const char* format = "The \"%s\" function failed with error %d: %s\nEnclosing Function: %s\nFile: %s\nLine: %d";
    const char* text = OrEmpty(systemText);
    // Sized to the texts, so long names and long system texts are never cut or overrun.
    const int length = std::snprintf(nullptr, 0, format, context.callName, code, text, context.enclosingFunction,
                                     context.file, context.line);
    Core::String report(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    std::snprintf(report.data(), report.size() + 1, format, context.callName, code, text,
                  context.enclosingFunction, context.file, context.line);
    ShowMessageBox("Error", report, MessageBoxKind::Error, MessageBoxButton::Ok);
    std::_Exit(code >= 1 && code <= 255 ? code : 1);
}
}  // namespace PAL
