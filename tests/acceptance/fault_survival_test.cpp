// Vantor survives a client that misbehaves, checked from outside. Each case starts the client
// with one fault switch, puts a request on the list and opens the DL Tool, makes the fault bite,
// and then checks that Vantor tells the user, still answers a click within a second, and lost
// nothing: the request list and the trigger store as they were. Runs wait ~30 s for a mailbox
// and ~10 s for any other window of the client before they give up.
#include <gtest/gtest.h>

#include "tests/acceptance/lines.h"
#include "tests/acceptance/refusals.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

constexpr wchar_t kDone[] = L"Mails have been added to DL Manager.";
constexpr DWORD kGiveUpMs = 45000;

bool StartsWithText(const std::wstring& text, const std::wstring& start) {
  return text.rfind(start, 0) == 0;
}

// A fault that bites during a DL Tool run of mails 1 to 2 at speed 1.
struct RunFault {
  const char* name;
  const wchar_t* switches;
  bool keepAsNew;
  const wchar_t* message;  // the box that ends the run: its whole text, or how it begins
  bool wholeMessage;
  int queued;  // mails the Download Manager got; -1 where the fault leaves that open
  void (*alsoCheck)(const Sim& client);  // what else the client's journal must show, or nullptr
};

void PrintTo(const RunFault& fault, std::ostream* out) {
  *out << fault.name;
}

class FaultSurvival : public ::testing::TestWithParam<RunFault> {
 protected:
  // A pair whose client shows the fault, with one request sent and the DL Tool opened.
  void StartWith(std::wstring switches, bool withClient = true, bool mailbox = true) {
    pair = std::make_unique<Pair>(std::move(switches), withClient);
    ASSERT_TRUE(pair->Start()) << pair->failure;
    ASSERT_TRUE(V().ChooseTrigger(1, L"vault"));
    V().TypeRequest(L"1");
    ASSERT_TRUE(V().Click(kHeadTitle, L"Send"));
    ASSERT_EQ(V().RequestList(), std::vector<std::wstring>{L"vault:   1"});
    storeBefore = store::Read();
    testing_support::ClickLabel(V().Control(kHeadTitle, L"DL Tool"),
                                testing_support::Delivery::Post);
    ASSERT_TRUE(V().WaitPanelVisible(kDlTitle));
    // The opening pauses 4 seconds before it lists the mailbox; a run starts after it.
    if (mailbox)
      ASSERT_TRUE(V().WaitDlListed(*pair->sim));
    else
      testing_support::PumpFor(4500);
  }

  void Add(const wchar_t* first, const wchar_t* last, bool keepAsNew = false) {
    V().FillDl(first, last, L"1");
    V().SetKeepAsNew(keepAsNew);
    testing_support::ClickLabel(V().Control(kDlTitle, L"Add"), testing_support::Delivery::Post);
  }

  // Responsive, and nothing lost.
  void ExpectIntact() {
    EXPECT_TRUE(V().Running());
    EXPECT_TRUE(V().Responsive());
    EXPECT_EQ(V().RequestList(), std::vector<std::wstring>{L"vault:   1"});
    EXPECT_EQ(V().CountLabel(), L"Number of requests: 1");
    EXPECT_EQ(store::Read(), storeBefore);
  }

  Vantor& V() { return pair->vantor; }
  Sim& S() { return *pair->sim; }

  std::unique_ptr<Pair> pair;
  std::optional<std::string> storeBefore;
};

TEST_F(FaultSurvival, NoClientRunning) {
  StartWith(L"", /*withClient=*/false, /*mailbox=*/false);
  EXPECT_TRUE(V().DlList().empty());
  ASSERT_TRUE(V().Click(kDlTitle, L"Return"));
  EXPECT_REFUSED(V(), nullptr, Action::Click,
                 {
                     {L"List", L"Not in a chatroom!"},
                     {L"Server?", L"Not in a chatroom!"},
                     {L"Re-Enter", L"Must be in a chatroom first!"},
                 });
  ExpectIntact();
}

TEST_F(FaultSurvival, ClientClosingInTheMiddleOfARun) {
  StartWith(L"--mails 8 --no-server");
  Add(L"1", L"5");
  ASSERT_TRUE(testing_support::WaitUntil(
      "the counter to reach 4", [&] { return V().DlCounter() == L"4"; },
      [&] { return testing_support::Shown(V().DlCounter()); }, 30000));
  S().Kill();
  const std::wstring message = V().AnswerMessage(kGiveUpMs);
  EXPECT_FALSE(message.empty()) << "the run did not end with a message";
  EXPECT_NE(message, kDone);
  EXPECT_EQ(V().DlCounter(), L"0");
  ExpectIntact();
}

TEST_F(FaultSurvival, MailboxNeverOpening) {
  StartWith(L"--mailbox-never --no-server", true, /*mailbox=*/false);
  EXPECT_TRUE(V().DlList().empty());
  Add(L"1", L"2");
  // Responsive while the run waits for the mailbox.
  testing_support::PumpFor(1000);
  EXPECT_TRUE(V().Responsive());
  EXPECT_TRUE(StartsWithText(V().AnswerMessage(kGiveUpMs), L"(icon) AOL's mailbox did not open."));
  EXPECT_TRUE(S().EventsOf("queued").empty());
  ExpectIntact();
}

