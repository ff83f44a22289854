// Static-collision text files, read into a layer of a headless game (recording renderer, scripted
// input, no level run). Seeds are the files the data tool writes for the game's layers and one with
// segments and circles in the layout the reader documents.
#include "fuzz/Fuzz_Target.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "framework/Vellumar_Game.h"
#include "framework/Vellumar_Layer.h"
#include "framework/Vellumar_LevelFactory.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "tests/core/Input_FakeSource.h"
#include "tools/datagen/DataGen_Collisions.h"

#include <string>

namespace
{
class NoLevels final : public Vellumar::LevelFactory
{
public:
    u32 GetLevelsCount() override { return 0; }
    Vellumar::Level* CreateLevel(u32) override { return nullptr; }
    void OnLevelSwitch() override {}
    bool GetLevelIndex(const Core::String&, u32*) override { return false; }
};

Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

// One game for the whole run: the layers read into its collision engine.
Vellumar::Game& HeadlessGame()
{
    static FakeSource input;
    static Core::RefPtr<NoLevels> factory(new NoLevels());
    static Vellumar::Game* game = [] {
        Engine::ApplicationSettings settings;
        settings.width = 320;
        settings.height = 240;
        return new Vellumar::Game(factory.Get(), settings, 0, &MakeRecordingRenderer, input);
    }();
    return *game;
}

bool Read(const u8* data, std::size_t size)
{
    Collision2D::CollisionEngine& collision = *HeadlessGame().GetCollisionEngine();
    const Fuzz::TemporaryFile file(".txt", data, size);
    const Core::RefPtr<Vellumar::Layer> layer(new Vellumar::Layer(1.0f));
    layer->ReadStaticCollision(file.Path());
    const Collision2D::CollisionLayer* read = collision.GetLayer(layer->GetCollisionId());
    // Each static list counts one entry that is never used.
    const bool shapes = read && read->GetLineSegmentsNumber() + read->GetCirclesNumber() > 2;
    layer->Cleanup();
    collision.RemoveAllLayers();
    return shapes;
}

Fuzz::Bytes Text(const std::string& text)
{
    return Fuzz::Bytes(text.begin(), text.end());
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    seeds.emplace_back(DataGen::CollisionFileName(2, 1), Text(DataGen::CollisionFileText(2, 1)));
    seeds.emplace_back("segments-and-circles.txt", Text("Segments and circles of level 0, layer 1\n2\n0,0,1024,0,0,1\n"
                                                        "1024 ; 0 ,1024,768,258,2\n1\n512,384,40,2.9,7\n"));
}

const Fuzz::Registration registration("StaticCollisionText", Read, WriteSeeds);
}  // namespace
