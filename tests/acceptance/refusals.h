#pragma once
// Actions of the main panel that Vantor refuses with a message box, checked from a table: each
// is refused with its message, nothing reaches the room and the request list keeps its length.
#include <gtest/gtest.h>

#include <vector>

#include "tests/acceptance/session.h"

namespace acceptance {

// How each action of a table is taken.
enum class Action {
  Enter,  // the input is typed into the request box, then Enter is pressed
  Click,  // the input is the caption of a main-panel button, which is clicked
};

struct Refusal {
  const wchar_t* input;
  const wchar_t* message;  // as Vantor::AnswerMessage reads it
};

// `sim` is the client, or nullptr when none runs (then only the messages and the list count).
// A click that brings no box ends the table there.
::testing::AssertionResult AllRefused(Vantor& vantor, const Sim* sim, Action action,
                                      const std::vector<Refusal>& refusals);

}  // namespace acceptance

#define EXPECT_REFUSED(vantor, sim, action, ...) \
  EXPECT_TRUE(::acceptance::AllRefused((vantor), (sim), (action), __VA_ARGS__))
