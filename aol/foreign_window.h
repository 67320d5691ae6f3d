#pragma once
// A non-owning view of a window of the AOL client (or of any other program): a handle with the
// few typed one-message calls the driver makes. It owns nothing and keeps nothing; a view of
// handle 0 is "not found", and every call on it does nothing and reports nothing.
//
// Every message the driver SENDS goes through SendMessageTimeout with SMTO_ABORTIFHUNG: a
// client whose thread stops answering would otherwise freeze Vantor's only thread inside
// SendMessage for good. After the limit the send counts as done without a result, and the
// operation goes on as it does for a missing window.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace aol {

// How long one sent message may keep Vantor waiting for the client. Long enough for a busy
// client to answer a click. An operation stops at its first unanswered send, and once a thread
// has not looked at its queue for more than five seconds the platform calls it hung and sends
// to it give up at once: a hung client costs at most one such wait per operation.
inline constexpr UINT kSendTimeoutMs = 5000;

class ForeignWindow {
 public:
  constexpr ForeignWindow() = default;
  constexpr explicit ForeignWindow(HWND hwnd) : hwnd_(hwnd) {}

  HWND get() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  // The first child of the class (whole name, any case). A missing window has no children: the
  // search never falls through to the top-level windows, as FindWindowEx with parent 0 would.
  ForeignWindow Child(const char* className) const { return NextChild(ForeignWindow{}, className); }
  // The next child of the class after `after` in child order.
  ForeignWindow NextChild(ForeignWindow after, const char* className) const {
    if (!hwnd_) return {};
    return ForeignWindow{FindWindowExA(hwnd_, after.hwnd_, className, nullptr)};
  }
  // The n-th child of the class (n from 1) in child order, counted as the client lays them out.
  ForeignWindow NthChild(const char* className, int n) const {
    ForeignWindow found = Child(className);
    for (int i = 1; i < n && found; ++i) found = NextChild(found, className);
    return found;
  }

  // A message sent with the time limit; nullopt when the window is missing, gone or did not
  // answer in time. The ANSI form is what the client sees from a keyboard-driven program.
  std::optional<LRESULT> Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendBounded(false, message, wParam, lParam);
  }
  // The wide form, for list-box reads: wine's ANSI LB_GETTEXT across processes writes UTF-16
  // into the caller's buffer, twice the size that LB_GETTEXTLEN promised.
  std::optional<LRESULT> SendWide(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendBounded(true, message, wParam, lParam);
  }
  // A message posted: returns before the window has handled it. Handle 0 is skipped, because
  // posting to 0 would put the message in Vantor's own thread queue instead of dropping it.
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return hwnd_ && PostMessageA(hwnd_, message, wParam, lParam);
  }

  // Replaces the window's text with these ANSI bytes (WM_SETTEXT), whatever it held before.
  // False when the window is missing or did not answer in time.
  bool SetText(const std::string& ansi) const {
    return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str())).has_value();
  }

 private:
  std::optional<LRESULT> SendBounded(bool wide, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!hwnd_) return std::nullopt;
    DWORD_PTR result = 0;
    const UINT flags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
    LRESULT ok =
        wide ? SendMessageTimeoutW(hwnd_, message, wParam, lParam, flags, kSendTimeoutMs, &result)
             : SendMessageTimeoutA(hwnd_, message, wParam, lParam, flags, kSendTimeoutMs, &result);
    if (!ok) return std::nullopt;
    return static_cast<LRESULT>(result);
  }

  HWND hwnd_ = nullptr;
};

// The press of an AOL icon: WM_LBUTTONDOWN then WM_KEYUP(VK_SPACE), both sent. False when the
// icon is missing or its client did not answer the button-down; the release is then not sent,
// so a client that stopped answering costs one wait, not two.
inline bool PressIcon(ForeignWindow icon) {
  if (!icon.Send(WM_LBUTTONDOWN, 0, 0)) return false;
  return icon.Send(WM_KEYUP, VK_SPACE, 0).has_value();
}

// The first top-level window of the class, or a view of 0.
inline ForeignWindow FindTopLevel(const char* className) {
  return ForeignWindow{FindWindowA(className, nullptr)};
}

}  // namespace aol
