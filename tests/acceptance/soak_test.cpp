// DL runs against a shaken client: aol7sim.exe with --chaos SEED delays its mailbox, menu, prompt
// and mail count at random, pops up dialogs and does the member's own clicking and typing in
// the middle of the walk. Each seed also picks the run's range, speed and keep-as-new. Every run
// must end with its message (no hang), queue exactly its range once each in order, leave none
// of its own windows open, and send nothing the member typed. One line per run and a summary
// line go to the output ("soak: " in front, for scripts/soak.sh). VANTOR_SOAK_RUNS=N runs seeds
// 1 to N; without it a handful run, as CI does.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tests/acceptance/lines.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

constexpr int kCiRuns = 2;
constexpr char kTyped[] = "my half-typed priv";  // what the chaos's member types in the room

struct Verdict {
  bool hang = false, wrongQueue = false;
  int windowsLeft = 0, typedSent = 0;
};

// The windows of the run that are still open in the client: the mailbox, mail windows beyond
// those the member opened himself, AOL's prompt, a menu of the client's.
int WindowsLeft(const Sim& client) {
  const HWND mdi = FindWindowExW(client.Main(), nullptr, L"mdiclient", nullptr);
  int mailboxes = 0, mails = 0;
  for (HWND w = FindWindowExW(mdi, nullptr, L"aol child", nullptr); w;
       w = FindWindowExW(mdi, w, L"aol child", nullptr)) {
    if (FindWindowExW(w, nullptr, L"_aol_tabcontrol", nullptr)) ++mailboxes;
    if (FindWindowExW(w, nullptr, L"_aol_view", nullptr)) ++mails;
  }
  int usersMails = 0;
  for (const auto& e : client.EventsOf("user"))
    if (e.target.rfind("mail ", 0) == 0) ++usersMails;
  const DWORD thread = GetWindowThreadProcessId(client.Main(), nullptr);
  int menus = 0;
  for (HWND m = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); m;
       m = FindWindowExW(nullptr, m, L"#32768", nullptr))
    if (IsWindowVisible(m) && GetWindowThreadProcessId(m, nullptr) == thread) ++menus;
  const int prompts = FindWindowW(L"_aol_modal", nullptr) ? 1 : 0;
  return mailboxes + std::max(0, mails - usersMails) + menus + prompts;
}

Verdict OneRun(unsigned seed, std::string& line) {
  std::mt19937 pick(seed);
  const int mails = 6 + static_cast<int>(pick() % 7);
  const int first = 1 + static_cast<int>(pick() % (mails - 1));
  const int last = first + 1 + static_cast<int>(pick() % 3);  // may run past the mailbox's end
  const wchar_t* speeds[] = {L"0.5", L"1", L"1.5"};
  const wchar_t* speed = speeds[pick() % 3];
  const bool keepAsNew = pick() % 2 == 0;
  char head[160];
  std::snprintf(head, sizeof head, "seed %u: mails %d, range %d-%d, speed %s, %s", seed, mails,
                first, last, Narrow(speed).c_str(), keepAsNew ? "keep as new" : "plain");
  line = head;

  Verdict v;
  Pair pair(L"--no-server --chaos " + std::to_wstring(seed) + L" --mails " +
            std::to_wstring(mails));
  if (!pair.Start()) {
    line += ": did not start (" + pair.failure + ")";
    v.hang = true;
    return v;
  }
  Vantor& vantor = pair.vantor;
  Sim& client = *pair.sim;
  testing_support::ClickLabel(vantor.Control(kHeadTitle, L"DL Tool"),
                              testing_support::Delivery::Post);
  vantor.WaitPanelVisible(kDlTitle);
  vantor.WaitDlListed(client, 8000);  // a slow mailbox may miss the opening's listing
  vantor.FillDl(std::to_wstring(first), std::to_wstring(last), speed);
  vantor.SetKeepAsNew(keepAsNew);
  testing_support::ClickLabel(vantor.Control(kDlTitle, L"Add"), testing_support::Delivery::Post);
  const std::wstring message = vantor.AnswerMessage(90000);
  testing_support::PumpFor(500);  // anything a wrong press would still cause

  v.hang = message.empty() || !vantor.Responsive();
  std::vector<std::string> expected;
  for (int n = first; n <= std::min(last, mails); ++n) expected.push_back(std::to_string(n));
  const auto queued = TextsOf(client.Journal(), "queued", "download manager");
  v.wrongQueue = queued != expected;
  v.windowsLeft = WindowsLeft(client);
  for (const std::string& said : client.Transcript())
    if (said.find(kTyped) != std::string::npos) ++v.typedSent;
  int userActions = static_cast<int>(client.EventsOf("user").size());
  line += ", " + std::to_string(userActions) +
          " user actions: " + (v.hang ? "HANG" : "\"" + Narrow(message) + "\"") + ", queued " +
          std::to_string(queued.size()) + (v.wrongQueue ? " WRONG" : "") + ", left open " +
          std::to_string(v.windowsLeft) + ", typed sent " + std::to_string(v.typedSent);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return v;
}

TEST(Soak, SeededRunsAgainstAShakenClient) {
  int runs = kCiRuns;
  if (const char* n = std::getenv("VANTOR_SOAK_RUNS")) runs = std::max(1, std::atoi(n));
  int hangs = 0, wrong = 0, left = 0, typed = 0;
  for (int seed = 1; seed <= runs; ++seed) {
    std::string line;
    const Verdict v = OneRun(static_cast<unsigned>(seed), line);
    hangs += v.hang;
    wrong += v.wrongQueue;
    left += v.windowsLeft;
    typed += v.typedSent;
    std::printf("soak: %s\n", line.c_str());
    std::fflush(stdout);
  }
  std::printf(
      "soak: %d runs, %d hangs, %d wrong queues, %d windows left open, %d texts sent by "
      "the run that the user typed\n",
      runs, hangs, wrong, left, typed);
  std::fflush(stdout);
  EXPECT_EQ(hangs + wrong + left + typed, 0);
}

}  // namespace
}  // namespace acceptance
