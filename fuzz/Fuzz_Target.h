#pragma once
// A fuzz target: one reader of outside data driven by arbitrary bytes, with the seed inputs that
// the project's own writers and resource tools make for it. Each file fuzz/<folder>/Fuzz_<Name>.cpp
// holds one target; the fuzz build makes it the libFuzzer program fuzz_<Name>, and the test suite
// feeds it every input kept under tests/fuzz/<Name>/, each of which it must refuse.
#include "core/Core_Types.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace Fuzz
{
using Bytes = std::vector<u8>;
using Seeds = std::vector<std::pair<std::string, Bytes>>;

// True when the reader accepted the input; false when it refused it.
using ReadFunction = bool (*)(const u8* data, std::size_t size);
// Appends named seed inputs.
using SeedFunction = void (*)(Seeds& seeds);
// Mends a mutated input in place (checksums a reader verifies before anything else, say) so that
// mutations reach the parts behind them; returns the new size, at most maxSize.
using RepairFunction = std::size_t (*)(u8* data, std::size_t size, std::size_t maxSize);

struct Target
{
    const char* name;
    ReadFunction read;
    SeedFunction seeds;
    RepairFunction repair;
    // libFuzzer flags, separated by spaces, that the program takes before those of its command
    // line (which override them); null for none.
    const char* flags;
};

// A target file holds one of these as a static object: constructing it registers the target.
struct Registration
{
    Registration(const char* name, ReadFunction read, SeedFunction seeds, RepairFunction repair = nullptr,
                 const char* flags = nullptr);
};

const std::vector<Target>& Targets();

// A file holding the given bytes in the temporary folder, removed with the object, for readers
// that only take files.
class TemporaryFile
{
public:
    TemporaryFile(const char* extension, const u8* data, std::size_t size);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const char* Path() const { return path.c_str(); }

private:
    std::string path;
};

void WriteFile(const std::string& path, const u8* data, std::size_t size);
Bytes ReadFile(const std::string& path);
// A generated resource file, from the Resources folder beside the running program; empty when absent.
Bytes ReadResource(const char* relativePath);
// Little-endian fields, for seed writers.
void PutLittleEndian16(Bytes& out, u32 value);
void PutLittleEndian32(Bytes& out, u32 value);
}  // namespace Fuzz
