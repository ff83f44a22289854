#include "tests/platform/PAL_X11Connections.h"

#include <X11/Xlib.h>

#include <atomic>
#include <thread>
#include <vector>

int FailedConnections(int clients, int each)
{
    std::atomic<int> failed{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < clients; ++i)
    {
        // Each thread owns its connections, so Xlib needs no locking of its own.
        threads.emplace_back([&] {
            for (int k = 0; k < each; ++k)
            {
                Display* display = XOpenDisplay(nullptr);
                if (display)
                    XCloseDisplay(display);
                else
                    ++failed;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    return failed.load();
}
