#pragma once
// Vantor in a user's hands: real clicks on its panels and real typing, through the platform's
// input path, and the checks that say where the keyboard went.
#include <string>
#include <string_view>

#include "tests/acceptance/session.h"
#include "tests/support/hands.h"
#include "tests/support/wait.h"

namespace acceptance::by_hand {

namespace hands = testing_support::hands;

// The window that has Vantor's keyboard, 0 if none.
inline HWND KeyboardWindow(const Vantor& v) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(v.Head(), nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Where Vantor's keyboard and activation are now, for a report.
inline std::string KeyboardOf(const Vantor& v) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(v.Head(), nullptr);
  if (!thread || !GetGUIThreadInfo(thread, &info)) return "no keyboard state";
  return "keyboard in " + testing_support::Shown(info.hwndFocus) + ", active " +
         testing_support::Shown(info.hwndActive) + ", foreground " +
         testing_support::Shown(GetForegroundWindow());
}

// Types over what the control with the keyboard holds, as a user does: End, Shift+Home, then
// the text. The keys go wherever the keyboard is.
inline void Retype(std::wstring_view text) {
  hands::Key(VK_END);
  hands::Chord(VK_SHIFT, VK_HOME);
  hands::Type(text);
}

// Waits until the request box has the keyboard in the foreground panel. Keys are addressed to
// the control that has the keyboard when they come, so keys typed in the middle of a panel
// switch would go to the panel itself, as they would for a user typing faster than the switch:
// a test types at the user's pace, after this.
inline testing_support::Waited KeyboardInRequestBox(const Vantor& v) {
  const HWND box = v.RequestBox();
  return testing_support::WaitUntil(
      "the request box to have the keyboard",
      [&] { return KeyboardWindow(v) == box && GetForegroundWindow() == v.Head(); },
      [&] { return KeyboardOf(v); }, 3000);
}

// Once the request box has the keyboard, retypes `text` and waits until the box reads it. Input
// is handled in order, so once it reads so, every click and key before it has been handled too.
inline testing_support::Waited TypingReachesTheRequestBox(const Vantor& v, std::wstring_view text) {
  if (auto ready = KeyboardInRequestBox(v); !ready) return ready;
  const HWND box = v.RequestBox();
  Retype(text);
  return testing_support::WaitUntil(
      "the request box to read " + testing_support::Shown(text),
      [&] { return testing_support::GetText(box) == text; },
      [&] {
        return "the box reads " + testing_support::Shown(testing_support::GetText(box)) + ", " +
               KeyboardOf(v);
      },
      3000);
}

// Clicks Others by hand and waits for the pop-up menu; 0 if it did not show.
inline testing_support::FoundWindow OpenOthers(const Vantor& v) {
  hands::Click(v.Control(kHeadTitle, L"Others"));
  return testing_support::WaitForVisibleWindow(v.Pid(), L"#32768");
}

// Chooses a menu item with the keyboard, as the menu's own keys reach it; waits for it to close.
inline testing_support::Waited ChooseByKeys(HWND menu, MenuItem item) {
  for (int i = 0; i < static_cast<int>(item); ++i) hands::Key(VK_DOWN);
  hands::Key(VK_RETURN);
  return testing_support::WaitUntil(
      "the menu to close", [&] { return !IsWindowVisible(menu); },
      [&] { return testing_support::Shown(menu); });
}

}  // namespace acceptance::by_hand
