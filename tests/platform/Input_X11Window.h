#pragma once
// The X window behind an SDL window, for tests that send it events. Kept apart from the test code
// because the X headers define macros (None, Bool) that clash with GoogleTest.
struct SDL_Window;

// 0 when the window is not an X11 window.
unsigned long X11WindowOf(SDL_Window* window);

// Asks the window to close the way a window manager does (WM_DELETE_WINDOW). False when the
// window is not an X11 window or the request could not be sent.
bool SendCloseRequest(SDL_Window* window);
