#include "tests/support/wait.h"

namespace testing_support {
namespace {

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
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

void PumpFor(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

}  // namespace testing_support
