#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace Core
{
class File;
}

namespace Physics2D
{
class RigidBody;

// The record of one solver row: its two bodies and, for a friction row, the row whose multiplier
// scales its bounds.
struct ConstraintRow
{
    Core::RefPtr<RigidBody> body1;
    Core::RefPtr<RigidBody> body2;
    i32 normalRow = -1; // block-relative while a joint fills it, global afterwards; -1 for none
    float friction = 0.0f;
};

// Where one joint writes its rows: the first row of each array. Row r's Jacobian is the six floats
// at jacobian + 6r (body 1 x, y, angle, body 2 x, y, angle).
struct RowBlock
{
    float* jacobian;
    float* target;
    float* regularizer;
    float* lower;
    float* upper;
    ConstraintRow* records;
};

// Projected Gauss-Seidel solver of the engine's rows. Per pass the engine sizes it, joints fill their
// rows, each constrained body gets a three-float accumulator, and Solve leaves the constraint
// accelerations (M⁻¹ Jᵀ λ) in the accumulators. Storage only grows and is reused between passes.
class ConstraintSolver
{
public:
    static constexpr u32 DefaultIterations = 75;
    // A stream or a caller cannot make one pass run longer than this many sweeps.
    static constexpr u32 MaximumIterations = 1000;

    ConstraintSolver() = default;
    ConstraintSolver(const ConstraintSolver&) = delete;
    ConstraintSolver& operator=(const ConstraintSolver&) = delete;

    // Sets the pass's row and body counts, growing storage as needed (growing the rows zeroes the
    // multipliers); zeroes the rows' Jacobians, targets, regularisers and bounds, resets their records,
    // and zeroes every accumulator.
    void Resize(u32 rows, u32 bodies);
    void Solve();

    RowBlock GetRowBlock(u32 firstRow)
    {
        return RowBlock{&jacobian[6 * std::size_t(firstRow)], &target[firstRow], &regularizer[firstRow],
                        &lower[firstRow],                     &upper[firstRow],  &records[firstRow]};
    }
    ConstraintRow& GetRecord(u32 row) { return records[row]; }
    float* GetAccumulator(u32 body) { return &accumulators[3 * std::size_t(body)]; }
    float GetMultiplier(u32 row) const { return lambda[row]; }
    float GetLowerBound(u32 row) const { return lower[row]; }
    float GetUpperBound(u32 row) const { return upper[row]; }
    u32 GetRowCount() const { return rowCount; }
    u32 GetRowCapacity() const { return rowCapacity; }
    u32 GetBodyCount() const { return bodyCount; }

    u32 GetIterations() const { return iterations; }
    // Clamped to MaximumIterations.
    void SetIterations(u32 count);
    bool GetWarmStart() const { return warmStart; }
    float GetRelaxation() const { return relaxation; }
    bool GetPositionPass() const { return positionPass; }
    // Sets the flag and its global copy PositionPass.
    void SetPositionPass(bool value);

    // Stream form: u32 iterations, u8 warm-start flag, f32 relaxation.
    void Save(Core::File& file) const;
    void Load(Core::File& file);

private:
    // Three floats of a row side or an accumulator (x, y, angle) and a fourth that stays 0, handled
    // as one vector; stored without alignment, as the pool gives it.
    using Lanes = float __attribute__((vector_size(16), aligned(4)));

    // An accumulator as the sweeps work on it.
    struct SweepSlot
    {
        Lanes value;
    };

    // One row as the scheduled sweeps read it: a copy of its solver data and the sweep slots of its
    // two sides.
    struct SweepRow
    {
        Lanes jacobian1;
        Lanes jacobian2;
        Lanes scaled1;
        Lanes scaled2;
        float rightHandSide;
        float diagonal;
        float friction;
        i32 normal; // sweep position of the normal row, -1 for none
        SweepSlot* slot1;
        SweepSlot* slot2;
        float lower;
        float upper;
    };

    // The sweeps in row order, as the algorithm states them.
    void SweepInOrder();
    // The same sweeps in an order that interleaves rows sharing no body, giving the same multipliers
    // and accumulators bit for bit; false (with the accumulators as they were) where it cannot
    // promise that, and the caller sweeps in row order instead.
    bool SweepScheduled();
    // Orders and copies the rows and the accumulators for SweepScheduled; false when a row's
    // accumulator is not one of the solver's slots, or both sides of a row share one.
    bool Schedule();
    // Gives every row its sweep position (in rowLevel) and counts the pinned row sides.
    void Order();
    // The body number of an accumulator slot of this solver; false for any other pointer.
    bool SlotIndex(const float* slot, u32& index) const;

    u32 iterations = DefaultIterations;
    bool warmStart = false;
    float relaxation = 1.0f;
    Core::Vector<float> jacobian; // 6 per row of capacity; scaled by d during a solve
    Core::Vector<float> scaled;   // 6 per row: M⁻¹ Jᵀ of the row
    u32 rowCount = 0;
    u32 rowCapacity = 0;
    Core::Vector<ConstraintRow> records;
    Core::Vector<float> target;
    Core::Vector<float> regularizer;
    Core::Vector<float> diagonal; // d, then regulariser × d
    Core::Vector<float> rightHandSide;
    Core::Vector<float> lower;
    Core::Vector<float> upper;
    Core::Vector<float> lambda;
    Core::Vector<float*> rowAccumulators; // the two bodies' slots of each row, found once per solve
    Core::Vector<float> accumulators;     // 3 per body of capacity
    // Work of the scheduled sweeps, reused between passes.
    Core::Vector<SweepRow> sweepRows;
    Core::Vector<u32> rowBodies;  // per row: the body numbers of its two accumulator slots
    Core::Vector<i32> rowNormals; // per row: its normal row, -1 for none
    // What the current order was made from.
    Core::Vector<u32> orderedBodies;
    Core::Vector<i32> orderedNormals;
    Core::Vector<u8> orderedPinned;
    u32 pinnedSides = 0;
    Core::Vector<u32> sweepOrder; // sweep position → row
    Core::Vector<u32> rowLevel;   // per row: its level, then its sweep position
    Core::Vector<u32> levelStart; // per level: its first sweep position
    Core::Vector<u32> bodyLevel;  // per body: the level after its last row so far
    Core::Vector<u8> bodyPinned;  // per body: its accumulator cannot change during the sweeps
    Core::Vector<float> sweepLambda;
    Core::Vector<SweepSlot> sweepSlots; // the bodies' accumulators, then one copy per pinned row side
    u32 bodyCount = 0;
    u32 bodyCapacity = 0;
    bool positionPass = false;
};
} // namespace Physics2D
