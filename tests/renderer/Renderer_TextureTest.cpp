// Textures through the OpenGL renderer on a real window (Xvfb with Mesa): the cache's sharing by
// exact name, uploads with and without mipmaps, power-of-two rounding where the device needs it,
// release after the context's cache is gone, and the pixels of a textured quad.

#include "platform/PAL_GLContext.h"
#include "renderer/Renderer_ShadowRenderer.h"
#include "renderer/Renderer_TextureCache.h"
#include "renderer/Renderer_TextureOGL.h"
#include "renderer/Renderer_TexturingState.h"
#include "tests/support/Support_GLWindow.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
// What the tests ask of OpenGL directly, looked up as the platform layer does.
// Looked up once the window (and with it the GL library) exists.
struct GLQueries
{
    using GetTexLevelParameterivFn = void (*)(unsigned target, int level, unsigned name, int* value);
    using BindTextureFn = void (*)(unsigned target, unsigned texture);
    using IsTextureFn = unsigned char (*)(unsigned texture);
    using GetTexParameterivFn = void (*)(unsigned target, unsigned name, int* value);

    static constexpr unsigned Texture2D = 0x0DE1;
    static constexpr unsigned TextureWidth = 0x1000;
    static constexpr unsigned TextureHeight = 0x1001;
    static constexpr unsigned TextureMinFilter = 0x2801;
    static constexpr int LinearMipmapLinear = 0x2703;

    GetTexLevelParameterivFn getTexLevelParameteriv =
        reinterpret_cast<GetTexLevelParameterivFn>(PAL::GetGLProcAddress("glGetTexLevelParameteriv"));
    BindTextureFn bindTexture = reinterpret_cast<BindTextureFn>(PAL::GetGLProcAddress("glBindTexture"));
    IsTextureFn isTexture = reinterpret_cast<IsTextureFn>(PAL::GetGLProcAddress("glIsTexture"));
    GetTexParameterivFn getTexParameteriv =
        reinterpret_cast<GetTexParameterivFn>(PAL::GetGLProcAddress("glGetTexParameteriv"));

    // Width and height OpenGL holds for a level of a texture; 0 x 0 for a level it lacks.
    std::pair<int, int> LevelSize(u32 texture, int level) const
    {
        bindTexture(Texture2D, texture);
        int width = 0;
        int height = 0;
        getTexLevelParameteriv(Texture2D, level, TextureWidth, &width);
        getTexLevelParameteriv(Texture2D, level, TextureHeight, &height);
        return {width, height};
    }
};

class TextureTest : public TestSupport::GLWindowTest
{
protected:
    static constexpr i32 Side = 64;

    TextureTest() : GLWindowTest(Side, Side) {}

    void SetUp() override
    {
        GLWindowTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        gl = std::make_unique<GLQueries>();
    }

    Core::RefPtr<Renderer::ITexture> Get(const std::string& path, u8 mipmaps)
    {
        return Renderer::TextureCache::GetTexture(path.c_str(), mipmaps);
    }

    std::string WritePicture(const std::string& name, i32 width, i32 height)
    {
        TestSupport::Picture picture(width, height);
        picture.Fill(10, 200, 30, 255);
        return folder.Write(name, TestSupport::EncodePng(picture));
    }

    TestSupport::ScratchFolder folder{"morvane_textures"};
    std::unique_ptr<GLQueries> gl;
};
} // namespace

TEST_F(TextureTest, RequestsForOneNameShareOneTextureWhileItIsHeld)
{
    const std::string path = WritePicture("shared.png", 8, 8);
    Core::RefPtr<Renderer::ITexture> first = Get(path, 0);
    Core::RefPtr<Renderer::ITexture> second = Get(path, 1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_EQ(first->GetReferenceCount(), 2u);
    // The second request's mipmap flag is ignored.
    EXPECT_EQ(second->HasMipmaps(), 0);
    EXPECT_EQ(first->GetFileName(), Core::String(path.c_str()));

    first = nullptr;
    EXPECT_TRUE(Renderer::TextureCache::Get()->Contains(path.c_str()));
    second = nullptr;
    EXPECT_FALSE(Renderer::TextureCache::Get()->Contains(path.c_str()));
    EXPECT_EQ(Renderer::TextureCache::Get()->GetEntryCount(), 0u);
}

TEST_F(TextureTest, NamesDifferingOnlyInCaseAreTwoTextures)
{
    const std::string lower = WritePicture("tile.png", 4, 4);
    const std::string upper = WritePicture("TILE.png", 4, 4);
    const Core::RefPtr<Renderer::ITexture> a = Get(lower, 0);
    const Core::RefPtr<Renderer::ITexture> b = Get(upper, 0);
    EXPECT_NE(a.Get(), b.Get());
    EXPECT_NE(a->GetID(), b->GetID());
    EXPECT_EQ(Renderer::TextureCache::Get()->GetEntryCount(), 2u);
}

TEST_F(TextureTest, MissingFileStillGivesTheTestPatternTexture)
{
    const Core::RefPtr<Renderer::ITexture> texture = Get(folder.PathOf("missing.png"), 0);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->GetWidth(), 256);
    EXPECT_EQ(texture->GetHeight(), 256);
    EXPECT_EQ(texture->GetTextureType(), Renderer::ITexture::TwoDimensional);
    EXPECT_NE(texture->GetID(), 0u);
    EXPECT_EQ(gl->LevelSize(texture->GetID(), 0), std::make_pair(256, 256));
}

