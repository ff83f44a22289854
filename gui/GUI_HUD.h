#pragma once
// The root of the GUI: the one HUD that the game creates before its engines, updates after the
// input devices every frame and draws after the level's viewports. It owns the top-level forms
// (drawn in list order, the last on top), the hit-test candidates, the controls waiting to be
// destroyed, the GUI's drawing state and cursor manager, and the plain pointers to the controls
// that play a special part; it clears each of those whenever its control leaves the GUI.
#include "core/Core_File.h"
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "gui/GUI_Cursor.h"
#include "gui/GUI_CursorManager.h"
#include "gui/GUI_Graphics.h"

#include <memory>

namespace GUI
{
class Control;
class Form;

class HUD : public Core::Base
{
public:
    // Becomes the HUD that GetInstance returns and its graphics the GUI's drawing state; hides
    // the system cursor.
    HUD();
    ~HUD() override;
    HUD(const HUD&) = delete;
    HUD& operator=(const HUD&) = delete;

    // The HUD, or null while none lives.
    static HUD* GetInstance();

    // The frame's GUI work: system cursor, removals, front order, the forms' updates (which draw
    // them), rectangles, cursor, hit test, pressed latch, then the queued destructions.
    void Update(f32 dt);
    // Draws the GUI's screen objects of the frame through the render queue and empties their list.
    void Draw();
    // Back to the state of a new screen (a level switch or a load): no forms, no queued work, no
    // special controls, the system cursor hidden, not loading.
    void Clear();

    // The HUD part of a saved game, and back; Load moves the mouse to the saved position. A load
    // that fails part-way, or whose controls loop through their children or parents, leaves the
    // HUD cleared and the stream failed.
    void Save(Core::File& file);
    void Load(Core::File& file);

    // Forms and controls entering and leaving the GUI.
    void AddForm(Form* form);
    void RemoveForm(Control* form);
    Form* FindForm(const Core::String& name) const;
    void AddControl(Control* control);
    void RemoveControl(Control* control);
    void ForgetControl(Control* control);
    void QueueDestroy(Control* control);

    // The topmost enabled control under the mouse, or null.
    Control* HitTest() const;
    // The topmost top-level control that is enabled and visible, or null.
    Control* GetTopmostForm() const;
    static bool CompareDepth(const Control* a, const Control* b);

    void SetModalForm(Control* form);
    void FlashModalForm();

    void SetActiveForm(Control* form) { activeForm = form; }
    Control* GetActiveForm() const { return activeForm; }
    void SetFocusedControl(Control* control) { focusedControl = control; }
    Control* GetFocusedControl() const { return focusedControl; }
    void SetLastPressedControl(Control* control) { lastPressedControl = control; }
    Control* GetLastPressedControl() const { return lastPressedControl; }
    Control* GetPressedControl() const { return pressedControl; }
    Control* GetHoveredControl() const { return hoveredControl; }
    Control* GetModalForm() const { return modalForm; }
    void SetBringToFront(Control* form) { bringToFrontForm = form; }
    Control* GetBringToFront() const { return bringToFrontForm; }
    void ShowCursor(bool value) { cursorVisible = value ? 1 : 0; }
    bool IsCursorVisible() const { return cursorVisible != 0; }
    bool IsSystemCursorShown() const { return systemCursorShown != 0; }
    bool IsLoading() const { return loading != 0; }
    // Whether a HUD lives and is loading: constructors then leave their set-up to Load.
    static bool IsInstanceLoading() { return GetInstance() && GetInstance()->IsLoading(); }

    u32 GetFormCount() const { return static_cast<u32>(forms.size()); }
    // Null for an index beyond the forms.
    Form* GetForm(u32 index) const;
    u32 GetHitTestCount() const { return static_cast<u32>(hitTestList.size()); }
    u32 GetDestroyQueueCount() const { return static_cast<u32>(destroyQueue.size()); }
    u32 GetRemovalQueueCount() const { return static_cast<u32>(removalQueue.size()); }
    Graphics& GetGraphics() { return *graphics; }
    Core::RefPtr<CursorManager> GetCursorManager() const { return cursorManager; }
    Core::RefPtr<Cursor> GetDefaultCursor() const { return defaultCursor; }
    // Holds an object a loading stream names through a plain pointer, until Clear.
    void HoldLoaded(Core::Object* object) { heldLoaded.push_back(Core::RefPtr<Core::Object>(object)); }
    u32 GetHeldLoadedCount() const { return static_cast<u32>(heldLoaded.size()); }
    // Holds a control that the running load reads until the load ends; nothing outside a load.
    void AddLoadedControl(Control* control);

    // The draw counter every control's update advances and takes as its depth.
    static f32 GetDrawCounter();
    static void SetDrawCounter(f32 value);
    static f32 AdvanceDrawCounter();

protected:
    const char* GetScriptTypeName() const override { return "HUD"; }

private:
    void UpdateSystemCursor();
    void ApplyRemovals();
    void ApplyBringToFront();
    void LatchPressedControl();
    void RunDestroyQueue();
    // Every loaded tree is free of loops, with each child's parent the control that lists it.
    bool IsLoadedStateSound();
    // Whether the controls read by the load hold one another by count in a loop, which no release
    // could ever free.
    bool HasCountedLoop() const;
    // Clears every special pointer that points to control.
    void ForgetPointers(Control* control);
    Control** Pointers(u32 index);

    static constexpr u32 PointerCount = 7;

    Core::Vector<Core::RefPtr<Form>> forms;
    Core::Vector<Core::RefPtr<Form>> removalQueue;
    Core::Vector<Control*> hitTestList;
    // Counted, so that a control queued after an ancestor outlives the ancestor's destruction.
    Core::Vector<Core::RefPtr<Control>> destroyQueue;
    std::unique_ptr<Graphics> graphics;
    Core::RefPtr<CursorManager> cursorManager;
    Core::RefPtr<Cursor> defaultCursor;
    Core::Vector<Core::RefPtr<Core::Object>> heldLoaded;
    // Every control the running load read, so that a refused state can be taken apart.
    Core::Vector<Core::RefPtr<Control>> loadedControls;
    Control* activeForm = nullptr;
    Control* lastPressedControl = nullptr;
    Control* focusedControl = nullptr;
    Control* pressedControl = nullptr;
    Control* hoveredControl = nullptr;
    Control* bringToFrontForm = nullptr;
    Control* modalForm = nullptr;
    u8 cursorVisible = 1;
    u8 systemCursorShown = 0;
    u8 loading = 0;
};
} // namespace GUI
