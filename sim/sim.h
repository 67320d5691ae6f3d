#pragma once
// The simulated AOL 7.0 client: the window tree and behaviour that Vantor's driver expects,
// built from real Win32 windows. Tests run it in-process on its own thread (Client::Start) or
// as the separate program aol7sim.exe, which writes the same journal to a file.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace sim {

// What the client looks like at start, and the faults it should show.
struct Options {
  std::string screenName = "Member";
  bool chatRoom = true;  // one chat room open
  std::string roomName = "Lobby";
  bool secondRoom = false;              // a second chat room ("Lobby 2"), lower in the Z-order
  int extraChildren = 0;                // plain AOL child windows opened in front of the room
  int mails = 12;                       // mails in the mailbox at start
  std::vector<std::string> extraMails;  // subjects of more mails below them (bytes as given)
  bool serverPresent = true;            // a member with the trigger "vault" in the room
  int serverDelayMs = 300;              // how long the server takes to answer
  double mailboxDelaySeconds = 0;       // the toolbar's 2nd icon opens the mailbox this much later
  bool mailboxNever = false;            // ... or never
  bool menuNever = false;               // the open mail's 2nd icon opens no pop-up menu
  int menuDelayMs = 0;                  // ... or opens it this much later, after the press returned
  bool promptNever = false;             // choosing Download brings up no "_aol_modal" prompt
  int promptDelayMs = 0;                // ... or brings it up this much later
  bool mailSticky = false;              // an open mail refuses WM_CLOSE
  bool dialogOnDownload = false;  // a standard dialog of the client pops up at the first download
  bool hung = false;              // the client's thread stops answering messages after start
  int slowReadMs = 0;  // a read of a room's name (from another thread) is answered this late,
                       // while everything else sent meanwhile is answered as usual
  bool hungFromStart = false;  // ... or answers nothing at all from its start, not even a read
                               // of a window's text (SetOptions with both false releases it)
  bool lookAlike = false;      // an AOL child in front with a "richcntl" but no transcript
  int listReadDelayMs = 0;     // the mail list answers a count of its mails this late (from
                               // another thread), answering everything else sent meanwhile
  // Chaos, from this seed (0: none): bounded random delays of the mailbox, the download menu,
  // the prompt and the mail list's count, a standard dialog at some downloads, and now and then
  // one of the member's own actions below at a point of a download walk, all drawn from the seed.
  unsigned chaosSeed = 0;
  std::string journalFile;  // when set, every event is also appended to this file
  std::string stateFile;    // when set, rewritten with the client's State on each change
};

// One thing that happened in the client. `target` names the window in the terms of the window
// tree ("chat.input", "chat.icon6", "toolbar.icon26", "keyword.edit", "keyword.icon1",
// "mailbox.list", "mailbox.icon1", "mailbox.icon3", "mail.icon2", "mail.icon6", "modal.icon1",
// "menu", "dialog.button" ...); `text` holds the bytes that were set or said (ANSI, unchanged)
// or a detail ("LBUTTONDOWN+KEYUP(SPACE)", an item index, a mail subject).
//
// The kinds of event, with their targets and texts (stable: tests compare them):
//   settext  "chat.input" | "keyword.edit"   the exact ANSI bytes of a WM_SETTEXT
//   press    "<window>.icon<N>"              the button-down and the release that completed it,
//            each marked "posted " when it came through the queue rather than sent:
//            "LBUTTONDOWN+KEYUP(SPACE)" (the driver's sent pair), "posted LBUTTONDOWN+posted
//            LBUTTONUP" (a posted or real click); windows: toolbar, chat, keyword, mailbox,
//            mail, modal, child, im
//   keys     "menu"                          the keys the download menu took, in order, each
//                                            marked "posted " ("posted DOWN,posted DOWN,...")
//   say      "chat"                          "Name: line", every line that reaches a transcript
//   select   "mailbox.list"                  the index given to LB_SETCURSEL
//   enter    "mailbox.list"                  the selected index when WM_CHAR 13 arrived
//   open     "room <name>" | "keyword" | "mailbox" | "mail <N>" | "prompt" | "menu" |
//            "child <caption>" | "im" | "download manager"      the window's caption
//   close    the same targets as open
//   refuse   "mail <N>"                      an open mail that would not close (mailSticky)
//   keyword  "keyword"                       the keyword or address that was run
//   menu     "menu"                          the chosen entry ("Download Later"), "" if none
//   queued   "download manager"              the mail number put in the queue
//   deliver  "mailbox"                       the number of a mail that arrived in the mailbox
//   marknew  "mailbox"                       the mail number marked as new
//   prompt   "modal.icon1"                   the prompt's answer ("OK")
//   dialog   "dialog" (about to be shown: its text) | "dialog.visible" (on screen) |
//            "dialog.pressed" (its button clicked) | "dialog.button" (answered: "OK")
//   hang     "chat.input", "chat.icon6", ...  where the hung client stopped answering ("start"
//                                            when it was hung from its start)
//   slow     "room <name>" | "mailbox.list"  a read of the room's name or of the mail count that
//                                            is answered late
//   user     "room" | "mail <N>" | "download manager" | "close mailbox"   the member's own doing
struct Event {
  std::string what;
  std::string target;
  std::string text;
  ULONGLONG ms = 0;  // GetTickCount64() when it happened
  // The same moment in seconds on the performance counter, for figures finer than a
  // millisecond (in the client's own process only; a journal file keeps `ms`).
  double seconds = 0;
};

