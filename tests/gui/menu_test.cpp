// The "Others" pop-up menu and the about box.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "aol/skarnel_aol7.h"
#include "tests/gui/shell_support.h"
#include "tests/support/effects.h"
#include "ui/app.h"

namespace {

using testing_support::Effects;
using ui::App;

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { ui::ResetApp(); }
  void TearDown() override { ui::ResetApp(); }
  Effects effects;
};

const wchar_t kAbout[] =
    L"For help on how to use this program refer to the text file that came with it.\r\n"
    L"E-mail: skarnel@example.com\r\n"
    L"IM: SkarnelVantor\r\n"
    L"Vantor v 2.0 for AOL 7.0";

TEST_F(MenuTest, ItemsInOrderWithSeparatorsThatCannotBeChosen) {
  const std::vector<std::wstring> expected = {L"Clear Trigger 1",
                                              L"Clear Trigger 2",
                                              L"Clear Trigger 3",
                                              L"Clear Trigger 4",
                                              L"Clear All",
                                              L"-",
                                              L"View Request List",
                                              L"-",
                                              L"DL Tool",
                                              L"-",
                                              L"Help/About/Contact",
                                              L"Greetz",
                                              L"Exit"};
  const auto items = App().menu.Other();
  ASSERT_EQ(items.size(), expected.size());
  HMENU menu = ui::BuildPopupMenu(items);
  ASSERT_EQ(GetMenuItemCount(menu), int(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(items[i].caption, expected[i]);
    const bool separator = expected[i] == L"-";
    EXPECT_EQ(bool(items[i].action), !separator);
    wchar_t text[64] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 64;
    GetMenuItemInfoW(menu, UINT(i), TRUE, &info);
    EXPECT_EQ(bool(info.fType & MFT_SEPARATOR), separator);
    if (!separator) {
      EXPECT_EQ(std::wstring(text), expected[i]);
    }
  }
  DestroyMenu(menu);
  EXPECT_FALSE(App().menu.IsVisible());  // the form only owns the menu
}

TEST_F(MenuTest, AboutBoxIsInformationWithFourLinesAndNoSound) {
  App().head.Show();
  effects.Clear();
  App().menu.hna_Click();
  EXPECT_EQ(effects.log,
            (std::vector<std::wstring>{L"msgbox:" + std::to_wstring(MB_OK | MB_ICONINFORMATION) +
                                       L":" + ui::kTitle + L":" + kAbout}));
  EXPECT_TRUE(App().head.IsVisible());
}

TEST_F(MenuTest, ChoosingAboutInTheRealMenuPlaysOnlyTheOthersPress) {
  App().head.Show();
  effects.Clear();
  std::thread user([] {
    if (HWND m = testing_support::WaitForVisibleMenu()) testing_support::ChooseMenuItem(m, 8);
  });
  SendMessageW(App().head.Label10.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(App().head.Label10.hwnd(), WM_LBUTTONUP, 0, 0);
  user.join();
  ASSERT_EQ(effects.log.size(), 2u);
  EXPECT_EQ(effects.log[0], L"sound:press");
  EXPECT_EQ(effects.log[1].rfind(L"msgbox:64:", 0), 0u);
}

TEST_F(MenuTest, GreetzSwitchesPanelsThenPlaysPopup) {
  App().head.Show();
  std::vector<std::wstring> atSound;
  skarnel_aol7::SetSoundObserver([&](std::wstring_view path) {
    atSound.push_back(
        std::wstring(path.substr(path.find_last_of(L'\\') + 1)) +
        (App().greet.IsVisible() && !App().head.IsVisible() ? L" after" : L" before"));
  });
  App().menu.gtz_Click();
  EXPECT_EQ(atSound, (std::vector<std::wstring>{L"popup.wav after"}));
  EXPECT_TRUE(App().greet.IsVisible());
  EXPECT_FALSE(App().head.IsVisible());
}

}  // namespace
