#pragma once
// The rectangles' script table "NRectangle" (19 methods and the empty end row), registered with
// the script glue at start-up.
namespace Vellumar
{
struct ScriptMethodEntry;
}

namespace GUI
{
const Vellumar::ScriptMethodEntry* GetRectangleScriptMethods();
} // namespace GUI