class Client {
 public:
  // Starts the client on a thread of its own and returns once its windows exist.
  static std::unique_ptr<Client> Start(const Options& options = {});
  ~Client();  // closes every window and ends the thread

  std::vector<Event> Journal() const;
  void ClearJournal();
  std::vector<std::string> Transcript() const;     // the chat room's lines, "name: text"
  std::vector<std::string> DownloadQueue() const;  // the queued mails' subjects, in order
  std::vector<std::string> Mails() const;          // the mailbox's mail subjects, top first
  std::vector<int> MarkedNew() const;              // mail numbers marked as new, in order

  HWND MainWindow() const;
  // Waits until the client has ended (its main window was closed); false at the deadline.
  bool WaitForExit(DWORD timeoutMs) const;

  // Changes while running (each runs on the client's thread).
  void OpenChatRoom(const std::string& name);
  void CloseChatRooms();
  void SetOptions(const Options& options);   // the fault switches, taken from now on
  void ShowDialog(const std::string& text);  // a standard dialog of the client, now
  // A mail arrives at the bottom of the mailbox (its list item: a date column, then `subject`).
  void DeliverMail(const std::string& subject);

  // What the member does in AOL by hand, as his clicks would make it; tests trigger them in the
  // middle of a run, the chaos switch at random. Each is journalled as "user" with the action's
  // name as target (below) before it acts.
  //   "room": the chat room comes to the front and `text` is typed into its box, not sent
  void UserTypesInRoom(const std::string& text);
  //   "mail N": mail N selected in the mailbox (when open) and opened in a window of its own, in
  //   front; returns that window
  HWND UserOpensMail(int number);
  //   "download manager": its window shown and brought to the front
  void UserShowsDownloadManager();
  //   "close mailbox": the mailbox's window closed
  void UserClosesMailbox();
  // The chat room's input box as the member left it (the text in it now, not sent).
  std::string RoomInput() const;

  struct Impl;

 private:
  explicit Client(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// The journal's file form, one event a line: ms TAB what TAB target TAB text, with the text's
// bytes 0x00-0x1F, TAB, backslash and 0x7F-0xFF written as \xHH.
std::string FormatEvent(const Event& event);
bool ParseEvent(const std::string& line, Event& event);

// What aol7sim.exe writes to its state file (--state) for tests that drive it from outside.
// The file form: a "[section]" line for each of transcript, queue, mails, marknew, then one
// entry a line, escaped as in the journal.
struct State {
  std::vector<std::string> transcript;
  std::vector<std::string> downloadQueue;
  std::vector<std::string> mails;
  std::vector<int> markedNew;
  int owedAnswers = 0;  // requests said in the room that the server has yet to answer
};
std::string FormatState(const State& state);
bool ParseState(const std::string& text, State& state);

}  // namespace sim
