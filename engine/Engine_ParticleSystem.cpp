#include "engine/Engine_ParticleSystem.h"

#include "engine/Engine_BoundingVolume.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_SpriteDrawing.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_Texture.h"
#include "renderer/Renderer_Types.h"

#include <cmath>

namespace Engine
{
namespace
{
constexpr u32 VerticesPerParticle = 6;
// Two triangles over the corners c0, c1, c2 and c2, c3, c0.
const Math::Vector2D QuadTexCoords[VerticesPerParticle] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f},
                                                           {1.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}};
const u32 QuadCorners[VerticesPerParticle] = {0, 1, 2, 2, 3, 0};

// True when the whole quad of the particle placed lies in front of the eye and beyond one edge of
// the viewport, with a pixel to spare: it then covers no pixel centre the viewport holds.
bool IsOffViewport(const Math::Matrix4x4& placed, f32 width, f32 height, const PixelMapping& pixels)
{
    if (!pixels.known)
        return false;
    const f32 right = pixels.halfWidth + 1.0f;
    const f32 top = pixels.halfHeight + 1.0f;
    u32 leftOf = 0, rightOf = 0, below = 0, above = 0;
    for (u32 k = 0; k < 4; ++k)
    {
        f32 x = 0.0f, y = 0.0f;
        const Math::Vector2D& corner = QuadTexCoords[QuadCorners[k]];
        const Math::Vector3D point((corner.x - 0.5f) * width, (corner.y - 0.5f) * height, 0.0f);
        if (!pixels.ToPixels(Math::TransformPoint(placed, point), x, y))
            return false;
        leftOf += x < -right ? 1u : 0u;
        rightOf += x > right ? 1u : 0u;
        below += y < -top ? 1u : 0u;
        above += y > top ? 1u : 0u;
    }
    return leftOf == 4 || rightOf == 4 || below == 4 || above == 4;
}
} // namespace

ParticleSystem::ParticleSystem(Renderer::ITexture* particleTexture, u32 particleCount)
    : texture(particleTexture), particles(particleCount), mesh(new (__FILE__, __LINE__) Mesh()),
      particleWidth(particleTexture ? static_cast<f32>(particleTexture->GetWidth()) : 0.0f),
      particleHeight(particleTexture ? static_cast<f32>(particleTexture->GetHeight()) : 0.0f)
{
    const u32 vertexCount = VerticesPerParticle * particleCount;
    if (vertexCount > 0)
    {
        MeshSubset subset;
        subset.first = 0;
        subset.last = vertexCount - 1;
        subset.blended = 1;
        mesh->AddSubset(subset);
    }
    mesh->ReservePositions(vertexCount);
    mesh->ReserveColors(vertexCount);
    mesh->ReserveTexCoords(vertexCount);
    mesh->ReserveIndices(vertexCount);
    for (u32 vertex = 0; vertex < vertexCount; ++vertex)
    {
        mesh->AddPosition(Math::Vector3D());
        mesh->AddColor(Math::Color(0.0f, 0.0f, 0.0f, 1.0f));
        mesh->AddIndex(vertex);
        mesh->AddTexCoord(QuadTexCoords[vertex % VerticesPerParticle]);
    }
}

ParticleSystem::ParticleSystem(const ParticleSystem& other)
    : Node(other), texture(other.texture), particles(other.particles), mesh(other.mesh->Clone()),
      sourceBlend(other.sourceBlend), destinationBlend(other.destinationBlend), particleWidth(other.particleWidth),
      particleHeight(other.particleHeight), useLocalCoordinates(other.useLocalCoordinates)
{
}

ParticleSystem::~ParticleSystem() = default;

ParticleSystem* ParticleSystem::Clone() const
{
    return new (__FILE__, __LINE__) ParticleSystem(*this);
}

Core::RefPtr<Renderer::ITexture> ParticleSystem::GetTexture() const
{
    return texture;
}

void ParticleSystem::SetBlendFactors(u32 source, u32 destination)
{
    sourceBlend = source;
    destinationBlend = destination;
}

void ParticleSystem::SetBoundingSize(f32 size)
{
    const f32 half = size / 2.0f;
    Math::Frustum box = MakeBox(half, half, 0.5f);
    for (Math::Vector3D& corner : box.corners)
        corner.z -= 0.5f;
    box.center = Math::Vector3D(0.0f, 0.0f, -0.5f);
    boundingVolume.SetBox(box);
}

void ParticleSystem::GetWorldBox(Math::Frustum& box)
{
    boundingVolume.Transform(ParentWorldMatrix());
    box = boundingVolume.GetWorldBox();
}

