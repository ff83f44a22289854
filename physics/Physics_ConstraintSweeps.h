#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "physics/Physics_ConstraintRow.h"

namespace Physics2D
{
// The constraint solver's rows once prepared for its iterations: Jacobians scaled by d and
// M⁻¹ Jᵀ (six floats a row), right-hand sides, regulariser × d, records, each row's two
// accumulator slots; the multipliers and bounds the iterations change; the accumulators, three
// floats a body.
struct SweepRows
{
    u32 count;
    const float* jacobian;
    const float* scaled;
    const float* rightHandSide;
    const float* diagonal;
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
// work, and the order of the last rows it saw, between passes.
class ConstraintSweeps
{
public:
    // False, with every multiplier, bound and accumulator as it was, where the sweeps cannot promise
    // the row order's floats (a row whose accumulator is not one of the given slots, a row with one
    // body on both sides, a step that is not finite); the caller then sweeps in row order.
    bool Run(const SweepRows& rows, u32 iterations);

private:
    // Three floats of a row side or an accumulator (x, y, angle) and a fourth that stays 0, handled
    // as one vector; stored without alignment, as the pool gives it.
    using Lanes = float __attribute__((vector_size(16), aligned(4)));

    // An accumulator as the sweeps work on it.
    struct Slot
    {
        Lanes value;
    };

    // One row as the sweeps read it: a copy of its solver data and the slots of its two sides.
    struct Row
    {
        Lanes jacobian1;
        Lanes jacobian2;
        Lanes scaled1;
        Lanes scaled2;
        float rightHandSide;
        float diagonal;
        float friction;
        i32 normal; // sweep position of the normal row, -1 for none
        Slot* slot1;
        Slot* slot2;
        float lower;
        float upper;
    };

    // Copies and orders the rows and the accumulators; false where Run gives up.
    bool Schedule(const SweepRows& rows);
    // Gives every row its sweep position (in rowLevel) and counts the pinned row sides.
    void Order(u32 count);
    bool Sweep(u32 count, u32 iterations);
    void Finish(const SweepRows& rows);
    // The body number of an accumulator slot; false for a pointer outside the accumulators.
    static bool SlotIndex(const SweepRows& rows, const float* slot, u32& index);

    Core::Vector<u32> rowBodies;  // per row: the body numbers of its two accumulator slots
    Core::Vector<i32> rowNormals; // per row: its normal row, -1 for none
    Core::Vector<u8> bodyPinned;  // per body: its accumulator cannot change during the sweeps
    // What the current order was made from.
    Core::Vector<u32> orderedBodies;
    Core::Vector<i32> orderedNormals;
    Core::Vector<u8> orderedPinned;
    u32 pinnedSides = 0;
    Core::Vector<u32> order;      // sweep position → row
    Core::Vector<u32> rowLevel;   // per row: its level, then its sweep position
    Core::Vector<u32> levelStart; // per level: its first sweep position
    Core::Vector<u32> bodyLevel;  // per body: the level after its last row so far
    Core::Vector<Row> sweepRows;
    Core::Vector<float> lambda;   // per sweep position
    Core::Vector<Slot> slots;     // the bodies' accumulators, then one copy per pinned row side
};
} // namespace Physics2D
