#pragma once
// A technique: passes, and one saved state per concrete state class that any pass touches. Drawing
// captures the renderer's current values into the saved states, applies a pass, draws, and applies
// the saved states again, so that the draw leaves no state behind.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "renderer/Renderer_Pass.h"

namespace Renderer
{
class Technique : public Core::Object
{
public:
    Technique() = default;

    Technique* Clone() const override;

    void AddPass(Pass* pass);
    // The caller keeps index below GetPassCount.
    Core::RefPtr<Pass> GetPass(u32 index) const { return passes[index]; }
    u32 GetPassCount() const { return static_cast<u32>(passes.size()); }

    // Builds the saved states: one default-valued state of each concrete class that occurs in any
    // pass. Builders call it once the passes are complete; calling it again adds nothing.
    void SortPassStates();
    u32 GetSavedStateCount() const { return static_cast<u32>(savedStates.size()); }
    Core::RefPtr<State> GetSavedState(u32 index) const { return savedStates[index]; }

    // Captures the process-wide renderer's current values into the saved states.
    void SaveStates();
    // Applies the saved states on the process-wide renderer.
    void RestoreStates() const;

private:
    Core::Vector<Core::RefPtr<Pass>> passes;
    Core::Vector<Core::RefPtr<State>> savedStates;
};
}  // namespace Renderer
