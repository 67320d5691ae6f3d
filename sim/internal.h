#pragma once
// The simulated client's insides, shared by its rooms. Everything here runs on the client's own
// thread unless it says otherwise; the data that tests read from other threads sits under
// Impl::mutex.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sim/sim.h"

namespace sim {

// Registered in mixed case on purpose: the driver names them in lower case, and the platform
// must match them whole and case-insensitively.
inline constexpr char kFrameClass[] = "AOL Frame25";
inline constexpr char kChildClass[] = "AOL Child";
inline constexpr char kToolbarFrameClass[] = "AOL Toolbar";
inline constexpr char kToolbarClass[] = "_AOL_Toolbar";
inline constexpr char kIconClass[] = "_AOL_Icon";
inline constexpr char kStaticClass[] = "_AOL_Static";
inline constexpr char kInputClass[] = "RICHCNTL";
inline constexpr char kTranscriptClass[] = "RICHCNTLREADONLY";
inline constexpr char kComboClass[] = "_AOL_Combobox";
inline constexpr char kImageClass[] = "_AOL_Image";
inline constexpr char kGlyphClass[] = "_AOL_Glyph";
inline constexpr char kRichStaticClass[] = "RICHCNTLSTATIC";
inline constexpr char kEditClass[] = "_AOL_Edit";
inline constexpr char kTabControlClass[] = "_AOL_TabControl";
inline constexpr char kTabPageClass[] = "_AOL_TabPage";
inline constexpr char kTreeClass[] = "_AOL_Tree";
inline constexpr char kMemberListClass[] = "_AOL_Listbox";
inline constexpr char kMailHeaderClass[] = "ATL:6701A050";
inline constexpr char kViewClass[] = "_AOL_View";
inline constexpr char kModalClass[] = "_AOL_Modal";
inline constexpr char kDownloadManagerClass[] = "AOL Download Manager";
inline constexpr char kControlClass[] = "AOL7Sim Control";

inline constexpr char kServerName[] = "VaultServer";
inline constexpr char kServerTrigger[] = "vault";
inline constexpr char kHostName[] = "OnlineHost";
inline constexpr char kClientTitle[] = "America Online";

// Registers every class once per process (any thread may then create the windows).
void RegisterClasses();
LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);    // main_window.cpp
LRESULT CALLBACK ChildProc(HWND, UINT, WPARAM, LPARAM);    // main_window.cpp
LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);  // client.cpp
LRESULT CALLBACK ModalProc(HWND, UINT, WPARAM, LPARAM);    // download.cpp
LRESULT CALLBACK ManagerProc(HWND, UINT, WPARAM, LPARAM);  // download.cpp
HINSTANCE Instance();
HFONT UiFont();

// What one of the client's own windows keeps in its user data: the creation parameter, stored
// at WM_NCCREATE (before any message that reads it) and read back on every later message.
// Null for the few messages that come before WM_NCCREATE.
template <class Data>
Data* WindowData(HWND hwnd, UINT msg, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    void* data = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    return static_cast<Data*>(data);
  }
  return reinterpret_cast<Data*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

struct Mail {
  std::string date;  // "MM/DD/YY", the list's first column
  std::string from;
  std::string subject;
  std::string body;
};
// The mail list's item for a mail: a nine-character column (date and a blank), then the subject.
std::string MailListItem(const Mail& mail);
std::vector<Mail> StartMails(int count);

// A window opened inside the client ("AOL Child").
enum class ChildKind { Room, Keyword, Mailbox, Mail, Plain, LookAlike };

struct Child {
  Child(Client::Impl* owner, ChildKind type) : impl(owner), kind(type) {}
  Client::Impl* impl = nullptr;
  ChildKind kind = ChildKind::Plain;
  HWND hwnd = nullptr;
  std::string name;      // room name, or the journal's name of the window
  int mailNumber = 0;    // open mail: the mail shown, counted from 1
  HWND input = nullptr;  // room: "richcntl"; keyword: "_aol_edit"
  HWND transcript = nullptr;
  HWND list = nullptr;                                     // mailbox: "_aol_tree"
  HWND view = nullptr;                                     // open mail: its text
  HWND from = nullptr, subject = nullptr, date = nullptr;  // open mail: header statics
  std::string JournalName() const;  // "room Lobby", "mail 3", "mailbox", "keyword", ...
};

// The server's answer to one chat line (pure: no windows).
struct ServerAnswer {
  std::vector<std::string> lines;  // what the server says, without its name
  std::vector<int> mails;          // numbers of its catalogue to deliver, in order
};
// Answers `line`, said by the member `screenName`, as the server whose trigger is `trigger`;
// false when the line is not for it.
bool AnswerChatLine(const std::string& line, const std::string& trigger,
                    const std::string& screenName, ServerAnswer& answer);
inline constexpr int kCatalogueSize = 500;
inline constexpr int kMaxMailsPerRequest = 50;
Mail CatalogueMail(int number);

std::string EscapeBytes(const std::string& text);
// Captions of the plain windows of the extra-children fault.
std::string PlainCaption(int index);
// Today as the mail list shows it, "MM/DD/YY".
std::string Today();

struct Client::Impl {
  // Shared with other threads (under mutex).
  mutable std::mutex mutex;
  Options options;
  std::vector<Event> journal;
  std::vector<std::string> transcript;
  std::vector<std::string> downloadQueue;
  std::vector<Mail> mails;
  std::vector<int> markedNew;
  int owedAnswers = 0;
  std::FILE* journalFile = nullptr;

