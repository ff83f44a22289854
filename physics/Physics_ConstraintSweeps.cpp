#include "physics/Physics_ConstraintSweeps.h"

#include <algorithm>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

// The iterations of the solver visit the rows in row order, and each visit reads and writes only its
// own multiplier (and, for a friction row, its normal row's), its bounds and the accumulators of its
// two bodies. Any order that keeps, for every body, its rows in row order, and puts a friction row
// after a normal row that precedes it (and before one that follows it), therefore computes the same
// floats as the row order. Rows are given levels (one past the latest level of a row they must
// follow) and swept level by level: rows of one level share no body, so the processor overlaps them
// instead of waiting for each sum of the one before. Nor need the iterations wait for each other: a
// row is visited again as soon as the visits it depends on are done, so that a long chain of rows on
// a few bodies (old contacts piled on one stack) overlaps with the next iterations of the others
// instead of running alone at the end of each iteration.
//
// An accumulator to which every row adds only zeros (M⁻¹ Jᵀ zero on that side, as for the static
// body) never changes while every applied step is finite: x + ±0 is x for any x but −0, and the
// accumulators start at +0 and only ever receive sums, which never make −0 from +0. Its rows need
// not wait for each other, and each such row side works on a copy of its own. A step that is not
// finite (which would have made such an accumulator NaN) leaves its copy NaN; that is detected after
// the sweeps, whose results are then dropped for the solver to sweep in row order instead.
namespace Physics2D
{
void ConstraintSweeps::Order(u32 n)
{
    bodyLevel.assign(bodyPinned.size(), 0);
    rowLevel.assign(n, 0);
    u32 levels = 0;
    for (u32 i = 0; i < n; ++i)
    {
        const u32 body1 = rowBodies[2 * i];
        const u32 body2 = rowBodies[2 * i + 1];
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

    orderLevels = levels;
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

void ConstraintSweeps::Begin(const SweepRows& rows)
{
    pass = rows;
    schedulable = true;
    const u32 n = rows.count;
    bodyPinned.assign(rows.accumulatorBodies, 1);
    stillSides.resize(2 * std::size_t(n));
    stillCount = 0;
    rowBodies.resize(2 * std::size_t(n));
    rowNormals.resize(n);
    sweepRows.resize(n);
    lambda.resize(n);
    frictionBound.resize(n);
    slots.resize(rows.accumulatorBodies + 2 * std::size_t(n));
    // Rows are staged where the last order put them; without one for this many rows, in row order.
    if (rowLevel.size() != n)
    {
        rowLevel.resize(n);
        for (u32 i = 0; i < n; ++i)
            rowLevel[i] = i;
        orderedBodies.clear();
    }
}

void ConstraintSweeps::Pipeline(u32 n, u32 iterations)
{
    orderedIterations = iterations;
    visits.clear();
    // Overlapping the iterations pays where the levels are narrow (a chain of rows runs alone for
    // long); elsewhere the processor has enough to overlap within a level, and the iterations are
    // swept one after the other without working out their visits.
    if (std::size_t(n) >= std::size_t(NarrowLevelRows) * orderLevels ||
        std::size_t(n) * iterations > MaximumPipelinedVisits)
    {
        for (u32 iteration = 0; iteration < iterations; ++iteration)
        {
            visits.push_back(0);
            visits.push_back(n);
        }
        return;
    }

    // A visit's level is one past the latest level of a visit it must follow: the row's previous
    // visit, the latest visits of its bodies, the latest visit of its normal row, and the visits that
    // read its multiplier since its previous visit.
    normalPosition.resize(n);
    for (u32 p = 0; p < n; ++p)
    {
        const i32 normal = rowNormals[order[p]];
        normalPosition[p] = normal >= 0 ? rowLevel[u32(normal)] : None;
    }
    bodyLevel.assign(bodyPinned.size(), 0);
    visitedLevel.assign(n, None);
    readLevel.assign(n, None);
    visitLevel.resize(std::size_t(iterations) * n);
    auto after = [](u32 level, u32 other) { return other == None ? level : std::max(level, other + 1); };
    u32 levels = 0;
    for (u32 iteration = 0; iteration < iterations; ++iteration)
    {
        for (u32 p = 0; p < n; ++p)
        {
            const u32 row = order[p];
            const u32 body1 = rowBodies[2 * row];
            const u32 body2 = rowBodies[2 * row + 1];
            const u32 normal = normalPosition[p];
            u32 level = after(after(0, visitedLevel[p]), readLevel[p]);
            if (!bodyPinned[body1])
                level = std::max(level, bodyLevel[body1]);
            if (!bodyPinned[body2])
                level = std::max(level, bodyLevel[body2]);
            if (normal != None)
            {
                level = after(level, visitedLevel[normal]);
                readLevel[normal] = readLevel[normal] == None ? level : std::max(readLevel[normal], level);
            }
            if (!bodyPinned[body1])
                bodyLevel[body1] = level + 1;
            if (!bodyPinned[body2])
                bodyLevel[body2] = level + 1;
            visitedLevel[p] = level;
            visitLevel[std::size_t(iteration) * n + p] = level;
            levels = std::max(levels, level + 1);
        }
    }

    // The visits level by level, each level in iteration and sweep order.
    levelStart.assign(levels + 1, 0);
    for (u32 level : visitLevel)
        ++levelStart[level + 1];
    for (u32 level = 0; level < levels; ++level)
        levelStart[level + 1] += levelStart[level];
    visitOrder.resize(visitLevel.size());
    for (std::size_t visit = 0; visit < visitLevel.size(); ++visit)
        visitOrder[levelStart[visitLevel[visit]]++] = u32(visit % n);
    // As runs of consecutive sweep positions (a level of one iteration is mostly one run).
    for (std::size_t k = 0; k < visitOrder.size(); ++k)
    {
        const u32 p = visitOrder[k];
        if (!visits.empty() && visits.back() == p)
            ++visits.back();
        else
        {
            visits.push_back(p);
            visits.push_back(p + 1);
        }
    }
}

void ConstraintSweeps::Schedule(u32 iterations)
{
    const u32 n = pass.count;
    const u32 bodies = pass.accumulatorBodies;
    // The order depends on nothing else: rows like the pass before's (the velocity pass after a
    // position pass without joints, or the same contacts as the frame before) keep it.
    const bool reorder = rowBodies != orderedBodies || rowNormals != orderedNormals || bodyPinned != orderedPinned;
    if (reorder)
    {
        stagedAt = rowLevel;
        Order(n);
        orderedBodies = rowBodies;
        orderedNormals = rowNormals;
        orderedPinned = bodyPinned;
        spareRows.resize(n);
        spareLambda.resize(n);
        for (u32 i = 0; i < n; ++i)
        {
            spareRows[rowLevel[i]] = sweepRows[stagedAt[i]];
            spareLambda[rowLevel[i]] = lambda[stagedAt[i]];
        }
        sweepRows.swap(spareRows);
        lambda.swap(spareLambda);
        // Rows name their normal rows by sweep position, which were staged by the order before.
        for (u32 i = 0; i < n; ++i)
        {
            const i32 normal = rowNormals[i];
            sweepRows[rowLevel[i]].normal = normal >= 0 ? i32(rowLevel[u32(normal)]) : -1;
        }
    }
    if (reorder || iterations != orderedIterations)
        Pipeline(n, iterations);

    for (u32 body = 0; body < bodies; ++body)
    {
        const float* accumulator = pass.accumulators + 3 * std::size_t(body);
        slots[body].value = Lanes{accumulator[0], accumulator[1], accumulator[2], 0.0f};
    }
    // A pinned side works on a copy of its own. Only sides that add nothing to their body can be
    // pinned: the rows are not walked for them.
    u32 nextCopy = bodies;
    for (u32 k = 0; k < stillCount; ++k)
    {
        const u32 side = stillSides[k];
        if (!bodyPinned[rowBodies[side]])
            continue;
        Row& row = sweepRows[rowLevel[side / 2]];
        Slot*& slot = side % 2 == 0 ? row.slot1 : row.slot2;
        slots[nextCopy] = *slot;
        slot = &slots[nextCopy++];
    }
    copyCount = nextCopy - bodies;
}

inline float ConstraintSweeps::Apply(const Row& row, u32 p, float delta, float* lambdas, float* bounds)
{
    const float previous = lambdas[p];
    // A friction row keeps only its upper bound; its lower one is the negation.
    float lower = row.jacobian1[3];
    float upper = row.jacobian2[3];
    if (row.normal >= 0)
    {
        upper = lambdas[row.normal] * row.friction;
        lower = -upper;
        bounds[p] = upper;
    }

    const float candidate = previous + delta;
    if (candidate < lower)
    {
        lambdas[p] = lower;
        return lower - previous;
    }
    if (candidate > upper)
    {
        lambdas[p] = upper;
        return upper - previous;
    }
    lambdas[p] = candidate;
    return delta;
}

void ConstraintSweeps::SweepVisits(const u32* run, const u32* runsEnd, const Row* rows, float* lambdas, float* bounds)
{
    for (; run != runsEnd; run += 2)
    {
        for (u32 p = run[0]; p < run[1]; ++p)
        {
            const Row& row = rows[p];
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
            delta = Apply(row, p, delta, lambdas, bounds);

            row.slot1->value = a1 + delta * row.scaled1;
            row.slot2->value = a2 + delta * row.scaled2;
        }
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The same visits with both sides of a row in one eight-float vector: the same products and sums,
// lane for lane, in fewer instructions.
__attribute__((target("avx2"))) void ConstraintSweeps::SweepVisitsWide(const u32* run, const u32* runsEnd,
                                                                     const Row* rows, float* lambdas, float* bounds)
{
    using Wide = float __attribute__((vector_size(32), aligned(4), may_alias));
    static_assert(offsetof(Row, jacobian2) == offsetof(Row, jacobian1) + sizeof(Lanes) &&
                  offsetof(Row, scaled2) == offsetof(Row, scaled1) + sizeof(Lanes));
    for (; run != runsEnd; run += 2)
    {
        for (u32 p = run[0]; p < run[1]; ++p)
        {
            const Row& row = rows[p];
            Slot* slot1 = row.slot1;
            Slot* slot2 = row.slot2;
            // The second slot loads straight into the upper half.
            const __m128 low = _mm_loadu_ps(reinterpret_cast<const float*>(&slot1->value));
            const __m128 high = _mm_loadu_ps(reinterpret_cast<const float*>(&slot2->value));
            const Wide a = Wide(_mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1));
            // Lane 0 (u0 + u1) + u2, lane 4 (v0 + v1) + v2.
            const Wide products = *reinterpret_cast<const Wide*>(&row.jacobian1) * a;
            const Wide second = __builtin_shufflevector(products, products, 1, 1, 1, 1, 5, 5, 5, 5);
            const Wide third = __builtin_shufflevector(products, products, 2, 2, 2, 2, 6, 6, 6, 6);
            const Wide sums = (products + second) + third;

            float delta = row.rightHandSide - lambdas[p] * row.diagonal;
            delta = delta - sums[0];
            delta = delta - sums[4];
            delta = Apply(row, p, delta, lambdas, bounds);

            const Wide next = a + delta * *reinterpret_cast<const Wide*>(&row.scaled1);
            slot1->value = __builtin_shufflevector(next, next, 0, 1, 2, 3);
            slot2->value = Lanes(_mm256_extractf128_ps(__m256(next), 1));
        }
    }
}

namespace
{
bool HasWideVectors()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
} // namespace
#else
void ConstraintSweeps::SweepVisitsWide(const u32* run, const u32* runsEnd, const Row* rows, float* lambdas,
                                       float* bounds)
{
    SweepVisits(run, runsEnd, rows, lambdas, bounds);
}

namespace
{
bool HasWideVectors()
{
    return false;
}
} // namespace
#endif

namespace
{
bool wideVectors = true;
} // namespace

void ConstraintSweeps::SetWideVectors(bool allowed)
{
    wideVectors = allowed;
}

bool ConstraintSweeps::GetWideVectors()
{
    return wideVectors && HasWideVectors();
}

bool ConstraintSweeps::Sweep()
{
    if (GetWideVectors())
        SweepVisitsWide(visits.data(), visits.data() + visits.size(), sweepRows.data(), lambda.data(),
                        frictionBound.data());
    else
        SweepVisits(visits.data(), visits.data() + visits.size(), sweepRows.data(), lambda.data(),
                    frictionBound.data());
    // A pinned side's copy only ever gains δ × 0, which leaves it as it was unless a step was not
    // finite: then the copy is NaN, as the shared accumulator would have become in row order.
    const Slot* const copies = slots.data() + pass.accumulatorBodies;
    for (u32 k = 0; k < copyCount; ++k)
    {
        const Lanes& value = copies[k].value;
        if (!std::isfinite(value[0]) || !std::isfinite(value[1]) || !std::isfinite(value[2]))
            return false;
    }
    return true;
}

void ConstraintSweeps::Finish()
{
    for (u32 p = 0; p < pass.count; ++p)
    {
        const u32 i = order[p];
        pass.lambda[i] = lambda[p];
        // Only a friction row's bounds change in the sweeps.
        if (rowNormals[i] >= 0)
        {
            pass.lower[i] = -frictionBound[p];
            pass.upper[i] = frictionBound[p];
        }
    }
    for (u32 body = 0; body < pass.accumulatorBodies; ++body)
    {
        if (bodyPinned[body])
            continue;
        float* accumulator = pass.accumulators + 3 * std::size_t(body);
        for (int k = 0; k < 3; ++k)
            accumulator[k] = slots[body].value[k];
    }
}

bool ConstraintSweeps::Run(u32 iterations)
{
    if (!schedulable)
        return false;
    Schedule(iterations);
    if (!Sweep())
        return false;
    Finish();
    return true;
}

void ConstraintSweeps::SweepInRowOrder(u32 iterations)
{
    const u32 n = pass.count;
    float* lambdas = pass.lambda;
    for (u32 iteration = 0; iteration < iterations; ++iteration)
    {
        for (u32 i = 0; i < n; ++i)
        {
            const Row& row = sweepRows[rowLevel[i]];
            float* a1 = pass.rowAccumulators[2 * i];
            float* a2 = pass.rowAccumulators[2 * i + 1];

            float delta = row.rightHandSide - lambdas[i] * row.diagonal;
            delta = delta - (row.jacobian1[0] * a1[0] + row.jacobian1[1] * a1[1] + row.jacobian1[2] * a1[2]);
            delta = delta - (row.jacobian2[0] * a2[0] + row.jacobian2[1] * a2[1] + row.jacobian2[2] * a2[2]);

            const i32 normal = pass.records[i].normalRow;
            if (normal >= 0 && u32(normal) < n)
            {
                pass.upper[i] = lambdas[normal] * pass.records[i].friction;
                pass.lower[i] = -pass.upper[i];
            }

            const float candidate = lambdas[i] + delta;
            if (candidate < pass.lower[i])
            {
                delta = pass.lower[i] - lambdas[i];
                lambdas[i] = pass.lower[i];
            }
            else if (candidate > pass.upper[i])
            {
                delta = pass.upper[i] - lambdas[i];
                lambdas[i] = pass.upper[i];
            }
            else
            {
                lambdas[i] = candidate;
            }

            for (int k = 0; k < 3; ++k)
            {
                a1[k] += delta * row.scaled1[k];
                a2[k] += delta * row.scaled2[k];
            }
        }
    }
}
} // namespace Physics2D
