// vantor_tour.exe: a short tour of Vantor played from outside, as a user would, against the
// simulated AOL 7.0 client. Both run as programs of their own beside this one.
//
//   vantor_tour.exe [--steps] [--out FOLDER]
//     --steps        after each step print "STEP <n> <name>" and wait for a line on stdin (the
//                    caller takes a screenshot meanwhile)
//     --out FOLDER   keep the client's journal.txt and state.txt in FOLDER
//
// The tour: double-click the splash; choose trigger slot 1 with the server's trigger "vault";
// request "1, 3-5" with the Enter key and wait for the server's answer; view the request list
// and return; open the DL Tool and hand mails 1 to 3 to the Download Manager at speed 1; leave
// with "X". Then it prints the chat room's transcript and the Download Manager's queue.
// Exit code 0 when every step did what it should, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tests/acceptance/session.h"
#include "tests/support/wait.h"

namespace {

using acceptance::kDlTitle;
using acceptance::kHeadTitle;
using acceptance::kListTitle;
using testing_support::WaitUntil;

// Text of the client (code page 1252) as UTF-8 for the terminal.
std::string Printable(const std::string& ansi) {
  if (ansi.empty()) return {};
  int n = MultiByteToWideChar(1252, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(1252, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), m, nullptr, nullptr);
  return utf8;
}

std::string Printable(const std::wstring& wide) {
  return Printable(acceptance::Ansi(wide));
}

void Say(const std::string& line) {
  std::printf("[tour] %s\n", line.c_str());
  std::fflush(stdout);
}

class Tour {
 public:
  Tour(bool steps, std::wstring out) : steps_(steps), out_(std::move(out)) {}
  int Run();

 private:
  // Announces a finished step; with --steps, waits until the caller has looked.
  void Step(const char* name) {
    ++step_;
    // The screenshot comes next: give the windows that just appeared time to paint.
    if (steps_) testing_support::PumpFor(300);
    std::printf("STEP %d %s\n", step_, name);
    std::fflush(stdout);
    if (steps_) {
      std::string ack;
      std::getline(std::cin, ack);
    }
  }
  bool Check(bool ok, const std::string& what) {
    if (ok)
      Say("ok: " + what);
    else
      Say("FAILED: " + what);
    return ok;
  }
  void PrintResults(const sim::State& state);

