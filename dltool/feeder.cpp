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

#include "aol/candidate_walk.h"
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

// ---- The watchdog ------------------------------------------------------------------------
// Timer1 alone would have to tick every few milliseconds to answer a dialog at once, and under
// wine that costs Vantor more than a percent of a core for a whole run. Instead the platform
// tells us when the client creates a standard dialog (wine delivers EVENT_OBJECT_CREATE across
// processes within about a millisecond, but not EVENT_OBJECT_SHOW), and a short burst of quick
// looks then catches it once it shows. Timer1 goes on ticking slowly, for a dialog whose
// creation was not reported.

// How long the quick looks go on after a dialog of the client was created, and how often.
constexpr UINT kBurstLookMs = 1;
constexpr ULONGLONG kBurstLengthMs = 1000;

HWINEVENTHOOK dialogHook = nullptr;
UINT_PTR burstTimer = 0;
ULONGLONG burstEnd = 0;

void StopBurst() {
  if (burstTimer) KillTimer(nullptr, burstTimer);
  burstTimer = 0;
}

void CALLBACK BurstTick(HWND, UINT, UINT_PTR, DWORD) {
  DLtool& panel = App().dltool;
  if (!panel.Timer1.Enabled() || GetTickCount64() >= burstEnd) {
    StopBurst();
    return;
  }
  panel.Timer1_Timer();
}

void CALLBACK WindowCreated(HWINEVENTHOOK, DWORD, HWND hwnd, LONG idObject, LONG idChild, DWORD,
                            DWORD) {
  if (idObject != OBJID_WINDOW || idChild != CHILDID_SELF || !hwnd) return;
  char cls[16] = {};
  if (GetClassNameA(hwnd, cls, sizeof cls) <= 0 || lstrcmpiA(cls, "#32770") != 0) return;
  burstEnd = GetTickCount64() + kBurstLengthMs;
  if (!burstTimer) burstTimer = SetTimer(nullptr, 0, kBurstLookMs, BurstTick);
}

// Switches the watchdog: Timer1, and the report of the client's new dialogs.
void SetWatchdog(DLtool& panel, bool on) {
  panel.Timer1.SetEnabled(on);
  if (on && !dialogHook) {
    DWORD clientProcess = 0;  // 0, every process, while no client is running
    if (HWND main = aol::FindAolMain().get()) GetWindowThreadProcessId(main, &clientProcess);
    dialogHook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, WindowCreated,
                                 clientProcess, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNTHREAD);
  } else if (!on) {
    if (dialogHook) UnhookWinEvent(dialogHook);
    dialogHook = nullptr;
    StopBurst();
  }
}

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
// For waits that Stop must not shorten.
constexpr double kNoGrace = 1e300;
// How long a stopped run still watches for a window it had asked for before Stop cut the wait,
// to close it (within the wait's own limit): a slow client's menu, prompt or mailbox is not left
// open, and a client that never shows it does not hold the stopped run for long.
constexpr double kWatchAfterStop = 5.0;

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

// The fixed pauses of a run, in seconds.
constexpr double kBeforePromptAnswer = 0.2;  // AOL's prompt settles before its icon is pressed
constexpr double kBeforeNextMail = 0.4;      // the prompt has gone before the mail moves on
constexpr double kAfterMailClose = 0.2;      // plain ending: the mail closing, not waited for
constexpr double kAroundMarkingNew = 0.5;   // keep as new: before the first and after the last mark
constexpr double kAfterMailboxClose = 0.3;  // the mailbox closing, at the end of every ending

