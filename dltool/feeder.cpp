// The download feeder: Add walks a range of the mailbox's mails into AOL's Download Manager,
// Stop ends the walk after the mail in hand, and the watchdog answers the client's dialogs while
// a run is in progress. A run touches only the windows it opened itself (its mail window, its
// mailbox, AOL's prompt and the download menu its own press opened): the user goes on chatting,
// reading mail and clicking around AOL meanwhile, and none of that is pressed, typed into,
// closed or marked.
#include "dltool/feeder.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

}  // namespace dltool

namespace ui {
namespace {

using skarnel_aol6::Now;

constexpr wchar_t kNotANumber[] = L"Only #'s NO letters or punctuations";
constexpr wchar_t kEmptyRange[] = L"Stop playin with yourself!";
constexpr wchar_t kNoSpeed[] = L"Must select a speed to move through mails.";
constexpr wchar_t kTooFewMails[] = L"Not enough mails in the mail box!";
constexpr wchar_t kDone[] = L"Mails have been added to DL Manager.";

// How long a wait still gives the client once Stop was pressed: a window that is just coming
// lets the mail in hand be finished; a client that is stuck no longer holds up the ending.
constexpr double kGraceAfterStop = 1.0;
// How long a stopped run still watches for a window it had asked for before Stop cut the wait,
// to close it (within the wait's own limit): a slow client's menu, prompt or mailbox is not left
// open, and a client that never shows it does not hold the stopped run for long.
constexpr double kWatchAfterStop = 5.0;
// The least time a wait goes on looking after the last handler that ran inside it returned: a
// box held open from the main panel may use up a wait's whole limit, and one look after it would
// miss the window that comes a moment later and leave it open.
constexpr double kLookAfterHandler = 1.0;
// On Exit, how long the run still watches for the window it asked for, to answer or close it:
// the program ends within a few seconds even when the client never shows it.
constexpr double kWatchOnExit = 2.0;
// How often a wait looks for a window of the client that it was not told of. The client's menu,
// prompt and dialogs are reported as they are created and then looked for every millisecond
// until they show (the quick looks); this slower look is the fall-back for a window whose
// creation was not reported. Our own events wake a wait at once.
constexpr DWORD kLookMs = 10;

// The fixed pauses of a run, in seconds.
constexpr double kBeforePromptAnswer = 0.2;  // AOL's prompt settles before its icon is pressed
constexpr double kBeforeNextMail = 0.4;      // the prompt has gone before the mail moves on
constexpr double kAfterMailClose = 0.2;      // plain ending: the mail closing, not waited for
constexpr double kAroundMarkingNew = 0.5;   // keep as new: before the first and after the last mark
constexpr double kAfterMailboxClose = 0.3;  // the mailbox closing, at the end of every ending

// The quick looks after the client created a window: for how long after a dialog (which may
// take a while to build itself) and after a menu or prompt (which show within milliseconds).
// Outside the run's own waits (inside a box of Vantor's) a 1 ms timer looks for the dialog
// instead; the platform ticks it every 10 ms.
constexpr UINT kBurstTimerMs = 1;
constexpr double kDialogLooksSeconds = 1.0;
constexpr double kWindowLooksSeconds = 0.5;

enum class WaitResult { Found, Stopped, GaveUp };

// A key pressed and released, posted: the client handles it after we have gone on.
void PostKey(HWND window, WPARAM key) {
  aol::ForeignWindow w(window);
  w.Post(WM_KEYDOWN, key, 0);
  w.Post(WM_KEYUP, key, 0);
}

std::wstring MailsBefore(int handed) {
  return std::to_wstring(handed) + (handed == 1 ? L" mail had" : L" mails had") +
         L" been added to DL Manager before it.";
}

bool Exists(HWND window) {
  return window && IsWindow(window);
}

}  // namespace

// One run of Add, from the checks to the closing message. It owns everything the run holds: the
// Stop presses it has seen, the watchdog's report hook and quick-look timer, and the windows of
// AOL it opened itself. The panel points at it while it lasts (the platform's callbacks find it
// there); nothing of it outlives the run.
class FeederRun {
 public:
  explicit FeederRun(DLtool& panel) : p_(panel) {}
  ~FeederRun() { SetWatchdog(false); }
  FeederRun(const FeederRun&) = delete;
  FeederRun& operator=(const FeederRun&) = delete;

  void Go();
  void Stop() {
    SetWatchdog(false);
    ++stops_;
  }
  void EndForExit();

