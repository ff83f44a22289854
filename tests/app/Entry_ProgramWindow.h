#pragma once
// Whether the program of that process id shows its window on the display (by default the test's).
#include <cstdlib>
#include <string>

#include <sys/types.h>

// xdotool matches any one condition unless told otherwise: without --all, another test's window
// titled Morvane would count as this program's, and a signal sent on seeing it could come before the
// program handles signals.
inline bool WindowShown(pid_t program, const std::string& display = "")
{
    const std::string command = (display.empty() ? "" : "DISPLAY=" + display + " ") + "xdotool search --all --onlyvisible --pid " + std::to_string(program) + " --name '^Morvane$' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}
