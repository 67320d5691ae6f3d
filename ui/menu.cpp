#include "ui/menu.h"

#include "ui/app.h"
#include "ui/forms_internal.h"

namespace ui {

Menu::Menu()
    : Form({.title = L"Vantor - Menu", .clientWidthTwips = 4605, .clientHeightTwips = 585}) {}

std::vector<MenuItem> Menu::Other() {
  return {
      {L"Clear Trigger 1", [this] { clrt1_Click(); }},
      {L"Clear Trigger 2", [this] { clrt2_Click(); }},
      {L"Clear Trigger 3", [this] { clrt3_Click(); }},
      {L"Clear Trigger 4", [this] { clrt4_Click(); }},
      {L"Clear All", [this] { clrall_Click(); }},
      {L"-", nullptr},
      {L"View Request List", [this] { rqlist_Click(); }},
      {L"-", nullptr},
      {L"DL Tool", [this] { dl_Click(); }},
      {L"-", nullptr},
      {L"Help/About/Contact", [this] { hna_Click(); }},
      {L"Greetz", [this] { gtz_Click(); }},
      {L"Exit", [this] { ext_Click(); }},
  };
}

void Menu::ShowOther() {
  // The menu belongs to the panel the user sees, never to this hidden form: tracking a menu
  // brings its owner to the foreground, and a hidden foreground form would take the keyboard
  // from the request box. The items' handlers run after the menu has closed; a click outside it
  // runs nothing.
  ShowPopupMenu(VisiblePanelWindow(), Other());
}

void Menu::hna_Click() {
  MsgBox(
      L"For help on how to use this program refer to the text file that came with it.\r\n"
      L"E-mail: skarnel@example.com\r\n"
      L"IM: SkarnelVantor\r\n"
      L"Vantor v 2.0 for AOL 7.0",
      MB_OK | MB_ICONINFORMATION, kTitle);
}

void Menu::gtz_Click() {
  App().head.HandOver(App().greet);
  PlayPopup();
}

}  // namespace ui
