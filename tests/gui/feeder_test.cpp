// The DL Tool's run against the simulated client: the checks before anything reaches AOL, the
// walk through the mails, Stop, keep-as-new, and the waits that give up on a client that never
// answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "aol/ansi.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "core/banner_lines.h"
#include "tests/gui/dltool_fixture.h"
#include "tests/support/journal.h"
#include "tests/support/outside.h"
#include "tests/support/wait.h"

namespace {

using dltool_test::CaptionLog;
using dltool_test::DlToolTest;
using dltool_test::When;
using testing_support::Expected;
using testing_support::Lines;
using testing_support::TextsOf;

constexpr wchar_t kNotANumber[] = L"Only #'s NO letters or punctuations";
constexpr wchar_t kEmptyRange[] = L"Stop playin with yourself!";
constexpr wchar_t kNoSpeed[] = L"Must select a speed to move through mails.";
constexpr wchar_t kTooFewMails[] = L"Not enough mails in the mail box!";
constexpr wchar_t kDone[] = L"Mails have been added to DL Manager.";

// The forms of a press as the client's journal names them.
constexpr char kSentPair[] = "LBUTTONDOWN+KEYUP(SPACE)";
constexpr char kPostedClick[] = "posted LBUTTONDOWN+posted LBUTTONUP";
constexpr char kMenuKeys[] = "posted DOWN,posted DOWN,posted RETURN";

class Feeder : public DlToolTest {};

// Whatever the boxes hold, a refused run sends nothing to AOL and leaves the counter at "0".
TEST_F(Feeder, RefusedRunsReachNothingInAol) {
  const struct {
    const wchar_t *first, *last, *speed, *message;
  } cases[] = {
      {L"#", L"5", L"1", kNotANumber},          {L"3", L"#", L"1", kNotANumber},
      {L"", L"5", L"1", kNotANumber},           {L"abc", L"5", L"1", kNotANumber},
      {L"1", L"2147483648", L"1", kNotANumber},  // no 32-bit mail number
      {L"0x1", L"9", L"1", kNotANumber},        {L"3", L"3", L"1", kEmptyRange},
      {L"7", L"3", L"1", kEmptyRange},          {L"3.2", L"3.9", L"1", kEmptyRange},  // both are 3
      {L"3", L"7", L"Speed", kNoSpeed},         {L"3", L"7", L"", kNoSpeed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "first '" << aol::ToAnsi(c.first) << "' last '" << aol::ToAnsi(c.last)
                 << "' speed '" << aol::ToAnsi(c.speed) << "'");
    effects.Clear();
    Fill(c.first, c.last, c.speed);
    dl().Label3_Click();
    const UINT flags = MB_ICONEXCLAMATION;
    EXPECT_EQ(effects.log, (std::vector<std::wstring>{L"sound:press", Msg(flags, c.message)}));
    EXPECT_EQ(dl().Label5.Caption(), L"0");
    EXPECT_FALSE(dl().Timer1.Enabled());
    EXPECT_FALSE(dl().running);
  }
  Settle();
  EXPECT_TRUE(Journal().empty()) << "something reached AOL";
}

// The whole road of one run: counter, banner, mailbox, first mail, five downloads each ended by
// the mail's sixth icon and the speed's pause, the plain ending, the closing message.
TEST_F(Feeder, RunsTheRangeIntoTheDownloadManager) {
  dl().hwnd();
  CaptionLog counter(dl().Label5.hwnd());
  Fill(L"3", L"7", L"2");
  dl().Label3_Click();

  EXPECT_EQ(counter.captions,
            (std::vector<std::wstring>{L"5", L"4", L"3", L"2", L"1", L"0", L"0"}));
  EXPECT_EQ(RoomLines(), (std::vector<std::string>{aol::ToAnsi(core::SignatureLine()),
                                                   aol::ToAnsi(core::AddingLine(L"5")),
                                                   aol::ToAnsi(core::LinkLine())}));
  EXPECT_EQ(client->DownloadQueue().size(), 5u);
  // Every press in the form the client needs: icons with the sent pair, except the mail's
  // download icon, whose menu runs inside the press and so is posted a click, and the menu,
  // which takes posted keys.
  std::vector<Expected> road = {
      {"press", "chat.icon6", kSentPair}, {"press", "chat.icon6", kSentPair},
      {"press", "chat.icon6", kSentPair}, {"press", "toolbar.icon2", kSentPair},
      {"select", "mailbox.list", "2"},    {"press", "mailbox.icon1", kSentPair}};
  for (int mail = 3; mail <= 7; ++mail) {
    road.insert(road.end(), {{"press", "mail.icon2", kPostedClick},
                             {"keys", "menu", kMenuKeys},
                             {"menu", "menu", "Download Later"},
                             {"queued", "download manager", std::to_string(mail)},
                             {"press", "modal.icon1", kSentPair},
                             {"press", "mail.icon6", kSentPair}});
  }
  road.insert(road.end(),
              {{"close", "mail 8"}, {"press", "mailbox.icon3", kSentPair}, {"close", "mailbox"}});
  std::vector<sim::Event> journal;  // without the menu's and the prompt's own closing
  for (const auto& e : Journal())
    if (!(e.what == "close" && (e.target == "menu" || e.target == "prompt"))) journal.push_back(e);
  EXPECT_JOURNAL(journal, road, {"press", "select", "keys", "menu", "queued", "close"});
  // Each mail's sixth icon is followed by the 2-second pause before the next mail's menu.
  const auto sixth = EventsOf("press", "mail.icon6");
  const auto second = EventsOf("press", "mail.icon2");
  ASSERT_EQ(sixth.size(), 5u);
  ASSERT_EQ(second.size(), 5u);
  for (size_t i = 0; i + 1 < second.size(); ++i)
    EXPECT_GE(second[i + 1].ms - sixth[i].ms, 1900u) << "after mail " << i + 1;
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
  EXPECT_EQ(effects.log.front(), L"sound:press");
  EXPECT_EQ(dl().Label5.Caption(), L"0");
  EXPECT_FALSE(dl().Timer1.Enabled());
  EXPECT_FALSE(dl().Option1.Value());
}

class FeederNoRoom : public DlToolTest {
 protected:
  sim::Options SimOptions() const override {
    auto o = DlToolTest::SimOptions();
    o.chatRoom = false;
    return o;
  }
};

// Fractions are rounded down (2.9 → 2, 5.1 → 5: four mails); with no chat room there is no
// banner and the run is otherwise the same.
TEST_F(FeederNoRoom, RoundsTheNumbersDownAndRunsWithoutBanner) {
  dl().hwnd();
  CaptionLog counter(dl().Label5.hwnd());
  Fill(L"2.9", L"5.1", L"1");
  dl().Label3_Click();
  ASSERT_FALSE(counter.captions.empty());
  EXPECT_EQ(counter.captions.front(), L"4");
  EXPECT_TRUE(RoomLines().empty());
  EXPECT_EQ(EventsOf("select", "mailbox.list").at(0).text, "1");  // mail 2
  EXPECT_EQ(PressesOf("mail.icon2"), 4u);
  EXPECT_EQ(Queued(), 4u);
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
}

// A speed typed as no number passes the checks and fails where it is first used: after the
// banner, the mailbox and the first mail. An Add pressed meanwhile only plays its sound.
TEST_F(Feeder, SpeedAsWordsFailsAtFirstUseAndAddWaitsItsTurn) {
  Fill(L"1", L"3", L"fast");
  When secondAdd([&] { return CountOf("open", "mailbox") > 0; }, [] { dl().Label3_Click(); });
  dl().Label3_Click();
  EXPECT_TRUE(secondAdd.Fired());
  EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"press", L"press"}));
  EXPECT_EQ(RoomLines().size(), 3u);  // one banner, not two
  EXPECT_EQ(PressesOf("toolbar.icon2"), 1u);
  EXPECT_EQ(PressesOf("mailbox.icon1"), 1u);  // the first mail was opened
  EXPECT_EQ(PressesOf("mail.icon2"), 0u);
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_ICONEXCLAMATION, kNotANumber)}));
  EXPECT_EQ(dl().Label5.Caption(), L"0");
  EXPECT_FALSE(dl().Timer1.Enabled());
}