TEST_F(TextureTest, DeviceWithoutNonPowerOfTwoSupportHoldsRoundedSizes)
{
    // The extension list of the process-wide renderer decides; this device lacks the extension.
    static_cast<Renderer::ShadowRenderer*>(renderer.Get())->SetGLExtensions("GL_ARB_multitexture");
    const Core::RefPtr<Renderer::ITexture> texture = Get(WritePicture("tall.png", 100, 300), 0);
    EXPECT_EQ(texture->GetWidth(), 100);
    EXPECT_EQ(texture->GetHeight(), 300);
    EXPECT_EQ(gl->LevelSize(texture->GetID(), 0), std::make_pair(128, 256));
    EXPECT_EQ(gl->LevelSize(texture->GetID(), 1), std::make_pair(0, 0));

    const Core::RefPtr<Renderer::ITexture> mipmapped = Get(WritePicture("wide.png", 300, 200), 1);
    EXPECT_EQ(mipmapped->HasMipmaps(), 1);
    EXPECT_EQ(gl->LevelSize(mipmapped->GetID(), 0), std::make_pair(256, 256));
    EXPECT_EQ(gl->LevelSize(mipmapped->GetID(), 1), std::make_pair(128, 128));
    EXPECT_EQ(gl->LevelSize(mipmapped->GetID(), 8), std::make_pair(1, 1));
}

TEST_F(TextureTest, DeviceWithNonPowerOfTwoSupportHoldsTheImageSize)
{
    static_cast<Renderer::ShadowRenderer*>(renderer.Get())->SetGLExtensions("GL_ARB_texture_non_power_of_two");
    const Core::RefPtr<Renderer::ITexture> texture = Get(WritePicture("odd.png", 300, 200), 1);
    EXPECT_EQ(gl->LevelSize(texture->GetID(), 0), std::make_pair(300, 200));
    EXPECT_EQ(gl->LevelSize(texture->GetID(), 3), std::make_pair(37, 25));
}

TEST_F(TextureTest, ItsVisibleRegionIsFoundWithoutMipmapsAndIsTheWholeTextureWithThem)
{
    // Columns 4..7 of picture rows 3..4, which are texture rows 3..4 counted from the bottom.
    TestSupport::Picture picture(16, 8);
    for (i32 y = 3; y <= 4; ++y)
        for (i32 x = 4; x <= 7; ++x)
            picture.Set(x, y, 255, 255, 255, 40);
    const std::string path = folder.Write("dot.png", TestSupport::EncodePng(picture));
    EXPECT_EQ(Get(path, 0)->GetVisibleRegion(), (Renderer::TextureRegion{3.0f / 16, 2.0f / 8, 9.0f / 16, 6.0f / 8}));
    // The last level of a chain filters the dot in everywhere.
    const std::string copy = folder.Write("dot_mipmapped.png", TestSupport::EncodePng(picture));
    EXPECT_EQ(Get(copy, 1)->GetVisibleRegion(), Renderer::TextureRegion());
}

