#pragma once
// The base of every GUI element: a rectangle placed relative to its parent's client origin, a tree
// of counted children drawn in order, a tab order among them, text, font, skin and cursor, the
// thirteen event lists and the per-frame update that turns the polled mouse and keyboard into
// those events. Structural changes are deferred to the next update (removals, bring-to-front) or
// to the end of the HUD's update (Destroy), so a control may destroy itself from its own handler.
#include "core/Core_File.h"
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_StringRenderContext.h"
#include "gui/GUI_Cursor.h"
#include "gui/GUI_MemberFunction.h"
#include "gui/GUI_NRectangle.h"
#include "gui/GUI_Size.h"

#include <algorithm>

namespace GUI
{
// What the four mouse-record events pass on. Button: 0 left, 1 middle, 2 right, 3 none.
struct MouseEventRecord
{
    i32 button = 3;
    u32 reserved[2] = {0, 0};
    f32 x = 0.0f;
    f32 y = 0.0f;
};

class Control;

// The nine events without a record, in list order.
enum class ControlEvent : u32
{
    Click,
    DoubleClick,
    Extra,
    AfterClick,
    AfterDoubleClick,
    MouseEnter,
    MouseHover,
    MouseLeave,
    SizeChanged,
};
constexpr u32 ControlEventCount = 9;

// The four events with a mouse record, in list order.
enum class MouseEvent : u32
{
    MouseMove,
    MouseUp,
    MouseDown,
    ExtraMouse,
};
constexpr u32 MouseEventCount = 4;

using ControlEventList = EventList1Param<Control*>;
using MouseEventList = EventList2Param<Control*, const MouseEventRecord&>;

// Reads one object reference into target; anything but a T (or null) fails the stream.
template <class T>
Core::File& ReadObjectReference(Core::File& file, Core::RefPtr<T>& target)
{
    file.ReadObjectInto(target);
    return file;
}

// Keeps an object that a stream names through a plain pointer alive while the GUI may use it:
// the HUD holds it until it is cleared (a stream may name an object nothing else holds).
void HoldLoadedObject(Core::Object* object);

// A plain reference that must be to a T (or null); anything else fails the stream.
template <class T>
T* ReadPlainReference(Core::File& file)
{
    Core::Object* object = file.ReadObject();
    if (!object)
        return nullptr;
    T* typed = dynamic_cast<T*>(object);
    if (!typed)
    {
        file.SetFailed();
        file.Discard(object);
        return nullptr;
    }
    HoldLoadedObject(object);
    return typed;
}

// A u32 count, then that many object references, each of which must be a T (null is dropped).
template <class T>
void ReadObjectVector(Core::File& file, Core::Vector<Core::RefPtr<T>>& vector)
{
    vector.clear();
    u32 count = 0;
    if (!Core::ReadCount(file, count, 1))
        return;
    vector.resize(count);
    for (Core::RefPtr<T>& element : vector)
    {
        if (!file.ReadObjectInto(element))
            break;
    }
    // Entries a failed stream left empty are dropped: the lists never hold null.
    vector.erase(std::remove(vector.begin(), vector.end(), nullptr), vector.end());
}

template <class T>
void WriteObjectVector(Core::File& file, const Core::Vector<Core::RefPtr<T>>& vector)
{
    Core::WriteU32(file, static_cast<u32>(vector.size()));
    for (const Core::RefPtr<T>& element : vector)
        file.WriteObject(element.Get());
}

class Control : public Core::Object
{
public:
    // Clip modes: how the control is cut by its parent.
    static constexpr u32 ClipNone = 0;
    static constexpr u32 ClipToParent = 1;
    static constexpr u32 ClipToParentClient = 2;

    Control(const Math::Point2D& position, const Size& size);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    ~Control() override;

    // The registry's creation function: a 64 x 64 control at (0, 0).
    static Core::Object* CreateInstance();

    // Core::Object.
    Core::Object* Clone() const override { return nullptr; }
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    const char* GetClassName() const override;
    u32 GetSize() const override { return sizeof(Control); }

