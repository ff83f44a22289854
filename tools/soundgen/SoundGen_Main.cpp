// soundgen <description.txt> <output.ogg>
// Synthesises the sound that a text description gives (voices for an effect, or instruments,
// patterns and a song for a music loop) and writes it as Ogg Vorbis.
#include "SoundGen_Description.h"
#include "SoundGen_Mixer.h"
#include "SoundGen_Vorbis.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: soundgen <description.txt> <output.ogg>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in)
    {
        std::fprintf(stderr, "soundgen: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();

    SoundGen::Description description;
    std::string error;
    std::vector<float> samples;
    if (!SoundGen::ParseDescription(text.str(), description, error)
        || !SoundGen::RenderDescription(description, samples, error))
    {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }

    const std::filesystem::path output = argv[2];
    std::error_code ignored;
    std::filesystem::create_directories(output.parent_path(), ignored);
    const std::string title = description.title.empty() ? output.stem().string() : description.title;
    if (!SoundGen::WriteOggVorbis(output.string(), samples, description.channels, description.rate,
                                  description.quality, title, error))
    {
        std::fprintf(stderr, "soundgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
