// The download feeder: Add, Stop and the dialog watchdog.
#include "ui/app.h"

namespace ui {
void DLtool::Label3_Click() {}
void DLtool::Label4_Click() {}
void DLtool::Timer1_Timer() {}
}  // namespace ui
