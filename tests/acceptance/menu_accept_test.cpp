// The "Others" pop-up menu, from outside: a real pop-up menu driven with the keyboard. The clear
// items empty the trigger slots, View Request List and DL Tool switch panels as their buttons
// do, Help/About/Contact shows the about box, Greetz the greetings panel. (Exit is checked with
// the ways out.)
#include <gtest/gtest.h>

#include <optional>

#include "tests/acceptance/by_hand.h"
#include "tests/acceptance/lines.h"
#include "tests/acceptance/shared_pair.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

using testing_support::GetText;

class MenuItems : public SharedPairTest<MenuItems> {
 public:
  static constexpr const wchar_t* kSwitches = L"--no-server";
};

TEST_F(MenuItems, ClearTriggerEmptiesItsSlotAndOnlyTheLitOneTakesTheTrigger) {
  for (int slot = 1; slot <= 4; ++slot)
    ASSERT_TRUE(V().UseTrigger(slot, L"t" + std::to_wstring(slot)));
  // Slot 4 is lit now. Clearing slot 2 leaves the trigger t4 chosen.
  ASSERT_TRUE(V().ChooseMenu(MenuItem::ClearTrigger2));
  EXPECT_EQ(GetText(V().Slot(2)), L"Trigger 2");
  size_t mark = S().Mark();
  ASSERT_TRUE(V().Click(kHeadTitle, L"List"));
  EXPECT_EQ(TextsOf(S().Since(mark), "settext", "chat.input"), Lines{"/t4 Send List"});
  // Clearing the lit slot takes the trigger back: List refuses.
  for (MenuItem item : {MenuItem::ClearTrigger1, MenuItem::ClearTrigger3})
    ASSERT_TRUE(V().ChooseMenu(item));
  EXPECT_EQ(GetText(V().Slot(1)), L"Trigger 1");
  EXPECT_EQ(GetText(V().Slot(3)), L"Trigger 3");
  ASSERT_TRUE(V().ChooseMenu(MenuItem::ClearTrigger4));
  EXPECT_EQ(GetText(V().Slot(4)), L"Trigger 4");
  ASSERT_TRUE(V().ClickForDialog(V().Control(kHeadTitle, L"List")));
  EXPECT_EQ(V().AnswerMessage(), L"(icon) No trigger detected.");
  // The store keeps every key: clearing never touches it.
  const std::string stored = store::Read().value_or("");
  for (const char* line : {"trig1=t1", "trig2=t2", "trig3=t3", "trig4=t4"})
    EXPECT_NE(stored.find(line), std::string::npos) << line;
}

TEST_F(MenuItems, ClearAllEmptiesEverySlot) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  ASSERT_TRUE(V().UseTrigger(3, L"other"));
  ASSERT_TRUE(V().ChooseMenu(MenuItem::ClearAll));
  for (int slot = 1; slot <= 4; ++slot)
    EXPECT_EQ(GetText(V().Slot(slot)), L"Trigger " + std::to_wstring(slot));
  ASSERT_TRUE(V().ClickForDialog(V().Control(kHeadTitle, L"Status")));
  EXPECT_EQ(V().AnswerMessage(), L"(icon) No trigger detected.");
}

TEST_F(MenuItems, ViewRequestListSwitchesPanelsAndAnnouncesTheCount) {
  const size_t mark = S().Mark();
  ASSERT_TRUE(V().ChooseMenu(MenuItem::ViewRequestList));
  ASSERT_TRUE(V().WaitPanelAlone(kListTitle));
  ASSERT_TRUE(testing_support::WaitUntil(
      "three lines said after View Request List", [&] { return S().SaidSince(mark).size() >= 3; },
      [&] { return testing_support::Shown(S().SaidSince(mark)); }));
  EXPECT_EQ(Kinds(S().SaidSince(mark)),
            (Lines{"signature", "count " + std::to_string(V().RequestList().size()), "link"}));
  ASSERT_TRUE(V().Click(kListTitle, L"Return"));
}

TEST_F(MenuItems, DlToolOpensTheMailboxAndThePanel) {
  const size_t mark = S().Mark();
  ASSERT_TRUE(V().ChooseMenu(MenuItem::DlTool));
  ASSERT_TRUE(V().WaitPanelAlone(kDlTitle));
  ASSERT_TRUE(V().WaitDlListed(S()));
  EXPECT_EQ(TextsOf(S().Since(mark), "press", "toolbar.icon2").size(), 1u);
  ASSERT_TRUE(V().Click(kDlTitle, L"Return"));
  EXPECT_TRUE(V().PanelVisible(kHeadTitle));
}