  bool steps_;
  std::wstring out_;
  int step_ = 0;
};

int Tour::Run() {
  // The tour starts with a clean trigger store and leaves the user's store as it found it.
  acceptance::store::Guard keepStore;
  acceptance::store::Remove();

  Say("starting the simulated AOL 7.0 client (aol7sim.exe)");
  acceptance::Sim client(L"--server-delay 300", out_);
  if (!Check(client.WaitUp(), "the client's main window is up")) return 1;
  if (!Check(client.WaitRoom(), "the client's chat room is open")) return 1;

  Say("starting Vantor (vantor.exe)");
  acceptance::Vantor vantor;
  if (!Check(vantor.WaitSplash(), "the splash panel is shown")) return 1;
  Step("splash");

  Say("double-click on the splash panel");
  if (!Check(vantor.OpenMainPanel(), "the main panel is shown")) return 1;
  if (!Check(client.WaitForMemberLines(2), "the start banner reached the chat room (2 lines)"))
    return 1;
  Step("main-panel");

  Say("click trigger slot 1; its prompt asks for the trigger");
  HWND prompt = vantor.ClickForDialog(vantor.Slot(1));
  if (!Check(prompt != nullptr, "the prompt \"Trigger for Slot 1.\" is shown")) return 1;
  WaitUntil([&] { return IsWindowVisible(prompt) != FALSE; }, 2000);
  Step("trigger-prompt");
  if (!Check(testing_support::AnswerPrompt(prompt, L"vault"), "answered \"vault\"")) return 1;
  if (!Check(WaitUntil([&] { return vantor.Caption(vantor.Slot(1)) == L"vault"; }, 3000),
             "slot 1 shows vault"))
    return 1;
  std::string stored = acceptance::store::Read().value_or("(no file)");
  for (char& c : stored)
    if (c == '\r' || c == '\n') c = ' ';
  Say("the trigger store c:\\triggers.ini now reads: " + stored);
  Step("trigger-chosen");

  Say("type \"1, 3-5\" into the request box and press Enter");
  vantor.TypeRequest(L"1, 3-5");
  Step("request-typed");
  vantor.PressEnter();
  if (!Check(client.WaitForLine("Member: /vault Send 1, 3-5"),
             "the room got \"/vault Send 1, 3-5\""))
    return 1;
  if (!Check(client.WaitForLine("VaultServer: Sending 4 mails to Member"),
             "the server answered: Sending 4 mails to Member"))
    return 1;
  Step("request-sent");

  Say("View List");
  const size_t linesBefore = client.SaidByMember().size();
  vantor.Click(kHeadTitle, L"View List");
  if (!Check(vantor.WaitPanelVisible(kListTitle), "the request list is shown")) return 1;
  if (!Check(client.WaitForMemberLines(linesBefore + 3), "the list's banner reached the room"))
    return 1;
  for (const std::wstring& item : vantor.RequestList()) Say("  request list: " + Printable(item));
  Say("  " + Printable(vantor.CountLabel()));
  Step("request-list");

  Say("Return");
  vantor.Click(kListTitle, L"Return");
  if (!Check(vantor.WaitPanelVisible(kHeadTitle), "the main panel is back")) return 1;
  Step("main-panel-again");

  Say("DL Tool: it opens the mailbox and lists its mails (after a 4 second pause)");
  testing_support::ClickLabel(vantor.Control(kHeadTitle, L"DL Tool"),
                              testing_support::Delivery::Post);
  if (!Check(vantor.WaitPanelVisible(kDlTitle), "the DL Tool is shown")) return 1;
  if (!Check(vantor.WaitDlListed(client), "the DL Tool lists the mailbox's mails")) return 1;
  Say("  " + std::to_string(vantor.DlList().size()) +
      " mails listed, the first: " + Printable(vantor.DlList().front()));
  Step("dl-tool");

  Say("first 1, last 3, speed 1, Add");
  vantor.FillDl(L"1", L"3", L"1");
  const ULONGLONG added = GetTickCount64();
  testing_support::ClickLabel(vantor.Control(kDlTitle, L"Add"), testing_support::Delivery::Post);
  if (!Check(WaitUntil([&] { return vantor.DlCounter() == L"2"; }, 30000),
             "the first mail went to the Download Manager (counter 2)")) {
    // Slow or stuck: what the panel and the client show tells which.
    Say("  the counter reads " + Printable(vantor.DlCounter()) +
        "; Vantor's message box: " + Printable(testing_support::DialogText(vantor.WaitDialog(0))) +
        "; queued: " + std::to_string(client.State().downloadQueue.size()) +
        "; the client's last doings:");
    const std::vector<sim::Event> journal = client.Journal();
    for (size_t i = journal.size() > 30 ? journal.size() - 30 : 0; i < journal.size(); ++i)
      Say("    " + Printable(sim::FormatEvent(journal[i])));
    return 1;
  }
  char took[48];
  std::snprintf(took, sizeof took, "  counter 2 after %.1f s", (GetTickCount64() - added) / 1000.0);
  Say(took);
  {
    HWND panel = vantor.Panel(kDlTitle);
    const bool topmost = (GetWindowLongW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    Say(std::string("  the DL Tool panel during the run: ") +
        (IsWindowVisible(panel) ? "shown" : "hidden") + (topmost ? ", topmost" : ", not topmost"));
  }
  Step("dl-run");
  HWND done = vantor.WaitDialog(30000);
  std::wstring text;
  WaitUntil([&] { return !(text = testing_support::DialogText(done)).empty(); }, 2000);
  if (!Check(done && text == L"Mails have been added to DL Manager.",
             "Vantor says: " + Printable(text)))
    return 1;
  Step("dl-done");
  if (!Check(testing_support::PressDialogOk(done), "answered the message with OK")) return 1;

  Say("X: Vantor says goodbye in the room and ends");
  const size_t beforeExit = client.SaidByMember().size();
  if (!Check(vantor.Exit(), "vantor.exe has ended")) return 1;
  Check(client.WaitForMemberLines(beforeExit + 2, 3000), "the exit banner reached the room");
  Step("finished");

  const sim::State state = client.State();
  PrintResults(state);
  const bool ok =
      state.mails.size() >= 3 &&
      state.downloadQueue == std::vector<std::string>(state.mails.begin(), state.mails.begin() + 3);
  Check(ok, "the Download Manager holds mails 1 to 3, each once");
  client.Close();
  return ok ? 0 : 1;
}

void Tour::PrintResults(const sim::State& state) {
  std::printf("\nChat room transcript (%zu lines):\n", state.transcript.size());
  for (const std::string& line : state.transcript) std::printf("  %s\n", Printable(line).c_str());
  std::printf("\nDownload Manager queue (%zu mails):\n", state.downloadQueue.size());
  for (const std::string& mail : state.downloadQueue)
    std::printf("  %s\n", Printable(mail).c_str());
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  bool steps = false;
  std::wstring out;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--steps") {
      steps = true;
    } else if (arg == "--out" && i + 1 < argc) {
      std::string folder = argv[++i];
      out.assign(folder.begin(), folder.end());
    } else {
      std::fprintf(stderr, "usage: vantor_tour.exe [--steps] [--out FOLDER]\n");
      return 2;
    }
  }
  return Tour(steps, out).Run();
}
