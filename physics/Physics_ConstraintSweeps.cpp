#include "physics/Physics_ConstraintSweeps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// The iterations of the solver visit the rows in row order, and each visit reads and writes only its
// own multiplier (and, for a friction row, its normal row's), its bounds and the accumulators of its
// two bodies. Any order that keeps, for every body, its rows in row order, and puts a friction row
// after a normal row that precedes it (and before one that follows it), therefore computes the same
// floats as the row order. Rows are given levels (one past the latest level of a row they must
// follow) and swept level by level: rows of one level share no body, so the processor overlaps them
// instead of waiting for each sum of the one before.
//
// An accumulator to which every row adds only zeros (M⁻¹ Jᵀ zero on that side, as for the static
// body) never changes while every applied step is finite: x + ±0 is x for any x but −0, and the
// accumulators start at +0 and only ever receive sums, which never make −0 from +0. Its rows need
// not wait for each other, and each such row side works on a copy of its own. A step that is not
// finite (which would have made such an accumulator NaN) is detected and the sweeps' results are
// dropped, for the solver to sweep in row order instead.
namespace Physics2D
{
bool ConstraintSweeps::SlotIndex(const SweepRows& rows, const float* slot, u32& index)
{
    const auto first = reinterpret_cast<std::uintptr_t>(rows.accumulators);
    const auto at = reinterpret_cast<std::uintptr_t>(slot);
    if (at < first || at >= first + 3 * std::size_t(rows.accumulatorBodies) * sizeof(float))
        return false;
    const std::uintptr_t offset = (at - first) / sizeof(float);
    if (offset % 3 != 0)
        return false;
    index = u32(offset / 3);
    return true;
}

void ConstraintSweeps::Order(u32 n)
{
    bodyLevel.assign(bodyPinned.size(), 0);
    rowLevel.assign(n, 0);
    pinnedSides = 0;
    u32 levels = 0;
    for (u32 i = 0; i < n; ++i)
    {
        const u32 body1 = rowBodies[2 * i];
        const u32 body2 = rowBodies[2 * i + 1];
        pinnedSides += bodyPinned[body1] + bodyPinned[body2];
        u32 level = rowLevel[i];
        const i32 normal = rowNormals[i];
        if (normal >= 0 && u32(normal) < i)
            level = std::max(level, rowLevel[normal] + 1);
        if (!bodyPinned[body1])
            level = std::max(level, bodyLevel[body1]);
        if (!bodyPinned[body2])
            level = std::max(level, bodyLevel[body2]);
        rowLevel[i] = level;
        if (!bodyPinned[body1])
            bodyLevel[body1] = level + 1;
        if (!bodyPinned[body2])
            bodyLevel[body2] = level + 1;
        if (normal >= 0 && u32(normal) > i)
            rowLevel[normal] = std::max(rowLevel[normal], level + 1);
        levels = std::max(levels, level + 1);
    }

    levelStart.assign(levels + 1, 0);
    for (u32 i = 0; i < n; ++i)
        ++levelStart[rowLevel[i] + 1];
    for (u32 level = 0; level < levels; ++level)
        levelStart[level + 1] += levelStart[level];
    order.resize(n);
    for (u32 i = 0; i < n; ++i)
    {
        const u32 position = levelStart[rowLevel[i]]++;
        order[position] = i;
        rowLevel[i] = position;
    }
}

bool ConstraintSweeps::Schedule(const SweepRows& rows)
{
    const u32 n = rows.count;
    const u32 bodies = rows.accumulatorBodies;
    bodyPinned.assign(bodies, 1);
    rowBodies.resize(2 * std::size_t(n));
    rowNormals.resize(n);
    for (u32 i = 0; i < n; ++i)
    {
        for (u32 side = 0; side < 2; ++side)
        {
            u32& body = rowBodies[2 * i + side];
            if (!SlotIndex(rows, rows.rowAccumulators[2 * i + side], body))
                return false;
            const float* b = rows.scaled + 6 * std::size_t(i) + 3 * side;
            if (b[0] != 0.0f || b[1] != 0.0f || b[2] != 0.0f)
                bodyPinned[body] = 0;
        }
        if (rowBodies[2 * i] == rowBodies[2 * i + 1])
            return false;
        const i32 normal = rows.records[i].normalRow;
        rowNormals[i] = normal >= 0 && u32(normal) < n ? normal : -1;
    }
    // The order depends on nothing else: a pass over the same rows as the pass before (the velocity
    // pass after a position pass without joints) keeps it.
    if (rowBodies != orderedBodies || rowNormals != orderedNormals || bodyPinned != orderedPinned)
    {
        Order(n);
        orderedBodies = rowBodies;
        orderedNormals = rowNormals;
        orderedPinned = bodyPinned;
    }

    slots.resize(bodies + pinnedSides);
    for (u32 body = 0; body < bodies; ++body)
    {
        const float* accumulator = rows.accumulators + 3 * std::size_t(body);
        slots[body].value = Lanes{accumulator[0], accumulator[1], accumulator[2], 0.0f};
    }
    u32 nextCopy = bodies;
    auto slotOf = [&](u32 body) {
        if (!bodyPinned[body])
            return &slots[body];
        slots[nextCopy] = slots[body];
        return &slots[nextCopy++];
    };
    // A row's three entries and the next float, that float then cleared (the arrays hold one more).
    auto lanes = [](const float* three) {
        Lanes value;
        std::memcpy(&value, three, sizeof value);
        value[3] = 0.0f;
        return value;
    };
    sweepRows.resize(n);
    lambda.resize(n);
    for (u32 position = 0; position < n; ++position)
    {
        const u32 i = order[position];
        Row& row = sweepRows[position];
        const float* j = rows.jacobian + 6 * std::size_t(i);
        const float* b = rows.scaled + 6 * std::size_t(i);
        row.jacobian1 = lanes(j);
        row.jacobian2 = lanes(j + 3);
        row.scaled1 = lanes(b);
        row.scaled2 = lanes(b + 3);
        row.rightHandSide = rows.rightHandSide[i];
        row.diagonal = rows.diagonal[i];
        row.friction = rows.records[i].friction;
        row.normal = rowNormals[i] >= 0 ? i32(rowLevel[rowNormals[i]]) : -1;
        row.slot1 = slotOf(rowBodies[2 * i]);
        row.slot2 = slotOf(rowBodies[2 * i + 1]);
        row.lower = rows.lower[i];
        row.upper = rows.upper[i];
        lambda[position] = rows.lambda[i];
    }
    return true;
}

bool ConstraintSweeps::Sweep(u32 n, u32 iterations)
{
    Row* rows = sweepRows.data();
    float* lambdas = lambda.data();
    // finite - finite is 0; anything else makes the guard NaN for good.
    float guard = 0.0f;
    for (u32 iteration = 0; iteration < iterations; ++iteration)
    {
        for (u32 p = 0; p < n; ++p)
        {
            Row& row = rows[p];
            const Lanes a1 = row.slot1->value;
            const Lanes a2 = row.slot2->value;
            // Both sides' sums at once, each in the algorithm's order: lane 0 (u0 + u1) + u2 and
            // lane 1 (v0 + v1) + v2.
            const Lanes u = row.jacobian1 * a1;
            const Lanes v = row.jacobian2 * a2;
            const Lanes first = {u[0], v[0], u[1], v[1]};
            const Lanes second = {u[1], v[1], u[1], v[1]};
            const Lanes third = {u[2], v[2], u[3], v[3]};
            const Lanes sums = (first + second) + third;

            float delta = row.rightHandSide - lambdas[p] * row.diagonal;
            delta = delta - sums[0];
            delta = delta - sums[1];

            if (row.normal >= 0)
            {
                row.upper = lambdas[row.normal] * row.friction;
                row.lower = -row.upper;
            }

            const float candidate = lambdas[p] + delta;
            if (candidate < row.lower)
            {
                delta = row.lower - lambdas[p];
                lambdas[p] = row.lower;
            }
            else if (candidate > row.upper)
            {
                delta = row.upper - lambdas[p];
                lambdas[p] = row.upper;
            }
            else
            {
                lambdas[p] = candidate;
            }
            guard = guard + (delta - delta);

            row.slot1->value = a1 + delta * row.scaled1;
            row.slot2->value = a2 + delta * row.scaled2;
        }
    }
    return guard == 0.0f;
}

void ConstraintSweeps::Finish(const SweepRows& rows)
{
    for (u32 p = 0; p < rows.count; ++p)
    {
        const u32 i = order[p];
        rows.lambda[i] = lambda[p];
        rows.lower[i] = sweepRows[p].lower;
        rows.upper[i] = sweepRows[p].upper;
    }
    for (u32 body = 0; body < rows.accumulatorBodies; ++body)
    {
        if (bodyPinned[body])
            continue;
        float* accumulator = rows.accumulators + 3 * std::size_t(body);
        for (int k = 0; k < 3; ++k)
            accumulator[k] = slots[body].value[k];
    }
}

bool ConstraintSweeps::Run(const SweepRows& rows, u32 iterations)
{
    if (!Schedule(rows) || !Sweep(rows.count, iterations))
        return false;
    Finish(rows);
    return true;
}
} // namespace Physics2D
