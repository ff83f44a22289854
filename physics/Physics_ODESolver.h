#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"

namespace Core
{
class File;
}

namespace Physics2D
{
// Writes the derivative of the given state at the given time into derivative (which may be the
// state itself). count is the state's length.
using DerivativeFunction = void (*)(float time, const float* state, float* derivative, u32 count, void* user);

// Integrator of one state vector. Invariant: the result and every work vector have the state's
// length. Without a derivative function the derivative is taken as zero.
class ODESolver : public Core::Object
{
public:
    ODESolver() = default;
    ODESolver(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user);

    // Advances the state and the time by h.
    virtual void Step(float h) = 0;

    Core::Vector<float>& GetState() { return state; }
    const Core::Vector<float>& GetState() const { return state; }
    u32 GetStateSize() const { return static_cast<u32>(state.size()); }
    float GetTime() const { return time; }
    void Bind(DerivativeFunction function, void* userPointer);
    bool IsBoundTo(DerivativeFunction function, const void* userPointer) const
    {
        return derivative == function && user == userPointer;
    }
    // True for explicit Euler, whose step its owner may take through ODESolverEuler::Advance.
    bool IsEuler() const { return euler; }

    // State, result, time; the derivative function and user pointer are not stored.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

protected:
    explicit ODESolver(bool euler) : euler(euler) {}
    ODESolver(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user, bool euler);

    void Evaluate(float at, const float* x, float* out);
    // Resizes a work vector to the state's length.
    void SizeLike(Core::Vector<float>& work) const { work.assign(state.size(), 0.0f); }
    // Reads one work vector, which must have the state's length; otherwise the stream fails.
    void LoadWork(Core::File& file, Core::Vector<float>& work);
    // Ends a step: the result becomes the state and the time moves on.
    void Commit(float h);
    void AddTime(float h) { time += h; }

    Core::Vector<float> state;
    Core::Vector<float> result;

private:
    DerivativeFunction derivative = nullptr;
    float time = 0.0f;
    void* user = nullptr;
    bool euler = false;
};

// Explicit Euler.
class ODESolverEuler : public ODESolver
{
    CORE_CLASS(ODESolverEuler)
public:
    ODESolverEuler() : ODESolver(true) {}
    ODESolverEuler(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user);
    Object* Clone() const override { return new ODESolverEuler(*this); }
    void Step(float h) override;
    // Step with the derivative already evaluated (three elements, the state's length), as Step
    // would have it evaluated: the owner that is the derivative saves the calls.
    void Advance(const float* slope, float h)
    {
        for (std::size_t i = 0; i < 3; ++i)
        {
            result[i] = slope[i] * h + state[i];
            state[i] = result[i];
        }
        AddTime(h);
    }
};

// Heun's method: the mean of the slopes at both ends of an Euler step.
class ODESolverHeun : public ODESolver
{
    CORE_CLASS(ODESolverHeun)
public:
    ODESolverHeun() = default;
    ODESolverHeun(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user);
    Object* Clone() const override { return new ODESolverHeun(*this); }
    void Step(float h) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

private:
    Core::Vector<float> work;
};

// Classical fourth-order Runge-Kutta with the single-precision weight 0.166667 (not 1/6).
class ODESolverRungeKuttaN4 : public ODESolver
{
    CORE_CLASS(ODESolverRungeKuttaN4)
public:
    ODESolverRungeKuttaN4() = default;
    ODESolverRungeKuttaN4(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user);
    Object* Clone() const override { return new ODESolverRungeKuttaN4(*this); }
    void Step(float h) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

private:
    Core::Vector<float> k1;
    Core::Vector<float> stage2; // y2, then k2
    Core::Vector<float> stage3; // y3, then k3
    Core::Vector<float> stage4; // y4, then k4
};
} // namespace Physics2D
