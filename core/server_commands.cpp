// Server commands: List, Status, Find and Server?. Each types at most one line into the room and
// shows at most one message; none of them touches the request list or the request box.
#include <string>

#include "aol/skarnel_aol7.h"
#include "core/request_text.h"
#include "ui/app.h"

namespace ui {
namespace {

bool InChatRoom() {
  if (skarnel_aol7::FindChatRoom()) return true;
  MsgBox(L"Not in a chatroom!", MB_OK, kTitle);
  return false;
}

// List and Status differ only by the word put where a request's numbers would go; the trigger
// is tested before the room.
void AskServer(Head& head, std::wstring_view word) {
  PlayPress();
  const std::wstring prefix = head.Label12.Caption();
  if (core::IsNoTrigger(prefix)) {
    MsgBox(L"No trigger detected.", MB_OK | MB_ICONEXCLAMATION, kTitle);
    return;
  }
  if (!InChatRoom()) return;
  skarnel_aol7::SendChat(prefix + std::wstring(word));
}

}  // namespace

void Head::Label7_Click() {
  AskServer(*this, L"List");
}

void Head::Label8_Click() {
  AskServer(*this, L"Status");
}

// Server? asks the whole room, so it needs no trigger.
void Head::Label13_Click() {
  PlayPress();
  if (!InChatRoom()) return;
  skarnel_aol7::SendChat(L"/server");
}

// Find tests the room before the trigger, and sends the box's whole text, note and all.
void Head::Label17_Click() {
  PlayPress();
  if (!InChatRoom()) return;
  const std::wstring prefix = Label12.Caption();
  const std::wstring text = Text1.Text();
  if (text.empty() || core::IsNoTrigger(prefix)) {
    MsgBox(L"No trigger detected/Invalid find.", MB_OK | MB_ICONEXCLAMATION, kTitle);
    return;
  }
  skarnel_aol7::SendChat(core::FindLine(prefix, text));
}

}  // namespace ui
