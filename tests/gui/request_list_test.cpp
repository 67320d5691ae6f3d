// The request-list panel: View List and its banner, Remove, Clear List, the document view and
// Return, with the panels' switching, their sounds, and clicks handled during the toggle's pause.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "aol/ansi.h"
#include "aol/skarnel_aol7.h"
#include "core/banner_lines.h"
#include "tests/support/drag_catcher.h"
#include "tests/support/outside.h"
#include "tests/support/vantor_fixture.h"
#include "tests/support/wait.h"
#include "ui/app.h"

namespace {

using testing_support::Delivery;
using testing_support::Lines;
using Items = std::vector<std::wstring>;

enum class View { List, Document };

class RequestList : public testing_support::VantorWithSim {
 protected:
  static ui::reqlist& panel() { return ui::App().reqlist; }

  // Puts the list in a known state: these items, nothing selected, the view given, journal and
  // effects empty. The count text is left as the writers set it.
  void Prepare(const Items& items, View view = View::List) {
    panel().Label4_Click();
    for (const auto& item : items) panel().Append(item);
    panel().SetCountText();
    if (view == View::Document && panel().Label6.Caption() == ui::reqlist::kToDocument)
      panel().Label6_Click();
    if (view == View::List && panel().Label6.Caption() != ui::reqlist::kToDocument)
      panel().Label6_Click();
    client->ClearJournal();
    effects.Clear();
  }

  static Items ListItems() {
    Items out;
    for (int i = 0; i < panel().List1.ListCount(); ++i) out.push_back(panel().List1.List(i));
    return out;
  }
  static std::wstring Document() { return panel().Text1.Text(); }
  static std::wstring CountText() { return panel().Label2.Caption(); }
  static View ShownView() {
    const bool list = panel().List1.Visible(), text = panel().Text1.Visible();
    EXPECT_NE(list, text) << "exactly one of the list and the document is shown";
    return list ? View::List : View::Document;
  }
  static void ExpectView(View view) {
    EXPECT_EQ(ShownView(), view);
    EXPECT_EQ(panel().Label6.Caption(),
              view == View::List ? ui::reqlist::kToDocument : ui::reqlist::kToListbox);
  }
  static Lines ViewListBanner(int count) {
    return {aol::ToAnsi(core::SignatureLine()), aol::ToAnsi(core::CountLine(count)),
            aol::ToAnsi(core::LinkLine())};
  }
};

// At its first use the panel shows the empty list; the document lies hidden over it and only
// reads, since edits there would never reach the list.
TEST_F(RequestList, StartsInTheListViewWithAReadOnlyDocument) {
  ExpectView(View::List);
  EXPECT_EQ(CountText(), L"Number of requests: 0");
  EXPECT_EQ(Document(), L"");
  EXPECT_NE(GetWindowLongW(panel().Text1.hwnd(), GWL_STYLE) & ES_READONLY, 0);
  RECT client{};
  GetClientRect(panel().hwnd(), &client);
  EXPECT_EQ(client.right, 6465 / 15);
  EXPECT_EQ(client.bottom, 3225 / 15);
  for (const ui::Label* button :
       {&panel().Label3, &panel().Label4, &panel().Label6, &panel().Label5}) {
    EXPECT_EQ(button->ForeColor(), ui::kRestColor);
    EXPECT_TRUE(button->Visible());
  }
}

TEST_F(RequestList, ViewListAnnouncesTheCountOfThatMomentInEitherView) {
  struct Case {
    const char* name;
    bool fromMenu;
    View view;
    Items items;
  };
  const Case cases[] = {
      {"main panel, empty list", false, View::List, {}},
      {"main panel, document view", false, View::Document, {L"vault:   1", L"vault:   2-4"}},
      {"menu, three items", true, View::List, {L"a:   1", L"b:   2", L"a:   1"}},
      {"menu, document view, empty", true, View::Document, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.items, c.view);
    if (c.items.size() > 1) panel().List1.SetListIndex(1);
    c.fromMenu ? ui::App().menu.rqlist_Click() : head().Label14_Click();

    EXPECT_TRUE(panel().IsVisible());
    EXPECT_FALSE(head().IsVisible());
    EXPECT_EQ(RoomLines(), ViewListBanner(static_cast<int>(c.items.size())));
    EXPECT_EQ(effects.Sounds(), std::vector<std::wstring>{L"popup"});
    EXPECT_TRUE(effects.Messages().empty());
    // The panel comes back as it was left: view, items, selection.
    ExpectView(c.view);
    EXPECT_EQ(ListItems(), c.items);
    EXPECT_EQ(panel().List1.ListIndex(), c.items.size() > 1 ? 1 : -1);

    panel().Label5_Click();  // Return
    EXPECT_FALSE(panel().IsVisible());
    EXPECT_TRUE(head().IsVisible());
    EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"popup", L"popup"}));
  }
}

