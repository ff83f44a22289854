#pragma once
// Shared by the tests of sprites, fonts, texts, particles and lines: a texture that needs no
// device, fonts built in memory, and a scene (recording renderer, scene graph and render queue)
// to draw into.
#include "Engine_SceneTestSupport.h"

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
using SceneTest::FakeTexture;

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

// The scene of SceneTest with a group below the scene graph under which the nodes under test hang.
class SceneFixture : public SceneTest::SceneFixture
{
protected:
    void SetUp() override
    {
        SceneTest::SceneFixture::SetUp();
        root = new Engine::Group();
        scene->AttachChild(root);
    }

    void TearDown() override
    {
        root = nullptr;
        SceneTest::SceneFixture::TearDown();
    }

    Engine::RenderQueue& Queue() { return *queue; }
    // Everything the draw of one node filed, in the order of the lists.
    u32 QueuedCount() { return static_cast<u32>(Queue().GetOpaqueItems().size() + Queue().GetBlendedItems().size() + Queue().GetLastPassItems().size()); }

    Core::RefPtr<Engine::Group> root;
};
} // namespace SpriteTest
