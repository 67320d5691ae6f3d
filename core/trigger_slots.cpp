// Trigger slots: selecting a slot (defining it first when empty) and the clear items.
// The slot a user clicked last is lit; the chosen trigger lives in the hidden Label12 as the
// prefix of every line typed into the room. The store c:\triggers.ini is written only by a click
// on an empty slot and read back by every slot click; nothing else touches it.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "aol/ansi.h"
#include "aol/skarnel_aol6.h"
#include "core/request_text.h"
#include "ui/app.h"

namespace ui {
namespace {

std::array<Label*, 4> SlotLabels(Head& head) {
  return {&head.Label2, &head.Label3, &head.Label4, &head.Label5};
}

// The answer as typed, or the removal of the key when the prompt was cancelled. The file is
// written with the ANSI call because the read-back goes through the ANSI profile read.
void StoreTrigger(const core::TriggerSlotRow& row, const std::optional<std::wstring>& answer) {
  if (answer) {
    const std::string value = aol::ToAnsi(core::StorableTrigger(*answer));
    WritePrivateProfileStringA(core::kTriggerSection, row.key, value.c_str(), core::kTriggerFile);
  } else {
    WritePrivateProfileStringA(core::kTriggerSection, row.key, nullptr, core::kTriggerFile);
  }
}

std::wstring ReadTrigger(const core::TriggerSlotRow& row) {
  return skarnel_aol6::ReadProfileString(aol::FromAnsi(core::kTriggerSection),
                                         aol::FromAnsi(row.key), aol::FromAnsi(core::kTriggerFile));
}

void SelectSlot(int index) {
  Head& head = App().head;
  const auto labels = SlotLabels(head);
  const core::TriggerSlotRow& row = core::kTriggerSlots[index];
  Label& slot = *labels[index];

  // The clicked slot lights first, then the others go back to rest, lowest first.
  slot.SetForeColor(kPressedColor);
  for (int i = 0; i < 4; ++i)
    if (i != index) labels[i]->SetForeColor(kRestColor);
  PlayPress();

  if (slot.Caption() == row.placeholder)
    StoreTrigger(row, InputBox(core::TriggerPromptText(), row.promptTitle));

  const std::wstring trigger = ReadTrigger(row);
  if (!trigger.empty()) {
    slot.SetCaption(trigger);
    head.Label12.SetCaption(core::PrefixFor(trigger));
  } else {
    slot.SetForeColor(kRestColor);
    MsgBox(L"Trigger incorrect or not found!", MB_OK | MB_ICONEXCLAMATION, kTitle);
  }
}

void ClearSlot(int index) {
  Head& head = App().head;
  Label& slot = *SlotLabels(head)[index];
  const wchar_t* placeholder = core::kTriggerSlots[index].placeholder;
  PlayPress();
  slot.SetCaption(placeholder);
  // Only a lit slot gave the current prefix; an unlit one leaves the prefix as it is, even when
  // it still names this slot's old trigger.
  if (slot.ForeColor() == kPressedColor) {
    slot.SetCaption(placeholder);
    head.Label12.SetCaption(core::kNoTriggerPrefix);
    slot.SetForeColor(kRestColor);
  }
}

}  // namespace

void Head::Label2_Click() {
  SelectSlot(0);
}
void Head::Label3_Click() {
  SelectSlot(1);
}
void Head::Label4_Click() {
  SelectSlot(2);
}
void Head::Label5_Click() {
  SelectSlot(3);
}

void Menu::clrt1_Click() {
  ClearSlot(0);
}
void Menu::clrt2_Click() {
  ClearSlot(1);
}
void Menu::clrt3_Click() {
  ClearSlot(2);
}
void Menu::clrt4_Click() {
  ClearSlot(3);
}

void Menu::clrall_Click() {
  Head& head = App().head;
  const auto labels = SlotLabels(head);
  PlayPress();
  for (int i = 0; i < 4; ++i) labels[i]->SetCaption(core::kTriggerSlots[i].placeholder);
  // The lit slot keeps its colour, now over its placeholder, until another slot is clicked.
  for (int i = 0; i < 4; ++i) {
    if (labels[i]->ForeColor() == kPressedColor) {
      labels[i]->SetCaption(core::kTriggerSlots[i].placeholder);
      head.Label12.SetCaption(core::kNoTriggerPrefix);
    }
  }
}

}  // namespace ui
