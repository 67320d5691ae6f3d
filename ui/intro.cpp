#include "ui/intro.h"

#include "aol/skarnel_aol6.h"
#include "ui/app.h"
#include "ui/res/resource.h"

namespace ui {

intro::intro()
    : Form({.title = L"Vantor",
            .clientWidthTwips = 4605,
            .clientHeightTwips = 3225,
            .skinResource = IDB_SKIN_INTRO}) {
  Load = [this] { Form_Load(); };
  DblClick = [this] { Form_DblClick(); };
}

void intro::Form_Load() {
  skarnel_aol6::KeepOnTop(hwnd());
  // The splash alone is centred on the screen, both ways.
  RECT r;
  GetWindowRect(hwnd(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void intro::Form_DblClick() {
  // The splash hands over once: a double-click that was still queued when it hid does nothing.
  if (!IsVisible()) return;
  Hide();
  App().head.Show();  // the first show runs the main panel's load
  PlayPopup();
}

}  // namespace ui
