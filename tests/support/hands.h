#pragma once
// A user's hands for the acceptance suite: mouse moves, presses and key strokes that go through
// the platform's input path (SendInput from the test program), at screen positions. Activation,
// focus, capture and modal boxes apply to them as they do to a person: a click on a disabled
// panel is lost, keys go to whichever control has the keyboard. Nothing here talks to a window.
// Input is queued, not handled, when a call returns: wait for its effect.
#include <windows.h>

#include <string_view>

namespace testing_support::hands {

// The middle of a window on the screen.
POINT Middle(HWND window);

void MoveTo(POINT screen);
// A left press and release at `screen` (the pointer moves there first).
void Click(POINT screen);
void Click(HWND window);
// `button`'s press at `from`, the pointer moved to `to`, its release there (MOUSEEVENTF_LEFTDOWN,
// _RIGHTDOWN or _MIDDLEDOWN; the release is the matching UP flag).
void Drag(POINT from, POINT to, DWORD button);
// Two left presses and releases at once, well within the double-click time.
void DoubleClick(HWND window);

// A key pressed and released; with `modifier` (VK_SHIFT, VK_CONTROL) held around it.
void Key(WORD virtualKey);
void Chord(WORD modifier, WORD virtualKey);
// Characters as the keyboard types them (Shift where the character needs it).
void Type(std::wstring_view text);

}  // namespace testing_support::hands
