// Nine-part skins: the record file reader (hostile files included), the layout below, at and above
// the borders, texture coordinates per column and row, the dirty and clip cache, copies and the
// stream form.
#include "GUI_TestSupport.h"

#include "core/Core_File.h"
#include "gui/GUI_GuiImage.h"
#include "gui/GUI_Paths.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using GuiTest::GuiFixture;
using GUI::GuiImage;
using GUI::SkinRecord;

namespace
{
void PutF32(std::vector<u8>& out, f32 value)
{
    u32 bits = 0;
    std::memcpy(&bits, &value, 4);
    TestSupport::PutU32LittleEndian(out, bits);
}

std::vector<u8> RecordFile(const std::vector<SkinRecord>& records, u32 count)
{
    std::vector<u8> bytes;
    TestSupport::PutU32LittleEndian(bytes, count);
    for (const SkinRecord& r : records)
    {
        for (f32 value : {r.regionX, r.regionY, r.regionWidth, r.regionHeight, r.innerLeft, r.innerRight,
                          r.innerBottom, r.innerTop})
            PutF32(bytes, value);
    }
    return bytes;
}

// A 64 x 32 region with borders 8 wide left and right and 6 high top and bottom.
const SkinRecord Framed{0, 0, 64, 32, 8, 56, 6, 26};

class GuiImageTest : public GuiFixture
{
protected:
    // Writes name.gui and returns the skin path (without extension).
    Core::String Skin(const std::string& name, const std::vector<u8>& bytes)
    {
        folder.Write(name + ".gui", bytes);
        return Core::String(folder.PathOf(name).c_str());
    }

    Core::RefPtr<GuiImage> Image(const std::vector<SkinRecord>& records, f32 width, f32 height)
    {
        return Core::RefPtr<GuiImage>(
            new GuiImage(Skin("skin", RecordFile(records, static_cast<u32>(records.size()))), GUI::Size{width, height}));
    }

    static void ExpectPiece(const GuiImage& image, u32 piece, f32 x, f32 y, f32 width, f32 height)
    {
        EXPECT_EQ(static_cast<const GUI::NRectangle&>(image.GetPiece(piece)), GUI::NRectangle(x, y, width, height))
            << "piece " << piece;
    }

    TestSupport::ScratchFolder folder{"morvane_gui_image"};
};
} // namespace

TEST_F(GuiImageTest, NinePiecesKeepTheBordersAndStretchTheMiddle)
{
    Core::RefPtr<GuiImage> image = Image({Framed}, 200, 50);
    image->SetPosition(Math::Point2D(100, 200));
    EXPECT_EQ(image->GetLeftBorder(), 8.0f);
    EXPECT_EQ(image->GetRightBorder(), 8.0f);
    EXPECT_EQ(image->GetTopBorder(), 6.0f);
    EXPECT_EQ(image->GetBottomBorder(), 6.0f);
    ExpectPiece(*image, 0, 100, 244, 8, 6);
    ExpectPiece(*image, 1, 108, 244, 184, 6);
    ExpectPiece(*image, 2, 292, 244, 8, 6);
    ExpectPiece(*image, 3, 100, 206, 8, 38);
    ExpectPiece(*image, 4, 108, 206, 184, 38);
    ExpectPiece(*image, 5, 292, 206, 8, 38);
    ExpectPiece(*image, 6, 100, 200, 8, 6);
    ExpectPiece(*image, 7, 108, 200, 184, 6);
    ExpectPiece(*image, 8, 292, 200, 8, 6);

    image->Draw(GUI::NRectangle(0, 0, 640, 480));
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 9u);
}

