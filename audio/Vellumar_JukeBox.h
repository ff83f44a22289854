#pragma once
// A level's music player: the level updates it every frame and stops its music when it ends.
#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace Vellumar
{
class JukeBox : public Core::Object
{
    CORE_CLASS(JukeBox)

public:
    JukeBox() = default;

    // Advances the music by dt seconds.
    void Update(f32 dt);
    // Releases the current track.
    void StopMusic() { musicOn = 0; }
    bool IsMusicOn() const { return musicOn != 0; }

protected:
    const char* GetScriptTypeName() const override { return "JukeBox"; }

private:
    u8 musicOn = 0;
    f32 elapsed = 0.0f;
};
}  // namespace Vellumar
