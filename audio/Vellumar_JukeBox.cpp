#include "audio/Vellumar_JukeBox.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(JukeBox, "Vellumar::JukeBox")

void JukeBox::Update(f32 dt)
{
    if (musicOn)
    {
        elapsed += dt;
    }
}
}  // namespace Vellumar
