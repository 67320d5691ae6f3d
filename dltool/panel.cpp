// The DL Tool panel: opening it, its load, Return, the check box and dragging.
#include <string>

#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "dltool/feeder.h"
#include "ui/app.h"

namespace ui {
namespace {

// The speeds offered, in seconds: one to six by halves.
constexpr const wchar_t* kSpeeds[] = {L"1", L"1.5", L"2", L"2.5", L"3", L"3.5",
                                      L"4", L"4.5", L"5", L"5.5", L"6"};

// Openings so far. An opening whose 4-second pause was overtaken by a newer one (Return, then DL
// Tool again, within the pause) leaves the list to the newer one, which would else be doubled.
int openings = 0;

// From the main panel's "DL Tool" and from the menu's item alike.
void OpenDlTool() {
  Panels& app = App();
  PlayPopup();
  // During a run only the panels are swapped: pressing the mailbox icon would bring the mailbox
  // in front of the mail the run is walking, and the list would be emptied under the user.
  if (app.dltool.running) {
    app.head.HandOver(app.dltool);
    return;
  }
  app.dltool.List1.Clear();  // the first use of the panel loads it
  skarnel_aol7::ClickToolbarIcon();
  app.head.HandOver(app.dltool);
  const int opening = ++openings;
  // The mailbox takes a while to come up; meanwhile the panel is already live.
  skarnel_aol6::Pause(dltool::kMailboxSettleSeconds);
  if (opening != openings) return;
  // The mail list of the top AOL window, which by now is the mailbox.
  skarnel_aol7::CopyListItems(skarnel_aol7::MailListOf(skarnel_aol7::FrontAolChild()),
                              app.dltool.List1.hwnd());
}

}  // namespace

void Head::Label15_Click() {
  OpenDlTool();
}
void Menu::dl_Click() {
  OpenDlTool();
}

void DLtool::Form_Load() {
  skarnel_aol6::KeepOnTop(hwnd());
  skarnel_aol6::CenterFormAtTop(hwnd());
  for (const wchar_t* speed : kSpeeds) Combo1.AddItem(speed);
}

void DLtool::Label2_MouseDown() {
  skarnel_aol6::DragForm(hwnd());
}
void DLtool::Label5_MouseDown() {
  skarnel_aol6::DragForm(hwnd());
}

void DLtool::Label6_Click() {
  HandOver(App().head);
  PlayPopup();
}

void DLtool::Check1_Click() {
  PlayPress();
}

}  // namespace ui
