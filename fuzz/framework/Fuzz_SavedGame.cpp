// Saved games, read into the headless game after the reset a load starts with; a game that loads
// runs two frames. Seeds are the game saved over an empty level and over a level of colliding
// sprites with rigid bodies.
#include "fuzz/Fuzz_Target.h"

#include "core/Core_File.h"
#include "fuzz/framework/Framework_FuzzGame.h"
#include "tests/framework/Framework_SpriteScene.h"

namespace
{
constexpr f32 FrameTime = 0.016f;

bool Read(const u8* data, std::size_t size)
{
    FuzzFramework::FuzzGame& game = FuzzFramework::HeadlessGame();
    game.ResetForLoad();
    Core::MemoryFile file(data, static_cast<u32>(size));
    game.Load(file);
    const bool loaded = !file.Failed();
    if (loaded)
    {
        game.UpdateFrame(FrameTime);
        game.UpdateFrame(FrameTime);
    }
    game.ResetForLoad();
    return loaded;
}

Fuzz::Bytes Save(Vellumar::Game& game)
{
    Core::MemoryFile file;
    game.Save(file);
    return Fuzz::Bytes(file.GetData(), file.GetData() + file.GetSize());
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    FuzzFramework::FuzzGame& game = FuzzFramework::HeadlessGame();
    game.ResetForLoad();
    // With no level the next update makes the factory's one.
    game.Update();
    seeds.emplace_back("empty-level", Save(game));
    FrameworkTest::BuildSpriteScene(*game.GetCurrentLevel(), 3);
    for (int frame = 0; frame < 3; ++frame)
        game.UpdateFrame(FrameTime);
    seeds.emplace_back("sprites", Save(game));
    game.ResetForLoad();
}

const Fuzz::Registration registration("SavedGame", Read, WriteSeeds);
}  // namespace
