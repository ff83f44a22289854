// Skin record files (".gui"): a record count and the records. Seeds are the record files the data
// tool wrote for the game's skins.
#include "fuzz/Fuzz_Target.h"

#include "core/Core_File.h"
#include "gui/GUI_SkinRecord.h"

#include <string>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    Core::MemoryFile file(data, static_cast<u32>(size));
    Core::Vector<GUI::SkinRecord> records;
    GUI::ReadSkinRecords(file, records);
    return !records.empty();
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    for (const char* skin : {"DefaultFormSkin", "DefaultButtonSkin", "DefaultRadioButtonSkin"})
    {
        const Fuzz::Bytes bytes = Fuzz::ReadResource((std::string("Skins/") + skin + "/" + skin + ".gui").c_str());
        if (!bytes.empty())
            seeds.emplace_back(skin, bytes);
    }
}

const Fuzz::Registration registration("SkinRecords", Read, WriteSeeds);
}  // namespace
