#include "gui/GUI_Control.h"

#include "engine/Engine_FontCache.h"
#include "gui/GUI_HUD.h"
#include "gui/GUI_Paths.h"

#include <algorithm>

namespace GUI
{
namespace
{
const Core::ClassRegistrar controlRegistrar("GUI::Control", &Control::CreateInstance);

void EraseAll(Core::Vector<Core::RefPtr<Control>>& list, const Control* control)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                              [control](const Core::RefPtr<Control>& entry) { return entry.Get() == control; }),
               list.end());
}

bool IsUsable(const Control& control)
{
    return control.IsEnabledInTree() && control.IsVisibleInTree();
}
} // namespace

Control::Control(const Math::Point2D& at, const Size& size)
    : position(at), textContext(new (__FILE__, __LINE__) Engine::StringRenderContext()), width(size.width),
      height(size.height)
{
    cursor = new (__FILE__, __LINE__) Cursor(GetCursorPath("Arrow.png"));
    cursor->SetHotSpot(Math::Vector2D(0.0f, 32.0f));
    UpdateRectangles();
}

Control::~Control()
{
    // A control freed while the HUD still names it (its tree was dropped without Destroy) must not
    // be reached through the HUD's plain pointers afterwards.
    if (HUD* hud = HUD::GetInstance())
        hud->RemoveControl(this);
    for (const Core::RefPtr<Control>& child : children)
    {
        if (child->parent == this)
            child->parent = nullptr;
    }
}

Core::Object* Control::CreateInstance()
{
    return new (__FILE__, __LINE__) Control(Math::Point2D(), Size{64.0f, 64.0f});
}

const char* Control::GetClassName() const
{
    return "GUI::Control";
}

Math::Point2D Control::GetAbsolutePosition() const
{
    if (!parent)
        return position;
    const Math::Point2D origin = parent->GetAbsolutePosition();
    const Math::Vector2D offset = parent->GetClientOffset();
    return Math::Point2D(origin.x + offset.x + position.x, origin.y + offset.y + position.y);
}

void Control::ComputeRectangles()
{
    const Math::Point2D at = GetAbsolutePosition();
    rectangle = NRectangle(at.x, at.y, width, height);
    UpdateClientRectangle();
    clippedRectangle = rectangle;
    clippedClientRectangle = clientRectangle;
    if (clipMode == ClipNone || !parent)
        return;
    const NRectangle& limit =
        clipMode == ClipToParentClient ? parent->clippedClientRectangle : parent->clippedRectangle;
    NRectangle cut;
    clippedRectangle = NRectangle::Intersect(cut, rectangle, limit) ? cut : NRectangle();
    clippedClientRectangle = NRectangle::Intersect(cut, clientRectangle, limit) ? cut : NRectangle();
}

void Control::UpdateRectangles()
{
    ComputeRectangles();
    for (const Core::RefPtr<Control>& child : children)
        child->UpdateRectangles();
}

void Control::SetPosition(const Math::Point2D& point)
{
    position = point;
    for (const Core::RefPtr<Control>& child : children)
        child->UpdatePosition();
    UpdateRectangles();
}

void Control::UpdatePosition()
{
    // The relative position stays as it is: only what derives from the absolute one changes.
    ComputeRectangles();
    for (const Core::RefPtr<Control>& child : children)
        child->UpdatePosition();
}

void Control::UpdateDepth()
{
    depth = HUD::GetDrawCounter();
}

void Control::SetControlSize(const Size& size)
{
    width = size.width;
    height = size.height;
    OnSizeChanged();
}

void Control::SetWidth(f32 value)
{
    width = value;
    OnSizeChanged();
}

void Control::SetHeight(f32 value)
{
    height = value;
    OnSizeChanged();
}

void Control::SetSkin(const Core::String& value)
{
    if (value == skinName)
        return;
    skinName = value;
    OnSkinChanged();
}

void Control::SetFont(const Core::String& value)
{
    if (value == fontName)
        return;
    fontName = value;
    font = Engine::FontCache::GetFont(GetFontPath(value));
    OnFontChanged();
}

void Control::SetVisible(bool value)
{
    visible = value ? 1 : 0;
    if (parent && focused && enabled && parent->IsEnabledInTree())
        parent->FocusNextAndApply();
}

void Control::SetOpacity(f32 value)
{
    opacity = std::min(std::max(value, 0.0f), 1.0f);
    ForEachInSubtree([](Control& control) { control.OnOpacityChanged(); });
}

void Control::SetEnabled(bool value)
{
    enabled = value ? 1 : 0;
    if (parent && focused && !(enabled && parent->IsEnabledInTree()))
        parent->FocusNextAndApply();
    ForEachInSubtree([](Control& control) { control.OnEnabledChanged(); });
}

