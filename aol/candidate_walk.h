#pragma once
// How the driver tells the AOL client's child windows apart. Every window the user opens inside
// AOL (chat room, keyword window, mailbox, open mail) is an "aol child" of the MDI client; only
// the classes of its children say which it is.
#include <windows.h>

#include <initializer_list>

#include "aol/foreign_window.h"

namespace aol {

// The AOL main window, the first top-level window of its class.
inline ForeignWindow FindAolMain() {
  return FindTopLevel("aol frame25");
}

// The first child window, from the top of the Z-order (normally the active AOL window) down,
// that has a child of every class of `signature` (each the FIRST child of its class, so a class
// listed twice is the same test twice); 0 when none has. Pending events are processed once per
// window visited, so Vantor's panels stay live during the walk.
HWND FindAolChild(std::initializer_list<const char*> signature);

// Has a child of each of these classes (each the first child of its class).
bool HasChildren(HWND window, std::initializer_list<const char*> classes);

// The AOL toolbar's icon at this position (from 1), counted in child order.
ForeignWindow ToolbarIcon(int position);

}  // namespace aol
