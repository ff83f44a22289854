#pragma once

#include "core/Core_Memory.h"
#include "math/Math_Vector2D.h"
#include "physics/Physics_Globals.h"
#include "physics/Physics_PhysicsEngine.h"

#include <gtest/gtest.h>

namespace PhysicsTest
{
// Every physics test starts and ends with the globals at their initial values.
class Fixture : public ::testing::Test
{
protected:
    void SetUp() override { Physics2D::ResetGlobals(); }
    void TearDown() override { Physics2D::ResetGlobals(); }
};

// Row storage for filling a joint or contact of up to N rows by hand.
template <u32 N>
struct Rows
{
    float jacobian[6 * N] = {};
    float target[N] = {};
    float regularizer[N] = {};
    float lower[N] = {};
    float upper[N] = {};
    Physics2D::ConstraintRow records[N];
    Physics2D::RowBlock Block() { return Physics2D::RowBlock{jacobian, target, regularizer, lower, upper, records}; }
};

// A body of the given mass (inertia and centre of mass as given) placed at a position.
Core::RefPtr<Physics2D::RigidBody> MakeBody(float mass, float inertia, const Math::Vector2D& position,
                                            u32 integratorKind = Physics2D::RigidBody::IntegratorEuler,
                                            const Math::Vector2D& centerOfMass = Math::Vector2D());

// Adds a body to the engine and returns its id.
u32 AddBody(Physics2D::PhysicsEngine& engine, float mass, float inertia, const Math::Vector2D& position,
            u32 integratorKind = Physics2D::RigidBody::IntegratorEuler);

// Adds gravity (straight down, magnitude g) to a body.
void AddGravity(Physics2D::PhysicsEngine& engine, u32 id, float g = 9.8f);

// One frame of the engine: the velocity pass, then the position pass.
void Step(Physics2D::PhysicsEngine& engine, float dt);

// Stands in for the collision engine: discs of one radius over a flat floor at height 0. Each
// position pass it reports a contact for every listed disc that touches or sinks into the floor,
// the way the collision results describe it: the point on the floor, the normal up, the disc's
// position when it first touched as its reference, and the depth it sank.
struct Floor
{
    float radius = 0.5f;
    float restitution = 0.3f;
    float friction = 0.5f;
    // Discs within this distance above the floor still report a resting contact.
    float tolerance = 1e-3f;
    Core::Vector<u32> ids;

    void Install(Physics2D::PhysicsEngine& engine);
    static void Report(Physics2D::PhysicsEngine* engine, void* data);
};
} // namespace PhysicsTest
