// The download feeder: Add walks a range of the mailbox's mails into AOL's Download Manager,
// Stop ends the walk after the mail in hand, and the watchdog answers the client's dialogs while
// a run is in progress.
#include "dltool/feeder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "aol/foreign_window.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "core/banner_lines.h"
#include "dltool/mail_number.h"
#include "ui/app.h"

namespace dltool {

WaitLimits& Limits() {
  static WaitLimits limits;
  return limits;
}

HWND FrontAolChild() {
  return aol::FindTopLevel("aol frame25").Child("mdiclient").Child("aol child").get();
}

HWND NthIcon(HWND window, int n) {
  return aol::ForeignWindow(window).NthChild("_aol_icon", n).get();
}

}  // namespace dltool

namespace ui {
namespace {

constexpr wchar_t kNotANumber[] = L"Only #'s NO letters or punctuations";
constexpr wchar_t kEmptyRange[] = L"Stop playin with yourself!";
constexpr wchar_t kNoSpeed[] = L"Must select a speed to move through mails.";
constexpr wchar_t kTooFewMails[] = L"Not enough mails in the mail box!";
constexpr wchar_t kDone[] = L"Mails have been added to DL Manager.";

// Stop presses so far. A wait ends early on a press made while it waits; a press made before
// (the stop flag already set) must not cut short the ending's wait for the mail to close.
int stopPresses = 0;

enum class WaitResult { Found, Stopped, GaveUp };

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / frequency;
}

// How long a wait still gives the client once Stop was pressed: a window that is just coming
// lets the mail in hand be finished; a client that is stuck no longer holds up the ending.
constexpr double kGraceAfterStop = 1.0;

// Waits until `found` holds or `seconds` have passed, handling every message meanwhile. It
// sleeps in the platform's wait and looks again at least every `pollMs`: the AOL client's
// windows appear without telling us (a menu shows a few milliseconds after the click, so the
// default look every 2 ms costs little and keeps the walk close to its prescribed pauses); our
// own events wake the wait at once. A Stop pressed while it waits cuts what is left of it down
// to the grace.
WaitResult WaitFor(const std::function<bool()>& found, double seconds, DWORD pollMs = 2,
                   double grace = kGraceAfterStop) {
  const int stopsBefore = stopPresses;
  bool stopped = false;
  double deadline = Now() + std::max(seconds, 0.0);  // +inf for an endless speed
  for (;;) {
    if (found()) return WaitResult::Found;
    if (!stopped && stopPresses != stopsBefore) {
      stopped = true;
      deadline = std::min(deadline, Now() + grace);
    }
    const double remaining = deadline - Now();
    if (remaining <= 0) return stopped ? WaitResult::Stopped : WaitResult::GaveUp;
    const double ms = std::clamp(std::ceil(remaining * 1000.0), 1.0, static_cast<double>(pollMs));
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    skarnel_aol6::DoEvents();
  }
}

void SendWindow(HWND window, UINT message) {
  aol::ForeignWindow(window).Send(message);
}

// A key pressed and released, posted: the client handles it after we have gone on.
void PostKey(HWND window, WPARAM key) {
  aol::ForeignWindow w(window);
  w.Post(WM_KEYDOWN, key, 0);
  w.Post(WM_KEYUP, key, 0);
}

bool MenuOpen() {
  HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu);
}

std::wstring MailsBefore(int handed) {
  return std::to_wstring(handed) + (handed == 1 ? L" mail had" : L" mails had") +
         L" been added to DL Manager before it.";
}

class Run {
 public:
  explicit Run(DLtool& panel) : p_(panel) {}
  void Go();