TEST_F(TextureTest, AMipmappedTextureShowsOverMoreOfItselfTheSmallerItIsDrawn)
{
    TestSupport::Picture picture(64, 64);
    for (i32 y = 28; y <= 33; ++y)
        for (i32 x = 20; x <= 29; ++x)
            picture.Set(x, y, 255, 255, 255, 120);
    const Core::RefPtr<Renderer::ITexture> plain = Get(folder.Write("plain.png", TestSupport::EncodePng(picture)), 0);
    const Core::RefPtr<Renderer::ITexture> chain = Get(folder.Write("chain.png", TestSupport::EncodePng(picture)), 1);
    // Drawn square, side pixels wide.
    auto drawnAt = [&](f32 side) { return chain->GetVisibleRegionAt({1.0f / side, 0.0f, 0.0f, 1.0f / side, true}); };
    auto within = [](const Renderer::TextureRegion& inner, const Renderer::TextureRegion& outer) {
        return inner.left >= outer.left && inner.bottom >= outer.bottom && inner.right <= outer.right && inner.top <= outer.top;
    };
    const Renderer::TextureRegion whole;
    const Renderer::TextureRegion levelZero = plain->GetVisibleRegion();
    EXPECT_EQ(drawnAt(128.0f), levelZero);
    EXPECT_TRUE(within(levelZero, drawnAt(64.0f)));
    EXPECT_NE(drawnAt(64.0f), whole);
    EXPECT_TRUE(within(drawnAt(64.0f), drawnAt(32.0f)));
    EXPECT_NE(drawnAt(64.0f), drawnAt(32.0f));
    EXPECT_TRUE(within(drawnAt(32.0f), drawnAt(16.0f)));
    EXPECT_NE(drawnAt(16.0f), whole);
    EXPECT_EQ(drawnAt(1.0f), whole);
    EXPECT_EQ(chain->GetVisibleRegionAt(Renderer::TextureFootprint{}), whole);
    EXPECT_EQ(chain->GetVisibleRegion(), whole);
}

TEST_F(TextureTest, EachCellOfAMipmappedSheetShowsWhereItsOwnPictureIsFilteredTo)
{
    // Four 32 x 32 cells: a dot in the bottom-left one, a block in the top-right one, nothing in the
    // other two. Picture rows count from the top, texture rows from the bottom.
    TestSupport::Picture picture(64, 64);
    for (i32 y = 50; y <= 53; ++y)
        for (i32 x = 10; x <= 13; ++x)
            picture.Set(x, y, 255, 255, 255, 200);
    for (i32 y = 4; y <= 27; ++y)
        for (i32 x = 36; x <= 59; ++x)
            picture.Set(x, y, 90, 90, 90, 255);
    const Core::RefPtr<Renderer::ITexture> sheet = Get(folder.Write("sheet.png", TestSupport::EncodePng(picture)), 1);
    const Renderer::TextureRegion dotCell{0.0f, 0.0f, 0.5f, 0.5f};
    const Renderer::TextureRegion emptyCell{0.0f, 0.5f, 0.5f, 1.0f};
    const Renderer::TextureRegion blockCell{0.5f, 0.5f, 1.0f, 1.0f};
    auto drawnAt = [&](f32 side, const Renderer::TextureRegion& cell) {
        return sheet->GetVisibleRegionWithin({1.0f / side, 0.0f, 0.0f, 1.0f / side, true}, cell);
    };
    // Drawn at twice its size only level 0 is read: texels 10..13 by 10..13, one more each side.
    EXPECT_EQ(drawnAt(128.0f, dotCell), (Renderer::TextureRegion{9.0f / 64, 9.0f / 64, 15.0f / 64, 15.0f / 64}));
    EXPECT_EQ(drawnAt(128.0f, blockCell), (Renderer::TextureRegion{35.0f / 64, 35.0f / 64, 61.0f / 64, 61.0f / 64}));
    EXPECT_EQ(drawnAt(128.0f, emptyCell), (Renderer::TextureRegion{0.0f, 0.0f, 0.0f, 0.0f}));
    // Smaller, coarser levels carry the dot further, but never out of its cell.
    const Renderer::TextureRegion quarter = drawnAt(16.0f, dotCell);
    EXPECT_LT(quarter.left, 9.0f / 64);
    EXPECT_GT(quarter.right, 15.0f / 64);
    EXPECT_GE(quarter.left, 0.0f);
    EXPECT_LE(quarter.top, 0.5f);
    // The last level filters everything in everywhere; an unknown footprint may read it.
    EXPECT_EQ(drawnAt(1.0f, emptyCell), emptyCell);
    EXPECT_EQ(sheet->GetVisibleRegionWithin(Renderer::TextureFootprint{}, dotCell), dotCell);
}

TEST_F(TextureTest, TextureOutlivingItsCacheDeletesNothing)
{
    Core::RefPtr<Renderer::ITexture> texture = Get(WritePicture("kept.png", 4, 4), 0);
    const u32 name = texture->GetID();
    // A new cache stands for a new context: the old texture's name is not its to delete.
    Renderer::TextureCache::Destroy();
    Renderer::TextureCache::Create();
    texture = nullptr;
    EXPECT_TRUE(gl->isTexture(name));
}

