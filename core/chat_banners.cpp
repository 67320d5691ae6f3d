// Chat banners on start, Re-Enter and exit: the main panel announces Vantor in the open room.
#include "core/chat_banners.h"

#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "core/banner_lines.h"
#include "ui/app.h"

namespace core {
namespace {

// Both lines of a two-line banner go out 0.7 s apart, so the room shows them as two posts.
constexpr double kBetweenLinesSeconds = 0.7;
// After the keyword window has been told to enter the room again, the room needs a moment to
// open before it can take a line.
constexpr double kAfterReEnterSeconds = 0.5;

void SendTwoLineBanner(const std::wstring& first) {
  // The room shows the banner at full size: the client's main window is maximised first.
  skarnel_aol7::MaximiseClient();
  skarnel_aol7::SendChat(first);
  skarnel_aol6::Pause(kBetweenLinesSeconds);
  skarnel_aol7::SendChat(LinkLine());
}

}  // namespace

void SendStartBanner() {
  if (!skarnel_aol7::FindChatRoom()) return;
  SendTwoLineBanner(SignatureLine());
}

void SendExitBanner() {
  if (!skarnel_aol7::FindChatRoom()) return;
  SendTwoLineBanner(UnloadedLine());
}

}  // namespace core

namespace ui {
namespace {

// Set once an exit is under way: X or Exit pressed again during the banner's pause does nothing,
// so the room gets the exit lines once.
bool exiting = false;

void Exit() {
  if (exiting) return;
  exiting = true;
  PlayPress();
  // A DL run in progress ends first, so that AOL is not left waiting on a prompt nobody answers.
  App().dltool.EndRunForExit();
  core::SendExitBanner();
  // Nothing is unloaded or written: the requests of this run are meant to go with it.
  EndProgram();
}

}  // namespace

void Head::StartBanner() {
  core::SendStartBanner();
}

void Head::Label9_Click() {
  Exit();
}

void Menu::ext_Click() {
  Exit();
}

void Head::Label11_Click() {
  PlayPress();
  // One look-up serves both the test and the caption: a second walk could find no room (or
  // another one) if the user closed it meanwhile, and would then re-enter a room named "".
  const HWND room = skarnel_aol7::FindChatRoom();
  if (!room) {
    MsgBox(L"Must be in a chatroom first!", 0, kTitle);
    return;
  }
  // A client that did not answer the read has not told us the room's name: re-entering with
  // nothing would run the bare room address, so nothing goes to AOL.
  const auto name = skarnel_aol6::GetWindowCaption(room);
  if (!name) return;
  skarnel_aol7::OpenAolUrl(*name);
  skarnel_aol6::Pause(core::kAfterReEnterSeconds);
  skarnel_aol7::SendChat(core::BackLine());
}

}  // namespace ui
