// Font metrics files (".fbf"), read and then used to measure and lay out text. Seeds are the
// metrics files the font tool made for the game.
#include "fuzz/Fuzz_Target.h"

#include "core/Core_File.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_Mesh.h"
#include "engine/Engine_TextLayout.h"

#include <string>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    Core::MemoryFile file(data, static_cast<u32>(size));
    Engine::FontMetrics metrics;
    const bool read = Engine::ReadFontMetrics(file, metrics);
    const Core::RefPtr<Engine::BitmapFont> font(new Engine::BitmapFont("fuzz", nullptr, metrics));
    const Core::String text("Wave 3\tof 12\r\nScore: 4096 ~\x7f\x01");
    f32 width = 0.0f;
    f32 height = 0.0f;
    font->MeasureText(text, width, height);
    const Core::RefPtr<Engine::Mesh> mesh(new Engine::Mesh());
    Engine::TextBounds bounds{};
    Engine::LayoutText(*font, text, *mesh, bounds);
    return read;
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    for (const char* name : {"DefaultFont", "GameFont"})
    {
        const Fuzz::Bytes bytes = Fuzz::ReadResource((std::string("Fonts/") + name + "/" + name + ".fbf").c_str());
        if (!bytes.empty())
            seeds.emplace_back(name, bytes);
    }
}

const Fuzz::Registration registration("FontMetrics", Read, WriteSeeds);
}  // namespace
