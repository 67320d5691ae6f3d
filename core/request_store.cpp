// The store of the requests made in this run: reqlist's List1 is the list and its Label2 the
// count. Any use creates the panel (hidden, placed, topmost) through hwnd(); it is never
// destroyed, so the list lasts the whole run.
#include <string>

#include "aol/skarnel_aol6.h"
#include "core/request_text.h"
#include "ui/reqlist.h"

namespace ui {

void reqlist::Form_Load() {
  skarnel_aol6::KeepOnTop(hwnd());
  skarnel_aol6::CenterFormAtTop(hwnd());
}

// Unsorted, repeats kept: the list is the record of what was sent, in order.
void reqlist::Append(std::wstring_view item) {
  List1.AddItem(item);
}

// The list box's own 32-bit count: past 32767 items the list keeps growing and the label shows
// the true number, never a wrapped 16-bit one.
int reqlist::Count() {
  return List1.ListCount();
}

void reqlist::SetCountText() {
  Label2.SetCaption(core::CountText(Count()));
}

}  // namespace ui
