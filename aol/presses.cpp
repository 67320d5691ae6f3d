// The three ways Vantor presses something in another program's window.
#include "aol/foreign_window.h"
#include "aol/skarnel_aol6.h"

namespace skarnel_aol6 {

void PressEnter(HWND window) {
  aol::ForeignWindow(window).Send(WM_CHAR, VK_RETURN, 0);
}

bool ClickIcon(HWND window) {
  // An AOL icon acts on a button-down followed by the release of the space bar; a
  // WM_LBUTTONUP would not do it. Both are sent, so the press has happened when this returns
  // true.
  return aol::PressIcon(aol::ForeignWindow(window));
}

void ClickButton(HWND window) {
  // Posted: a button that opens a modal window must not hold Vantor inside the send.
  aol::ForeignWindow button(window);
  button.Post(WM_LBUTTONDOWN, 0, 0);
  button.Post(WM_LBUTTONUP, 0, 0);
}

}  // namespace skarnel_aol6
