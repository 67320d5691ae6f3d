// aol7sim.exe: the simulated AOL 7.0 client as a program of its own, beside Vantor.
//
//   aol7sim.exe [switches]
//     --journal FILE          append every event to FILE (one a line, flushed at once)
//     --state FILE            rewrite FILE with the transcript, download queue, mails and marked
//                             mails whenever they change
//     --room NAME             the chat room's name (default Lobby)
//     --screen-name NAME      the member's screen name (default Member)
//     --no-room               no chat room open
//     --two-rooms             a second room, "NAME 2", below the first
//     --extra-children N      N plain AOL windows opened in front of the room
//     --look-alike            an Instant Message in front: a typing box but no transcript
//     --mails N               mails in the mailbox at start (default 12)
//     --mail SUBJECT          one more mail below them, with this subject (repeatable)
//     --no-server             no mail server in the room
//     --server-delay MS       the server answers after MS milliseconds (default 300)
//     --mailbox-delay S       the toolbar's mailbox icon opens the mailbox S seconds later
//     --mailbox-never         ... or never
//     --menu-never            an open mail's download icon opens no menu
//     --menu-delay MS         ... or opens it MS milliseconds after the press
//     --prompt-never          a download brings up no AOL prompt
//     --prompt-delay MS       ... or brings it up MS milliseconds later
//     --list-read-delay MS    the mail list answers a count of its mails MS milliseconds late
//     --chaos SEED            bounded random delays of the mailbox, menu, prompt and count,
//                             dialogs at some downloads and the member's own clicks and typing
//                             now and then during a download walk, all from SEED (1 or more)
//     --mail-sticky           open mails refuse to close
//     --dialog-on-download    a standard dialog of the client pops up at the first download
//     --hung                  the client stops answering at the first message from Vantor
//     --hung-from-start       the client answers nothing at all from its start
//     --foreign-dialog TEXT   nothing of AOL: only a standard message box with TEXT, as another
//                             program would show (journalled like the client's dialogs)
//
// Exit code: 0 when the main window (or the foreign message box) was closed, 2 on a bad command
// line, 1 when the windows could not be made.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/sim.h"
#include "ui/owned.h"

namespace {

std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  const ui::LocalMemory<LPWSTR*> owned(CommandLineToArgvW(GetCommandLineW(), &count));
  LPWSTR* argv = owned.get();
  for (int i = 1; argv && i < count; ++i) {
    int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, argv[i], -1, arg.data(), n, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  return args;
}

void Journal(const std::string& file, const std::string& what, const std::string& target,
             const std::string& text) {
  if (file.empty()) return;
  if (std::FILE* f = std::fopen(file.c_str(), "ab")) {
    std::string line = sim::FormatEvent({what, target, text, GetTickCount64()}) + '\n';
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  sim::CommandLine commandLine;
  std::string error;
  if (!sim::ParseCommandLine(Arguments(), commandLine, error)) {
    MessageBoxA(nullptr, ("aol7sim: " + error).c_str(), "aol7sim", MB_OK | MB_ICONERROR);
    return 2;
  }
  const sim::Options& options = commandLine.options;
  if (commandLine.foreignDialog) {
    Journal(options.journalFile, "dialog", "dialog", commandLine.foreignText);
    int answer = MessageBoxA(nullptr, commandLine.foreignText.c_str(), "Message", MB_OK);
    Journal(options.journalFile, "dialog", "dialog.button",
            answer == IDOK ? "OK" : std::to_string(answer));
    return 0;
  }
  auto client = sim::Client::Start(options);
  if (!client) return 1;
  client->WaitForExit(INFINITE);
  return 0;
}
