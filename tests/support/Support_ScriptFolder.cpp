#include "tests/support/Support_ScriptFolder.h"

#include <fstream>
#include <unistd.h>

namespace
{
int folderNumber = 0;
} // namespace

ScriptFolder::ScriptFolder()
    : root(std::filesystem::temp_directory_path() /
           ("morvane_scripts_" + std::to_string(getpid()) + "_" + std::to_string(folderNumber++)))
{
    std::filesystem::create_directories(root / "Resources" / "Scripts");
}

ScriptFolder::~ScriptFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

Core::String ScriptFolder::Directory() const
{
    return Core::String(root.string());
}

void ScriptFolder::Write(const std::string& name, const std::string& source) const
{
    std::ofstream(root / "Resources" / "Scripts" / name, std::ios::binary | std::ios::trunc) << source;
}

std::string ScriptFolder::WriteResource(const std::string& relativePath, const std::string& contents) const
{
    const std::filesystem::path file = root / "Resources" / relativePath;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << contents;
    return file.string();
}
