#pragma once
// Generic desktop routines: profile reads, captions, panel placement, pauses, dragging, and the
// ways Vantor presses something in another program's window. Stateless free functions.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace skarnel_aol6 {

// One key of a profile file, read into a 255-character buffer (a longer value comes back cut to
// 254 characters). A missing file, section or key reads as "".
std::wstring ReadProfileString(std::wstring_view section, std::wstring_view key,
                               std::wstring_view file);

// The window's text; "" for a window without text or for handle 0. Nothing when the read failed
// (the client did not answer in time): a failed read is no empty caption, and nothing may be run
// or typed from it.
std::optional<std::wstring> GetWindowCaption(HWND window);

// Keeps the panel above all non-topmost windows, in place and size.
void KeepOnTop(HWND panel);

// Centres the panel left to right with its top edge on the top of the screen.
void CenterFormAtTop(HWND panel);

// Processes every pending user-interface message once, without waiting.
void DoEvents();

// The program's one clock: seconds on a monotonic counter, from an arbitrary start.
double Now();

// The program's one wait: until `done` holds or `seconds` have passed on Now()'s clock, handling
// every message as it arrives. `done` is looked at first, after every round of messages and at
// least every `lookMs` (the client's windows appear without telling us); between looks it sleeps
// in the platform's wait instead of spinning, and only the last millisecond before the deadline
// is watched on the clock, so a wait ends within a fraction of a millisecond of its time. True
// when `done` held. It also ends once the program's WM_QUIT was seen (posted again for the
// outer loop). `quick`, when given, runs at every look too; while it returns true the wait looks
// every millisecond: a window the client has just created shows a few milliseconds later, and
// the platform reports only its creation.
bool WaitUntil(const std::function<bool()>& done, double seconds, DWORD lookMs = INFINITE,
               const std::function<bool()>& quick = nullptr);

// WaitUntil without a condition: `seconds` pass while every message is handled. 0 or less
// returns at once.
void Pause(double seconds);

// Lets the user drag the borderless panel as if by its title bar, until the button is released.
void DragForm(HWND panel);

// A carriage return, sent: returns after the window has handled it.
void PressEnter(HWND window);

// The press of an AOL icon: WM_LBUTTONDOWN then WM_KEYUP(VK_SPACE), both sent, nothing between.
// False when the client did not answer them within the send's limit: the press may never act.
bool ClickIcon(HWND window);

// A click, posted (WM_LBUTTONDOWN, WM_LBUTTONUP): returns before the window handles it.
void ClickButton(HWND window);

// The top-level window AOL shows as its modal prompt, or 0 (see the walk in the .cpp).
HWND FindAolModal();

}  // namespace skarnel_aol6
