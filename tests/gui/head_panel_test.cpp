// The main panel as a window: its controls where the layout puts them, its placement at load,
// the press look of its label buttons, dragging by the top strip, and rolling up.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/gui/shell_support.h"
#include "tests/support/drag_catcher.h"
#include "tests/support/effects.h"
#include "tests/support/wait.h"
#include "ui/app.h"

namespace {

using testing_support::Effects;
using ui::App;

class HeadPanel : public ::testing::Test {
 protected:
  void SetUp() override { ui::ResetApp(); }
  void TearDown() override { ui::ResetApp(); }
  static ui::Head& head() { return App().head; }
  Effects effects;
};

template <auto member>
ui::Control& Get(ui::Head& h) {
  return h.*member;
}

struct Placement {
  const char* name;
  ui::Control& (*control)(ui::Head&);
  const wchar_t* cls;
  int x, y, w, h;
  const wchar_t* caption;
  bool visible;
};

const wchar_t kUp[] = {0xD9, 0};
const wchar_t kDown[] = {0xDA, 0};

// The layout in pixels (twips / 15).
const Placement kLayout[] = {
    {"Label1", &Get<&ui::Head::Label1>, L"VantorLabel", 0, 0, 249, 17, L"", true},
    {"Label16", &Get<&ui::Head::Label16>, L"VantorLabel", 256, 0, 9, 17, kUp, true},
    {"Label9", &Get<&ui::Head::Label9>, L"VantorLabel", 272, 0, 9, 17, L"X", true},
    {"Label2", &Get<&ui::Head::Label2>, L"VantorLabel", 8, 24, 73, 17, L"Trigger 1", true},
    {"Label3", &Get<&ui::Head::Label3>, L"VantorLabel", 8, 40, 73, 17, L"Trigger 2", true},
    {"Label4", &Get<&ui::Head::Label4>, L"VantorLabel", 8, 56, 73, 17, L"Trigger 3", true},
    {"Label5", &Get<&ui::Head::Label5>, L"VantorLabel", 8, 72, 73, 17, L"Trigger 4", true},
    {"Label6", &Get<&ui::Head::Label6>, L"VantorLabel", 88, 24, 31, 13, L"Send", true},
    {"Label7", &Get<&ui::Head::Label7>, L"VantorLabel", 128, 24, 24, 13, L"List", true},
    {"Label8", &Get<&ui::Head::Label8>, L"VantorLabel", 160, 24, 43, 13, L"Status", true},
    {"Label11", &Get<&ui::Head::Label11>, L"VantorLabel", 224, 24, 55, 13, L"Re-Enter", true},
    {"Text1", &Get<&ui::Head::Text1>, L"Edit", 88, 40, 113, 19, L"#, #-# : Mail Note", true},
    {"Label14", &Get<&ui::Head::Label14>, L"VantorLabel", 224, 40, 56, 13, L"View List", true},
    {"Label15", &Get<&ui::Head::Label15>, L"VantorLabel", 224, 56, 49, 13, L"DL Tool", true},
    {"Label13", &Get<&ui::Head::Label13>, L"VantorLabel", 88, 64, 50, 13, L"Server?", true},
    {"Label17", &Get<&ui::Head::Label17>, L"VantorLabel", 168, 64, 27, 13, L"Find", true},
    {"Label10", &Get<&ui::Head::Label10>, L"VantorLabel", 224, 72, 45, 13, L"Others", true},
    {"Label12", &Get<&ui::Head::Label12>, L"VantorLabel", 128, 96, 17, 17, L"/Trigger Send ",
     false},
};

TEST_F(HeadPanel, EveryControlIsAChildWindowAtItsPlaceWithItsCaption) {
  HWND panel = head().hwnd();
  wchar_t text[64] = {};
  GetWindowTextW(panel, text, 64);
  EXPECT_STREQ(text, L"Vantor v 2.0 by: Skarnel");
  RECT client;
  GetClientRect(panel, &client);
  EXPECT_EQ(client.right, 288);
  EXPECT_EQ(client.bottom, 94);
  EXPECT_TRUE(GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(SendMessageW(panel, WM_GETICON, ICON_BIG, 0));
  EXPECT_TRUE(SendMessageW(panel, WM_GETICON, ICON_SMALL, 0));
  for (const Placement& p : kLayout) {
    SCOPED_TRACE(p.name);
    HWND h = p.control(head()).hwnd();
    ASSERT_TRUE(h);
    EXPECT_EQ(GetParent(h), panel);
    GetClassNameW(h, text, 64);
    EXPECT_STREQ(text, p.cls);
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, p.x);
    EXPECT_EQ(r.top, p.y);
    EXPECT_EQ(r.right - r.left, p.w);
    EXPECT_EQ(r.bottom - r.top, p.h);
    EXPECT_EQ(p.control(head()).Caption(), p.caption);
    EXPECT_EQ(p.control(head()).Visible(), p.visible);
  }
}

TEST_F(HeadPanel, LoadPlacesItAtTheTopCentreOnceAndHidingKeepsItsPlace) {
  head().Show();
  HWND panel = head().hwnd();
  RECT r;
  GetWindowRect(panel, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 288) / 2);
  EXPECT_EQ(r.top, 0);
  EXPECT_TRUE(GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The request box has the keyboard: typing goes into it at once.
  EXPECT_TRUE(testing_support::WaitUntil(
      "the request box to have the keyboard", [&] { return GetFocus() == head().Text1.hwnd(); },
      [] { return "the keyboard in " + testing_support::Shown(GetFocus()); }, 2000));
  SetWindowPos(panel, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // as after a drag
  head().Hide();
  head().Show();
  GetWindowRect(panel, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
}

TEST_F(HeadPanel, LabelButtonsLightWhileHeldWithEitherButtonAndRestWhenReleasedAnywhere) {
  // Pressed and released without a click (right button, or left released outside), so no
  // button's action runs here.
  ui::LabelButton ui::Head::*buttons[] = {
      &ui::Head::Label16, &ui::Head::Label9,  &ui::Head::Label6,  &ui::Head::Label7,
      &ui::Head::Label8,  &ui::Head::Label11, &ui::Head::Label14, &ui::Head::Label15,
      &ui::Head::Label13, &ui::Head::Label17, &ui::Head::Label10};
  for (auto member : buttons) {
    ui::LabelButton& b = head().*member;
    SCOPED_TRACE(testing::Message() << "caption " << int(b.Caption()[0]));
    HWND h = b.hwnd();
    for (auto [down, up] :
         {std::pair{WM_RBUTTONDOWN, WM_RBUTTONUP}, {WM_LBUTTONDOWN, WM_LBUTTONUP}}) {
      SendMessageW(h, down, 0, 0);
      EXPECT_EQ(b.ForeColor(), ui::kPressedColor);
      SendMessageW(h, up, 0, MAKELPARAM(-50, 300));  // released off the label
      EXPECT_EQ(b.ForeColor(), ui::kRestColor);
    }
  }
  EXPECT_TRUE(effects.log.empty());  // no action ran, no sound
}

TEST_F(HeadPanel, TopStripDragsOnAnyButtonWithoutPressLookOrSound) {
  head().Show();
  testing_support::DragCatcher drags(head().hwnd());
  ASSERT_TRUE(drags.Watching());
  HWND strip = head().Label1.hwnd();
  for (auto [down, up] : {std::pair{WM_LBUTTONDOWN, WM_LBUTTONUP},
                          {WM_RBUTTONDOWN, WM_RBUTTONUP},
                          {WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
    SendMessageW(strip, down, 0, 0);
    EXPECT_EQ(head().Label1.ForeColor(), ui::kRestColor);
    SendMessageW(strip, up, 0, 0);
  }
  EXPECT_EQ(drags.Grabs(), 3);
  EXPECT_NE(GetCapture(), strip);  // the drag took the capture over
  EXPECT_TRUE(effects.Sounds().empty());
}

TEST_F(HeadPanel, TriggerSlotsHaveNoPressLook) {
  for (ui::Label* slot : {&head().Label2, &head().Label3, &head().Label4, &head().Label5}) {
    SendMessageW(slot->hwnd(), WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(slot->ForeColor(), ui::kRestColor);
    SendMessageW(slot->hwnd(), WM_RBUTTONUP, 0, 0);
  }
}

void Click(ui::Label& label) {
  SendMessageW(label.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(label.hwnd(), WM_LBUTTONUP, 0, 0);
}

TEST_F(HeadPanel, RollUpToTheStripAndDownAgainKeepsPlaceAndRequestText) {
  head().Show();
  HWND panel = head().hwnd();
  head().Text1.SetText(L"1, 3-5");
  RECT before;
  GetWindowRect(panel, &before);

  Click(head().Label16);
  EXPECT_EQ(head().HeightTwips(), 285);
  EXPECT_EQ(head().Label16.Caption(), kDown);
  RECT rolled;
  GetWindowRect(panel, &rolled);
  EXPECT_EQ(rolled.bottom - rolled.top, 19);
  EXPECT_EQ(rolled.left, before.left);
  EXPECT_EQ(rolled.top, before.top);
  EXPECT_EQ(rolled.right - rolled.left, 288);  // only the height changes
  EXPECT_TRUE(head().Text1.Visible());         // cut off by the smaller window, not hidden

  Click(head().Label16);
  EXPECT_EQ(head().HeightTwips(), 1410);
  EXPECT_EQ(head().Label16.Caption(), kUp);
  EXPECT_EQ(head().Text1.Text(), L"1, 3-5");
  EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"press", L"press"}));
  EXPECT_EQ(head().Label16.ForeColor(), ui::kRestColor);
}

TEST_F(HeadPanel, RollUpStateSurvivesHidingAndShowing) {
  head().Show();
  Click(head().Label16);
  head().Hide();
  head().Show();
  EXPECT_EQ(head().HeightTwips(), 285);
  EXPECT_EQ(head().Label16.Caption(), kDown);
}

TEST_F(HeadPanel, OthersPlaysPressThenOpensTheMenuAndDismissingDoesNothing) {
  head().Show();
  std::atomic<int> itemsShown{-1};
  std::thread user([&] {
    HWND menu = testing_support::WaitForVisibleMenu();
    if (!menu) return;
    itemsShown = testing_support::MenuItemCount(menu);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  Click(head().Label10);  // returns when the menu has closed
  user.join();
  EXPECT_EQ(itemsShown, 13);
  EXPECT_EQ(effects.log, (std::vector<std::wstring>{L"sound:press"}));
  EXPECT_TRUE(head().IsVisible());
  EXPECT_EQ(head().Label10.ForeColor(), ui::kRestColor);
}

}  // namespace
