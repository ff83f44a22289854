#pragma once
// A width and a height in pixels; scripts see it as a table with the fields "Width" and "Height",
// made by the script global "CreateSize" (gui/script/GUI_Size_Script.h).
#include "core/Core_Types.h"

namespace GUI
{
struct Size
{
    f32 width = 0.0f;
    f32 height = 0.0f;
};
} // namespace GUI
