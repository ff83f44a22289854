#include "tests/support/Support_Scratch.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace TestSupport
{
ScratchFolder::ScratchFolder(const std::string& name)
{
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "_XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch folder from " + pattern);
    path = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string ScratchFolder::PathOf(const std::string& fileName) const
{
    return (path / fileName).string();
}

std::string ScratchFolder::Write(const std::string& fileName, const std::vector<u8>& bytes) const
{
    const std::filesystem::path full = path / fileName;
    std::error_code ignored;
    std::filesystem::create_directories(full.parent_path(), ignored);
    WriteFileBytes(full, bytes);
    return full.string();
}

std::vector<u8> ScratchFolder::Read(const std::string& fileName) const
{
    return ReadFileBytes(path / fileName);
}

std::vector<u8> ReadFileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::filesystem::path& file, const std::vector<u8>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
}  // namespace TestSupport
