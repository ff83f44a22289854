#include "game/MyGame_MyGame.h"

#include "platform/Input_Mouse.h"
#include "game/MyGame_MyLevelFactory.h"
#include "game/MyGame_OptionsMenuClass.h"
#include "physics/Physics_PhysicsEngine.h"

namespace
{
// "No archetype started yet" for the kinds whose spawners test for it.
constexpr u32 NoArchetype = 0xFFFFFFFFu;

const char* const SoundFiles[] = {
    "\\Resources\\Sounds\\CannonFire.ogg",
    "\\Resources\\Sounds\\smallmobdestroy.ogg",
    "\\Resources\\Sounds\\ChainLightning.ogg",
    "\\Resources\\Sounds\\NormalHit.ogg",
    "\\Resources\\Sounds\\bgm.ogg",
    "\\Resources\\Sounds\\Fire_Tower_Effect.ogg",
    "\\Resources\\Sounds\\Lightning_Tower_Effect.ogg",
    "\\Resources\\Sounds\\Ice_Tower_Effect.ogg",
    "\\Resources\\Sounds\\Build_Tower_Effect.ogg",
    "\\Resources\\Sounds\\Cant_Build_Tower_Effect.ogg",
    "\\Resources\\Sounds\\Menu_BGM.ogg",
    "\\Resources\\Sounds\\Hover_Effect.ogg",
    "\\Resources\\Sounds\\Start_Level.ogg",
    "\\Resources\\Sounds\\FireAoE.ogg",
    "\\Resources\\Sounds\\Heal.ogg",
    "\\Resources\\Sounds\\IceAOE.ogg",
    "\\Resources\\Sounds\\Shield.ogg",
    "\\Resources\\Sounds\\CityHit.ogg",
    "\\Resources\\Sounds\\BossBGM.ogg",
    "\\Resources\\Sounds\\Criticalhit.ogg",
};
}  // namespace

MyGame::MyGame(Vellumar::LevelFactory* factory, const Engine::ApplicationSettings& settings, u32 startingLevel,
               Engine::RendererFactory createRenderer, Input::Source& input)
    : Vellumar::Game(factory, settings, startingLevel, createRenderer, input)
{
    SetFrameRate(60.0);
    SetRateLock(1);
    SetMasterVolume(1.0f);
    GetPhysicsEngine()->SetScale(15.0f);
    GetPhysicsEngine()->SetAccuracy(150);
    SetTitle("MyGame");
    SetIcon(GetDirectory() + "\\Resources\\GameIcon\\GameIcon.ico");
}

void MyGame::OnStart()
{
    mouseX = 0.0f;
    mouseY = 0.0f;
    halfWidth = static_cast<i16>(GetResolutionWidth() / 2);
    halfHeight = static_cast<i16>(GetResolutionHeight() / 2);
    waveFileName = "0";
    fullScreen = 1;
    introPending = 1;
    menusVisited = 0;
    LoadSoundTable();
    SetTitle("Morvane");
    musicVolume = 1.0f;
    soundVolume = 1.0f;
    musicKnobX = OptionsMenuClass::KnobStart;
    soundKnobX = OptionsMenuClass::KnobStart;
    running = 1;
    enemyMotion = 1;
    basicArchetypeId = NoArchetype;
    bigBossBodyArchetypeId = NoArchetype;
    bigBossHeadArchetypeId = NoArchetype;
    bigBossArmsArchetypeId = NoArchetype;
    bigBossBottomArchetypeId = NoArchetype;
    bigBossEggsArchetypeId = NoArchetype;
}

void MyGame::LoadSoundTable()
{
    for (const char* file : SoundFiles)
        soundTable.push_back(GetDirectory() + file);
}

void MyGame::PreLevelUpdate(f32)
{
    mouseX = static_cast<f32>(GetMouse()->GetPositionX() - halfWidth);
    mouseY = static_cast<f32>(GetMouse()->GetPositionY() - halfHeight);
    buttonPress = 0;
    if (GetMouse()->IsTriggered(0))
    {
        pressWait = GetMouse()->IsMoved() ? 2 : 0;
        buttonPress = pressWait == 0 ? 1 : 0;
    }
    else if (pressWait > 0)
    {
        --pressWait;
        buttonPress = pressWait == 0 ? 1 : 0;
    }
    SetFullScreen(fullScreen);
}

bool MyGame::AllowContact(Vellumar::GameObject*, Vellumar::GameObject*, f32*, f32*)
{
    return true;
}

MyGame* GetGame()
{
    return dynamic_cast<MyGame*>(Vellumar::Game::GetInstance());
}

void CreateGame(Core::RefPtr<Engine::Application>& game, const char*)
{
    Engine::ApplicationSettings settings;
    settings.width = 1024;
    settings.height = 768;
    settings.refreshRate = 85;
    settings.samples = 0;
    settings.fullScreen = 0;
    settings.verticalSync = 1;
    game = new (__FILE__, __LINE__) MyGame(new (__FILE__, __LINE__) MyLevelFactory(), settings, 1);
}
