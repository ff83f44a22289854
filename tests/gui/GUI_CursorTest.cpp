// Cursors: the 32 x 32 quad at the mouse minus the hot spot, on top of everything, cut at the clip
// rectangle; the manager that draws the current one; their stream forms.
#include "GUI_TestSupport.h"

#include "core/Core_File.h"
#include "gui/GUI_CursorManager.h"
#include "gui/GUI_GuiImage.h"
#include "gui/GUI_Paths.h"

#include <gtest/gtest.h>

using GuiTest::GuiFixture;

namespace
{
class CursorTest : public GuiFixture
{
protected:
    Core::RefPtr<GUI::Cursor> Arrow()
    {
        Core::RefPtr<GUI::Cursor> cursor(new GUI::Cursor(GUI::GetCursorPath("Arrow.png")));
        cursor->SetHotSpot(Math::Vector2D(0, 32));
        return cursor;
    }
};
} // namespace

TEST_F(CursorTest, TheQuadHangsFromTheMouseAndIsCutAtTheScreensBottom)
{
    Core::RefPtr<GUI::Cursor> cursor = Arrow();
    cursor->Draw(Math::Point2D(10, 0));
    EXPECT_FALSE(cursor->GetRenderContext()->IsShown());
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 0u);

    cursor->Draw(Math::Point2D(10, 16));
    const Core::RefPtr<Engine::TextRenderContext> quad = cursor->GetRenderContext();
    ASSERT_TRUE(quad->IsShown());
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 1u);
    EXPECT_EQ(quad->depth, 3.4028235e38f);
    const f32 corners[12] = {10, 0, 0, 42, 0, 0, 42, 16, 0, 10, 16, 0};
    for (u32 i = 0; i < 12; ++i)
        EXPECT_EQ(quad->vertices[i], corners[i]) << i;
    // The upper half of the image.
    EXPECT_EQ(quad->texCoords[1], 0.5f);
    EXPECT_EQ(quad->texCoords[5], 1.0f);

    cursor->Draw(Math::Point2D(100, 100));
    EXPECT_EQ(quad->vertices[0], 100.0f);
    EXPECT_EQ(quad->vertices[1], 68.0f);
    EXPECT_EQ(quad->vertices[6], 132.0f);
    EXPECT_EQ(quad->vertices[7], 100.0f);
}

TEST_F(CursorTest, TheManagerDrawsOnlyACurrentCursorAndTheLastOneMadeIsTheInstance)
{
    GUI::CursorManager first;
    EXPECT_EQ(GUI::CursorManager::GetInstance(), &first);
    first.Draw(0.016f);
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 0u);

    first.SetCursor(Arrow());
    first.Draw(0.016f); // no mouse device: the mouse sits at (0, 0) and the quad hangs below it
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 0u);
    Core::RefPtr<GUI::Cursor> flat(new GUI::Cursor(GUI::GetCursorPath("Arrow.png")));
    first.SetCursor(flat);
    first.Draw(0.016f);
    EXPECT_EQ(queue->GetHudScreenObjectCount(), 1u);

    {
        GUI::CursorManager second;
        EXPECT_EQ(GUI::CursorManager::GetInstance(), &second);
        EXPECT_FALSE(second.GetCursor());
        EXPECT_EQ(first.GetCursor().Get(), flat.Get());
    }
    EXPECT_EQ(GUI::CursorManager::GetInstance(), nullptr);
}

TEST_F(CursorTest, CursorsAndTheManagerRoundTripAndRefuseAnotherClass)
{
    Core::RefPtr<GUI::CursorManager> manager(new GUI::CursorManager());
    manager->SetCursor(Arrow());
    Core::MemoryFile file;
    file.WriteObject(manager);

    Core::RefPtr<GUI::CursorManager> loaded;
    ASSERT_TRUE(file.ReadObjectInto(loaded));
    ASSERT_TRUE(loaded && loaded->GetCursor());
    EXPECT_EQ(loaded->GetCursor()->GetHotSpot(), Math::Vector2D(0, 32));
    EXPECT_EQ(loaded->GetCursor()->GetPath(), GUI::GetCursorPath("Arrow.png"));
    EXPECT_EQ(GUI::CursorManager::GetInstance(), loaded.Get());

    // A manager record that holds an image where the cursor should be.
    Core::MemoryFile wrong;
    wrong.WriteObject(Core::RefPtr<GUI::GuiImage>(new GUI::GuiImage("", GUI::Size{8, 8})));
    Core::RefPtr<GUI::Cursor> kept = loaded->GetCursor();
    loaded->Load(wrong);
    EXPECT_TRUE(wrong.Failed());
    EXPECT_EQ(loaded->GetCursor().Get(), kept.Get());
}