const RunFault kRunFaults[] = {
    {"DownloadMenuNeverAppearing", L"--menu-never --no-server", false,
     L"(icon) AOL's download menu did not open.", false, 0, nullptr},
    {"DownloadPromptNeverAppearing", L"--prompt-never --no-server", false,
     L"(icon) AOL's download prompt did not appear.", false, -1, nullptr},
    // Both mails went to the Download Manager before the ending stuck.
    {"MailThatWillNotClose", L"--mail-sticky --no-server", true,
     L"(icon) The open mail did not close.", false, 2,
     [](const Sim& client) { EXPECT_FALSE(client.EventsOf("refuse").empty()); }},
    {"TheClientsDialogDuringARunIsPressedAway", L"--dialog-on-download --no-server", false, kDone,
     true, 2,
     [](const Sim& client) {
       EXPECT_EQ(TextsOf(client.Journal(), "dialog", "dialog.button"), Lines{"OK"});
     }},
};

TEST_P(FaultSurvival, RunEndsWithItsMessage) {
  const RunFault& f = GetParam();
  StartWith(f.switches);
  Add(L"1", L"2", f.keepAsNew);
  const std::wstring message = V().AnswerMessage(kGiveUpMs);
  if (f.wholeMessage)
    EXPECT_EQ(message, f.message);
  else
    EXPECT_TRUE(StartsWithText(message, f.message)) << Narrow(message);
  if (f.queued >= 0) {
    EXPECT_EQ(S().EventsOf("queued").size(), static_cast<size_t>(f.queued));
  }
  if (f.alsoCheck) f.alsoCheck(S());
  ExpectIntact();
}

// No instantiation prefix: the cases keep the suite's name, FaultSurvival.*.
INSTANTIATE_TEST_SUITE_P(, FaultSurvival, ::testing::ValuesIn(kRunFaults),
                         [](const ::testing::TestParamInfo<RunFault>& info) {
                           return std::string(info.param.name);
                         });

// "X" while a run waits for AOL's prompt: the run ends first (the prompt answered if it comes,
// the run's mail and mailbox closed, nothing marked), then the exit banner goes out and the
// program ends within a few seconds, also when the prompt never comes.
TEST_F(FaultSurvival, ExitDuringARunLeavesAolAnswered) {
  const struct {
    const wchar_t* switches;
    bool promptComes;
  } cases[] = {{L"--no-server --prompt-delay 1500", true}, {L"--no-server --prompt-never", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.switches));
    StartWith(c.switches);
    const size_t mark = S().Mark();
    Add(L"1", L"3", /*keepAsNew=*/true);
    ASSERT_TRUE(S().WaitForJournal(
        [](const std::vector<sim::Event>& journal) {
          return !TextsOf(journal, "queued", "download manager").empty();
        },
        30000, "the first mail queued"));
    ASSERT_TRUE(V().Click(kDlTitle, L"Return"));
    const ULONGLONG pressed = GetTickCount64();
    ASSERT_TRUE(V().Exit(10000)) << "Vantor did not end";
    EXPECT_LE(GetTickCount64() - pressed, 5000u);
    ASSERT_TRUE(S().WaitForJournal(
        [](const std::vector<sim::Event>& journal) {
          return !TextsOf(journal, "close", "mailbox").empty();
        },
        5000, "the mailbox closed"));
    const auto journal = S().Since(mark);
    EXPECT_EQ(TextsOf(journal, "prompt", "modal.icon1").size(), c.promptComes ? 1u : 0u);
    EXPECT_EQ(TextsOf(journal, "close", "mail 1").size(), 1u);
    EXPECT_TRUE(TextsOf(journal, "marknew", "mailbox").empty());
    EXPECT_EQ(Kinds(S().SaidSince(mark)),
              (Lines{"signature", "adding 3", "link", "unloaded", "link"}));
    EXPECT_EQ(FindWindowA("_aol_modal", nullptr), nullptr) << "the prompt was left up";
  }
}

TEST_F(FaultSurvival, AnotherProgramsDialogIsNeverPressed) {
  StartWith(L"--no-server");
  Sim other(L"--foreign-dialog \"Hello from another program\"");
  ASSERT_TRUE(other.WaitUp());
  Add(L"1", L"2");
  EXPECT_EQ(V().AnswerMessage(kGiveUpMs), kDone);
  EXPECT_EQ(S().EventsOf("queued").size(), 2u);
  HWND box = testing_support::WaitForDialog(other.Pid(), 0);
  EXPECT_TRUE(box && IsWindowVisible(box));
  EXPECT_TRUE(other.Running());
  EXPECT_TRUE(TextsOf(other.Journal(), "dialog", "dialog.button").empty());
  ExpectIntact();
  if (box) testing_support::PressDialogOk(box);
}

TEST_F(FaultSurvival, ChatRoomClosingBetweenTheCheckAndTheSend) {
  // The start banner checks for the room once, then types two lines 0.7 s apart; the room
  // closes after the first.
  Pair p(L"--no-server");
  ASSERT_TRUE(p.WaitClient()) << p.failure;
  ASSERT_TRUE(p.vantor.WaitSplash());
  // The main panel shows once its load (and with it the banner) is done: watch the room.
  testing_support::DoubleClick(p.vantor.Panel(kSplashTitle), testing_support::Delivery::Post);
  ASSERT_TRUE(p.sim->WaitForMemberLines(1, 5000));
  p.sim->CloseRoom();
  ASSERT_FALSE(p.sim->Room());
  testing_support::PumpFor(1500);
  EXPECT_EQ(Kinds(p.sim->SaidByMember()), Lines{"signature"});
  EXPECT_TRUE(p.vantor.WaitPanelVisible(kHeadTitle));
  EXPECT_TRUE(p.vantor.Running());
  EXPECT_TRUE(p.vantor.Responsive());
  ASSERT_TRUE(p.vantor.ClickForDialog(p.vantor.Control(kHeadTitle, L"Server?")));
  EXPECT_EQ(p.vantor.AnswerMessage(), L"Not in a chatroom!");
}

}  // namespace
}  // namespace acceptance
