// Rectangle edges, validity and intersections, the textured clip on every side, and the resource
// paths built from the executable's folder.
#include "core/Core_File.h"
#include "platform/PAL_FileSystem.h"
#include "gui/GUI_Paths.h"
#include "gui/GUI_TRectangle.h"

#include <gtest/gtest.h>

using GUI::NRectangle;
using GUI::TRectangle;

namespace
{
void ExpectUv(const TRectangle& r, u32 corner, f32 u, f32 v)
{
    EXPECT_FLOAT_EQ(r.GetTexCoord(corner).x, u) << "corner " << corner;
    EXPECT_FLOAT_EQ(r.GetTexCoord(corner).y, v) << "corner " << corner;
}
} // namespace

TEST(RectangleTest, EdgesBelongToTheRectangleAndValidityNeedsOnePixel)
{
    const NRectangle a(0, 0, 10, 10);
    const NRectangle b(10, 0, 10, 10);
    EXPECT_TRUE(a.IsInside(10, 5));
    EXPECT_TRUE(b.IsInside(10, 5));
    EXPECT_TRUE(a.IsInside(0, 0));
    EXPECT_TRUE(a.IsInside(10, 10));
    EXPECT_FALSE(a.IsInside(10.01f, 5));
    EXPECT_FALSE(a.IsInside(5, -0.01f));
    EXPECT_EQ(a.GetRight(), 10.0f);
    EXPECT_EQ(NRectangle(3, 4, 5, 6).GetTop(), 10.0f);

    EXPECT_FALSE(NRectangle(0, 0, 0.5f, 100).IsValid());
    EXPECT_FALSE(NRectangle(0, 0, 100, 0.99f).IsValid());
    EXPECT_TRUE(NRectangle(0, 0, 1, 1).IsValid());
}

TEST(RectangleTest, IntersectionsOfTouchingOverlappingAndDisjointRectangles)
{
    NRectangle out;
    EXPECT_FALSE(NRectangle::Intersect(out, NRectangle(0, 0, 10, 10), NRectangle(10, 0, 10, 10)));
    EXPECT_EQ(out, NRectangle(10, 0, 0, 10));

    EXPECT_TRUE(NRectangle::Intersect(out, NRectangle(0, 0, 10, 10), NRectangle(9, 9, 10, 10)));
    EXPECT_EQ(out, NRectangle(9, 9, 1, 1));

    EXPECT_FALSE(NRectangle::Intersect(out, NRectangle(0, 0, 10, 5), NRectangle(9.01f, 0, 10, 10)));
    EXPECT_NEAR(out.width, 0.99f, 1e-5f);
    EXPECT_EQ(out.height, 5.0f);

    // Disjoint rectangles leave a negative size, and the operands may be the output.
    NRectangle a(0, 0, 10, 10);
    EXPECT_FALSE(NRectangle::Intersect(a, a, NRectangle(30, 40, 5, 5)));
    EXPECT_EQ(a, NRectangle(30, 40, -20, -30));
}

TEST(RectangleTest, InequalityLooksAtEveryFieldAndTheStreamFormRoundTrips)
{
    const NRectangle base(1, 2, 3, 4);
    EXPECT_FALSE(base != NRectangle(1, 2, 3, 4));
    EXPECT_TRUE(base != NRectangle(0, 2, 3, 4));
    EXPECT_TRUE(base != NRectangle(1, 0, 3, 4));
    EXPECT_TRUE(base != NRectangle(1, 2, 0, 4));
    EXPECT_TRUE(base != NRectangle(1, 2, 3, 0));

    TRectangle textured(5, 6, 7, 8);
    textured.SetTexCoord(2, Math::Vector2D(0.25f, 0.75f));
    Core::MemoryFile file;
    textured.Save(file);
    EXPECT_EQ(file.GetSize(), 48u);
    TRectangle loaded;
    loaded.Load(file);
    EXPECT_EQ(static_cast<const NRectangle&>(loaded), NRectangle(5, 6, 7, 8));
    ExpectUv(loaded, 2, 0.25f, 0.75f);
    ExpectUv(loaded, 3, 0.0f, 1.0f);
}

