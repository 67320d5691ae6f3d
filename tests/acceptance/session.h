#pragma once
// vantor.exe and the simulated AOL client (aol7sim.exe) as two programs of their own, driven from
// outside as a user would: panels found by title, controls by caption, class or place, clicks
// as mouse messages, boxes answered through their standard dialogs. Shared by the acceptance
// suite and the tour program (which has no test framework: nothing here asserts).
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim.h"
#include "tests/support/outside.h"
#include "tests/support/trigger_store.h"
#include "tests/support/wait.h"

namespace acceptance {

// The panels' titles: the automation contract.
inline constexpr wchar_t kHeadTitle[] = L"Vantor v 2.0 by: Skarnel";
inline constexpr wchar_t kListTitle[] = L"Vantor - Request List";
inline constexpr wchar_t kDlTitle[] = L"Form4";
inline constexpr wchar_t kGreetTitle[] = L"Vantor - Greetz";
inline constexpr wchar_t kSplashTitle[] = L"Vantor";
inline constexpr wchar_t kPanelClass[] = L"VantorForm";

// The pop-up menu's items as the keyboard reaches them (separators are skipped): the number of
// VK_DOWN presses that select each.
enum class MenuItem {
  ClearTrigger1 = 1,
  ClearTrigger2,
  ClearTrigger3,
  ClearTrigger4,
  ClearAll,
  ViewRequestList,
  DlTool,
  About,
  Greetz,
  Exit
};

// A fresh, unique path in the temporary folder (nothing is created).
std::wstring TempPath(std::wstring_view stem);

// The file c:\triggers.ini, seen from outside: the in-process tests' guard and helpers, with the
// path in the wide form these tests' file calls take.
namespace store {
using Guard = testing_support::TriggerStoreGuard;
inline constexpr wchar_t kPath[] = L"c:\\triggers.ini";
inline std::optional<std::string> Read() {
  return Guard::Read();
}
inline void Write(std::string_view bytes) {
  Guard::Write(bytes);
}
inline void Remove() {
  Guard::Remove();
}
}  // namespace store

// aol7sim.exe with a journal and a state file of its own.
class Sim {
 public:
  // `switches`: extra command-line switches (the fault switches, --mails N ...). The journal and
  // the state file go to `filesFolder` and stay there when it is given, else to the temporary
  // folder and are removed at the end.
  explicit Sim(std::wstring switches = L"", std::wstring filesFolder = L"");
  ~Sim();
  Sim(const Sim&) = delete;
  Sim& operator=(const Sim&) = delete;

  // Waits for the client's main window (or, with --foreign-dialog, its message box).
  bool WaitUp(DWORD timeoutMs = 10000);
  // Waits for the chat room: it opens inside the client just after the main window shows, and
  // Vantor's start banner goes out only if the room is there when the main panel loads.
  bool WaitRoom(DWORD timeoutMs = 5000);
  HWND Main() const;
  DWORD Pid() const { return process_.Id(); }
  bool Running() const { return process_.Running(); }
  testing_support::Process& Process() { return process_; }

  std::vector<sim::Event> Journal() const;
  sim::State State() const;
  // The chat room's lines ("Name: text"), from the state file.
  std::vector<std::string> Transcript() const { return State().transcript; }
  // The texts Vantor set into the room's input box, in order.
  std::vector<std::string> Typed() const;
  // The lines said in the room by the member (Vantor's lines, without "Member: ").
  std::vector<std::string> SaidByMember() const;
  // The journal's length now, and the events that came after such a mark.
  size_t Mark() const { return Journal().size(); }
  std::vector<sim::Event> Since(size_t mark) const;
  // The member's lines said after a mark.
  std::vector<std::string> SaidSince(size_t mark) const;
  // Events of one kind, in order.
  std::vector<sim::Event> EventsOf(std::string_view what) const;

  // Pumps messages until `done` holds for the journal, or the deadline.
  // A wait that gives up reports the journal's last events.
  testing_support::Waited WaitForJournal(
      const std::function<bool(const std::vector<sim::Event>&)>& done, DWORD timeoutMs = 10000,
      std::string_view what = "the journal to show it") const;
  // Waits until the transcript holds `line` (exactly).
  testing_support::Waited WaitForLine(const std::string& line, DWORD timeoutMs = 10000) const;
  // Waits until the member has said `count` lines in all.
  testing_support::Waited WaitForMemberLines(size_t count, DWORD timeoutMs = 10000) const;

  // The chat room's window ("AOL Child" with the room's name), or 0.
  HWND Room(std::wstring_view name = L"Lobby") const;
  void CloseRoom(std::wstring_view name = L"Lobby") const;

  void Close();  // closes the main window and waits; kills the program if it stays
  void Kill();

  const std::wstring& JournalPath() const { return journal_; }
  const std::wstring& StatePath() const { return state_; }

 private:
  std::wstring journal_, state_;
  bool keepFiles_;
  testing_support::Process process_;
};

// vantor.exe.
class Vantor {
 public:
  Vantor();
  Vantor(const Vantor&) = delete;
  Vantor& operator=(const Vantor&) = delete;

