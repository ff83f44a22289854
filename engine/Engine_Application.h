#pragma once
// The abstract application whose virtual frame operations the engine main drives, and the display
// configuration the game's creation function fills for the rendering application.
#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace Engine
{
struct ApplicationSettings
{
    i32 width = 0;         // client width of the window in pixels
    i32 height = 0;        // client height in pixels
    i32 refreshRate = 0;   // full-screen refresh rate in hertz
    i32 samples = 0;       // multisample count; 0 asks for none
    u8 fullScreen = 0;     // start in full screen
    u8 verticalSync = 0;   // synchronise buffer swaps with the display
};

class Application : public Core::Object
{
public:
    // Becomes the process-wide application.
    Application();
    ~Application() override = 0;

    // The process-wide application; null when none lives.
    static Application* GetInstance();

    // Posts the quit message: the main loop ends once the frame in progress is over. A non-zero
    // exit code marks the run as failed; a later plain quit does not clear it.
    void Quit(i32 exitCode = 0);
    // What the engine main returns: 0, or the last non-zero code given to Quit.
    i32 GetExitCode() const { return exitCode; }

    // One pass of the main loop calls these three in order; each does nothing here.
    virtual void BeginFrame();
    virtual void Update();
    virtual void EndFrame();
    // Called once after the main loop ends.
    virtual void Shutdown();

private:
    i32 exitCode = 0;
};
}  // namespace Engine
