// datagen waves <description.wave> <output.txt>
//   compiles a wave description into the wave file the play level reads;
// datagen skins <skin records.txt> <skins folder>
//   writes <skins folder>/<name>/<name>.gui for every skin of the record list;
// datagen collisions <folder>
//   writes the static-collision file of every layer of every level.
#include "DataGen_Collisions.h"
#include "DataGen_Skins.h"
#include "DataGen_Waves.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
    bool ReadText(const std::string& path, std::string& text)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        text = out.str();
        return static_cast<bool>(in);
    }

    bool WriteFile(const std::filesystem::path& path, const std::string& bytes)
    {
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            std::fprintf(stderr, "datagen: cannot write %s\n", path.string().c_str());
        return static_cast<bool>(out);
    }

    int Fail(const std::string& where, const std::string& error)
    {
        std::fprintf(stderr, "%s: %s\n", where.c_str(), error.c_str());
        return 1;
    }

    int Waves(const std::string& input, const std::string& output)
    {
        std::string text, error;
        std::vector<DataGen::WaveRecord> records;
        if (!ReadText(input, text))
            return Fail(input, "cannot read");
        if (!DataGen::CompileWaves(text, records, error))
            return Fail(input, error);
        return WriteFile(output, DataGen::FormatWaves(records)) ? 0 : 1;
    }

    int Skins(const std::string& input, const std::filesystem::path& folder)
    {
        std::string text, error;
        std::map<std::string, std::vector<DataGen::SkinRecord>> skins;
        if (!ReadText(input, text))
            return Fail(input, "cannot read");
        if (!DataGen::ReadSkinRecords(text, skins, error))
            return Fail(input, error);
        for (const auto& [name, records] : skins)
            if (!WriteFile(folder / name / (name + ".gui"), DataGen::FormatGui(records)))
                return 1;
        return 0;
    }

    int Collisions(const std::filesystem::path& folder)
    {
        for (int level = 0; level < DataGen::LevelCount; ++level)
            for (int layer = 0; layer < DataGen::LayersPerLevel; ++layer)
                if (!WriteFile(folder / DataGen::CollisionFileName(level, layer),
                               DataGen::CollisionFileText(level, layer)))
                    return 1;
        return 0;
    }
}

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "waves" && argc == 4)
        return Waves(argv[2], argv[3]);
    if (command == "skins" && argc == 4)
        return Skins(argv[2], argv[3]);
    if (command == "collisions" && argc == 3)
        return Collisions(argv[2]);
    std::fprintf(stderr, "usage: datagen waves <description.wave> <output.txt>\n"
                         "       datagen skins <skin records.txt> <skins folder>\n"
                         "       datagen collisions <folder>\n");
    return 2;
}
