#include "game/MyGame_MyLevelFactory.h"

#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MainMenuClass.h"
#include "game/MyGame_OptionsMenuClass.h"

namespace
{
struct Grid
{
    f32 x;
    f32 y;
    i32 width;
    i32 height;
};

struct LevelRow
{
    const char* name;
    Vellumar::Level* (*create)();
    Grid hudGrid;
    Grid layer1Grid;
    Grid layer2Grid;
};

template <class LevelClass>
Vellumar::Level* CreateLevelOf()
{
    return new (__FILE__, __LINE__) LevelClass();
}

Vellumar::Level* CreatePlayLevel()
{
    return static_cast<Vellumar::Level*>(BaseLevelClass::Create());
}

constexpr Grid Screen{-512.0f, -384.0f, 1024, 768};
constexpr i32 CellSize = 100;
// The second layer draws in front of the other two.
constexpr f32 FrontLayerZ = 927.058f;
constexpr f32 ClearGrey = 64.0f / 255.0f;

const LevelRow Levels[MyLevelFactory::LevelCount] = {
    {"BaseLevel", &CreatePlayLevel, {-400.0f, -300.0f, 800, 600}, {-2231.0f, -1652.0f, 3098, 2836},
     {-400.0f, -300.0f, 800, 600}},
    {"MainMenu", &CreateLevelOf<MainMenuClass>, Screen, Screen, Screen},
    {"LevelSelection", &CreateLevelOf<MainMenuClass>, {-512.0f, -1204.0f, 1024, 1588}, Screen, Screen},
    {"Credits", &CreateLevelOf<MainMenuClass>, Screen, Screen, Screen},
    {"Victory", &CreateLevelOf<Vellumar::Level>, Screen, Screen, Screen},
    {"Lose", &CreateLevelOf<Vellumar::Level>, Screen, Screen, Screen},
    {"Options", &CreateLevelOf<OptionsMenuClass>, Screen, Screen, Screen},
};

Vellumar::Layer* MakeLayer(f32 z, const Core::String& name, const Grid& grid)
{
    auto* layer = new (__FILE__, __LINE__) Vellumar::Layer(z);
    layer->SetName(name);
    layer->SetCollisionProperties(Math::Vector2D(grid.x, grid.y), grid.width, grid.height, CellSize);
    return layer;
}

Vellumar::Layer* MakeSceneLayer(f32 z, const Core::String& name, const Grid& grid)
{
    Vellumar::Layer* layer = MakeLayer(z, name, grid);
    layer->SetScale(1.0f, 1.0f);
    layer->SetRotation(0.0f);
    return layer;
}
}  // namespace

bool MyLevelFactory::GetLevelIndex(const Core::String& name, u32* index)
{
    for (u32 i = 0; i < LevelCount; ++i)
    {
        if (name == Levels[i].name)
        {
            *index = i;
            return true;
        }
    }
    return false;
}

Vellumar::Level* MyLevelFactory::CreateLevel(u32 index)
{
    LoadCollisionActors();
    return index < LevelCount ? BuildLevel(index) : nullptr;
}

void MyLevelFactory::ResetObjectPointers()
{
    cameras.fill(nullptr);
    viewport = nullptr;
    hudLayer = nullptr;
    layer1 = nullptr;
    layer2 = nullptr;
    levels.fill(nullptr);
    contentObjects.clear();
}

void MyLevelFactory::LoadCollisionActors()
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    BuildCollisionActors(CollisionActorTable, [&](u32 number, Collision2D::CollisionActor* actor) {
        collisionActors[number] = actor;
        game->AddCollisionAssets(actor);
    });
}

Vellumar::Level* MyLevelFactory::BuildLevel(u32 index)
{
    const LevelRow& row = Levels[index];
    const Core::String name = row.name;

    Vellumar::Level* level = row.create();
    levels[index] = level;
    level->SetName(name);
    level->SetClearBackBuffer(false);

    hudLayer = MakeLayer(0.0f, name + "_HUD", row.hudGrid);
    layer1 = MakeSceneLayer(0.0f, "layer1", row.layer1Grid);
    layer2 = MakeSceneLayer(FrontLayerZ, "layer2", row.layer2Grid);

    auto* camera = new (__FILE__, __LINE__) Vellumar::Camera(45.0f);
    cameras[index] = camera;
    camera->SetName("camera0");
    camera->SetPosition(Math::Vector2D(0.0f, 0.0f));
    layer2->AddGameObject(camera, false, nullptr);

    viewport = new (__FILE__, __LINE__) Vellumar::Viewport(0, 0, 1024, 768);
    viewport->SetClearColor(Math::Color(ClearGrey, ClearGrey, ClearGrey, 1.0f));
    viewport->SetCamera(camera);

    level->AddLayer(hudLayer);
    level->AddLayer(layer1);
    level->AddLayer(layer2);
    level->AddViewport(viewport);

    BuildLayer(index, 0, *hudLayer);
    BuildLayer(index, 1, *layer1);
    BuildLayer(index, 2, *layer2);
    if (index == 0)
        MountCannonSmoke();
    OnLevelBuilt(index);
    return level;
}

void MyLevelFactory::MountCannonSmoke()
{
    Vellumar::GameObject* cannon = nullptr;
    Vellumar::GameObject* smoke = nullptr;
    for (Vellumar::GameObject* object : contentObjects)
    {
        if (object->GetName() == "cannon")
            cannon = object;
        else if (object->GetName() == "cannonsmoke")
            smoke = object;
    }
    if (cannon && smoke)
        cannon->Mount(smoke);
}

void MyLevelFactory::BuildLayer(u32 levelIndex, u32 layerIndex, Vellumar::Layer& layer)
{
    for (const ContentObject& row : MenuContent())
    {
        if (row.level == levelIndex && row.layer == layerIndex)
            CreateContentObject(row, layer);
    }
    if (levelIndex == 0 && layerIndex == 1)
    {
        for (const PlayObject& row : PlayLayerSprites())
            CreatePlayObject(row, layer);
        for (const ParticleObject& row : PlayLayerParticles())
            CreateParticleObject(row, layer);
    }
    LoadLayerCollision(levelIndex, layerIndex, layer);
}

void MyLevelFactory::LoadLayerCollision(u32 levelIndex, u32 layerIndex, Vellumar::Layer& layer)
{
    // Level and layer indices are single digits.
    layer.ReadStaticCollision(Vellumar::Game::GetDirectory() + "\\Resources\\Layers Collisions\\level" +
                              static_cast<char>('0' + levelIndex) + "_layer" + static_cast<char>('0' + layerIndex) + ".txt");
}
