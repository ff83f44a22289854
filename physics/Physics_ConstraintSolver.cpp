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
using Lanes = ConstraintSweeps::Lanes;

// A body's M⁻¹ pattern (inverse mass, inverse mass, inverse inertia) and its unconstrained
// acceleration (M⁻¹ F + h⁻¹ v), which the velocity pass corrects; zeros for no body. Lane products
// and sums are the scalar ones, float for float.
struct BodyTerms
{
    Lanes inverseMass;
    Lanes free;
};

BodyTerms TermsOf(const RigidBody* body, float inverseStep, bool withFree)
{
    if (!body)
        return BodyTerms{Lanes{0.0f, 0.0f, 0.0f, 0.0f}, Lanes{0.0f, 0.0f, 0.0f, 0.0f}};
    const MassProperties& mass = body->GetMassProperties();
    const Lanes inverseMass{mass.GetInverseMass(), mass.GetInverseMass(), mass.GetInverseInertia(), 0.0f};
    if (!withFree)
        return BodyTerms{inverseMass, Lanes{0.0f, 0.0f, 0.0f, 0.0f}};
    const Lanes force{body->GetForceSum().x, body->GetForceSum().y, body->GetTorqueSum(), 0.0f};
    const Lanes velocity{body->GetVelocity().x, body->GetVelocity().y, body->GetAngularVelocityRadians(), 0.0f};
    const Lanes step{inverseStep, inverseStep, inverseStep, 0.0f};
    return BodyTerms{inverseMass, inverseMass * force + step * velocity};
}

// Sum of the six products of two six-float rows, given a side at a time, in entry order, each
// partial sum a float.
float Dot6(const Lanes& a1, const Lanes& a2, const Lanes& b1, const Lanes& b2)
{
    const Lanes p = a1 * b1;
    const Lanes q = a2 * b2;
    float sum = 0.0f;
    sum += p[0];
    sum += p[1];
    sum += p[2];
    sum += q[0];
    sum += q[1];
    sum += q[2];
    return sum;
}
} // namespace

void ConstraintSolver::ClearRows(u32 first, u32 count)
{
    std::fill_n(jacobian.begin() + 6 * std::size_t(first), 6 * std::size_t(count), 0.0f);
    for (Core::Vector<float>* array : {&target, &regularizer, &lower, &upper})
        std::fill_n(array->begin() + first, count, 0.0f);
}

void ConstraintSolver::Resize(u32 rows, u32 bodies, bool clearRows)
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
        if (clearRows)
            ClearRows(0, rows);
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
    // A body's terms and slot stay as they are through the pass; a contact's rows follow each other
    // with the same two bodies, so each side keeps those of the body it had last.
    const bool withFree = !positionPass;
    struct Side
    {
        const RigidBody* body;
        BodyTerms terms;
        float* slot;
        u32 index;
        bool indexed;
    };
    auto sideOf = [&](const RigidBody* body, float* spare) {
        float* slot = body ? body->GetAccumulator() : nullptr;
        Side side{body, TermsOf(body, inverseStep, withFree), slot ? slot : spare, 0, false};
        side.indexed = sweeps.SlotIndex(side.slot, side.index);
        return side;
    };
    Side side1 = sideOf(nullptr, scratch);
    Side side2 = sideOf(nullptr, scratch + 3);
    for (u32 i = 0; i < n; ++i)
    {
        const RigidBody* body1 = records[i].body1;
        const RigidBody* body2 = records[i].body2;
        if (body1 != side1.body)
            side1 = sideOf(body1, scratch);
        if (body2 != side2.body)
            side2 = sideOf(body2, scratch + 3);
        const BodyTerms& terms1 = side1.terms;
        const BodyTerms& terms2 = side2.terms;
        float* a1 = side1.slot;
        float* a2 = side2.slot;
        rowAccumulators[2 * i] = a1;
        rowAccumulators[2 * i + 1] = a2;

        const float* j = &jacobian[6 * std::size_t(i)];
        const Lanes j1{j[0], j[1], j[2], 0.0f};
        const Lanes j2{j[3], j[4], j[5], 0.0f};
        const float rightHandSide = positionPass ? inverseStep * target[i]
                                                 : inverseStep * target[i] - Dot6(j1, j2, terms1.free, terms2.free);
        const float regularized = inverseStep * regularizer[i];

        const Lanes b1 = terms1.inverseMass * j1;
        const Lanes b2 = terms2.inverseMass * j2;
        const float s = Dot6(j1, j2, b1, b2) + regularized;
        const float d = s == 0.0f ? 0.0f : relaxation / s;
        const Lanes scale{d, d, d, 0.0f};

        if (warmStart)
        {
            lambda[i] = WarmStartFactor * lambda[i];
            for (int k = 0; k < 3; ++k)
            {
                a1[k] += lambda[i] * b1[k];
                a2[k] += lambda[i] * b2[k];
            }
        }
        else
        {
            lambda[i] = 0.0f;
        }
        sweeps.Stage(i, side1.index, side2.index, side1.indexed && side2.indexed, scale * j1, scale * j2, b1, b2,
                     d * rightHandSide, regularized * d);
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
