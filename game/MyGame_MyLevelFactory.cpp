#include "game/MyGame_MyLevelFactory.h"

#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MainMenuClass.h"
#include "game/MyGame_MyGame.h"
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
    switch (index)
    {
    case 0:
        return CreateBaseLevel();
    case 1:
        return CreateMainMenu();
    case 2:
        return CreateLevelSelection();
    case 3:
        return CreateCredits();
    case 4:
        return CreateVictory();
    case 5:
        return CreateLose();
    case 6:
        return CreateOptions();
    default:
        return nullptr;
    }
}

Vellumar::Level* MyLevelFactory::CreateBaseLevel()
{
    Vellumar::Level* level = StartLevel(0);
    BuildLevel0Layer0();
    BuildLevel0Layer1();
    BuildLevel0Layer2();
    MountCannonSmoke();
    OnLevelBuilt(0);
    return level;
}

Vellumar::Level* MyLevelFactory::CreateMainMenu()
{
    Vellumar::Level* level = StartLevel(1);
    BuildLevel1Layer0();
    BuildLevel1Layer1();
    BuildLevel1Layer2();
    OnLevelBuilt(1);
    return level;
}

Vellumar::Level* MyLevelFactory::CreateLevelSelection()
{
    Vellumar::Level* level = StartLevel(2);
    BuildLevel2Layer0();
    BuildLevel2Layer1();
    BuildLevel2Layer2();
    OnLevelBuilt(2);
    return level;
}

Vellumar::Level* MyLevelFactory::CreateCredits()
{
    Vellumar::Level* level = StartLevel(3);
    BuildLevel3Layer0();
    BuildLevel3Layer1();
    BuildLevel3Layer2();
    OnLevelBuilt(3);
    return level;
}

Vellumar::Level* MyLevelFactory::CreateVictory()
{
    Vellumar::Level* level = StartLevel(4);
    BuildLevel4Layer0();
    BuildLevel4Layer1();
    BuildLevel4Layer2();
    OnLevelBuilt(4);
    return level;
}

Vellumar::Level* MyLevelFactory::CreateLose()
{
    Vellumar::Level* level = StartLevel(5);
    BuildLevel5Layer0();
    BuildLevel5Layer1();
    BuildLevel5Layer2();
    OnLevelBuilt(5);
    return level;
}

Vellumar::Level* MyLevelFactory::CreateOptions()
{
    Vellumar::Level* level = StartLevel(6);
    BuildLevel6Layer0();
    BuildLevel6Layer1();
    BuildLevel6Layer2();
    OnLevelBuilt(6);
    return level;
}

