// Every panel at the DPI of its monitor: its size, each control's place, and its skin. Runs at
// 96 DPI with the other GUI tests, and in a wine prefix set to 144 DPI on its own (CTest entry
// gui_tests_144dpi), where the panels must come out 1.5 times as large.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "tests/support/effects.h"
#include "ui/app.h"

namespace {

TEST(PanelsAtDpi, EveryPanelItsControlsAndItsSkinFollowTheMonitorsDpi) {
  ui::ResetApp();
  testing_support::Effects effects;  // the main panel's load must not play anything here
  struct Case {
    const char* name;
    ui::Form& panel;
    int width96, height96, width144, height144;
  } cases[] = {
      {"main panel", ui::App().head, 288, 94, 432, 141},
      {"request list", ui::App().reqlist, 431, 215, 646, 322},
      {"DL Tool", ui::App().dltool, 431, 180, 646, 270},
      {"greetings", ui::App().greet, 143, 144, 214, 216},
      {"splash", ui::App().intro, 307, 215, 460, 322},
  };
  const char* expected = std::getenv("VANTOR_EXPECT_DPI");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND h = c.panel.hwnd();
    ASSERT_TRUE(h);
    const int startDpi = ui::WindowDpi(h);
    if (expected) {
      EXPECT_EQ(startDpi, std::atoi(expected));
    }
    // As made on its monitor, then moved to a monitor of the other DPI, then back.
    for (const int dpi : {startDpi, startDpi == 96 ? 144 : 96, startDpi}) {
      SCOPED_TRACE(testing::Message() << dpi << " DPI");
      ASSERT_TRUE(dpi == 96 || dpi == 144) << dpi;
      if (dpi != c.panel.Dpi()) {
        RECT suggested{20, 30, 20 + c.width144, 30 + c.height144};
        SendMessageW(h, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
      }
      EXPECT_EQ(c.panel.Dpi(), dpi);
      RECT client;
      GetClientRect(h, &client);
      EXPECT_EQ(client.right, dpi == 96 ? c.width96 : c.width144);
      EXPECT_EQ(client.bottom, dpi == 96 ? c.height96 : c.height144);
      for (ui::Control* control : c.panel.Controls()) {
        const ui::TwipsRect place = control->Place();
        SCOPED_TRACE(testing::Message() << "control at " << place.left << "," << place.top);
        RECT r;
        ASSERT_TRUE(GetWindowRect(control->hwnd(), &r));
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, place.left * dpi / 1440);
        EXPECT_EQ(r.top, place.top * dpi / 1440);
        EXPECT_EQ(r.right - r.left, place.width * dpi / 1440);
        // A list shows whole rows only, none cut at its bottom edge.
        wchar_t cls[16] = {};
        GetClassNameW(control->hwnd(), cls, 16);
        if (std::wstring_view(cls) != L"ListBox") continue;
        RECT inside;
        GetClientRect(control->hwnd(), &inside);
        const auto row = SendMessageW(control->hwnd(), LB_GETITEMHEIGHT, 0, 0);
        EXPECT_EQ(inside.bottom % row, 0) << inside.bottom << " pixels, rows of " << row;
        EXPECT_GT(r.bottom - r.top, place.height * dpi / 1440 - row);
      }
      // The skin is drawn at the panel's DPI: it still covers the whole panel.
      BITMAP skin{};
      ASSERT_TRUE(GetObjectW(c.panel.Skin(), sizeof skin, &skin));
      EXPECT_GE(skin.bmWidth, client.right);
      EXPECT_GE(skin.bmHeight, client.bottom);
      EXPECT_LE(skin.bmWidth, client.right * 11 / 10);
    }
  }
  ui::ResetApp();
}

}  // namespace
