#pragma once
// Deadline waits for tests: pump this thread's messages until a condition holds or time runs
// out. Never a bare sleep.
#include <windows.h>

#include <functional>

namespace testing_support {

// Pumps messages, checking `condition` after each wake, until it is true (returns true) or
// `timeoutMs` has passed (returns the condition's last value).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Pumps messages for the whole of `ms` (for "nothing happens" checks).
void PumpFor(DWORD ms);

}  // namespace testing_support
