// The DL Tool panel: opening it, its load, Return, the check box and dragging.
#include "ui/app.h"

namespace ui {
void Head::Label15_Click() {}
void Menu::dl_Click() {}
void DLtool::Form_Load() {}
void DLtool::Label2_MouseDown() {}
void DLtool::Label5_MouseDown() {}
void DLtool::Label6_Click() {}
void DLtool::Check1_Click() {}
}  // namespace ui
