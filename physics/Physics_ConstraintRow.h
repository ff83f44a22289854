#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"

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
} // namespace Physics2D
