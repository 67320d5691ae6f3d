// Request sending against the simulated client: the line typed into the room, the items
// recorded in the request list, and the refusals.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/journal.h"
#include "tests/support/vantor_fixture.h"
#include "tests/support/wait.h"

namespace {

using testing_support::Expected;
using testing_support::Lines;
using testing_support::MsgBoxEntry;
using Items = std::vector<std::wstring>;
using Messages = std::vector<std::wstring>;

const std::wstring kNoTrigger = MsgBoxEntry(48, L"No trigger detected.");
const std::wstring kFillIn = MsgBoxEntry(48, L"Fill in request #(s)");

class RequestSending : public testing_support::VantorWithSim {
 protected:
  static ui::reqlist& store() { return ui::App().reqlist; }
  static Items ListItems() {
    if (!store().IsLoaded()) return {};
    Items out;
    for (int i = 0; i < store().Count(); ++i) out.push_back(store().List1.List(i));
    return out;
  }
  size_t IconPresses() const {
    const auto presses = Presses();
    return std::count(presses.begin(), presses.end(), "chat.icon6");
  }
};

TEST_F(RequestSending, TypicalRequestFromSlotToMailbox) {
  const size_t mailsBefore = client->Mails().size();
  ChooseTrigger(1, L"vault");
  head().Text1.SetText(L"1, 3-5");
  effects.Clear();
  PressEnterInRequestBox();

  EXPECT_JOURNAL(Journal(),
                 {Expected{"settext", "chat.input", "/vault Send 1, 3-5"},
                  Expected{"press", "chat.icon6", "LBUTTONDOWN+KEYUP(SPACE)"}},
                 {"settext", "press"});
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  EXPECT_EQ(ListItems(), Items{L"vault:   1, 3-5"});
  EXPECT_EQ(store().Label2.Caption(), L"Number of requests: 1");
  EXPECT_FALSE(store().IsVisible());
  // The box keeps what the user typed, with no carriage return added; the button is at rest.
  EXPECT_EQ(head().Text1.Text(), L"1, 3-5");
  EXPECT_EQ(head().Label6.ForeColor(), ui::kRestColor);

  // The server in the room answers by mailing the four mails.
  EXPECT_TRUE(
      testing_support::WaitUntil([&] { return client->Mails().size() >= mailsBefore + 4; }, 10000))
      << "mails in the mailbox: " << client->Mails().size();
}

TEST_F(RequestSending, LinesItemsAndRefusals) {
  using Choices = std::vector<std::pair<int, std::wstring>>;
  struct Case {
    const char* name;
    Choices choose;  // slots defined in this order; the last one is the chosen trigger
    const wchar_t* text;
    Lines lines;
    Items items;
    Messages messages;
    std::function<void()> after = nullptr;  // more set-up after choosing
  };
  const Choices abc = {{1, L"abc"}};
  const Case cases[] = {
      {"untouched box", abc, L"#, #-# : Mail Note", {}, {}, {kFillIn}},
      {"empty box", abc, L"", {}, {}, {kFillIn}},
      {"pattern inside", abc, L"1, #, #-#", {}, {}, {kFillIn}},
      {"no trigger before the empty box", {}, L"", {}, {}, {kNoTrigger}},
      {"no trigger", {}, L"1", {}, {}, {kNoTrigger}},
      {"blanks only", abc, L"   ", {"/abc Send    "}, {L"abc:      "}, {}},
      {"leading colon", abc, L": a note", {"/abc Send "}, {L"abc:   : a note"}, {}},
      {"note", abc, L"1-3 : for me", {"/abc Send 1-3 "}, {L"abc:   1-3 : for me"}, {}},
      {"only the first colon splits",
       abc,
       L"1-3 : note: more",
       {"/abc Send 1-3 "},
       {L"abc:   1-3 : note: more"},
       {}},
      {"ANSI bytes",
       abc,
       L"4 \u00e9\u0161",
       {"/abc Send 4 \xE9\x9A"},
       {L"abc:   4 \u00e9\u0161"},
       {}},
      {"same trigger twice",
       {{2, L"abc"}, {1, L"abc"}},
       L"5",
       {"/abc Send 5"},
       {L"abc:   5", L"abc:   5"},
       {}},
      {"same trigger twice with a note",
       {{2, L"abc"}, {1, L"abc"}},
       L"5 : x",
       {"/abc Send 5 "},
       {L"abc:   5 : x"},
       {}},
      {"a caption inside the prefix",
       {{2, L"e"}, {1, L"abc"}},
       L"7",
       {"/abc Send 7"},
       {L"abc:   7", L"e:   7"},
       {}},
      {"a caption inside the prefix with a note: lower slot",
       {{1, L"e"}, {3, L"abc"}},
       L"7 : n",
       {"/abc Send 7 "},
       {L"e:   7 : n"},
       {}},
      {"a placeholder as trigger",
       {{2, L"Trigger 2"}},
       L"9",
       {"/Trigger 2 Send 9"},
       {L"Trigger 2:   9"},
       {}},
      {"chosen trigger no longer shown",
       abc,
       L"5",
       {"/abc Send 5"},
       {},
       {},
       [this] {
         ClickSlot(2);  // prompt cancelled: nothing lit
         ui::App().menu.clrt1_Click();
       }},
      {"chosen trigger no longer shown, with a note",
       abc,
       L"5 : note",
       {"/abc Send 5 : note"},
       {},
       {},
       [this] {
         ClickSlot(2);
         ui::App().menu.clrt1_Click();
       }},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FreshPanels();
    for (const auto& [slot, trigger] : c.choose) ChooseTrigger(slot, trigger);
    if (c.after) c.after();
    head().Text1.SetText(c.text);
    client->ClearJournal();
    effects.Clear();

    head().Label6_Click();
    Settle();

    EXPECT_EQ(effects.Sounds(), std::vector<std::wstring>{L"press"});
    EXPECT_EQ(effects.Messages(), c.messages);
    EXPECT_EQ(RoomLines(), c.lines);
    EXPECT_EQ(IconPresses(), c.lines.size());
    EXPECT_EQ(ListItems(), c.items);
    if (!c.items.empty()) {
      EXPECT_EQ(store().Label2.Caption(),
                L"Number of requests: " + std::to_wstring(c.items.size()));
    }
    EXPECT_EQ(head().Text1.Text(), c.text);
  }
}

TEST_F(RequestSending, WithNoChatRoomTheRequestIsRecordedButNotTyped) {
  RestartSim({.chatRoom = false, .serverDelayMs = 50});
  ChooseTrigger(1, L"vault");
  head().Text1.SetText(L"2");
  effects.Clear();
  head().Label6_Click();
  Settle();
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  EXPECT_TRUE(RoomLines().empty());
  EXPECT_TRUE(Presses().empty());
  EXPECT_EQ(ListItems(), Items{L"vault:   2"});
}

TEST_F(RequestSending, EnterLightsTheButtonWhileHeldAndOtherKeysTypeNormally) {
  ChooseTrigger(1, L"vault");
  head().Text1.SetText(L"");
  const HWND box = head().Text1.hwnd();

  // Any other key is typed into the box and sends nothing.
  SendMessageW(box, WM_KEYDOWN, 'A', 0x001E0001);
  EXPECT_EQ(head().Label6.ForeColor(), ui::kRestColor);
  SendMessageW(box, WM_CHAR, L'7', 0x00080001);
  SendMessageW(box, WM_KEYUP, 'A', 0xC01E0001);
  EXPECT_EQ(head().Text1.Text(), L"7");
  EXPECT_TRUE(RoomLines().empty());

  SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  EXPECT_EQ(head().Label6.ForeColor(), ui::kPressedColor);
  SendMessageW(box, WM_CHAR, L'\r', 0x001C0001);
  EXPECT_EQ(head().Label6.ForeColor(), ui::kRestColor);
  EXPECT_EQ(RoomLines(), Lines{"/vault Send 7"});
  SendMessageW(box, WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_EQ(head().Label6.ForeColor(), ui::kRestColor);
  EXPECT_EQ(head().Text1.Text(), L"7");

  // A refused Enter still swallows the key and leaves the button at rest.
  head().Text1.SetText(L"");
  effects.Clear();
  PressEnterInRequestBox();
  EXPECT_EQ(effects.Messages(), Messages{kFillIn});
  EXPECT_EQ(head().Text1.Text(), L"");
  EXPECT_EQ(head().Label6.ForeColor(), ui::kRestColor);
  EXPECT_EQ(RoomLines(), Lines{"/vault Send 7"});
}

}  // namespace
