#pragma once
// The program's one instance of each panel. Panels are created at first use and never
// destroyed while the program runs; tests start afresh with ResetApp().
#include "ui/dltool.h"
#include "ui/greet.h"
#include "ui/head.h"
#include "ui/intro.h"
#include "ui/menu.h"
#include "ui/reqlist.h"

namespace ui {

struct Panels {
  Head head;
  reqlist reqlist;
  DLtool dltool;
  Menu menu;
  greet greet;
  intro intro;
};

Panels& App();
void ResetApp();  // destroys every panel's window and starts with fresh panels

// Plays press.wav or popup.wav from the program's own folder.
void PlayPress();
void PlayPopup();

// Ends the process at once: no panel is unloaded, nothing is written.
[[noreturn]] void EndProgram();

}  // namespace ui