  // The platform's reports, passed on by the callbacks: a dialog of the client was created
  // (the watchdog looks for it quickly), or a menu or prompt was (the wait for it looks quickly).
  void DialogCreated();
  void WindowCreated();
  void BurstTick();

 private:
  // What the run has asked AOL for and not yet seen: what Exit must still answer or close.
  enum class Pending { Nothing, Mailbox, Menu, Prompt };

  // ---- The watchdog ----------------------------------------------------------------------
  // Timer1 alone would have to tick every few milliseconds to answer a dialog at once, and
  // under wine that costs Vantor more than a percent of a core for a whole run. Instead the
  // platform tells us when the client creates a window (wine delivers EVENT_OBJECT_CREATE across
  // processes within about a millisecond, but not EVENT_OBJECT_SHOW), and the run's waits then
  // look every millisecond until it shows: a dialog is pressed, a menu or prompt ends the wait
  // for it. Timer1 goes on ticking slowly, for a dialog whose creation was not reported.
  void SetWatchdog(bool on);
  void StopBurst();
  // At every look of the run's waits: the watchdog's quick look while a dialog is due. True
  // while the waits are to look every millisecond.
  bool QuickLook();
  // The run's waits and pauses: the program's one wait, with the run's quick looks.
  bool Wait(const std::function<bool()>& done, double seconds, DWORD lookMs);
  void Pause(double seconds);

  void SetCounter(int64_t value) { p_.Label5.SetCaption(std::to_wstring(value)); }
  bool Stopped() const { return p_.Option1.Value(); }
  // A box that holds no number: the run ends where it was read.
  void NotANumber();
  // An AOL window that never came: nothing more goes to AOL, and the user learns what stuck.
  void GiveUp(const std::wstring& what);
  // Something of the run's own was taken away (the user closed it): the run's other windows
  // are closed, and the user learns what went and how far the run got.
  void Lost(const std::wstring& what);

  // Waits for a window of AOL that the run asked for; a Stop pressed meanwhile cuts what is
  // left down to the grace. A handler that held the wait (a box of the main panel) does not
  // use up the client's time: the wait looks on a while after it.
  WaitResult WaitForWindow(const std::function<bool()>& found, double seconds);
  // Stop cut a wait for one of AOL's windows short, but the window asked for may still come:
  // the run watches for it a while longer and closes it as soon as it shows, so that a stopped
  // run leaves nothing of AOL's open behind it.
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
  // `notMarked` is set when keep-as-new could not mark (the mailbox was closed).
  bool Ending(bool& notMarked);
  // The mailbox's selection back on the range's first mail when the user moved it: its 3rd
  // icon acts on the selection, and the user's own mail is not to be marked.
  void SelectFirstAgain();
  void PressMarkNew() { skarnel_aol6::ClickIcon(skarnel_aol7::NthIcon(mailbox_, 3)); }
  void CloseOwnWindows(bool posted);
  HWND Menu() const { return skarnel_aol7::FindMenuOf(mailWindow_); }

  DLtool& p_;
  int first_ = 0, last_ = 0;
  // The last mail the walk reaches: the range's last, or the mailbox's last mail when the range
  // runs past it (the count read when the mailbox opened). Past its last mail the client's mail
  // window stays where it is, and the same mail would be queued again and again.
  int lastInMailbox_ = 0;
  int handed_ = 0;  // mails the Download Manager took (their prompt showed)
  int stops_ = 0;   // Stop presses during this run: a wait ends early on one made while it waits
  Pending pending_ = Pending::Nothing;
  bool exiting_ = false;
  // The windows of AOL that are the run's own.
  HWND mailbox_ = nullptr;
  HWND mailWindow_ = nullptr;
  // The report of the client's new windows, and the watchdog's burst of quick looks.
  HWINEVENTHOOK dialogHook_ = nullptr;
  UINT_PTR burstTimer_ = 0;
  double dialogLooksEnd_ = 0;  // quick looks for a dialog, until then (0: none due)
  double windowLooksEnd_ = 0;  // quick looks for a menu or prompt, until then
};

namespace {

FeederRun* ActiveRun() {
  return App().dltool.activeRun;
}

void CALLBACK BurstTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (FeederRun* run = ActiveRun()) run->BurstTick();
}

void CALLBACK ClientWindowCreated(HWINEVENTHOOK, DWORD, HWND hwnd, LONG idObject, LONG idChild,
                                  DWORD, DWORD) {
  if (idObject != OBJID_WINDOW || idChild != CHILDID_SELF || !hwnd) return;
  FeederRun* run = ActiveRun();
  char cls[16] = {};
  if (!run || GetClassNameA(hwnd, cls, sizeof cls) <= 0) return;
  if (lstrcmpiA(cls, "#32770") == 0)
    run->DialogCreated();
  else if (lstrcmpiA(cls, "#32768") == 0 || lstrcmpiA(cls, "_aol_modal") == 0)
    run->WindowCreated();  // the download menu, AOL's prompt
}

}  // namespace

