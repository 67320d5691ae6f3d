#include "ui/dltool.h"

#include "ui/res/resource.h"

namespace ui {
namespace {
constexpr FontSpec kListFont{L"Small Fonts", 6, FW_BOLD};
}  // namespace

DLtool::DLtool()
    : Form({.title = L"Form4",
            .clientWidthTwips = 6465,
            .clientHeightTwips = 2700,
            .skinResource = IDB_SKIN_DLTOOL}),
      Text1(*this, {.rect = {120, 360, 1095, 285}, .text = L"#"}),
      Text2(*this, {.rect = {1560, 360, 1095, 285}, .text = L"#"}),
      Label1(*this, {.rect = {1320, 360, 135, 255}, .caption = L"__"}),
      Label2(*this, {.rect = {0, 0, 6375, 255}, .caption = L""}),
      Label3(*this, {.rect = {4080, 360, 375, 195}, .caption = L"Add"}),
      Label4(*this, {.rect = {5280, 360, 435, 195}, .caption = L"Stop"}),
      Combo1(*this, {.rect = {120, 720, 1095, 300}, .text = L"Speed"}),
      Label5(*this, {.rect = {3720, 720, 1095, 255}, .caption = L"0", .centered = true}),
      Label6(*this, {.rect = {5280, 720, 690, 195}, .caption = L"Return"}),
      Option1(*this, {.rect = {4080, 0, 135, 195}, .caption = L"Option1"}),
      Check1(*this, {.rect = {1560, 720, 1935, 255}, .caption = L" Keep Mail As New"}),
      List1(*this, {.rect = {120, 1080, 6255, 1560}, .font = kListFont}),
      Timer1(*this, kTimer1IntervalMs) {
  Load = [this] { Form_Load(); };
  Label2.MouseDown = [this](MouseButton) { Label2_MouseDown(); };
  Label5.MouseDown = [this](MouseButton) { Label5_MouseDown(); };
  Label3.Click = [this] { Label3_Click(); };
  Label4.Click = [this] { Label4_Click(); };
  Label6.Click = [this] { Label6_Click(); };
  Check1.Click = [this] { Check1_Click(); };
  Timer1.Tick = [this] { Timer1_Timer(); };
}

}  // namespace ui
