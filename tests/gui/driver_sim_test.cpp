// The driver against the simulated AOL 7.0 client, checked through the client's journal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aol/foreign_window.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "sim/sim.h"
#include "tests/gui/driver_fixture.h"
#include "tests/support/journal.h"
#include "tests/support/wait.h"

using namespace skarnel_aol7;
using driver_fixture::NowMs;
using testing_support::WaitUntil;

namespace {

bool Said(const sim::Client& client, const std::string& line) {
  for (const auto& said : client.Transcript())
    if (said == line) return true;
  return false;
}

}  // namespace

TEST(DriverSim, SendChatTypesTheLineOverTheUsersWordsAndTheRoomSaysIt) {
  auto client = sim::Client::Start();
  HWND room = FindChatRoom();
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(skarnel_aol6::GetWindowCaption(room), L"Lobby");
  SendMessageA(aol::ForeignWindow(room).Child("richcntl").get(), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>("half-typed"));
  client->ClearJournal();

  SendChat(L"<font color=#418BCF>\u0161 Vantor v 2.0</font>");

  const std::string bytes = "<font color=#418BCF>\x9a Vantor v 2.0</font>";
  EXPECT_TRUE(WaitUntil(
      "the line said", [&] { return Said(*client, "Member: " + bytes); },
      [&] { return testing_support::Shown(client->Transcript()); }));
  EXPECT_JOURNAL(client->Journal(),
                 {{"settext", "chat.input", bytes},
                  {"press", "chat.icon6", "LBUTTONDOWN+KEYUP(SPACE)"},
                  {"say", "chat", "Member: " + bytes}},
                 {"settext", "press", "say"});
}

TEST(DriverSim, TheRoomHigherInTheZOrderIsTheRoomAndReEnteringGoesByName) {
  sim::Options options;
  options.secondRoom = true;
  options.extraChildren = 3;
  auto client = sim::Client::Start(options);
  EXPECT_EQ(skarnel_aol6::GetWindowCaption(FindChatRoom()), L"Lobby");
  client->ClearJournal();

  OpenAolUrl(L"Lobby 12");

  EXPECT_JOURNAL(client->Journal(),
                 {{"press", "toolbar.icon26"},
                  {"settext", "keyword.edit", "aol://2719:2-2-Lobby 12"},
                  {"press", "keyword.icon1"},
                  {"keyword", "keyword", "aol://2719:2-2-Lobby 12"}},
                 {"press", "settext", "keyword"});
  EXPECT_TRUE(WaitUntil(
      "the room named \"Lobby 12\"",
      [] { return skarnel_aol6::GetWindowCaption(FindChatRoom()) == L"Lobby 12"; },
      [] {
        return testing_support::Shown(
            skarnel_aol6::GetWindowCaption(FindChatRoom()).value_or(L"(no caption read)"));
      }));
}

