// Vantor announcing itself in the room, from outside: the start banner only when a room is open
// at start, Re-Enter entering the room again by its name and saying it is back, and View List
// announcing the number of requests. (The DL Tool's banner is checked with its runs, the exit
// banner with the ways out.)
#include <gtest/gtest.h>

#include "tests/acceptance/lines.h"
#include "tests/acceptance/shared_pair.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

class Banners : public SharedPairTest<Banners> {
 public:
  static constexpr const wchar_t* kSwitches = L"--server-delay 50 --room \"Lobby 12\"";
};

TEST_F(Banners, ReEnterRunsTheRoomsAddressThenSaysItIsBack) {
  const size_t mark = S().Mark();
  ASSERT_TRUE(V().Click(kHeadTitle, L"Re-Enter"));
  ASSERT_TRUE(testing_support::WaitUntil(
      "a line said after Re-Enter", [&] { return !S().SaidSince(mark).empty(); },
      [&] { return testing_support::Shown(S().SaidSince(mark)); }));
  testing_support::PumpFor(200);
  const auto journal = S().Since(mark);
  EXPECT_EQ(TextsOf(journal, "keyword", "keyword"), Lines{"aol://2719:2-2-Lobby 12"});
  EXPECT_EQ(Kinds(S().SaidSince(mark)), Lines{"back"});
  // The room is open again under its name, and the main window was not maximised anew.
  EXPECT_TRUE(S().Room(L"Lobby 12"));
}

TEST_F(Banners, ViewListAnnouncesTheNumberOfRequests) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  V().TypeRequest(L"5");
  ASSERT_TRUE(V().Click(kHeadTitle, L"Send"));
  ASSERT_TRUE(V().Click(kHeadTitle, L"Send"));
  const size_t count = V().RequestList().size();
  const size_t mark = S().Mark();
  ASSERT_TRUE(V().Click(kHeadTitle, L"View List"));
  ASSERT_TRUE(testing_support::WaitUntil(
      "three lines said after View List", [&] { return S().SaidSince(mark).size() >= 3; },
      [&] { return testing_support::Shown(S().SaidSince(mark)); }));
  EXPECT_EQ(Kinds(S().SaidSince(mark)),
            (Lines{"signature", "count " + std::to_string(count), "link"}));
  ASSERT_TRUE(V().Click(kListTitle, L"Return"));
}

// No chat room at start: no banner at all, and Re-Enter says why it cannot.
class BannersNoRoom : public Banners {
 protected:
  static void SetUpTestSuite() {
    pair = new Pair(L"--no-room");
    pair->Start();
  }
  // The base's TearDownTestSuite ends this pair.
};

TEST_F(BannersNoRoom, NothingIsAnnouncedAndReEnterSaysWhy) {
  EXPECT_TRUE(S().Typed().empty());
  EXPECT_FALSE(IsZoomed(S().Main()));
  ASSERT_TRUE(V().ClickForDialog(V().Control(kHeadTitle, L"Re-Enter")));
  EXPECT_EQ(V().AnswerMessage(), L"Must be in a chatroom first!");
  // View List opens the panel without a banner or a message.
  ASSERT_TRUE(V().Click(kHeadTitle, L"View List"));
  EXPECT_TRUE(V().PanelVisible(kListTitle));
  EXPECT_FALSE(V().WaitDialog(300));
  ASSERT_TRUE(V().Click(kListTitle, L"Return"));
  testing_support::PumpFor(100);
  EXPECT_TRUE(S().Typed().empty());
  EXPECT_TRUE(TextsOf(S().Journal(), "keyword", "keyword").empty());
}

}  // namespace
}  // namespace acceptance
