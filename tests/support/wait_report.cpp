// The wait's outcome as gtest's assertion result: a wait that gave up fails with its report.
#include <gtest/gtest.h>

#include "tests/support/outside.h"
#include "tests/support/wait.h"

namespace testing_support {

Waited::operator ::testing::AssertionResult() const {
  if (met_) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << report_;
}

FoundWindow::operator ::testing::AssertionResult() const {
  return waited_;
}

}  // namespace testing_support
