// AOL's modal prompt and standard dialogs: the windows that pop up over the mailbox walk.
#include <cstring>

#include "aol/candidate_walk.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"

namespace {

// The first top-level window from the top of the Z-order that has a child of each class, once
// a window of class `trigger` exists anywhere; with `processEvents`, events are processed once
// per window visited. `accept` narrows what counts.
template <typename Accept>
HWND WalkTopLevel(const char* trigger, std::initializer_list<const char*> children, Accept accept,
                  bool processEvents = true) {
  return aol::WalkZOrder(FindWindowA(trigger, nullptr), aol::kMaxTopLevelVisited, [&](HWND w) {
    if (processEvents) skarnel_aol6::DoEvents();
    return aol::HasChildren(w, children) && accept(w);
  });
}

bool IsStandardDialog(HWND window) {
  char cls[16] = {};
  return GetClassNameA(window, cls, sizeof cls) > 0 && std::strcmp(cls, "#32770") == 0;
}

}  // namespace

namespace skarnel_aol6 {

HWND FindAolModal() {
  // AOL's prompt being open is the trigger; what comes back is the highest window with a text
  // and an icon, which with the prompt on top is the prompt.
  return WalkTopLevel("_aol_modal", {"_aol_static", "_aol_icon"}, [](HWND) { return true; });
}

}  // namespace skarnel_aol6

namespace skarnel_aol7 {

HWND FindMessageDialog() {
  return WalkTopLevel("#32770", {"button", "static"}, [](HWND) { return true; });
}

HWND FindMenuOf(HWND window) {
  if (!window) return nullptr;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!thread) return nullptr;  // the window is gone
  HWND menu = nullptr;
  for (int visited = 0; visited < aol::kMaxTopLevelVisited; ++visited) {
    menu = FindWindowExA(nullptr, menu, "#32768", nullptr);
    if (!menu) return nullptr;
    if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == thread) return menu;
  }
  return nullptr;
}

HWND FindClientDialog() {
  HWND main = aol::FindAolMain().get();
  if (!main) return nullptr;
  DWORD clientProcess = 0;
  GetWindowThreadProcessId(main, &clientProcess);
  const DWORD ownThread = GetCurrentThreadId();
  // The watchdog's tick calls this a hundred times a second, so it processes no events: a
  // handler run from inside the walk could open a box of Vantor's own and hold the watchdog
  // inside its tick until that box closed.
  return WalkTopLevel(
      "#32770", {"button", "static"},
      [&](HWND w) {
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(w, &process);
        // Only the client's own dialogs, never one of Vantor's message boxes or prompts (shown
        // by this thread) and never another program's. Wine creates a message box's buttons
        // hidden and destroys the unused ones while setting it up; once the box is visible it is
        // set up.
        return process == clientProcess && thread != ownThread && IsStandardDialog(w) &&
               IsWindowVisible(w);
      },
      /*processEvents=*/false);
}

}  // namespace skarnel_aol7
