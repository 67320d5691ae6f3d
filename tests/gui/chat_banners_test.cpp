// The banners the main panel sends by itself: at its load, on Re-Enter and at exit, checked in
// the simulated client's journal byte for byte and with the pauses between the lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aol/ansi.h"
#include "aol/foreign_window.h"
#include "core/banner_lines.h"
#include "core/chat_banners.h"
#include "sim/sim.h"
#include "tests/support/banners.h"
#include "tests/support/effects.h"
#include "tests/support/journal.h"
#include "tests/support/outside.h"
#include "tests/support/vantor_fixture.h"
#include "tests/support/wait.h"
#include "ui/app.h"

namespace {

using testing_support::Lines;

using testing_support::kBack;
using testing_support::kBannerLineGapMs;
using testing_support::kClockSlackMs;
using testing_support::kLink;
using testing_support::kSignature;
using testing_support::kUnloaded;

// Stamps of the events of one kind and target, in order.
std::vector<ULONGLONG> StampsOf(const std::vector<sim::Event>& journal, const std::string& what,
                                const std::string& target) {
  std::vector<ULONGLONG> out;
  for (const auto& e : journal)
    if (e.what == what && e.target == target) out.push_back(e.ms);
  return out;
}

Lines RoomLinesOf(const std::vector<sim::Event>& journal) {
  return testing_support::TextsOf(journal, "settext", "chat.input");
}

// Each line is written into the input box and then sent with the room's sixth icon.
void ExpectEachLineSent(const std::vector<sim::Event>& journal, const Lines& lines) {
  std::vector<testing_support::Expected> expected;
  for (const auto& line : lines) {
    expected.push_back({"settext", "chat.input", line});
    expected.push_back({"press", "chat.icon6", "LBUTTONDOWN+KEYUP(SPACE)"});
  }
  EXPECT_JOURNAL(journal, expected, {"settext", "press"});
}

// The start banner belongs to the main panel's first load, so these tests start the client
// before any panel exists.
class StartBanner : public ::testing::Test {
 protected:
  void TearDown() override {
    ui::ResetApp();
    client.reset();
  }
  testing_support::Effects effects;
  std::unique_ptr<sim::Client> client;
};

TEST_F(StartBanner, SentOnceAtLoadWithTheClientMaximised) {
  client = sim::Client::Start();
  ASSERT_FALSE(IsZoomed(client->MainWindow()));
  auto& app = ui::App();
  app.head.Show();  // the splash hands over: the load runs, and with it the banner

  const auto journal = client->Journal();
  EXPECT_EQ(RoomLinesOf(journal), (Lines{kSignature, kLink}));
  ExpectEachLineSent(journal, {kSignature, kLink});
  const auto stamps = StampsOf(journal, "settext", "chat.input");
  ASSERT_EQ(stamps.size(), 2u);
  EXPECT_GE(stamps[1] - stamps[0] + kClockSlackMs, kBannerLineGapMs);
  EXPECT_TRUE(testing_support::WaitUntil("the client maximised",
                                         [&] { return IsZoomed(client->MainWindow()) != 0; }));
  EXPECT_TRUE(effects.Messages().empty());

  // Hiding and showing the panel (as View List and Return do) loads nothing again.
  client->ClearJournal();
  app.head.Label14_Click();
  app.reqlist.Label5_Click();
  app.head.Hide();
  app.head.Show();
  testing_support::PumpFor(100);
  EXPECT_EQ(RoomLinesOf(client->Journal()).size(), 3u)  // View List's own banner only
      << "the start banner was sent again";
}

TEST_F(StartBanner, NoneWithoutARoomNotEvenWhenOneOpensLater) {
  client = sim::Client::Start({.chatRoom = false});
  auto& app = ui::App();
  app.head.Show();
  testing_support::PumpFor(100);
  EXPECT_TRUE(RoomLinesOf(client->Journal()).empty());
  EXPECT_FALSE(IsZoomed(client->MainWindow()));
  EXPECT_TRUE(effects.log.empty());

  client->OpenChatRoom("Lobby");
  app.head.Hide();
  app.head.Show();
  testing_support::PumpFor(100);
  EXPECT_TRUE(RoomLinesOf(client->Journal()).empty());
}

class ReEnter : public testing_support::VantorWithSim {};

TEST_F(ReEnter, WithoutARoomTellsTheUserAndDoesNothingElse) {
  RestartSim({.chatRoom = false});
  head().Label11_Click();
  Settle();
  EXPECT_EQ(effects.log,
            (std::vector<std::wstring>{
                L"sound:press", testing_support::MsgBoxEntry(0, L"Must be in a chatroom first!")}));
  EXPECT_JOURNAL(Journal(), {}, {"settext", "press", "keyword"});
}

TEST_F(ReEnter, EntersTheRoomByItsCaptionThenSaysItIsBack) {
  for (const std::string room : {"Lobby", "Lobby 12"}) {
    SCOPED_TRACE(room);
    RestartSim({.roomName = room});
    effects.Clear();
    head().Label11_Click();

    const auto journal = Journal();
    EXPECT_EQ(testing_support::TextsOf(journal, "settext", "keyword.edit"),
              Lines{"aol://2719:2-2-" + room});
    EXPECT_EQ(RoomLinesOf(journal), Lines{kBack});
    // The back line waits half a second after the keyword window was told to run the address.
    const auto run = StampsOf(journal, "press", "keyword.icon1");
    const auto line = StampsOf(journal, "settext", "chat.input");
    ASSERT_EQ(run.size(), 1u);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_GE(line[0] - run[0] + kClockSlackMs, 500u);
    // One line only: no signature, and the client is not maximised for it.
    EXPECT_FALSE(IsZoomed(client->MainWindow()));
    EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  }
}

// A read of the room's name that failed (the client answered it too late) is no name: nothing
// is run or typed, where the bare room address would have been.
TEST_F(ReEnter, AFailedReadOfTheRoomsNameRunsNothing) {
  RestartSim({.slowReadMs = static_cast<int>(aol::kSendTimeoutMs) + 1500});
  head().Label11_Click();
  Settle(2000);  // until the client is done answering late
  EXPECT_EQ(testing_support::TextsOf(Journal(), "slow", "room Lobby").size(), 1u);
  EXPECT_JOURNAL(Journal(), {}, {"settext", "press", "keyword"});
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
}

// The exit buttons end the process (tests/acceptance/exit_test.cpp); their banner is checked here.
class ExitBanner : public testing_support::VantorWithSim {};

TEST_F(ExitBanner, TwoLinesSevenTenthsApartWithTheClientMaximised) {
  core::SendExitBanner();
  const auto journal = Journal();
  ExpectEachLineSent(journal, {kUnloaded, kLink});
  const auto stamps = StampsOf(journal, "settext", "chat.input");
  ASSERT_EQ(stamps.size(), 2u);
  EXPECT_GE(stamps[1] - stamps[0] + kClockSlackMs, kBannerLineGapMs);
  EXPECT_TRUE(testing_support::WaitUntil("the client maximised",
                                         [&] { return IsZoomed(client->MainWindow()) != 0; }));
}

TEST_F(ExitBanner, NothingWithoutARoom) {
  RestartSim({.chatRoom = false});
  core::SendExitBanner();
  Settle();
  EXPECT_JOURNAL(Journal(), {}, {"settext", "press"});
  EXPECT_FALSE(IsZoomed(client->MainWindow()));
}

// A click handled during the 0.7 s between two lines runs to its end in between: the banner
// carries on with its second line afterwards.
TEST_F(ExitBanner, AClickDuringThePauseFallsBetweenTheLines) {
  // The driver's window walk also handles pending clicks, so the click is made to arrive in the
  // middle of the pause: a timer that looks every 10 ms posts it once the room has said the first
  // line (at a fixed time after the start it would overtake a first line slowed by a busy machine).
  static HWND viewList;
  static sim::Client* room;
  viewList = head().Label14.hwnd();
  room = client.get();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    const auto said = testing_support::TextsOf(room->Journal(), "say", "chat");
    if (said.empty()) return;
    KillTimer(nullptr, id);
    testing_support::ClickLabel(viewList, testing_support::Delivery::Post);
  });
  ASSERT_NE(timer, 0u);
  core::SendExitBanner();
  EXPECT_EQ(RoomLines(),
            (Lines{kUnloaded, kSignature, aol::ToAnsi(core::CountLine(0)), kLink, kLink}));
}

}  // namespace
