#pragma once
// The diagnostics switch and the text files it gates ("\OpenGL Information.txt",
// "\OpenGLErrors.txt", "\DisplayModes.txt" beside the executable, or in the folder a test gives).
// The switch starts off and the program never turns it on, so a normal run writes none of them.
#include "core/Core_Types.h"

#include <cstdio>
#include <string>

namespace Renderer
{
void SetDiagnostics(u8 on);
u8 AreDiagnosticsOn();
// The folder the files go to; the empty string (the default) is the executable's directory.
void SetDiagnosticsFolder(const std::string& folder);

// Opens the diagnostics folder followed by name (which begins with a backslash) for writing as
// text; null while the switch is off or when the file cannot be opened.
std::FILE* OpenDiagnosticFile(const char* name);

// The renderer's error log: with the switch on at construction it holds "\OpenGLErrors.txt",
// created or emptied, until Close.
class OpenGLErrorLog
{
public:
    OpenGLErrorLog();
    ~OpenGLErrorLog();
    OpenGLErrorLog(const OpenGLErrorLog&) = delete;
    OpenGLErrorLog& operator=(const OpenGLErrorLog&) = delete;

    void Close();
    bool IsOpen() const { return file != nullptr; }

private:
    std::FILE* file = nullptr;
};
}  // namespace Renderer
