#pragma once
// Turns a failed system call into a fatal report naming the call, the enclosing function, the
// source file and the line, shown in a message box titled "Error", after which the process ends
// with the error code as its exit status. Callers write:
//
//     PAL::SetErrorContext("SDL_GL_MakeCurrent", "PAL::Window::Destory", __LINE__, "PAL_Window");
//     PAL::CheckWin32Error(SDL_GL_MakeCurrent(window, nullptr) != 0);
//
// The context is one process-wide set used on the main thread only.
#include "core/Core_Types.h"

namespace PAL
{
// Stores the context (the report shows line + 1, the line of the call after this one) and clears
// the operating system's and SDL's last error.
void SetErrorContext(const char* callName, const char* enclosingFunction, i32 line, const char* file);

// When failed is set and the call left an error behind (errno, or SDL's error text), reports it
// and ends the process; a failure that left no error is not reported and the caller goes on.
void CheckWin32Error(u8 failed);

// The fatal report for a code and its text (the renderer's GL errors come this way). Exit status:
// the code when it is 1 to 255, else 1, so that no failure ends as a success.
[[noreturn]] void ReportFatalError(i32 code, const char* systemText);
}  // namespace PAL
