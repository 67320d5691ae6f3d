// Leaving Vantor: "X" on the main panel and "Exit" in its menu send the exit banner when a room
// is open and end the process at once. Run on vantor.exe beside aol7sim.exe, both driven from
// outside; the banner is read from the client's journal file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim.h"
#include "tests/support/banners.h"
#include "tests/support/hands.h"
#include "tests/support/journal.h"
#include "tests/support/outside.h"
#include "tests/support/wait.h"

namespace {

using namespace testing_support;

constexpr wchar_t kMainTitle[] = L"Vantor v 2.0 by: Skarnel";

// XTwice: "X" clicked by hand, and again while the exit banner's pause holds the exit.
enum class Way { X, XTwice, MenuExit };

struct Case {
  const char* name;
  Way way;
  bool room;
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

class Exit : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    journalPath = TestProgramFolder() + L"\\exit_journal.txt";
    DeleteFileW(journalPath.c_str());
  }
  void TearDown() override { DeleteFileW(journalPath.c_str()); }

  std::vector<sim::Event> Journal() const { return ReadJournalFile(journalPath); }
  std::vector<std::string> RoomLines() const { return TextsOf(Journal(), "settext", "chat.input"); }

  std::wstring journalPath;
};

TEST_P(Exit, SendsTheExitBannerOnlyWithARoomThenEnds) {
  const Case& c = GetParam();
  const std::wstring folder = TestProgramFolder();
  std::wstring simArgs = L"--journal \"" + journalPath + L"\"";
  if (!c.room) simArgs += L" --no-room";
  Process client(folder + L"\\aol7sim.exe", simArgs);
  ASSERT_TRUE(client.Started());
  const auto frame = WaitForTopWindow(client.Id(), L"America Online", 10000, L"aol frame25");
  ASSERT_TRUE(frame);
  // Vantor starts beside a client that has finished starting, as a member's has.
  ASSERT_TRUE(WaitUntil(
      "the client journalled ready", [&] { return !TextsOf(Journal(), "ready", "client").empty(); },
      [&] { return "not yet; " + TopWindowsOf(client.Id()); }));
  // The room opens inside the client after its main window shows.
  if (c.room) {
    ASSERT_TRUE(WaitUntil(
        "the chat room to open", [&] { return FindChild(frame, L"Lobby", L"aol child"); },
        [] { return std::string("no room"); }));
  }

  Process vantor(folder + L"\\vantor.exe");
  ASSERT_TRUE(vantor.Started());
  const auto splash = WaitForTopWindow(vantor.Id(), L"Vantor", 10000);
  ASSERT_TRUE(splash);
  DoubleClick(splash);  // returns after the main panel's load, start banner included
  const auto head = WaitForTopWindow(vantor.Id(), kMainTitle);
  ASSERT_TRUE(head);
  const size_t linesBefore = RoomLines().size();
  EXPECT_EQ(linesBefore, c.room ? 2u : 0u) << "the start banner";

  // Undo the start banner's maximising, so the exit banner's own shows. Restored without being
  // activated: an activation of the client's window moves wine's X focus late, after Vantor's
  // menu has opened, and that focus change closes the menu (a user does not restore the client
  // from a third program in the middle of a click on "Others").
  if (IsZoomed(frame)) {
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(WaitUntil(
        "the client's window restored", [&] { return !IsZoomed(frame); },
        [&] { return Shown(frame) + ", foreground " + Shown(GetForegroundWindow()); }));
  }
  EXPECT_EQ(IsZoomed(frame), FALSE);

  if (c.way == Way::X) {
    const HWND x = FindChild(head, L"X");
    ASSERT_TRUE(x);
    // Posted: the process ends in the middle of the handler.
    ClickLabel(x, Delivery::Post);
  } else if (c.way == Way::XTwice) {
    const HWND x = FindChild(head, L"X");
    ASSERT_TRUE(x);
    hands::Click(x);
    ASSERT_TRUE(WaitUntil(
        "the exit banner's first line", [&] { return RoomLines().size() > linesBefore; },
        [&] { return Shown(RoomLines()); }));
    hands::Click(x);
  } else {
    const HWND others = FindChild(head, L"Others");
    ASSERT_TRUE(others);
    hands::Click(others);  // the menu's own loop holds the handler
    const auto menu = WaitForVisibleWindow(vantor.Id(), L"#32768");
    ASSERT_TRUE(menu);
    PostKey(menu, VK_UP);  // "Exit" is the last item
    PostKey(menu, VK_RETURN);
  }
  ASSERT_TRUE(vantor.WaitForExit(10000)) << TopWindowsOf(vantor.Id());
  EXPECT_EQ(vantor.ExitCode(), 0u);

  const auto journal = Journal();
  std::vector<std::string> lines = TextsOf(journal, "settext", "chat.input");
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(linesBefore));
  if (!c.room) {
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(IsZoomed(frame));
    return;
  }
  EXPECT_EQ(lines, (std::vector<std::string>{kUnloaded, kLink}));
  std::vector<ULONGLONG> stamps;
  for (const auto& e : journal)
    if (e.what == "settext" && e.target == "chat.input") stamps.push_back(e.ms);
  ASSERT_EQ(stamps.size(), linesBefore + 2);
  EXPECT_GE(stamps[linesBefore + 1] - stamps[linesBefore] + kClockSlackMs, kBannerLineGapMs);
  // The client was maximised for the banner.
  EXPECT_TRUE(WaitUntil(
      "the client's window maximised", [&] { return IsZoomed(frame) != FALSE; },
      [&] { return Shown(frame) + ", not maximised"; }));
}

INSTANTIATE_TEST_SUITE_P(WaysOut, Exit,
                         ::testing::Values(Case{"X_with_room", Way::X, true},
                                           Case{"X_without_room", Way::X, false},
                                           Case{"X_twice_with_room", Way::XTwice, true},
                                           Case{"menu_Exit_with_room", Way::MenuExit, true},
                                           Case{"menu_Exit_without_room", Way::MenuExit, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