  std::thread thread;
  HANDLE ready = nullptr;        // set once the windows exist
  HANDLE hungRelease = nullptr;  // manual reset: signalled while the client is not hung
  HANDLE exited = nullptr;       // set when the client's thread has ended
  DWORD threadId = 0;
  std::atomic<bool> quitting{false};
  std::atomic<HWND> mainWindow{nullptr};
  std::atomic<HWND> control{nullptr};  // message-only window that runs deferred work

  // The client's thread only.
  HWND mdi = nullptr;
  HWND downloadManager = nullptr, downloadList = nullptr;
  HWND modal = nullptr;
  std::vector<Child*> children;                  // every open "AOL Child", in no particular order
  std::atomic<bool> downloadDialogArmed{false};  // the next download brings up a dialog
  bool started = false;                          // the windows were made
  UINT_PTR nextTimer = 100;
  std::vector<std::pair<UINT_PTR, std::function<void()>>> timers;

  std::deque<std::function<void()>> deferred;  // under mutex
  std::mt19937 chaos;                          // drawn from on the client's thread only

  ~Impl();

  Options Opts() const;
  void Log(const std::string& what, const std::string& target, const std::string& text = "");
  void WriteState();  // the state file, when one is named

  // Blocks the client's thread while it is hung: called when Vantor's message arrives.
  void MaybeHang(const std::string& where);

  // Runs `work` on the client's thread after the current message has been handled, so that a
  // sent press returns before any menu, prompt or dialog opens.
  void Defer(std::function<void()> work);
  // Runs `work` on the client's thread after `ms` milliseconds.
  void After(UINT ms, std::function<void()> work);
  // From another thread: runs `work` on the client's thread and waits (bounded) for it.
  void RunOnThread(std::function<void()> work);
  void OnControlMessage(UINT msg, WPARAM wParam);

  // Opening windows inside the client.
  // A new "AOL Child" of this kind, `name` in the journal, its window made in the MDI client;
  // null when the window could not be made.
  Child* OpenChild(ChildKind kind, const std::string& name, const std::string& caption, int x,
                   int y, int w, int h);
  void BringToFront(HWND child);
  Child* FindChild(ChildKind kind) const;  // the highest in Z-order
  std::vector<Child*> ChildrenOf(ChildKind kind) const;
  void ForgetChild(Child* child);

  // Rooms (chat_room.cpp).
  Child* OpenRoom(const std::string& name);
  void CloseRoom(Child* room);
  void EnterRoom(const std::string& name);  // re-enters when it is open
  void SendRoomInput(Child* room);
  void Say(Child* room, const std::string& speaker, const std::string& line);
  void HearLine(Child* room, const std::string& line);  // the server listens (server.cpp)

  // Keyword window (keyword.cpp).
  void OpenKeyword();
  void RunKeyword(Child* keyword);

  // Mailbox and mails (mailbox.cpp, mail.cpp).
  void PressMailboxIcon();  // the toolbar's 2nd icon
  void OpenMailbox();
  void OpenSelectedMail(Child* mailbox);
  void MarkSelectedNew(Child* mailbox);
  void DeliverMail(const Mail& mail);
  void OpenMail(int number, bool ownWindow = false);
  void ShowMail(Child* mailWindow, int number);
  void NextMail(Child* mailWindow);

  // Download Manager, menu, prompt, dialogs (download.cpp).
  void CreateDownloadManager();
  void OpenDownloadMenu(Child* mailWindow);
  void QueueDownload(int number);
  void ShowPrompt();
  void AnswerPrompt();
  void ShowClientDialog(const std::string& text);

  // The member's own doing, and chaos (user.cpp).
  void UserTypesInRoom(const std::string& text);
  HWND UserOpensMail(int number);
  void UserShowsDownloadManager();
  void UserClosesMailbox();
  // A random delay up to `maxMs` under chaos, else 0.
  UINT ChaosDelayMs(UINT maxMs);
  // One chance in `odds` under chaos, else never.
  bool ChaosChance(unsigned odds);
  // A point of a download walk: under chaos, now and then one of the member's actions a moment
  // later.
  void ChaosAt(const char* point);

  // Plain windows (main_window.cpp).
  bool CreateMainWindow();
  void OpenPlainChild(const std::string& caption);
  void OpenLookAlike();
  void DestroyAll();
};

// Control helpers (classes.cpp). Icons act on a press; `name` is the journal's target.
HWND MakeIcon(Client::Impl* impl, HWND parent, const std::string& name, const char* caption, int x,
              int y, int w, int h, std::function<void()> action);
HWND MakeControl(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
                 int h);
// The edit-based controls that Vantor types into journal its WM_SETTEXT bytes under `name`.
void WatchText(HWND edit, Client::Impl* impl, const std::string& name,
               std::function<void()> onEnter);
// The mail list: journals selections and carriage returns, and opens the selected mail.
void WatchMailList(HWND list, Client::Impl* impl, Child* mailbox);
// Keeps answering messages sent to this thread for `ms`, as a client busy with something else
// does; posted messages and input wait (main_window.cpp).
void AnswerSentFor(DWORD ms);
// Selects a list item without journalling it (the member's own click).
void SelectQuietly(HWND list, int index);
// Sets an edit's text without journalling it (the client's own doing).
void SetTextQuietly(HWND edit, const std::string& text);
void AppendText(HWND edit, const std::string& text);
std::string WindowText(HWND window);

}  // namespace sim
