// The mail server in the room: what it answers, and that nothing it reads can hurt it.
#include <random>

#include "sim/internal.h"
#include "tests/sim/sim_walk.h"

namespace simtest {
namespace {

using testing_support::WaitUntil;

struct Case {
  const char* line;
  std::vector<int> mails;
  const char* lastLine;  // what the server says last; nullptr: no answer at all
};

std::vector<int> Span(int first, int last) {
  std::vector<int> out;
  for (int n = first; n <= last; ++n) out.push_back(n);
  return out;
}

TEST(ServerAnswers, ReadsRequestsCommandsAndIgnoresEverythingElse) {
  const std::vector<Case> cases = {
      {"/vault Send 1, 3-5", {1, 3, 4, 5}, "Sending 4 mails to Member"},
      {"/vault Send 7", {7}, "Sending 1 mail to Member"},
      {"  /VAULT send 2 - 3 ,4,  ", {2, 3, 4}, "Sending 3 mails to Member"},
      {"/vault Send 1-3 : for me", {1, 2, 3}, "Sending 3 mails to Member"},
      {"/vault Send 1,,2", {1, 2}, "Sending 2 mails to Member"},
      {"/vault Send 1-100", Span(1, 50), "Sending 50 mails to Member"},
      {"/vault Send 1-999999999999", Span(1, 50), "Sending 50 mails to Member"},
      {"/vault Send 499-502", {499, 500}, "Sending 2 mails to Member"},
      {"/vault Send 600", {}, "Not on my list: 600 (my list is 1-500)."},
      {"/vault Send List", {}, "My list: 500 mails, numbered 1-500. Ask with /vault Send 1, 3-5"},
      {"/vault Send Status", {}, nullptr},  // answered; checked below
      {"/server", {}, nullptr},
      {"/vault Find pie", {}, nullptr},
      // Garbage and other triggers: no answer.
      {"/vault Send abc", {}, nullptr},
      {"/vault Send 5-3", {}, nullptr},
      {"/vault Send", {}, nullptr},
      {"/vault Send 1, x", {}, nullptr},
      {"/vault Send -", {}, nullptr},
      {"/vault Find", {}, nullptr},
      {"/vaultSend 1", {}, nullptr},
      {"/other Send 1", {}, nullptr},
      {"vault Send 1", {}, nullptr},
      {"hello room", {}, nullptr},
      {"", {}, nullptr},
  };
  const std::vector<std::string> answered = {"/vault Send Status", "/server", "/vault Find pie"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    sim::ServerAnswer answer;
    bool expectAnswer =
        c.lastLine || std::find(answered.begin(), answered.end(), c.line) != answered.end();
    ASSERT_EQ(sim::AnswerChatLine(c.line, "vault", "Member", answer), expectAnswer);
    EXPECT_EQ(answer.mails, c.mails);
    if (c.lastLine) {
      ASSERT_FALSE(answer.lines.empty());
      EXPECT_EQ(answer.lines.back(), c.lastLine);
    }
    if (expectAnswer) {
      EXPECT_FALSE(answer.lines.empty());
    }
  }
}

TEST(ServerAnswers, SurvivesLongAndRandomLines) {
  std::mt19937 random(7);
  for (size_t length : {1u, 80u, 5000u, 100000u}) {
    std::string line(length, '\0');
    for (char& c : line) c = static_cast<char>(1 + random() % 255);
    sim::ServerAnswer answer;
    EXPECT_FALSE(sim::AnswerChatLine(line, "vault", "Member", answer));
    EXPECT_FALSE(sim::AnswerChatLine("/vault Send " + line, "vault", "Member", answer));
  }
  std::string commas = "/vault Send " + std::string(100000, ',');
  sim::ServerAnswer answer;
  EXPECT_FALSE(sim::AnswerChatLine(commas, "vault", "Member", answer));
}

TEST_F(SimTest, TheServerAnswersInTheRoomAndMailsTheMember) {
  sim::Options options;
  options.serverDelayMs = 50;
  Start(options);
  Press(ToolbarIcon(2));  // an open mailbox shows the new mails too
  HWND room = ChatRoom();
  SetText(Child(room, "richcntl"), "/vault Send 1, 3-5");
  Press(Nth(room, "_aol_icon", 6));
  EXPECT_FALSE(Said("VaultServer: Sending 4 mails to Member"));  // it takes its time
  ASSERT_TRUE(WaitUntil(
      "the server's answer", [&] { return Said("VaultServer: Sending 4 mails to Member"); },
      [&] { return testing_support::Shown(client->Transcript()); }));
  // The answer is said first; the mails follow it one by one, each into the open mailbox's list.
  ASSERT_TRUE(WaitUntil(
      "the four mails, also in the mailbox's list",
      [&] {
        return client->Mails().size() == 16u &&
               SendMessageA(MailList(Mailbox()), LB_GETCOUNT, 0, 0) == 16;
      },
      [&] { return testing_support::Shown(client->Mails()); }));
  EXPECT_EQ(client->Mails()[12].rfind("Vault #1: ", 0), 0u);
  EXPECT_EQ(client->Mails()[15].rfind("Vault #5: ", 0), 0u);
}

TEST_F(SimTest, AHundredKilobyteLineIsSaidAndLeftUnanswered) {
  sim::Options options;
  options.serverDelayMs = 0;
  Start(options);
  HWND room = ChatRoom();
  std::string line(100 * 1024, 'x');
  line.replace(0, 12, "/vault Send ");
  SetText(Child(room, "richcntl"), line.c_str());
  Press(Nth(room, "_aol_icon", 6));
  EXPECT_TRUE(Said("Member: " + line));
  SetText(Child(room, "richcntl"), "/vault Send Status");
  Press(Nth(room, "_aol_icon", 6));  // still alive and answering
  ASSERT_TRUE(WaitUntil(
      "three lines in the room", [&] { return client->Transcript().size() == 3; },
      [&] { return testing_support::Shown(client->Transcript()); }));
  EXPECT_EQ(client->Transcript()[2].rfind("VaultServer: Status:", 0), 0u);
}

}  // namespace
}  // namespace simtest
