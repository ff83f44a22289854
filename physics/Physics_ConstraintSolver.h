#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "physics/Physics_ConstraintRow.h"
#include "physics/Physics_ConstraintSweeps.h"

namespace Core
{
class File;
}

namespace Physics2D
{
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
    // multipliers); zeroes the rows' Jacobians, targets, regularisers and bounds (unless clearRows is
    // false: the caller then fills or clears every row), resets their records, and zeroes every
    // accumulator.
    void Resize(u32 rows, u32 bodies, bool clearRows = true);
    // Zeroes the Jacobians, targets, regularisers and bounds of count rows from first.
    void ClearRows(u32 first, u32 count);
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
    u32 iterations = DefaultIterations;
    bool warmStart = false;
    float relaxation = 1.0f;
    Core::Vector<float> jacobian; // 6 per row of capacity
    u32 rowCount = 0;
    u32 rowCapacity = 0;
    Core::Vector<ConstraintRow> records;
    Core::Vector<float> target;
    Core::Vector<float> regularizer;
    Core::Vector<float> lower;
    Core::Vector<float> upper;
    Core::Vector<float> lambda;
    Core::Vector<float*> rowAccumulators; // the two bodies' slots of each row, found once per solve
    Core::Vector<float> accumulators;     // 3 per body of capacity
    ConstraintSweeps sweeps;
    u32 bodyCount = 0;
    u32 bodyCapacity = 0;
    bool positionPass = false;
};
} // namespace Physics2D
