// Trigger slots: selecting a slot (defining it first when empty) and the clear items.
#include "ui/app.h"

namespace ui {
void Head::Label2_Click() {}
void Head::Label3_Click() {}
void Head::Label4_Click() {}
void Head::Label5_Click() {}
void Menu::clrt1_Click() {}
void Menu::clrt2_Click() {}
void Menu::clrt3_Click() {}
void Menu::clrt4_Click() {}
void Menu::clrall_Click() {}
}  // namespace ui
