#pragma once
// Driving programs from outside, as a user (or a screen reader) would: start vantor.exe and
// aol7sim.exe as processes, find their windows by title, caption and class, press labels, fill
// and read controls, answer their message boxes and prompts, and wait for them to end. Every wait
// has a deadline. Text crosses process boundaries as wide messages: wine's ANSI LB_GETTEXT to a
// list box of another process writes UTF-16 into the caller's buffer.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "sim/sim.h"
#include "tests/support/wait.h"

namespace testing_support {

// The folder of the running test program, without a trailing backslash; vantor.exe and
// aol7sim.exe are built beside it.
std::wstring TestProgramFolder();

// A program started by a test. It is ended (by its own handle) when the object goes, so a failed
// test leaves nothing running; it also belongs to a job that kills it when the test program ends.
class Process {
 public:
  // Starts `exe` (a full path) with `arguments`, in `exe`'s folder. Check Started().
  Process(const std::wstring& exe, const std::wstring& arguments = L"");
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  // Waits until the process has ended; false if it still runs at the deadline.
  Waited WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const;  // STILL_ACTIVE while it runs
  void Kill();             // ends it now, if it still runs, and waits for the end

 private:
  HANDLE process_ = nullptr;
  HANDLE job_ = nullptr;
  DWORD id_ = 0;
};

// A window that a wait looked for: the handle (0 when it did not come in time) and how the wait
// ended. In a gtest check (ASSERT_TRUE(found)) a miss says what was waited for and which windows
// the process showed last.
class FoundWindow {
 public:
  FoundWindow(HWND window, Waited waited) : window_(window), waited_(std::move(waited)) {}
  operator HWND() const { return window_; }
  operator ::testing::AssertionResult() const;  // defined with the gtest support only

 private:
  HWND window_;
  Waited waited_;
};

// The top-level windows of process `pid` as a wait's report shows them, and the foreground.
std::string TopWindowsOf(DWORD pid);

// A top-level window of process `pid` whose title is exactly `title` (and, when given, whose
// class is `className`); visible or not. 0 when there is none.
HWND FindTopWindow(DWORD pid, std::wstring_view title, const wchar_t* className = nullptr);
// The same, waited for until it is visible.
FoundWindow WaitForTopWindow(DWORD pid, std::wstring_view title, DWORD timeoutMs = 5000,
                             const wchar_t* className = nullptr);

// A descendant of `parent` with exactly this caption and/or class (nullptr: any). 0 if none.
HWND FindChild(HWND parent, const wchar_t* caption, const wchar_t* className = nullptr);

// How a press reaches the window. Sent: returns after the handler has run (bounded by a
// generous timeout so a hung program cannot hang the test). Posted: returns at once; use it
// when the handler opens a modal box that the test must answer.
enum class Delivery { Send, Post };

// A left click on a label: WM_LBUTTONDOWN then WM_LBUTTONUP at the middle of its client area.
void ClickLabel(HWND label, Delivery delivery = Delivery::Send);
// A double-click with the left button (WM_LBUTTONDBLCLK), e.g. on the splash panel.
void DoubleClick(HWND window, Delivery delivery = Delivery::Send);

// A window's text through WM_SETTEXT / WM_GETTEXT (works for edit controls of other processes).
void SetText(HWND window, std::wstring_view text);
std::wstring GetText(HWND window);
// The items of a list box of another process, first to last.
std::vector<std::wstring> ReadListBox(HWND list);

// A visible top-level window of class `className` shown by process `pid`, waited for; 0 at the
// deadline. A standard dialog is "#32770", an open pop-up menu "#32768".
FoundWindow WaitForVisibleWindow(DWORD pid, const wchar_t* className, DWORD timeoutMs = 5000);
// A visible standard dialog ("#32770") shown by process `pid`, waited for; 0 at the deadline.
FoundWindow WaitForDialog(DWORD pid, DWORD timeoutMs = 5000);
// A key press and release, posted (an open pop-up menu takes them from its thread's queue:
// VK_UP with nothing selected selects the last item, VK_RETURN chooses the selected one).
void PostKey(HWND window, UINT virtualKey);
// The dialog's message: the texts of its static controls that have any, joined by "\n".
std::wstring DialogText(HWND dialog);
// Presses the dialog's OK (IDOK, else its first visible button) with the space bar, and waits
// until the dialog is no longer visible. False if it stays.
bool PressDialogOk(HWND dialog, DWORD timeoutMs = 5000);
// Types `answer` into the dialog's edit field, then presses OK as above.
bool AnswerPrompt(HWND dialog, std::wstring_view answer, DWORD timeoutMs = 5000);

// The simulator's journal file as aol7sim.exe writes it; empty if the file cannot be read.
std::vector<sim::Event> ReadJournalFile(const std::wstring& path);

// The text of every event of one kind and target, in order (e.g. the lines set into the room).
std::vector<std::string> TextsOf(const std::vector<sim::Event>& journal, std::string_view what,
                                 std::string_view target);

}  // namespace testing_support
