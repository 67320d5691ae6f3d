#pragma once
// Helpers for the shell's GUI tests that act from a second thread, as a user or a tool outside
// would while the test's thread sits in a modal loop (a pop-up menu, a box).
#include <windows.h>

namespace testing_support {

// A visible pop-up menu window ("#32768") of this process, waited for; 0 at the deadline.
inline HWND WaitForVisibleMenu(DWORD timeoutMs = 5000) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    for (HWND m = FindWindowW(L"#32768", nullptr); m;
         m = FindWindowExW(nullptr, m, L"#32768", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(m, &pid);
      if (pid == GetCurrentProcessId() && IsWindowVisible(m)) return m;
    }
    if (GetTickCount64() >= end) return nullptr;
    Sleep(5);  // a second thread: the test's own thread is in the menu's loop
  }
}

// The number of items of the menu that a "#32768" window shows.
inline int MenuItemCount(HWND menuWindow) {
  constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
  auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, kGetMenu, 0, 0));
  return menu ? GetMenuItemCount(menu) : -1;
}

// Chooses the menu's n-th selectable item (1 = first) with the arrow keys and Enter.
inline void ChooseMenuItem(HWND menuWindow, int n) {
  for (int i = 0; i < n; ++i) PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace testing_support