using FeederTenMails = dltool_test::DlToolWithMails<10>;

// Only the first number is held against the mailbox: 11 of 10 is refused once the mailbox is
// open, 8 to 20 is accepted and walks to the mailbox's last mail, each mail once, and marks
// only the mails that exist.
TEST_F(FeederTenMails, ComparesOnlyTheFirstNumberWithTheMailbox) {
  Fill(L"11", L"12", L"1");
  dl().Label3_Click();
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kTooFewMails)}));
  EXPECT_EQ(CountOf("open", "mailbox"), 1u);
  EXPECT_EQ(CountOf("select"), 0u);
  EXPECT_EQ(dl().Label5.Caption(), L"0");
  EXPECT_FALSE(dl().Timer1.Enabled());

  RestartSim(SimOptions());
  effects.Clear();
  Fill(L"8", L"20", L"1", /*keepAsNew=*/true);
  dl().Label3_Click();
  EXPECT_EQ(EventsOf("select", "mailbox.list").at(0).text, "7");
  EXPECT_EQ(TextsOf(Journal(), "queued", "download manager"), (Lines{"8", "9", "10"}));
  const auto marked = client->MarkedNew();
  ASSERT_FALSE(marked.empty());
  EXPECT_EQ(std::vector<int>(marked.begin() + 1, marked.end()), (std::vector<int>{8, 9, 10}));
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
  EXPECT_EQ(dl().Label5.Caption(), L"0");
  EXPECT_EQ(CountOf("close", "mailbox"), 1u);
}

