// The DL Tool's run against the in-process simulated client, each figure beside a bare program
// that does the least the platform needs for the same effect: how far the run's wall time lies
// above the pauses it prescribes, how much of a core Vantor's thread burns while it waits, and
// how fast the watchdog answers a dialog of the client once it is on screen.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "core/banner_lines.h"
#include "sim/sim.h"
#include "tests/bench/bench.h"
#include "tests/gui/dltool_fixture.h"
#include "tests/support/effects.h"
#include "tests/support/wait.h"
#include "ui/app.h"

namespace {

using bench::Fixed;
using bench::Median;
using bench::Seconds;
using bench::ThreadCpuSeconds;

constexpr int kMails = 20;
constexpr double kSpeed = 1;
constexpr int kRounds = 3;  // each figure is the median of this many runs

// 4 s after the mailbox opened, the first mail's 0.5 s, a speed pause after the first mail is
// opened and after every mail, 0.2 + 0.4 s around each prompt, 0.2 + 0.3 s in the ending.
double Prescribed(int mails) {
  return dltool::kMailboxSettleSeconds + 0.5 + (mails + 1) * kSpeed + mails * (0.2 + 0.4) + 0.2 +
         0.3;
}

struct RunFigures {
  double wall = 0, cpu = 0;
  size_t queued = 0;
  std::vector<sim::Event> journal;
};

sim::Options ClientOptions(int mails) {
  sim::Options options;
  options.mails = mails + 5;
  options.serverDelayMs = 50;
  return options;
}

// One run of mails 1..mails at speed 1 against a fresh client; `during` runs on this thread
// before the run starts (nullptr for nothing).
RunFigures VantorRun(int mails, const std::function<void(sim::Client&)>& during) {
  RunFigures f;
  ui::ResetApp();
  testing_support::Effects effects;
  auto client = sim::Client::Start(ClientOptions(mails));
  if (!client) return f;
  ui::DLtool& dl = ui::App().dltool;
  dl.hwnd();
  dl.Text1.SetText(L"1");
  dl.Text2.SetText(std::to_wstring(mails));
  dl.Combo1.SetText(L"1");
  testing_support::PumpFor(300);  // a settled client, as for the floor
  client->ClearJournal();
  if (during) during(*client);

  const double cpu0 = ThreadCpuSeconds();
  const double t0 = Seconds();
  dl.Label3_Click();
  f.wall = Seconds() - t0;
  f.cpu = ThreadCpuSeconds() - cpu0;
  f.queued = client->DownloadQueue().size();
  f.journal = client->Journal();
  client.reset();
  ui::ResetApp();
  return f;
}

// ---- The floor: what a run must do, done bare ---------------------------------------------
void BarePump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The client's creations, as the platform reports them: any window makes the waits look every
// millisecond for a while (it shows a few milliseconds later); a dialog is one to press.
double tQuickUntil = 0;
bool tDialogDue = false;
void CALLBACK BareWindowCreated(HWINEVENTHOOK, DWORD, HWND hwnd, LONG idObject, LONG, DWORD,
                                DWORD) {
  if (idObject != OBJID_WINDOW) return;
  tQuickUntil = Seconds() + 0.5;
  char cls[8] = {};
  if (GetClassNameA(hwnd, cls, sizeof cls) > 0 && lstrcmpA(cls, "#32770") == 0) tDialogDue = true;
}
HWINEVENTHOOK HookCreations() {
  return SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, BareWindowCreated,
                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNTHREAD);
}

// Until `done` holds: looked at when a message or report comes, every millisecond after a
// creation, and else every `lookMs`. Without a condition, a pause asleep for its whole
// milliseconds and on the clock for the last one.
bool BareWait(const std::function<bool()>& done, double seconds, DWORD lookMs = 50) {
  const double end = Seconds() + seconds;
  for (;;) {
    if (done && done()) return true;
    const double left = end - Seconds();
    if (left <= 0) return false;
    if (done)
      MsgWaitForMultipleObjectsEx(0, nullptr, Seconds() < tQuickUntil ? 1 : lookMs, QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
    else if (left > 0.002)
      MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>((left - 0.001) * 1000),
                                  QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    else
      while (Seconds() < end) {
      }
    BarePump();
  }
}

void PostKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 0);
  PostMessageW(window, WM_KEYUP, key, 0);
}

