// The DL Tool panel: its layout and first look, opening it from the main panel or the menu
// (which opens the mailbox and copies its list), Return, and the check box's sound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aol/ansi.h"
#include "tests/gui/dltool_fixture.h"
#include "tests/support/drag_catcher.h"
#include "tests/support/wait.h"

namespace {

using dltool_test::DlToolTest;
using dltool_test::When;

class ThreeMails : public dltool_test::DlToolWithMails<3> {
 protected:
  // The lines the panel should show for the client's mailbox: "<n>:  <subject>".
  std::vector<std::wstring> ExpectedLines() const {
    std::vector<std::wstring> lines;
    int n = 0;
    for (const auto& subject : client->Mails())
      lines.push_back(std::to_wstring(++n) + L":  " + aol::FromAnsi(subject));
    return lines;
  }
  static std::vector<std::wstring> ListLines() {
    std::vector<std::wstring> lines;
    for (int i = 0; i < dl().List1.ListCount(); ++i) lines.push_back(dl().List1.List(i));
    return lines;
  }
};

TEST_F(DlToolTest, FirstShownWithItsControlsInPlace) {
  HWND panel = dl().hwnd();
  wchar_t title[32] = {};
  GetWindowTextW(panel, title, 32);
  EXPECT_STREQ(title, L"Form4");
  RECT client{};
  GetClientRect(panel, &client);
  EXPECT_EQ(client.right, 431);
  EXPECT_EQ(client.bottom, 180);

  // Left, top, width and (where the platform does not size it) height, in pixels.
  const struct {
    const char* name;
    HWND window;
    RECT expected;
    bool checkHeight;
  } controls[] = {
      {"Text1", dl().Text1.hwnd(), {8, 24, 73, 19}, true},
      {"Text2", dl().Text2.hwnd(), {104, 24, 73, 19}, true},
      {"Label1", dl().Label1.hwnd(), {88, 24, 9, 17}, true},
      {"Label2", dl().Label2.hwnd(), {0, 0, 425, 17}, true},
      {"Label3", dl().Label3.hwnd(), {272, 24, 25, 13}, true},
      {"Label4", dl().Label4.hwnd(), {352, 24, 29, 13}, true},
      {"Combo1", dl().Combo1.hwnd(), {8, 48, 73, 0}, false},
      {"Label5", dl().Label5.hwnd(), {248, 48, 73, 17}, true},
      {"Label6", dl().Label6.hwnd(), {352, 48, 46, 13}, true},
      {"Check1", dl().Check1.hwnd(), {104, 48, 129, 17}, true},
      {"List1", dl().List1.hwnd(), {8, 72, 417, 0}, false},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    RECT r{};
    ASSERT_TRUE(GetWindowRect(c.window, &r));
    MapWindowPoints(HWND_DESKTOP, panel, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right - r.left, c.expected.right);
    if (c.checkHeight) {
      EXPECT_EQ(r.bottom - r.top, c.expected.bottom);
    }
  }

  EXPECT_EQ(dl().Combo1.Text(), L"Speed");
  EXPECT_EQ(dl().Text1.Text(), L"#");
  EXPECT_EQ(dl().Text2.Text(), L"#");
  EXPECT_EQ(dl().Label5.Caption(), L"0");
  EXPECT_EQ(dl().Check1.Value(), 0);
  EXPECT_EQ(dl().Check1.Caption(), L" Keep Mail As New");
  EXPECT_FALSE(dl().Option1.Visible());
  EXPECT_FALSE(dl().Timer1.Enabled());
  EXPECT_EQ(dl().List1.ListCount(), 0);
  std::vector<std::wstring> speeds;
  for (int i = 0; i < dl().Combo1.ListCount(); ++i) {
    wchar_t item[16] = {};
    SendMessageW(dl().Combo1.hwnd(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    speeds.push_back(item);
  }
  EXPECT_EQ(speeds, (std::vector<std::wstring>{L"1", L"1.5", L"2", L"2.5", L"3", L"3.5", L"4",
                                               L"4.5", L"5", L"5.5", L"6"}));
  // Topmost, at the top edge of the screen, centred left to right.
  EXPECT_TRUE(GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT w{};
  GetWindowRect(panel, &w);
  EXPECT_EQ(w.top, 0);
  EXPECT_LE(std::abs((w.left + w.right) - GetSystemMetrics(SM_CXSCREEN)), 2);
}

// From the main panel's "DL Tool" and from the menu's item alike: the pop-up sound, the
// mailbox opened, the main panel swapped for this one at once, and after four seconds the
// mailbox's mails, numbered.
TEST_F(ThreeMails, OpensFromTheMainPanelAndTheMenuAlike) {
  const struct {
    const char* name;
    void (*open)();
  } ways[] = {
      {"main panel", [] { ui::App().head.Label15_Click(); }},
      {"menu", [] { ui::App().menu.dl_Click(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    ui::ResetApp();
    head().Show();
    RestartSim(SimOptions());
    effects.Clear();
    bool swapped = false;
    int linesDuringPause = -1;
    When during([&] { return CountOf("open", "mailbox") > 0; },
                [&] {
                  swapped = dl().IsVisible() && !head().IsVisible();
                  linesDuringPause = dl().List1.ListCount();
                });
    way.open();
    EXPECT_TRUE(during.Fired());
    EXPECT_TRUE(swapped);
    EXPECT_EQ(linesDuringPause, 0);
    EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"popup"}));
    EXPECT_EQ(PressesOf("toolbar.icon2"), 1u);
    EXPECT_EQ(ListLines(), ExpectedLines());
    EXPECT_EQ(dl().Combo1.ListCount(), 11);
  }
}

// A second opening after Return clears the list first, keeps what the user set, and does not
// fill the speed list again; Return swaps the panels back with the pop-up sound.
TEST_F(ThreeMails, ReopeningKeepsTheUsersSettings) {
  head().Show();
  head().Label15_Click();
  ASSERT_EQ(ListLines(), ExpectedLines());
  Fill(L"1", L"3", L"2.5", true);

  effects.Clear();
  dl().Label6_Click();
  EXPECT_FALSE(dl().IsVisible());
  EXPECT_TRUE(head().IsVisible());
  EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"popup"}));

  ui::App().menu.dl_Click();
  EXPECT_EQ(ListLines(), ExpectedLines());
  EXPECT_EQ(dl().Combo1.ListCount(), 11);
  EXPECT_EQ(dl().Text1.Text(), L"1");
  EXPECT_EQ(dl().Text2.Text(), L"3");
  EXPECT_EQ(dl().Combo1.Text(), L"2.5");
  EXPECT_EQ(dl().Check1.Value(), 1);
}

// Without a client the panel opens all the same, with an empty list and no message.
TEST_F(DlToolTest, OpensWithAnEmptyListWithoutAClient) {
  client.reset();
  head().Show();
  head().Label15_Click();
  EXPECT_TRUE(dl().IsVisible());
  EXPECT_EQ(dl().List1.ListCount(), 0);
  EXPECT_TRUE(effects.Messages().empty());
}

// The check box ticks itself and plays the press sound; a real click goes through its window.
TEST_F(DlToolTest, CheckBoxPlaysThePressSound) {
  dl().Show();
  SendMessageW(dl().Check1.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(dl().Check1.Value(), 1);
  SendMessageW(dl().Check1.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(dl().Check1.Value(), 0);
  EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"press", L"press"}));
}

// The empty top strip and the counter drag the panel; Add, Stop and Return do not. The drag
// itself is the platform's (a caption grab), so the panel only has to be handed that grab.
TEST_F(DlToolTest, DraggedByTheTopStripAndTheCounter) {
  dl().Show();
  testing_support::DragCatcher grabs(dl().hwnd());
  ASSERT_TRUE(grabs.Watching());
  // Nothing else may come of these presses: Add would start a run, Return would hide the panel.
  const struct {
    const char* name;
    HWND label;
    int grabs;
  } cases[] = {
      {"Label2 top strip", dl().Label2.hwnd(), 1}, {"Label5 counter", dl().Label5.hwnd(), 1},
      {"Label3 Add", dl().Label3.hwnd(), 0},       {"Label4 Stop", dl().Label4.hwnd(), 0},
      {"Label6 Return", dl().Label6.hwnd(), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    grabs.Reset();
    // Pressed on the label, released away from it: a press, never a click.
    SendMessageW(c.label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(c.label, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
    EXPECT_EQ(grabs.Grabs(), c.grabs);
  }
  EXPECT_TRUE(dl().IsVisible());
  EXPECT_TRUE(effects.log.empty());
}

}  // namespace
