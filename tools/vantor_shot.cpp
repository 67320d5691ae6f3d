// A small helper for scripts/screenshots.sh: finds Vantor's panels by their window titles and
// presses their labels from outside, as a user would, so the script can bring each panel up and
// photograph it. Prints what it found on stdout.
//
//   vantor_shot wait TITLE [ms]           waits until the panel is visible; prints WxH+X+Y
//   vantor_shot rect TITLE                prints the panel's place as WxH+X+Y (for cropping)
//   vantor_shot click TITLE CAPTION       left press and release on the label with that caption
//                                         (line breaks in the caption are not compared)
//   vantor_shot dblclick TITLE            a double-click on the panel itself
//   vantor_shot settext TITLE CLASS TEXT  sets the text of the panel's first child of CLASS
//   vantor_shot dialog [ms]               waits for a visible "#32770" box; prints WxH+X+Y
//   vantor_shot ok                        presses OK on the visible "#32770" box
//   vantor_shot cancel                    presses Cancel on the visible "#32770" box
//   vantor_shot menu N                    chooses the N-th item of the open pop-up menu
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

// The child of `panel` whose caption, read without its line breaks, is `caption` (the greetings
// panel writes "Return" downwards, one letter a line).
HWND FindLabel(HWND panel, const std::wstring& caption) {
  for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t text[256] = {};
    GetWindowTextW(c, text, 256);
    std::wstring flat;
    for (const wchar_t* p = text; *p; ++p)
      if (*p != L'\r' && *p != L'\n') flat += *p;
    if (flat == caption) return c;
  }
  return nullptr;
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
  if (cmd == L"ok" || cmd == L"cancel") {
    HWND d = FindVisibleDialog(5000);
    HWND button = d ? GetDlgItem(d, cmd == L"ok" ? IDOK : IDCANCEL) : nullptr;
    if (!button) return 1;
    PostMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(button, WM_KEYUP, VK_SPACE, 0);
    return 0;
  }
  if (cmd == L"menu" && argc >= 3) {
    HWND menu = nullptr;
    const ULONGLONG end = GetTickCount64() + 5000;
    while (!(menu = FindWindowW(L"#32768", nullptr)) || !IsWindowVisible(menu)) {
      if (GetTickCount64() >= end) return 1;
      Sleep(20);
    }
    // The first Down selects the first item; separators are skipped.
    for (int i = _wtoi(argv[2]); i > 0; --i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
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
    HWND label = h ? FindLabel(h, argv[3]) : nullptr;
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
