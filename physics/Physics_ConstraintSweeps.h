#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "physics/Physics_ConstraintRow.h"

#include <cstdint>

namespace Physics2D
{
// What a pass of the constraint solver hands the sweeps, all in row order: each row's record and two
// accumulator slots, the multipliers and bounds the iterations change; and the accumulators, three
// floats a body.
struct SweepRows
{
    u32 count;
    const ConstraintRow* records;
    float* const* rowAccumulators;
    float* lambda;
    float* lower;
    float* upper;
    float* accumulators;
    u32 accumulatorBodies;
};

// Runs the solver's iterations in an order that gives the row order's floats bit for bit while the
// processor overlaps rows that share no body (the source says why the order may change). Keeps its
// work, and the order of the last rows it saw, between passes: rows staged in the same order as the
// pass before go straight to their sweep positions.
class ConstraintSweeps
{
public:
    // Three floats of a row side or an accumulator (x, y, angle) and a fourth that stays 0, handled
    // as one vector; stored without alignment, as the pool gives it.
    using Lanes = float __attribute__((vector_size(16), aligned(4)));

    // Opens a pass over the rows; each row is then staged once, in row order, and the pass run.
    void Begin(const SweepRows& rows);
    // The body number of an accumulator slot; false for a pointer outside the accumulators.
    bool SlotIndex(const float* slot, u32& index) const;
    // Row i's prepared data: the body numbers of its accumulator slots (false for indexed where a
    // slot has none), its Jacobian scaled by d and its M⁻¹ Jᵀ (one Lanes a side), its right-hand
    // side scaled by d and its regulariser × d. Its record, multiplier and bounds are read from the
    // pass's rows as they are now.
    void Stage(u32 i, u32 body1, u32 body2, bool indexed, const Lanes& jacobian1, const Lanes& jacobian2,
               const Lanes& scaled1, const Lanes& scaled2, float rightHandSide, float diagonal);
    // False, with every multiplier, bound and accumulator of the pass as it was, where the sweeps
    // cannot promise the row order's floats (a row whose accumulator is not one of the given slots,
    // a row with one body on both sides, a step that is not finite on a pinned side).
    bool Run(u32 iterations);
    // The iterations in row order, as the algorithm states them, on the staged rows and the pass's
    // own multipliers, bounds and accumulator slots.
    void SweepInRowOrder(u32 iterations);
    // Whether the sweeps use the processor's wide vector instructions where it has them (allowed by
    // default). Both ways give the same floats; tests turn them off to see that.
    static void SetWideVectors(bool allowed);
    static bool GetWideVectors();

private:
    // An accumulator as the sweeps work on it.
    struct Slot
    {
        Lanes value;
    };

    // One row as the sweeps read it: a copy of its solver data and the slots of its two sides. The
    // sums read only the first three lanes of a Jacobian side, so its fourth lanes carry the row's
    // bounds (a smaller row); the fourth lanes of M⁻¹ Jᵀ are 0, so the slots' stay 0.
    struct Row
    {
        Lanes jacobian1; // fourth lane: the lower bound
        Lanes jacobian2; // fourth lane: the upper bound
        Lanes scaled1;
        Lanes scaled2;
        float rightHandSide;
        float diagonal;
        float friction;
        i32 normal; // sweep position of the normal row, -1 for none
        Slot* slot1;
        Slot* slot2;
    };

    static constexpr u32 None = 0xFFFFFFFFu;
    // The iterations overlap where the levels hold fewer rows than this on average, and the visits
    // of all iterations are at most this many.
    static constexpr u32 NarrowLevelRows = 8;
    static constexpr std::size_t MaximumPipelinedVisits = std::size_t(1) << 22;

    // Orders the staged rows and their visits (anew where their bodies, normal rows or pinned bodies
    // or the iteration count changed) and gives the rows their accumulator copies.
    void Schedule(u32 iterations);
    // Gives every row its sweep position (in rowLevel).
    void Order(u32 count);
    // The rows' visits of all iterations, each as soon as the visits it depends on are done.
    void Pipeline(u32 count, u32 iterations);
    bool Sweep();
    // One visit's clamp: writes the row's multiplier (and a friction row's bound) and returns the
    // step its bodies take.
    static float Apply(const Row& row, u32 p, float delta, float* lambdas, float* bounds);
    // The visits of the given runs, with plain or with wide vector instructions.
    static void SweepVisits(const u32* run, const u32* runsEnd, const Row* rows, float* lambdas, float* bounds);
    static void SweepVisitsWide(const u32* run, const u32* runsEnd, const Row* rows, float* lambdas, float* bounds);
    void Finish();

    SweepRows pass{};
    bool schedulable = false;