// Stop in the middle of the second of five mails: that mail is finished, the walk ends before
// the third, the ending runs; with keep-as-new every mail of the range is still marked.
TEST_F(Feeder, StopFinishesTheMailInHandThenEnds) {
  for (bool keepAsNew : {false, true}) {
    SCOPED_TRACE(keepAsNew ? "keep as new" : "plain ending");
    RestartSim(SimOptions());
    effects.Clear();
    Fill(L"2", L"6", L"1", keepAsNew);
    When stop([&] { return PressesOf("mail.icon2") >= 2; }, [] { dl().Label4_Click(); });
    // A second Stop once the marking has begun does not cut it short.
    When stopAgain([&] { return keepAsNew && client->MarkedNew().size() >= 2; },
                   [] { dl().Label4_Click(); });
    dl().Label3_Click();
    EXPECT_EQ(Queued(), 2u);
    EXPECT_EQ(PressesOf("mail.icon6"), 2u);
    EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
    EXPECT_EQ(dl().Label5.Caption(), L"0");
    EXPECT_TRUE(dl().Option1.Value());  // until the next Add
    EXPECT_FALSE(dl().Timer1.Enabled());
    EXPECT_EQ(CountOf("close", "mailbox"), 1u);
    if (keepAsNew) {
      auto marked = client->MarkedNew();
      ASSERT_GE(marked.size(), 5u);
      EXPECT_EQ(std::vector<int>(marked.end() - 5, marked.end()),
                (std::vector<int>{2, 3, 4, 5, 6}));
      EXPECT_EQ(PressesOf("mailbox.icon3"), 6u);
    } else {
      EXPECT_EQ(PressesOf("mailbox.icon3"), 1u);
    }
  }
}

