// Request sending: Send from the button and from Enter in the request box. One click types at
// most one line into the room, however many numbers the box holds; the server reads them.
#include <array>
#include <string>

#include "aol/skarnel_aol7.h"
#include "core/request_text.h"
#include "ui/app.h"

namespace ui {
namespace {

constexpr int kEnter = 13;

void Record(std::wstring_view slotCaption, std::wstring_view text) {
  reqlist& store = App().reqlist;
  store.Append(core::RequestItem(slotCaption, text));
  store.SetCountText();
}

}  // namespace

void Head::Send() {
  PlayPress();
  const std::wstring prefix = Label12.Caption();
  if (core::IsNoTrigger(prefix)) {
    MsgBox(L"No trigger detected.", MB_OK | MB_ICONEXCLAMATION, kTitle);
    return;
  }
  const std::wstring text = Text1.Text();
  if (core::IsFillInRefused(text)) {
    MsgBox(L"Fill in request #(s)", MB_OK | MB_ICONEXCLAMATION, kTitle);
    return;
  }

  const std::array<const Label*, 4> slots = {&Label2, &Label3, &Label4, &Label5};
  if (core::HasNote(text)) {
    // With a note only the first slot that carries the request records it, and the note stays
    // out of the room.
    for (const Label* slot : slots) {
      const std::wstring caption = slot->Caption();
      if (core::SlotMatches(caption, prefix)) {
        Record(caption, text);
        skarnel_aol7::SendChat(core::RequestLine(prefix, text));
        return;
      }
    }
  } else {
    for (const Label* slot : slots) {
      const std::wstring caption = slot->Caption();
      if (core::SlotMatches(caption, prefix)) Record(caption, text);
    }
  }
  // Without a note this is the request line; with one it is reached only when no slot shows the
  // chosen trigger any more, and then the note goes into the room as well.
  skarnel_aol7::SendChat(prefix + text);
}

// The label button's own press handling lights and restores it around the click.
void Head::Label6_Click() {
  Send();
}

void Head::Text1_KeyPress(int& keyAscii) {
  if (keyAscii != kEnter) return;
  Send();
  Label6.SetForeColor(kRestColor);
  // Swallowed: a single-line box would beep at the carriage return.
  keyAscii = 0;
}

// Enter held down in the request box shows the Send button pressed, as a mouse press would.
void Head::Text1_KeyDown(int& keyCode, int) {
  if (keyCode == kEnter) Label6.SetForeColor(kPressedColor);
}

void Head::Text1_KeyUp(int& keyCode, int) {
  if (keyCode == kEnter) Label6.SetForeColor(kRestColor);
}

}  // namespace ui
