// The road of a typical request, from outside: Vantor starts beside the client and announces
// itself, the user chooses the server's trigger in slot 1, types mail numbers and presses Enter
// or Send; the line reaches the room, the server answers and mails arrive, and the request is
// on the list. One vantor.exe and one aol7sim.exe serve the whole file.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/acceptance/by_hand.h"
#include "tests/acceptance/lines.h"
#include "tests/acceptance/refusals.h"
#include "tests/acceptance/shared_pair.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

class RequestRoad : public SharedPairTest<RequestRoad> {
 public:
  static constexpr const wchar_t* kSwitches = L"--server-delay 50";
};

TEST_F(RequestRoad, StartAnnouncesVantorAndMaximisesTheClient) {
  EXPECT_EQ(Kinds(S().SaidByMember()), (Lines{"signature", "link"}));
  EXPECT_TRUE(IsZoomed(S().Main()));
  // Nothing but the main panel is shown after the splash.
  EXPECT_FALSE(V().PanelVisible(kSplashTitle));
  EXPECT_FALSE(V().PanelVisible(kListTitle));
}

TEST_F(RequestRoad, EnterSendsTheRequestTheServerAnswersAndTheListRecordsIt) {
  ASSERT_TRUE(V().ChooseTrigger(1, L"vault"));
  EXPECT_NE(store::Read().value_or("").find("trig1=vault"), std::string::npos);
  const size_t mailsBefore = S().State().mails.size();
  const size_t mark = S().Mark();

  V().TypeRequest(L"1, 3-5");
  V().PressEnter();

  ASSERT_TRUE(S().WaitForLine("VaultServer: Sending 4 mails to Member"));
  EXPECT_EQ(TextsOf(S().Since(mark), "settext", "chat.input"), (Lines{"/vault Send 1, 3-5"}));
  EXPECT_EQ(TextsOf(S().Since(mark), "press", "chat.icon6").size(), 1u);
  EXPECT_TRUE(testing_support::WaitUntil(
      "the four mails to arrive", [&] { return S().State().mails.size() == mailsBefore + 4; },
      [&] { return std::to_string(S().State().mails.size() - mailsBefore) + " arrived"; }));
  // The box keeps what was typed; the list, still hidden, holds the request and its count.
  EXPECT_EQ(V().Caption(V().RequestBox()), L"1, 3-5");
  EXPECT_FALSE(V().PanelVisible(kListTitle));
  ASSERT_FALSE(V().RequestList().empty());
  EXPECT_EQ(V().RequestList().back(), L"vault:   1, 3-5");
  EXPECT_EQ(V().CountLabel(), L"Number of requests: " + std::to_wstring(V().RequestList().size()));
}

TEST_F(RequestRoad, SendButtonTypesTheNumbersAndListsTheNote) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  const size_t items = V().RequestList().size();
  const size_t mark = S().Mark();
  V().TypeRequest(L"7-8 : for me");
  V().Click(kHeadTitle, L"Send");
  ASSERT_TRUE(S().WaitForLine("Member: /vault Send 7-8 "));
  EXPECT_EQ(TextsOf(S().Since(mark), "settext", "chat.input"), (Lines{"/vault Send 7-8 "}));
  ASSERT_EQ(V().RequestList().size(), items + 1);
  EXPECT_EQ(V().RequestList().back(), L"vault:   7-8 : for me");
}

TEST_F(RequestRoad, TheSameRequestTwiceIsListedTwice) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  const size_t items = V().RequestList().size();
  const size_t mark = S().Mark();
  V().TypeRequest(L"9");
  V().Click(kHeadTitle, L"Send");
  V().Click(kHeadTitle, L"Send");
  ASSERT_TRUE(testing_support::WaitUntil(
      "two lines said", [&] { return S().SaidSince(mark).size() >= 2; },
      [&] { return testing_support::Shown(S().SaidSince(mark)); }));
  const auto list = V().RequestList();
  ASSERT_EQ(list.size(), items + 2);
  EXPECT_EQ(list[items], L"vault:   9");
  EXPECT_EQ(list[items + 1], L"vault:   9");
  EXPECT_EQ(V().CountLabel(), L"Number of requests: " + std::to_wstring(items + 2));
}