// Keep-as-new, 4 to 6: once the mail window has closed, one press of the mailbox's 3rd icon,
// then mails 4, 5, 6 selected in turn, each followed by a press: four presses in all.
TEST_F(Feeder, KeepAsNewMarksEveryMailOfTheRange) {
  Fill(L"4", L"6", L"1", true);
  // Editing the boxes during the run must not move the range of the marking walk.
  // The speed, though, is read afresh at every pause: 2 s from the first mail's pause on.
  When edit([&] { return Queued() >= 1; },
            [] {
              dl().Text1.SetText(L"9");
              dl().Text2.SetText(L"1");
              dl().Combo1.SetText(L"2");
            });
  dl().Label3_Click();
  EXPECT_EQ(Queued(), 3u);
  const auto sixth = EventsOf("press", "mail.icon6");
  const auto second = EventsOf("press", "mail.icon2");
  ASSERT_EQ(second.size(), 3u);
  for (size_t i = 0; i + 1 < second.size(); ++i)
    EXPECT_GE(second[i + 1].ms - sixth[i].ms, 1900u) << "after mail " << i + 1;
  // The ending, from the mail window's closing on.
  auto journal = Journal();
  auto closing = std::find_if(journal.begin(), journal.end(), [](const sim::Event& e) {
    return e.what == "close" && e.target == "mail 7";
  });
  ASSERT_NE(closing, journal.end());
  EXPECT_JOURNAL(std::vector<sim::Event>(closing, journal.end()),
                 {{"close", "mail 7"},
                  {"press", "mailbox.icon3", kSentPair},
                  {"select", "mailbox.list", "3"},
                  {"press", "mailbox.icon3", kSentPair},
                  {"select", "mailbox.list", "4"},
                  {"press", "mailbox.icon3", kSentPair},
                  {"select", "mailbox.list", "5"},
                  {"press", "mailbox.icon3", kSentPair},
                  {"close", "mailbox"}},
                 {"close", "select", "press"});
  const auto marked = client->MarkedNew();
  ASSERT_EQ(marked.size(), 4u);
  EXPECT_EQ(std::vector<int>(marked.begin() + 1, marked.end()), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
}

// A client that never shows a window or does not take a press in time: the wait gives up, nothing
// more goes to AOL, the watchdog stops, the counter shows "0", and the message names the window
// and the mails handed over.
class FeederGivesUp : public DlToolTest {};

TEST_F(FeederGivesUp, EachWaitHasALimit) {
  dltool::Limits() = {.mailbox = 1, .menu = 1, .prompt = 1, .mailClose = 1};
  const struct {
    const char* name;
    void (*fault)(sim::Options&);
    bool keepAsNew;
    const wchar_t* message;
    const char* lastPress;             // the last thing pressed in AOL before giving up
    const char* stickAfter = nullptr;  // the client sticks at its next press, until the end
  } cases[] = {
      {"mailbox never opens", [](sim::Options& o) { o.mailboxNever = true; }, false,
       L"AOL's mailbox did not open.\r\n0 mails had been added to DL Manager before it.",
       "toolbar.icon2"},
      {"menu never opens", [](sim::Options& o) { o.menuNever = true; }, false,
       L"AOL's download menu did not open.\r\n0 mails had been added to DL Manager before it.",
       "mail.icon2"},
      {"prompt never shows", [](sim::Options& o) { o.promptNever = true; }, false,
       L"AOL's download prompt did not appear.\r\n0 mails had been added to DL Manager before "
       L"it.",
       "mail.icon2"},
      {"mail never closes", [](sim::Options& o) { o.mailSticky = true; }, true,
       L"The open mail did not close.\r\n2 mails had been added to DL Manager before it.",
       "mail.icon6"},
      {"prompt's OK not taken", [](sim::Options&) {}, false,
       L"AOL's download prompt did not take its OK.\r\n1 mail had been added to DL Manager "
       L"before it.",
       "modal.icon1", "mail.icon2"},
      {"next mail not taken", [](sim::Options&) {}, false,
       L"AOL's mail window did not take the press for the next mail.\r\n1 mail had been added "
       L"to DL Manager before it.",
       "mail.icon6", "modal.icon1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RestartWithFault(c.fault);
    Fill(L"1", L"2", L"1", c.keepAsNew);
    // The panel stays live while the run waits: the Return button still works.
    const char* soon = c.stickAfter ? c.stickAfter : c.lastPress;
    When giveUpSoon([&] { return !Presses().empty() && Presses().back() == soon; },
                    [&] {
                      PostMessageW(dl().Label6.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
                      PostMessageW(dl().Label6.hwnd(), WM_LBUTTONUP, 0, 0);
                      sim::Options hung = SimOptions();
                      hung.hung = true;
                      if (c.stickAfter) client->SetOptions(hung);
                    });
    dl().Show();
    dl().Label3_Click();
    EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_ICONEXCLAMATION, c.message)}));
    EXPECT_FALSE(dl().IsVisible()) << "Return was not handled during the wait";
    EXPECT_EQ(dl().Label5.Caption(), L"0");
    EXPECT_FALSE(dl().Timer1.Enabled());
    if (c.stickAfter) client->SetOptions(SimOptions());  // the stuck press acts now
    WaitForJournal([&](const auto&) { return Presses().back() == c.lastPress; });
    Settle(300);
    ASSERT_FALSE(Presses().empty());
    EXPECT_EQ(Presses().back(), c.lastPress) << "something was pressed after giving up";
    EXPECT_EQ(CountOf("close", "mailbox"), 0u);
  }
}

