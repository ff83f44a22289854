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
        // One float past the last row: the sweeps copy a row's halves as four floats each.
        jacobian.assign(6 * std::size_t(rows) + 1, 0.0f);
        scaled.assign(6 * std::size_t(rows) + 1, 0.0f);
        records.clear();
        records.resize(rows);
        for (Core::Vector<float>* array : {&target, &regularizer, &diagonal, &rightHandSide, &lower, &upper, &lambda})
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
        // M⁻¹ Jᵀ is written whole by every solve before it is read.
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

    // One pass over the rows for everything that reads a row alone: its accumulator slots, its
    // right-hand side, regulariser, M⁻¹ Jᵀ, and its scaling. A row whose body has no slot (never the
    // case inside the engine's passes) accumulates into a scratch slot instead.
    float scratch[6] = {};
    const float inverseStep = SimulationInverseStep;
    for (u32 i = 0; i < n; ++i)
    {
        const RigidBody* body1 = records[i].body1;
        const RigidBody* body2 = records[i].body2;
        float* slot1 = body1 ? body1->GetAccumulator() : nullptr;
        float* slot2 = body2 ? body2->GetAccumulator() : nullptr;
        rowAccumulators[2 * i] = slot1 ? slot1 : scratch;
        rowAccumulators[2 * i + 1] = slot2 ? slot2 : scratch + 3;

        float* j = &jacobian[6 * std::size_t(i)];
        if (positionPass)
        {
            rightHandSide[i] = inverseStep * target[i];
        }
        else
        {
            float free[6];
            FreeAcceleration(body1, inverseStep, free);
            FreeAcceleration(body2, inverseStep, free + 3);
            rightHandSide[i] = inverseStep * target[i] - Dot6(j, free);
        }
        regularizer[i] = inverseStep * regularizer[i];

        float pattern[6];
        InverseMassPattern(body1, pattern);
        InverseMassPattern(body2, pattern + 3);
        float* b = &scaled[6 * std::size_t(i)];
        for (int k = 0; k < 6; ++k)
            b[k] = pattern[k] * j[k];

        const float s = Dot6(j, b) + regularizer[i];
        const float d = s == 0.0f ? 0.0f : relaxation / s;
        for (int k = 0; k < 6; ++k)
            j[k] = d * j[k];
        rightHandSide[i] = d * rightHandSide[i];
        diagonal[i] = regularizer[i] * d;
    }

    if (warmStart)
    {
        for (u32 i = 0; i < n; ++i)
            lambda[i] = WarmStartFactor * lambda[i];
        for (u32 i = 0; i < n; ++i)
        {
            const float* b = &scaled[6 * std::size_t(i)];
            float* a1 = rowAccumulators[2 * i];
            float* a2 = rowAccumulators[2 * i + 1];
            for (int k = 0; k < 3; ++k)
            {
                a1[k] += lambda[i] * b[k];
                a2[k] += lambda[i] * b[3 + k];
            }
        }
    }
    else
    {
        std::fill_n(lambda.begin(), n, 0.0f);
    }

    const SweepRows prepared{n,
                             jacobian.data(),
                             scaled.data(),
                             rightHandSide.data(),
                             diagonal.data(),
                             records.data(),
                             rowAccumulators.data(),
                             lambda.data(),
                             lower.data(),
                             upper.data(),
                             accumulators.data(),
                             u32(accumulators.size() / 3)};
    if (iterations > 0 && !sweeps.Run(prepared, iterations))
        SweepInOrder();
}

void ConstraintSolver::SweepInOrder()
{
    const u32 n = rowCount;
    for (u32 iteration = 0; iteration < iterations; ++iteration)
    {
        for (u32 i = 0; i < n; ++i)
        {
            const float* j = &jacobian[6 * std::size_t(i)];
            const float* b = &scaled[6 * std::size_t(i)];
            float* a1 = rowAccumulators[2 * i];
            float* a2 = rowAccumulators[2 * i + 1];

            float delta = rightHandSide[i] - lambda[i] * diagonal[i];
            delta = delta - (j[0] * a1[0] + j[1] * a1[1] + j[2] * a1[2]);
            delta = delta - (j[3] * a2[0] + j[4] * a2[1] + j[5] * a2[2]);

            const i32 normal = records[i].normalRow;
            if (normal >= 0 && u32(normal) < n)
            {
                upper[i] = lambda[normal] * records[i].friction;
                lower[i] = -upper[i];
            }

            const float candidate = lambda[i] + delta;
            if (candidate < lower[i])
            {
                delta = lower[i] - lambda[i];
                lambda[i] = lower[i];
            }
            else if (candidate > upper[i])
            {
                delta = upper[i] - lambda[i];
                lambda[i] = upper[i];
            }
            else
            {
                lambda[i] = candidate;
            }

            for (int k = 0; k < 3; ++k)
            {
                a1[k] += delta * b[k];
                a2[k] += delta * b[3 + k];
            }
        }
    }
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
