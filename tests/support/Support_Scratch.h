#pragma once
// A scratch folder of the test's own under the temporary directory, removed with the object.
#include "core/Core_Types.h"

#include <filesystem>
#include <string>
#include <vector>

namespace TestSupport
{
class ScratchFolder
{
public:
    // The name only helps a reader of the temporary directory; the folder is unique whatever it is.
    explicit ScratchFolder(const std::string& name = "morvane");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::string PathOf(const std::string& fileName) const;
    // Writes the bytes to a file of the folder (folders on the way are made) and returns its path.
    std::string Write(const std::string& fileName, const std::vector<u8>& bytes) const;
    std::vector<u8> Read(const std::string& fileName) const;

private:
    std::filesystem::path path;
};

std::vector<u8> ReadFileBytes(const std::filesystem::path& file);
bool WriteFileBytes(const std::filesystem::path& file, const std::vector<u8>& bytes);
}  // namespace TestSupport
