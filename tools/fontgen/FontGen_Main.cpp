// fontgen <face.ttf> <pixel size> <output path without extension>
// Renders characters 32..127 of a TrueType face into the engine's bitmap font: <output>.png (white
// glyphs whose alpha is the coverage) and <output>.fbf (the metrics).
#include "FontGen_Atlas.h"
#include "FontGen_Fbf.h"
#include "FontGen_Png.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: fontgen <face.ttf> <pixel size> <output path without extension>\n");
        return 2;
    }
    const std::string facePath = argv[1];
    const int pixelSize = std::atoi(argv[2]);
    const std::filesystem::path output = argv[3];
    if (pixelSize < 4 || pixelSize > 256)
    {
        std::fprintf(stderr, "fontgen: pixel size %s is out of range\n", argv[2]);
        return 2;
    }

    FontGen::FontAtlas atlas;
    std::string error;
    if (!FontGen::RenderAtlas(facePath, pixelSize, atlas, error))
    {
        std::fprintf(stderr, "fontgen: %s\n", error.c_str());
        return 1;
    }

    std::vector<uint8_t> rgba(atlas.coverage.size() * 4);
    for (size_t i = 0; i < atlas.coverage.size(); ++i)
    {
        rgba[i * 4 + 0] = 255;
        rgba[i * 4 + 1] = 255;
        rgba[i * 4 + 2] = 255;
        rgba[i * 4 + 3] = atlas.coverage[i];
    }

    std::error_code ignored;
    std::filesystem::create_directories(output.parent_path(), ignored);
    const std::string png = output.string() + ".png";
    const std::string fbf = output.string() + ".fbf";
    if (!FontGen::WritePng(png, atlas.atlasSide, atlas.atlasSide, rgba))
    {
        std::fprintf(stderr, "fontgen: cannot write %s\n", png.c_str());
        return 1;
    }
    if (!FontGen::WriteFbf(fbf, atlas))
    {
        std::fprintf(stderr, "fontgen: cannot write %s\n", fbf.c_str());
        return 1;
    }
    return 0;
}