// A handler that holds a wait past its limit (a pause of the main panel's) does not use up the
// client's time: the menu that comes a moment after it is still found, not left open.
TEST_F(FeederGivesUp, AWaitLooksOnAfterAHandlerUsedItsTime) {
  dltool::Limits().menu = 1;
  RestartWithFault([](sim::Options& o) { o.menuDelayMs = 2500; });
  Fill(L"1", L"2", L"0.5");
  // The second mail's menu comes at once: only the first wait is held.
  When hold([&] { return PressesOf("mail.icon2") >= 1; },
            [&] {
              client->SetOptions(SimOptions());
              skarnel_aol6::Pause(2);
            });
  dl().Label3_Click();
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
  EXPECT_EQ(Queued(), 2u);
}

// The mail list's count, answered late: a Stop handled meanwhile (sent from another program's
// thread) ends the run before a mail is opened; no answer at all is no proof of too few mails,
// and the mailbox the run opened is closed again.
TEST_F(FeederGivesUp, TheMailCountAnsweredLateOrNot) {
  const struct {
    const char* name;
    int delayMs;
    bool stop;
    std::wstring message;
  } cases[] = {
      {"Stop during the count", 1500, true, Msg(MB_OK, kDone)},
      {"no answer", 6000, false,
       Msg(MB_ICONEXCLAMATION,
           L"AOL's mailbox did not tell how many mails it holds.\r\n0 mails "
           L"had been added to DL Manager before it.")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RestartWithFault([&](sim::Options& o) { o.listReadDelayMs = c.delayMs; });
    Fill(L"1", L"2", L"1");
    const HWND stopLabel = dl().Label4.hwnd();
    std::thread outside([&] {
      if (!c.stop) return;
      for (int i = 0; i < 1000 && CountOf("slow", "mailbox.list") == 0; ++i) Sleep(10);
      SendMessageW(stopLabel, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageW(stopLabel, WM_LBUTTONUP, 0, 0);
    });
    dl().Label3_Click();
    outside.join();
    EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{c.message}));
    EXPECT_EQ(CountOf("select"), 0u) << "a mail was opened";
    EXPECT_FALSE(dl().Timer1.Enabled());
    EXPECT_TRUE(WaitForJournal([](const std::vector<sim::Event>& journal) {
      return std::any_of(journal.begin(), journal.end(), [](const sim::Event& e) {
        return e.what == "close" && e.target == "mailbox";
      });
    })) << "the mailbox was left open";
  }
}

// Stop ends a wait at once, long before its limit, and the run ends as after any Stop.
TEST_F(FeederGivesUp, StopEndsAWait) {
  dltool::Limits().menu = 600;
  sim::Options options = SimOptions();
  options.menuNever = true;
  RestartSim(options);
  Fill(L"1", L"3", L"1");
  When stop([&] { return PressesOf("mail.icon2") >= 1; }, [] { dl().Label4_Click(); });
  dl().Label3_Click();
  EXPECT_TRUE(stop.Fired());
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
  EXPECT_EQ(PressesOf("mailbox.icon3"), 1u);  // the plain ending ran
  EXPECT_EQ(dl().Label5.Caption(), L"0");
}

// Return, then DL Tool again (from the main panel or the menu) while a run walks: the panels
// are swapped and nothing else happens; the run goes on untouched and the list stays.
TEST_F(Feeder, OpeningTheDlToolDuringARunOnlySwapsThePanels) {
  const struct {
    const char* name;
    void (*open)();
  } ways[] = {
      {"main panel", [] { head().Label15_Click(); }},
      {"menu", [] { ui::App().menu.dl_Click(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    RestartSim(SimOptions());
    dl().List1.Clear();
    dl().List1.AddItem(L"1:  as the last opening left it");
    dl().Show();
    head().Hide();
    effects.Clear();
    Fill(L"1", L"3", L"1");
    bool swapped = false;
    int lines = -1;
    When reopen([&] { return Queued() >= 1; },
                [&] {
                  dl().Label6_Click();
                  way.open();
                  swapped = dl().IsVisible() && !head().IsVisible();
                  lines = dl().List1.ListCount();
                });
    dl().Label3_Click();
    ASSERT_TRUE(reopen.Fired());
    EXPECT_TRUE(swapped);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(Queued(), 3u);
    EXPECT_EQ(PressesOf("toolbar.icon2"), 1u);
    EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
    EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"press", L"popup", L"popup"}));
  }
}

