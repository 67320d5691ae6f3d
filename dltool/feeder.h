#pragma once
// What the DL Tool's panel and its feeder share: the windows of the AOL client they reach
// themselves, and how long a run waits for the client before it gives up.
#include <windows.h>

namespace dltool {

// How long a run waits for each AOL window, in seconds. A client that never shows the window
// must not keep the run (and with it Vantor) waiting for good; tests shorten these.
struct WaitLimits {
  double mailbox = 30;    // the mailbox opening after the toolbar icon
  double menu = 10;       // the open mail's pop-up menu
  double prompt = 10;     // AOL's prompt after Download was chosen
  double mailClose = 10;  // the open mail closing before the mails are marked as new
};
WaitLimits& Limits();

// The top AOL child window (the first in child order): during the walk, the open mail.
HWND FrontAolChild();

// The n-th "_aol_icon" child of a window (n from 1), or 0.
HWND NthIcon(HWND window, int n);

}  // namespace dltool
