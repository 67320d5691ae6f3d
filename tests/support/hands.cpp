#include "tests/support/hands.h"

#include <cstdlib>
#include <vector>

#include "tests/support/wait.h"

namespace testing_support::hands {
namespace {

INPUT Mouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.dwFlags = flags;
  return in;
}

INPUT Keyboard(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

// The last click, so that the next one at the same place is not taken for a double-click.
struct LastClick {
  POINT at{-1000, -1000};
  ULONGLONG ms = 0;
} last;

// Two clicks close in place and time are a double-click, which a label takes as one press:
// a click meant as a click of its own waits until the double-click time is over.
void NoDoubleClickWith(POINT at) {
  const bool sameSpot = std::abs(at.x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                        std::abs(at.y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
  const ULONGLONG over = last.ms + GetDoubleClickTime() + 50;
  const ULONGLONG now = GetTickCount64();
  if (sameSpot && now < over) PumpFor(static_cast<DWORD>(over - now));
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Absolute mouse positions run from 0 to 65535 across the primary screen.
LONG Normalised(int pixel, int extent) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65535 + (extent - 1) / 2) /
                           (extent > 1 ? extent - 1 : 1));
}

}  // namespace

POINT Middle(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void MoveTo(POINT screen) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(screen.x, w),
              Normalised(screen.y, h))});
}

void Click(POINT screen) {
  NoDoubleClickWith(screen);
  MoveTo(screen);
  Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
  last = {screen, GetTickCount64()};
}

void Click(HWND window) {
  Click(Middle(window));
}

void Drag(POINT from, POINT to, DWORD button) {
  MoveTo(from);
  Send({Mouse(button)});
  MoveTo({(from.x + to.x) / 2, (from.y + to.y) / 2});
  MoveTo(to);
  Send({Mouse(button << 1)});  // every UP flag is its DOWN flag's next bit
  last = {};
}

void DoubleClick(HWND window) {
  const POINT at = Middle(window);
  NoDoubleClickWith(at);
  MoveTo(at);
  Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP), Mouse(MOUSEEVENTF_LEFTDOWN),
        Mouse(MOUSEEVENTF_LEFTUP)});
  last = {at, GetTickCount64()};
}

void Key(WORD virtualKey) {
  Send({Keyboard(virtualKey, false), Keyboard(virtualKey, true)});
}

void Chord(WORD modifier, WORD virtualKey) {
  Send({Keyboard(modifier, false), Keyboard(virtualKey, false), Keyboard(virtualKey, true),
        Keyboard(modifier, true)});
}

void Type(std::wstring_view text) {
  for (wchar_t c : text) {
    const SHORT scan = VkKeyScanW(c);
    if (scan == -1) continue;  // not on this keyboard
    const WORD vk = LOBYTE(scan);
    if (HIBYTE(scan) & 1)
      Chord(VK_SHIFT, vk);
    else
      Key(vk);
  }
}

}  // namespace testing_support::hands
