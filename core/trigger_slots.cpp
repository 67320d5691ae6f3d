// Trigger slots: selecting a slot (defining it first when empty) and the clear items.
// The slot a user clicked last is lit; the chosen trigger lives in the hidden Label12 as the
// prefix of every line typed into the room. The store c:\triggers.ini is written only by a click
// on an empty slot and read back by every slot click; nothing else touches it. A trigger typed
// while the store cannot be written is used for the run, and the user is told why it was not
// saved.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "aol/ansi.h"
#include "aol/skarnel_aol6.h"
#include "core/request_text.h"
#include "ui/app.h"
#include "ui/owned.h"

namespace ui {
namespace {

std::array<Label*, 4> SlotLabels(Head& head) {
  return {&head.Label2, &head.Label3, &head.Label4, &head.Label5};
}

// The system's reason for a failed write, in words.
std::wstring ReasonText(DWORD error) {
  wchar_t* allocated = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&allocated), 0, nullptr);
  const LocalMemory<wchar_t*> text(allocated);
  std::wstring reason = n && text.get() ? std::wstring(text.get(), n) : L"";
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                             reason.back() == L' ' || reason.back() == L'.'))
    reason.pop_back();
  if (reason.empty()) reason = L"system error " + std::to_wstring(error);
  return reason + L".";
}

// The answer as typed, or the removal of the key when the prompt was cancelled. The file is
// written with the ANSI call because the read-back goes through the ANSI profile read. Returns
// the system's reason when the write failed: a standard user may not write to the root of C:,
// and another program may hold the file.
std::optional<std::wstring> StoreTrigger(const core::TriggerSlotRow& row,
                                         const std::optional<std::wstring>& answer) {
  const std::string value = answer ? aol::ToAnsi(core::StorableTrigger(*answer)) : "";
  SetLastError(ERROR_SUCCESS);
  if (WritePrivateProfileStringA(core::kTriggerSection, row.key, answer ? value.c_str() : nullptr,
                                 core::kTriggerFile))
    return std::nullopt;
  return ReasonText(GetLastError());
}

std::wstring ReadTrigger(const core::TriggerSlotRow& row) {
  return skarnel_aol6::ReadProfileString(aol::FromAnsi(core::kTriggerSection),
                                         aol::FromAnsi(row.key), aol::FromAnsi(core::kTriggerFile));
}

// What a successful store would give back for the answer: its first line in the system's code
// page, as the profile read returns it; "" for Cancel and for an answer of blanks.
std::wstring AsStored(const std::optional<std::wstring>& answer) {
  if (!answer) return {};
  return core::TriggerAsStored(aol::FromAnsi(aol::ToAnsi(core::StorableTrigger(*answer))));
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

  std::wstring trigger;
  std::optional<std::wstring> notSaved;  // why a typed trigger is not in the store
  if (slot.Caption() == row.placeholder) {
    const std::optional<std::wstring> answer = InputBox(core::TriggerPromptText(), row.promptTitle);
    const std::wstring typed = AsStored(answer);
    const std::wstring before = ReadTrigger(row);
    notSaved = StoreTrigger(row, answer);
    if (notSaved) {
      // Nothing is lost by using the typed trigger for this run: every slot asks again at its
      // first click in each run. What the file still holds may be an older trigger that would
      // send every request to the wrong server. Cancel and blanks still end in the message.
      trigger = typed;
    } else {
      trigger = ReadTrigger(row);
      // A write that reports success yet leaves the file's older value in place (a store that
      // another program redirects or holds) is no store either.
      if (!typed.empty() && trigger == before && trigger != typed) {
        notSaved = L"The file still holds another trigger for this slot.";
        trigger = typed;
      }
    }
    if (trigger.empty()) notSaved.reset();
  } else {
    trigger = ReadTrigger(row);
  }

  if (!trigger.empty()) {
    slot.SetCaption(trigger);
    head.Label12.SetCaption(core::PrefixFor(trigger));
    if (notSaved) MsgBox(core::TriggerNotSavedText(*notSaved), MB_OK | MB_ICONEXCLAMATION, kTitle);
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
