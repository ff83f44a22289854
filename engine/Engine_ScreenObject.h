#pragma once
// Flat geometry drawn in window coordinates by the render queue's screen passes: viewport
// backgrounds, GUI images and strings. The queue reads everything it draws through this
// interface.
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Matrix4x4.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_Texture.h"

namespace Engine
{
namespace ScreenObjectKind
{
constexpr u32 Quad = 0;
constexpr u32 String = 1;
constexpr u32 StippledLine = 2;
} // namespace ScreenObjectKind

class ScreenObject : public Core::Object
{
public:
    virtual u32 GetKind() const = 0;
    virtual Core::RefPtr<Renderer::Effect> GetEffect() const = 0;
    virtual Core::RefPtr<Renderer::ITexture> GetTexture() const = 0;
    virtual const Math::Matrix4x4* GetWorldMatrix() const = 0;
    virtual const Math::Matrix4x4* GetTextureMatrix() const = 0; // texture unit 0
    virtual const f32* GetVertices() const = 0;                  // xyz triples
    virtual const f32* GetTexCoords() const = 0;                 // uv pairs
    virtual Math::Color GetColor() const = 0;
    virtual const u16* GetIndices() const = 0;
    virtual u32 GetIndexCount() const = 0;
    virtual f32 GetDepth() const = 0; // sort key of the screen passes, smallest drawn first
    virtual void Reset() = 0;
    virtual bool IsShown() const = 0;
    // Only valid objects are accepted by the queue.
    virtual bool IsValid() const = 0;
    // Called right before the object is drawn.
    virtual void PrepareDraw() = 0;
    virtual u32 GetPrimitiveType() const = 0;

    // Line stipple of stippled-line objects (kind 2); others have none.
    virtual u8 IsStippleEnabled() const { return 0; }
    virtual u16 GetStipplePattern() const { return 0xFFFF; }
    virtual u32 GetStippleFactor() const { return 1; }
};
}  // namespace Engine
