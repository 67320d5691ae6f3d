#pragma once
// Deadline waits for tests: pump this thread's messages until a condition holds or time runs
// out. Never a bare sleep. A wait that gives up says what it waited for and what it saw last:
// assert on it directly (ASSERT_TRUE(WaitUntil(...))) and the failure shows the caller's line and
// expression, the time waited and the last sight.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace testing {
class AssertionResult;
}

namespace testing_support {

// How a wait ended. True when the condition came; otherwise Report() tells the rest.
class Waited {
 public:
  Waited(bool met, std::string report) : met_(met), report_(std::move(report)) {}
  operator bool() const { return met_; }
  const std::string& Report() const { return report_; }
  // For gtest's boolean checks, with the report as the failure's message (defined in the test
  // support library; programs without gtest never convert).
  operator ::testing::AssertionResult() const;

 private:
  bool met_;
  std::string report_;
};

// Pumps messages, checking `condition` after each wake, until it is true or `timeoutMs` has
// passed. On giving up the report names `what` and what `seen` returns then.
Waited WaitUntil(std::string_view what, const std::function<bool()>& condition,
                 const std::function<std::string()>& seen, DWORD timeoutMs = 5000);
// Where what is seen needs no words beyond `what` (a window that never came, a box that stayed).
Waited WaitUntil(std::string_view what, const std::function<bool()>& condition,
                 DWORD timeoutMs = 5000);
// The same without words: the report has only the time (the assertion's text says the rest).
Waited WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Pumps messages for the whole of `ms` (for "nothing happens" checks).
void PumpFor(DWORD ms);

// Readable forms of what a wait sees, for its report.
std::string Shown(std::wstring_view text);  // UTF-8, quoted
std::string Shown(std::string_view text);   // quoted, control bytes escaped
std::string Shown(const std::vector<std::wstring>& texts);
std::string Shown(const std::vector<std::string>& texts);
std::string Shown(HWND window);  // class, title, visible or not; "no window" for 0

}  // namespace testing_support