void Control::ForEachInSubtree(void (*action)(Control&))
{
    action(*this);
    for (const Core::RefPtr<Control>& child : children)
        child->ForEachInSubtree(action);
}

f32 Control::GetEffectiveOpacity() const
{
    if (!parent)
        return opacity;
    const f32 above = parent->GetEffectiveOpacity();
    return above < 1.0f ? opacity * above : opacity;
}

bool Control::IsVisibleInTree() const
{
    return visible && (!parent || parent->IsVisibleInTree());
}

bool Control::IsEnabledInTree() const
{
    return enabled && (!parent || parent->IsEnabledInTree());
}

bool Control::IsActiveForm() const
{
    const HUD* hud = HUD::GetInstance();
    return hud && hud->GetActiveForm() == this;
}

bool Control::IsHUDHovered() const
{
    const HUD* hud = HUD::GetInstance();
    return hud && hud->GetHoveredControl() == this;
}

void Control::SetDoubleClickTimes(f32 minimum, f32 maximum)
{
    doubleClickMinimum = minimum;
    doubleClickMaximum = maximum;
}

Control* Control::GetChild(u32 index) const
{
    return index < children.size() ? children[index].Get() : nullptr;
}

Control* Control::GetTabOrderEntry(u32 index) const
{
    return index < tabOrder.size() ? tabOrder[index].Get() : nullptr;
}

Control* Control::FindControl(const Core::String& childName) const
{
    for (const Core::RefPtr<Control>& child : children)
    {
        if (child->name == childName)
            return child.Get();
    }
    return nullptr;
}

void Control::AddControl(Control* child)
{
    // This control itself, or one it lies below, would close a loop that every walk over the tree
    // follows without end.
    if (!child || child->HasInSubtree(this))
        return;
    const Core::RefPtr<Control> held(child);
    child->parent = this;
    children.push_back(held);
    if (child->tabStop)
        tabOrder.push_back(held);
    SortTabOrder();
    child->UpdatePosition();
    lastAddedChild = child;
    if (HUD* hud = HUD::GetInstance())
        hud->AddControl(child);
}

bool Control::HasInSubtree(const Control* control) const
{
    // Iterative, and each control once: a control may be listed under two parents.
    Core::Vector<const Control*> pending{this};
    Core::Set<const Control*> seen{this};
    while (!pending.empty())
    {
        const Control* at = pending.back();
        pending.pop_back();
        if (at == control)
            return true;
        for (const Core::RefPtr<Control>& child : at->children)
        {
            if (seen.insert(child.Get()).second)
                pending.push_back(child.Get());
        }
    }
    return false;
}

void Control::SetTabStop(bool value)
{
    const u8 stop = value ? 1 : 0;
    if (stop == tabStop)
        return;
    tabStop = stop;
    if (!parent)
        return;
    if (stop)
        parent->tabOrder.push_back(Core::RefPtr<Control>(this));
    else
        EraseAll(parent->tabOrder, this);
    parent->SortTabOrder();
}

void Control::SortTabOrder()
{
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const Core::RefPtr<Control>& a, const Core::RefPtr<Control>& b) {
                         return a->tabIndex < b->tabIndex;
                     });
    for (u32 i = 0; i < tabOrder.size(); ++i)
        tabOrder[i]->tabIndex = static_cast<i32>(i);
}

bool Control::FocusNext()
{
    const i32 count = static_cast<i32>(tabOrder.size());
    if (std::none_of(tabOrder.begin(), tabOrder.end(), [](const Core::RefPtr<Control>& c) { return IsUsable(*c); }))
        return false;
    previousFocusedChildIndex = focusedChildIndex;
    // A stale index (the tab order shrank, or a stream said so) starts the walk afresh.
    i32 index = focusedChildIndex >= 0 && focusedChildIndex < count ? focusedChildIndex : -1;
    do
    {
        index = (index + 1) % count;
    } while (!IsUsable(*tabOrder[static_cast<u32>(index)]));
    focusedChildIndex = index;
    return focusedChildIndex != previousFocusedChildIndex;
}

bool Control::FocusChild(i32 index)
{
    if (index == focusedChildIndex || index < 0 || index >= static_cast<i32>(tabOrder.size()) ||
        !IsUsable(*tabOrder[static_cast<u32>(index)]))
        return false;
    previousFocusedChildIndex = focusedChildIndex;
    focusedChildIndex = index;
    return true;
}