TEST(DriverSim, TheMailboxOpensFromTheToolbarAndItsListIsCopiedNumbered) {
  sim::Options options;
  options.mails = 5;
  auto client = sim::Client::Start(options);
  EXPECT_EQ(FindMailbox(), nullptr);
  ClickToolbarIcon();
  HWND mailbox = nullptr;
  ASSERT_TRUE(
      WaitUntil("the mailbox to open", [&] { return (mailbox = FindMailbox()) != nullptr; }));

  HWND target = CreateWindowExW(0, L"ListBox", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  CopyListItems(MailListOf(mailbox), target);
  const auto mails = client->Mails();
  ASSERT_EQ(SendMessageW(target, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(mails.size()));
  for (size_t i = 0; i < mails.size(); ++i) {
    wchar_t line[512] = {};
    SendMessageW(target, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(line,
              std::to_wstring(i + 1) + L":  " + std::wstring(mails[i].begin(), mails[i].end()));
  }
  DestroyWindow(target);
}

TEST(DriverSim, OpenMailAtOpensTheMailOfThatNumber) {
  auto client = sim::Client::Start();
  ClickToolbarIcon();
  ASSERT_TRUE(WaitUntil("the mailbox to open", [] { return FindMailbox() != nullptr; }));
  client->ClearJournal();

  OpenMailAt(3);

  ASSERT_TRUE(WaitUntil("the mail to open", [] { return FindOpenMail() != nullptr; }));
  EXPECT_JOURNAL(client->Journal(),
                 {{"select", "mailbox.list", "2"},
                  {"enter", "mailbox.list", "2"},
                  {"open", "mail 3", client->Mails()[2]},
                  {"press", "mailbox.icon1", "LBUTTONDOWN+KEYUP(SPACE)"}},
                 {"select", "enter", "press", "open"});
}

TEST(DriverSim, AHungClientCostsOneBoundedWait) {
  auto client = sim::Client::Start();
  HWND room = FindChatRoom();
  ASSERT_NE(room, nullptr);
  sim::Options hung;
  hung.hung = true;
  client->SetOptions(hung);

  const double start = NowMs();
  SendChat(L"/vault Send 1");
  const double elapsed = NowMs() - start;
  // The finders send nothing, so they still answer at once.
  const double findStart = NowMs();
  EXPECT_EQ(FindChatRoom(), room);
  EXPECT_LT(NowMs() - findStart, 500.0);
  // Reading the room's name (Re-Enter) is bounded the same way.
  const double captionStart = NowMs();
  EXPECT_FALSE(skarnel_aol6::GetWindowCaption(room).has_value()) << "a failed read is no caption";
  EXPECT_LT(NowMs() - captionStart, aol::kSendTimeoutMs + 1500.0);

  client->SetOptions(sim::Options{});
  EXPECT_LT(elapsed, aol::kSendTimeoutMs + 1500.0);
  EXPECT_FALSE(Said(*client, "Member: /vault Send 1"));
}

TEST(DriverSim, TheWatchdogSeesTheClientsDialogButNeverVantorsOwn) {
  auto client = sim::Client::Start();
  HWND own = driver_fixture::MakeDialog("Vantor v 2.0 by: Skarnel");
  EXPECT_EQ(FindClientDialog(), nullptr);
  EXPECT_NE(FindMessageDialog(), nullptr);  // any standard dialog counts here

  client->ShowDialog("Download Manager is busy.");
  HWND dialog = nullptr;
  ASSERT_TRUE(
      WaitUntil("the client's dialog", [&] { return (dialog = FindClientDialog()) != nullptr; }));
  EXPECT_NE(dialog, own);
  DWORD process = 0;
  GetWindowThreadProcessId(dialog, &process);
  EXPECT_EQ(process, GetCurrentProcessId());  // the client runs in this test's process
  // Pressed the way the watchdog does it, the dialog goes.
  HWND ok = FindWindowExA(dialog, nullptr, "button", nullptr);
  PostMessageA(ok, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageA(ok, WM_KEYUP, VK_SPACE, 0);
  EXPECT_TRUE(WaitUntil("the client's dialog to go", [] { return FindClientDialog() == nullptr; }));
  DestroyWindow(own);
}

// The mail's download icon runs its menu inside the handling of the press, as the real client's
// does: a press sent there holds the sender until the menu closes, so the driver's bounded send
// gives up (the feeder posts that press for this reason).
TEST(DriverSim, ASentPressOnTheDownloadIconHoldsTheSenderUntilTheSendGivesUp) {
  auto client = sim::Client::Start();
  ClickToolbarIcon();
  ASSERT_TRUE(WaitUntil([] { return FindMailbox() != nullptr; }));
  OpenMailAt(2);
  HWND mail = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (mail = FindOpenMail()) != nullptr; }));
  aol::ForeignWindow download = aol::ForeignWindow(mail).NthChild("_aol_icon", 2);

  const double start = NowMs();
  EXPECT_FALSE(aol::PressIcon(download)) << "the sent press came back while its menu was open";
  EXPECT_GE(NowMs() - start, aol::kSendTimeoutMs - 100.0);
  HWND menu = FindWindowA("#32768", nullptr);
  ASSERT_TRUE(menu && IsWindowVisible(menu));
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([] {
    HWND m = FindWindowA("#32768", nullptr);
    return !m || !IsWindowVisible(m);
  }));
  EXPECT_TRUE(client->DownloadQueue().empty());
}

// A client hung from its start has its windows in place but answers nothing, not even a read
// of a window's text: the finders still find, and the read fails rather than reading "".
TEST(DriverSim, AClientHungFromItsStartIsFoundButAnswersNoRead) {
  sim::Options options;
  options.hungFromStart = true;
  auto client = sim::Client::Start(options);
  HWND room = FindChatRoom();
  ASSERT_NE(room, nullptr);
  EXPECT_FALSE(skarnel_aol6::GetWindowCaption(room).has_value());
  const double start = NowMs();
  MaximiseClient();  // the start banner's first step: it must not wait on the hung client
  EXPECT_LT(NowMs() - start, 500.0);
  client->SetOptions(sim::Options{});  // released: it answers once it is back at its messages
  EXPECT_TRUE(WaitUntil([&] { return skarnel_aol6::GetWindowCaption(room) == L"Lobby"; }));
  EXPECT_TRUE(WaitUntil([&] { return IsZoomed(client->MainWindow()) != 0; }));
}