void FeederRun::StopBurst() {
  if (burstTimer_) KillTimer(nullptr, burstTimer_);
  burstTimer_ = 0;
}

void FeederRun::BurstTick() {
  // Pressed once: the box takes a few milliseconds to go, and is not looked for again.
  if (!p_.Timer1.Enabled() || Now() >= dialogLooksEnd_ || p_.AnswerClientDialog()) {
    dialogLooksEnd_ = 0;
    StopBurst();
  }
}

bool FeederRun::QuickLook() {
  if (dialogLooksEnd_ > 0) BurstTick();  // the same look as the burst timer's tick
  return Now() < std::max(dialogLooksEnd_, windowLooksEnd_);
}

void FeederRun::DialogCreated() {
  dialogLooksEnd_ = Now() + kDialogLooksSeconds;
  if (!burstTimer_) burstTimer_ = SetTimer(nullptr, 0, kBurstTimerMs, BurstTimerProc);
}

void FeederRun::WindowCreated() {
  windowLooksEnd_ = Now() + kWindowLooksSeconds;
}

bool FeederRun::Wait(const std::function<bool()>& done, double seconds, DWORD lookMs) {
  return skarnel_aol6::WaitUntil(done, seconds, lookMs, [this] { return QuickLook(); });
}

void FeederRun::Pause(double seconds) {
  if (seconds > 0) Wait(nullptr, seconds, INFINITE);
}

void FeederRun::SetWatchdog(bool on) {
  p_.Timer1.SetEnabled(on);
  if (on && !dialogHook_) {
    DWORD clientProcess = 0;  // 0, every process, while no client is running
    if (HWND main = aol::FindAolMain().get()) GetWindowThreadProcessId(main, &clientProcess);
    dialogHook_ =
        SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, ClientWindowCreated,
                        clientProcess, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNTHREAD);
  } else if (!on) {
    if (dialogHook_) UnhookWinEvent(dialogHook_);
    dialogHook_ = nullptr;
    StopBurst();
    dialogLooksEnd_ = windowLooksEnd_ = 0;
  }
}

void FeederRun::NotANumber() {
  SetCounter(0);
  MsgBox(kNotANumber, MB_ICONEXCLAMATION, kTitle);
  SetWatchdog(false);
}

void FeederRun::GiveUp(const std::wstring& what) {
  SetWatchdog(false);
  SetCounter(0);
  MsgBox(what + L"\r\n" + MailsBefore(handed_), MB_ICONEXCLAMATION, kTitle);
}

void FeederRun::Lost(const std::wstring& what) {
  SetWatchdog(false);
  CloseOwnWindows(/*posted=*/false);
  SetCounter(0);
  MsgBox(what + L"\r\n" + MailsBefore(handed_), MB_ICONEXCLAMATION, kTitle);
}

WaitResult FeederRun::WaitForWindow(const std::function<bool()>& found, double seconds) {
  const int stopsBefore = stops_;
  const double start = Now();
  double lastLook = start, longestGap = 0;
  auto look = [&] {
    const double now = Now();
    longestGap = std::max(longestGap, now - lastLook);
    lastLook = now;
    return found();
  };
  const WaitResult result = [&] {
    if (Wait([&] { return look() || stops_ != stopsBefore; }, seconds, kLookMs) && found())
      return WaitResult::Found;
    if (stops_ != stopsBefore) {
      const double left = seconds - (Now() - start);
      return Wait(look, std::min(kGraceAfterStop, left), kLookMs) ? WaitResult::Found
                                                                  : WaitResult::Stopped;
    }
    if (longestGap > kLookAfterHandler && Wait(found, kLookAfterHandler, kLookMs))
      return WaitResult::Found;
    return WaitResult::GaveUp;
  }();
  // The window the quick looks were for has come: the pauses that follow sleep again.
  if (result == WaitResult::Found) windowLooksEnd_ = 0;
  return result;
}

