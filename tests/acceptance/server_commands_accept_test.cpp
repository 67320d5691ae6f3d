// Asking the server and the room, from outside: List, Status, Find and Server? type their lines
// into the room (and the server answers), or refuse with their message when no trigger is
// chosen or no chat room is open. Neither touches the request list or the request box.
#include <gtest/gtest.h>

#include "tests/acceptance/lines.h"
#include "tests/acceptance/refusals.h"
#include "tests/acceptance/shared_pair.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

class ServerCommands : public SharedPairTest<ServerCommands> {
 public:
  static constexpr const wchar_t* kSwitches = L"--server-delay 50";
};

TEST_F(ServerCommands, EachButtonTypesItsLineAndTheServerAnswers) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  struct Case {
    const wchar_t* button;
    const wchar_t* box;
    const char* line;
    const char* answerStart;
  };
  const Case cases[] = {
      {L"List", L"1-3", "/vault Send List", "VaultServer: "},
      {L"Status", L"1-3", "/vault Send Status", "VaultServer: "},
      {L"Find", L"Sunset", "/vault Find Sunset", "VaultServer: Found "},
      // Find sends the whole text, note and all, and does not refuse the untouched box.
      {L"Find", L"Sunset : mine", "/vault Find Sunset : mine", "VaultServer: "},
      {L"Find", L"#, #-# : Mail Note", "/vault Find #, #-# : Mail Note", "VaultServer: "},
      {L"Server?", L"1-3", "/server", "VaultServer: Mail server here!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    V().TypeRequest(c.box);
    const size_t items = V().RequestList().size();
    const size_t mark = S().Mark();
    ASSERT_TRUE(V().Click(kHeadTitle, c.button));
    EXPECT_EQ(TextsOf(S().Since(mark), "settext", "chat.input"), Lines{c.line});
    EXPECT_TRUE(S().WaitForJournal([&](const std::vector<sim::Event>& j) {
      for (size_t i = mark; i < j.size(); ++i)
        if (j[i].what == "say" && StartsWith(j[i].text, c.answerStart)) return true;
      return false;
    }));
    EXPECT_EQ(V().RequestList().size(), items);
    EXPECT_EQ(V().Caption(V().RequestBox()), c.box);
  }
}

TEST_F(ServerCommands, WithoutATriggerOnlyServerQueryIsTyped) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  ASSERT_TRUE(V().ChooseMenu(MenuItem::ClearAll));
  // Clear All keeps the lit slot lit; the prefix no longer names a trigger all the same.
  V().TypeRequest(L"Sunset");
  EXPECT_REFUSED(V(), &S(), Action::Click,
                 {
                     {L"List", L"(icon) No trigger detected."},
                     {L"Status", L"(icon) No trigger detected."},
                     {L"Find", L"(icon) No trigger detected/Invalid find."},
                 });
  const size_t mark = S().Mark();
  ASSERT_TRUE(V().Click(kHeadTitle, L"Server?"));
  EXPECT_EQ(TextsOf(S().Since(mark), "settext", "chat.input"), Lines{"/server"});
}

TEST_F(ServerCommands, FindWithAnEmptyBoxIsRefused) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  V().TypeRequest(L"");
  EXPECT_REFUSED(V(), &S(), Action::Click,
                 {{L"Find", L"(icon) No trigger detected/Invalid find."}});
}

// The client runs without a chat room.
class ServerCommandsNoRoom : public ServerCommands {
 protected:
  static void SetUpTestSuite() {
    pair = new Pair(L"--no-room");
    pair->Start();
  }
  // The base's TearDownTestSuite ends this pair.
};

TEST_F(ServerCommandsNoRoom, EveryCommandSaysNotInAChatroomAfterItsTriggerTest) {
  // The trigger is tested before the room by List and Status, after it by Find.
  V().TypeRequest(L"Sunset");
  EXPECT_REFUSED(V(), &S(), Action::Click,
                 {
                     {L"List", L"(icon) No trigger detected."},
                     {L"Status", L"(icon) No trigger detected."},
                     {L"Find", L"Not in a chatroom!"},
                     {L"Server?", L"Not in a chatroom!"},
                 });
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  EXPECT_REFUSED(V(), &S(), Action::Click,
                 {
                     {L"List", L"Not in a chatroom!"},
                     {L"Status", L"Not in a chatroom!"},
                     {L"Find", L"Not in a chatroom!"},
                     {L"Server?", L"Not in a chatroom!"},
                 });
  EXPECT_TRUE(S().Typed().empty());
}

TEST_F(ServerCommandsNoRoom, ARequestIsStillListedButTypedNowhere) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  const size_t items = V().RequestList().size();
  V().TypeRequest(L"2-4");
  ASSERT_TRUE(V().Click(kHeadTitle, L"Send"));
  // No message: the request is recorded and the client is left alone.
  EXPECT_FALSE(V().WaitDialog(300));
  ASSERT_EQ(V().RequestList().size(), items + 1);
  EXPECT_EQ(V().RequestList().back(), L"vault:   2-4");
  EXPECT_TRUE(S().Typed().empty());
}

}  // namespace
}  // namespace acceptance
