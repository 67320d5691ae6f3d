// The program's one wait and its clock: every pause, every wait for a window of the client and
// every DoEvents handles the user's messages here, asleep in the platform's wait between looks.
#include <algorithm>
#include <cmath>
#include <functional>

#include "aol/skarnel_aol6.h"

namespace skarnel_aol6 {
namespace {

// One round of DoEvents handles at most this many messages. A window that never validates
// its paint area gets WM_PAINT forever; the bound keeps such a window from trapping a pause,
// and what is left over is handled in the next round.
constexpr int kMessagesPerRound = 1000;

// The platform's wait of N ms comes back about a millisecond after the N ms (wine 8: its
// timeouts are rounded up to the next whole millisecond and then woken a little late). A wait
// therefore sleeps this much less than what is left, and watches the clock for the rest.
constexpr double kWakesLate = 0.001;

// Handles what is in the queue now. False once WM_QUIT was seen: it is posted again, so that
// the outer message loop still sees it and ends the program.
bool ProcessPending() {
  MSG msg;
  for (int handled = 0; handled < kMessagesPerRound; ++handled) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

// Sleeps in the platform's wait until a message arrives or `ms` have passed;
// MWMO_INPUTAVAILABLE also wakes for input that is already queued, which a plain wait would
// sleep through.
void SleepUntilMessage(DWORD ms) {
  MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// The last moments before `deadline`, shorter than the platform's wait can be trusted with:
// the clock is watched, and a message that arrives meanwhile ends the watch at once.
void WatchClockUntil(double deadline) {
  while (Now() < deadline)
    if (LOWORD(GetQueueStatus(QS_ALLINPUT)) != 0) return;
}

}  // namespace

void DoEvents() {
  ProcessPending();
}

double Now() {
  // The performance counter never goes back: a wait that spans midnight (or a clock change)
  // still lasts as asked.
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

bool WaitUntil(const std::function<bool()>& done, double seconds, DWORD lookMs,
               const std::function<bool()>& quick) {
  if (!(seconds > 0)) seconds = 0;          // 0, negative and NaN: one look, no wait
  const double deadline = Now() + seconds;  // +inf for a wait without end
  const double lookSeconds = lookMs == INFINITE ? INFINITY : lookMs / 1000.0;
  for (;;) {
    if (done && done()) return true;
    const bool quickly = quick && quick();
    const double remaining = deadline - Now();
    if (remaining <= 0) return false;
    // What the platform's wait can be trusted with; the last moment is watched on the clock.
    const double sleepable = remaining - kWakesLate;
    if (sleepable < 0.001) {
      WatchClockUntil(deadline);
    } else {
      const double asleep = std::min({sleepable, lookSeconds, quickly ? 0.001 : INFINITY});
      SleepUntilMessage(
          static_cast<DWORD>(std::clamp(std::floor(asleep * 1000.0), 1.0, 0x7FFFFFFE * 1.0)));
    }
    if (!ProcessPending()) return done && done();  // the program is ending
  }
}

void Pause(double seconds) {
  if (!(seconds > 0)) return;  // 0, negative and NaN: no wait at all
  WaitUntil(nullptr, seconds);
}

}  // namespace skarnel_aol6
