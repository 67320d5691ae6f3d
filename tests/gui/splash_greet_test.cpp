// The road from the splash panel to the main panel, and the greetings panel.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "aol/skarnel_aol7.h"
#include "tests/support/drag_catcher.h"
#include "tests/support/effects.h"
#include "tests/support/wait.h"
#include "ui/app.h"

namespace {

using testing_support::Effects;
using ui::App;

class Shell : public ::testing::Test {
 protected:
  void SetUp() override { ui::ResetApp(); }
  void TearDown() override { ui::ResetApp(); }

  // Records each sound with whether `shown` held when it played.
  void WatchSounds(std::function<bool()> shown) {
    skarnel_aol7::SetSoundObserver([this, shown](std::wstring_view path) {
      sounds.push_back(std::wstring(path.substr(path.find_last_of(L'\\') + 1)) +
                       (shown() ? L" after" : L" before"));
    });
  }
  static void Click(HWND h) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(h, WM_LBUTTONUP, 0, 0);
  }

  Effects effects;
  std::vector<std::wstring> sounds;
};

TEST_F(Shell, SplashIsCentredOnTopAndASingleClickDoesNothing) {
  ui::intro& splash = App().intro;
  splash.Show();
  HWND h = splash.hwnd();
  wchar_t title[32] = {};
  GetWindowTextW(h, title, 32);
  EXPECT_STREQ(title, L"Vantor");
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 307);
  EXPECT_EQ(r.bottom - r.top, 215);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 307) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 215) / 2);
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);

  Click(h);
  testing_support::PumpFor(50);
  EXPECT_TRUE(splash.IsVisible());
  EXPECT_FALSE(App().head.IsLoaded());
  EXPECT_TRUE(effects.log.empty());
}

TEST_F(Shell, DoubleClickHandsOverToTheMainPanelOnceThenPlaysPopup) {
  App().intro.Show();
  HWND h = App().intro.hwnd();
  WatchSounds([] { return App().head.IsVisible() && !App().intro.IsVisible(); });
  SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  EXPECT_FALSE(App().intro.IsVisible());
  EXPECT_TRUE(App().head.IsVisible());
  EXPECT_EQ(sounds, (std::vector<std::wstring>{L"popup.wav after"}));
  // A double-click still queued for the hidden splash changes nothing.
  App().head.Hide();
  SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  EXPECT_FALSE(App().head.IsVisible());
  EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(Shell, GreetingsAreLaidOutAndPlacedOnceAcrossOpenings) {
  App().head.Show();
  App().menu.gtz_Click();
  ui::greet& g = App().greet;
  HWND h = g.hwnd();
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 143);
  EXPECT_EQ(r.bottom - r.top, 144);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 143) / 2);
  EXPECT_EQ(r.top, 0);
  wchar_t title[32] = {};
  GetWindowTextW(h, title, 32);
  EXPECT_STREQ(title, L"Vantor - Greetz");
  EXPECT_EQ(g.Label1.Caption(), L"R\r\ne\r\nt\r\nu\r\nr\r\nn");

  // Moved by the user and its caption touched: a second opening runs no load again.
  SetWindowPos(h, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  g.Label1.SetCaption(L"Return");
  Click(g.Label1.hwnd());
  EXPECT_FALSE(g.IsVisible());
  App().menu.gtz_Click();
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(g.Label1.Caption(), L"Return");
}

TEST_F(Shell, GreetingsReturnShowsTheMainPanelThenPlaysPopup) {
  App().head.Show();
  App().menu.gtz_Click();
  WatchSounds([] { return App().head.IsVisible() && !App().greet.IsVisible(); });
  HWND back = App().greet.Label1.hwnd();
  SendMessageW(back, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(App().greet.Label1.ForeColor(), ui::kPressedColor);
  SendMessageW(back, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(App().greet.Label1.ForeColor(), ui::kRestColor);
  EXPECT_EQ(sounds, (std::vector<std::wstring>{L"popup.wav after"}));
  EXPECT_TRUE(App().head.IsVisible());
}

TEST_F(Shell, GreetingsDragByTheTopStrip) {
  App().menu.gtz_Click();
  testing_support::DragCatcher drags(App().greet.hwnd());
  ASSERT_TRUE(drags.Watching());
  SendMessageW(App().greet.Label2.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
  SendMessageW(App().greet.Label2.hwnd(), WM_RBUTTONUP, 0, 0);
  EXPECT_EQ(drags.Grabs(), 1);
}

}  // namespace
