#pragma once
// The hidden form that owns the "Others" pop-up menu. Item handlers live with their rooms:
// core/trigger_slots.cpp (clrt1..clrt4, clrall), core/request_list.cpp (rqlist),
// dltool/panel.cpp (dl), ui/menu.cpp (hna, gtz), core/chat_banners.cpp (ext).
#include "ui/forms.h"

namespace ui {

class Menu : public Form {
 public:
  Menu();

  // Shows the pop-up menu `other` at the mouse pointer; the chosen item's handler runs.
  void ShowOther();
  // The items of `other`, in order, each bound to its handler ("-" is a separator).
  std::vector<MenuItem> Other();

  void clrt1_Click();
  void clrt2_Click();
  void clrt3_Click();
  void clrt4_Click();
  void clrall_Click();
  void rqlist_Click();
  void dl_Click();
  void hna_Click();
  void gtz_Click();
  void ext_Click();
};

}  // namespace ui