TEST_F(RequestList, ViewListWithoutARoomOpensThePanelQuietly) {
  RestartSim({.chatRoom = false});
  Prepare({L"vault:   1"});
  head().Label14_Click();
  Settle();
  EXPECT_TRUE(panel().IsVisible());
  EXPECT_FALSE(head().IsVisible());
  EXPECT_TRUE(RoomLines().empty());
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:popup"});
}

// Panel switches play their sound once the new panel is up; the panel's own buttons click first.
TEST_F(RequestList, SoundsComeAfterASwitchAndBeforeAnythingElse) {
  Prepare({L"a:   1", L"b:   2"});
  std::vector<std::wstring> heard;
  skarnel_aol7::SetSoundObserver([&](std::wstring_view path) {
    const std::wstring name(path.substr(path.find_last_of(L'\\') + 1));
    heard.push_back(name + (panel().IsVisible() ? L" list-shown" : L" list-hidden") +
                    (head().IsVisible() ? L" head-shown" : L" head-hidden") + L" items=" +
                    std::to_wstring(panel().List1.ListCount()) + L" " + panel().Label6.Caption());
  });
  head().Label14_Click();
  panel().List1.SetListIndex(0);
  panel().Label3_Click();
  panel().Label6_Click();
  panel().Label4_Click();
  panel().Label5_Click();
  EXPECT_EQ(heard, (std::vector<std::wstring>{
                       L"popup.wav list-shown head-hidden items=2 View List As Document",
                       L"press.wav list-shown head-hidden items=2 View List As Document",
                       L"press.wav list-shown head-hidden items=1 View List As Document",
                       L"press.wav list-shown head-hidden items=1 View List In Listbox",
                       L"popup.wav list-hidden head-shown items=0 View List In Listbox",
                   }));
}