TEST_F(TextureTest, TexturedQuadShowsTheImageRightWayUp)
{
    // Top half red, bottom half blue, drawn over the whole window.
    TestSupport::Picture picture(4, 4);
    picture.Fill(0, 0, 255, 255);
    for (i32 y = 0; y < 2; ++y)
        for (i32 x = 0; x < 4; ++x)
            picture.Set(x, y, 255, 0, 0, 255);
    const Core::RefPtr<Renderer::ITexture> texture =
        Get(folder.Write("halves.png", TestSupport::EncodePng(picture)), 0);

    const f32 vertices[] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    const f32 texCoords[] = {0, 0, 1, 0, 1, 1, 0, 1};
    const u16 indices[] = {0, 1, 2, 0, 2, 3};
    renderer->ClearBuffers(Math::Color(0, 0, 0, 1), 1.0f, 0);
    renderer->SetTexture(0, texture);
    Renderer::TextureUnit0State unit;
    unit.environment = Renderer::TextureEnvironmentMode::Replace;
    unit.enabled = 1;
    renderer->SetTextureUnit0State(unit);
    renderer->SetVertexArray(vertices);
    renderer->SetTexCoordArray(0, texCoords);
    renderer->SetIndexArray16(indices);
    renderer->SetPrimitiveType(Renderer::Primitive::Triangles);
    renderer->DrawRange(0, 5);
    renderer->SetIndexArray16(nullptr);
    renderer->SetTexCoordArray(0, nullptr);
    renderer->SetVertexArray(nullptr);

    EXPECT_EQ(ReadPixel(Side / 2, Side - 4), (std::vector<u8>{255, 0, 0}));
    EXPECT_EQ(ReadPixel(Side / 2, 3), (std::vector<u8>{0, 0, 255}));
}

TEST_F(TextureTest, MipmapsAreLeftOutOnlyOfDrawsThatReadLevelZeroAloneAndOnlyForThatDraw)
{
    // Columns of black and white a texel wide: level 0 shows them, every coarser level is grey.
    TestSupport::Picture picture(16, 16);
    for (i32 y = 0; y < 16; ++y)
        for (i32 x = 0; x < 16; ++x)
            picture.Set(x, y, x % 2 ? 255 : 0, x % 2 ? 255 : 0, x % 2 ? 255 : 0, 255);
    const Core::RefPtr<Renderer::ITexture> texture = Get(folder.Write("columns.png", TestSupport::EncodePng(picture)), 1);
    ASSERT_TRUE(texture->HasMipmaps());
    // A square of side pixels in the middle of the window, through the identity matrices.
    auto draw = [&](f32 side) {
        const f32 h = side / Side;
        const f32 vertices[] = {-h, -h, 0, h, -h, 0, h, h, 0, -h, h, 0};
        const f32 texCoords[] = {0, 0, 1, 0, 1, 1, 0, 1};
        const u16 indices[] = {0, 1, 2, 0, 2, 3};
        renderer->ClearBuffers(Math::Color(1, 0, 0, 1), 1.0f, 0);
        renderer->SetTexture(0, texture);
        Renderer::TextureUnit0State unit;
        unit.environment = Renderer::TextureEnvironmentMode::Replace;
        unit.filter = Renderer::TextureFilter::Linear;
        unit.wrapS = unit.wrapT = Renderer::TextureWrap::ClampToEdge;
        unit.enabled = 1;
        renderer->SetTextureUnit0State(unit);
        renderer->SetVertexArray(vertices);
        renderer->SetTexCoordArray(0, texCoords);
        renderer->SetIndexArray16(indices);
        renderer->SetPrimitiveType(Renderer::Primitive::Triangles);
        renderer->DrawRange(0, 5);
        renderer->SetIndexArray16(nullptr);
        renderer->SetTexCoordArray(0, nullptr);
        renderer->SetVertexArray(nullptr);
        int darkest = 255, brightest = 0;
        for (i32 x = Side / 2 - static_cast<i32>(side) / 4; x < Side / 2 + static_cast<i32>(side) / 4; ++x)
        {
            const int value = ReadPixel(x, Side / 2)[0];
            darkest = std::min(darkest, value);
            brightest = std::max(brightest, value);
        }
        return brightest - darkest;
    };
    // Twice its size the columns show; at a quarter only the grey of the coarser levels does.
    EXPECT_GT(draw(32.0f), 100);
    EXPECT_LT(draw(4.0f), 40);
    // The texture keeps its mipmapped filtering for whatever draws it next.
    draw(48.0f);
    int minification = 0;
    gl->bindTexture(GLQueries::Texture2D, texture->GetID());
    gl->getTexParameteriv(GLQueries::Texture2D, GLQueries::TextureMinFilter, &minification);
    EXPECT_EQ(minification, GLQueries::LinearMipmapLinear);
}
