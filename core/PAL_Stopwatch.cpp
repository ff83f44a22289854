#include "core/PAL_Stopwatch.h"

#include "core/PAL_Clock.h"

namespace PAL
{
void Stopwatch::Start()
{
    if (running)
        return;
    running = true;
    start = Engine::GetTime();
}

void Stopwatch::Reset()
{
    running = false;
    start = 0.0;
}

f64 Stopwatch::GetElapsed() const
{
    return running ? Engine::GetTime() - start : 0.0;
}
} // namespace PAL
