// The mailbox, open mails, AOL's prompt and standard dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aol/candidate_walk.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "tests/gui/driver_fixture.h"
#include "tests/support/wait.h"

using namespace skarnel_aol7;
using driver_fixture::FakeClient;
using Lines = std::vector<std::string>;

TEST(DriverMailbox, FoundBehindAChatRoomAndOpenMailsToldApartByTheirBody) {
  FakeClient client;
  client.AddMain();
  HWND mailbox = client.AddMailbox();
  // Every class of an open mail but its body view.
  client.AddChild("fake", {"_AOL_View", "_AOL_Static", "_AOL_Icon", "_AOL_Icon"});
  EXPECT_EQ(FindOpenMail(), nullptr);
  HWND mail = client.AddOpenMail();
  client.AddChild("fake2", {"_AOL_View", "_AOL_Static", "_AOL_Icon"});
  client.AddChatRoom();
  EXPECT_EQ(FindMailbox(), mailbox);
  EXPECT_EQ(FindOpenMail(), mail);
}

// A walk visits a bounded number of windows: it handles events as it goes, and a handler that
// reorders the client's windows meanwhile could otherwise keep it going round them for good.
TEST(DriverMailbox, TheWalkVisitsABoundedNumberOfWindows) {
  FakeClient client;
  client.AddMain();
  HWND mailbox = client.AddMailbox();
  int plain = 0;
  auto addInFront = [&](int upTo) {
    for (; plain < upTo; ++plain) client.AddChild("plain", {});
  };
  addInFront(20);
  EXPECT_EQ(FindMailbox(), mailbox);
  addInFront(aol::kMaxAolChildrenVisited);
  EXPECT_EQ(FindMailbox(), nullptr);
}

TEST(DriverMailbox, SelectMailAtSelectsTheNumberCountedFromOne) {
  FakeClient client;
  client.AddMain();
  client.AddMailbox();
  for (int number : {1, 3, 0, 2147483647}) SelectMailAt(number);
  EXPECT_EQ(client.LogOf("mailbox.list"),
            (Lines{"SETCURSEL:0", "SETCURSEL:2", "SETCURSEL:-1", "SETCURSEL:2147483646"}));
  EXPECT_TRUE(client.LogOf("mailbox.icon1").empty());
}

TEST(DriverMailbox, OpenMailAtSelectsThenReturnsThenPressesTheFirstIconHalfASecondLater) {
  FakeClient client;
  client.AddMain();
  client.AddMailbox();
  OpenMailAt(4);
  std::vector<std::string> sequence;
  for (const auto& r : client.Log()) sequence.push_back(r.window + " " + Describe(r));
  EXPECT_EQ(sequence, (Lines{"mailbox.list SETCURSEL:3", "mailbox.list CHAR:13",
                             "mailbox.icon1 DOWN", "mailbox.icon1 KEYUP:32"}));
  const auto log = client.Log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_GE(log[2].ms - log[1].ms, 500.0);
}

TEST(DriverMailbox, ClickToolbarIconPressesTheSecondToolbarIconOnly) {
  FakeClient client;
  client.AddMain();
  ClickToolbarIcon();
  std::vector<std::string> sequence;
  for (const auto& r : client.Log()) sequence.push_back(r.window + " " + Describe(r));
  EXPECT_EQ(sequence, (Lines{"toolbar.icon2 DOWN", "toolbar.icon2 KEYUP:32"}));
}

TEST(DriverDialogs, AolModalIsTheHighestWindowWithTextAndIconOnceAPromptIsOpen) {
  FakeClient client;
  // No prompt open: a window with both children does not count.
  HWND other = client.Add("DriverSomeWindow", nullptr, "other");
  client.Add("_AOL_Static", other, "other.static");
  client.Add("_AOL_Icon", other, "other.icon");
  EXPECT_EQ(skarnel_aol6::FindAolModal(), nullptr);

  HWND modal = client.Add("_AOL_Modal", nullptr, "modal");
  client.Add("_AOL_Static", modal, "modal.static");
  client.Add("_AOL_Icon", modal, "modal.icon1");
  auto raise = [&](HWND w) {
    client.Run(
        [&] { SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); });
  };
  raise(modal);
  EXPECT_EQ(skarnel_aol6::FindAolModal(), modal);
  // The presence of the prompt is the trigger; a higher window with both children wins.
  raise(other);
  EXPECT_EQ(skarnel_aol6::FindAolModal(), other);
}

TEST(DriverDialogs, MessageDialogNeedsAStandardDialogSomewhere) {
  FakeClient client;
  // Button and static children, but no "#32770" anywhere.
  HWND plain = client.Add("DriverSomeWindow", nullptr, "plain");
  client.Add("Button", plain, "plain.button");
  client.Add("Static", plain, "plain.static");
  ASSERT_EQ(FindWindowA("#32770", nullptr), nullptr);
  EXPECT_EQ(FindMessageDialog(), nullptr);

  HWND own = driver_fixture::MakeDialog("Vantor's own");
  // Any standard dialog qualifies here, Vantor's own included.
  EXPECT_NE(FindMessageDialog(), nullptr);
  DestroyWindow(own);
}

TEST(DriverDialogs, ClientDialogIsOnlyAVisibleDialogOfTheClientsProcessOnAnotherThread) {
  // No client: nothing, even with dialogs about.
  HWND own = driver_fixture::MakeDialog("Vantor's own");
  EXPECT_EQ(FindClientDialog(), nullptr);

  FakeClient client;
  client.AddMain();
  // Vantor's own message box (this thread) is never the client's.
  EXPECT_EQ(FindClientDialog(), nullptr);
  {
    // Another program's dialog is not the client's either.
    driver_fixture::OtherProcessDialog stranger("Another program");
    ASSERT_NE(stranger.Dialog(), nullptr);
    EXPECT_EQ(FindClientDialog(), nullptr);

    HWND hidden = nullptr;
    client.Run([&] {
      hidden = driver_fixture::MakeDialog("Client, not shown yet");
      ShowWindow(hidden, SW_HIDE);
    });
    EXPECT_EQ(FindClientDialog(), nullptr);
    HWND shown = nullptr;
    client.Run([&] { shown = driver_fixture::MakeDialog("Client"); });
    EXPECT_EQ(FindClientDialog(), shown);
    client.Run([&] {
      DestroyWindow(shown);
      DestroyWindow(hidden);
    });
  }
  DestroyWindow(own);
}
