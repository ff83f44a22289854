#include "renderer/Renderer_Pass.h"

#include <typeinfo>

namespace Renderer
{
Pass* Pass::Clone() const
{
    Pass* copy = new (__FILE__, __LINE__) Pass();
    try
    {
        for (const Core::RefPtr<State>& state : states)
        {
            const Core::RefPtr<State> clone(state->Clone());
            copy->states.push_back(clone);
        }
    }
    catch (...)
    {
        delete copy;
        throw;
    }
    return copy;
}

u32 Pass::AddState(State* state)
{
    for (u32 i = 0; i < states.size(); ++i)
    {
        const State& present = *states[i];
        if (typeid(present) == typeid(*state))
        {
            states[i] = state;
            return i;
        }
    }
    states.emplace_back(state);
    return static_cast<u32>(states.size() - 1);
}

void Pass::Apply() const
{
    const Core::RefPtr<IRenderer> renderer = GetRenderer();
    if (!renderer)
    {
        return;
    }
    for (const Core::RefPtr<State>& state : states)
    {
        state->Apply(*renderer);
    }
}
}  // namespace Renderer
