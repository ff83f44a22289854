#pragma once
// Connections to the X display straight through Xlib, kept apart from the test code because the X
// headers define macros (None, Bool) that clash with GoogleTest.

// Opens and closes `each` connections to the display DISPLAY names on each of `clients` threads at
// once, and returns how many could not be opened.
int FailedConnections(int clients, int each);
