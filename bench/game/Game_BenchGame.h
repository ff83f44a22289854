#pragma once
// The whole game for benchmarks: the game's own level factory and content, stepped one main-loop
// pass at a time on a fake clock at 60 frames a second, drawn either by the recording renderer
// (the simulation alone) or by OpenGL into a window, which needs a display. The mouse sits where
// the benchmark puts it; no key or button is pressed.
#include "core/Input_Source.h"
#include "core/PAL_Clock.h"
#include "game/MyGame_MyGame.h"

class BaseLevelClass;

namespace GameBench
{
class BenchInput final : public Input::Source
{
public:
    void SampleKeys(u8 (&keys)[Input::VirtualKeyCount]) override;
    bool IsCapsLockOn() override { return false; }
    bool IsNumLockOn() override { return false; }
    void GetCursor(i32& x, i32& y) override;
    void SetCursor(i32 x, i32 y) override;
    u8 SampleButtons() override { return buttons; }
    void ShowCursor(bool show) override { cursorShown = show; }
    bool IsCursorShown() override { return cursorShown; }
    // Every window is the whole 1024 x 768 screen.
    bool GetClientArea(PAL::WindowHandle window, Input::ClientArea& area) override;

    i32 cursorX = 512;
    i32 cursorY = 384;
    u8 buttons = 0;
    bool cursorShown = true;
};

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
    BaseLevelClass& Level();

private:
    PAL::ScopedFakeClock clock{1000.0};
    BenchInput input;
    Drawing drawing;
    Core::RefPtr<MyGame> game;
};
}  // namespace GameBench