void FeederRun::CloseIfItComes(const std::function<HWND()>& find, double seconds,
                               const std::function<void(HWND)>& close) {
  // Another Stop does not shorten this: the run is already ending.
  const double watch = std::min(std::max(seconds, kLookAfterHandler), kWatchAfterStop);
  if (Wait([&] { return find() != nullptr; }, watch, kLookMs)) close(find());
}

void FeederRun::CloseOwnWindows(bool posted) {
  for (HWND window : {mailWindow_, mailbox_}) {
    if (!Exists(window)) continue;
    aol::ForeignWindow w(window);
    if (posted)
      w.Post(WM_CLOSE);
    else
      w.Send(WM_CLOSE);
  }
}

void FeederRun::EndBeforeWalk() {
  aol::ForeignWindow(mailbox_).Send(WM_CLOSE);
  SetCounter(0);
  MsgBox(kDone, MB_OK, kTitle);
}

bool FeederRun::SpeedPause() {
  auto speed = dltool::ReadSpeed(p_.Combo1.Text());
  if (!speed) {
    NotANumber();
    return false;
  }
  // A negative speed pauses not at all; a huge one lasts until Stop, which ends the walk anyway.
  Wait([this] { return Stopped(); }, *speed, 1000);
  return true;
}

void FeederRun::SelectFirstAgain() {
  if (skarnel_aol7::SelectedMail(mailbox_) != first_) skarnel_aol7::SelectMailAt(mailbox_, first_);
}

bool FeederRun::Walk() {
  const std::wstring kMailGone = L"The mail window of this run was closed.";
  int64_t remaining = static_cast<int64_t>(last_) - first_ + 1;
  for (int64_t mail = first_; mail <= lastInMailbox_ && !Stopped(); ++mail) {
    skarnel_aol6::DoEvents();
    if (!Exists(mailWindow_)) {
      Lost(kMailGone);
      return false;
    }
    // The run's mail window is pressed where it stands, not brought up first: the window the
    // user has in front (the room he types in) keeps the front and its half-typed line.
    // The second icon opens the pop-up menu; the press is posted, because the menu runs inside
    // the client's handling of the press and a sent press would wait for it.
    skarnel_aol6::ClickButton(skarnel_aol7::NthIcon(mailWindow_, 2));
    double asked = Now();
    pending_ = Pending::Menu;
    // A mail window the user closes meanwhile ends the wait at once.
    switch (WaitForWindow([this] { return Menu() != nullptr || !Exists(mailWindow_); },
                          dltool::Limits().menu)) {
      case WaitResult::GaveUp:
        pending_ = Pending::Nothing;
        GiveUp(L"AOL's download menu did not open.");
        return false;
      case WaitResult::Stopped:
        // Escape closes a menu that comes late, without choosing anything.
        CloseIfItComes([this] { return Menu(); }, dltool::Limits().menu - (Now() - asked),
                       [this](HWND menu) {
                         PostKey(menu, VK_ESCAPE);
                         Wait([this] { return !Menu(); }, dltool::Limits().menu, kLookMs);
                       });
        pending_ = Pending::Nothing;
        return true;
      case WaitResult::Found:
        break;
    }
    if (!Exists(mailWindow_)) {
      pending_ = Pending::Nothing;
      Lost(kMailGone);
      return false;
    }
    // Down, Down, Enter: the menu's second entry puts the mail in the Download Manager.
    HWND menu = Menu();
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
    asked = Now();
    pending_ = Pending::Prompt;
    switch (WaitForWindow([] { return skarnel_aol6::FindAolModal() != nullptr; },
                          dltool::Limits().prompt)) {
      case WaitResult::GaveUp:
        pending_ = Pending::Nothing;
        GiveUp(L"AOL's download prompt did not appear.");
        return false;
      case WaitResult::Stopped:
        // The mail is queued by the time the prompt shows; its only answer is its first icon.
        CloseIfItComes(
            skarnel_aol6::FindAolModal, dltool::Limits().prompt - (Now() - asked),
            [](HWND prompt) { skarnel_aol6::ClickIcon(skarnel_aol7::NthIcon(prompt, 1)); });
        pending_ = Pending::Nothing;
        return true;
      case WaitResult::Found:
        break;
    }
    // The prompt confirms an addition already made.
    ++handed_;
    Pause(kBeforePromptAnswer);
    // A client that does not take a press in time (stuck, or starved on a busy machine) may
    // act on it later or never: going on as if it had would hand the same mail over again and
    // leave the range's last one out, and still say all was added. A prompt gone meanwhile was
    // answered by the user.
    const bool answered =
        skarnel_aol6::ClickIcon(skarnel_aol7::NthIcon(skarnel_aol6::FindAolModal(), 1)) ||
        !skarnel_aol6::FindAolModal();
    pending_ = Pending::Nothing;
    if (!answered) {
      GiveUp(L"AOL's download prompt did not take its OK.");
      return false;
    }
    Pause(kBeforeNextMail);
    if (!Exists(mailWindow_)) {
      Lost(kMailGone);
      return false;
    }
    // The mail window's sixth icon moves it on to the next mail of the list.
    if (!skarnel_aol6::ClickIcon(skarnel_aol7::NthIcon(mailWindow_, 6))) {
      if (Exists(mailWindow_))
        GiveUp(L"AOL's mail window did not take the press for the next mail.");
      else
        Lost(kMailGone);
      return false;
    }
    SetCounter(--remaining);
    if (!SpeedPause()) return false;
  }
  return true;
}

