#pragma once
// The whole game for benchmarks: the game's own level factory and content, stepped one main-loop
// pass at a time on a fake clock at 60 frames a second, drawn either by the recording renderer
// (the simulation alone) or by OpenGL into a window, which needs a display. The mouse and the
// keyboard are scripted: the mouse reads a 1024 x 768 client area whatever the window.
#include "core/PAL_Clock.h"
#include "game/MyGame_MyGame.h"
#include "tests/support/Input_FakeSource.h"

class BaseLevelClass;

namespace GameBench
{
enum class Drawing
{
    Recording,
    OpenGL,
};

class BenchGame
{
public:
    explicit BenchGame(Drawing drawing);
    ~BenchGame();
    BenchGame(const BenchGame&) = delete;
    BenchGame& operator=(const BenchGame&) = delete;

    // False when OpenGL was asked for and no window could be made.
    bool IsReady() const { return game.Get() != nullptr; }

    // One pass of the main loop, 1/60 s of the fake clock.
    void Frame();
    void Frames(int count);
    // The play level with that wave file, its objects started and its fade-in over.
    void EnterAct(const char* waveFile);
    // The mouse at a point of the play screen, y up about its centre.
    void PointAt(f32 x, f32 y);

    MyGame& Game() { return *game; }
    FakeSource& Input() { return input; }
    BaseLevelClass& Level();

private:
    PAL::ScopedFakeClock clock{1000.0};
    FakeSource input;
    Drawing drawing;
    Core::RefPtr<MyGame> game;
};
}  // namespace GameBench
