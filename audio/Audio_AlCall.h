#pragma once

#include <AL/al.h>

namespace Audio
{
    // Runs one OpenAL call between two alGetError reads: the first clears whatever an earlier call
    // left pending, so the second tells exactly whether this call failed.
    template <typename Call>
    bool AlCall(Call&& call)
    {
        alGetError();
        call();
        return alGetError() == AL_NO_ERROR;
    }
}