void ParticleSystem::Update(f32 dt)
{
    if (updateCallback)
        updateCallback(*this, dt);
}

bool ParticleSystem::TransparentKeepsDestination() const
{
    return sourceBlend == Renderer::BlendFactor::SourceAlpha &&
           (destinationBlend == Renderer::BlendFactor::OneMinusSourceAlpha ||
            destinationBlend == Renderer::BlendFactor::One);
}

void ParticleSystem::BuildQuads(const Math::Matrix4x4& view, const PixelMapping& pixels)
{
    // The view's rotation undone, without its translation: turns the quad plane to the camera.
    Math::Matrix4x4 inverse;
    Math::Matrix4x4::Inverse(inverse, view);
    Math::Matrix4x4 facing;
    for (u32 column = 0; column < 3; ++column)
    {
        for (u32 row = 0; row < 3; ++row)
            facing.e[4 * column + row] = inverse.e[4 * column + row];
    }
    // A particle of alpha 0 blends into nothing, and one wholly off the viewport covers no pixel:
    // only the others are placed, in their order, and drawn whole. One stays when none is seen, so
    // that the draw and what it leaves behind remain.
    const bool dropsTransparent = TransparentKeepsDestination();
    u32 placedCount = 0;
    for (u32 i = 0; i < particles.size(); ++i)
    {
        const Particle& particle = particles[i];
        const bool last = i + 1 == particles.size();
        if (dropsTransparent && particle.a == 0.0f && !(last && placedCount == 0))
            continue;
        const f32 width = particleWidth * particle.sizeX;
        const f32 height = particleHeight * particle.sizeY;
        const Math::Matrix4x4 placed = Math::Matrix4x4::Translation(particle.x, particle.y, particle.z) * facing *
                                       Math::Matrix4x4::RotationZ(particle.rotation);
        if (IsOffViewport(placed, width, height, pixels) && !(last && placedCount == 0))
            continue;
        const u32 slot = placedCount++;
        const f32 halfWidth = width * 0.5f;
        const f32 halfHeight = height * 0.5f;
        const Math::Vector3D corners[4] = {Math::TransformPoint(placed, Math::Vector3D(-halfWidth, -halfHeight, 0.0f)),
                                           Math::TransformPoint(placed, Math::Vector3D(halfWidth, -halfHeight, 0.0f)),
                                           Math::TransformPoint(placed, Math::Vector3D(halfWidth, halfHeight, 0.0f)),
                                           Math::TransformPoint(placed, Math::Vector3D(-halfWidth, halfHeight, 0.0f))};
        const Math::Color tint(particle.r, particle.g, particle.b, particle.a);
        const u32 first = VerticesPerParticle * slot;
        for (u32 k = 0; k < VerticesPerParticle; ++k)
        {
            mesh->SetPosition(first + k, corners[QuadCorners[k]]);
            mesh->SetColor(first + k, tint);
        }
    }
    if (MeshSubset* drawn = mesh->GetSubset(0))
        drawn->last = VerticesPerParticle * placedCount - 1;
}

void ParticleSystem::Draw()
{
    if (!visible || !texture || particles.empty())
        return;
    const Math::Matrix4x4 parentMatrix = ParentWorldMatrix();
    if (!overlay && !screenSpace)
    {
        boundingVolume.Transform(parentMatrix);
        // A copy of the current view; without a scene graph the default record, which culls nothing.
        Math::ViewFrustum view;
        Vellumar::InitFrustumRecord(view);
        if (const SceneGraph* scene = SceneGraph::GetCurrent())
            view = scene->GetViewFrustum();
        if (IsOutsideView(boundingVolume.GetWorldBox(), view))
            return;
    }
    RenderItem item;
    item.mesh = mesh;
    item.texture = texture;
    item.particle = 1;
    item.blendSource = sourceBlend;
    item.blendDestination = destinationBlend;
    item.subset = 0;
    item.primitiveType = Renderer::Primitive::Triangles;
    item.lastPassOnly = overlay;
    if (useLocalCoordinates)
        item.world = parentMatrix;
    else
        item.world.e[14] = parentMatrix.e[14]; // world-space particles keep only the parent's depth

    const Core::RefPtr<Renderer::IRenderer> renderer = Renderer::GetRenderer();
    const Math::Matrix4x4 view = renderer && !screenSpace ? renderer->GetViewMatrix() : Math::Matrix4x4::Identity();
    BuildQuads(view, CurrentPixelMapping(item.world, screenSpace, overlay));
    SubmitPlaced(item, screenSpace);
}
} // namespace Engine
