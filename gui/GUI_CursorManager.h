#pragma once
// Holds the cursor to show and draws it at the mouse position once per frame. The manager
// constructed last is the one GetInstance returns (the HUD's, unless another was made after it).
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "gui/GUI_Cursor.h"

namespace GUI
{
class CursorManager : public Core::Object
{
public:
    // Empty; becomes the instance.
    CursorManager();
    CursorManager(const CursorManager&) = delete;
    CursorManager& operator=(const CursorManager&) = delete;
    // Stops being the instance if it still is.
    ~CursorManager() override;

    // The manager constructed last that still exists; null when there is none.
    static CursorManager* GetInstance();
    static Core::Object* CreateInstance();

    // An empty reference shows no cursor.
    void SetCursor(Cursor* cursor) { current = cursor; }
    Core::RefPtr<Cursor> GetCursor() const { return current; }

    // Draws the current cursor, if any, at the GUI mouse position; dt is not used.
    void Draw(f32 dt);

    // The current cursor as an object reference.
    void Save(Core::File& file) override;
    // Reads an object reference into the current cursor; anything but a cursor fails the stream.
    void Load(Core::File& file) override;
    const char* GetClassName() const override;
    u32 GetSize() const override { return sizeof(CursorManager); }

private:
    Core::RefPtr<Cursor> current;
};
} // namespace GUI
