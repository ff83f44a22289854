#pragma once
// A render state: one kind of fixed-function pipeline state as a small counted value object. It
// knows which renderer operation sets its kind and which one reads it back, so that passes can
// apply a list of states and techniques can capture and restore them. Fields are public data:
// builders construct a state with its defaults and overwrite the few fields that differ.
#include "core/Core_Object.h"
#include "renderer/Renderer_IRenderer.h"

namespace Renderer
{
class State : public Core::Object
{
public:
    State() = default;
    State(const State& other) = default;
    State& operator=(const State& other) = default;

    // A new state of the same concrete class with the same values, unreferenced.
    State* Clone() const override = 0;

    // Hands the state to the renderer's set operation of its kind.
    virtual void Apply(IRenderer& renderer) const;
    // Fills the state from the renderer's get operation of its kind.
    virtual void Capture(IRenderer& renderer);
    // Puts the fields back to the class defaults.
    virtual void SetDefault();
};
}  // namespace Renderer
