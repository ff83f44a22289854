// The wave compiler's description language. Seeds are the game's own wave descriptions.
#include "fuzz/Fuzz_Target.h"

#include "tools/datagen/DataGen_Waves.h"

#include <string>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    std::vector<DataGen::WaveRecord> records;
    std::string error;
    const bool compiled = DataGen::CompileWaves(std::string(reinterpret_cast<const char*>(data), size), records, error);
    if (compiled)
        DataGen::FormatWaves(records);
    return compiled;
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    for (const char* name : {"timer", "act1", "act2", "act3"})
        seeds.emplace_back(name, Fuzz::ReadFile(std::string(MORVANE_SOURCE_DIR) + "/tools/datagen/waves/" + name + ".wave"));
}

const Fuzz::Registration registration("WaveCompiler", Read, WriteSeeds);
}  // namespace