bool FeederRun::Ending(bool& notMarked) {
  const HWND mail = mailWindow_;
  aol::ForeignWindow(Exists(mail) ? mail : nullptr).Send(WM_CLOSE);
  if (p_.Check1.Value() != 1) {
    Pause(kAfterMailClose);
    // A mailbox the user closed meanwhile has nothing left to press or close.
    if (Exists(mailbox_)) {
      SelectFirstAgain();
      PressMarkNew();
      aol::ForeignWindow(mailbox_).Send(WM_CLOSE);
    }
    Pause(kAfterMailboxClose);
    return true;
  }
  // Keep as new: the mails can only be marked from the mailbox once the run's mail window is
  // gone. Other open mails (the user's own, or one an earlier run left) may stay. Stop no longer
  // shortens anything here: the run is already ending.
  if (!Wait([mail] { return !Exists(mail); }, dltool::Limits().mailClose, kLookMs)) {
    GiveUp(L"The open mail did not close.");
    return false;
  }
  Pause(kAroundMarkingNew);
  if (!Exists(mailbox_)) {
    notMarked = true;
    return true;
  }
  SelectFirstAgain();
  PressMarkNew();
  // The whole range, whether or not Stop cut the walk short, but only mails that exist (the
  // count bounds it); a later Stop does not cut it short.
  for (int64_t k = first_; k <= lastInMailbox_; ++k) {
    skarnel_aol6::DoEvents();
    if (!Exists(mailbox_)) {
      notMarked = true;
      return true;
    }
    skarnel_aol7::SelectMailAt(mailbox_, static_cast<int>(k));
    PressMarkNew();
  }
  Pause(kAroundMarkingNew);
  aol::ForeignWindow(mailbox_).Send(WM_CLOSE);
  Pause(kAfterMailboxClose);
  return true;
}

void FeederRun::EndForExit() {
  if (exiting_) return;
  exiting_ = true;
  SetWatchdog(false);
  // What the run asked for and has not seen yet: a client that shows it within the watch gets
  // its answer (the menu escaped, the prompt answered), so that it is not left blocked.
  const Pending pending = pending_;
  pending_ = Pending::Nothing;
  switch (pending) {
    case Pending::Nothing:
      break;
    case Pending::Mailbox:
      if (Wait([] { return skarnel_aol7::FindMailbox() != nullptr; }, kWatchOnExit, kLookMs))
        mailbox_ = skarnel_aol7::FindMailbox();
      break;
    case Pending::Menu:
      if (Wait([this] { return Menu() != nullptr; }, kWatchOnExit, kLookMs)) {
        PostKey(Menu(), VK_ESCAPE);
        Wait([this] { return Menu() == nullptr; }, kWatchOnExit, kLookMs);
      }
      break;
    case Pending::Prompt:
      if (Wait([] { return skarnel_aol6::FindAolModal() != nullptr; }, kWatchOnExit, kLookMs)) {
        // Posted, as everything on the way out: a client that stopped answering cannot hold
        // the exit inside a send.
        aol::ForeignWindow icon(skarnel_aol7::NthIcon(skarnel_aol6::FindAolModal(), 1));
        icon.Post(WM_LBUTTONDOWN);
        icon.Post(WM_KEYUP, VK_SPACE);
        // The prompt is modal: while it is up the room takes no line, and the exit banner that
        // follows would lose its first one.
        Wait([] { return skarnel_aol6::FindAolModal() == nullptr; }, kWatchOnExit, kLookMs);
      }
      break;
  }
  CloseOwnWindows(/*posted=*/true);
  // The exit banner follows at once: a room looked for while the client is still closing the
  // run's windows may not be found, and the banner's first line would be lost.
  Wait([this] { return !Exists(mailWindow_) && !Exists(mailbox_); }, kWatchOnExit, kLookMs);
}

