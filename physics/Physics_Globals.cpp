#include "physics/Physics_Globals.h"

#include <cfloat>

namespace Physics2D
{
float MaximumSimulationStep = 0.02f;
float Scale = 1.0f;
float Epsilon = 1e-10f;
float AngularSpeedLimit = 6.2831855f;
float Infinity = FLT_MAX;
float SimulationStep = 0.0f;
float SimulationInverseStep = 0.0f;
bool PositionPass = false;
RigidBody* StaticBody = nullptr;

void ResetGlobals()
{
    MaximumSimulationStep = 0.02f;
    Scale = 1.0f;
    Epsilon = 1e-10f;
    AngularSpeedLimit = 6.2831855f;
    SimulationStep = 0.0f;
    SimulationInverseStep = 0.0f;
    PositionPass = false;
}
} // namespace Physics2D