void Control::ApplyFocus()
{
    const i32 count = static_cast<i32>(tabOrder.size());
    if (focusedChildIndex < 0 || focusedChildIndex >= count || !IsUsable(*tabOrder[static_cast<u32>(focusedChildIndex)]))
        return;
    if (previousFocusedChildIndex != focusedChildIndex && previousFocusedChildIndex >= 0 &&
        previousFocusedChildIndex < count)
        tabOrder[static_cast<u32>(previousFocusedChildIndex)]->Unfocus();
    tabOrder[static_cast<u32>(focusedChildIndex)]->Focus();
}

void Control::FocusNextAndApply()
{
    if (FocusNext())
        ApplyFocus();
}

void Control::FocusFirst()
{
    for (u32 i = 0; i < tabOrder.size(); ++i)
    {
        if (IsUsable(*tabOrder[i]))
        {
            focusedChildIndex = previousFocusedChildIndex = static_cast<i32>(i);
            tabOrder[i]->Focus();
            return;
        }
    }
}

void Control::ResetFocusIndices()
{
    focusedChildIndex = -1;
    previousFocusedChildIndex = -1;
}

void Control::Focus()
{
    if (!enabled || (parent && !parent->IsEnabledInTree()))
        return;
    focused = 1;
    if (HUD* hud = HUD::GetInstance())
        hud->SetFocusedControl(this);
}

void Control::Unfocus()
{
    if (!enabled || (parent && !parent->IsEnabledInTree()))
        return;
    focused = 0;
    HUD* hud = HUD::GetInstance();
    if (hud && hud->GetFocusedControl() == this)
        hud->SetFocusedControl(nullptr);
}

void Control::ApplyDeferredChanges()
{
    if (bringToFrontChild)
    {
        auto found = std::find(children.begin(), children.end(), bringToFrontChild);
        if (found != children.end())
        {
            const Core::RefPtr<Control> moved = *found;
            children.erase(found);
            children.push_back(moved);
            bringToFrontChild = nullptr;
        }
    }
    if (pendingRemovals.empty())
        return;
    const Core::Vector<Core::RefPtr<Control>> removals = std::move(pendingRemovals);
    pendingRemovals.clear();
    HUD* hud = HUD::GetInstance();
    for (const Core::RefPtr<Control>& removed : removals)
    {
        if (!removed || removed.Get() == this)
            continue;
        EraseAll(children, removed.Get());
        EraseAll(tabOrder, removed.Get());
        SortTabOrder();
        if (removed->parent == this)
            removed->parent = nullptr;
        if (hud)
            hud->RemoveControl(removed.Get());
    }
}

void Control::Destroy()
{
    if (HUD* hud = HUD::GetInstance())
        hud->QueueDestroy(this);
}

void Control::DestroyNow()
{
    if (destroyed)
        return;
    const Core::RefPtr<Control> keep(this);
    HUD* hud = HUD::GetInstance();
    struct Walk
    {
        static void Leave(Control& control, HUD* owner)
        {
            control.destroyed = 1;
            if (owner)
                owner->RemoveControl(&control);
            const Core::Vector<Core::RefPtr<Control>> released = std::move(control.children);
            control.children.clear();
            control.tabOrder.clear();
            control.pendingRemovals.clear();
            control.bringToFrontChild = nullptr;
            for (const Core::RefPtr<Control>& child : released)
            {
                Leave(*child, owner);
                child->parent = nullptr;
            }
        }
    };
    Walk::Leave(*this, hud);
    if (parent)
        parent->pendingRemovals.push_back(keep);
    else if (hud)
        hud->RemoveForm(this);
    if (hud)
        hud->ForgetControl(this);
}

bool Control::SettleLoadedTree(Core::Set<const Control*>& proven)
{
    // Iterative, so that a deep tree from a stream cannot exhaust the stack: each frame is a
    // control and the index of its next child; a control on the current path met again is a loop.
    struct Step
    {
        Control* control;
        u32 next;
    };
    Core::Vector<Step> path{{this, 0}};
    Core::Set<const Control*> onPath{this};
    while (!path.empty())
    {
        Step& step = path.back();
        if (step.next == step.control->children.size())
        {
            proven.insert(step.control);
            onPath.erase(step.control);
            path.pop_back();
            continue;
        }
        Control* child = step.control->children[step.next++].Get();
        child->parent = step.control;
        if (onPath.count(child))
            return false;
        if (!proven.count(child))
        {
            onPath.insert(child);
            path.push_back(Step{child, 0});
        }
    }
    return true;
}

bool Control::HasFiniteAncestry() const
{
    Core::Set<const Control*> seen;
    for (const Control* at = this; at; at = at->parent)
    {
        if (!seen.insert(at).second)
            return false;
    }
    return true;
}