TEST_F(MenuItems, HelpAboutContactShowsTheAboutBox) {
  const size_t mark = S().Mark();
  ASSERT_TRUE(V().ChooseMenu(MenuItem::About));
  const std::wstring about = V().AnswerMessage();
  EXPECT_EQ(about.rfind(L"(icon) For help on how to use this program refer to the text file that "
                        L"came with it.\r\n",
                        0),
            0u)
      << Narrow(about);
  EXPECT_TRUE(about.size() > 24 && about.substr(about.size() - 24) == L"Vantor v 2.0 for AOL 7.0")
      << Narrow(about);
  EXPECT_TRUE(S().Since(mark).empty());
  EXPECT_TRUE(V().PanelVisible(kHeadTitle));
}

TEST_F(MenuItems, GreetzShowsTheGreetingsPanelWithItsDownwardReturn) {
  ASSERT_TRUE(V().ChooseMenu(MenuItem::Greetz));
  ASSERT_TRUE(V().WaitPanelAlone(kGreetTitle));
  HWND back = V().Control(kGreetTitle, L"R\r\ne\r\nt\r\nu\r\nr\r\nn");
  ASSERT_TRUE(back);
  ASSERT_TRUE(V().Click(back));
  EXPECT_TRUE(V().PanelVisible(kHeadTitle));
  EXPECT_FALSE(V().PanelVisible(kGreetTitle));
}

TEST_F(MenuItems, DismissingTheMenuDoesNothing) {
  const size_t mark = S().Mark();
  testing_support::ClickLabel(V().Control(kHeadTitle, L"Others"), testing_support::Delivery::Post);
  HWND menu = nullptr;
  ASSERT_TRUE(testing_support::WaitUntil(
      "the pop-up menu to show",
      [&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
      },
      [&] { return testing_support::Shown(menu); }));
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0);
  ASSERT_TRUE(testing_support::WaitUntil(
      "the menu to close", [&] { return !IsWindowVisible(menu); },
      [&] { return testing_support::Shown(menu); }));
  EXPECT_FALSE(V().WaitDialog(200));
  EXPECT_TRUE(V().PanelVisible(kHeadTitle));
  EXPECT_TRUE(S().Since(mark).empty());
  EXPECT_TRUE(V().Responsive());
}

// In a user's hands: the menu opened with a click and driven with the keys; after every item
// that leaves the main panel shown, and after dismissing the menu, typing goes on in the request
// box. The about box holds the panel while it is open: a click on Server? does nothing.
TEST_F(MenuItems, ByHandTypingGoesOnAfterEveryItemThatKeepsTheMainPanel) {
  namespace hands = testing_support::hands;
  struct Case {
    const char* name;
    std::optional<MenuItem> item;  // nothing: the menu is dismissed with Escape
    bool box;
  };
  const Case cases[] = {
      {"Clear Trigger 1", MenuItem::ClearTrigger1, false},
      {"Clear Trigger 2", MenuItem::ClearTrigger2, false},
      {"Clear Trigger 3", MenuItem::ClearTrigger3, false},
      {"Clear Trigger 4", MenuItem::ClearTrigger4, false},
      {"Clear All", MenuItem::ClearAll, false},
      {"Help/About/Contact", MenuItem::About, true},
      {"dismissed", std::nullopt, false},
  };
  hands::Click(V().RequestBox());
  int typed = 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t mark = S().Mark();
    const auto menu = by_hand::OpenOthers(V());
    ASSERT_TRUE(menu);
    if (c.item) {
      ASSERT_TRUE(by_hand::ChooseByKeys(menu, *c.item));
    } else {
      hands::Key(VK_ESCAPE);
      ASSERT_TRUE(
          testing_support::WaitUntil("the menu to close", [&] { return !IsWindowVisible(menu); }));
    }
    if (c.box) {
      const auto box = V().WaitDialog();
      ASSERT_TRUE(box);
      hands::Click(V().Control(kHeadTitle, L"Server?"));
      hands::Key(VK_RETURN);
      ASSERT_TRUE(
          testing_support::WaitUntil("the box to close", [&] { return !IsWindowVisible(box); }));
    }
    EXPECT_TRUE(by_hand::TypingReachesTheRequestBox(V(), std::to_wstring(++typed)));
    EXPECT_TRUE(TextsOf(S().Since(mark), "settext", "chat.input").empty());
    EXPECT_TRUE(V().PanelVisible(kHeadTitle));
  }
}

}  // namespace
}  // namespace acceptance
