#pragma once
// One pass of a technique: render states applied in order, at most one of each concrete class.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "renderer/Renderer_State.h"

namespace Renderer
{
class Pass : public Core::Object
{
public:
    Pass() = default;

    Pass* Clone() const override;

    // A state of a class the pass already holds replaces that entry; otherwise it is appended.
    // Returns the state's position.
    u32 AddState(State* state);
    // The caller keeps index below GetStateCount.
    Core::RefPtr<State> GetState(u32 index) const { return states[index]; }
    u32 GetStateCount() const { return static_cast<u32>(states.size()); }
    // Applies every state, in order, on the process-wide renderer.
    void Apply() const;

private:
    Core::Vector<Core::RefPtr<State>> states;
};
}  // namespace Renderer
