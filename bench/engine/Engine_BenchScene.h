#pragma once
// What the drawing benchmarks share: a texture with a size and no device behind it, and a
// window-sized scene drawn into the recording renderer with its log off (so the engine's own work
// is what is measured), seen through one camera and one viewport.
#include "core/Core_Startup.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_Texture.h"

namespace EngineBench
{
class SizedTexture : public Renderer::ITexture
{
public:
    explicit SizedTexture(i32 side) : side(side) {}
    i32 GetWidth() const override { return side; }
    i32 GetHeight() const override { return side; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 1; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 1; }
    Core::String GetFileName() const override { return "sheet.png"; }

private:
    i32 side;
};

struct Scene
{
    static constexpr i32 Width = 1024;
    static constexpr i32 Height = 768;

    Scene()
        : renderer(Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(Width, Height))),
          graph(new Engine::SceneGraph(renderer.Get())), eye(new Engine::TransformationGroup()),
          camera(new Engine::Camera(45.0f, 1.0f, 10000.0f)), viewport(new Engine::Viewport(0, 0, Width, Height))
    {
        renderer->SetLogging(0);
        graph->SetViewportCount(1);
        // From here a plane at z 0 of about the window's size fills the view.
        eye->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 927.0f));
        graph->AttachChild(eye);
        eye->AttachChild(camera);
    }

    void Frame(f32 dt)
    {
        graph->UpdateScene(dt);
        graph->RenderViewport(*camera, *viewport);
    }

    const Core::StartupGuard core;
    const Core::RefPtr<Renderer::RecordingRenderer> renderer;
    const Core::RefPtr<Engine::SceneGraph> graph;
    const Core::RefPtr<Engine::TransformationGroup> eye;
    const Core::RefPtr<Engine::Camera> camera;
    const Core::RefPtr<Engine::Viewport> viewport;
};
} // namespace EngineBench
