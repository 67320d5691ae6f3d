#pragma once
// A suite whose cases share one client and one Vantor: started with the suite's switches
// (Derived::kSwitches) before its first case, ended after its last.
#include <gtest/gtest.h>

#include "tests/acceptance/session.h"
#include "tests/support/journal.h"

namespace acceptance {

template <class Derived>
class SharedPairTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pair = new Pair(Derived::kSwitches);
    pair->Start();
  }
  static void TearDownTestSuite() {
    delete pair;
    pair = nullptr;
  }
  // A case starts once the server has answered the last case's requests: not this case's doing.
  void SetUp() override {
    ASSERT_TRUE(pair->ok) << pair->failure;
    ASSERT_TRUE(testing_support::WaitUntil("the server to answer every request",
                                           [] { return S().State().owedAnswers == 0; }, 10000));
  }
  static Vantor& V() { return pair->vantor; }
  static Sim& S() { return *pair->sim; }
  static inline Pair* pair = nullptr;
};

}  // namespace acceptance
