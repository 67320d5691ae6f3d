// The request-list panel: View List, Remove, Clear List, the view toggle and Return.
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "core/banner_lines.h"
#include "ui/app.h"

namespace ui {
namespace {

// The toggle waits this long before it builds the document, so a Remove or Clear List clicked
// meanwhile shows in it.
constexpr double kBeforeDocumentSeconds = 0.5;

// Opening the panel: it takes over from the main panel and, when a room is open, tells the room
// how many requests this run has made.
void ViewList() {
  auto& app = App();
  app.head.HandOver(app.reqlist);
  PlayPopup();
  if (!skarnel_aol7::FindChatRoom()) return;
  skarnel_aol7::SendChat(core::SignatureLine());
  skarnel_aol7::SendChat(core::CountLine(app.reqlist.Count()));
  skarnel_aol7::SendChat(core::LinkLine());
}

}  // namespace

void Head::Label14_Click() {
  ViewList();
}

void Menu::rqlist_Click() {
  ViewList();
}

void reqlist::Label1_MouseDown() {
  skarnel_aol6::DragForm(hwnd());
}

void reqlist::Label2_MouseDown() {
  skarnel_aol6::DragForm(hwnd());
}

// Like every button that stays on its panel, Remove and Clear List click first, then act.
// Remove: with nothing selected nothing goes, and the count and the sound come all the same.
// In the document view the (hidden) list loses the item; the document keeps it until rebuilt.
void reqlist::Label3_Click() {
  PlayPress();
  List1.RemoveItem(List1.ListIndex());
  SetCountText();
}

void reqlist::Label4_Click() {
  PlayPress();
  List1.Clear();
  Text1.SetText(L"");
  SetCountText();
}

void reqlist::Label5_Click() {
  HandOver(App().head);
  PlayPopup();
}

void reqlist::Label6_Click() {
  PlayPress();
  if (Label6.Caption() == kToDocument) {
    skarnel_aol6::Pause(kBeforeDocumentSeconds);
    List1.SetVisible(false);
    Text1.SetVisible(true);
    // Built from the list as it stands after the pause: every item with its line break.
    std::wstring document;
    for (int i = 0, n = List1.ListCount(); i < n; ++i) document += List1.List(i) + L"\r\n";
    Text1.SetText(document);
    Label6.SetCaption(kToListbox);
  } else {
    List1.SetVisible(true);
    Text1.SetVisible(false);
    Label6.SetCaption(kToDocument);
  }
}

}  // namespace ui