// The same presses and pauses as a run, with the driver's lookups and nothing else: no counter,
// no checks, and for a watchdog only the report of the client's new windows.
RunFigures FloorRun(int mails) {
  RunFigures f;
  auto client = sim::Client::Start(ClientOptions(mails));
  if (!client) return f;
  BareWait(nullptr, 0.3);  // a settled client
  // Told of every window the client creates: the menu and the prompt are looked for quickly
  // once they exist, and a dialog would be (none comes here).
  HWINEVENTHOOK hook = HookCreations();
  client->ClearJournal();
  const double cpu0 = ThreadCpuSeconds();
  const double t0 = Seconds();
  if (skarnel_aol7::FindChatRoom()) {
    skarnel_aol7::SendChat(core::SignatureLine());
    skarnel_aol7::SendChat(core::AddingLine(std::to_wstring(mails)));
    skarnel_aol7::SendChat(core::LinkLine());
  }
  skarnel_aol7::ClickToolbarIcon();
  BareWait([] { return skarnel_aol7::FindMailbox() != nullptr; }, 30);
  BareWait(nullptr, dltool::kMailboxSettleSeconds);
  HWND box = skarnel_aol7::FindMailbox();
  skarnel_aol7::MailCount(box);
  HWND mail = skarnel_aol7::OpenMailAt(box, 1);
  BareWait(nullptr, kSpeed);
  for (int i = 0; i < mails; ++i) {
    skarnel_aol6::ClickButton(skarnel_aol7::NthIcon(mail, 2));
    HWND menu = nullptr;
    BareWait([&] { return (menu = skarnel_aol7::FindMenuOf(mail)) != nullptr; }, 10);
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
    BareWait([] { return skarnel_aol6::FindAolModal() != nullptr; }, 10);
    BareWait(nullptr, 0.2);
    skarnel_aol6::ClickIcon(skarnel_aol7::NthIcon(skarnel_aol6::FindAolModal(), 1));
    BareWait(nullptr, 0.4);
    skarnel_aol6::ClickIcon(skarnel_aol7::NthIcon(mail, 6));
    BareWait(nullptr, kSpeed);
  }
  SendMessageW(mail, WM_CLOSE, 0, 0);
  BareWait(nullptr, 0.2);
  skarnel_aol6::ClickIcon(skarnel_aol7::NthIcon(box, 3));
  SendMessageW(box, WM_CLOSE, 0, 0);
  BareWait(nullptr, 0.3);
  f.wall = Seconds() - t0;
  f.cpu = ThreadCpuSeconds() - cpu0;
  UnhookWinEvent(hook);
  f.queued = client->DownloadQueue().size();
  f.journal = client->Journal();
  return f;
}

// The floor of the watchdog: the client's dialog, created, is looked at every millisecond
// until it shows and then pressed.
std::vector<sim::Event> FloorWatch(int dialogs) {
  auto client = sim::Client::Start(ClientOptions(1));
  HWINEVENTHOOK hook = HookCreations();
  client->ClearJournal();
  auto answered = [&] {
    size_t n = 0;
    for (const auto& e : client->Journal()) n += e.target == "dialog.button";
    return n;
  };
  for (int i = 0; i < dialogs; ++i) {
    tDialogDue = false;
    client->ShowDialog("Download Manager: a question");
    BareWait(
        [&] {
          if (!tDialogDue) return false;
          HWND box = FindWindowA("#32770", nullptr);
          if (!box || !IsWindowVisible(box)) return false;
          PostKey(GetDlgItem(box, IDOK), VK_SPACE);
          return true;
        },
        5);
    BareWait([&] { return answered() > static_cast<size_t>(i); }, 5, 1);
    BareWait(nullptr, 0.1);
  }
  UnhookWinEvent(hook);
  return client->Journal();
}

// ---- Reading the client's journal ---------------------------------------------------------
// Milliseconds between each press of `from` and the `shift`-th next press of `to`, averaged.
double MeanStep(const std::vector<sim::Event>& journal, const char* from, const char* to,
                size_t shift) {
  std::vector<double> a, b;
  for (const auto& e : journal) {
    if (e.what != "press") continue;
    if (e.target == from) a.push_back(e.seconds);
    if (e.target == to) b.push_back(e.seconds);
  }
  double sum = 0;
  size_t n = 0;
  for (size_t i = 0; i + shift < b.size() && i < a.size(); ++i, ++n) sum += b[i + shift] - a[i];
  return n ? sum / n * 1000.0 : 0.0;
}

// A dialog's three spans, in milliseconds: the client building it until it is on screen, on
// screen until its button is clicked (whoever answers it), and the click until it has gone.
struct DialogSpans {
  std::vector<double> setUp, onScreen, going;
};
void AddSpans(const std::vector<sim::Event>& journal, DialogSpans& spans) {
  double asked = 0, visible = 0, pressed = 0;
  for (const auto& e : journal) {
    if (e.what != "dialog") continue;
    if (e.target == "dialog") asked = e.seconds;
    if (e.target == "dialog.visible") visible = e.seconds;
    if (e.target == "dialog.pressed") pressed = e.seconds;
    if (e.target == "dialog.button" && asked && visible && pressed) {
      spans.setUp.push_back((visible - asked) * 1000.0);
      spans.onScreen.push_back((pressed - visible) * 1000.0);
      spans.going.push_back((e.seconds - pressed) * 1000.0);
      asked = visible = pressed = 0;
    }
  }
}
void Append(DialogSpans& into, const DialogSpans& from) {
  into.setUp.insert(into.setUp.end(), from.setUp.begin(), from.setUp.end());
  into.onScreen.insert(into.onScreen.end(), from.onScreen.begin(), from.onScreen.end());
  into.going.insert(into.going.end(), from.going.begin(), from.going.end());
}
double Mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return v.empty() ? 0 : sum / v.size();
}

}  // namespace

