#include "physics/Physics_ConstraintSolver.h"

#include "core/Core_File.h"
#include "physics/Physics_Globals.h"
#include "physics/Physics_RigidBody.h"

#include <algorithm>

namespace Physics2D
{
namespace
{
constexpr float WarmStartFactor = 0.9f;

// The six entries of a row's M⁻¹ pattern: inverse mass, inverse mass, inverse inertia per body.
void InverseMassPattern(const RigidBody* body, float* out)
{
    if (!body)
    {
        out[0] = out[1] = out[2] = 0.0f;
        return;
    }
    const MassProperties& mass = body->GetMassProperties();
    out[0] = mass.GetInverseMass();
    out[1] = mass.GetInverseMass();
    out[2] = mass.GetInverseInertia();
}

// (M⁻¹ F + h⁻¹ v) of one body, the unconstrained acceleration that the velocity pass corrects.
void FreeAcceleration(const RigidBody* body, float inverseStep, float* out)
{
    if (!body)
    {
        out[0] = out[1] = out[2] = 0.0f;
        return;
    }
    const MassProperties& mass = body->GetMassProperties();
    out[0] = mass.GetInverseMass() * body->GetForceSum().x + inverseStep * body->GetVelocity().x;
    out[1] = mass.GetInverseMass() * body->GetForceSum().y + inverseStep * body->GetVelocity().y;
    out[2] = mass.GetInverseInertia() * body->GetTorqueSum() + inverseStep * body->GetAngularVelocityRadians();
}

// Sum of six products in entry order, each partial sum a float.
float Dot6(const float* a, const float* b)
{
    float sum = 0.0f;
    for (int k = 0; k < 6; ++k)
        sum += a[k] * b[k];
    return sum;
}
} // namespace

void ConstraintSolver::Resize(u32 rows, u32 bodies)
{
    rowCount = rows;
    if (rows > rowCapacity)
    {
        rowCapacity = rows;
        jacobian.assign(6 * std::size_t(rows), 0.0f);
        records.clear();
        records.resize(rows);
        for (Core::Vector<float>* array : {&target, &regularizer, &lower, &upper, &lambda})
            array->assign(rows, 0.0f);
        rowAccumulators.assign(2 * std::size_t(rows), nullptr);
    }
    bodyCount = bodies;
    if (bodies > bodyCapacity)
    {
        bodyCapacity = bodies;
        accumulators.assign(3 * std::size_t(bodies), 0.0f);
    }
    if (rows > 0)
    {
        std::fill_n(jacobian.begin(), 6 * std::size_t(rows), 0.0f);
        for (Core::Vector<float>* array : {&target, &regularizer, &lower, &upper})
            std::fill_n(array->begin(), rows, 0.0f);
        for (u32 i = 0; i < rows; ++i)
        {
            records[i].normalRow = -1;
            records[i].friction = 0.0f;
        }
    }
    if (bodies > 0)
        std::fill(accumulators.begin(), accumulators.end(), 0.0f);
}

void ConstraintSolver::SetIterations(u32 count)
{
    iterations = std::min(count, MaximumIterations);
}

void ConstraintSolver::SetPositionPass(bool value)
{
    positionPass = value;
    PositionPass = value;
}

void ConstraintSolver::Solve()
{
    const u32 n = rowCount;
    if (n == 0)
        return;

    // One pass over the rows, in row order, for everything that reads a row alone: its accumulator
    // slots, right-hand side, regulariser, M⁻¹ Jᵀ and scaling, and its warm start (which adds only
    // to its own bodies' accumulators, in row order as a pass of its own would). A row whose body has
    // no slot (never the case inside the engine's passes) accumulates into a scratch slot instead.
    float scratch[6] = {};
    const float inverseStep = SimulationInverseStep;
    sweeps.Begin(SweepRows{n, records.data(), rowAccumulators.data(), lambda.data(), lower.data(), upper.data(),
                           accumulators.data(), u32(accumulators.size() / 3)});
    for (u32 i = 0; i < n; ++i)
    {
        const RigidBody* body1 = records[i].body1;
        const RigidBody* body2 = records[i].body2;
        float* slot1 = body1 ? body1->GetAccumulator() : nullptr;
        float* slot2 = body2 ? body2->GetAccumulator() : nullptr;
        float* a1 = slot1 ? slot1 : scratch;
        float* a2 = slot2 ? slot2 : scratch + 3;
        rowAccumulators[2 * i] = a1;
        rowAccumulators[2 * i + 1] = a2;

        const float* j = &jacobian[6 * std::size_t(i)];
        float rightHandSide;
        if (positionPass)
        {
            rightHandSide = inverseStep * target[i];
        }
        else
        {
            float free[6];
            FreeAcceleration(body1, inverseStep, free);
            FreeAcceleration(body2, inverseStep, free + 3);
            rightHandSide = inverseStep * target[i] - Dot6(j, free);
        }
        const float regularized = inverseStep * regularizer[i];

        float pattern[6];
        InverseMassPattern(body1, pattern);
        InverseMassPattern(body2, pattern + 3);
        float b[6];
        for (int k = 0; k < 6; ++k)
            b[k] = pattern[k] * j[k];

        const float s = Dot6(j, b) + regularized;
        const float d = s == 0.0f ? 0.0f : relaxation / s;
        float scaledJacobian[6];
        for (int k = 0; k < 6; ++k)
            scaledJacobian[k] = d * j[k];

        if (warmStart)
        {
            lambda[i] = WarmStartFactor * lambda[i];
            for (int k = 0; k < 3; ++k)
            {
                a1[k] += lambda[i] * b[k];
                a2[k] += lambda[i] * b[3 + k];
            }
        }
        else
        {
            lambda[i] = 0.0f;
        }
        sweeps.Stage(i, scaledJacobian, b, d * rightHandSide, regularized * d);
    }

    if (iterations > 0 && !sweeps.Run(iterations))
        sweeps.SweepInRowOrder(iterations);
}

void ConstraintSolver::Save(Core::File& file) const
{
    Core::WriteU32(file, iterations);
    Core::WriteU8(file, warmStart ? 1 : 0);
    Core::WriteF32(file, relaxation);
}

void ConstraintSolver::Load(Core::File& file)
{
    u32 count = 0;
    u8 flag = 0;
    Core::ReadU32(file, count);
    Core::ReadU8(file, flag);
    Core::ReadF32(file, relaxation);
    SetIterations(count);
    warmStart = flag != 0;
}
} // namespace Physics2D
