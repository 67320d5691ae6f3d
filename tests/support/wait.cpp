#include "tests/support/wait.h"

#include <cstdio>

namespace testing_support {
namespace {

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool Pump(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpPending();
    if (condition()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return condition();
    // Wake on any message, or every 10 ms for conditions that change in other threads.
    DWORD slice = static_cast<DWORD>(deadline - now);
    if (slice > 10) slice = 10;
    MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

template <class Texts>
std::string List(const Texts& texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + Shown(texts[i]);
  return out + "] (" + std::to_string(texts.size()) + ")";
}

}  // namespace

Waited WaitUntil(std::string_view what, const std::function<bool()>& condition,
                 const std::function<std::string()>& seen, DWORD timeoutMs) {
  if (Pump(condition, timeoutMs)) return {true, {}};
  std::string report = "waited " + std::to_string(timeoutMs) + " ms for " + std::string(what);
  report += "; saw last: " + (seen ? seen() : std::string("not so"));
  return {false, report};
}

Waited WaitUntil(std::string_view what, const std::function<bool()>& condition, DWORD timeoutMs) {
  return WaitUntil(what, condition, nullptr, timeoutMs);
}

Waited WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  return WaitUntil("the condition", condition, nullptr, timeoutMs);
}

void PumpFor(DWORD ms) {
  Pump([] { return false; }, ms);
}

std::string Shown(std::wstring_view text) {
  std::string utf8;
  if (!text.empty()) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                        nullptr, nullptr);
  }
  return Shown(std::string_view(utf8));
}

std::string Shown(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c != 0x7F) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + "\"";
}

std::string Shown(const std::vector<std::wstring>& texts) {
  return List(texts);
}

std::string Shown(const std::vector<std::string>& texts) {
  return List(texts);
}

std::string Shown(HWND window) {
  if (!window) return "no window";
  if (!IsWindow(window)) return "a window that is gone";
  wchar_t cls[64] = {}, title[128] = {};
  GetClassNameW(window, cls, 64);
  // Read without a message: a hung program must not hang the report.
  GetWindowTextW(window, title, 128);
  return "window of class " + Shown(std::wstring_view(cls)) + " titled " +
         Shown(std::wstring_view(title)) + (IsWindowVisible(window) ? ", shown" : ", hidden");
}

}  // namespace testing_support
