// The request-list panel: View List, Remove, Clear List, the view toggle and Return.
#include "ui/app.h"

namespace ui {
void Head::Label14_Click() {}
void Menu::rqlist_Click() {}
void reqlist::Label1_MouseDown() {}
void reqlist::Label2_MouseDown() {}
void reqlist::Label3_Click() {}
void reqlist::Label4_Click() {}
void reqlist::Label5_Click() {}
void reqlist::Label6_Click() {}
}  // namespace ui
