// The member goes on using AOL while a DL run walks his mails: whatever he does, at whichever
// point of the walk, the run hands over exactly its range, sends nothing of his into the room,
// leaves his windows as he left them, closes its own, and its closing message tells the truth.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "aol/skarnel_aol7.h"
#include "tests/gui/dltool_fixture.h"
#include "tests/support/journal.h"
#include "tests/support/outside.h"

namespace {

using dltool_test::DlToolTest;
using dltool_test::When;
using testing_support::Lines;
using testing_support::TextsOf;

constexpr wchar_t kDone[] = L"Mails have been added to DL Manager.";
constexpr char kTyped[] = "my half-typed priv";
constexpr int kUsersMail = 7;  // outside the run's range of 2 to 3

class FeederBesideTheUser : public DlToolTest {
 protected:
  sim::Options SimOptions() const override {
    auto o = DlToolTest::SimOptions();
    // Slow enough that the run is seen waiting for the menu and for the prompt.
    o.menuDelayMs = 300;
    o.promptDelayMs = 300;
    return o;
  }
};

TEST_F(FeederBesideTheUser, TheUsersDoingIsLeftAlone) {
  // The points of the walk, each at the first mail of the range (mail 2), so that the second
  // mail still follows.
  const struct {
    const char* name;
    const char* what;
    const char* target;
  } points[] = {
      {"before the download icon", "open", "mail 2"},
      {"while the menu is awaited", "press", "mail.icon2"},
      {"while the prompt is awaited", "queued", "download manager"},
      {"before the next-mail press", "press", "modal.icon1"},
  };
  enum class Act { TypeInRoom, OpenOwnMail, ShowDownloadManager, CloseMailbox };
  const struct {
    const char* name;
    Act act;
    bool keepAsNew;
    const wchar_t* message;
  } actions[] = {
      {"types in the room", Act::TypeInRoom, false, kDone},
      {"opens his own mail", Act::OpenOwnMail, false, kDone},
      {"opens his own mail, keep as new", Act::OpenOwnMail, true, kDone},
      {"brings up the Download Manager", Act::ShowDownloadManager, false, kDone},
      {"closes the mailbox, keep as new", Act::CloseMailbox, true,
       L"Mails have been added to DL Manager.\r\nThe mailbox was closed before they could be kept "
       L"as new."},
  };
  for (const auto& point : points) {
    for (const auto& action : actions) {
      SCOPED_TRACE(std::string(action.name) + ", " + point.name);
      RestartSim(SimOptions());
      effects.Clear();
      Fill(L"2", L"3", L"0.5", action.keepAsNew);
      HWND usersMail = nullptr;
      When user([&] { return CountOf(point.what, point.target) >= 1; },
                [&] {
                  switch (action.act) {
                    case Act::TypeInRoom:
                      client->UserTypesInRoom(kTyped);
                      break;
                    case Act::OpenOwnMail:
                      usersMail = client->UserOpensMail(kUsersMail);
                      break;
                    case Act::ShowDownloadManager:
                      client->UserShowsDownloadManager();
                      break;
                    case Act::CloseMailbox:
                      client->UserClosesMailbox();
                      break;
                  }
                });
      dl().Label3_Click();
      ASSERT_TRUE(user.Fired());

      EXPECT_EQ(TextsOf(Journal(), "queued", "download manager"), (Lines{"2", "3"}));
      EXPECT_EQ(effects.Messages(), (std::vector<std::wstring>{Msg(MB_OK, action.message)}));
      // Nothing of the user's reaches the room: the banner's three lines were the run's only
      // presses there, and his line waits in the box.
      EXPECT_EQ(PressesOf("chat.icon6"), 3u);
      for (const std::string& line : client->Transcript())
        EXPECT_EQ(line.find(kTyped), std::string::npos) << line;
      if (action.act == Act::TypeInRoom) {
        EXPECT_EQ(client->RoomInput(), kTyped);
        EXPECT_EQ(skarnel_aol7::FrontAolChild(), skarnel_aol7::FindChatRoom());
      }
      if (action.act == Act::OpenOwnMail) {
        ASSERT_TRUE(usersMail);
        EXPECT_TRUE(IsWindow(usersMail)) << "the user's own mail was closed";
        EXPECT_EQ(skarnel_aol7::FrontAolChild(), usersMail);
        const auto marked = client->MarkedNew();
        EXPECT_EQ(std::count(marked.begin(), marked.end(), kUsersMail), 0) << "his mail marked";
      }
      // The run's own windows are closed, and only those.
      const auto mails = skarnel_aol7::OpenMails();
      EXPECT_EQ(mails, usersMail ? std::vector<HWND>{usersMail} : std::vector<HWND>{});
      EXPECT_EQ(skarnel_aol7::FindMailbox(), nullptr) << "the mailbox was left open";
      EXPECT_EQ(FindWindowA("_aol_modal", nullptr), nullptr) << "a prompt was left open";
      EXPECT_EQ(skarnel_aol7::FindMenuOf(client->MainWindow()), nullptr) << "a menu left open";
    }
  }
}

}  // namespace

namespace {

// The user closes the run's own mail window while the run waits for the prompt: the run ends
// there, says so and how far it got, and closes its mailbox.
TEST_F(FeederBesideTheUser, AClosedRunMailEndsTheRunWithWhatItHandedOver) {
  Fill(L"2", L"4", L"0.5");
  When close([&] { return Queued() >= 1; },
             [] { PostMessageW(skarnel_aol7::FindOpenMail(), WM_CLOSE, 0, 0); });
  dl().Label3_Click();
  EXPECT_EQ(effects.Messages(),
            (std::vector<std::wstring>{Msg(MB_ICONEXCLAMATION,
                                           L"The mail window of this run was closed.\r\n1 mail "
                                           L"had been added to DL Manager before it.")}));
  EXPECT_EQ(TextsOf(Journal(), "queued", "download manager"), (Lines{"2"}));
  EXPECT_EQ(dl().Label5.Caption(), L"0");
  EXPECT_FALSE(dl().Timer1.Enabled());
  EXPECT_EQ(skarnel_aol7::FindMailbox(), nullptr) << "the mailbox was left open";
  EXPECT_EQ(FindWindowA("_aol_modal", nullptr), nullptr) << "a prompt was left open";
}

}  // namespace