TEST_F(GuiImageTest, BelowTheBordersSizesClampButPositionsDoNot)
{
    Core::RefPtr<GuiImage> image = Image({Framed}, 10, 10);
    image->SetPosition(Math::Point2D(50, 60));
    ExpectPiece(*image, 4, 58, 66, 0, 0);
    ExpectPiece(*image, 0, 50, 64, 8, 6);
    ExpectPiece(*image, 2, 52, 64, 8, 6);
    image->Draw(GUI::NRectangle(0, 0, 640, 480));
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 4u); // the corners only

    // A border larger than the drawn size: the piece is cut to the size, not moved.
    image->SetWidth(4);
    ExpectPiece(*image, 0, 50, 64, 4, 6);
    ExpectPiece(*image, 2, 46, 64, 4, 6);
    ExpectPiece(*image, 1, 58, 64, 0, 6);

    // Exactly at the borders the middle has no size.
    image->SetWidth(16);
    image->SetHeight(12);
    ExpectPiece(*image, 4, 58, 66, 0, 0);
    ExpectPiece(*image, 2, 58, 66, 8, 6);
}

TEST_F(GuiImageTest, TextureCoordinatesFollowColumnsAndRowsOfTheRecordsRegion)
{
    // A saved image of a 128 x 64 skin image, laid out anew by a size change.
    Core::RefPtr<GuiImage> saved = Image({SkinRecord{64, 32, 64, 32, 8, 56, 6, 26}}, 20, 20);
    Core::MemoryFile file;
    saved->Save(file);
    std::vector<u8> bytes(file.GetData(), file.GetData() + file.GetSize());
    const std::size_t textureSize = 4 + saved->GetName().size() + 9 * 48 + 16;
    std::vector<u8> size;
    PutF32(size, 128);
    PutF32(size, 64);
    std::copy(size.begin(), size.end(), bytes.begin() + static_cast<std::ptrdiff_t>(textureSize));
    Core::MemoryFile patched(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<GuiImage> image(static_cast<GuiImage*>(GuiImage::CreateInstance()));
    image->Load(patched);
    ASSERT_FALSE(patched.Failed());
    EXPECT_EQ(image->GetTextureWidth(), 128.0f);
    image->SetWidth(200);

    for (u32 piece : {1u, 4u, 7u})
    {
        EXPECT_FLOAT_EQ(image->GetPiece(piece).GetTexCoord(0).x, 72.0f / 128.0f) << piece;
        EXPECT_FLOAT_EQ(image->GetPiece(piece).GetTexCoord(1).x, 120.0f / 128.0f) << piece;
    }
    EXPECT_FLOAT_EQ(image->GetPiece(2).GetTexCoord(1).x, 1.0f);
    // Top row from the inner top to the region top; bottom row from the region bottom.
    EXPECT_FLOAT_EQ(image->GetPiece(0).GetTexCoord(0).y, 58.0f / 64.0f);
    EXPECT_FLOAT_EQ(image->GetPiece(0).GetTexCoord(3).y, 1.0f);
    EXPECT_FLOAT_EQ(image->GetPiece(3).GetTexCoord(0).y, 38.0f / 64.0f);
    EXPECT_FLOAT_EQ(image->GetPiece(6).GetTexCoord(0).y, 0.5f);
    EXPECT_FLOAT_EQ(image->GetPiece(6).GetTexCoord(2).y, 38.0f / 64.0f);

    // A texture of size 0 (here none at all) gives coordinates 0 instead of dividing by it.
    for (u32 piece = 0; piece < GuiImage::PieceCount; ++piece)
    {
        for (u32 corner = 0; corner < 4; ++corner)
            EXPECT_EQ(saved->GetPiece(piece).GetTexCoord(corner), Math::Vector2D(0, 0));
    }
}

TEST_F(GuiImageTest, ContextsAreRefilledOnlyWhenSomethingChanged)
{
    Core::RefPtr<GuiImage> image = Image({Framed, SkinRecord{0, 32, 64, 32, 4, 60, 4, 28}}, 100, 40);
    const GUI::NRectangle screen(0, 0, 640, 480);
    image->Draw(screen);
    EXPECT_FALSE(image->IsDirty());

    // A context edited behind the image's back stays as edited while nothing changes.
    image->GetRenderContext(0)->depth = 99.0f;
    image->SetWidth(100);
    image->SetState(0);
    image->SetState(2); // the record count: out of range
    image->SetPosition(Math::Point2D(0, 0));
    image->SetDepth(0);
    image->SetOpacity(1);
    image->SetColor(Math::Color(1, 1, 1, 1));
    EXPECT_FALSE(image->IsDirty());
    image->Draw(screen);
    EXPECT_EQ(image->GetRenderContext(0)->depth, 99.0f);
    EXPECT_EQ(image->GetState(), 0u);

    image->Draw(GUI::NRectangle(0, 0, 640, 479));
    EXPECT_EQ(image->GetRenderContext(0)->depth, 0.0f);

    image->SetState(1);
    EXPECT_TRUE(image->IsDirty());
    EXPECT_EQ(image->GetLeftBorder(), 4.0f);
    image->SetDepth(5.0f);
    image->SetOpacity(0.5f);
    image->SetColor(Math::Color(1, 0, 0, 1));
    image->Update(screen);
    EXPECT_EQ(image->GetRenderContext(4)->depth, 5.0f);
    EXPECT_EQ(image->GetRenderContext(4)->color, Math::Color(1, 0, 0, 0.5f));

    // Hidden images queue nothing; pieces outside the clip are filled as not shown.
    const u32 before = queue->GetHudScreenObjectCount();
    image->SetVisible(false);
    image->Draw(screen);
    EXPECT_EQ(queue->GetHudScreenObjectCount(), before);
    image->SetVisible(true);
    image->Draw(GUI::NRectangle(0, 0, 4, 4));
    EXPECT_FALSE(image->GetRenderContext(4)->IsShown());
    EXPECT_TRUE(image->GetRenderContext(6)->IsShown());
    EXPECT_EQ(queue->GetHudScreenObjectCount(), before + 1);
}

TEST_F(GuiImageTest, ACopyTakesTheSettingsAndTheStateItsSkinHas)
{
    Core::RefPtr<GuiImage> original = Image({Framed, Framed, SkinRecord{0, 64, 64, 32, 10, 54, 2, 30}}, 120, 30);
    original->SetState(2);
    original->SetOpacity(0.25f);
    original->SetDepth(3);
    original->SetPosition(Math::Point2D(40, 40));

    Core::RefPtr<GuiImage> copy(original->CloneImage(original->GetName()));
    EXPECT_EQ(copy->GetState(), 2u);
    EXPECT_EQ(copy->GetLeftBorder(), 10.0f);
    EXPECT_EQ(copy->GetOpacity(), 0.25f);
    EXPECT_EQ(copy->GetWidth(), 120.0f);
    EXPECT_EQ(copy->GetDepth(), 3.0f);
    EXPECT_EQ(copy->GetPosition(), Math::Point2D(0, 0));

    const Core::String twoStates = Skin("two", RecordFile({Framed, Framed}, 2));
    Core::RefPtr<GuiImage> shorter(new GuiImage(twoStates, *original));
    EXPECT_EQ(shorter->GetState(), 0u);

    // The generated button skin: five states of 64 x 32.
    Core::RefPtr<GuiImage> button(new GuiImage(GUI::GetSkinPath("DefaultButtonSkin"), *original));
    ASSERT_EQ(button->GetRecordCount(), 5u);
    EXPECT_EQ(button->GetState(), 2u);
    EXPECT_EQ(button->GetRecord(4).regionY, 128.0f);
    EXPECT_EQ(button->GetRecord(4).innerRight, 56.0f);
}

TEST_F(GuiImageTest, HostileRecordFilesAreBoundedByTheirBytes)
{
    // A count far beyond the records there.
    Core::RefPtr<GuiImage> huge(new GuiImage(Skin("huge", RecordFile({Framed}, 0xFFFFFFFFu)), GUI::Size{50, 50}));
    EXPECT_EQ(huge->GetRecordCount(), 1u);
    EXPECT_EQ(huge->GetLeftBorder(), 8.0f);

    // A record cut short keeps 0 for what it lacks; bytes after the last record are ignored.
    std::vector<u8> cut = RecordFile({Framed, Framed}, 2);
    cut.resize(cut.size() - 6);
    Core::RefPtr<GuiImage> shortFile(new GuiImage(Skin("cut", cut), GUI::Size{50, 50}));
    ASSERT_EQ(shortFile->GetRecordCount(), 2u);
    EXPECT_EQ(shortFile->GetRecord(1).innerRight, 56.0f);
    EXPECT_EQ(shortFile->GetRecord(1).innerBottom, 0.0f); // half there
    EXPECT_EQ(shortFile->GetRecord(1).innerTop, 0.0f);
    std::vector<u8> extra = RecordFile({Framed}, 1);
    extra.insert(extra.end(), 100, 0xFF);
    Core::RefPtr<GuiImage> trailing(new GuiImage(Skin("extra", extra), GUI::Size{50, 50}));
    EXPECT_EQ(trailing->GetRecordCount(), 1u);

    // No record at all: nothing to lay out and nothing drawn.
    for (const Core::String& path : {Skin("empty", {}), Skin("stub", {1, 0}), Skin("zero", RecordFile({}, 0)),
                                     Core::String(folder.PathOf("missing").c_str())})
    {
        Core::RefPtr<GuiImage> image(new GuiImage(path, GUI::Size{50, 50}));
        EXPECT_EQ(image->GetRecordCount(), 0u);
        image->SetState(0);
        image->Draw(GUI::NRectangle(0, 0, 640, 480));
    }
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 0u);
}