void Control::GetCountedControls(Core::Vector<Control*>& out) const
{
    for (const Core::Vector<Core::RefPtr<Control>>* list : {&children, &pendingRemovals, &tabOrder})
    {
        for (const Core::RefPtr<Control>& control : *list)
            out.push_back(control.Get());
    }
    if (bringToFrontChild)
        out.push_back(bringToFrontChild.Get());
}

void Control::ReleaseCountedControls()
{
    children.clear();
    pendingRemovals.clear();
    tabOrder.clear();
    bringToFrontChild = nullptr;
}

void Control::SaveControl(Core::File& file)
{
    Math::WriteVector2D(file, position);
    for (const NRectangle* r : {&rectangle, &clientRectangle, &clippedRectangle, &clippedClientRectangle})
        r->Save(file);
    WriteObjectVector(file, children);
    WriteObjectVector(file, pendingRemovals);
    file.WriteObject(parent);
    file.WriteObject(lastAddedChild);
    file.WriteObject(lastPressedChild);
    Core::WriteString(file, name);
    file.WriteObject(cursor.Get());
    Math::WriteColor(file, modulationColor);
    Math::WriteColor(file, textModulationColor);
    Core::WriteF32(file, opacity);
    for (u8 flag : {visible, enabled, tabStop, focused, tabOrderDirty})
        Core::WriteU8(file, flag);
    Core::WriteI32(file, tabIndex);
    Core::WriteString(file, text);
    Core::WriteString(file, fontName);
    Core::WriteString(file, skinName);
    Core::WriteF32(file, depth);
    Core::WriteU32(file, clipMode);
    Core::WriteI32(file, focusedChildIndex);
    Core::WriteI32(file, previousFocusedChildIndex);
    file.WriteObject(userData);
    WriteObjectVector(file, tabOrder);
    Core::WriteF32(file, width);
    Core::WriteF32(file, height);
    Math::WriteVector2D(file, previousMousePosition);
    for (u8 flag : {mouseInside, pressed, focusThroughParent, clickPending})
        Core::WriteU8(file, flag);
    Core::WriteF32(file, doubleClickMinimum);
    Core::WriteF32(file, doubleClickMaximum);
    Core::WriteF32(file, clickTimer);
    Core::WriteU8(file, acceptsEnter);
    Core::WriteU8(file, hovered);
    Math::WriteVector2D(file, mousePosition);
    file.WriteObject(bringToFrontChild.Get());
}

void Control::LoadControl(Core::File& file)
{
    if (HUD* hud = HUD::GetInstance())
        hud->AddLoadedControl(this);
    Math::ReadVector2D(file, position);
    for (NRectangle* r : {&rectangle, &clientRectangle, &clippedRectangle, &clippedClientRectangle})
        r->Load(file);
    ReadObjectVector(file, children);
    ReadObjectVector(file, pendingRemovals);
    parent = ReadPlainReference<Control>(file);
    lastAddedChild = ReadPlainReference<Control>(file);
    lastPressedChild = ReadPlainReference<Control>(file);
    name.clear();
    Core::ReadString(file, name);
    ReadObjectReference(file, cursor);
    Math::ReadColor(file, modulationColor);
    Math::ReadColor(file, textModulationColor);
    Core::ReadF32(file, opacity);
    for (u8* flag : {&visible, &enabled, &tabStop, &focused, &tabOrderDirty})
        Core::ReadU8(file, *flag);
    Core::ReadI32(file, tabIndex);
    for (Core::String* s : {&text, &fontName, &skinName})
    {
        s->clear();
        Core::ReadString(file, *s);
    }
    Core::ReadF32(file, depth);
    Core::ReadU32(file, clipMode);
    Core::ReadI32(file, focusedChildIndex);
    Core::ReadI32(file, previousFocusedChildIndex);
    userData = ReadPlainReference<Core::Object>(file);
    ReadObjectVector(file, tabOrder);
    Core::ReadF32(file, width);
    Core::ReadF32(file, height);
    Math::ReadVector2D(file, previousMousePosition);
    for (u8* flag : {&mouseInside, &pressed, &focusThroughParent, &clickPending})
        Core::ReadU8(file, *flag);
    Core::ReadF32(file, doubleClickMinimum);
    Core::ReadF32(file, doubleClickMaximum);
    Core::ReadF32(file, clickTimer);
    Core::ReadU8(file, acceptsEnter);
    Core::ReadU8(file, hovered);
    Math::ReadVector2D(file, mousePosition);
    ReadObjectReference(file, bringToFrontChild);
    font = fontName.empty() || !IsPlainResourceName(fontName) ? nullptr : Engine::FontCache::GetFont(GetFontPath(fontName));
}

void Control::Save(Core::File& file)
{
    SaveControl(file);
}

void Control::Load(Core::File& file)
{
    LoadControl(file);
}
} // namespace GUI