TEST_F(RequestRoad, UnfilledRequestsAreRefusedAndNothingIsSent) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  EXPECT_REFUSED(V(), &S(), Action::Enter,
                 {
                     {L"#, #-# : Mail Note", L"(icon) Fill in request #(s)"},
                     {L"", L"(icon) Fill in request #(s)"},
                     {L"4, #, #-#", L"(icon) Fill in request #(s)"},
                 });
}

TEST_F(RequestRoad, WithoutAChosenTriggerNothingIsSent) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  // Clearing the lit slot takes the trigger back.
  ASSERT_TRUE(V().ChooseMenu(MenuItem::ClearTrigger1));
  EXPECT_EQ(V().Caption(V().Slot(1)), L"Trigger 1");
  EXPECT_REFUSED(V(), &S(), Action::Enter, {{L"1", L"(icon) No trigger detected."}});
}

// The road in a user's hands, on a Vantor of its own so that its first Send is the run's first:
// that Send loads the hidden request list, and the keyboard must stay with the request box.
class ByHand : public SharedPairTest<ByHand> {
 public:
  static constexpr const wchar_t* kSwitches = L"--server-delay 50";
};

using by_hand::Retype;
using by_hand::TypingReachesTheRequestBox;
namespace hands = testing_support::hands;

TEST_F(ByHand, RequestAfterRequestIsTypedWithoutClickingTheBoxAgain) {
  const size_t items = V().RequestList().size();
  hands::Click(V().RequestBox());
  // An empty slot asks for its trigger; the prompt has the keyboard while it is open and gives
  // it back to the request box when it closes.
  hands::Click(V().Slot(2));
  const auto prompt = V().WaitDialog();
  ASSERT_TRUE(prompt);
  hands::Type(L"vault");
  hands::Key(VK_RETURN);
  ASSERT_TRUE(testing_support::WaitUntil(
      "slot 2 to show the trigger typed", [&] { return V().Caption(V().Slot(2)) == L"vault"; },
      [&] { return testing_support::Shown(V().Caption(V().Slot(2))); }));
  for (const wchar_t* numbers : {L"7", L"8", L"9"}) {
    ASSERT_TRUE(by_hand::KeyboardInRequestBox(V()));
    Retype(numbers);
    hands::Key(VK_RETURN);
    ASSERT_TRUE(S().WaitForLine("Member: /vault Send " + Ansi(numbers)))
        << by_hand::KeyboardOf(V());
  }
  const auto list = V().RequestList();
  ASSERT_EQ(list.size(), items + 3);
  EXPECT_EQ(list.back(), L"vault:   9");
}

TEST_F(ByHand, ADoubleClickOnSendAsksOnce) {
  ASSERT_TRUE(V().UseTrigger(2, L"vault"));
  hands::Click(V().RequestBox());
  ASSERT_TRUE(TypingReachesTheRequestBox(V(), L"5"));
  const size_t items = V().RequestList().size();
  const size_t mark = S().Mark();
  hands::DoubleClick(V().Control(kHeadTitle, L"Send"));
  ASSERT_TRUE(S().WaitForLine("Member: /vault Send 5"));
  ASSERT_TRUE(TypingReachesTheRequestBox(V(), L"6"));  // both presses have been handled
  EXPECT_EQ(TextsOf(S().Since(mark), "settext", "chat.input"), Lines{"/vault Send 5"});
  EXPECT_EQ(V().RequestList().size(), items + 1);
}