 private:
  void SetCounter(int64_t value) { p_.Label5.SetCaption(std::to_wstring(value)); }
  // A box that holds no number: the run ends where it was read.
  void NotANumber() {
    SetCounter(0);
    MsgBox(kNotANumber, MB_ICONEXCLAMATION, kTitle);
    p_.Timer1.SetEnabled(false);
  }
  // An AOL window that never came: nothing more goes to AOL, and the user learns what stuck.
  void GiveUp(const std::wstring& what) {
    p_.Timer1.SetEnabled(false);
    SetCounter(0);
    MsgBox(what + L"\r\n" + MailsBefore(handed_), MB_ICONEXCLAMATION, kTitle);
  }
  // The pause after a mail, at the speed in the box now. False when the run had to end.
  bool SpeedPause();
  // The mails one by one; false when the run has already ended.
  bool Walk();
  // Closing the mail and the mailbox, marking the range as new if asked; false when it gave up.
  bool Ending();

  DLtool& p_;
  int first_ = 0, last_ = 0;
  int handed_ = 0;  // mails whose Download prompt was answered
};

bool Run::SpeedPause() {
  auto speed = dltool::ReadSpeed(p_.Combo1.Text());
  if (!speed) {
    NotANumber();
    return false;
  }
  // A negative speed pauses not at all; a huge one lasts until Stop, which ends the walk anyway.
  WaitFor([this] { return p_.Option1.Value(); }, *speed, 1000, 0);
  return true;
}

bool Run::Walk() {
  int64_t remaining = static_cast<int64_t>(last_) - first_ + 1;
  while (remaining > 0 && !p_.Option1.Value()) {
    skarnel_aol6::DoEvents();
    // The open mail's second icon opens its pop-up menu; the press is posted, so it returns
    // before the menu shows.
    skarnel_aol6::ClickButton(dltool::NthIcon(dltool::FrontAolChild(), 2));
    switch (WaitFor(MenuOpen, dltool::Limits().menu)) {
      case WaitResult::GaveUp:
        GiveUp(L"AOL's download menu did not open.");
        return false;
      case WaitResult::Stopped:
        return true;
      case WaitResult::Found:
        break;
    }
    // Down, Down, Enter: the menu's second entry puts the mail in the Download Manager.
    HWND menu = FindWindowA("#32768", nullptr);
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
    switch (
        WaitFor([] { return skarnel_aol6::FindAolModal() != nullptr; }, dltool::Limits().prompt)) {
      case WaitResult::GaveUp:
        GiveUp(L"AOL's download prompt did not appear.");
        return false;
      case WaitResult::Stopped:
        return true;
      case WaitResult::Found:
        break;
    }
    skarnel_aol6::Pause(0.2);
    skarnel_aol6::ClickIcon(dltool::NthIcon(skarnel_aol6::FindAolModal(), 1));
    ++handed_;
    skarnel_aol6::Pause(0.4);
    // The mail window's sixth icon moves it on to the next mail of the list.
    skarnel_aol6::ClickIcon(dltool::NthIcon(dltool::FrontAolChild(), 6));
    SetCounter(--remaining);
    if (!SpeedPause()) return false;
  }
  return true;
}

bool Run::Ending() {
  auto pressMarkNew = [] {
    skarnel_aol6::ClickIcon(dltool::NthIcon(skarnel_aol7::FindMailbox(), 3));
  };
  if (p_.Check1.Value() != 1) {
    SendWindow(skarnel_aol7::FindOpenMail(), WM_CLOSE);
    skarnel_aol6::Pause(0.2);
    pressMarkNew();
    SendWindow(skarnel_aol7::FindMailbox(), WM_CLOSE);
    skarnel_aol6::Pause(0.3);
    return true;
  }
  // Keep as new: the mails can only be marked from the mailbox once the mail window is gone.
  SendWindow(skarnel_aol7::FindOpenMail(), WM_CLOSE);
  if (WaitFor([] { return skarnel_aol7::FindOpenMail() == nullptr; }, dltool::Limits().mailClose) ==
      WaitResult::GaveUp) {
    GiveUp(L"The open mail did not close.");
    return false;
  }
  skarnel_aol6::Pause(0.5);
  pressMarkNew();
  // The whole range, whether or not Stop cut the walk short; a Stop pressed during this walk
  // ends it (a huge range would otherwise hold the program for hours).
  const int stopsBefore = stopPresses;
  for (int64_t k = first_; k <= last_ && stopPresses == stopsBefore; ++k) {
    skarnel_aol6::DoEvents();
    skarnel_aol7::SelectMailAt(static_cast<int>(k));
    pressMarkNew();
  }
  skarnel_aol6::Pause(0.5);
  SendWindow(skarnel_aol7::FindMailbox(), WM_CLOSE);
  skarnel_aol6::Pause(0.3);
  return true;
}

