#include "tests/framework/script/Framework_ScriptTest.h"

#include "framework/drawables/Vellumar_Camera.h"
#include "framework/drawables/Vellumar_Text.h"

namespace
{
Vellumar::Camera* watchedCamera = nullptr;
Vellumar::Text* watchedText = nullptr;
Core::Vector<Core::RefPtr<Core::Object>>* kept = nullptr;

const luaL_Reg Answers[] = {
    {"expected_fov", [](lua_State* s) { return Lua::PushNumber(s, watchedCamera->GetFieldOfView()); }},
    {"expected_text", [](lua_State* s) { return Lua::PushString(s, watchedText->GetText()); }},
    // The script's copies are held here, as a layer would hold them.
    {"expected_keep",
     [](lua_State* s) {
         kept->push_back(Lua::ToObject<Core::Object>(s, 1));
         return 0;
     }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsDriveCamerasAndTexts)
{
    MakeGame(1);
    factory->builders[0] = [](Vellumar::Level& level) { level.AddLayer(new Vellumar::Layer(0)); };
    Start();
    Vellumar::Layer* layer = game->GetCurrentLevel()->GetLayer(0u);
    auto* camera = new Vellumar::Camera();
    camera->SetName("eye");
    auto* label = new Vellumar::Text("score");
    layer->AddGameObject(camera);
    layer->AddGameObject(label);
    RunFrame();
    watchedCamera = camera;
    watchedText = label;
    Core::Vector<Core::RefPtr<Core::Object>> copies;
    kept = &copies;
    SetGlobals({{"camera", camera}, {"label", label}});
    Register(Answers);

    EXPECT_EQ(RunTestScript(master, "Framework_CameraText.lua"), "");
    EXPECT_EQ(copies.size(), 2u);
}
} // namespace
