#pragma once
// The collision actors of the game's sprites: a compiled-in table and the one routine that builds
// actors from it, in actor order, so that an actor's number is its place in the game's asset list.
#include "core/Core_Types.h"

#include <functional>

namespace Collision2D
{
class CollisionActor;
}

extern const char* const CollisionActorTable;
constexpr u32 CollisionActorCount = 101;

// Builds each actor of the table in turn and hands it, complete, to take with its number; the
// taker owns it. A malformed table (actor numbers out of order, a word that is no shape, a
// missing number) throws std::invalid_argument naming the line, before that actor is handed over.
void BuildCollisionActors(const char* table, const std::function<void(u32, Collision2D::CollisionActor*)>& take);
