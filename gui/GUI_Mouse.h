#pragma once
// The mouse as the GUI sees it: window client pixels, y counted from the bottom.
#include "math/Math_Vector2D.h"

namespace GUI
{
// The live mouse device's position; (0, 0) without a mouse.
Math::Point2D GetMousePosition();
} // namespace GUI
