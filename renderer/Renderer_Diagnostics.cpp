#include "renderer/Renderer_Diagnostics.h"

#include "platform/PAL_FileSystem.h"
#include "core/PAL_Path.h"

#include <string>

namespace Renderer
{
namespace
{
u8 diagnostics = 0;
std::string diagnosticsFolder;
}

void SetDiagnostics(u8 on)
{
    diagnostics = on;
}

u8 AreDiagnosticsOn()
{
    return diagnostics;
}

void SetDiagnosticsFolder(const std::string& folder)
{
    diagnosticsFolder = folder;
}

std::FILE* OpenDiagnosticFile(const char* name)
{
    if (!diagnostics)
    {
        return nullptr;
    }
    const std::string folder = diagnosticsFolder.empty() ? std::string(PAL::GetExecutableDirectory()) : diagnosticsFolder;
    const std::string path = folder + name;
    return PAL::OpenFile(path, "w");
}

OpenGLErrorLog::OpenGLErrorLog() : file(OpenDiagnosticFile("\\OpenGLErrors.txt"))
{
}

OpenGLErrorLog::~OpenGLErrorLog()
{
    Close();
}

void OpenGLErrorLog::Close()
{
    if (file)
    {
        std::fclose(file);
        file = nullptr;
    }
}
}  // namespace Renderer