    // Geometry and appearance.
    virtual void SetPosition(const Math::Point2D& point);
    virtual void SetText(const Core::String& value) { text = value; }
    virtual const Core::String& GetText() const { return text; }
    virtual void SetVisible(bool value);
    virtual void SetFont(const Core::String& name);
    virtual void SetModulationColor(const Math::Color& value) { modulationColor = value; }
    virtual void SetOpacity(f32 value);
    virtual void SetEnabled(bool value);

    // Event raisers: each invokes its list in order.
    virtual void OnClick();
    virtual void OnDoubleClick();
    virtual void OnExtra();
    virtual void OnAfterClick();
    virtual void OnAfterDoubleClick();
    virtual void OnMouseEnter();
    virtual void OnMouseHover();
    virtual void OnMouseLeave();
    virtual void OnMouseMove(const MouseEventRecord& record);
    virtual void OnMouseUp(const MouseEventRecord& record);
    // Moves the focus and the activation first (see the update), then the callbacks.
    virtual void OnMouseDown(const MouseEventRecord& record);
    virtual void OnExtraMouse(const MouseEventRecord& record);
    virtual void OnSizeChanged();

    virtual void OnSkinChanged() {}
    virtual void OnFontChanged() {}
    virtual void OnOutsidePress() {}
    // Per-frame hooks around the children's update; subclasses draw in PostUpdate.
    virtual void PreUpdate(f32) {}
    virtual void PostUpdate(f32) {}
    virtual bool IsHovered() const { return hovered != 0; }
    // Offset of the client origin from the control's position.
    virtual Math::Vector2D GetClientOffset() const { return Math::Vector2D(); }
    // Refreshes what depends on the absolute position after an ancestor moved, then the children.
    virtual void UpdatePosition();
    virtual void UpdateDepth();
    virtual void OnEnabledChanged() {}
    virtual void OnOpacityChanged() {}
    virtual void Focus();
    virtual void Unfocus();
    virtual void FocusNextAndApply();
    virtual bool FocusNext();
    virtual bool FocusChild(i32 index);
    virtual void ApplyFocus();
    virtual void FocusFirst();
    virtual void OnFormUpdate(f32) {}
    virtual void UpdateClientRectangle() { clientRectangle = rectangle; }

    // Position and size.
    Math::Point2D GetAbsolutePosition() const;
    const Math::Point2D& GetPosition() const { return position; }
    void SetPosition(f32 x, f32 y) { SetPosition(Math::Point2D(x, y)); }
    f32 GetWidth() const { return width; }
    f32 GetHeight() const { return height; }
    // Stores both dimensions, then OnSizeChanged.
    void SetControlSize(const Size& size);
    // Store one dimension, then OnSizeChanged.
    void SetWidth(f32 value);
    void SetHeight(f32 value);
    Size GetControlSize() const { return Size{width, height}; }

    // Skin, name, colours, opacity.
    void SetSkin(const Core::String& name);
    const Core::String& GetSkin() const { return skinName; }
    void SetName(const Core::String& value) { name = value; }
    const Core::String& GetName() const { return name; }
    const Math::Color& GetModulationColor() const { return modulationColor; }
    void SetTextModulationColor(const Math::Color& value) { textModulationColor = value; }
    const Math::Color& GetTextModulationColor() const { return textModulationColor; }
    f32 GetOpacity() const { return opacity; }
    // Own opacity times the parent's effective opacity when that is below 1.
    f32 GetEffectiveOpacity() const;
    const Core::String& GetFontName() const { return fontName; }
    Core::RefPtr<Engine::BitmapFont> GetFont() const { return font; }
    Core::RefPtr<Engine::StringRenderContext> GetTextRenderContext() const { return textContext; }
    Core::RefPtr<Cursor> GetCursor() const { return cursor; }
    void SetCursor(Cursor* value) { cursor = value; }