TEST_F(RequestList, RemoveTakesTheSelectedItemOrNothing) {
  struct Case {
    const char* name;
    int selected;
    Items after;
  };
  const Case cases[] = {
      {"nothing selected", -1, {L"a:   1", L"b:   2", L"a:   1"}},
      {"first", 0, {L"b:   2", L"a:   1"}},
      {"a repeat keeps its twin", 2, {L"a:   1", L"b:   2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare({});
    // The writers' count text lags on purpose: Remove must set it from the list.
    for (const auto* item : {L"a:   1", L"b:   2", L"a:   1"}) panel().Append(item);
    panel().List1.SetListIndex(c.selected);
    panel().Label3_Click();
    EXPECT_EQ(ListItems(), c.after);
    EXPECT_EQ(CountText(), L"Number of requests: " + std::to_wstring(c.after.size()));
    EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
    effects.Clear();
  }
}

TEST_F(RequestList, RemoveInTheDocumentViewLeavesTheDocumentUntilItIsRebuilt) {
  Prepare({L"a:   1", L"b:   2", L"c:   3"});
  panel().List1.SetListIndex(1);  // chosen in the list, before the switch
  panel().Label6_Click();
  ASSERT_EQ(Document(), L"a:   1\r\nb:   2\r\nc:   3\r\n");

  panel().Label3_Click();
  EXPECT_EQ(ListItems(), (Items{L"a:   1", L"c:   3"}));
  EXPECT_EQ(CountText(), L"Number of requests: 2");
  EXPECT_EQ(Document(), L"a:   1\r\nb:   2\r\nc:   3\r\n");
  ExpectView(View::Document);

  panel().Label6_Click();
  panel().Label6_Click();
  EXPECT_EQ(Document(), L"a:   1\r\nc:   3\r\n");
}

TEST_F(RequestList, ClearListEmptiesListCountAndDocumentInEitherView) {
  for (const View view : {View::List, View::Document}) {
    SCOPED_TRACE(view == View::List ? "list view" : "document view");
    Prepare({L"a:   1", L"b:   2"}, view);
    panel().Label4_Click();
    EXPECT_EQ(ListItems(), Items{});
    EXPECT_EQ(Document(), L"");
    EXPECT_EQ(CountText(), L"Number of requests: 0");
    ExpectView(view);
    EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  }
}

TEST_F(RequestList, ToggleBuildsTheDocumentAfterHalfASecondAndKeepsItOnTheWayBack) {
  struct Case {
    const char* name;
    Items items;
    std::wstring document;
    bool wide = false;  // an item wider than the list and the document
  };
  const std::wstring longItem = L"vault:   " + std::wstring(291, L'7');
  const Case cases[] = {
      {"empty", {}, L""},
      {"one item", {L"vault:   1"}, L"vault:   1\r\n"},
      {"send order, repeats kept",
       {L"z:   9", L"a:   1", L"z:   9"},
       L"z:   9\r\na:   1\r\nz:   9\r\n"},
      {"a 300-character item", {longItem, L"a:   1"}, longItem + L"\r\na:   1\r\n", true},
  };
  const HWND list = panel().List1.hwnd();
  // The widest item in the list's own font.
  const auto widest = [&] {
    HDC dc = GetDC(list);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE size{}, most{};
    for (const auto& item : ListItems())
      if (GetTextExtentPoint32W(dc, item.c_str(), int(item.size()), &size))
        most.cx = std::max(most.cx, size.cx);
    ReleaseDC(list, dc);
    return most.cx;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.items);
    panel().Text1.SetText(L"stale");
    const ULONGLONG start = GetTickCount64();
    panel().Label6_Click();
    EXPECT_GE(GetTickCount64() - start, 500u);
    ExpectView(View::Document);
    EXPECT_EQ(Document(), c.document);
    // Every line can be read: the document wraps what is wider than itself.
    const auto shownLines = SendMessageW(panel().Text1.hwnd(), EM_GETLINECOUNT, 0, 0);
    EXPECT_EQ(shownLines > static_cast<LRESULT>(c.items.size()) + 1, c.wide) << shownLines;

    // Back to the list: at once, and the document keeps its text.
    panel().Label6_Click();
    ExpectView(View::List);
    EXPECT_EQ(Document(), c.document);
    EXPECT_EQ(ListItems(), c.items);
    // The list scrolls sideways to its widest item and shows whole rows, with the bar or not.
    RECT inside{};
    GetClientRect(list, &inside);
    const auto extent = SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
    EXPECT_GE(extent, widest());
    EXPECT_EQ(extent > inside.right, c.wide);
    EXPECT_EQ(inside.bottom % SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 0) << inside.bottom;
    EXPECT_EQ(effects.Sounds(), (std::vector<std::wstring>{L"press", L"press"}));
  }
}

TEST_F(RequestList, AnItemAddedAfterTheDocumentWasBuiltShowsOnlyAfterASwitch) {
  Prepare({L"a:   1"}, View::Document);
  panel().Append(L"b:   2");
  panel().SetCountText();
  EXPECT_EQ(Document(), L"a:   1\r\n");
  panel().Label6_Click();
  panel().Label6_Click();
  EXPECT_EQ(Document(), L"a:   1\r\nb:   2\r\n");
}

// Clicks posted before the toggle are handled during its pause, before the document is built.
TEST_F(RequestList, ClicksDuringTheTogglesPauseShowInTheDocument) {
  Prepare({L"a:   1", L"b:   2", L"c:   3"});
  panel().List1.SetListIndex(0);
  testing_support::ClickLabel(panel().Label3.hwnd(), Delivery::Post);  // Remove
  panel().Label6_Click();
  EXPECT_EQ(Document(), L"b:   2\r\nc:   3\r\n");
  EXPECT_EQ(CountText(), L"Number of requests: 2");

  Prepare({L"a:   1", L"b:   2"});
  testing_support::ClickLabel(panel().Label4.hwnd(), Delivery::Post);  // Clear List
  panel().Label6_Click();
  EXPECT_EQ(Document(), L"");
  ExpectView(View::Document);

  // A request sent from the main panel in that half second is in the document too.
  ChooseTrigger(1, L"vault");
  Prepare({L"a:   1"});
  head().Text1.SetText(L"7");
  testing_support::ClickLabel(head().Label6.hwnd(), Delivery::Post);  // Send
  panel().Label6_Click();
  ASSERT_EQ(panel().List1.ListCount(), 2);
  EXPECT_EQ(Document(), L"a:   1\r\n" + panel().List1.List(1) + L"\r\n");
  EXPECT_EQ(RoomLines(), Lines{"/vault Send 7"});
}

// The top strip (Label1) and the count (Label2) drag the panel, with any mouse button.
TEST_F(RequestList, BothTopStripsDragThePanelWithAnyButton) {
  panel().Show();
  testing_support::DragCatcher drags(panel().hwnd());
  ASSERT_TRUE(drags.Watching());

  struct Press {
    UINT down, up;
    WPARAM held;
  };
  const Press presses[] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON},
                           {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
                           {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON}};
  int expected = 0;
  for (ui::Label* strip : {&panel().Label1, &panel().Label2}) {
    for (const auto& p : presses) {
      SendMessageW(strip->hwnd(), p.down, p.held, MAKELPARAM(2, 2));
      SendMessageW(strip->hwnd(), p.up, 0, MAKELPARAM(2, 2));
      EXPECT_EQ(drags.Grabs(), ++expected);
    }
  }
  EXPECT_TRUE(effects.Sounds().empty());
  EXPECT_EQ(panel().Label1.ForeColor(), ui::kRestColor);
}

}  // namespace
