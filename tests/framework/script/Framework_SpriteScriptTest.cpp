#include "tests/framework/script/Framework_ScriptTest.h"

#include "script/Lua_Stack.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "tests/engine/Engine_SceneTestSupport.h"

namespace
{
using namespace FrameworkTest;
using Vellumar::Sprite;
using Vellumar::SpriteAnimation;

Sprite* watched = nullptr;
const Vellumar::Viewport* watchedViewport = nullptr;
Core::Vector<Core::RefPtr<Core::Object>>* kept = nullptr;

const luaL_Reg Answers[] = {
    {"expected_frame_width", [](lua_State* s) { return Lua::PushNumber(s, watched->GetFrameWidth(Lua::CheckInteger(s, 1))); }},
    {"expected_frame_height", [](lua_State* s) { return Lua::PushNumber(s, watched->GetFrameHeight(Lua::CheckInteger(s, 1))); }},
    {"expected_current_delay", [](lua_State* s) { return Lua::PushNumber(s, watched->GetCurrentFrameDelay()); }},
    {"expected_end", [](lua_State* s) { return Lua::PushBoolean(s, watched->IsEndOfAnimation()); }},
    {"expected_speed", [](lua_State* s) { return Lua::PushNumber(s, watched->GetAnimationSpeed()); }},
    {"expected_in_viewport", [](lua_State* s) { return Lua::PushBoolean(s, watched->IsInViewport(watchedViewport)); }},
    {"expected_actor_index", [](lua_State* s) { return Lua::PushNumber(s, watched->GetCollisionActorIndex()); }},
    // The script's copy is held here, as a layer would hold it.
    {"expected_keep",
     [](lua_State* s) {
         kept->push_back(Lua::ToObject<Core::Object>(s, 1));
         return 0;
     }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsDriveSpritesAndTheirAnimations)
{
    Core::RefPtr<Renderer::ITexture> sheet = new SceneTest::FakeTexture(90, 64, "Walk.png");
    Core::RefPtr<SpriteAnimation> walk = new SpriteAnimation(sheet.Get(), 3, 2, Core::Vector<f32>{0.1f, 0.1f, 0.1f});
    walk->SetName("walk");
    Core::RefPtr<SpriteAnimation> jump = new SpriteAnimation(sheet.Get(), 2, 1, Core::Vector<f32>{0.2f, 0.3f});
    jump->SetName("jump");
    MakeGame(1);
    factory->builders[0] = [](Vellumar::Level& level) {
        level.AddLayer(new Vellumar::Layer(0));
        auto* camera = new Vellumar::Camera();
        level.GetLayer(0u)->AddGameObject(camera);
        auto* viewport = new Vellumar::Viewport(0, 0, 320, 240);
        viewport->SetCamera(camera);
        level.AddViewport(viewport);
    };
    Start();
    Vellumar::Level* level = game->GetCurrentLevel();
    auto* sprite = new Sprite(Core::Vector<SpriteAnimation*>{walk.Get(), jump.Get()});
    sprite->SetName("runner");
    level->GetLayer(0u)->AddGameObject(sprite);
    RunFrame();
    watched = sprite;
    watchedViewport = level->GetViewport(0u);
    Core::Vector<Core::RefPtr<Core::Object>> copies;
    kept = &copies;

    SetGlobals({{"sprite", sprite}, {"walk", walk.Get()}, {"viewport", level->GetViewport(0u)}});
    Register(Answers);

    EXPECT_EQ(RunTestScript(master, "Framework_Sprite.lua"), "");
    EXPECT_EQ(walk->GetName(), "stride");
    EXPECT_EQ(copies.size(), 1u);
}
} // namespace
