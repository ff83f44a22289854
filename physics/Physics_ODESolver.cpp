#include "physics/Physics_ODESolver.h"

#include "core/Core_File.h"
#include "physics/Physics_Stream.h"

#include <algorithm>

namespace Physics2D
{
CORE_REGISTER_CLASS(ODESolverEuler, "Physics2D::ODESolverEuler")
CORE_REGISTER_CLASS(ODESolverHeun, "Physics2D::ODESolverHeun")
CORE_REGISTER_CLASS(ODESolverRungeKuttaN4, "Physics2D::ODESolverRungeKuttaN4")

ODESolver::ODESolver(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user)
    : ODESolver(derivative, initialState, user, false)
{
}

ODESolver::ODESolver(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user, bool euler)
    : state(initialState), result(initialState), derivative(derivative), user(user), euler(euler)
{
}

void ODESolver::Bind(DerivativeFunction function, void* userPointer)
{
    derivative = function;
    user = userPointer;
}

void ODESolver::Evaluate(float at, const float* x, float* out)
{
    if (derivative)
        derivative(at, x, out, GetStateSize(), user);
    else
        std::fill(out, out + state.size(), 0.0f);
}

void ODESolver::Commit(float h)
{
    // The two almost always have one length: then an element copy, without a call.
    if (result.size() == state.size())
        std::copy(result.begin(), result.end(), state.begin());
    else
        state = result;
    AddTime(h);
}

void ODESolver::Save(Core::File& file)
{
    WriteFloatArray(file, state);
    WriteFloatArray(file, result);
    Core::WriteF32(file, time);
}

void ODESolver::Load(Core::File& file)
{
    ReadFloatArray(file, state);
    ReadFloatArray(file, result);
    Core::ReadF32(file, time);
    if (result.size() != state.size())
    {
        file.SetFailed();
        result.assign(state.size(), 0.0f);
    }
}

void ODESolver::LoadWork(Core::File& file, Core::Vector<float>& work)
{
    ReadFloatArray(file, work);
    if (work.size() != state.size())
    {
        file.SetFailed();
        SizeLike(work);
    }
}

ODESolverEuler::ODESolverEuler(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user)
    : ODESolver(derivative, initialState, user, true)
{
}

void ODESolverEuler::Step(float h)
{
    const float at = GetTime();
    Evaluate(at, state.data(), result.data());
    for (std::size_t i = 0; i < state.size(); ++i)
        result[i] = result[i] * h + state[i];
    Commit(h);
}

ODESolverHeun::ODESolverHeun(DerivativeFunction derivative, const Core::Vector<float>& initialState, void* user)
    : ODESolver(derivative, initialState, user)
{
    SizeLike(work);
}

void ODESolverHeun::Step(float h)
{
    const float at = GetTime();
    Evaluate(at, state.data(), result.data());
    for (std::size_t i = 0; i < state.size(); ++i)
        work[i] = result[i] * h + state[i];
    Evaluate(at + h, work.data(), work.data());
    const float half = h * 0.5f;
    for (std::size_t i = 0; i < state.size(); ++i)
        result[i] = (work[i] + result[i]) * half + state[i];
    Commit(h);
}

void ODESolverHeun::Save(Core::File& file)
{
    ODESolver::Save(file);
    WriteFloatArray(file, work);
}

void ODESolverHeun::Load(Core::File& file)
{
    ODESolver::Load(file);
    LoadWork(file, work);
}

ODESolverRungeKuttaN4::ODESolverRungeKuttaN4(DerivativeFunction derivative, const Core::Vector<float>& initialState,
                                             void* user)
    : ODESolver(derivative, initialState, user)
{
    SizeLike(k1);
    SizeLike(stage2);
    SizeLike(stage3);
    SizeLike(stage4);
}

void ODESolverRungeKuttaN4::Step(float h)
{
    const float at = GetTime();
    const float half = h * 0.5f;
    const std::size_t n = state.size();
    Evaluate(at, state.data(), k1.data());
    for (std::size_t i = 0; i < n; ++i)
        stage2[i] = k1[i] * half + state[i];
    Evaluate(at + half, stage2.data(), stage2.data());
    for (std::size_t i = 0; i < n; ++i)
        stage3[i] = stage2[i] * half + state[i];
    Evaluate(at + half, stage3.data(), stage3.data());
    for (std::size_t i = 0; i < n; ++i)
        stage4[i] = stage3[i] * h + state[i];
    Evaluate(at + h, stage4.data(), stage4.data());
    const float weight = h * 0.166667f;
    for (std::size_t i = 0; i < n; ++i)
        result[i] = (k1[i] + 2.0f * stage2[i] + 2.0f * stage3[i] + stage4[i]) * weight + state[i];
    Commit(h);
}

void ODESolverRungeKuttaN4::Save(Core::File& file)
{
    ODESolver::Save(file);
    WriteFloatArray(file, k1);
    WriteFloatArray(file, stage2);
    WriteFloatArray(file, stage3);
    WriteFloatArray(file, stage4);
}

void ODESolverRungeKuttaN4::Load(Core::File& file)
{
    ODESolver::Load(file);
    LoadWork(file, k1);
    LoadWork(file, stage2);
    LoadWork(file, stage3);
    LoadWork(file, stage4);
}
} // namespace Physics2D
