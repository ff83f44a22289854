#include "tests/framework/script/Framework_ScriptTest.h"

#include "framework/sound/Vellumar_JukeBox.h"
#include "framework/sound/Vellumar_Sound.h"

namespace
{
Vellumar::Sound* watchedSound = nullptr;
Vellumar::JukeBox* watchedJukeBox = nullptr;
Core::Vector<Core::RefPtr<Core::Object>>* kept = nullptr;

const luaL_Reg Answers[] = {
    {"expected_intensity", [](lua_State* s) { return Lua::PushNumber(s, watchedSound->GetIntensity()); }},
    {"expected_looping", [](lua_State* s) { return Lua::PushBoolean(s, watchedSound->GetLooping()); }},
    {"expected_fade_time", [](lua_State* s) { return Lua::PushNumber(s, watchedJukeBox->GetFadeTime()); }},
    {"expected_playlist", [](lua_State* s) { return Lua::PushString(s, watchedJukeBox->GetCurrentPlaylist()->GetName()); }},
    // The jukebox's own update, as the level's update runs it.
    {"update_jukebox",
     [](lua_State*) {
         watchedJukeBox->Update(0.016f);
         return 0;
     }},
    // The script's copy is held here, as a layer would hold it.
    {"expected_keep",
     [](lua_State* s) {
         kept->push_back(Lua::ToObject<Core::Object>(s, 1));
         return 0;
     }},
    {nullptr, nullptr},
};

TEST_F(FrameworkScriptTest, ScriptsDriveSoundsAndTheJukeBox)
{
    MakeGame(1);
    factory->builders[0] = [](Vellumar::Level& level) { level.AddLayer(new Vellumar::Layer(0)); };
    Start();
    const Core::String folder = Vellumar::Game::GetDirectory() + "\\Resources\\Sounds\\";
    auto* sound = new Vellumar::Sound(folder + "Hover_Effect.ogg", Vellumar::Sound::NotPositional, 10.0f, false, 0.0f, false);
    game->GetCurrentLevel()->GetLayer(0u)->AddGameObject(sound);
    auto* jukeBox = new Vellumar::JukeBox();
    jukeBox->SetMusicFiles({folder + "Heal.ogg", folder + "Shield.ogg"});
    jukeBox->AddPlaylist("quiet");
    game->GetCurrentLevel()->SetJukeBox(jukeBox);
    RunFrame();
    watchedSound = sound;
    watchedJukeBox = jukeBox;
    Core::Vector<Core::RefPtr<Core::Object>> copies;
    kept = &copies;
    SetGlobals({{"sound", sound}, {"jukebox", jukeBox}});
    Register(Answers);

    EXPECT_EQ(RunTestScript(master, "Framework_Sound.lua"), "");
    EXPECT_EQ(copies.size(), 1u);
    EXPECT_TRUE(sound->IsPlaying());
}
} // namespace
