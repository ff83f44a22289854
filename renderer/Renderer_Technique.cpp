#include "renderer/Renderer_Technique.h"

#include <algorithm>
#include <typeindex>
#include <typeinfo>

namespace Renderer
{
namespace
{
std::type_index ClassOf(const Core::RefPtr<State>& state)
{
    const State& object = *state;
    return std::type_index(typeid(object));
}
}  // namespace

Technique* Technique::Clone() const
{
    Technique* copy = new (__FILE__, __LINE__) Technique();
    try
    {
        for (const Core::RefPtr<Pass>& pass : passes)
        {
            const Core::RefPtr<Pass> clone(pass->Clone());
            copy->passes.push_back(clone);
        }
        for (const Core::RefPtr<State>& state : savedStates)
        {
            const Core::RefPtr<State> clone(state->Clone());
            copy->savedStates.push_back(clone);
        }
    }
    catch (...)
    {
        delete copy;
        throw;
    }
    return copy;
}

void Technique::AddPass(Pass* pass)
{
    passes.emplace_back(pass);
}

void Technique::SortPassStates()
{
    for (const Core::RefPtr<Pass>& pass : passes)
    {
        for (u32 i = 0; i < pass->GetStateCount(); ++i)
        {
            const Core::RefPtr<State> saved(pass->GetState(i)->Clone());
            saved->SetDefault();
            savedStates.push_back(saved);
            std::stable_sort(savedStates.begin(), savedStates.end(),
                             [](const Core::RefPtr<State>& a, const Core::RefPtr<State>& b) {
                                 return ClassOf(a) < ClassOf(b);
                             });
            savedStates.erase(std::unique(savedStates.begin(), savedStates.end(),
                                          [](const Core::RefPtr<State>& a, const Core::RefPtr<State>& b) {
                                              return ClassOf(a) == ClassOf(b);
                                          }),
                              savedStates.end());
        }
    }
}

void Technique::SaveStates()
{
    const Core::RefPtr<IRenderer> renderer = GetRenderer();
    if (!renderer)
    {
        return;
    }
    for (const Core::RefPtr<State>& state : savedStates)
    {
        state->Capture(*renderer);
    }
}

void Technique::RestoreStates() const
{
    const Core::RefPtr<IRenderer> renderer = GetRenderer();
    if (!renderer)
    {
        return;
    }
    for (const Core::RefPtr<State>& state : savedStates)
    {
        state->Apply(*renderer);
    }
}
}  // namespace Renderer
