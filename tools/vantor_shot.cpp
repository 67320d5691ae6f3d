// A small helper for scripts/screenshots.sh: finds Vantor's panels by their window titles and
// presses their labels from outside, as a user would, so the script can bring each panel up and
// photograph it. Prints what it found on stdout.
//
//   vantor_shot wait TITLE [ms]           waits until the panel is visible; prints WxH+X+Y
//   vantor_shot rect TITLE                prints the panel's place as WxH+X+Y (for cropping)
//   vantor_shot click TITLE CAPTION       left press and release on the label with that caption
//   vantor_shot dblclick TITLE            a double-click on the panel itself
//   vantor_shot settext TITLE CLASS TEXT  sets the text of the panel's first child of CLASS
//   vantor_shot dialog [ms]               waits for a visible "#32770" box; prints WxH+X+Y
//   vantor_shot ok                        presses OK on the visible "#32770" box
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND FindPanel(const wchar_t* title, DWORD waitMs, bool visible) {
  const ULONGLONG end = GetTickCount64() + waitMs;
  for (;;) {
    HWND h = FindWindowW(nullptr, title);
    if (h && (!visible || IsWindowVisible(h))) return h;
    if (GetTickCount64() >= end) return nullptr;
    Sleep(20);
  }
}

HWND FindVisibleDialog(DWORD waitMs) {
  const ULONGLONG end = GetTickCount64() + waitMs;
  for (;;) {
    for (HWND d = FindWindowW(L"#32770", nullptr); d;
         d = FindWindowExW(nullptr, d, L"#32770", nullptr))
      if (IsWindowVisible(d)) return d;
    if (GetTickCount64() >= end) return nullptr;
    Sleep(20);
  }
}

int PrintRect(HWND h) {
  if (!h) {
    std::fputs("not found\n", stderr);
    return 1;
  }
  RECT r;
  GetWindowRect(h, &r);
  std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: vantor_shot wait|rect|click|dblclick|settext|dialog|ok ...\n", stderr);
    return 2;
  }
  const std::wstring cmd = argv[1];
  if (cmd == L"wait" && argc >= 3)
    return PrintRect(FindPanel(argv[2], argc >= 4 ? _wtoi(argv[3]) : 10000, true));
  if (cmd == L"rect" && argc >= 3) return PrintRect(FindPanel(argv[2], 0, false));
  if (cmd == L"dialog") return PrintRect(FindVisibleDialog(argc >= 3 ? _wtoi(argv[2]) : 10000));
  if (cmd == L"ok") {
    HWND d = FindVisibleDialog(5000);
    HWND ok = d ? GetDlgItem(d, IDOK) : nullptr;
    if (!ok) return 1;
    PostMessageW(ok, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(ok, WM_KEYUP, VK_SPACE, 0);
    return 0;
  }
  if (cmd == L"dblclick" && argc >= 3) {
    HWND h = FindPanel(argv[2], 10000, true);
    if (!h) return 1;
    PostMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    return 0;
  }
  if (cmd == L"click" && argc >= 4) {
    HWND h = FindPanel(argv[2], 10000, true);
    HWND label = h ? FindWindowExW(h, nullptr, nullptr, argv[3]) : nullptr;
    if (!label) return 1;
    // Posted: a click that opens a modal box must not hold this helper.
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(label, WM_LBUTTONUP, 0, 0);
    return 0;
  }
  if (cmd == L"settext" && argc >= 5) {
    HWND h = FindPanel(argv[2], 10000, false);
    HWND child = h ? FindWindowExW(h, nullptr, argv[3], nullptr) : nullptr;
    if (!child) return 1;
    SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    return 0;
  }
  std::fputs("unknown command\n", stderr);
  return 2;
}