// Keep as new waits for the mail window the run closed, not for every mail window: the user's
// own open mail stays open and the range is marked all the same.
TEST_F(Feeder, KeepAsNewLeavesTheUsersOwnMailOpen) {
  dltool::Limits().mailClose = 2;
  skarnel_aol7::ClickToolbarIcon();
  ASSERT_TRUE(testing_support::WaitUntil([] { return skarnel_aol7::FindMailbox() != nullptr; }));
  skarnel_aol7::OpenMailAt(1);
  ASSERT_TRUE(testing_support::WaitUntil([] { return skarnel_aol7::FindOpenMail() != nullptr; }));
  Fill(L"4", L"5", L"1", true);
  dl().Label3_Click();
  EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
  const auto marked = client->MarkedNew();
  ASSERT_FALSE(marked.empty());
  EXPECT_EQ(std::vector<int>(marked.begin() + 1, marked.end()), (std::vector<int>{4, 5}));
  EXPECT_EQ(CountOf("close", "mail 6"), 1u);
  EXPECT_EQ(CountOf("close", "mail 1"), 0u);
  EXPECT_NE(skarnel_aol7::FindOpenMail(), nullptr);
}

// Whenever Stop comes, a stopped run leaves nothing of AOL's open that it asked for: Stop
// before the walk opens no mail and closes the mailbox (also one that comes after the grace);
// a menu or prompt that comes after the grace is closed when it shows.
TEST_F(Feeder, AStoppedRunLeavesNothingOfAolsOpen) {
  const struct {
    const char* name;
    void (*fault)(sim::Options&);
    std::function<bool()> stopWhen;
    bool beforeWalk;
    size_t queued;
    const char* lateWindow;  // the window that comes after Stop's grace
  } cases[] = {
      {"during the announcement", [](sim::Options&) {},
       [this] { return PressesOf("chat.icon6") >= 1; }, true, 0, nullptr},
      {"during the mailbox wait, the mailbox after the grace",
       [](sim::Options& o) { o.mailboxDelaySeconds = 2.5; },
       [this] { return PressesOf("toolbar.icon2") >= 1; }, true, 0, "mailbox"},
      {"during the pause after the mailbox opened", [](sim::Options&) {},
       [this] { return CountOf("open", "mailbox") >= 1; }, true, 0, nullptr},
      {"the menu after the grace", [](sim::Options& o) { o.menuDelayMs = 1800; },
       [this] { return PressesOf("mail.icon2") >= 1; }, false, 0, "menu"},
      {"the prompt after the grace", [](sim::Options& o) { o.promptDelayMs = 1800; },
       [this] { return Queued() >= 1; }, false, 1, "prompt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RestartWithFault(c.fault);
    Fill(L"1", L"3", L"1");
    bool watchdogOn = false;
    When watch([&] { return dl().Timer1.Enabled(); }, [&] { watchdogOn = true; });
    When stop(c.stopWhen, [] { dl().Label4_Click(); });
    dl().Label3_Click();
    ASSERT_TRUE(stop.Fired());
    EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, kDone)}));
    EXPECT_EQ(dl().Label5.Caption(), L"0");
    EXPECT_EQ(Queued(), c.queued);
    // The late window has shown by now (the run waits for it), or shows a moment later.
    if (c.lateWindow) {
      EXPECT_TRUE(WaitForJournal([&](const std::vector<sim::Event>& journal) {
        return std::any_of(journal.begin(), journal.end(), [&](const sim::Event& e) {
          return e.what == "open" && e.target == c.lateWindow;
        });
      })) << c.lateWindow
          << " never showed";
    }
    if (c.beforeWalk) {
      EXPECT_EQ(CountOf("select"), 0u) << "a mail was opened";
      EXPECT_FALSE(watchdogOn);
    }
    Settle(300);
    HWND menu = FindWindowA("#32768", nullptr);
    EXPECT_FALSE(menu && IsWindowVisible(menu)) << "a menu was left open";
    EXPECT_EQ(FindWindowA("_aol_modal", nullptr), nullptr) << "a prompt was left open";
    EXPECT_EQ(skarnel_aol7::FindMailbox(), nullptr) << "the mailbox was left open";
    EXPECT_EQ(skarnel_aol7::FindOpenMail(), nullptr) << "a mail was left open";
  }
}

}  // namespace
