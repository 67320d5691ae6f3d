#pragma once
// How the driver tells the AOL client's child windows apart. Every window the user opens inside
// AOL (chat room, keyword window, mailbox, open mail) is an "aol child" of the MDI client; only
// the classes of its children say which it is.
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "aol/foreign_window.h"

namespace aol {

// How many windows one walk visits at most. The walks process events as they go, and a handler
// run meanwhile (or the client itself) may reorder the windows being walked, so a walk that
// followed the Z-order without a bound could go round the same windows for good. No one has
// this many windows open inside AOL, nor on the desktop.
inline constexpr int kMaxAolChildrenVisited = 512;
inline constexpr int kMaxTopLevelVisited = 4096;

// `first` and the siblings below it, in Z-order from the top of its siblings, at most `limit` of
// them: the first for which `match` holds, or 0.
template <typename Match>
HWND WalkZOrder(HWND first, int limit, Match match) {
  if (!first) return nullptr;
  HWND w = GetWindow(first, GW_HWNDFIRST);
  for (int visited = 0; w && visited < limit; ++visited, w = GetWindow(w, GW_HWNDNEXT))
    if (match(w)) return w;
  return nullptr;
}

// The AOL main window, the first top-level window of its class.
inline ForeignWindow FindAolMain() {
  return FindTopLevel("aol frame25");
}

// The first child window, from the top of the Z-order (normally the active AOL window) down,
// that has a child of every class of `signature` (each the FIRST child of its class, so a class
// listed twice is the same test twice), asked in the order given (the rarest first turns the
// other windows down soonest); 0 when none has. Pending events are processed every few
// milliseconds of the walk, so Vantor's panels stay live during it.
HWND FindAolChild(std::initializer_list<const char*> signature);

// Every child window with that signature, from the top of the Z-order down; no events are
// processed, so the windows cannot change order under the walk.
std::vector<HWND> FindAolChildren(std::initializer_list<const char*> signature);

// Has a child of each of these classes (each the first child of its class).
bool HasChildren(HWND window, std::initializer_list<const char*> classes);

// The AOL toolbar's icon at this position (from 1), counted in child order.
ForeignWindow ToolbarIcon(int position);

}  // namespace aol
