// The store of the requests made in this run: reqlist's list and its count label.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/vantor_fixture.h"

namespace {

class RequestStore : public testing_support::VantorApp {
 protected:
  static ui::reqlist& store() { return ui::App().reqlist; }
  static std::vector<std::wstring> Items() {
    std::vector<std::wstring> out;
    for (int i = 0; i < store().Count(); ++i) out.push_back(store().List1.List(i));
    return out;
  }
};

TEST_F(RequestStore, FirstSendCreatesThePanelHiddenPlacedAndTopmostWithTheItem) {
  ChooseTrigger(1, L"abc");
  head().Text1.SetText(L"1, 3-5");
  EXPECT_FALSE(store().IsLoaded());
  head().Label6_Click();  // no AOL client: nothing is typed, the request is still recorded

  ASSERT_TRUE(store().IsLoaded());
  EXPECT_FALSE(store().IsVisible());
  const HWND panel = store().hwnd();
  EXPECT_TRUE(GetWindowLongW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(panel, &r);
  const int expectedLeft = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  EXPECT_LE(std::abs(r.left - expectedLeft), 1);
  EXPECT_EQ(r.top, 0);

  EXPECT_EQ(Items(), std::vector<std::wstring>{L"abc:   1, 3-5"});
  EXPECT_EQ(store().Label2.Caption(), L"Number of requests: 1");
  EXPECT_TRUE(effects.Messages().empty());
}

TEST_F(RequestStore, StartsEmptyAndKeepsSendsInOrderWithRepeats) {
  EXPECT_EQ(store().Count(), 0);
  EXPECT_EQ(store().Label2.Caption(), L"Number of requests: 0");

  ChooseTrigger(1, L"abc");
  for (const wchar_t* text : {L"3", L"1-2", L"3"}) {
    head().Text1.SetText(text);
    head().Label6_Click();
  }
  EXPECT_EQ(Items(), (std::vector<std::wstring>{L"abc:   3", L"abc:   1-2", L"abc:   3"}));
  EXPECT_EQ(store().Label2.Caption(), L"Number of requests: 3");
  EXPECT_FALSE(store().IsVisible());
}

// The list box counts in 32 bits: past the old 16-bit limit nothing is lost or wrapped.
TEST_F(RequestStore, KeepsAcceptingPast32767AndCountsTruly) {
  constexpr int kItems = 32770;
  for (int i = 0; i < kItems; ++i) store().Append(L"vault:   " + std::to_wstring(i));
  store().SetCountText();
  EXPECT_EQ(store().Count(), kItems);
  EXPECT_EQ(store().Label2.Caption(), L"Number of requests: 32770");
  EXPECT_EQ(store().List1.List(0), L"vault:   0");
  EXPECT_EQ(store().List1.List(32767), L"vault:   32767");
  EXPECT_EQ(store().List1.List(kItems - 1), L"vault:   32769");
}

}  // namespace
