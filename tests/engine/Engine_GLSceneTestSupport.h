#pragma once
// Shared by the tests that draw a scene on a real OpenGL context (Xvfb with Mesa): a scene graph
// with one viewport over the test's window, and pictures written to a scratch folder and loaded
// through the texture cache.
#include "engine/Engine_SceneGraph.h"
#include "renderer/Renderer_TextureCache.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

namespace SceneTest
{
class GLSceneTest : public TestSupport::GLWindowTest
{
protected:
    GLSceneTest(i32 width, i32 height, const char* scratchName) : GLWindowTest(width, height), folder(scratchName) {}

    void SetUp() override
    {
        GLWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        scene = new Engine::SceneGraph(renderer.Get());
        scene->SetViewportCount(1);
    }

    void TearDown() override
    {
        scene = nullptr;
        GLWindowTest::TearDown();
    }

    Core::RefPtr<Renderer::ITexture> Load(const char* name, const TestSupport::Picture& picture, u8 mipmaps)
    {
        return Renderer::TextureCache::GetTexture(folder.Write(name, TestSupport::EncodePng(picture)).c_str(), mipmaps);
    }

    Core::RefPtr<Engine::SceneGraph> scene;
    TestSupport::ScratchFolder folder;
};
} // namespace SceneTest
