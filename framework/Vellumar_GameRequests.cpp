// The requests a frame serves before its level switch: replay writing and reading, saving and
// loading, and the replay's input per frame. None of them is made yet, so each step finds nothing
// to do.
#include "framework/Vellumar_Game.h"

namespace Vellumar
{
void Game::ServeReplayWrite()
{
}

void Game::ServeReplayRead()
{
}

void Game::ServeSaveLoadRequest()
{
}

void Game::PlayReplayFrame(f32&)
{
}

void Game::RecordReplayFrame(f32)
{
}

// No contacts are made from collision results yet: the position pass only keeps its previous ones.
void Game::UpdateContactList(Physics2D::PhysicsEngine*, void*)
{
}
}  // namespace Vellumar
