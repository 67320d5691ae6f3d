// The request-list panel, from outside: View List shows the requests of this run in the order
// sent with their count; Remove takes the selected one, Clear List all of them; the view toggle
// shows the list as a plain document; Return brings the main panel back.
#include <gtest/gtest.h>

#include "tests/acceptance/lines.h"
#include "tests/acceptance/shared_pair.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

using testing_support::GetText;

class RequestListPanel : public SharedPairTest<RequestListPanel> {
 public:
  static constexpr const wchar_t* kSwitches = L"--no-server";

 protected:
  void SetUp() override {
    ASSERT_TRUE(pair->ok) << pair->failure;
    ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  }
  void TearDown() override {
    if (V().PanelVisible(kListTitle)) V().Click(kListTitle, L"Return");
  }

  static HWND List() { return V().Control(kListTitle, nullptr, L"ListBox"); }
  static HWND Document() { return V().Control(kListTitle, nullptr, L"Edit"); }
  static HWND Toggle() { return V().ControlAt(kListTitle, 2880, 2880); }

  // Empties the list (the panel may be hidden: its labels still take clicks), then sends one
  // request for each text, and opens the panel.
  static void SendThenView(const std::vector<std::wstring>& requests) {
    V().Click(kListTitle, L"Clear List");
    for (const std::wstring& r : requests) {
      V().TypeRequest(r);
      V().Click(kHeadTitle, L"Send");
    }
    V().Click(kHeadTitle, L"View List");
  }
  static void Select(int index) { SendMessageW(List(), LB_SETCURSEL, index, 0); }
};

TEST_F(RequestListPanel, ViewListShowsTheRequestsInTheOrderSentInPlaceOfTheMainPanel) {
  SendThenView({L"3", L"1", L"2 : mine"});
  EXPECT_TRUE(V().WaitPanelAlone(kListTitle));
  EXPECT_EQ(V().RequestList(),
            (std::vector<std::wstring>{L"vault:   3", L"vault:   1", L"vault:   2 : mine"}));
  EXPECT_EQ(V().CountLabel(), L"Number of requests: 3");
  ASSERT_TRUE(V().Click(kListTitle, L"Return"));
  EXPECT_TRUE(V().PanelVisible(kHeadTitle));
  EXPECT_FALSE(V().PanelVisible(kListTitle));
  // The main panel comes back as it was left.
  EXPECT_EQ(GetText(V().RequestBox()), L"2 : mine");
}

TEST_F(RequestListPanel, RemoveTakesTheSelectedRequestOnly) {
  SendThenView({L"1", L"2", L"3"});
  Select(1);
  ASSERT_TRUE(V().Click(kListTitle, L"Remove"));
  EXPECT_EQ(V().RequestList(), (std::vector<std::wstring>{L"vault:   1", L"vault:   3"}));
  EXPECT_EQ(V().CountLabel(), L"Number of requests: 2");
  // Nothing selected: nothing removed, no message.
  Select(-1);
  ASSERT_TRUE(V().Click(kListTitle, L"Remove"));
  EXPECT_FALSE(V().WaitDialog(200));
  EXPECT_EQ(V().RequestList().size(), 2u);
  EXPECT_EQ(V().CountLabel(), L"Number of requests: 2");
}

TEST_F(RequestListPanel, TheDocumentViewIsASnapshotOfTheList) {
  SendThenView({L"1", L"2"});
  ASSERT_EQ(GetText(Toggle()), L"View List As Document");
  ASSERT_TRUE(V().Click(Toggle()));
  EXPECT_EQ(GetText(Toggle()), L"View List In Listbox");
  EXPECT_TRUE(IsWindowVisible(Document()));
  EXPECT_FALSE(IsWindowVisible(List()));
  EXPECT_EQ(GetText(Document()), L"vault:   1\r\nvault:   2\r\n");
  // Remove acts on the hidden list; the document keeps its text until it is built again.
  Select(0);
  ASSERT_TRUE(V().Click(kListTitle, L"Remove"));
  EXPECT_EQ(V().CountLabel(), L"Number of requests: 1");
  EXPECT_EQ(GetText(Document()), L"vault:   1\r\nvault:   2\r\n");
  ASSERT_TRUE(V().Click(Toggle()));
  EXPECT_EQ(GetText(Toggle()), L"View List As Document");
  EXPECT_TRUE(IsWindowVisible(List()));
  ASSERT_TRUE(V().Click(Toggle()));
  EXPECT_EQ(GetText(Document()), L"vault:   2\r\n");
  ASSERT_TRUE(V().Click(Toggle()));  // back to the list for the next test
}

TEST_F(RequestListPanel, ClearListEmptiesTheListAndTheDocument) {
  SendThenView({L"1", L"2"});
  ASSERT_TRUE(V().Click(Toggle()));
  ASSERT_FALSE(GetText(Document()).empty());
  ASSERT_TRUE(V().Click(kListTitle, L"Clear List"));
  EXPECT_TRUE(V().RequestList().empty());
  EXPECT_EQ(V().CountLabel(), L"Number of requests: 0");
  EXPECT_EQ(GetText(Document()), L"");
  // The view stays as it was.
  EXPECT_EQ(GetText(Toggle()), L"View List In Listbox");
  ASSERT_TRUE(V().Click(Toggle()));
}

}  // namespace
}  // namespace acceptance
