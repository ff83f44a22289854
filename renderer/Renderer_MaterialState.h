#pragma once
// The lighting material. It has no default constructor: it is built from its four colours and the
// shininess. Its class default (SetDefault) has a black diffuse colour, unlike the renderer's
// first material.
#include "math/Math_Color.h"
#include "renderer/Renderer_State.h"

namespace Renderer
{
class Material : public State
{
public:
    Material(const Math::Color& ambient, const Math::Color& diffuse, const Math::Color& specular,
             const Math::Color& emission, f32 shininess);

    Material* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    Math::Color ambient;
    Math::Color diffuse;
    Math::Color specular;
    Math::Color emission;
    f32 shininess;
};
}  // namespace Renderer