void FeederRun::Go() {
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
  pending_ = Pending::Mailbox;
  switch (WaitForWindow([] { return skarnel_aol7::FindMailbox() != nullptr; },
                        dltool::Limits().mailbox)) {
    case WaitResult::GaveUp:
      pending_ = Pending::Nothing;
      GiveUp(L"AOL's mailbox did not open.");
      return;
    case WaitResult::Stopped:
      CloseIfItComes(skarnel_aol7::FindMailbox, dltool::Limits().mailbox - (Now() - asked),
                     [this](HWND box) { mailbox_ = box; });
      pending_ = Pending::Nothing;
      return EndBeforeWalk();
    case WaitResult::Found:
      break;
  }
  pending_ = Pending::Nothing;
  mailbox_ = skarnel_aol7::FindMailbox();
  // The mailbox settles before its mails are counted; Stop ends the wait at once.
  Wait([this] { return Stopped(); }, dltool::kMailboxSettleSeconds, 1000);
  if (Stopped()) return EndBeforeWalk();
  const std::optional<int> mails = skarnel_aol7::MailCount(mailbox_);
  if (!mails) {
    // No count is no proof of too few mails: the user learns that the client did not answer,
    // and the mailbox the run opened is closed again.
    aol::ForeignWindow(mailbox_).Send(WM_CLOSE);
    GiveUp(L"AOL's mailbox did not tell how many mails it holds.");
    return;
  }
  if (first_ > *mails) {
    MsgBox(kTooFewMails, MB_OK, kTitle);
    SetCounter(0);
    return;
  }
  lastInMailbox_ = std::min(last_, *mails);
  // A Stop handled while the count was asked for (a send lets other programs' sends in) ends
  // the run before the watchdog is started or a mail is opened.
  if (Stopped()) return EndBeforeWalk();

  SetWatchdog(true);
  if (!Exists(mailbox_)) {
    SetWatchdog(false);
    return;
  }
  // The mail window that the mailbox opens now is the run's own: the one it walks, presses and
  // closes. The user's own open mails were there before (or come later, on top of it).
  mailWindow_ = skarnel_aol7::OpenMailAt(mailbox_, first_);
  // None new: the client brought up the mail of that number that was open already.
  if (!mailWindow_) mailWindow_ = skarnel_aol7::FindOpenMail();
  if (!SpeedPause()) return;
  if (!Walk()) return;
  bool notMarked = false;
  if (!Ending(notMarked)) return;

  SetCounter(0);
  // Shown while the watchdog still runs: it only ever presses the client's dialogs, not this.
  MsgBox(notMarked
             ? std::wstring(kDone) + L"\r\nThe mailbox was closed before they could be kept as new."
             : std::wstring(kDone),
         MB_OK, kTitle);
  SetWatchdog(false);
}

void DLtool::Label3_Click() {
  PlayPress();
  if (running) return;  // no run inside a run
  FeederRun run(*this);
  running = true;
  activeRun = &run;
  struct Done {
    DLtool& panel;
    ~Done() {
      panel.running = false;
      panel.activeRun = nullptr;
    }
  } done{*this};
  run.Go();
}

void DLtool::Label4_Click() {
  PlayPress();
  if (activeRun)
    activeRun->Stop();
  else
    Timer1.SetEnabled(false);
  Option1.SetValue(true);
}

void DLtool::EndRunForExit() {
  if (activeRun) activeRun->EndForExit();
}

void DLtool::Timer1_Timer() {
  AnswerClientDialog();
}

bool DLtool::AnswerClientDialog() {
  HWND dialog = skarnel_aol7::FindClientDialog();
  // A dialog stays visible for a few milliseconds after its press: it is pressed once.
  if (!dialog || dialog == answeredDialog) return false;
  // The space bar, pressed twice, on the dialog's first button answers it with that button.
  HWND button = aol::ForeignWindow(dialog).Child("button").get();
  PostKey(button, VK_SPACE);
  PostKey(button, VK_SPACE);
  answeredDialog = dialog;
  return true;
}

}  // namespace ui
