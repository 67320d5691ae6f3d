// The DL Tool's run against the in-process simulated client: how far the run's wall time lies
// above the pauses it prescribes, how much of a core Vantor's thread burns while it waits, and
// how fast the watchdog answers a dialog of the client.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/sim.h"
#include "tests/bench/bench.h"
#include "tests/gui/dltool_fixture.h"
#include "tests/support/effects.h"
#include "ui/app.h"

namespace {

using bench::Fixed;
using bench::Seconds;
using bench::ThreadCpuSeconds;

// One run of mails 1..mails at speed 1 against a fresh client; `during` runs on this thread
// while the run pumps its messages (nullptr for none).
struct RunFigures {
  double wall = 0, cpu = 0;
  size_t queued = 0;
  std::vector<sim::Event> journal;
};

RunFigures RunOnce(int mails, const std::function<void(sim::Client&)>& during) {
  RunFigures f;
  ui::ResetApp();
  testing_support::Effects effects;
  sim::Options options;
  options.mails = mails + 5;
  options.serverDelayMs = 50;
  auto client = sim::Client::Start(options);
  if (!client) return f;
  ui::DLtool& dl = ui::App().dltool;
  dl.hwnd();
  dl.Text1.SetText(L"1");
  dl.Text2.SetText(std::to_wstring(mails));
  dl.Combo1.SetText(L"1");
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

}  // namespace

VANTOR_BENCH(dltool_run) {
  constexpr int kMails = 20;
  constexpr double kSpeed = 1;
  const RunFigures run = RunOnce(kMails, nullptr);
  // 4 s after the mailbox opened, the first mail's 0.5 s, a speed pause after the first mail is
  // opened and after every mail, 0.2 + 0.4 s around each prompt, 0.2 + 0.3 s in the ending.
  const double prescribed = dltool::kMailboxSettleSeconds + 0.5 + (kMails + 1) * kSpeed +
                            kMails * (0.2 + 0.4) + 0.2 + 0.3;
  bench::Report("DL Tool run of 20 mails at speed 1: wall time", Fixed(run.wall, "s"));
  bench::Report("  pauses it prescribes", Fixed(prescribed, "s"));
  bench::Report("  overhead above the pauses",
                Fixed((run.wall - prescribed) / prescribed * 100, "%"), "<= 3 %");
  // Where the time goes, per mail, from the client's journal: each step against its pause.
  std::vector<ULONGLONG> download, answer, next;
  for (const auto& e : run.journal) {
    if (e.what != "press") continue;
    if (e.target == "mail.icon2") download.push_back(e.ms);
    if (e.target == "modal.icon1") answer.push_back(e.ms);
    if (e.target == "mail.icon6") next.push_back(e.ms);
  }
  auto mean = [](const std::vector<ULONGLONG>& from, const std::vector<ULONGLONG>& to,
                 size_t shift) {
    double sum = 0;
    size_t n = 0;
    for (size_t i = 0; i + shift < to.size() && i < from.size(); ++i, ++n)
      sum += static_cast<double>(to[i + shift] - from[i]);
    return n ? sum / n : 0.0;
  };
  bench::Report("  per mail: download icon to prompt answered (0.2 s pause)",
                Fixed(mean(download, answer, 0), "ms", 0));
  bench::Report("  per mail: prompt answered to next mail (0.4 s pause)",
                Fixed(mean(answer, next, 0), "ms", 0));
  bench::Report("  per mail: next mail to next download icon (1 s speed)",
                Fixed(mean(next, download, 1), "ms", 0));
  bench::Report("  CPU of Vantor's thread during the run",
                Fixed(run.cpu / run.wall * 100, "% of a core"), "<= 1 %");
  bench::Report("  mails queued", std::to_string(run.queued));

  // A shorter run in which the client pops up a dialog now and then.
  std::vector<std::unique_ptr<dltool_test::When>> dialogs;
  const RunFigures withDialogs = RunOnce(6, [&dialogs](sim::Client& client) {
    for (size_t at : {1u, 2u, 3u, 4u, 5u}) {
      dialogs.push_back(std::make_unique<dltool_test::When>(
          [&client, at] { return client.DownloadQueue().size() >= at; },
          [&client] { client.ShowDialog("Download Manager: a question"); }));
    }
  });
  dialogs.clear();
  std::vector<ULONGLONG> shown, answered;
  for (const auto& e : withDialogs.journal) {
    if (e.what != "dialog") continue;
    (e.target == "dialog" ? shown : answered).push_back(e.ms);
  }
  std::vector<double> reactions;
  for (size_t i = 0; i < shown.size() && i < answered.size(); ++i)
    reactions.push_back(static_cast<double>(answered[i] - shown[i]));
  if (reactions.empty()) {
    bench::Report("watchdog reaction to a client dialog", "never answered", "<= 50 ms");
    return;
  }
  double sum = 0;
  for (double r : reactions) sum += r;
  bench::Report(
      "watchdog reaction to a client dialog (mean of " + std::to_string(reactions.size()) + ")",
      Fixed(sum / reactions.size(), "ms", 0), "<= 50 ms");
  bench::Report("  slowest", Fixed(*std::max_element(reactions.begin(), reactions.end()), "ms", 0),
                "<= 50 ms");
}
