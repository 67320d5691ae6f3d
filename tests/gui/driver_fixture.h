#pragma once
// A hand-made stand-in for the AOL client's window tree, for the driver's edge cases: its
// windows live on a thread of their own (so every message the driver sends crosses threads, as
// it crosses processes in real use) and record the messages they receive.
#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace driver_fixture {

struct Record {
  std::string window;  // the name the fixture gave the window ("chat.icon6", "mailbox.list")
  UINT message = 0;
  WPARAM wParam = 0;
  std::string text;  // WM_SETTEXT: the bytes received
  double ms = 0;     // when it arrived, on a monotonic clock
};

// "DOWN", "UP", "KEYUP:32", "CHAR:13", "SETTEXT:<bytes>", "SETCURSEL:<index>" ...
std::string Describe(const Record& record);

// Milliseconds on the same clock as Record::ms.
double NowMs();

class FakeClient {
 public:
  FakeClient();
  ~FakeClient();
  FakeClient(const FakeClient&) = delete;
  FakeClient& operator=(const FakeClient&) = delete;

  // Runs `fn` on the client's thread and waits for it.
  void Run(const std::function<void()>& fn);

  // A window of the class (registered on first use) on the client's thread; parent 0 makes a
  // top-level window. Children are added in child order (each after the previous ones).
  HWND Add(const char* className, HWND parent, const std::string& name, const char* title = "",
           DWORD extraStyle = 0);

  // The main window with its MDI client and a toolbar of 30 icons ("toolbar.icon1" ...).
  HWND AddMain();
  HWND Mdi() const { return mdi_; }
  // An "AOL Child" of the MDI client with children of these classes, named "<name>.<n>" for the
  // n-th child, icons "<name>.iconN"; it goes on top of the Z-order of its siblings.
  HWND AddChild(const std::string& name, const std::vector<const char*>& childClasses,
                const char* title = "");
  HWND AddChatRoom(const std::string& name = "chat", const char* title = "Lobby");
  HWND AddKeywordWindow(const std::string& name = "keyword");
  HWND AddMailbox(const std::string& name = "mailbox");  // list "mailbox.list"
  HWND AddOpenMail(const std::string& name = "mail");

  HWND Named(const std::string& name) const;

  std::vector<Record> Log() const;
  // The records of one window, described.
  std::vector<std::string> LogOf(const std::string& window) const;
  void ClearLog();

  // Holds the client's thread in a handler (it answers nothing) until Unblock().
  void Block();
  void Unblock();

  // Called on the client's thread by the windows' procedure.
  void Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Loop();

  std::thread thread_;
  DWORD threadId_ = 0;
  HWND control_ = nullptr;
  HWND mdi_ = nullptr;
  HANDLE ready_ = nullptr;
  HANDLE release_ = nullptr;
  mutable std::mutex mutex_;
  std::map<HWND, std::string> names_;
  std::vector<Record> log_;
  std::vector<HWND> topLevel_;
};

// A standard dialog with a button and a static text, shown by another process (this test
// program started again in a helper mode). Ends the process on destruction.
class OtherProcessDialog {
 public:
  explicit OtherProcessDialog(const char* title);
  ~OtherProcessDialog();
  HWND Dialog() const { return dialog_; }

 private:
  PROCESS_INFORMATION process_{};
  HWND dialog_ = nullptr;
};

// A visible standard dialog ("#32770") with a "button" and a "static" child, made on the
// calling thread.
HWND MakeDialog(const char* title, HWND owner = nullptr);

}  // namespace driver_fixture