void MyLevelFactory::OnLevelSwitch()
{
    ResetObjectPointers();
    // The framework forgets the mouse at a switch; a press still waiting for its frame was made on
    // the level that ends, and would otherwise act on the first button of the next one (the shot
    // that came with the pointer's move as the last enemy died leaving the victory screen).
    if (MyGame* game = GetGame())
        game->pressWait = 0;
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

Vellumar::Level* MyLevelFactory::StartLevel(u32 index)
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

Vellumar::Layer& MyLevelFactory::LayerUnderConstruction(u32 layerIndex) const
{
    return layerIndex == 0 ? *hudLayer : layerIndex == 1 ? *layer1 : *layer2;
}

void MyLevelFactory::CreateLayerObjects(u32 levelIndex, u32 layerIndex)
{
    Vellumar::Layer& layer = LayerUnderConstruction(layerIndex);
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
}

void MyLevelFactory::LoadLayerCollision(u32 levelIndex, u32 layerIndex)
{
    // Level and layer indices are single digits.
    LayerUnderConstruction(layerIndex).ReadStaticCollision(Vellumar::Game::GetDirectory() + "\\Resources\\Layers Collisions\\level" +
                              static_cast<char>('0' + levelIndex) + "_layer" + static_cast<char>('0' + layerIndex) + ".txt");
}

void MyLevelFactory::BuildLevel0Layer0()
{
    CreateLayerObjects(0, 0);
    LoadLevel0Layer0Collision();
}

void MyLevelFactory::BuildLevel0Layer1()
{
    CreateLayerObjects(0, 1);
    LoadLevel0Layer1Collision();
}

void MyLevelFactory::BuildLevel0Layer2()
{
    CreateLayerObjects(0, 2);
    LoadLevel0Layer2Collision();
}

void MyLevelFactory::BuildLevel1Layer0()
{
    CreateLayerObjects(1, 0);
    LoadLevel1Layer0Collision();
}

void MyLevelFactory::BuildLevel1Layer1()
{
    CreateLayerObjects(1, 1);
    LoadLevel1Layer1Collision();
}

void MyLevelFactory::BuildLevel1Layer2()
{
    CreateLayerObjects(1, 2);
    LoadLevel1Layer2Collision();
}

void MyLevelFactory::BuildLevel2Layer0()
{
    CreateLayerObjects(2, 0);
    LoadLevel2Layer0Collision();
}

void MyLevelFactory::BuildLevel2Layer1()
{
    CreateLayerObjects(2, 1);
    LoadLevel2Layer1Collision();
}

void MyLevelFactory::BuildLevel2Layer2()
{
    CreateLayerObjects(2, 2);
    LoadLevel2Layer2Collision();
}

void MyLevelFactory::BuildLevel3Layer0()
{
    CreateLayerObjects(3, 0);
    LoadLevel3Layer0Collision();
}

void MyLevelFactory::BuildLevel3Layer1()
{
    CreateLayerObjects(3, 1);
    LoadLevel3Layer1Collision();
}

void MyLevelFactory::BuildLevel3Layer2()
{
    CreateLayerObjects(3, 2);
    LoadLevel3Layer2Collision();
}

void MyLevelFactory::BuildLevel4Layer0()
{
    CreateLayerObjects(4, 0);
    LoadLevel4Layer0Collision();
}

void MyLevelFactory::BuildLevel4Layer1()
{
    CreateLayerObjects(4, 1);
    LoadLevel4Layer1Collision();
}

void MyLevelFactory::BuildLevel4Layer2()
{
    CreateLayerObjects(4, 2);
    LoadLevel4Layer2Collision();
}

void MyLevelFactory::BuildLevel5Layer0()
{
    CreateLayerObjects(5, 0);
    LoadLevel5Layer0Collision();
}

void MyLevelFactory::BuildLevel5Layer1()
{
    CreateLayerObjects(5, 1);
    LoadLevel5Layer1Collision();
}

void MyLevelFactory::BuildLevel5Layer2()
{
    CreateLayerObjects(5, 2);
    LoadLevel5Layer2Collision();
}

void MyLevelFactory::BuildLevel6Layer0()
{
    CreateLayerObjects(6, 0);
    LoadLevel6Layer0Collision();
}

void MyLevelFactory::BuildLevel6Layer1()
{
    CreateLayerObjects(6, 1);
    LoadLevel6Layer1Collision();
}

void MyLevelFactory::BuildLevel6Layer2()
{
    CreateLayerObjects(6, 2);
    LoadLevel6Layer2Collision();
}

void MyLevelFactory::LoadLevel0Layer0Collision()
{
    LoadLayerCollision(0, 0);
}

void MyLevelFactory::LoadLevel0Layer1Collision()
{
    LoadLayerCollision(0, 1);
}

void MyLevelFactory::LoadLevel0Layer2Collision()
{
    LoadLayerCollision(0, 2);
}

void MyLevelFactory::LoadLevel1Layer0Collision()
{
    LoadLayerCollision(1, 0);
}

void MyLevelFactory::LoadLevel1Layer1Collision()
{
    LoadLayerCollision(1, 1);
}

void MyLevelFactory::LoadLevel1Layer2Collision()
{
    LoadLayerCollision(1, 2);
}

void MyLevelFactory::LoadLevel2Layer0Collision()
{
    LoadLayerCollision(2, 0);
}

void MyLevelFactory::LoadLevel2Layer1Collision()
{
    LoadLayerCollision(2, 1);
}

void MyLevelFactory::LoadLevel2Layer2Collision()
{
    LoadLayerCollision(2, 2);
}

void MyLevelFactory::LoadLevel3Layer0Collision()
{
    LoadLayerCollision(3, 0);
}

void MyLevelFactory::LoadLevel3Layer1Collision()
{
    LoadLayerCollision(3, 1);
}

void MyLevelFactory::LoadLevel3Layer2Collision()
{
    LoadLayerCollision(3, 2);
}

void MyLevelFactory::LoadLevel4Layer0Collision()
{
    LoadLayerCollision(4, 0);
}

void MyLevelFactory::LoadLevel4Layer1Collision()
{
    LoadLayerCollision(4, 1);
}

void MyLevelFactory::LoadLevel4Layer2Collision()
{
    LoadLayerCollision(4, 2);
}

void MyLevelFactory::LoadLevel5Layer0Collision()
{
    LoadLayerCollision(5, 0);
}

void MyLevelFactory::LoadLevel5Layer1Collision()
{
    LoadLayerCollision(5, 1);
}

void MyLevelFactory::LoadLevel5Layer2Collision()
{
    LoadLayerCollision(5, 2);
}

void MyLevelFactory::LoadLevel6Layer0Collision()
{
    LoadLayerCollision(6, 0);
}

void MyLevelFactory::LoadLevel6Layer1Collision()
{
    LoadLayerCollision(6, 1);
}

void MyLevelFactory::LoadLevel6Layer2Collision()
{
    LoadLayerCollision(6, 2);
}
