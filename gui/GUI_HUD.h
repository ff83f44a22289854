#pragma once
// The root of the GUI: the one HUD that the game creates before its engines, updates after the
// input devices every frame and draws after the level's viewports.
#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace GUI
{
class HUD : public Core::Base
{
public:
    // Becomes the HUD that GetInstance returns.
    HUD();
    ~HUD() override;
    HUD(const HUD&) = delete;
    HUD& operator=(const HUD&) = delete;

    // The HUD, or null while none lives.
    static HUD* GetInstance();

    // Keeps the system cursor hidden while the mouse is over the window and shown outside it.
    void Update(f32 dt);
    // Draws the GUI's screen objects of the frame through the render queue and empties their list.
    void Draw();
    // Back to the state of a new screen (a level switch or a load): the system cursor hidden, not
    // loading.
    void Clear();

    bool IsSystemCursorShown() const { return systemCursorShown != 0; }
    bool IsLoading() const { return loading != 0; }

protected:
    const char* GetScriptTypeName() const override { return "HUD"; }

private:
    u8 systemCursorShown = 0;
    u8 loading = 0;
};
}  // namespace GUI