    // State in the tree.
    bool IsVisible() const { return visible != 0; }
    bool IsEnabled() const { return enabled != 0; }
    bool IsVisibleInTree() const;
    bool IsEnabledInTree() const;
    bool IsFocused() const { return focused != 0; }
    bool IsActiveForm() const;
    bool IsHUDHovered() const;
    bool IsTopLevel() const { return parent == nullptr; }
    bool IsPressed() const { return pressed != 0; }
    bool IsMouseInside() const { return mouseInside != 0; }
    bool IsClickPending() const { return clickPending != 0; }
    void SetClipMode(u32 mode) { clipMode = mode; }
    u32 GetClipMode() const { return clipMode; }
    void SetAcceptsEnter(bool value) { acceptsEnter = value ? 1 : 0; }
    bool GetAcceptsEnter() const { return acceptsEnter != 0; }
    void SetFocusThroughParent(bool value) { focusThroughParent = value ? 1 : 0; }
    bool IsFocusThroughParent() const { return focusThroughParent != 0; }
    f32 GetDepth() const { return depth; }
    void SetDoubleClickTimes(f32 minimum, f32 maximum);
    void SetUserData(Core::Object* value) { userData = value; }
    Core::Object* GetUserData() const { return userData; }

    // The four rectangles.
    const NRectangle& GetRectangle() const { return rectangle; }
    const NRectangle& GetClientRectangle() const { return clientRectangle; }
    const NRectangle& GetClippedRectangle() const { return clippedRectangle; }
    const NRectangle& GetClippedClientRectangle() const { return clippedClientRectangle; }
    // The control's rectangles, then those of every control of its subtree.
    void UpdateRectangles();

    // The tree.
    Control* GetParent() const { return parent; }
    // Null for an index beyond the children.
    Control* GetChild(u32 index) const;
    u32 GetChildCount() const { return static_cast<u32>(children.size()); }
    Control* FindControl(const Core::String& childName) const;
    Control* GetLastAddedChild() const { return lastAddedChild; }
    Control* GetLastPressedChild() const { return lastPressedChild; }
    // Adopts child (not null, not this control nor one it lies below): children, tab order, the
    // HUD's hit-test list.
    void AddControl(Control* child);
    // Moves a child to the end of the children at the next update.
    void BringToFront(Control* child) { bringToFrontChild = child; }
    u32 GetPendingRemovalCount() const { return static_cast<u32>(pendingRemovals.size()); }

    // Tab order and focus.
    void SetTabStop(bool value);
    bool GetTabStop() const { return tabStop != 0; }
    // Takes effect at the parent's next sort.
    void SetTabIndex(i32 value) { tabIndex = value; }
    i32 GetTabIndex() const { return tabIndex; }
    u32 GetTabOrderCount() const { return static_cast<u32>(tabOrder.size()); }
    // Null for an index beyond the tab order.
    Control* GetTabOrderEntry(u32 index) const;
    i32 GetFocusedChildIndex() const { return focusedChildIndex; }
    i32 GetPreviousFocusedChildIndex() const { return previousFocusedChildIndex; }
    void ResetFocusIndices();

    // Queues the control for destruction at the end of the HUD's update.
    void Destroy();
    // Leaves the GUI now: the subtree leaves the HUD's lists and loses its children, the control
    // leaves its parent at the parent's next update (or the HUD's forms). A control destroyed
    // before, directly or with an ancestor, is left alone.
    void DestroyNow();
    bool IsDestroyed() const { return destroyed != 0; }

    // Checks a tree read from a stream before it is used: false when the control lies on a loop
    // of children. Every child reached takes the control that lists it as its parent; proven
    // holds the controls whose subtrees were found sound.
    bool SettleLoadedTree(Core::Set<const Control*>& proven);
    // Whether walking up the parents ends.
    bool HasFiniteAncestry() const;
    // The controls this one holds by count (none null): children, pending removals, tab order and
    // the child to bring to front; a form adds its close button.
    virtual void GetCountedControls(Core::Vector<Control*>& out) const;
    // Lets go of every control held by count, so that the controls of a refused load are freed
    // even where the stream made them hold one another in a loop.
    virtual void ReleaseCountedControls();

    // Per-frame work (see GUI_ControlUpdate.cpp).
    void Update(f32 dt);
    bool ContainsMouse() const;
    static Math::Point2D GetMousePosition();
    static void SetMousePosition(const Math::Point2D& point);
    // Makes the control's top-level ancestor the HUD's active form.
    void Activate();
    void ResetDepth();
    // Checks the first enabled radio-button child when none is checked.
    void EnsureRadioChecked();
    // The rectangle the control's drawing is clipped to.
    NRectangle GetDrawClipRectangle() const;

    ControlEventList& GetEventList(ControlEvent event) { return events[static_cast<u32>(event)]; }
    MouseEventList& GetEventList(MouseEvent event) { return mouseEvents[static_cast<u32>(event)]; }

