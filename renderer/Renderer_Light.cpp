#include "renderer/Renderer_Light.h"

namespace Renderer
{
namespace
{
void CopyColors(const Light& light, LightRecord& record)
{
    record.ambient = light.ambient;
    record.diffuse = light.diffuse;
    record.specular = light.specular;
    record.enabled = light.enabled;
}

void CopyPlacement(const PointLight& light, LightRecord& record)
{
    record.position = light.position;
    record.constantAttenuation = light.constantAttenuation;
    record.linearAttenuation = light.linearAttenuation;
    record.quadraticAttenuation = light.quadraticAttenuation;
}
}  // namespace

bool MakeLightRecord(const Light* light, LightRecord& record)
{
    record = LightRecord();
    if (!light)
    {
        return true;
    }
    // A spot light is a point light too: it is asked first.
    if (const auto* spot = dynamic_cast<const SpotLight*>(light))
    {
        record.kind = LightKind::Spot;
        CopyColors(*spot, record);
        CopyPlacement(*spot, record);
        record.direction = spot->direction;
        record.exponent = spot->exponent;
        record.cutoff = spot->cutoff;
        return true;
    }
    if (const auto* point = dynamic_cast<const PointLight*>(light))
    {
        record.kind = LightKind::Point;
        CopyColors(*point, record);
        CopyPlacement(*point, record);
        return true;
    }
    if (const auto* directional = dynamic_cast<const DirectionalLight*>(light))
    {
        record.kind = LightKind::Directional;
        CopyColors(*directional, record);
        record.direction = directional->direction;
        return true;
    }
    return false;
}
}  // namespace Renderer
