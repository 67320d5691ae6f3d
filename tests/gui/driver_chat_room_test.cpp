// Finding the chat room and the keyword window among the client's child windows, typing into
// them, and copying a foreign list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aol/foreign_window.h"
#include "aol/skarnel_aol7.h"
#include "tests/gui/driver_fixture.h"
#include "tests/support/wait.h"

using namespace skarnel_aol7;
using driver_fixture::FakeClient;
using driver_fixture::NowMs;

namespace {

std::string TextOf(HWND window) {
  char buffer[512] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

}  // namespace

TEST(DriverChatRoom, NoClientMeansNothingFoundAndNothingDone) {
  EXPECT_EQ(FindChatRoom(), nullptr);
  EXPECT_EQ(FindKeywordWindow(), nullptr);
  EXPECT_EQ(FindMailbox(), nullptr);
  EXPECT_EQ(FindOpenMail(), nullptr);
  const double start = NowMs();
  SendChat(L"hello");
  OpenAolUrl(L"Lobby");
  OpenMailAt(1);
  SelectMailAt(1);
  ClickToolbarIcon();
  EXPECT_LT(NowMs() - start, 200.0);
}

TEST(DriverChatRoom, TheRoomIsTheHighestChildWithEveryPartOfARoom) {
  FakeClient client;
  client.AddMain();
  // A window with an input box but no read-only text pane is no room.
  HWND lookAlike = client.AddChild(
      "im", {"_AOL_Static", "_AOL_Combobox", "_AOL_Icon", "RICHCNTL", "_AOL_Image"});
  EXPECT_EQ(FindChatRoom(), nullptr);
  HWND keyword = client.AddKeywordWindow();
  HWND mailbox = client.AddMailbox();
  EXPECT_EQ(FindChatRoom(), nullptr);

  HWND lower = client.AddChatRoom("room2", "Lobby 2");
  HWND higher = client.AddChatRoom("room1", "Lobby 1");
  client.Run([&] { SetWindowPos(lookAlike, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); });
  EXPECT_EQ(FindChatRoom(), higher);
  client.Run([&] { SetWindowPos(lower, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); });
  EXPECT_EQ(FindChatRoom(), lower);
  // The other windows are found behind the rooms.
  EXPECT_EQ(FindKeywordWindow(), keyword);
  EXPECT_EQ(FindMailbox(), mailbox);
}

TEST(DriverChatRoom, SendChatReplacesTheTypedTextWithTheBytesAndPressesTheSixthIcon) {
  FakeClient client;
  client.AddMain();
  client.AddChatRoom();
  HWND input = client.Named("chat.input");
  client.Run([&] { SetWindowTextA(input, "half-typed words of the user"); });
  client.ClearLog();

  // The banner glyph U+0161 reaches the client as the byte 0x9A of code page 1252.
  SendChat(L"<b>\u0161 Vantor</b> loaded");

  EXPECT_EQ(TextOf(input), "<b>\x9a Vantor</b> loaded");
  std::vector<std::string> sequence;
  for (const auto& r : client.Log()) sequence.push_back(r.window + " " + Describe(r));
  EXPECT_EQ(sequence, (std::vector<std::string>{"chat.input SETTEXT:<b>\x9a Vantor</b> loaded",
                                                "chat.icon6 DOWN", "chat.icon6 KEYUP:32"}));
}

TEST(DriverChatRoom, SendChatToAHungClientReturnsWithinTheLimit) {
  FakeClient client;
  client.AddMain();
  client.AddChatRoom();
  client.Block();  // the client's thread stops answering
  const double start = NowMs();
  SendChat(L"/vault Send 1");
  const double elapsed = NowMs() - start;
  client.Unblock();
  // One bounded wait at most: once the client counts as hung, the rest gives up at once.
  EXPECT_LT(elapsed, aol::kSendTimeoutMs + 2000.0);
}

TEST(DriverChatRoom, OpenAolUrlRunsTheRoomAddressThroughTheKeywordWindow) {
  FakeClient client;
  client.AddMain();
  HWND keyword = client.AddKeywordWindow();
  client.ClearLog();

  const double start = NowMs();
  OpenAolUrl(L"Lobby 12");
  const double elapsed = NowMs() - start;

  EXPECT_EQ(client.LogOf("toolbar.icon26"), (std::vector<std::string>{"DOWN", "KEYUP:32"}));
  EXPECT_EQ(client.LogOf("keyword.3"),
            (std::vector<std::string>{"SETTEXT:aol://2719:2-2-Lobby 12"}));
  EXPECT_EQ(client.LogOf("keyword.icon1"), (std::vector<std::string>{"DOWN", "KEYUP:32"}));
  EXPECT_TRUE(client.LogOf("keyword.icon2").empty());
  // The keyword box is filled half a second after the toolbar press, the run icon 0.3 s later.
  const auto log = client.Log();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_GE(log[2].ms - log[1].ms, 500.0);
  EXPECT_GE(log[3].ms - log[2].ms, 300.0);
  EXPECT_GE(elapsed, 800.0);
  (void)keyword;
}

TEST(DriverChatRoom, CopyListItemsNumbersEachItemWithoutItsFirstNineCharacters) {
  FakeClient client;
  HWND host = client.Add("DriverListHost", nullptr, "host");
  HWND foreign = client.Add("ListBox", host, "foreign");
  HWND notAList = client.Add("DriverNotAList", nullptr, "plain");
  HWND target = CreateWindowExW(0, L"ListBox", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  auto fill = [&](const std::vector<std::string>& items) {
    client.Run([&] {
      SendMessageA(foreign, LB_RESETCONTENT, 0, 0);
      for (const auto& item : items)
        SendMessageA(foreign, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    });
  };
  auto copied = [&] {
    std::vector<std::wstring> lines;
    const int n = static_cast<int>(SendMessageW(target, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      std::wstring line(static_cast<size_t>(SendMessageW(target, LB_GETTEXTLEN, i, 0)), L'\0');
      SendMessageW(target, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
      lines.push_back(line);
    }
    SendMessageW(target, LB_RESETCONTENT, 0, 0);
    return lines;
  };
  const std::string longSubject(1000 - 9, 'm');
  struct Case {
    const char* name;
    std::vector<std::string> items;
    std::vector<std::wstring> expected;
  } cases[] = {
      {"empty", {}, {}},
      {"three in order",
       {"01/02/03 First", "01/02/04 Second", "01/02/05 Third \x9a"},
       {L"1:  First", L"2:  Second", L"3:  Third \u0161"}},
      {"nine characters or fewer", {"123456789", "12345"}, {L"1:  ", L"2:  "}},
      {"letters A to L", {"ABCDEFGHIJKL"}, {L"1:  JKL"}},
      {"read whole past 254",
       {"01/02/03 " + longSubject},
       {L"1:  " + std::wstring(longSubject.begin(), longSubject.end())}},
  };
  for (const Case& c : cases) {
    fill(c.items);
    CopyListItems(foreign, target);
    EXPECT_EQ(copied(), c.expected) << c.name;
  }
  // The target is appended to, not cleared.
  fill({"xxxxxxxxxOne"});
  CopyListItems(foreign, target);
  CopyListItems(foreign, target);
  EXPECT_EQ(copied(), (std::vector<std::wstring>{L"1:  One", L"1:  One"}));
  // A window that is not a list, or no window at all, gives nothing.
  CopyListItems(notAList, target);
  CopyListItems(nullptr, target);
  EXPECT_TRUE(copied().empty());
  DestroyWindow(target);
}

// An item the client changes between the question of its length and the read of its text is
// read whole, never written past the buffer sized for the length first told.
TEST(DriverChatRoom, CopyListItemsReadsAnItemThatGrowsWhileItIsRead) {
  FakeClient client;
  HWND host = client.Add("DriverListHost", nullptr, "host");
  HWND foreign = client.Add("ListBox", host, "foreign");
  static WNDPROC original;
  static int growths;
  static std::wstring grown;
  grown = L"07/01/02 " + std::wstring(600, L'g');
  growths = 1;
  // A Unicode subclass: an ANSI one over the program's own list box would put the platform's
  // A/W translation of LB_GETTEXT between the read and the item, which a list in the client's
  // process never has.
  client.Run([&] {
    SendMessageA(foreign, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("07/01/02 short"));
    auto refreshing = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
      if (message == LB_GETTEXTLEN && growths-- > 0) {
        CallWindowProcW(original, hwnd, LB_DELETESTRING, 0, 0);
        CallWindowProcW(original, hwnd, LB_INSERTSTRING, 0,
                        reinterpret_cast<LPARAM>(grown.c_str()));
      }
      return result;
    };
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(foreign, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+refreshing)));
  });
  HWND target = CreateWindowExW(0, L"ListBox", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  CopyListItems(foreign, target);
  ASSERT_EQ(SendMessageW(target, LB_GETCOUNT, 0, 0), 1);
  std::wstring line(static_cast<size_t>(SendMessageW(target, LB_GETTEXTLEN, 0, 0)), L'\0');
  SendMessageW(target, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line.data()));
  EXPECT_EQ(line, L"1:  " + std::wstring(600, L'g'));
  DestroyWindow(target);
}
