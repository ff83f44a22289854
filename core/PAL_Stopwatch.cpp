#include "core/PAL_Stopwatch.h"

#include "core/PAL_Clock.h"

namespace PAL
{
void Stopwatch::Start()
{
    if (running)
        return;
    running = 1;
    if (paused)
        paused = 0;
    else
        start = Engine::GetTime();
}

void Stopwatch::Reset()
{
    running = 0;
    paused = 0;
    start = 0.0;
    stop = 0.0;
}

f64 Stopwatch::GetElapsed() const
{
    return running ? Engine::GetTime() - start : stop - start;
}
} // namespace PAL
