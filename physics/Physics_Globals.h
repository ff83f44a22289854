#pragma once

#include "core/Core_Types.h"

namespace Physics2D
{
class RigidBody;

// Process-wide settings and per-pass state of the physics subsystem. The passes are not reentrant:
// the step values and the position-pass flag describe the pass under way.

// A pass's dt is clamped to this (seconds).
extern float MaximumSimulationStep;
// Multiplies force and torque sums, the angular speed limit and velocities set through the engine.
extern float Scale;
// Speeds whose magnitude is not above this are set to 0 after integration.
extern float Epsilon;
// Angular speed limit per unit of scale, radians per second.
extern float AngularSpeedLimit;
// Bound of unconstrained rows: the largest finite float.
extern float Infinity;
// The clamped dt of the pass under way and its inverse (0 when the given dt is 0).
extern float SimulationStep;
extern float SimulationInverseStep;
// True inside the engine's position pass; joints and contacts fill position targets then.
extern bool PositionPass;
// The engine's immovable body; joints compare their bodies with it.
extern RigidBody* StaticBody;

// The settings and pass state back at their initial values (tests); Infinity and the static body
// belong to the engine.
void ResetGlobals();
} // namespace Physics2D
