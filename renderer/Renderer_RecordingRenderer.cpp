#include "renderer/Renderer_RecordingRenderer.h"

#include <cstring>

namespace Renderer
{
RecordingRenderer::RecordingRenderer(const DisplaySettings& settings) : ShadowRenderer(settings)
{
}

RecordingRenderer::~RecordingRenderer() = default;

void RecordingRenderer::Note(const char* operation, f64 a, f64 b, f64 c, f64 d)
{
    if (logging)
    {
        calls.push_back(RecordedCall{operation, {a, b, c, d}});
    }
}

u32 RecordingRenderer::CountCalls(const char* operation) const
{
    u32 count = 0;
    for (const RecordedCall& call : calls)
    {
        count += std::strcmp(call.operation, operation) == 0 ? 1 : 0;
    }
    return count;
}

void RecordingRenderer::ClearLog()
{
    calls.clear();
    draws.clear();
}

void RecordingRenderer::IssueDraw(const DrawCall& call)
{
    if (!logging)
    {
        return;
    }
    RecordedDraw draw;
    draw.primitive = call.primitive;
    draw.first = call.first;
    draw.count = call.count;
    draw.indexed = call.indexed;
    draw.indices32 = call.indices32;
    draw.indices = call.indices;
    draw.vertices = vertexArray;
    draw.normals = normalArray;
    draw.colors = colorArray;
    draw.texCoords = texCoordArray;
    draw.world = world;
    draw.view = view;
    draw.projection = projection;
    draw.currentColor = currentColor;
    draw.texture0 = textures[0];
    draw.unit0 = unit0;
    draw.depthBuffer = depthBuffer;
    draw.alphaBlending = alphaBlending;
    draw.alphaTesting = alphaTesting;
    draw.lighting = lighting;
    draw.culling = culling;
    draws.push_back(draw);
}

Core::RefPtr<RecordingRenderer> CreateRecordingRenderer(const DisplaySettings& settings)
{
    Core::RefPtr<RecordingRenderer> renderer(new (__FILE__, __LINE__) RecordingRenderer(settings));
    SetRenderer(renderer.Get());
    return renderer;
}
}  // namespace Renderer
