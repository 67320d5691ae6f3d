#pragma once
// What the DL Tool's panel and its feeder share: how long the client takes to show its mailbox,
// and how long a run waits for the client before it gives up.

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

// The limits a run uses; tests shorten them.
struct WaitLimits {
  double mailbox = kMailboxOpenLimit;
  double menu = kMenuOpenLimit;
  double prompt = kPromptLimit;
  double mailClose = kMailCloseLimit;
};
WaitLimits& Limits();

}  // namespace dltool
