#include "platform/PAL_MessageBox.h"

#include "platform/PAL_SDL.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace PAL
{
namespace
{
// A button as the box shows it: its label and the engine flag it reports (0 for Abort).
struct BoxButton
{
    const char* label;
    u32 flag;
};

// A box's buttons in display order; the first is the default. At most three.
struct BoxLayout
{
    BoxButton buttons[3];
    int count;
};

constexpr u32 AbortFlag = 0;

BoxLayout LayoutFor(u32 buttons)
{
    using B = MessageBoxButton;
    switch (buttons)
    {
    case B::Ok + B::Cancel:
        return {{{"OK", B::Ok}, {"Cancel", B::Cancel}}, 2};
    case B::Retry + B::Ignore:
        return {{{"Abort", AbortFlag}, {"Retry", B::Retry}, {"Ignore", B::Ignore}}, 3};
    case B::Yes + B::No + B::Cancel:
        return {{{"Yes", B::Yes}, {"No", B::No}, {"Cancel", B::Cancel}}, 3};
    case B::Yes + B::No:
        return {{{"Yes", B::Yes}, {"No", B::No}}, 2};
    case B::Retry + B::Cancel:
        return {{{"Retry", B::Retry}, {"Cancel", B::Cancel}}, 2};
    case B::TryAgain + B::Continue + B::Cancel:
        return {{{"Cancel", B::Cancel}, {"Try Again", B::TryAgain}, {"Continue", B::Continue}}, 3};
    default:
        return {{{"OK", B::Ok}}, 1};
    }
}

Uint32 IconFlags(i32 kind)
{
    switch (kind)
    {
    case MessageBoxKind::Information:
    case MessageBoxKind::Question:
        return SDL_MESSAGEBOX_INFORMATION;
    case MessageBoxKind::Warning:
        return SDL_MESSAGEBOX_WARNING;
    case MessageBoxKind::Error:
        return SDL_MESSAGEBOX_ERROR;
    default:
        return 0;
    }
}

bool MayBlock()
{
    return std::getenv("MORVANE_NO_MESSAGE_BOX") == nullptr && StartVideo();
}

// The box on screen. False when SDL could not show it.
bool ShowOnScreen(const Core::String& title, const Core::String& text, i32 kind, const BoxLayout& layout,
                  u32& pressed)
{
    SDL_MessageBoxButtonData data[3] = {};
    int escapeButton = -1;
    for (int i = 0; i < layout.count; ++i)
    {
        data[i].buttonid = i;
        data[i].text = layout.buttons[i].label;
        if (i == 0)
        {
            data[i].flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        }
        if (layout.buttons[i].flag == MessageBoxButton::Cancel || layout.count == 1)
        {
            data[i].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
            escapeButton = i;
        }
    }
    SDL_MessageBoxData box = {};
    box.flags = IconFlags(kind) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    box.title = title.c_str();
    box.message = text.c_str();
    box.numbuttons = layout.count;
    box.buttons = data;
    int chosen = -1;
    if (SDL_ShowMessageBox(&box, &chosen) != 0)
    {
        return false;
    }
    // Closing the box counts as its Cancel button, or as the default where it has none.
    if (chosen < 0 || chosen >= layout.count)
    {
        chosen = escapeButton >= 0 ? escapeButton : 0;
    }
    pressed = layout.buttons[chosen].flag;
    return true;
}
}  // namespace

u32 ShowMessageBox(const Core::String& title, const Core::String& text, i32 kind, u32 buttons)
{
    const BoxLayout layout = LayoutFor(buttons);
    u32 pressed = 0;
    if (MayBlock() && ShowOnScreen(title, text, kind, layout, pressed))
    {
        return pressed;
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    return layout.buttons[0].flag;
}
}  // namespace PAL
