#pragma once
// Compares the simulator's journal with an expected table of events. Optional entries may be
// missing; on failure the message prints expected against actual, and EXPECT_JOURNAL reports the
// caller's file and line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim.h"

namespace testing_support {

struct Expected {
  std::string what;
  std::string target;
  std::string text = "*";  // "*" matches any text
  bool optional = false;
};

// Only events whose `what` is in `kinds` are compared (all events when `kinds` is empty).
::testing::AssertionResult JournalMatches(const std::vector<sim::Event>& actual,
                                          const std::vector<Expected>& expected,
                                          const std::vector<std::string>& kinds = {});

}  // namespace testing_support

#define EXPECT_JOURNAL(actual, ...) \
  EXPECT_TRUE(::testing_support::JournalMatches((actual), __VA_ARGS__))
