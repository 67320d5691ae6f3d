// The fault switches: each makes the client fail the way its name says, and no more.
#include "tests/sim/sim_walk.h"

namespace simtest {
namespace {

using testing_support::PumpFor;
using testing_support::WaitUntil;

std::string Caption(HWND window) {
  char text[128] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST_F(SimTest, RoomFaultsChangeWhatTheWalkFinds) {
  sim::Options options;
  options.chatRoom = false;
  Start(options);
  EXPECT_TRUE(MainWindow());
  EXPECT_FALSE(ChatRoom());
  client->OpenChatRoom("Den");
  EXPECT_EQ(Caption(ChatRoom()), "Den");
  client->CloseChatRooms();
  EXPECT_FALSE(ChatRoom());
  client.reset();

  options = {};
  options.secondRoom = true;
  Start(options);
  EXPECT_EQ(Caption(ChatRoom()), "Lobby");  // the higher one wins
  EXPECT_EQ(Caption(GetWindow(ChatRoom(), GW_HWNDNEXT)), "Lobby 2");
  client.reset();

  options = {};
  options.extraChildren = 3;
  options.lookAlike = true;
  Start(options);
  EXPECT_NE(FrontChild(), ChatRoom());
  EXPECT_TRUE(Child(FrontChild(), "richcntl"));  // the look-alike is in front...
  EXPECT_EQ(Caption(ChatRoom()), "Lobby");       // ... and is passed over
  EXPECT_FALSE(KeywordWindow());
  EXPECT_FALSE(Mailbox());
  EXPECT_FALSE(OpenMail());
}

TEST_F(SimTest, TheMailboxCanOpenLateOrNever) {
  sim::Options options;
  options.mailboxDelaySeconds = 0.5;
  Start(options);
  Press(ToolbarIcon(2));
  EXPECT_FALSE(Mailbox());
  EXPECT_TRUE(WaitUntil("the mailbox to open", [] { return Mailbox() != nullptr; }));
  client.reset();

  options.mailboxNever = true;
  Start(options);
  Press(ToolbarIcon(2));
  PumpFor(800);
  EXPECT_FALSE(Mailbox());
}

TEST_F(SimTest, TheMenuOrThePromptCanFailToAppear) {
  sim::Options options;
  options.menuNever = true;
  Start(options);
  Click(Nth(OpenMailAt(1), "_aol_icon", 2));
  PumpFor(500);
  EXPECT_FALSE(VisibleMenu());
  client.reset();

  options = {};
  options.promptNever = true;
  Start(options);
  Click(Nth(OpenMailAt(1), "_aol_icon", 2));
  ASSERT_TRUE(ChooseDownloadLater());
  ASSERT_TRUE(WaitUntil(
      "one mail queued", [&] { return client->DownloadQueue().size() == 1; },
      [&] { return testing_support::Shown(client->DownloadQueue()); }));
  PumpFor(300);
  EXPECT_FALSE(FindWindowA("_aol_modal", nullptr));
}

TEST_F(SimTest, AStickyMailRefusesToClose) {
  sim::Options options;
  options.mailSticky = true;
  Start(options);
  HWND mail = OpenMailAt(2);
  SendMessageA(mail, WM_CLOSE, 0, 0);
  EXPECT_EQ(OpenMail(), mail);
  EXPECT_JOURNAL(client->Journal(), {{"refuse", "mail 2"}}, {"refuse", "close"});
  options.mailSticky = false;
  client->SetOptions(options);
  SendMessageA(mail, WM_CLOSE, 0, 0);
  EXPECT_FALSE(OpenMail());
}

TEST_F(SimTest, ADialogPopsUpAtTheFirstDownloadBeforeThePrompt) {
  sim::Options options;
  options.dialogOnDownload = true;
  Start(options);
  Click(Nth(OpenMailAt(1), "_aol_icon", 2));
  ASSERT_TRUE(ChooseDownloadLater());
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil("a standard dialog to show", [&] {
    dialog = FindWindowA("#32770", nullptr);
    return dialog && IsWindowVisible(dialog);
  }));
  DWORD pid = 0;
  GetWindowThreadProcessId(dialog, &pid);
  EXPECT_EQ(pid, GetCurrentProcessId());
  EXPECT_FALSE(FindWindowA("_aol_modal", nullptr));
  HWND ok = GetDlgItem(dialog, IDOK);
  PostMessageA(ok, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageA(ok, WM_KEYUP, VK_SPACE, 0);
  ASSERT_TRUE(WaitUntil("the prompt to show",
                        [] { return FindWindowA("_aol_modal", nullptr) != nullptr; }));
  EXPECT_JOURNAL(client->Journal(),
                 {{"dialog", "dialog"},
                  {"dialog", "dialog.visible"},
                  {"dialog", "dialog.pressed"},
                  {"dialog", "dialog.button", "OK"}},
                 {"dialog"});
}

TEST_F(SimTest, AHungClientStopsAnsweringUntilReleasedAndStillEnds) {
  sim::Options options;
  options.hung = true;
  Start(options);
  HWND input = Child(ChatRoom(), "richcntl");
  DWORD_PTR result = 0;
  EXPECT_FALSE(SendMessageTimeoutA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("stuck"),
                                   SMTO_NORMAL, 300, &result));
  EXPECT_JOURNAL(client->Journal(), {{"hang", "chat.input"}}, {"hang"});
  options.hung = false;
  client->SetOptions(options);
  EXPECT_TRUE(WaitUntil(
      "five characters in the input box", [&] { return GetWindowTextLengthA(input) == 5; },
      [&] { return std::to_string(GetWindowTextLengthA(input)) + " characters"; }));

  options.hung = true;
  client->SetOptions(options);
  SendMessageTimeoutA(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("again"), SMTO_NORMAL, 300,
                      &result);
  client.reset();  // ends although the client's thread is blocked
  EXPECT_FALSE(MainWindow());
}

TEST_F(SimTest, ShowDialogShowsAStandardDialogOfTheClient) {
  Start();
  client->ShowDialog("Are you still there?");
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil("a standard dialog to show", [&] {
    dialog = FindWindowA("#32770", nullptr);
    return dialog && IsWindowVisible(dialog);
  }));
  EXPECT_TRUE(Child(dialog, "button"));
  EXPECT_TRUE(Child(dialog, "static"));
  client.reset();  // an open dialog does not hold up the end
  EXPECT_FALSE(MainWindow());
}

}  // namespace
}  // namespace simtest
