#include "tests/support/drag_catcher.h"

#include <commctrl.h>

namespace testing_support {

DragCatcher::DragCatcher(HWND panel)
    : panel_(panel),
      watching_(SetWindowSubclass(panel, Proc, reinterpret_cast<UINT_PTR>(this),
                                  reinterpret_cast<DWORD_PTR>(this)) != FALSE) {}

DragCatcher::~DragCatcher() {
  if (watching_) RemoveWindowSubclass(panel_, Proc, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK DragCatcher::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                   DWORD_PTR self) {
  if (msg == WM_NCLBUTTONDOWN && wp == HTCAPTION) {
    ++reinterpret_cast<DragCatcher*>(self)->grabs_;
    return 0;  // no move loop
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace testing_support
