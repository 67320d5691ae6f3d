// Server commands: List, Status, Find and Server?.
#include "ui/app.h"

namespace ui {
void Head::Label7_Click() {}
void Head::Label8_Click() {}
void Head::Label13_Click() {}
void Head::Label17_Click() {}
}  // namespace ui
