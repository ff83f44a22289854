#pragma once
// Shared by the tests of meshes, nodes, the render queue and the scene graph: a texture without a
// device, a leaf that submits a render item, a controller that counts, and a scene (recording
// renderer as the process-wide renderer, scene graph, render queue) to draw into.
#include "engine/Engine_Camera.h"
#include "engine/Engine_Node.h"
#include "engine/Engine_RenderQueue.h"
#include "engine/Engine_SceneGraph.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_Texture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace SceneTest
{
// A texture with a size and a file name and nothing behind it.
class FakeTexture : public Renderer::ITexture
{
public:
    FakeTexture(i32 width, i32 height, const char* fileName = "") : width(width), height(height), fileName(fileName) {}

    i32 GetWidth() const override { return width; }
    i32 GetHeight() const override { return height; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 0; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 1; }
    Core::String GetFileName() const override { return fileName; }

private:
    i32 width;
    i32 height;
    Core::String fileName;
};

// A leaf that submits a copy of its item each time it is drawn (and writes its name in a log).
class Drawable : public Engine::Node
{
public:
    explicit Drawable(const Engine::RenderItem& item = Engine::RenderItem(), std::vector<std::string>* log = nullptr)
        : item(item), log(log)
    {
    }

    void Render(const Math::ViewFrustum&) override { Draw(); }
    void DrawTree() override { Draw(); }
    void Draw() override
    {
        if (log)
            log->push_back(name.c_str());
        if (!visible)
            return;
        Engine::RenderItem copy = item;
        Engine::RenderQueue::GetInstance()->Submit(copy);
    }

    Engine::RenderItem item;
    std::vector<std::string>* log;
};

// Counts its updates and remembers the node it was handed.
class CountingController : public Engine::Controller
{
public:
    CountingController(std::vector<std::string>* log = nullptr, const char* label = "") : log(log), label(label) {}

    Core::Object* Clone() const override { return new CountingController(*this); }
    void OnAttach() override { ++attachNotices; }
    void Update(f32) override
    {
        ++updates;
        if (log)
            log->push_back(label);
    }

    int updates = 0;
    int attachNotices = 0;
    std::vector<std::string>* log;
    const char* label;
};

// A mesh of four vertices with the given number of subsets (opaque unless said otherwise).
inline Core::RefPtr<Engine::Mesh> MakeMesh(u32 subsets, bool blended = false)
{
    Core::RefPtr<Engine::Mesh> mesh(new Engine::Mesh());
    for (u32 i = 0; i < 4; ++i)
        mesh->AddPosition(Math::Vector3D(static_cast<f32>(i), 0.0f, 0.0f));
    for (u32 i = 0; i < subsets; ++i)
    {
        Engine::MeshSubset subset;
        subset.first = i;
        subset.last = i + 2;
        subset.blended = blended ? 1 : 0;
        mesh->AddSubset(subset);
    }
    return mesh;
}

// An item for a mesh subset, told apart by the x of its world translation.
inline Engine::RenderItem MeshItem(Engine::Mesh* mesh, u32 subset, Renderer::Effect* effect, f32 tag, f32 z = 0.0f)
{
    Engine::RenderItem item;
    item.mesh = mesh;
    item.subset = subset;
    item.effect = effect;
    item.world = Math::Matrix4x4::Translation(tag, 0.0f, z);
    return item;
}

// The x tags of the recorded draws, in draw order.
inline std::vector<f32> DrawnTags(const Renderer::RecordingRenderer& renderer)
{
    std::vector<f32> tags;
    for (const Renderer::RecordedDraw& draw : renderer.GetDraws())
        tags.push_back(draw.world.e[12]);
    return tags;
}

// The names of the logged operations, in order.
inline std::vector<std::string> CallNames(const Renderer::RecordingRenderer& renderer)
{
    std::vector<std::string> names;
    for (const Renderer::RecordedCall& call : renderer.GetCalls())
        names.push_back(call.operation);
    return names;
}

// A recording renderer as the process-wide renderer and a scene graph over it, drawing viewport
// 0 of 1 (so the last one) unless a test says otherwise.
class SceneFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        renderer = Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(640, 480));
        scene = new Engine::SceneGraph(renderer.Get());
        scene->SetViewportCount(1);
        scene->SetCurrentViewport(0);
        queue = &scene->GetRenderQueue();
    }

    void TearDown() override
    {
        scene = nullptr;
        Renderer::SetRenderer(nullptr);
        renderer = nullptr;
    }

    Core::RefPtr<Renderer::RecordingRenderer> renderer;
    Core::RefPtr<Engine::SceneGraph> scene;
    Engine::RenderQueue* queue = nullptr;
};
}  // namespace SceneTest
