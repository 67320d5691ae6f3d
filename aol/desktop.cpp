// The desktop routines every panel uses: profile reads, captions, placement and dragging (the
// wait and the clock are in wait.cpp).
#include <algorithm>
#include <functional>
#include <string>

#include <windowsx.h>

#include "aol/ansi.h"
#include "aol/foreign_window.h"
#include "aol/skarnel_aol6.h"

namespace skarnel_aol6 {
namespace {

// Moves the panel with the pointer until `button` (VK_RBUTTON or VK_MBUTTON) is released, as the
// platform's caption drag does for the left one: the panel holds the capture, so the release
// comes here wherever the pointer is. Everything else is handled as it comes. The drag also ends
// when the capture is taken (a box that opens meanwhile) or the button is found up, so a release
// that never reached the panel cannot leave it on the pointer; Escape puts it back.
void FollowPointer(HWND panel, int button) {
  const UINT up = button == VK_RBUTTON ? WM_RBUTTONUP : WM_MBUTTONUP;
  const WPARAM held = button == VK_RBUTTON ? MK_RBUTTON : MK_MBUTTON;
  RECT start;
  if (!GetWindowRect(panel, &start)) return;
  // Where the press was and where each move went, not where the pointer is by now: queued
  // input is handled later than it happened.
  const DWORD pressedAt = GetMessagePos();
  const POINT grab{GET_X_LPARAM(pressedAt), GET_Y_LPARAM(pressedAt)};
  auto follow = [&](POINT at) {
    SetWindowPos(panel, nullptr, start.left + at.x - grab.x, start.top + at.y - grab.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  SetCapture(panel);
  MSG msg;
  while (GetCapture() == panel) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The platform's wait, as in Pause: asleep until the next message.
      MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    // The panel is dropped where the button went up: under load the move just before the
    // release may come with the button already up, or not at all.
    if (msg.message == up) {
      follow(msg.pt);
      break;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      follow(grab);  // back where it was
      break;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == panel) {
      if (msg.wParam & held) {
        follow(msg.pt);
        continue;
      }
      // Already released: under load a move queued before the release can come with the button
      // up. The release queued behind it says where the panel goes; without one, the release
      // was heard elsewhere and this move is the last place known.
      MSG release;
      follow(PeekMessageW(&release, panel, up, up, PM_REMOVE) ? release.pt : msg.pt);
      break;
    }
    // Other buttons pressed meanwhile belong to the drag, as in the platform's own.
    if (msg.hwnd == panel && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == panel) ReleaseCapture();
}

}  // namespace

std::wstring ReadProfileString(std::wstring_view section, std::wstring_view key,
                               std::wstring_view file) {
  const std::string s = aol::ToAnsi(section), k = aol::ToAnsi(key), f = aol::ToAnsi(file);
  // The store's values fit a 255-character buffer; a longer one comes back cut to 254.
  char buffer[255] = {};
  DWORD n = GetPrivateProfileStringA(s.c_str(), k.c_str(), "", buffer, sizeof buffer, f.c_str());
  return aol::FromAnsi(std::string_view(buffer, n));
}

std::optional<std::wstring> GetWindowCaption(HWND window) {
  if (!window) return std::wstring();
  DWORD pid = 0;
  if (GetWindowThreadProcessId(window, &pid) == GetCurrentThreadId()) {
    int n = GetWindowTextLengthA(window);
    if (n <= 0) return std::wstring();
    std::string text(static_cast<size_t>(n) + 1, '\0');
    int got = GetWindowTextA(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return aol::FromAnsi(text);
  }
  // The client's window (the chat room): GetWindowTextLength asks it with a send that has no
  // time limit, so a hung client would hang Re-Enter; the same two questions go through the
  // driver's bounded send instead.
  aol::ForeignWindow w(window);
  auto n = w.Send(WM_GETTEXTLENGTH);
  if (!n) return std::nullopt;  // no answer in time, or the window went meanwhile
  if (*n <= 0) return std::wstring();
  std::string text(static_cast<size_t>(*n) + 1, '\0');
  auto got = w.Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!got) return std::nullopt;
  if (*got <= 0) return std::wstring();
  // A caption that changed between the two questions is cut at what the buffer holds.
  text.resize(std::min(static_cast<size_t>(*got), text.size() - 1));
  if (size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return aol::FromAnsi(text);
}

void KeepOnTop(HWND panel) {
  // Panels are made topmost at their load, while still hidden: without NOACTIVATE a hidden
  // panel would become the active window (wine does so) and its hidden controls would take the
  // keyboard from the panel the user sees.
  SetWindowPos(panel, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CenterFormAtTop(HWND panel) {
  RECT r;
  if (!panel || !GetWindowRect(panel, &r)) return;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int left = (screenWidth - (r.right - r.left)) / 2;
  // The top edge lies on the top of the screen: the panels hang from it, they are not centred
  // top to bottom.
  SetWindowPos(panel, nullptr, left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DragForm(HWND panel) {
  if (!panel) return;
  // The press that started this holds the mouse capture; the platform's caption drag takes it
  // over only once it is released.
  ReleaseCapture();
  // The platform's caption drag ends only on a left release: started by the right or middle
  // button, it would keep the panel on the pointer until the next left click, and swallow that
  // click. Those buttons move the panel here instead, until their own release.
  const bool left = GetKeyState(VK_LBUTTON) < 0;
  if (!left && GetKeyState(VK_RBUTTON) < 0) return FollowPointer(panel, VK_RBUTTON);
  if (!left && GetKeyState(VK_MBUTTON) < 0) return FollowPointer(panel, VK_MBUTTON);
  SendMessageW(panel, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace skarnel_aol6