  DWORD Pid() const { return process_.Id(); }
  bool Running() const { return process_.Running(); }
  testing_support::Process& Process() { return process_; }

  // Waits for the splash panel; then double-clicks it and waits for the main panel.
  bool WaitSplash(DWORD timeoutMs = 15000);
  bool OpenMainPanel(DWORD timeoutMs = 10000);
  bool Start() { return WaitSplash() && OpenMainPanel(); }

  // A panel by title (visible or not), or 0.
  HWND Panel(std::wstring_view title) const;
  HWND Head() const { return Panel(kHeadTitle); }
  bool PanelVisible(std::wstring_view title) const;
  testing_support::Waited WaitPanelVisible(std::wstring_view title, DWORD timeoutMs = 5000) const;
  // Until the panel is the only one shown: a switch shows the next panel before the last hides.
  testing_support::Waited WaitPanelAlone(std::wstring_view title) const;
  // The titles of the panels shown now, for reports.
  std::vector<std::wstring> ShownPanels() const;

  // A control of a panel by caption (and class), or by its place in twips.
  HWND Control(std::wstring_view panel, const wchar_t* caption,
               const wchar_t* className = nullptr) const;
  HWND ControlAt(std::wstring_view panel, int leftTwips, int topTwips) const;
  std::wstring Caption(HWND control) const { return testing_support::GetText(control); }

  // Clicks a label; sent, so it returns after the handler has run.
  bool Click(std::wstring_view panel, const wchar_t* caption);
  bool Click(HWND label);
  // Clicks a label that opens a modal box (posted) and returns the box, or 0 at the deadline.
  HWND ClickForDialog(std::wstring_view panel, const wchar_t* caption, DWORD timeoutMs = 5000);
  HWND ClickForDialog(HWND label, DWORD timeoutMs = 5000);
  testing_support::FoundWindow WaitDialog(DWORD timeoutMs = 5000) const;
  // Waits for a box of Vantor's, returns its text and presses OK ("" when none came). A box
  // with an icon (exclamation, information) reads "(icon) " before its text.
  std::wstring AnswerMessage(DWORD timeoutMs = 5000) const;

  // The main panel's parts.
  HWND Slot(int slot) const;  // trigger slot 1..4
  HWND RequestBox() const;
  HWND RollUp() const;
  // Clicks slot N and answers its prompt with `trigger` (nothing: Cancel is not offered, an
  // empty answer is typed). True when the slot then shows the trigger.
  bool ChooseTrigger(int slot, std::wstring_view trigger);
  // Makes `trigger` the chosen one through slot N: a click when the slot shows it already (no
  // prompt then), else ChooseTrigger.
  bool UseTrigger(int slot, std::wstring_view trigger);
  void TypeRequest(std::wstring_view text);
  // WM_KEYDOWN, WM_CHAR and WM_KEYUP with 13, posted to the request box, as the Enter key.
  void PressEnter();
  // Others, then the item through the keyboard on the visible pop-up menu. Posted: a modal box
  // or a pause of the item's handler does not hold the caller.
  bool ChooseMenu(MenuItem item, DWORD timeoutMs = 5000);

  // The request-list panel's list and count, and the DL Tool's parts.
  std::vector<std::wstring> RequestList() const;
  std::wstring CountLabel() const;
  std::vector<std::wstring> DlList() const;
  std::wstring DlCounter() const;
  // Waits until the DL Tool lists every mail of the client's mailbox: the opening copies the
  // list one item at a time, so a list with some items in it is not the list yet.
  testing_support::Waited WaitDlListed(const Sim& sim, DWORD timeoutMs = 15000) const;
  // Fills the DL Tool's boxes (first, last, speed) as typed text.
  void FillDl(std::wstring_view first, std::wstring_view last, std::wstring_view speed);
  void SetKeepAsNew(bool keep);

  // The program answers at once: a message is handled within a second, and a press of the
  // roll-up toggle changes its glyph (pressed again to put it back).
  bool Responsive() const;
  // "X" and the end of the process. False if it still runs at the deadline.
  bool Exit(DWORD timeoutMs = 10000);

 private:
  testing_support::Process process_;
};

// One client and one Vantor, started and past the splash (and the start banner, when the
// client has a chat room). The trigger store is saved first and put back last.
struct Pair {
  // `withClient` false: no AOL client runs at all.
  explicit Pair(std::wstring switches = L"", bool withClient = true);
  bool Start();
  // Only the client's part of Start: its main window up and its chat room (if any) set up.
  bool WaitClient();

  store::Guard store;
  std::unique_ptr<Sim> sim;
  Vantor vantor;
  bool ok = false;
  std::string failure;  // which part did not come up

 private:
  bool room_;
};

using testing_support::TextsOf;

// The ANSI (code page 1252) form of a wide text, as the chat room receives it.
std::string Ansi(std::wstring_view text);

}  // namespace acceptance
