#pragma once
// A game folder of its own for each test: scripts are written to its "Resources/Scripts" and
// attached by plain name, as owners do.
#include "core/Core_String.h"

#include <filesystem>
#include <string>

class ScriptFolder
{
public:
    ScriptFolder();
    ~ScriptFolder();
    ScriptFolder(const ScriptFolder&) = delete;
    ScriptFolder& operator=(const ScriptFolder&) = delete;

    // The directory owners pass as the game's.
    Core::String Directory() const;
    void Write(const std::string& name, const std::string& source) const;
    // Writes a file below the folder's "Resources" (folders on the way are made); returns its path.
    std::string WriteResource(const std::string& relativePath, const std::string& contents) const;

private:
    std::filesystem::path root;
};
