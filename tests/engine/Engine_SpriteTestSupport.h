#pragma once
// Shared by the tests of sprites, fonts, texts, particles and lines: a texture that needs no
// device, fonts built in memory, and a scene (recording renderer, scene graph and render queue)
// to draw into.
#include "core/Core_String.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_FontMetrics.h"
#include "engine/Engine_Group.h"
#include "engine/Engine_RenderQueue.h"
#include "engine/Engine_SceneGraph.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_Texture.h"

#include <gtest/gtest.h>

namespace SpriteTest
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

// Every glyph the same: width 8, advance 10, height 12, cell offset 1, bearing 1, vertical offset
// 3; the space advances 6 and has no ink. Cell 16, line height 20, box offsets 2 and 4.
inline Engine::FontMetrics UniformMetrics()
{
    Engine::FontMetrics metrics;
    metrics.header[Engine::FontHeader::BoxOffset] = 2;
    metrics.header[Engine::FontHeader::CellSize] = 16;
    metrics.header[Engine::FontHeader::GlyphBoxOffset] = 4;
    metrics.header[Engine::FontHeader::LineHeight] = 20;
    for (u32 i = 0; i < Engine::GlyphCount; ++i)
    {
        Engine::GlyphInfo& glyph = metrics.glyphs[i];
        glyph.code = 32 + i;
        glyph.width = 8;
        glyph.advance = 10;
        glyph.height = 12;
        glyph.cellOffset = 1.0f;
        glyph.bearing = 1;
        glyph.verticalOffset = 3;
    }
    metrics.glyphs[0] = Engine::GlyphInfo{32, 0, 6, 0, 0, 0, 0.0f, 0, 0};
    return metrics;
}

inline Core::RefPtr<Engine::BitmapFont> MakeFont(const Engine::FontMetrics& metrics, i32 atlasSide = 256,
                                                 const char* name = "TestFont")
{
    Core::RefPtr<Renderer::ITexture> atlas(new FakeTexture(atlasSide, atlasSide, "TestFont.png"));
    return Core::RefPtr<Engine::BitmapFont>(new Engine::BitmapFont(name, atlas, metrics));
}

// A recording renderer as the process-wide renderer and a scene graph over it, drawing the only
// (and so the last) viewport of its frame. Nodes under test hang below root.
class SceneFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        renderer = Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(640, 480));
        scene = new Engine::SceneGraph(renderer.Get());
        scene->SetViewportCount(1);
        scene->SetCurrentViewport(0);
        root = new Engine::Group();
        scene->AttachChild(root);
    }

    void TearDown() override
    {
        root = nullptr;
        scene = nullptr;
        Renderer::SetRenderer(nullptr);
        renderer = nullptr;
    }

    Engine::RenderQueue& Queue() { return scene->GetRenderQueue(); }
    // Everything the draw of one node filed, in the order of the lists.
    u32 QueuedCount() { return static_cast<u32>(Queue().GetOpaqueItems().size() + Queue().GetBlendedItems().size() + Queue().GetLastPassItems().size()); }

    Core::RefPtr<Renderer::RecordingRenderer> renderer;
    Core::RefPtr<Engine::SceneGraph> scene;
    Core::RefPtr<Engine::Group> root;
};
} // namespace SpriteTest
