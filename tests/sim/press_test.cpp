// Icon presses, typed text and the download sequence, driven with the driver's own messages.
#include "tests/sim/sim_walk.h"

namespace simtest {
namespace {

using testing_support::WaitUntil;

TEST_F(SimTest, TheSixthIconSendsTheInputBoxExactlyAsTyped) {
  Start();
  HWND room = ChatRoom();
  HWND input = Child(room, "richcntl");
  const char line[] = "caf\xE9 \x9A<b>bold</b>";  // bytes above 0x7F must arrive unchanged
  SetText(input, line);
  Press(Nth(room, "_aol_icon", 6));

  EXPECT_TRUE(Said(std::string("Member: ") + line));  // before the press returned
  EXPECT_EQ(GetWindowTextLengthA(input), 0);
  EXPECT_JOURNAL(client->Journal(), {{"settext", "chat.input", line},
                                     {"press", "chat.icon6", "LBUTTONDOWN+KEYUP(SPACE)"},
                                     {"say", "chat", std::string("Member: ") + line}});
}

TEST_F(SimTest, APostedClickPressesAnIconButHalfAPressDoesNothing) {
  Start();
  HWND room = ChatRoom();
  HWND send = Nth(room, "_aol_icon", 6);
  SetText(Child(room, "richcntl"), "one");
  SendMessageA(send, WM_KEYUP, VK_SPACE, 0);   // a release without a press
  SendMessageA(send, WM_LBUTTONDOWN, 0, 0);    // a press without a release
  SendMessageA(send, WM_KEYUP, VK_RETURN, 0);  // ... and another key's release
  EXPECT_TRUE(client->Transcript().empty());

  SendMessageA(send, WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(Said("Member: one"));
  SetText(Child(room, "richcntl"), "two");
  Click(send);
  EXPECT_TRUE(WaitUntil(
      "the line said", [&] { return Said("Member: two"); },
      [&] { return testing_support::Shown(client->Transcript()); }));
  EXPECT_JOURNAL(client->Journal(),
                 {{"press", "chat.icon6", "LBUTTONDOWN+LBUTTONUP"},
                  {"press", "chat.icon6", "posted LBUTTONDOWN+posted LBUTTONUP"}},
                 {"press"});
}

TEST_F(SimTest, AnEmptyInputBoxSendsNothing) {
  Start();
  Press(Nth(ChatRoom(), "_aol_icon", 6));
  EXPECT_TRUE(client->Transcript().empty());
}

TEST_F(SimTest, TheRoomAddressThroughTheKeywordWindowReEntersTheRoom) {
  Start();
  HWND before = ChatRoom();
  Press(ToolbarIcon(26));
  HWND keyword = KeywordWindow();
  ASSERT_TRUE(keyword);
  SetText(Child(keyword, "_aol_edit"), "aol://2719:2-2-Lobby");
  Press(Child(keyword, "_aol_icon"));

  HWND after = ChatRoom();
  ASSERT_TRUE(after);
  EXPECT_NE(after, before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_TRUE(WaitUntil("the keyword window to close", [] { return !KeywordWindow(); }));
  EXPECT_EQ(FrontChild(), after);
  EXPECT_JOURNAL(client->Journal(),
                 {{"open", "keyword"},
                  {"settext", "keyword.edit", "aol://2719:2-2-Lobby"},
                  {"keyword", "keyword", "aol://2719:2-2-Lobby"},
                  {"say", "chat", "OnlineHost: Member has left the room."},
                  {"close", "room Lobby"},
                  {"open", "room Lobby"},
                  {"say", "chat", "OnlineHost: Member has entered the room."},
                  {"close", "keyword"}},
                 {"open", "close", "settext", "keyword", "say"});
}

TEST_F(SimTest, ARoomAddressWithAnotherNameOpensThatRoomOnTop) {
  Start();
  Press(ToolbarIcon(26));
  SetText(Child(KeywordWindow(), "_aol_edit"), "aol://2719:2-2-Lobby 12");
  Press(Child(KeywordWindow(), "_aol_icon"));
  char caption[64] = {};
  GetWindowTextA(ChatRoom(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Lobby 12");
}

TEST_F(SimTest, DownloadingAMailQueuesItThroughTheMenuAndThePrompt) {
  Start();
  HWND mail = OpenMailAt(3);
  ASSERT_TRUE(mail);
  client->ClearJournal();

  Click(Nth(mail, "_aol_icon", 2));
  ASSERT_TRUE(ChooseDownloadLater());
  // The prompt's window exists a moment before its text and its icon: wait until it is shown.
  ASSERT_TRUE(WaitUntil("the prompt to show", [] {
    HWND shown = FindWindowA("_aol_modal", nullptr);
    return shown && IsWindowVisible(shown);
  }));
  HWND prompt = FindWindowA("_aol_modal", nullptr);
  EXPECT_TRUE(Child(prompt, "_aol_static"));
  Press(Child(prompt, "_aol_icon"));
  EXPECT_TRUE(WaitUntil("the prompt to close", [] { return !FindWindowA("_aol_modal", nullptr); }));

  Press(Nth(FrontChild(), "_aol_icon", 6));  // on to the next mail, in the same window
  EXPECT_EQ(OpenMail(), mail);
  char caption[128] = {};
  GetWindowTextA(mail, caption, sizeof caption);
  EXPECT_EQ(caption, client->Mails()[3]);

  EXPECT_EQ(client->DownloadQueue(), std::vector<std::string>{client->Mails()[2]});
  EXPECT_JOURNAL(client->Journal(), {{"press", "mail.icon2", "posted LBUTTONDOWN+posted LBUTTONUP"},
                                     {"open", "menu"},
                                     {"keys", "menu", "posted DOWN,posted DOWN,posted RETURN"},
                                     {"close", "menu"},
                                     {"menu", "menu", "Download Later"},
                                     {"queued", "download manager", "3"},
                                     {"open", "prompt"},
                                     {"press", "modal.icon1", "LBUTTONDOWN+KEYUP(SPACE)"},
                                     {"prompt", "modal.icon1", "OK"},
                                     {"close", "prompt"},
                                     {"press", "mail.icon6"},
                                     {"open", "mail 4"}});
}

// As in the real client, the menu runs inside the handling of the press: a press sent there
// does not come back while the menu is open (only a posted one does).
TEST_F(SimTest, ASentPressThatOpensTheMenuHoldsTheSenderWhileTheMenuIsOpen) {
  Start();
  HWND mail = OpenMailAt(1);
  HWND download = Nth(mail, "_aol_icon", 2);
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutA(download, WM_LBUTTONDOWN, 0, 0, SMTO_NORMAL, 2000, &result));
  EXPECT_FALSE(SendMessageTimeoutA(download, WM_KEYUP, VK_SPACE, 0, SMTO_NORMAL, 1000, &result));
  EXPECT_NE(VisibleMenu(), nullptr);
  PostMessageA(VisibleMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil("the menu to close", [&] { return VisibleMenu() == nullptr; }));
  EXPECT_TRUE(client->DownloadQueue().empty());
}

TEST_F(SimTest, TheClientEndsWhileItsMenuIsOpen) {
  Start();
  Click(Nth(OpenMailAt(1), "_aol_icon", 2));
  ASSERT_TRUE(WaitUntil("the menu to show", [&] { return VisibleMenu() != nullptr; }));
  client.reset();
  EXPECT_FALSE(MainWindow());
}

TEST_F(SimTest, TheNextIconStopsAtTheLastMail) {
  sim::Options options;
  options.mails = 2;
  Start(options);
  HWND mail = OpenMailAt(2);
  Press(Nth(mail, "_aol_icon", 6));
  char caption[128] = {};
  GetWindowTextA(mail, caption, sizeof caption);
  EXPECT_EQ(caption, client->Mails()[1]);
}

TEST_F(SimTest, TheMailboxThirdIconMarksTheSelectedMailAsNew) {
  Start();
  Press(ToolbarIcon(2));
  HWND box = Mailbox();
  Press(Nth(box, "_aol_icon", 3));  // nothing selected: nothing marked
  for (int index : {3, 4, 5}) {
    SendMessageA(MailList(box), LB_SETCURSEL, index, 0);
    Press(Nth(box, "_aol_icon", 3));
  }
  EXPECT_EQ(client->MarkedNew(), (std::vector<int>{4, 5, 6}));
  EXPECT_JOURNAL(client->Journal(),
                 {{"select", "mailbox.list", "3"},
                  {"marknew", "mailbox", "4"},
                  {"select", "mailbox.list", "4"},
                  {"marknew", "mailbox", "5"},
                  {"select", "mailbox.list", "5"},
                  {"marknew", "mailbox", "6"}},
                 {"select", "marknew"});
}

}  // namespace
}  // namespace simtest
