#pragma once
// What the parts of the forms layer share among themselves and nobody else needs.
#include <windows.h>

namespace ui {

// The Vantor panel that the modal boxes and the pop-up menu belong to: the active panel when it
// is shown, else a shown one, else 0. Never a hidden panel.
HWND VisiblePanelWindow();

// The control whose window this is (every control keeps a pointer to itself in its window).
class Control;
Control* ControlOf(HWND window);

// True while `window` still belongs to `object`: after an event, a handler may have destroyed
// the panel, and then its objects must not be touched.
bool StillAttached(HWND window, const void* object);

// Called from inside a catch block: writes what was caught to the debugger's output, with the
// place (`where`) and the window message being handled, so a handler's failure that the
// window procedure swallows still leaves a trace a developer can find.
void TraceCaught(const char* where, UINT msg) noexcept;

// No exception escapes into the platform: a handler's failure ends at the bridge.
template <class T, class Stored>
LRESULT CALLBACK WindowBridge(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  T* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<Stored*>(self)));
    self->hwnd_ = h;
  } else {
    self = static_cast<T*>(reinterpret_cast<Stored*>(GetWindowLongPtrW(h, GWLP_USERDATA)));
  }
  if (!self) return DefWindowProcW(h, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(h, msg, wp, lp);
  }
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    TraceCaught("panel or control", msg);
    return 0;
  }
}

}  // namespace ui
