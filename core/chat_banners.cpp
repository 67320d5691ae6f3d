// Chat banners on start, Re-Enter and exit.
#include "core/chat_banners.h"

#include "ui/app.h"

namespace core {
void SendStartBanner() {}
}  // namespace core

namespace ui {
void Head::Label9_Click() {}
void Head::Label11_Click() {}
void Menu::ext_Click() {}
}  // namespace ui