TEST_F(GuiImageTest, TheStreamFormRoundTripsAndAHostileRecordCountFailsCleanly)
{
    Core::RefPtr<GuiImage> image = Image({Framed, Framed}, 90, 40);
    image->SetState(1);
    image->SetPosition(Math::Point2D(7, 8));
    image->SetColor(Math::Color(0.5f, 0.5f, 1, 1));
    image->Draw(GUI::NRectangle(1, 2, 300, 400));

    Core::MemoryFile file;
    file.WriteObject(image);
    Core::RefPtr<GuiImage> loaded;
    ASSERT_TRUE(file.ReadObjectInto(loaded));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetName(), image->GetName());
    for (u32 piece = 0; piece < GuiImage::PieceCount; ++piece)
        EXPECT_EQ(static_cast<const GUI::NRectangle&>(loaded->GetPiece(piece)),
                  static_cast<const GUI::NRectangle&>(image->GetPiece(piece)));
    EXPECT_EQ(loaded->GetState(), 1u);
    EXPECT_EQ(loaded->GetRecordCount(), 2u);
    EXPECT_EQ(loaded->GetColor(), Math::Color(0.5f, 0.5f, 1, 1));
    EXPECT_EQ(loaded->GetPosition(), Math::Point2D(7, 8));
    EXPECT_TRUE(loaded->IsDirty());
    loaded->Draw(GUI::NRectangle(1, 2, 300, 400));
    EXPECT_TRUE(loaded->GetRenderContext(0)->IsValid());

    // The record count of a saved image claims far more than the stream holds.
    Core::MemoryFile saved;
    image->Save(saved);
    std::vector<u8> bytes(saved.GetData(), saved.GetData() + saved.GetSize());
    const std::size_t countAt = bytes.size() - 16 - 2 * SkinRecord::ByteSize - 4;
    bytes[countAt + 3] = 0x7F;
    bytes.resize(countAt + 4 + 40);
    Core::MemoryFile hostile(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<GuiImage> victim(static_cast<GuiImage*>(GuiImage::CreateInstance()));
    victim->Load(hostile);
    EXPECT_TRUE(hostile.Failed());
    EXPECT_LE(victim->GetRecordCount(), 2u);
    victim->SetState(1);
    victim->SetWidth(300);
    victim->Draw(GUI::NRectangle(0, 0, 640, 480));
}
