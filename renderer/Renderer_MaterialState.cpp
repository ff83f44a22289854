#include "renderer/Renderer_MaterialState.h"

namespace Renderer
{
Material::Material(const Math::Color& ambient, const Math::Color& diffuse, const Math::Color& specular,
                   const Math::Color& emission, f32 shininess)
    : ambient(ambient), diffuse(diffuse), specular(specular), emission(emission), shininess(shininess)
{
}

Material* Material::Clone() const
{
    return new (__FILE__, __LINE__) Material(*this);
}

void Material::Apply(IRenderer& renderer) const
{
    renderer.SetMaterial(*this);
}

void Material::Capture(IRenderer& renderer)
{
    renderer.GetMaterial(*this);
}

void Material::SetDefault()
{
    ambient = Math::Color(0.2f, 0.2f, 0.2f, 1.0f);
    diffuse = Math::Color(0.0f, 0.0f, 0.0f, 1.0f);
    specular = Math::Color(0.0f, 0.0f, 0.0f, 1.0f);
    emission = Math::Color(0.0f, 0.0f, 0.0f, 1.0f);
    shininess = 0.0f;
}
}  // namespace Renderer
