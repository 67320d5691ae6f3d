#pragma once
// The DL Tool panel ("Form4"). Handlers: dltool/panel.cpp (opening, load, Return, check box,
// drag) and dltool/feeder.cpp (Add, Stop, the watchdog).
#include "ui/forms.h"

namespace ui {

class FeederRun;  // dltool/feeder.cpp: one run of Add, with everything it holds

class DLtool : public Form {
 public:
  // Timer1's slow tick, in milliseconds: the watchdog's look for a dialog of the client whose
  // creation the platform did not report, such as one already up when the run began (those it
  // reports are answered within a millisecond of showing). Each tick costs a few questions to
  // the window manager, which over a whole run would be most of the run's own CPU at 50 ms.
  static constexpr unsigned kTimer1IntervalMs = 250;

  DLtool();

  TextBox Text1;         // first mail
  TextBox Text2;         // last mail
  Label Label1;          // "__"
  Label Label2;          // drag strip along the top
  LabelButton Label3;    // "Add"
  LabelButton Label4;    // "Stop"
  ComboBox Combo1;       // speed
  Label Label5;          // counter; also a drag handle
  LabelButton Label6;    // "Return"
  OptionButton Option1;  // stop flag, hidden
  CheckBox Check1;       // " Keep Mail As New"
  ListBox List1;         // the mailbox's mails, numbered
  Timer Timer1;          // dialog watchdog

  void Form_Load();
  void Label2_MouseDown();
  void Label5_MouseDown();
  void Label3_Click();
  void Label4_Click();
  void Label6_Click();
  void Check1_Click();
  void Timer1_Timer();
  // The watchdog's look: presses the client's visible dialog, once. True when it pressed one.
  bool AnswerClientDialog();

  // Exit pressed during a run: the run ends as a stopped one whose wait was cut short, so that
  // AOL is left with nothing of the run open. Bounded; nothing happens without a run.
  void EndRunForExit();

  // True while an Add is running: a second Add then only plays its sound.
  bool running = false;
  // The run in progress, which owns its state (stop presses, watchdog, its own windows); the
  // panel only points at it while it lasts.
  FeederRun* activeRun = nullptr;
  // The client's dialog the watchdog pressed last, still visible for a moment while it goes.
  HWND answeredDialog = nullptr;
};

}  // namespace ui
