#pragma once
// The tower-defence game: the framework's game with the state that outlives a level (screen
// centre and mouse, display and volume settings, pause and enemy-motion flags, archetype ids,
// the chosen wave file, the intro flags and the sound files).
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "framework/core/Vellumar_Game.h"

class MyGame : public Vellumar::Game
{
public:
    MyGame(Vellumar::LevelFactory* factory, const Engine::ApplicationSettings& settings, u32 startingLevel,
           Engine::RendererFactory createRenderer = &Renderer::CreateOGLRenderer,
           Input::Source& input = Input::GetSystemSource());

    void OnStart() override;
    void PreLevelUpdate(f32 dt) override;
    // Every pair of bodies may touch, with the coefficients the caller set.
    bool AllowContact(Vellumar::GameObject* self, Vellumar::GameObject* other, f32* restitution, f32* friction) override;

    void LoadSoundTable();

    i16 halfWidth = 0;
    i16 halfHeight = 0;
    f32 mouseX = 0.0f;
    f32 mouseY = 0.0f;
    u8 fullScreen = 0;
    u16 running = 0;
    u16 enemyMotion = 0;
    u32 basicArchetypeId = 0;
    u32 lightArchetypeId = 0;
    u32 heavyArchetypeId = 0;
    u32 semiBossArchetypeId = 0;
    u32 semiBossArmArchetypeId = 0;
    u32 healerArchetypeId = 0;
    u32 shieldArchetypeId = 0;
    u32 shieldBitArchetypeId = 0;
    u32 bigBossBodyArchetypeId = 0;
    u32 bigBossHeadArchetypeId = 0;
    u32 bigBossArmsArchetypeId = 0;
    u32 bigBossBottomArchetypeId = 0;
    u32 bigBossEggsArchetypeId = 0;
    Core::String waveFileName;
    // Wave files are read from this folder, by default the Spawns resource folder; a test gives its
    // game a folder of its own to write wave files into.
    Core::String spawnsFolder = GetDirectory() + "\\Resources\\Spawns";
    u8 introPending = 0;
    u8 menusVisited = 0;
    Core::Vector<Core::String> soundTable;
    f32 musicVolume = 0.0f;
    f32 soundVolume = 0.0f;
    f32 musicKnobX = 0.0f;
    f32 soundKnobX = 0.0f;
    // The left button went down, for the controls that the cursor sprites touch. They see the
    // pointer through the collision step of the frame before, which sweeps each cursor from where
    // it was to where it went. A press that comes with the pointer's move (touch screens, remote
    // desktops) counts two frames later, once that step starts from where it went down; until then
    // it counts for nothing, so one click acts once.
    u8 buttonPress = 0;
    u8 pressWait = 0;
};

// The running game as the game's own class; null while no game of this class lives.
MyGame* GetGame();

// The game's creation function, which the program hands to the engine's main function: a windowed
// 1024 x 768 game whose first level is the main menu. The command line is ignored.
void CreateGame(Core::RefPtr<Engine::Application>& game, const char* commandLine);
