// The chat room: finding it, typing a line into it, and the client shown at full size for it.
#include "aol/ansi.h"
#include "aol/candidate_walk.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"

namespace skarnel_aol7 {

HWND FindChatRoom() {
  // The room's text pane, input box, list of people and icons; the read-only pane is what sets
  // a room apart from other windows that have an input box. It is asked for first, being the
  // rarest: every other window is turned down on one question.
  return aol::FindAolChild({"richcntlreadonly", "_aol_static", "_aol_combobox", "_aol_icon",
                            "_aol_static", "richcntl", "_aol_icon", "_aol_image", "_aol_static"});
}

void SendChat(std::wstring_view text) {
  aol::ForeignWindow room(FindChatRoom());
  if (!room) return;
  // WM_SETTEXT replaces whatever the user had typed into the input box, so the line goes out
  // alone; no pause is needed before the press. A client that did not take the line is not
  // pressed: the box would still hold the user's own half-typed words.
  if (!room.Child("richcntl").SetText(aol::ToAnsi(text))) return;
  // The room's sixth icon sends the line.
  aol::PressIcon(room.NthChild("_aol_icon", 6));
}

void MaximiseClient() {
  // ShowWindow on another process's window waits for that process to handle it, without a limit:
  // a hung client would hold Vantor at its start. The asynchronous show is queued to the client
  // and returns at once; the banner's lines sent after it are handled after it.
  if (const aol::ForeignWindow frame = aol::FindAolMain())
    ShowWindowAsync(frame.get(), SW_SHOWMAXIMIZED);
}

}  // namespace skarnel_aol7