TEST_F(ByHand, NoClickOnThePanelActsWhileABoxOrThePromptIsOpen) {
  ASSERT_TRUE(V().UseTrigger(2, L"vault"));
  const size_t items = V().RequestList().size();
  hands::Click(V().RequestBox());
  // A refused request's box, then an empty slot's prompt; clicks on every part of the panel
  // behind them, then the box's own key closes it.
  struct Case {
    const char* name;
    std::function<void()> open;
    WORD closeKey;
    const wchar_t* afterClose;  // the box that follows closing, if any
  };
  const Case cases[] = {
      {"refused request's box",
       [] {
         Retype(L"4, #, #-#");
         hands::Key(VK_RETURN);
       },
       VK_RETURN, nullptr},
      {"slot prompt", [] { hands::Click(V().Slot(3)); }, VK_ESCAPE,
       L"Trigger incorrect or not found!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.open();
    const auto box = V().WaitDialog();
    ASSERT_TRUE(box);
    const size_t mark = S().Mark();
    for (const wchar_t* caption : {L"Server?", L"Send", L"List", L"View List", L"Trigger 4"})
      hands::Click(V().Control(kHeadTitle, caption));
    hands::Key(c.closeKey);
    ASSERT_TRUE(testing_support::WaitUntil(
        "the box to close", [&] { return !IsWindowVisible(box); },
        [&] { return testing_support::Shown(box); }));
    if (c.afterClose) {
      const auto next = V().WaitDialog();
      ASSERT_TRUE(next);
      EXPECT_EQ(testing_support::DialogText(next), c.afterClose);
      hands::Key(VK_RETURN);
      ASSERT_TRUE(testing_support::WaitUntil("the message to close",
                                             [&] { return !IsWindowVisible(next); }));
    }
    ASSERT_TRUE(TypingReachesTheRequestBox(V(), L"4"));  // every click before has been handled
    EXPECT_FALSE(V().WaitDialog(0));
    EXPECT_JOURNAL(S().Since(mark), {});
    EXPECT_EQ(V().RequestList().size(), items);
    EXPECT_EQ(V().Caption(V().Slot(4)), L"Trigger 4");
    EXPECT_TRUE(V().PanelVisible(kHeadTitle));
  }
}

TEST_F(ByHand, TypingGoesOnAfterTheListTheDlToolAndRollingUp) {
  hands::Click(V().RequestBox());
  const auto clickAndWait = [](std::wstring_view panel, const wchar_t* caption,
                               std::wstring_view shows) {
    hands::Click(V().Control(panel, caption));
    return V().WaitPanelVisible(shows, 15000);
  };
  const auto glyphChanges = [] {
    const HWND toggle = V().RollUp();
    const std::wstring before = V().Caption(toggle);
    hands::Click(toggle);
    const auto turned = testing_support::WaitUntil(
        "the roll-up toggle to turn", [&] { return V().Caption(toggle) != before; },
        [&] { return by_hand::KeyboardOf(V()); });
    EXPECT_TRUE(turned);
    return turned;
  };
  struct Step {
    const char* name;
    std::function<bool()> go;
    const wchar_t* typed;
  };
  const Step steps[] = {
      {"View List and Return",
       [&] {
         return clickAndWait(kHeadTitle, L"View List", kListTitle) &&
                clickAndWait(kListTitle, L"Return", kHeadTitle);
       },
       L"11"},
      {"DL Tool and Return",
       [&] {
         return clickAndWait(kHeadTitle, L"DL Tool", kDlTitle) && V().WaitDlListed(S()) &&
                clickAndWait(kDlTitle, L"Return", kHeadTitle);
       },
       L"12"},
      {"roll-up and roll-down", [&] { return glyphChanges() && glyphChanges(); }, L"13"},
      // A drag by the right button ends with its release: the pointer moved on leaves the panel
      // where it was dropped, and the next left click (Others) is a click, not the drag's end.
      {"right-button drag on the top strip",
       [&]() -> bool {
         RECT was{};
         GetWindowRect(V().Head(), &was);
         const POINT from{was.left + 60, was.top + 8};
         hands::Drag(from, {from.x + 40, from.y + 30}, MOUSEEVENTF_RIGHTDOWN);
         hands::MoveTo({from.x + 200, from.y + 300});
         const auto menu = by_hand::OpenOthers(V());
         EXPECT_TRUE(menu);
         hands::Key(VK_ESCAPE);
         RECT now{};
         const auto dropped = testing_support::WaitUntil(
             "the menu to close over the panel dropped 40,30 further",
             [&] {
               GetWindowRect(V().Head(), &now);
               return menu && !IsWindowVisible(menu) && now.left - was.left == 40 &&
                      now.top - was.top == 30;
             },
             [&] {
               return "moved " + std::to_string(now.left - was.left) + "," +
                      std::to_string(now.top - was.top);
             });
         EXPECT_TRUE(dropped);
         return dropped;
       },
       L"14"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    ASSERT_TRUE(step.go());
    EXPECT_TRUE(TypingReachesTheRequestBox(V(), step.typed));
  }
}

}  // namespace
}  // namespace acceptance