HWND OpenMenu() {
  HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

bool MenuOpen() {
  return OpenMenu() != nullptr;
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
  bool Stopped() const { return p_.Option1.Value(); }
  // A box that holds no number: the run ends where it was read.
  void NotANumber() {
    SetCounter(0);
    MsgBox(kNotANumber, MB_ICONEXCLAMATION, kTitle);
    SetWatchdog(p_, false);
  }
  // An AOL window that never came: nothing more goes to AOL, and the user learns what stuck.
  void GiveUp(const std::wstring& what) {
    SetWatchdog(p_, false);
    SetCounter(0);
    MsgBox(what + L"\r\n" + MailsBefore(handed_), MB_ICONEXCLAMATION, kTitle);
  }
  // Stop cut a wait for one of AOL's windows short, but the window asked for may still come: the
  // run watches for it a while longer and closes it as soon as it shows, so that a stopped run
  // leaves nothing of AOL's open behind it.
  void CloseIfItComes(const std::function<HWND()>& find, double seconds,
                      const std::function<void(HWND)>& close);
  // Stop pressed before the first mail was opened: no mail is opened, the watchdog is never
  // started, the mailbox the run asked for is closed, and the run ends as any stopped run.
  void EndBeforeWalk();
  // The pause after a mail, at the speed in the box now. False when the run had to end.
  bool SpeedPause();
  // The mails one by one; false when the run has already ended.
  bool Walk();
  // Closing the mail and the mailbox, marking the range as new if asked; false when it gave up.
  bool Ending();
  // The mail window the run walks; the user's own open mails are none of its business.
  HWND RunMail() const {
    return mailWindow_ && IsWindow(mailWindow_) ? mailWindow_ : skarnel_aol7::FindOpenMail();
  }

  DLtool& p_;
  int first_ = 0, last_ = 0;
  // The last mail the walk reaches: the range's last, or the mailbox's last mail when the range
  // runs past it (the count read when the mailbox opened). Past its last mail the client's mail
  // window stays where it is, and the same mail would be queued again and again.
  int lastInMailbox_ = 0;
  int handed_ = 0;  // mails whose Download prompt was answered
  HWND mailWindow_ = nullptr;
};

void Run::CloseIfItComes(const std::function<HWND()>& find, double seconds,
                         const std::function<void(HWND)>& close) {
  // Another Stop does not shorten this: the run is already ending.
  if (WaitFor([&] { return find() != nullptr; }, std::min(seconds, kWatchAfterStop), 2, kNoGrace) ==
      WaitResult::Found)
    close(find());
}

void Run::EndBeforeWalk() {
  SendWindow(skarnel_aol7::FindMailbox(), WM_CLOSE);
  SetCounter(0);
  MsgBox(kDone, MB_OK, kTitle);
}

bool Run::SpeedPause() {
  auto speed = dltool::ReadSpeed(p_.Combo1.Text());
  if (!speed) {
    NotANumber();
    return false;
  }
  // A negative speed pauses not at all; a huge one lasts until Stop, which ends the walk anyway.
  WaitFor([this] { return Stopped(); }, *speed, 1000, 0);
  return true;
}

bool Run::Walk() {
  int64_t remaining = static_cast<int64_t>(last_) - first_ + 1;
  for (int64_t mail = first_; mail <= lastInMailbox_ && !Stopped(); ++mail) {
    skarnel_aol6::DoEvents();
    // The open mail's second icon opens its pop-up menu; the press is posted, because the menu
    // runs inside the client's handling of the press and a sent press would wait for it.
    skarnel_aol6::ClickButton(dltool::NthIcon(dltool::FrontAolChild(), 2));
    double asked = Now();
    switch (WaitFor(MenuOpen, dltool::Limits().menu)) {
      case WaitResult::GaveUp:
        GiveUp(L"AOL's download menu did not open.");
        return false;
      case WaitResult::Stopped:
        // Escape closes a menu that comes late, without choosing anything.
        CloseIfItComes(OpenMenu, dltool::Limits().menu - (Now() - asked), [](HWND menu) {
          PostKey(menu, VK_ESCAPE);
          WaitFor([] { return !MenuOpen(); }, dltool::Limits().menu, 2, kNoGrace);
        });
        return true;
      case WaitResult::Found:
        break;
    }
    // Down, Down, Enter: the menu's second entry puts the mail in the Download Manager.
    HWND menu = OpenMenu();
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
    asked = Now();
    switch (
        WaitFor([] { return skarnel_aol6::FindAolModal() != nullptr; }, dltool::Limits().prompt)) {
      case WaitResult::GaveUp:
        GiveUp(L"AOL's download prompt did not appear.");
        return false;
      case WaitResult::Stopped:
        // The mail is queued by the time the prompt shows; its only answer is its first icon.
        CloseIfItComes(skarnel_aol6::FindAolModal, dltool::Limits().prompt - (Now() - asked),
                       [](HWND prompt) { skarnel_aol6::ClickIcon(dltool::NthIcon(prompt, 1)); });
        return true;
      case WaitResult::Found:
        break;
    }
    skarnel_aol6::Pause(kBeforePromptAnswer);
    skarnel_aol6::ClickIcon(dltool::NthIcon(skarnel_aol6::FindAolModal(), 1));
    ++handed_;
    skarnel_aol6::Pause(kBeforeNextMail);
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
  const HWND mail = RunMail();
  SendWindow(mail, WM_CLOSE);
  if (p_.Check1.Value() != 1) {
    skarnel_aol6::Pause(kAfterMailClose);
    pressMarkNew();
    SendWindow(skarnel_aol7::FindMailbox(), WM_CLOSE);
    skarnel_aol6::Pause(kAfterMailboxClose);
    return true;
  }
  // Keep as new: the mails can only be marked from the mailbox once the run's mail window is
  // gone. Other open mails (the user's own, or one an earlier run left) may stay.
  if (WaitFor([mail] { return !IsWindow(mail); }, dltool::Limits().mailClose) ==
      WaitResult::GaveUp) {
    GiveUp(L"The open mail did not close.");
    return false;
  }
  skarnel_aol6::Pause(kAroundMarkingNew);
  pressMarkNew();
  // The whole range, whether or not Stop cut the walk short, but only mails that exist; a Stop
  // pressed during this walk ends it (a huge range would otherwise hold the program for hours).
  const int stopsBefore = stopPresses;
  for (int64_t k = first_; k <= lastInMailbox_ && stopPresses == stopsBefore; ++k) {
    skarnel_aol6::DoEvents();
    skarnel_aol7::SelectMailAt(static_cast<int>(k));
    pressMarkNew();
  }
  skarnel_aol6::Pause(kAroundMarkingNew);
  SendWindow(skarnel_aol7::FindMailbox(), WM_CLOSE);
  skarnel_aol6::Pause(kAfterMailboxClose);
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
  // Stopped during the announcement: the mailbox has not been asked for yet.
  if (Stopped()) return EndBeforeWalk();
  skarnel_aol7::ClickToolbarIcon();
  const double asked = Now();
  switch (
      WaitFor([] { return skarnel_aol7::FindMailbox() != nullptr; }, dltool::Limits().mailbox)) {
    case WaitResult::GaveUp:
      GiveUp(L"AOL's mailbox did not open.");
      return;
    case WaitResult::Stopped:
      CloseIfItComes(skarnel_aol7::FindMailbox, dltool::Limits().mailbox - (Now() - asked),
                     [](HWND) {});
      return EndBeforeWalk();
    case WaitResult::Found:
      break;
  }
  // The mailbox settles before its mails are counted; Stop ends the wait at once.
  WaitFor([this] { return Stopped(); }, dltool::kMailboxSettleSeconds, 1000, 0);
  if (Stopped()) return EndBeforeWalk();
  const LRESULT mails = aol::ForeignWindow(skarnel_aol7::MailListOf(skarnel_aol7::FindMailbox()))
                            .Send(LB_GETCOUNT)
                            .value_or(0);
  if (first_ > mails) {
    MsgBox(kTooFewMails, MB_OK, kTitle);
    SetCounter(0);
    return;
  }
  lastInMailbox_ = static_cast<int>(std::min<LRESULT>(last_, mails));

  SetWatchdog(p_, true);
  if (!skarnel_aol7::FindMailbox()) {
    SetWatchdog(p_, false);
    return;
  }
  skarnel_aol7::OpenMailAt(first_);
  if (!SpeedPause()) return;
  // By now the mail just opened is the top open mail: the one the walk moves on and the ending
  // closes.
  mailWindow_ = skarnel_aol7::FindOpenMail();
  if (!Walk()) return;
  if (!Ending()) return;

  SetCounter(0);
  // Shown while the watchdog still runs: it only ever presses the client's dialogs, not this.
  MsgBox(kDone, MB_OK, kTitle);
  SetWatchdog(p_, false);
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
  SetWatchdog(*this, false);
  Option1.SetValue(true);
  ++stopPresses;
}

void DLtool::Timer1_Timer() {
  // The cheap look for any standard dialog comes first: most ticks find none.
  if (!FindWindowA("#32770", nullptr)) return;
  HWND dialog = skarnel_aol7::FindClientDialog();
  if (!dialog) return;
  // The space bar, pressed twice, on the dialog's first button answers it with that button.
  HWND button = aol::ForeignWindow(dialog).Child("button").get();
  PostKey(button, VK_SPACE);
  PostKey(button, VK_SPACE);
}

}  // namespace ui
