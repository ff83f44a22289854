#include "tests/framework/script/Framework_ScriptTest.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_Viewport.h"

namespace
{
using namespace FrameworkTest;

Vellumar::Level* currentLevel = nullptr;

int ManagedKept(lua_State* state)
{
    // The managed object is found by its name through the level's object lists only once it is
    // in a layer; here the test checks that the level took a reference.
    lua_pushboolean(state, currentLevel != nullptr);
    return 1;
}

Vellumar::Layer* groundLayer = nullptr;

int StaticShapes(lua_State* state)
{
    const Collision2D::CollisionLayer* layer =
        Vellumar::Game::GetInstance()->GetCollisionEngine()->GetLayer(groundLayer->GetCollisionId());
    lua_pushfstring(state, "%d %d", layer->GetCirclesNumber() - 1, layer->GetLineSegmentsNumber() - 1);
    return 1;
}

int NameOf(lua_State* state)
{
    const Vellumar::GameObject* object = Lua::ToObject<Vellumar::GameObject>(state, 1);
    lua_pushstring(state, object ? object->GetName().c_str() : "");
    return 1;
}

int ScriptName(lua_State* state)
{
    lua_pushstring(state, currentLevel->GetScriptName().c_str());
    return 1;
}

const Vellumar::Viewport* watchedViewport = nullptr;

int ViewportRectangle(lua_State* state)
{
    const Engine::Viewport& rectangle = *watchedViewport->GetEngineViewport();
    lua_pushfstring(state, "%d %d %d %d", rectangle.GetX(), rectangle.GetY(), rectangle.GetWidth(), rectangle.GetHeight());
    return 1;
}

TEST_F(FrameworkScriptTest, ScriptsDriveTheLevelItsLayersAndViewports)
{
    MakeGame(1);
    factory->builders[0] = [](Vellumar::Level& level) {
        auto* ground = new Vellumar::Layer(0);
        ground->SetName("ground");
        auto* sky = new Vellumar::Layer(1);
        sky->SetName("sky");
        level.AddLayer(ground);
        level.AddLayer(sky);
        for (const char* name : {"a", "b", "a"})
        {
            auto* object = new Vellumar::GameObject();
            object->SetName(name);
            ground->AddGameObject(object);
        }
        auto* viewport = new Vellumar::Viewport();
        viewport->SetName("main");
        level.AddViewport(viewport);
    };
    Start();
    Vellumar::Level* level = game->GetCurrentLevel();
    currentLevel = level;
    groundLayer = level->GetLayer(0u);
    Core::RefPtr<Vellumar::Viewport> otherViewport = new Vellumar::Viewport();
    Core::RefPtr<Vellumar::Layer> newLayer = new Vellumar::Layer(2);
    Core::RefPtr<Vellumar::GameObject> object = new Vellumar::GameObject();

    SetGlobal("level", level);
    SetGlobal("ground", level->GetLayer(0u));
    SetGlobal("sky", level->GetLayer(1u));
    SetGlobal("otherViewport", otherViewport.Get());
    SetGlobal("newLayer", newLayer.Get());
    SetGlobal("object", object.Get());
    lua_pushstring(master, level->GetName().c_str());
    lua_setglobal(master, "expected_level_name");
    Core::Vector<Vellumar::GameObject*> objects;
    level->GetGameObjects(objects);
    SetGlobalNumber("expected_object_count", static_cast<double>(objects.size()));
    SetGlobalNumber("expected_collision_id", level->GetLayer(0u)->GetCollisionId());
    lua_register(master, "expected_managed", &ManagedKept);
    lua_register(master, "expected_statics", &StaticShapes);
    lua_register(master, "expected_name_of", &NameOf);
    lua_register(master, "expected_script_name", &ScriptName);

    EXPECT_EQ(RunTestScript(master, "Framework_LevelLayer.lua"), "");

    watchedViewport = otherViewport.Get();
    Core::RefPtr<Vellumar::Camera> camera = new Vellumar::Camera();
    SetGlobal("camera", camera.Get());
    lua_register(master, "expected_rect", &ViewportRectangle);
    EXPECT_EQ(RunTestScript(master, "Framework_Viewport.lua"), "");
    EXPECT_EQ(otherViewport->GetCamera(), camera.Get());
    EXPECT_EQ(level->GetName(), "renamed");
    EXPECT_GT(object->GetReferenceCount(), 1u);
    RunFrame();
    EXPECT_EQ(object->GetLayer(), level->GetLayer(0u));
}

// A script names a static collision file relative to the resource folder. An absolute path and one
// that climbs out are refused, even where they name a readable file.
TEST_F(FrameworkScriptTest, AScriptReadsStaticCollisionFilesOnlyBelowTheResourceFolder)
{
    MakeGame(1);
    factory->builders[0] = [](Vellumar::Level& level) { level.AddLayer(new Vellumar::Layer(0)); };
    Start();
    groundLayer = game->GetCurrentLevel()->GetLayer(0u);
    const std::string name = "script_static.txt";
    const std::string file = scripts.WriteResource("Layers Collisions/" + name, "one segment\n1\n0,0,10,0,0,1\n0\n");
    SetGlobal("ground", groundLayer);
    lua_pushstring(master, file.c_str());
    lua_setglobal(master, "absolute");
    lua_pushstring(master, name.c_str());
    lua_setglobal(master, "name");
    lua_register(master, "statics", &StaticShapes);

    EXPECT_EQ(luaL_dostring(master, "ground:ReadInformation_StaticCollision(absolute)\n"
                                    "ground:ReadInformation_StaticCollision('\\\\' .. name)\n"
                                    "ground:ReadInformation_StaticCollision('Layers Collisions\\\\..\\\\Layers "
                                    "Collisions\\\\' .. name)\n"
                                    "assert(statics() == '0 0')\n"
                                    "ground:ReadInformation_StaticCollision('Layers Collisions\\\\' .. name)\n"
                                    "assert(statics() == '0 1')"),
              0)
        << lua_tostring(master, -1);
}
} // namespace
