// The store of the requests made in this run: reqlist's List1 is the list and its Label2 the
// count. Any use creates the panel (hidden, placed, topmost) through hwnd().
#include <string>

#include "aol/skarnel_aol6.h"
#include "ui/reqlist.h"

namespace ui {

void reqlist::Form_Load() {
  skarnel_aol6::KeepOnTop(hwnd());
  skarnel_aol6::CenterFormAtTop(hwnd());
}

void reqlist::Append(std::wstring_view item) { List1.AddItem(item); }

int reqlist::Count() { return List1.ListCount(); }

void reqlist::SetCountText() {
  Label2.SetCaption(L"Number of requests: " + std::to_wstring(Count()));
}

}  // namespace ui
