#include "gui/GUI_HUD.h"

#include "platform/Input_Mouse.h"
#include "engine/Engine_RenderQueue.h"
#include "gui/GUI_Control.h"
#include "gui/GUI_Form.h"
#include "gui/GUI_Paths.h"

#include <algorithm>
#include <cmath>

namespace GUI
{
namespace
{
HUD* instance = nullptr;
f32 drawCounter = 0.0f;

template <class T>
void EraseAll(Core::Vector<T>& list, const Control* control)
{
    list.erase(std::remove_if(list.begin(), list.end(), [control](const T& entry) { return entry == control; }),
               list.end());
}
} // namespace

HUD::HUD() : graphics(std::make_unique<Graphics>()), cursorManager(new (__FILE__, __LINE__) CursorManager())
{
    instance = this;
    SetGraphics(graphics.get());
    if (Input::Mouse* mouse = Input::GetMouse())
        mouse->ShowCursor(0);
    defaultCursor = new (__FILE__, __LINE__) Cursor(GetCursorPath("Arrow.png"));
    defaultCursor->SetHotSpot(Math::Vector2D(0.0f, 32.0f));
}

HUD::~HUD()
{
    // Controls freed below look for the HUD; it is gone already.
    if (instance == this)
        instance = nullptr;
    hitTestList.clear();
    destroyQueue.clear();
    removalQueue.clear();
    forms.clear();
    heldLoaded.clear();
    loadedControls.clear();
    defaultCursor = nullptr;
    cursorManager = nullptr;
    if (GUI::GetGraphics() == graphics.get())
        SetGraphics(nullptr);
}

HUD* HUD::GetInstance()
{
    return instance;
}

void HoldLoadedObject(Core::Object* object)
{
    if (instance && instance->IsLoading())
        instance->HoldLoaded(object);
}

f32 HUD::GetDrawCounter()
{
    return drawCounter;
}

void HUD::SetDrawCounter(f32 value)
{
    drawCounter = value;
}

f32 HUD::AdvanceDrawCounter()
{
    drawCounter += 1.0f;
    return drawCounter;
}

void HUD::Update(f32 dt)
{
    UpdateSystemCursor();
    ApplyRemovals();
    drawCounter = 0.0f;
    ApplyBringToFront();
    // Forms added or removed by a handler wait for the next frame: the copies keep this one safe.
    const Core::Vector<Core::RefPtr<Form>> frame = forms;
    for (const Core::RefPtr<Form>& form : frame)
        form->ResetDepth();
    for (const Core::RefPtr<Form>& form : frame)
    {
        form->Update(dt);
        form->OnFormUpdate(dt);
    }
    for (const Core::RefPtr<Form>& form : frame)
        form->UpdateRectangles();
    cursorManager->Draw(dt);
    hoveredControl = HitTest();
    if (!hoveredControl)
    {
        if (CursorManager* manager = CursorManager::GetInstance())
            manager->SetCursor(cursorVisible ? defaultCursor.Get() : nullptr);
    }
    LatchPressedControl();
    RunDestroyQueue();
}

void HUD::UpdateSystemCursor()
{
    Input::Mouse* mouse = Input::GetMouse();
    if (!mouse)
        return;
    const bool inside = mouse->IsInWindow();
    if (!inside && !systemCursorShown)
    {
        systemCursorShown = 1;
        mouse->ShowCursor(1);
    }
    else if (inside && systemCursorShown)
    {
        systemCursorShown = 0;
        mouse->ShowCursor(0);
    }
}

void HUD::ApplyRemovals()
{
    for (const Core::RefPtr<Form>& removed : removalQueue)
    {
        const Form* form = removed.Get();
        forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
    }
    removalQueue.clear();
}

void HUD::ApplyBringToFront()
{
    if (!bringToFrontForm)
        return;
    auto found = std::find(forms.begin(), forms.end(), bringToFrontForm);
    if (found != forms.end())
    {
        const Core::RefPtr<Form> moved = *found;
        EraseAll(forms, bringToFrontForm);
        forms.push_back(moved);
    }
    bringToFrontForm = nullptr;
}

void HUD::LatchPressedControl()
{
    const Input::Mouse* mouse = Input::GetMouse();
    const bool down = mouse && (mouse->IsPressed(0) || mouse->IsPressed(1) || mouse->IsPressed(2));
    if (!down)
        pressedControl = nullptr;
    else if (!pressedControl)
        pressedControl = hoveredControl;
}

void HUD::RunDestroyQueue()
{
    if (destroyQueue.empty())
        return;
    // Destruction may queue more (a handler of a leaving control); those wait for the next frame.
    const Core::Vector<Core::RefPtr<Control>> queued = std::move(destroyQueue);
    destroyQueue.clear();
    for (const Core::RefPtr<Control>& control : queued)
        control->DestroyNow();
}

void HUD::Draw()
{
    if (Engine::RenderQueue* queue = Engine::RenderQueue::GetInstance())
        queue->DrawHudScreenObjects();
}

void HUD::Clear()
{
    hitTestList.clear();
    removalQueue.clear();
    forms.clear();
    destroyQueue.clear();
    for (u32 i = 0; i < PointerCount; ++i)
        *Pointers(i) = nullptr;
    heldLoaded.clear();
    systemCursorShown = 0;
    if (Input::Mouse* mouse = Input::GetMouse())
        mouse->ShowCursor(0);
    if (Engine::RenderQueue* queue = Engine::RenderQueue::GetInstance())
        queue->ClearScreenObjects();
    loading = 0;
}

Control** HUD::Pointers(u32 index)
{
    Control** pointers[PointerCount] = {&activeForm,      &lastPressedControl, &focusedControl, &pressedControl,
                                        &hoveredControl, &bringToFrontForm,   &modalForm};
    return pointers[index];
}

void HUD::ForgetPointers(Control* control)
{
    for (u32 i = 0; i < PointerCount; ++i)
    {
        if (*Pointers(i) == control)
            *Pointers(i) = nullptr;
    }
}

void HUD::AddForm(Form* form)
{
    if (!form)
        return;
    forms.push_back(Core::RefPtr<Form>(form));
    hitTestList.push_back(form);
    form->OnAdded();
    form->Activate();
}

void HUD::RemoveForm(Control* form)
{
    if (Form* typed = dynamic_cast<Form*>(form))
        removalQueue.push_back(Core::RefPtr<Form>(typed));
    EraseAll(hitTestList, form);
    ForgetPointers(form);
}

Form* HUD::FindForm(const Core::String& name) const
{
    for (const Core::RefPtr<Form>& form : forms)
    {
        if (form->GetName() == name)
            return form.Get();
    }
    return nullptr;
}

Form* HUD::GetForm(u32 index) const
{
    return index < forms.size() ? forms[index].Get() : nullptr;
}

void HUD::AddControl(Control* control)
{
    hitTestList.push_back(control);
}

void HUD::RemoveControl(Control* control)
{
    EraseAll(hitTestList, control);
    ForgetPointers(control);
}

void HUD::ForgetControl(Control* control)
{
    ForgetPointers(control);
}

void HUD::QueueDestroy(Control* control)
{
    if (control)
        destroyQueue.push_back(Core::RefPtr<Control>(control));
}

bool HUD::CompareDepth(const Control* a, const Control* b)
{
    return a->GetDepth() < b->GetDepth();
}

namespace
{
// The candidate with the largest depth; the first of equals, so the order of adding decides.
Control* Deepest(const Core::Vector<Control*>& candidates)
{
    if (candidates.empty())
        return nullptr;
    Core::Vector<Control*> sorted = candidates;
    std::stable_sort(sorted.begin(), sorted.end(), &HUD::CompareDepth);
    return sorted.back();
}
} // namespace

Control* HUD::HitTest() const
{
    Core::Vector<Control*> candidates;
    for (Control* control : hitTestList)
    {
        if (control->IsEnabledInTree() && control->ContainsMouse())
            candidates.push_back(control);
    }
    return Deepest(candidates);
}

Control* HUD::GetTopmostForm() const
{
    Core::Vector<Control*> candidates;
    for (Control* control : hitTestList)
    {
        if (!control->GetParent() && control->IsEnabledInTree() && control->IsVisibleInTree())
            candidates.push_back(control);
    }
    return Deepest(candidates);
}

void HUD::SetModalForm(Control* form)
{
    bringToFrontForm = form;
    activeForm = form;
    modalForm = form;
}

void HUD::FlashModalForm()
{
    if (Form* form = dynamic_cast<Form*>(modalForm))
        form->StartFlash();
}

void HUD::Save(Core::File& file)
{
    WriteObjectVector(file, forms);
    WriteObjectVector(file, removalQueue);
    Core::WriteU32(file, static_cast<u32>(hitTestList.size()));
    for (Control* control : hitTestList)
        file.WriteObject(control);
    WriteObjectVector(file, destroyQueue);
    file.WriteObject(defaultCursor.Get());
    for (u32 i = 0; i < PointerCount; ++i)
        file.WriteObject(*Pointers(i));
    Core::WriteU8(file, cursorVisible);
    Core::WriteU8(file, systemCursorShown);
    Core::WriteF32(file, drawCounter);
    graphics->Save(file);
    cursorManager->Save(file);
    i32 x = 0;
    i32 y = 0;
    if (Input::Mouse* mouse = Input::GetMouse())
        mouse->GetPosition(x, y);
    Core::WriteF32(file, static_cast<f32>(x));
    Core::WriteF32(file, static_cast<f32>(y));
}

void HUD::Load(Core::File& file)
{
    loading = 1;
    Core::Vector<Core::RefPtr<Form>> readForms;
    ReadObjectVector(file, readForms);
    forms.insert(forms.end(), readForms.begin(), readForms.end());
    Core::Vector<Core::RefPtr<Form>> readRemovals;
    ReadObjectVector(file, readRemovals);
    removalQueue.insert(removalQueue.end(), readRemovals.begin(), readRemovals.end());
    u32 count = 0;
    if (Core::ReadCount(file, count, 1))
    {
        for (u32 i = 0; i < count && !file.Failed(); ++i)
        {
            if (Control* control = ReadPlainReference<Control>(file))
                hitTestList.push_back(control);
        }
    }
    Core::Vector<Core::RefPtr<Control>> readDestroys;
    ReadObjectVector(file, readDestroys);
    destroyQueue.insert(destroyQueue.end(), readDestroys.begin(), readDestroys.end());
    ReadObjectReference(file, defaultCursor);
    for (u32 i = 0; i < PointerCount; ++i)
        *Pointers(i) = ReadPlainReference<Control>(file);
    Core::ReadU8(file, cursorVisible);
    Core::ReadU8(file, systemCursorShown);
    Core::ReadF32(file, drawCounter);
    graphics->Load(file);
    cursorManager->Load(file);
    f32 x = 0.0f;
    f32 y = 0.0f;
    Core::ReadF32(file, x);
    Core::ReadF32(file, y);
    // No screen has a cursor this far out; a position beyond it (or not a number) is no saved state.
    constexpr f32 FarthestCursor = 1.0e7f;
    const bool cursorSound = std::fabs(x) <= FarthestCursor && std::fabs(y) <= FarthestCursor;
    if (file.Failed() || !cursorSound || !IsLoadedStateSound())
    {
        // Nothing half-read stays: the GUI is left empty, every control read is freed (links that
        // loop included) and the stream failed.
        for (const Core::RefPtr<Control>& control : loadedControls)
            control->ReleaseCountedControls();
        Clear();
        loadedControls.clear();
        file.SetFailed();
        return;
    }
    loadedControls.clear();
    if (Input::Mouse* mouse = Input::GetMouse())
        mouse->SetPosition(static_cast<i32>(x), static_cast<i32>(y));
    loading = 0;
}

void HUD::AddLoadedControl(Control* control)
{
    if (loading && control)
        loadedControls.push_back(Core::RefPtr<Control>(control));
}

bool HUD::HasCountedLoop() const
{
    // Iterative depth-first walk, so that a deep tree from a stream cannot exhaust the stack: a
    // control met again while it is on the current path closes a loop.
    struct Step
    {
        const Control* control;
        Core::Vector<Control*> next;
        u32 index;
    };
    Core::Set<const Control*> finished;
    Core::Set<const Control*> onPath;
    Core::Vector<Step> path;
    const auto enter = [&](const Control* control) {
        Step step{control, {}, 0};
        control->GetCountedControls(step.next);
        onPath.insert(control);
        path.push_back(std::move(step));
    };
    for (const Core::RefPtr<Control>& start : loadedControls)
    {
        if (finished.count(start.Get()))
            continue;
        enter(start.Get());
        while (!path.empty())
        {
            Step& step = path.back();
            if (step.index == step.next.size())
            {
                finished.insert(step.control);
                onPath.erase(step.control);
                path.pop_back();
                continue;
            }
            const Control* next = step.next[step.index++];
            if (onPath.count(next))
                return true;
            if (!finished.count(next))
                enter(next);
        }
    }
    return false;
}

bool HUD::IsLoadedStateSound()
{
    Core::Set<const Control*> proven;
    for (const Core::RefPtr<Form>& form : forms)
    {
        if (form->GetParent() || !form->SettleLoadedTree(proven))
            return false;
    }
    for (const Core::RefPtr<Form>& form : removalQueue)
    {
        if (!form->SettleLoadedTree(proven))
            return false;
    }
    for (const Core::RefPtr<Control>& control : destroyQueue)
    {
        if (!control->SettleLoadedTree(proven) || !control->HasFiniteAncestry())
            return false;
    }
    for (const Control* control : hitTestList)
    {
        if (!control->HasFiniteAncestry())
            return false;
    }
    for (u32 i = 0; i < PointerCount; ++i)
    {
        if (*Pointers(i) && !(*Pointers(i))->HasFiniteAncestry())
            return false;
    }
    return !HasCountedLoop();
}
} // namespace GUI
