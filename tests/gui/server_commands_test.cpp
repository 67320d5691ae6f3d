// List, Status, Find and Server? against the simulated client: the one line each types, the
// order of their tests, and that they leave the request list, the box and the slots alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "aol/skarnel_aol7.h"
#include "tests/support/journal.h"
#include "tests/support/outside.h"
#include "tests/support/vantor_fixture.h"
#include "tests/support/wait.h"

namespace {

using testing_support::Lines;
using testing_support::MsgBoxEntry;
using Messages = std::vector<std::wstring>;

const std::wstring kNoTrigger = MsgBoxEntry(48, L"No trigger detected.");
const std::wstring kNoRoom = MsgBoxEntry(0, L"Not in a chatroom!");
const std::wstring kInvalidFind = MsgBoxEntry(48, L"No trigger detected/Invalid find.");
const std::wstring kBox = L"#, #-# : Mail Note";

enum class Command { List, Status, Find, Server };

class ServerCommands : public testing_support::VantorWithSim {
 protected:
  static void Click(Command command) {
    switch (command) {
      case Command::List:
        head().Label7_Click();
        break;
      case Command::Status:
        head().Label8_Click();
        break;
      case Command::Find:
        head().Label17_Click();
        break;
      case Command::Server:
        head().Label13_Click();
        break;
    }
  }
};

TEST_F(ServerCommands, LinesAndTheOrderOfTheirTests) {
  struct Case {
    const char* name;
    Command command;
    const wchar_t* trigger;  // nullptr: none chosen
    bool room;
    const wchar_t* text;
    Lines lines;
    Messages messages;
  };
  const Case cases[] = {
      {"list", Command::List, L"abc", true, kBox.c_str(), {"/abc Send List"}, {}},
      {"status", Command::Status, L"abc", true, kBox.c_str(), {"/abc Send Status"}, {}},
      {"list: trigger tested first", Command::List, nullptr, false, L"1", {}, {kNoTrigger}},
      {"status: trigger tested first", Command::Status, nullptr, false, L"1", {}, {kNoTrigger}},
      {"status without a room", Command::Status, L"abc", false, L"1", {}, {kNoRoom}},
      {"list without a room", Command::List, L"abc", false, L"1", {}, {kNoRoom}},
      {"server? needs no trigger", Command::Server, nullptr, true, L"", {"/server"}, {}},
      {"server? with a trigger", Command::Server, L"abc", true, L"1", {"/server"}, {}},
      {"server? without a room", Command::Server, nullptr, false, L"1", {}, {kNoRoom}},
      {"find: room tested first", Command::Find, nullptr, false, L"", {}, {kNoRoom}},
      {"find without a trigger", Command::Find, nullptr, true, L"sunset", {}, {kInvalidFind}},
      {"find with an empty box", Command::Find, L"abc", true, L"", {}, {kInvalidFind}},
      {"find", Command::Find, L"abc", true, L"xyz", {"/abc Find xyz"}, {}},
      {"find sends the untouched box",
       Command::Find,
       L"abc",
       true,
       kBox.c_str(),
       {"/abc Find #, #-# : Mail Note"},
       {}},
      {"find sends the note too",
       Command::Find,
       L"abc",
       true,
       L"1-3 : note",
       {"/abc Find 1-3 : note"},
       {}},
      {"find cuts inside a trigger holding Send",
       Command::Find,
       L"MySend",
       true,
       L"xyz",
       {"/MyFind xyz"},
       {}},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FreshPanels();
    if (c.trigger) ChooseTrigger(2, c.trigger);
    head().Text1.SetText(c.text);
    const bool open = skarnel_aol7::FindChatRoom() != nullptr;
    if (c.room && !open) client->OpenChatRoom("Lobby");
    if (!c.room && open) client->CloseChatRooms();
    ASSERT_TRUE(testing_support::WaitUntil(c.room ? "the room to open" : "the rooms to close", [&] {
      return (skarnel_aol7::FindChatRoom() != nullptr) == c.room;
    }));
    const std::wstring prefix = head().Label12.Caption();
    const std::wstring slot2 = head().Label3.Caption();
    client->ClearJournal();
    effects.Clear();

    Click(c.command);
    Settle();

    EXPECT_EQ(effects.Sounds(), std::vector<std::wstring>{L"press"});
    EXPECT_EQ(effects.Messages(), c.messages);
    EXPECT_EQ(RoomLines(), c.lines);
    const auto presses = Presses();
    EXPECT_EQ(static_cast<size_t>(std::count(presses.begin(), presses.end(), "chat.icon6")),
              c.lines.size());
    // Nothing else changes: no request recorded, box, prefix and slot as they were.
    EXPECT_FALSE(ui::App().reqlist.IsLoaded());
    EXPECT_EQ(head().Text1.Text(), c.text);
    EXPECT_EQ(head().Label12.Caption(), prefix);
    EXPECT_EQ(head().Label3.Caption(), slot2);
  }
}

TEST_F(ServerCommands, TheServerInTheRoomAnswersListAndServerQuery) {
  ChooseTrigger(1, L"vault");
  head().Label7_Click();
  head().Label13_Click();
  EXPECT_EQ(RoomLines(), (Lines{"/vault Send List", "/server"}));
  // Both lines reach the room's transcript and the server answers each.
  EXPECT_TRUE(WaitForJournal([](const std::vector<sim::Event>& journal) {
    const auto said = testing_support::TextsOf(journal, "say", "chat");
    const auto answers = std::count_if(said.begin(), said.end(), [](const std::string& line) {
      return line.find("My list:") != std::string::npos ||
             line.find("Mail server here!") != std::string::npos;
    });
    return answers == 2;
  })) << ::testing::PrintToString(testing_support::TextsOf(Journal(), "say", "chat"));
}

}  // namespace
