// The journal's and the state's file forms, the command line, and aol7sim.exe from outside.
#include <fstream>
#include <sstream>

#include "sim/command_line.h"
#include "tests/sim/sim_walk.h"

namespace simtest {
namespace {

using testing_support::WaitUntil;

std::string AllBytes() {
  std::string bytes;
  for (int c = 1; c < 256; ++c) bytes += static_cast<char>(c);
  return bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  DeleteFileA(path.c_str());
  return path;
}

TEST(JournalFile, EveryByteSurvivesTheRoundTripOnOneLine) {
  sim::Event event{"settext", "room \tLobby\\", AllBytes(), 123456789012ull};
  std::string line = sim::FormatEvent(event);
  EXPECT_EQ(line.find('\n'), std::string::npos);
  EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3);
  sim::Event back;
  ASSERT_TRUE(sim::ParseEvent(line + "\r\n", back));
  EXPECT_EQ(back.what, event.what);
  EXPECT_EQ(back.target, event.target);
  EXPECT_EQ(back.text, event.text);
  EXPECT_EQ(back.ms, event.ms);

  for (const char* bad : {"", "12\tsay\tchat", "x\tsay\tchat\ttext", "1\ta\tb\tc\td",
                          "1\tsay\tchat\tbad\\x4", "1\tsay\tchat\t\\q00"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(sim::ParseEvent(bad, back));
  }
}

TEST(StateFile, RoundTrips) {
  sim::State state{{"Member: hi", AllBytes()}, {"Pictures"}, {"a", "b\\c"}, {3, 4}, 2};
  sim::State back;
  ASSERT_TRUE(sim::ParseState(sim::FormatState(state), back));
  EXPECT_EQ(back.transcript, state.transcript);
  EXPECT_EQ(back.downloadQueue, state.downloadQueue);
  EXPECT_EQ(back.mails, state.mails);
  EXPECT_EQ(back.markedNew, state.markedNew);
  EXPECT_EQ(back.owedAnswers, state.owedAnswers);
  EXPECT_FALSE(sim::ParseState("line before any section\n", back));
}

TEST(CommandLine, ReadsEverySwitchAndRefusesNonsense) {
  sim::CommandLine cl;
  std::string error;
  ASSERT_TRUE(sim::ParseCommandLine({"--journal",
                                     "j.txt",
                                     "--state",
                                     "s.txt",
                                     "--no-room",
                                     "--two-rooms",
                                     "--extra-children",
                                     "2",
                                     "--mails",
                                     "30",
                                     "--mailbox-delay",
                                     "1.5",
                                     "--mailbox-never",
                                     "--menu-never",
                                     "--prompt-never",
                                     "--mail-sticky",
                                     "--dialog-on-download",
                                     "--hung",
                                     "--hung-from-start",
                                     "--menu-delay",
                                     "1500",
                                     "--prompt-delay",
                                     "700",
                                     "--mail",
                                     "Vault \x9A 17",
                                     "--room",
                                     "Lobby 12",
                                     "--server-delay",
                                     "10",
                                     "--look-alike",
                                     "--no-server",
                                     "--screen-name",
                                     "Joe"},
                                    cl, error))
      << error;
  const sim::Options& o = cl.options;
  EXPECT_EQ(o.journalFile, "j.txt");
  EXPECT_EQ(o.stateFile, "s.txt");
  EXPECT_FALSE(o.chatRoom);
  EXPECT_TRUE(o.secondRoom && o.mailboxNever && o.menuNever && o.promptNever && o.mailSticky &&
              o.dialogOnDownload && o.hung && o.hungFromStart && o.lookAlike);
  EXPECT_EQ(o.menuDelayMs, 1500);
  EXPECT_EQ(o.promptDelayMs, 700);
  EXPECT_EQ(o.extraMails, std::vector<std::string>{"Vault \x9A 17"});
  EXPECT_FALSE(o.serverPresent);
  EXPECT_EQ(o.extraChildren, 2);
  EXPECT_EQ(o.mails, 30);
  EXPECT_DOUBLE_EQ(o.mailboxDelaySeconds, 1.5);
  EXPECT_EQ(o.roomName, "Lobby 12");
  EXPECT_EQ(o.serverDelayMs, 10);
  EXPECT_EQ(o.screenName, "Joe");
  EXPECT_FALSE(cl.foreignDialog);

  ASSERT_TRUE(sim::ParseCommandLine({"--foreign-dialog", "Hello"}, cl, error));
  EXPECT_TRUE(cl.foreignDialog);
  EXPECT_EQ(cl.foreignText, "Hello");

  for (std::vector<std::string> bad :
       std::vector<std::vector<std::string>>{{"--mails"},
                                             {"--mails", "x"},
                                             {"--mails", "-1"},
                                             {"--mailbox-delay", "soon"},
                                             {"--bogus"},
                                             {"--room"}}) {
    SCOPED_TRACE(bad[0]);
    EXPECT_FALSE(sim::ParseCommandLine(bad, cl, error));
    EXPECT_FALSE(error.empty());
  }
}

TEST_F(SimTest, TheJournalAndStateFilesFollowTheClientAsItRuns) {
  sim::Options options;
  options.journalFile = TempPath("simtest-journal.txt");
  options.stateFile = TempPath("simtest-state.txt");
  Start(options);
  HWND room = ChatRoom();
  SetText(Child(room, "richcntl"), "hi \x9A");
  Press(Nth(room, "_aol_icon", 6));

  std::vector<sim::Event> fromFile;
  std::istringstream lines(ReadFile(options.journalFile));
  for (std::string line; std::getline(lines, line);) {
    sim::Event event;
    ASSERT_TRUE(sim::ParseEvent(line, event)) << line;
    fromFile.push_back(event);
  }
  EXPECT_JOURNAL(fromFile,
                 {{"settext", "chat.input", "hi \x9A"}, {"say", "chat", "Member: hi \x9A"}},
                 {"settext", "say"});
  sim::State state;
  ASSERT_TRUE(sim::ParseState(ReadFile(options.stateFile), state));
  EXPECT_EQ(state.transcript, client->Transcript());
  EXPECT_EQ(state.mails, client->Mails());
}

TEST(Program, RunsBesideOthersAndWritesItsJournal) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string sim = exe;
  sim = sim.substr(0, sim.find_last_of('\\') + 1) + "aol7sim.exe";
  if (GetFileAttributesA(sim.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no " << sim;
  std::string journal = TempPath("simtest-program.txt");
  std::string command = "\"" + sim + "\" --room \"Den 2\" --journal \"" + journal + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  ASSERT_TRUE(WaitUntil(
      "the chat room to open", [] { return ChatRoom() != nullptr; }, 10000));
  HWND room = ChatRoom();
  char caption[32] = {};
  GetWindowTextA(room, caption, sizeof caption);
  EXPECT_STREQ(caption, "Den 2");
  SetText(Child(room, "richcntl"), "from outside");
  Press(Nth(room, "_aol_icon", 6));
  PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_NE(ReadFile(journal).find("say\tchat\tMember: from outside"), std::string::npos);
}

TEST(Program, AForeignDialogIsAllItShows) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string sim = exe;
  sim = sim.substr(0, sim.find_last_of('\\') + 1) + "aol7sim.exe";
  if (GetFileAttributesA(sim.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no " << sim;
  std::string journal = TempPath("simtest-foreign.txt");
  std::string command =
      "\"" + sim + "\" --foreign-dialog \"Disk full\" --journal \"" + journal + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  HWND dialog = nullptr;
  ASSERT_TRUE(testing_support::WaitUntil(
      "the program's message box",
      [&] {
        dialog = FindWindowA("#32770", nullptr);
        DWORD pid = 0;
        if (dialog) GetWindowThreadProcessId(dialog, &pid);
        return dialog && pid == pi.dwProcessId && IsWindowVisible(dialog);
      },
      10000));
  EXPECT_FALSE(MainWindow());  // nothing of AOL
  HWND ok = GetDlgItem(dialog, IDOK);
  PostMessageA(ok, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageA(ok, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::string text = ReadFile(journal);
  EXPECT_NE(text.find("dialog\tdialog\tDisk full"), std::string::npos);
  EXPECT_NE(text.find("dialog\tdialog.button\tOK"), std::string::npos);
}

}  // namespace
}  // namespace simtest