TEST(RectangleTest, ClippingCutsTheTextureCoordinatesInProportionOnEverySide)
{
    const TRectangle source(0, 0, 100, 100);
    TRectangle out;

    ASSERT_TRUE(TRectangle::ClipTextured(out, source, NRectangle(50, 0, 100, 100)));
    EXPECT_EQ(static_cast<const NRectangle&>(out), NRectangle(50, 0, 50, 100));
    ExpectUv(out, 0, 0.5f, 0.0f);
    ExpectUv(out, 1, 1.0f, 0.0f);
    ExpectUv(out, 2, 1.0f, 1.0f);
    ExpectUv(out, 3, 0.5f, 1.0f);

    ASSERT_TRUE(TRectangle::ClipTextured(out, source, NRectangle(-10, -10, 85, 200)));
    ExpectUv(out, 0, 0.0f, 0.0f);
    ExpectUv(out, 1, 0.75f, 0.0f);
    ExpectUv(out, 2, 0.75f, 1.0f);

    ASSERT_TRUE(TRectangle::ClipTextured(out, source, NRectangle(0, 20, 100, 200)));
    ExpectUv(out, 0, 0.0f, 0.2f);
    ExpectUv(out, 1, 1.0f, 0.2f);
    ExpectUv(out, 3, 0.0f, 1.0f);

    ASSERT_TRUE(TRectangle::ClipTextured(out, source, NRectangle(0, 0, 100, 60)));
    ExpectUv(out, 0, 0.0f, 0.0f);
    ExpectUv(out, 2, 1.0f, 0.6f);
    ExpectUv(out, 3, 0.0f, 0.6f);

    // A sub-range of an atlas shrinks within its own range.
    TRectangle cell(0, 0, 10, 10);
    cell.SetTexCoord(0, {0.2f, 0.4f});
    cell.SetTexCoord(1, {0.3f, 0.4f});
    cell.SetTexCoord(2, {0.3f, 0.5f});
    cell.SetTexCoord(3, {0.2f, 0.5f});
    ASSERT_TRUE(TRectangle::ClipTextured(out, cell, NRectangle(5, 5, 100, 100)));
    ExpectUv(out, 0, 0.25f, 0.45f);
    ExpectUv(out, 2, 0.3f, 0.5f);
}

TEST(RectangleTest, ClippingMirroredCoordinatesCutsTheFarTexelsAndAContainingClipChangesNothing)
{
    TRectangle mirrored(0, 0, 100, 100);
    mirrored.SetTexCoord(0, {1, 0});
    mirrored.SetTexCoord(1, {0, 0});
    mirrored.SetTexCoord(2, {0, 1});
    mirrored.SetTexCoord(3, {1, 1});
    TRectangle out;
    ASSERT_TRUE(TRectangle::ClipTextured(out, mirrored, NRectangle(50, 0, 100, 100)));
    ExpectUv(out, 0, 0.5f, 0.0f);
    ExpectUv(out, 1, 0.0f, 0.0f);

    TRectangle source(10, 20, 30, 40);
    source.SetTexCoord(1, {0.5f, 0.0f});
    ASSERT_TRUE(TRectangle::ClipTextured(out, source, NRectangle(0, 0, 640, 480)));
    EXPECT_EQ(static_cast<const NRectangle&>(out), static_cast<const NRectangle&>(source));
    for (u32 corner = 0; corner < 4; ++corner)
        ExpectUv(out, corner, source.GetTexCoord(corner).x, source.GetTexCoord(corner).y);

    const TRectangle untouched(7, 7, 7, 7);
    out = untouched;
    EXPECT_FALSE(TRectangle::ClipTextured(out, source, NRectangle(39.5f, 0, 100, 100)));
    EXPECT_EQ(static_cast<const NRectangle&>(out), NRectangle(7, 7, 7, 7));
}

TEST(ResourcePathTest, FoldersAndPathsHangOffTheExecutableFolderWithBackslashes)
{
    const Core::String root = Core::String(PAL::GetExecutableDirectory()) + "\\Resources";
    EXPECT_EQ(GUI::GetResourcesFolder(), "Resources");
    EXPECT_EQ(GUI::GetOverlayPath("ComboDown.png"), root + "\\Skins\\Overlays\\ComboDown.png");
    EXPECT_EQ(GUI::GetSkinPath("DefaultButtonSkin"), root + "\\Skins\\DefaultButtonSkin\\DefaultButtonSkin");
    EXPECT_EQ(GUI::GetSkinFilePath("White.png"), root + "\\Skins\\White.png");
    EXPECT_EQ(GUI::GetFontPath("GameFont"), root + "\\Fonts\\GameFont\\GameFont");
    EXPECT_EQ(GUI::GetCursorPath("Arrow.png"), root + "\\Cursors\\Arrow.png");
}

TEST(ResourcePathTest, NamesFromStreamsStayInsideTheirFolder)
{
    EXPECT_TRUE(GUI::IsPlainResourceName("GameFont"));
    EXPECT_TRUE(GUI::IsPlainResourceName(""));
    EXPECT_FALSE(GUI::IsPlainResourceName(".."));
    EXPECT_FALSE(GUI::IsPlainResourceName("a\\b"));
    EXPECT_FALSE(GUI::IsPlainResourceName("a/b"));

    const Core::String skins = GUI::GetSkinsFolder();
    EXPECT_TRUE(GUI::IsInsideFolder(GUI::GetSkinPath("DefaultFormSkin"), skins));
    EXPECT_FALSE(GUI::IsInsideFolder(skins + "\\..\\..\\secret", skins));
    EXPECT_FALSE(GUI::IsInsideFolder(skins + "\\a/../../b", skins));
    EXPECT_FALSE(GUI::IsInsideFolder("/etc/passwd", skins));
    EXPECT_FALSE(GUI::IsInsideFolder(skins, skins));
    EXPECT_FALSE(GUI::IsInsideFolder(skins + "Extra\\x", skins));
}
