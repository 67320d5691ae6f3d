#include "ui/reqlist.h"

#include "ui/res/resource.h"

namespace ui {

reqlist::reqlist()
    : Form({.title = L"Vantor - Request List",
            .clientWidthTwips = 6465,
            .clientHeightTwips = 3225,
            .skinResource = IDB_SKIN_REQLIST}),
      Label1(*this, {.rect = {0, 0, 3495, 255}, .caption = L""}),
      // The count is the panel's one text in the light face.
      Label2(
          *this,
          {.rect = {3480, 0, 2895, 255}, .caption = L"Number of requests: 0", .font = kLightFont}),
      List1(*this, {.rect = {120, 360, 6255, 2400}}),
      Text1(*this, {.rect = {120, 360, 6255, 2415},
                    .text = L"",
                    .font = kPanelFont,
                    .multiLine = true,
                    .visible = false}),
      Label3(*this, {.rect = {120, 2880, 705, 195}, .caption = L"Remove"}),
      Label4(*this, {.rect = {1320, 2880, 975, 195}, .caption = L"Clear List"}),
      // Wider than its 2115 twips of old: the face standing in for Copperplate Gothic runs
      // wider, and "View List As Document" would wrap out of sight. It still ends before Return.
      Label6(*this, {.rect = {2880, 2880, 2640, 195}, .caption = kToDocument}),
      Label5(*this, {.rect = {5640, 2880, 690, 195}, .caption = L"Return"}) {
  Load = [this] {
    // The document is a picture of the list, rebuilt at every switch: typing into it would
    // change nothing, so it only reads (and scrolls).
    SendMessageW(Text1.hwnd(), EM_SETREADONLY, TRUE, 0);
    Form_Load();
  };
  Label1.MouseDown = [this](MouseButton) { Label1_MouseDown(); };
  Label2.MouseDown = [this](MouseButton) { Label2_MouseDown(); };
  Label3.Click = [this] { Label3_Click(); };
  Label4.Click = [this] { Label4_Click(); };
  Label5.Click = [this] { Label5_Click(); };
  Label6.Click = [this] { Label6_Click(); };
}

}  // namespace ui
