// The road of a typical request, from outside: Vantor starts beside the client and announces
// itself, the user chooses the server's trigger in slot 1, types mail numbers and presses Enter
// or Send; the line reaches the room, the server answers and mails arrive, and the request is
// on the list. One vantor.exe and one aol7sim.exe serve the whole file.
#include <gtest/gtest.h>

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
      [&] { return S().State().mails.size() == mailsBefore + 4; }, 5000));
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
  ASSERT_TRUE(testing_support::WaitUntil([&] { return S().SaidSince(mark).size() >= 2; }));
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

}  // namespace
}  // namespace acceptance
