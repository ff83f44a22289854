// Static-collision text files, read into a layer of a headless game (recording renderer, scripted
// input, no level run). Seeds are the files the data tool writes for the game's layers and one with
// segments and circles in the layout the reader documents.
#include "fuzz/Fuzz_Target.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "framework/core/Vellumar_Layer.h"
#include "fuzz/framework/Framework_FuzzGame.h"
#include "tools/datagen/DataGen_Collisions.h"

#include <string>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    Collision2D::CollisionEngine& collision = *FuzzFramework::HeadlessGame().GetCollisionEngine();
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