    Core::Vector<u32> rowBodies;  // per row: the body numbers of its two accumulator slots
    Core::Vector<i32> rowNormals; // per row: its normal row, -1 for none
    Core::Vector<u8> bodyPinned;  // per body: its accumulator cannot change during the sweeps
    // The row sides (2 × row + side) that add nothing to their body: the first stillCount.
    Core::Vector<u32> stillSides;
    u32 stillCount = 0;
    // What the current order was made from.
    Core::Vector<u32> orderedBodies;
    Core::Vector<i32> orderedNormals;
    Core::Vector<u8> orderedPinned;
    u32 orderedIterations = 0;
    u32 orderLevels = 0;
    Core::Vector<u32> order;      // sweep position → row
    Core::Vector<u32> rowLevel;   // per row: its level, then its sweep position (where it is staged)
    Core::Vector<u32> stagedAt;   // per row: where it was staged, while the rows are reordered
    Core::Vector<u32> levelStart; // per level: its first sweep position, then its first visit
    Core::Vector<u32> bodyLevel;  // per body: the level after its last row (or visit) so far
    Core::Vector<Row> sweepRows;
    Core::Vector<Row> spareRows;  // the rows' former places while they are reordered
    // Every iteration's visits in order, as runs of sweep positions (first, one past the last).
    Core::Vector<u32> visits;
    // Work of the pipeline: per sweep position its normal row's position, its last visit's level and
    // the latest level of a visit that read its multiplier; per visit its level.
    Core::Vector<u32> normalPosition;
    Core::Vector<u32> visitedLevel;
    Core::Vector<u32> readLevel;
    Core::Vector<u32> visitLevel;
    Core::Vector<u32> visitOrder;
    Core::Vector<float> lambda;   // per sweep position
    Core::Vector<float> spareLambda;
    // Per sweep position: a friction row's upper bound as the sweeps last set it. Kept apart from
    // the rows so that the sweeps only read those.
    Core::Vector<float> frictionBound;
    u32 copyCount = 0; // pinned row sides of the pass, whose copies follow the bodies' slots
    // The bodies' accumulators, then one copy per pinned row side (room for every side, so that the
    // staged rows' slots stay put).
    Core::Vector<Slot> slots;
};

// Inline: the solver stages every row of every pass.
inline bool ConstraintSweeps::SlotIndex(const float* slot, u32& index) const
{
    // One unsigned comparison also refuses a pointer below the first slot.
    constexpr std::uintptr_t SlotBytes = 3 * sizeof(float);
    const std::uintptr_t bytes = reinterpret_cast<std::uintptr_t>(slot) - reinterpret_cast<std::uintptr_t>(pass.accumulators);
    if (bytes >= SlotBytes * pass.accumulatorBodies)
        return false;
    const std::uintptr_t body = bytes / SlotBytes;
    if (body * SlotBytes != bytes)
        return false;
    index = u32(body);
    return true;
}

inline void ConstraintSweeps::Stage(u32 i, u32 body1, u32 body2, bool indexed, const Lanes& jacobian1,
                                    const Lanes& jacobian2, const Lanes& scaled1, const Lanes& scaled2,
                                    float rightHandSide, float diagonal)
{
    Row& row = sweepRows[rowLevel[i]];
    if (indexed)
    {
        // A side whose M⁻¹ Jᵀ has a nonzero entry changes its body's accumulator.
        auto moves = [](const Lanes& b) { return b[0] != 0.0f || b[1] != 0.0f || b[2] != 0.0f; };
        row.slot1 = &slots[body1];
        row.slot2 = &slots[body2];
        if (moves(scaled1))
            bodyPinned[body1] = 0;
        else
            stillSides[stillCount++] = 2 * i;
        if (moves(scaled2))
            bodyPinned[body2] = 0;
        else
            stillSides[stillCount++] = 2 * i + 1;
    }
    else
    {
        schedulable = false;
        row.slot1 = nullptr;
        row.slot2 = nullptr;
    }
    rowBodies[2 * i] = body1;
    rowBodies[2 * i + 1] = body2;
    if (body1 == body2)
        schedulable = false;
    const ConstraintRow& record = pass.records[i];
    const i32 normal = record.normalRow >= 0 && u32(record.normalRow) < pass.count ? record.normalRow : -1;
    rowNormals[i] = normal;

    row.jacobian1 = jacobian1;
    row.jacobian2 = jacobian2;
    row.jacobian1[3] = pass.lower[i];
    row.jacobian2[3] = pass.upper[i];
    row.scaled1 = scaled1;
    row.scaled2 = scaled2;
    row.rightHandSide = rightHandSide;
    row.diagonal = diagonal;
    row.friction = record.friction;
    // Named by its sweep position in the order the rows are staged by (Schedule renames them where
    // the order changes).
    row.normal = normal >= 0 ? i32(rowLevel[u32(normal)]) : -1;
    lambda[rowLevel[i]] = pass.lambda[i];
}
} // namespace Physics2D
