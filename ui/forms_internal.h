#pragma once
// What the parts of the forms layer share among themselves and nobody else needs.
#include <windows.h>

namespace ui {

// The Vantor panel that the modal boxes belong to: the active one, else a visible one, else 0.
HWND ActivePanelWindow();

// The control whose window this is (every control keeps a pointer to itself in its window).
class Control;
Control* ControlOf(HWND window);

// True while `window` still belongs to `object`: after an event, a handler may have destroyed
// the panel, and then its objects must not be touched.
bool StillAttached(HWND window, const void* object);

}  // namespace ui
