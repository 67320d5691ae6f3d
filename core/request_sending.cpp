// Request sending: Send from the button and from Enter in the request box.
#include "ui/app.h"

namespace ui {
void Head::Send() {}
void Head::Label6_Click() {}
void Head::Text1_KeyPress(int&) {}
void Head::Text1_KeyDown(int&, int) {}
void Head::Text1_KeyUp(int&, int) {}
}  // namespace ui