    // Appends a callback binding target and its member function to an event list. A null target
    // adds nothing, and neither does a binding the list already holds, so an owner that attaches
    // its handler again (a form after each load) is still called once per event. True when added.
    template <class List, class T, class Function>
    static bool AddHandler(List& list, T* target, Function function)
    {
        using Callback = typename List::template Callback<T>;
        if (!target || list.template Holds<Callback>(target, function))
            return false;
        list.Append(new Callback(target, function));
        return true;
    }

protected:
    const char* GetScriptTypeName() const override { return "Control"; }
    // Whether the HUD lets mouse presses and Enter reach this control: no modal form, or the
    // modal form is the control or its parent.
    bool IsInputAllowed() const;
    void Raise(ControlEvent event) { events[static_cast<u32>(event)].Raise(this); }
    void Raise(MouseEvent event, const MouseEventRecord& record)
    {
        mouseEvents[static_cast<u32>(event)].Raise(this, record);
    }

    // Writes and reads the control's own payload; subclasses append theirs.
    void SaveControl(Core::File& file);
    void LoadControl(Core::File& file);

    // Width and height without OnSizeChanged (constructors of subclasses).
    void StoreSize(f32 w, f32 h)
    {
        width = w;
        height = h;
    }
    void StoreSkinName(const Core::String& value) { skinName = value; }
    void SetClientRectangle(const NRectangle& value) { clientRectangle = value; }

private:
    // The own four rectangles from the absolute position, the size and the parent.
    void ComputeRectangles();
    void SortTabOrder();
    // Removes what the pending removals name; the bring-to-front child goes to the end.
    void ApplyDeferredChanges();
    void ForEachInSubtree(void (*action)(Control&));
    // Whether the control is this one or lies below it.
    bool HasInSubtree(const Control* control) const;
    void HandleMouse(f32 dt);
    void MarkPressed();
    void SelectLastPressedChild();
    // Asks the parent (or the grandparent, with focus through parent) to focus this control.
    void RequestFocus();

    ControlEventList events[ControlEventCount];
    MouseEventList mouseEvents[MouseEventCount];
    Math::Point2D position;
    NRectangle rectangle;
    NRectangle clientRectangle;
    NRectangle clippedRectangle;
    NRectangle clippedClientRectangle;
    Core::Vector<Core::RefPtr<Control>> children;
    Core::Vector<Core::RefPtr<Control>> pendingRemovals;
    Control* parent = nullptr;
    Control* lastAddedChild = nullptr;
    Control* lastPressedChild = nullptr;
    Core::String name;
    Core::RefPtr<Cursor> cursor;
    Math::Color modulationColor{1.0f, 1.0f, 1.0f, 1.0f};
    Math::Color textModulationColor{1.0f, 1.0f, 1.0f, 1.0f};
    f32 opacity = 1.0f;
    u8 visible = 1;
    u8 enabled = 1;
    u8 tabStop = 1;
    u8 focused = 0;
    u8 tabOrderDirty = 1;
    i32 tabIndex = 0;
    Core::String text;
    Core::String fontName;
    Core::RefPtr<Engine::BitmapFont> font;
    Core::RefPtr<Engine::StringRenderContext> textContext;
    Core::String skinName;
    f32 depth = 0.0f;
    u32 clipMode = ClipToParentClient;
    i32 focusedChildIndex = -1;
    i32 previousFocusedChildIndex = -1;
    Core::Object* userData = nullptr;
    Core::Vector<Core::RefPtr<Control>> tabOrder;
    f32 width = 0.0f;
    f32 height = 0.0f;
    Math::Point2D previousMousePosition;
    u8 mouseInside = 0;
    u8 pressed = 0;
    u8 focusThroughParent = 0;
    u8 clickPending = 0;
    f32 doubleClickMinimum = 0.1f;
    f32 doubleClickMaximum = 0.5f;
    f32 clickTimer = 0.0f;
    u8 acceptsEnter = 1;
    u8 hovered = 0;
    Math::Point2D mousePosition;
    Core::RefPtr<Control> bringToFrontChild;
    // Set by DestroyNow on the control and its whole subtree; not saved.
    u8 destroyed = 0;
};
} // namespace GUI
