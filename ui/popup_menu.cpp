// The pop-up menu shown at the mouse pointer.
#include "ui/forms.h"
#include "ui/gdi.h"

namespace ui {
namespace {

using OwnedMenu = Owned<HMENU, DestroyMenu>;

}  // namespace

HMENU BuildPopupMenu(const std::vector<MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  UINT_PTR id = 0;
  for (const MenuItem& item : items) {
    ++id;
    if (item.caption == L"-")
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);  // cannot be chosen
    else
      AppendMenuW(menu, MF_STRING, id, item.caption.c_str());
  }
  return menu;
}

void ShowPopupMenu(HWND owner, const std::vector<MenuItem>& items) {
  OwnedMenu menu(BuildPopupMenu(items));
  if (!menu.get()) return;
  POINT at;
  GetCursorPos(&at);
  // The control that has the keyboard gets it back when the menu closes, before the item runs.
  const HWND focus = GetFocus();
  // The menu closes on a click elsewhere only if its owner is the foreground window; the
  // WM_NULL afterwards lets the next click open it again at once (the classic dismiss fix).
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (focus && IsWindow(focus) && IsWindowVisible(focus) && GetFocus() != focus) SetFocus(focus);
  // The chosen item runs after the menu has closed; dismissing it runs nothing.
  if (chosen == 0 || chosen > items.size()) return;
  if (auto action = items[chosen - 1].action) action();
}

}  // namespace ui
