#pragma once
// The main panel: four trigger slots, the request box and the label buttons.
// Handlers are defined in the file of the room they belong to:
//   ui/head.cpp              layout, Form_Load placement, roll-up (Label16), Others (Label10), drag
//   core/trigger_slots.cpp   Label2_Click .. Label5_Click
//   core/request_sending.cpp Label6_Click, Text1_KeyPress, Text1_KeyDown, Text1_KeyUp
//   core/server_commands.cpp Label7_Click, Label8_Click, Label13_Click, Label17_Click
//   core/chat_banners.cpp    StartBanner (from Form_Load), Label9_Click (X), Label11_Click
//   (Re-Enter) core/request_list.cpp    Label14_Click (View List) dltool/panel.cpp Label15_Click
//   (DL Tool)
#include "ui/forms.h"

namespace ui {

class Head : public Form {
 public:
  Head();

  // The Wingdings arrowheads of the roll-up toggle: expanded and collapsed.
  static constexpr wchar_t kRollUpGlyph = 0xD9;
  static constexpr wchar_t kRollDownGlyph = 0xDA;
  static constexpr int kExpandedHeightTwips = 1410;
  static constexpr int kCollapsedHeightTwips = 285;
  // The RequestPrefix while no trigger is chosen.
  static constexpr wchar_t kNoTriggerPrefix[] = L"/Trigger Send ";
  static constexpr wchar_t kRequestPlaceholder[] = L"#, #-# : Mail Note";

  Label Label1;                          // top strip: drag
  LabelButton Label16;                   // roll-up toggle
  LabelButton Label9;                    // "X"
  Label Label2, Label3, Label4, Label5;  // trigger slots 1..4 (no press look)
  LabelButton Label6;                    // "Send"
  LabelButton Label7;                    // "List"
  LabelButton Label8;                    // "Status"
  LabelButton Label11;                   // "Re-Enter"
  TextBox Text1;                         // the request box
  LabelButton Label14;                   // "View List"
  LabelButton Label15;                   // "DL Tool"
  LabelButton Label13;                   // "Server?"
  LabelButton Label17;                   // "Find"
  LabelButton Label10;                   // "Others"
  Label Label12;                         // invisible: holds the RequestPrefix

  void Form_Load();
  // Announces Vantor in the open room, once, when the panel has loaded.
  void StartBanner();
  void Label1_MouseDown();
  void Label2_Click();
  void Label3_Click();
  void Label4_Click();
  void Label5_Click();
  void Label6_Click();
  void Label7_Click();
  void Label8_Click();
  void Label9_Click();
  void Label10_Click();
  void Label11_Click();
  void Label13_Click();
  void Label14_Click();
  void Label15_Click();
  void Label16_Click();
  void Label17_Click();
  void Text1_KeyPress(int& keyAscii);
  void Text1_KeyDown(int& keyCode, int shift);
  void Text1_KeyUp(int& keyCode, int shift);

  // Send, as the click and the Enter key both perform it.
  void Send();
};

}  // namespace ui
