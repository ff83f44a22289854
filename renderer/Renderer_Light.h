#pragma once
// Lights for the renderer's eight light slots, and the record the renderer programs from them.
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector3D.h"

namespace Renderer
{
class Light : public Core::Object
{
public:
    Math::Color ambient{0.0f, 0.0f, 0.0f, 1.0f};
    Math::Color diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Color specular{1.0f, 1.0f, 1.0f, 1.0f};
    u8 enabled = 1;
};

class DirectionalLight : public Light
{
public:
    Math::Vector3D direction{0.0f, 0.0f, -1.0f};
};

class PointLight : public Light
{
public:
    Math::Vector3D position;
    f32 constantAttenuation = 1.0f;
    f32 linearAttenuation = 0.0f;
    f32 quadraticAttenuation = 0.0f;
};

class SpotLight : public PointLight
{
public:
    Math::Vector3D direction{0.0f, 0.0f, -1.0f};
    f32 exponent = 0.0f;
    f32 cutoff = 180.0f;  // degrees
};

namespace LightKind
{
constexpr u32 Point = 0;
constexpr u32 Spot = 1;
constexpr u32 Directional = 2;
}  // namespace LightKind

// What the renderer sends to OpenGL for one light. The default switches a light off.
struct LightRecord
{
    u32 kind = LightKind::Directional;
    Math::Color ambient{0.0f, 0.0f, 0.0f, 1.0f};
    Math::Color diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Color specular{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Vector3D position;
    Math::Vector3D direction{0.0f, 0.0f, -1.0f};
    f32 exponent = 0.0f;
    f32 cutoff = 180.0f;
    f32 constantAttenuation = 1.0f;
    f32 linearAttenuation = 0.0f;
    f32 quadraticAttenuation = 0.0f;
    u8 enabled = 0;
};

// The record of a light by its run-time kind; the default record for null. False for a light of
// any other kind, which programs nothing.
bool MakeLightRecord(const Light* light, LightRecord& record);
}  // namespace Renderer