void Run::Go() {
  p_.Option1.SetValue(false);
  // Both numbers are taken once, here: boxes edited during the run cannot move its range.
  auto first = dltool::ReadMailNumber(p_.Text1.Text());
  auto last = dltool::ReadMailNumber(p_.Text2.Text());
  if (!first || !last) {
    NotANumber();
    return;
  }
  first_ = *first;
  last_ = *last;
  SetCounter(static_cast<int64_t>(last_) - first_ + 1);
  if (last_ <= first_) {
    MsgBox(kEmptyRange, MB_ICONEXCLAMATION, kTitle);
    SetCounter(0);
    return;
  }
  const std::wstring speedText = p_.Combo1.Text();
  if (speedText.empty() || speedText == L"Speed") {
    SetCounter(0);
    MsgBox(kNoSpeed, MB_ICONEXCLAMATION, kTitle);
    return;
  }

  if (skarnel_aol7::FindChatRoom()) {
    skarnel_aol7::SendChat(core::SignatureLine());
    skarnel_aol7::SendChat(core::AddingLine(p_.Label5.Caption()));
    skarnel_aol7::SendChat(core::LinkLine());
  }
  skarnel_aol7::ClickToolbarIcon();
  switch (
      WaitFor([] { return skarnel_aol7::FindMailbox() != nullptr; }, dltool::Limits().mailbox)) {
    case WaitResult::GaveUp:
      GiveUp(L"AOL's mailbox did not open.");
      return;
    case WaitResult::Stopped:
      // Nothing is open yet, so there is nothing to close or mark.
      SetCounter(0);
      MsgBox(kDone, MB_OK, kTitle);
      return;
    case WaitResult::Found:
      break;
  }
  skarnel_aol6::Pause(4);
  HWND box = skarnel_aol7::FindMailbox();
  const LRESULT mails = aol::ForeignWindow(box)
                            .Child("_aol_tabcontrol")
                            .Child("_aol_tabpage")
                            .Child("_aol_tree")
                            .Send(LB_GETCOUNT)
                            .value_or(0);
  if (first_ > mails) {
    MsgBox(kTooFewMails, MB_OK, kTitle);
    SetCounter(0);
    return;
  }

  p_.Timer1.SetEnabled(true);
  if (!skarnel_aol7::FindMailbox()) {
    p_.Timer1.SetEnabled(false);
    return;
  }
  skarnel_aol7::OpenMailAt(first_);
  if (!SpeedPause()) return;
  if (!Walk()) return;
  if (!Ending()) return;

  SetCounter(0);
  // Shown while the watchdog still runs: it only ever presses the client's dialogs, not this.
  MsgBox(kDone, MB_OK, kTitle);
  p_.Timer1.SetEnabled(false);
}

}  // namespace

void DLtool::Label3_Click() {
  PlayPress();
  if (running) return;  // no run inside a run
  running = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{running};
  Run(*this).Go();
}

void DLtool::Label4_Click() {
  PlayPress();
  Timer1.SetEnabled(false);
  Option1.SetValue(true);
  ++stopPresses;
}

void DLtool::Timer1_Timer() {
  // A hundred ticks a second: the one cheap look for any standard dialog comes first.
  if (!FindWindowA("#32770", nullptr)) return;
  HWND dialog = skarnel_aol7::FindClientDialog();
  if (!dialog) return;
  // The space bar, pressed twice, on the dialog's first button answers it with that button.
  HWND button = aol::ForeignWindow(dialog).Child("button").get();
  PostKey(button, VK_SPACE);
  PostKey(button, VK_SPACE);
}

}  // namespace ui
