#include "fuzz/Fuzz_Target.h"

#include "platform/PAL_FileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace Fuzz
{
namespace
{
std::vector<Target>& Registry()
{
    static std::vector<Target> targets;
    return targets;
}
}  // namespace

Registration::Registration(const char* name, ReadFunction read, SeedFunction seeds, RepairFunction repair,
                           const char* flags)
{
    Registry().push_back(Target{name, read, seeds, repair, flags});
}

const std::vector<Target>& Targets()
{
    return Registry();
}

TemporaryFile::TemporaryFile(const char* extension, const u8* data, std::size_t size)
{
    const char* folder = std::getenv("TMPDIR");
    path = std::string(folder && *folder ? folder : "/tmp") + "/morvane-fuzz-" + std::to_string(getpid()) + extension;
    WriteFile(path, data, size);
}

TemporaryFile::~TemporaryFile()
{
    std::remove(path.c_str());
}

void WriteFile(const std::string& path, const u8* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ReadResource(const char* relativePath)
{
    return ReadFile(std::string(PAL::GetExecutableDirectory()) + "/Resources/" + relativePath);
}

void PutLittleEndian16(Bytes& out, u32 value)
{
    out.push_back(static_cast<u8>(value));
    out.push_back(static_cast<u8>(value >> 8));
}

void PutLittleEndian32(Bytes& out, u32 value)
{
    PutLittleEndian16(out, value & 0xFFFF);
    PutLittleEndian16(out, value >> 16);
}
}  // namespace Fuzz
