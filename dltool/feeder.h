#pragma once
// What the DL Tool's panel and its feeder share: the windows of the AOL client they reach
// themselves, and how long a run waits for the client before it gives up.
#include <windows.h>

namespace dltool {

// The mailbox takes a while to come up and fill its list after the toolbar icon: the DL Tool's
// opening lists it, and a run starts on it, this many seconds after asking for it.
inline constexpr double kMailboxSettleSeconds = 4;

// How long a run waits for each AOL window, in seconds. A client that never shows the window
// must not keep the run (and with it Vantor) waiting for good.
inline constexpr double kMailboxOpenLimit = 30;  // the mailbox opening after the toolbar icon
inline constexpr double kMenuOpenLimit = 10;     // the open mail's pop-up menu
inline constexpr double kPromptLimit = 10;       // AOL's prompt after Download was chosen
inline constexpr double kMailCloseLimit = 10;    // the run's mail window closing before marking

// The watchdog's slow tick, for a dialog of the client whose creation the platform did not
// report (those it reports are answered within milliseconds).
inline constexpr unsigned kWatchdogFallbackMs = 50;

// The limits a run uses; tests shorten them.
struct WaitLimits {
  double mailbox = kMailboxOpenLimit;
  double menu = kMenuOpenLimit;
  double prompt = kPromptLimit;
  double mailClose = kMailCloseLimit;
};
WaitLimits& Limits();

// The top AOL child window (the first in child order): during the walk, the open mail.
HWND FrontAolChild();

// The n-th "_aol_icon" child of a window (n from 1), or 0.
HWND NthIcon(HWND window, int n);

}  // namespace dltool
