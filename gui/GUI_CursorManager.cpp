#include "gui/GUI_CursorManager.h"

#include "core/Core_File.h"
#include "gui/GUI_Mouse.h"

namespace GUI
{
namespace
{
CursorManager* instance = nullptr;

const Core::ClassRegistrar cursorManagerRegistrar("GUI::CursorManager", &CursorManager::CreateInstance);
} // namespace

CursorManager::CursorManager()
{
    instance = this;
}

CursorManager::~CursorManager()
{
    if (instance == this)
        instance = nullptr;
}

CursorManager* CursorManager::GetInstance()
{
    return instance;
}

Core::Object* CursorManager::CreateInstance()
{
    return new (__FILE__, __LINE__) CursorManager();
}

const char* CursorManager::GetClassName() const
{
    return "GUI::CursorManager";
}

void CursorManager::Draw(f32)
{
    if (current)
        current->Draw(GetMousePosition());
}

void CursorManager::Save(Core::File& file)
{
    file.WriteObject(current);
}

void CursorManager::Load(Core::File& file)
{
    file.ReadObjectInto(current);
}
} // namespace GUI
