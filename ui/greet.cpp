#include "ui/greet.h"

#include "aol/skarnel_aol6.h"
#include "ui/app.h"
#include "ui/res/resource.h"

namespace ui {

greet::greet()
    : Form({.title = L"Vantor - Greetz",
            .clientWidthTwips = 2145,
            .clientHeightTwips = 2160,
            .skinResource = IDB_SKIN_GREET}),
      Label2(*this, {.rect = {0, 0, 2175, 255}, .caption = L""}),
      Label1(*this, {.rect = {1800, 840, 165, 1155}, .caption = L"Return", .wordWrap = true}) {
  Load = [this] { Form_Load(); };
  Label1.Click = [this] { Label1_Click(); };
  Label2.MouseDown = [this](MouseButton) { Label2_MouseDown(); };
}

void greet::Form_Load() {
  skarnel_aol6::KeepOnTop(hwnd());
  skarnel_aol6::CenterFormAtTop(hwnd());
  // "Return" written downwards, one letter a line, in the narrow label.
  Label1.SetCaption(L"R\r\ne\r\nt\r\nu\r\nr\r\nn");
}

void greet::Label1_Click() {
  HandOver(App().head);
  PlayPopup();
}

void greet::Label2_MouseDown() {
  skarnel_aol6::DragForm(hwnd());
}

}  // namespace ui
