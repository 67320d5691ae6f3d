#include "ui/head.h"

#include "aol/skarnel_aol6.h"
#include "ui/app.h"
#include "ui/res/resource.h"

namespace ui {
namespace {
constexpr FontSpec kStripFont{L"MS Sans Serif", 8.25, FW_NORMAL};
constexpr FontSpec kArrowFont{L"Wingdings", 8.25, FW_NORMAL, SYMBOL_CHARSET};
const wchar_t kRollUpCaption[] = {Head::kRollUpGlyph, 0};
}  // namespace

Head::Head()
    : Form({.title = kTitle,
            .clientWidthTwips = 4320,
            .clientHeightTwips = 1410,
            .skinResource = IDB_SKIN_HEAD}),
      Label1(*this, {.rect = {0, 0, 3735, 255}, .caption = L"", .font = kStripFont}),
      Label16(*this, {.rect = {3840, 0, 135, 255}, .caption = kRollUpCaption, .font = kArrowFont}),
      Label9(*this, {.rect = {4080, 0, 135, 255}, .caption = L"X"}),
      Label2(*this, {.rect = {120, 360, 1095, 255}, .caption = L"Trigger 1"}),
      Label3(*this, {.rect = {120, 600, 1095, 255}, .caption = L"Trigger 2"}),
      Label4(*this, {.rect = {120, 840, 1095, 255}, .caption = L"Trigger 3"}),
      Label5(*this, {.rect = {120, 1080, 1095, 255}, .caption = L"Trigger 4"}),
      Label6(*this, {.rect = {1320, 360, 465, 195}, .caption = L"Send"}),
      Label7(*this, {.rect = {1920, 360, 360, 195}, .caption = L"List"}),
      Label8(*this, {.rect = {2400, 360, 645, 195}, .caption = L"Status"}),
      Label11(*this, {.rect = {3360, 360, 825, 195}, .caption = L"Re-Enter"}),
      Text1(*this, {.rect = {1320, 600, 1695, 285}, .text = kRequestPlaceholder}),
      Label14(*this, {.rect = {3360, 600, 840, 195}, .caption = L"View List"}),
      Label15(*this, {.rect = {3360, 840, 735, 195}, .caption = L"DL Tool"}),
      Label13(*this, {.rect = {1320, 960, 750, 195}, .caption = L"Server?"}),
      Label17(*this, {.rect = {2520, 960, 405, 195}, .caption = L"Find"}),
      Label10(*this, {.rect = {3360, 1080, 675, 195}, .caption = L"Others"}),
      Label12(*this,
              {.rect = {1920, 1440, 255, 255}, .caption = kNoTriggerPrefix, .visible = false}) {
  Load = [this] { Form_Load(); };
  Label1.MouseDown = [this](MouseButton) { Label1_MouseDown(); };
  Label2.Click = [this] { Label2_Click(); };
  Label3.Click = [this] { Label3_Click(); };
  Label4.Click = [this] { Label4_Click(); };
  Label5.Click = [this] { Label5_Click(); };
  Label6.Click = [this] { Label6_Click(); };
  Label7.Click = [this] { Label7_Click(); };
  Label8.Click = [this] { Label8_Click(); };
  Label9.Click = [this] { Label9_Click(); };
  Label10.Click = [this] { Label10_Click(); };
  Label11.Click = [this] { Label11_Click(); };
  Label13.Click = [this] { Label13_Click(); };
  Label14.Click = [this] { Label14_Click(); };
  Label15.Click = [this] { Label15_Click(); };
  Label16.Click = [this] { Label16_Click(); };
  Label17.Click = [this] { Label17_Click(); };
  Text1.KeyPress = [this](int& c) { Text1_KeyPress(c); };
  Text1.KeyDown = [this](int& k, int shift) { Text1_KeyDown(k, shift); };
  Text1.KeyUp = [this](int& k, int shift) { Text1_KeyUp(k, shift); };
}

void Head::Form_Load() {
  skarnel_aol6::KeepOnTop(hwnd());
  skarnel_aol6::CenterFormAtTop(hwnd());
  StartBanner();
}

void Head::Label1_MouseDown() {
  skarnel_aol6::DragForm(hwnd());
}

void Head::Label16_Click() {
  PlayPress();
  const std::wstring glyph = Label16.Caption();
  if (glyph.size() == 1 && glyph[0] == kRollUpGlyph) {
    SetHeightTwips(kCollapsedHeightTwips);
    Label16.SetCaption(std::wstring(1, kRollDownGlyph));
  } else {
    SetHeightTwips(kExpandedHeightTwips);
    Label16.SetCaption(std::wstring(1, kRollUpGlyph));
  }
}

void Head::Label10_Click() {
  PlayPress();
  App().menu.ShowOther();
}

}  // namespace ui