VANTOR_BENCH(dltool_run) {
  std::vector<double> overhead, floorOverhead, cpu, floorCpu, wall;
  std::vector<double> toAnswer, floorToAnswer, toNext, floorToNext, toDownload, floorToDownload;
  size_t queued = 0;
  const double prescribed = Prescribed(kMails);
  for (int round = 0; round < kRounds; ++round) {
    const RunFigures run = VantorRun(kMails, nullptr);
    const RunFigures bare = FloorRun(kMails);
    wall.push_back(run.wall);
    overhead.push_back(run.wall - prescribed);
    floorOverhead.push_back(bare.wall - prescribed);
    cpu.push_back(run.cpu / run.wall * 100);
    floorCpu.push_back(bare.cpu / bare.wall * 100);
    toAnswer.push_back(MeanStep(run.journal, "mail.icon2", "modal.icon1", 0));
    floorToAnswer.push_back(MeanStep(bare.journal, "mail.icon2", "modal.icon1", 0));
    toNext.push_back(MeanStep(run.journal, "modal.icon1", "mail.icon6", 0));
    floorToNext.push_back(MeanStep(bare.journal, "modal.icon1", "mail.icon6", 0));
    toDownload.push_back(MeanStep(run.journal, "mail.icon6", "mail.icon2", 1));
    floorToDownload.push_back(MeanStep(bare.journal, "mail.icon6", "mail.icon2", 1));
    queued = std::min(run.queued, bare.queued);
  }
  bench::Report("DL Tool run of 20 mails at speed 1: wall time", Fixed(Median(wall), "s"));
  bench::Report("  pauses it prescribes", Fixed(prescribed, "s"));
  bench::Report("  overhead above the pauses", Median(overhead) * 1000,
                Median(floorOverhead) * 1000, "ms", 0, "ratio <= 1.1");
  bench::Report("  per mail: download icon to prompt answered (0.2 s pause)", Median(toAnswer),
                Median(floorToAnswer), "ms", 1);
  bench::Report("  per mail: prompt answered to next mail (0.4 s pause)", Median(toNext),
                Median(floorToNext), "ms", 1);
  bench::Report("  per mail: next mail to next download icon (1 s speed)", Median(toDownload),
                Median(floorToDownload), "ms", 1);
  bench::Report("  CPU of the run's thread", Median(cpu), Median(floorCpu), "% of a core", 2,
                "ratio <= 1.3");
  bench::Report("  mails queued (fewest of a run)", std::to_string(queued), "20");

  // Shorter runs in which the client pops up a dialog now and then, beside a bare watcher.
  DialogSpans vantor, bare;
  std::vector<double> reaction, floorReaction;
  for (int round = 0; round < kRounds; ++round) {
    std::vector<std::unique_ptr<dltool_test::When>> dialogs;
    const RunFigures run = VantorRun(6, [&dialogs](sim::Client& client) {
      for (size_t at : {1u, 2u, 3u, 4u, 5u}) {
        dialogs.push_back(std::make_unique<dltool_test::When>(
            [&client, at] { return client.DownloadQueue().size() >= at; },
            [&client] { client.ShowDialog("Download Manager: a question"); }));
      }
    });
    dialogs.clear();
    DialogSpans one, oneBare;
    AddSpans(run.journal, one);
    AddSpans(FloorWatch(5), oneBare);
    reaction.push_back(Mean(one.onScreen));
    floorReaction.push_back(Mean(oneBare.onScreen));
    Append(vantor, one);
    Append(bare, oneBare);
  }
  if (vantor.onScreen.empty()) {
    bench::Report("watchdog: a client dialog on screen until pressed", "never answered");
    return;
  }
  bench::Report("watchdog: client dialog on screen until pressed (" +
                    std::to_string(vantor.onScreen.size()) + " dialogs)",
                Median(reaction), Median(floorReaction), "ms", 2, "ratio <= 1.5");
  bench::Report("  slowest", *std::max_element(vantor.onScreen.begin(), vantor.onScreen.end()),
                *std::max_element(bare.onScreen.begin(), bare.onScreen.end()), "ms", 2);
  bench::Report("  the client building the dialog (its own time)", Mean(vantor.setUp),
                Mean(bare.setUp), "ms", 1);
  bench::Report("  the dialog going after its press (its own time)", Mean(vantor.going),
                Mean(bare.going), "ms", 1);
}
