// The window tree as the driver walks it: lower-case class names, first children, child order.
#include "tests/sim/sim_walk.h"

namespace simtest {
namespace {

using testing_support::WaitUntil;

TEST_F(SimTest, StartsWithTheMainWindowToolbarAndOneChatRoom) {
  Start();
  ASSERT_EQ(MainWindow(), client->MainWindow());
  ASSERT_TRUE(Mdi());
  EXPECT_EQ(Count(Child(Child(MainWindow(), "aol toolbar"), "_aol_toolbar"), "_aol_icon"), 26);

  HWND room = ChatRoom();
  ASSERT_TRUE(room);
  EXPECT_EQ(room, FrontChild());
  EXPECT_EQ(room, GetWindow(FrontChild(), GW_HWNDFIRST));
  char caption[64] = {};
  GetWindowTextA(room, caption, sizeof caption);
  EXPECT_STREQ(caption, "Lobby");
  EXPECT_GE(Count(room, "_aol_icon"), 6);
  // Whole-name matching: the input box is not found as the transcript and vice versa.
  EXPECT_NE(Child(room, "richcntl"), Child(room, "richcntlreadonly"));

  EXPECT_FALSE(KeywordWindow());
  EXPECT_FALSE(Mailbox());
  EXPECT_FALSE(OpenMail());
  EXPECT_EQ(client->Mails().size(), 12u);
}

TEST_F(SimTest, EachOpenedWindowComesToTheTopAndMatchesOnlyItsOwnSignature) {
  Start();
  HWND room = ChatRoom();

  Press(ToolbarIcon(26));
  HWND keyword = KeywordWindow();
  ASSERT_TRUE(keyword);
  EXPECT_EQ(FrontChild(), keyword);

  Press(ToolbarIcon(2));
  HWND box = Mailbox();
  ASSERT_TRUE(box);
  EXPECT_EQ(FrontChild(), box);
  EXPECT_GE(Count(box, "_aol_icon"), 3);
  HWND list = MailList(box);
  ASSERT_TRUE(list);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 12);
  char item[256] = {};
  ASSERT_GT(SendMessageA(list, LB_GETTEXTLEN, 0, 0), 9);
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item + 9, client->Mails()[0].c_str());  // nine characters before the subject

  SendMessageA(list, LB_SETCURSEL, 2, 0);
  SendMessageA(list, WM_CHAR, 13, 0);
  HWND mail = OpenMail();
  ASSERT_TRUE(mail);
  EXPECT_EQ(FrontChild(), mail);
  EXPECT_GE(Count(mail, "_aol_icon"), 6);

  // Everything is still found behind the window in front, and nothing is taken for another.
  EXPECT_EQ(ChatRoom(), room);
  EXPECT_EQ(KeywordWindow(), keyword);
  EXPECT_EQ(Mailbox(), box);
  std::vector<HWND> order;
  for (HWND c = GetWindow(FrontChild(), GW_HWNDFIRST); c; c = GetWindow(c, GW_HWNDNEXT))
    order.push_back(c);
  EXPECT_EQ(order, (std::vector<HWND>{mail, box, keyword, room}));

  // Bringing an open window up again moves it to the top; it does not open twice.
  Press(ToolbarIcon(2));
  EXPECT_EQ(FrontChild(), box);
  EXPECT_EQ(Mailbox(), box);
}

TEST_F(SimTest, AMailDeliveredByTheTestKeepsItsWholeSubjectInTheList) {
  Start();
  std::string subject(300, 's');
  client->DeliverMail(subject);
  Press(ToolbarIcon(2));
  HWND list = MailList(Mailbox());
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 13);
  ASSERT_EQ(SendMessageA(list, LB_GETTEXTLEN, 12, 0), 309);
  std::string item(310, '\0');
  SendMessageA(list, LB_GETTEXT, 12, reinterpret_cast<LPARAM>(item.data()));
  EXPECT_EQ(item.substr(9, 300), subject);
}

TEST_F(SimTest, OpeningTheOpenMailAgainBringsItUpInsteadOfASecondWindow) {
  Start();
  HWND mail = OpenMailAt(3);
  ASSERT_TRUE(mail);
  Press(Nth(Mailbox(), "_aol_icon", 1));  // the driver's second way in, half a second later
  EXPECT_EQ(FrontChild(), mail);
  int mails = 0;
  for (HWND c = GetWindow(FrontChild(), GW_HWNDFIRST); c; c = GetWindow(c, GW_HWNDNEXT))
    if (Child(c, "atl:6701a050")) ++mails;
  EXPECT_EQ(mails, 1);
}

TEST_F(SimTest, ClosingMailAndMailboxRemovesThem) {
  Start();
  HWND mail = OpenMailAt(1);
  ASSERT_TRUE(mail);
  SendMessageA(mail, WM_CLOSE, 0, 0);
  EXPECT_FALSE(OpenMail());
  SendMessageA(Mailbox(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Mailbox());
  EXPECT_EQ(FrontChild(), ChatRoom());
  EXPECT_JOURNAL(client->Journal(), {{"close", "mail 1"}, {"close", "mailbox"}}, {"close"});
}

}  // namespace
}  // namespace simtest
