// The standard controls of the panels: text box, list box, combo box, check box, option button.
// Each is the platform's own window class, so tools and screen readers know them.
#include <algorithm>

#include "ui/forms.h"
// (after windows.h, which forms.h brings)
#include <commctrl.h>

#include "ui/forms_internal.h"

namespace ui {
namespace {

// `place`: left, top, width and height in pixels.
HWND CreateChild(const wchar_t* cls, DWORD style, const RECT& place, const std::wstring& text,
                 bool visible, HWND parent, Control* owner) {
  HWND h = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | style | (visible ? WS_VISIBLE : 0),
                           place.left, place.top, place.right, place.bottom, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  if (!h) return nullptr;
  SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  return h;
}

// The shift argument of the key events: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState() {
  return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
         ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

}  // namespace

// ---- TextBox ----

TextBox::TextBox(Form& owner, const Args& args)
    : FontedControl(owner, args.rect, args.text, args.visible, args.font),
      multiLine_(args.multiLine) {}

void TextBox::Create(HWND parent) {
  DWORD style = WS_TABSTOP | WS_BORDER;
  // A one-line box scrolls along with the typing; a document wraps its long lines at the box's
  // right edge, so every line can be read with the vertical bar alone.
  if (multiLine_)
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
  else
    style |= ES_AUTOHSCROLL;
  hwnd_ =
      CreateChild(L"Edit", style, PixelPlace(), initialCaption_, initiallyVisible_, parent, this);
  if (!hwnd_) return;
  Layout();
  SetWindowSubclass(hwnd_, SubclassProc, 1, 0);
}

void TextBox::Layout() {
  FontedControl::Layout();
  // A new font resets the margins: set them after it, 2 pixels at 96 DPI.
  const int margin = MulDiv(2, owner_.Dpi(), kBaseDpi);
  if (hwnd_)
    SendMessageW(hwnd_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

LRESULT CALLBACK TextBox::SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR) {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(h, SubclassProc, id);
    return DefSubclassProc(h, msg, wp, lp);
  }
  auto* self = static_cast<TextBox*>(ControlOf(h));
  if (!self) return DefSubclassProc(h, msg, wp, lp);
  const Control* me = self;
  try {
    // The key events see the key before the box does; a code set to 0 swallows it, so the box
    // neither inserts nor beeps (Enter in a single-line box would beep otherwise).
    switch (msg) {
      case WM_KEYDOWN:
      case WM_KEYUP: {
        auto event = msg == WM_KEYDOWN ? self->KeyDown : self->KeyUp;
        if (!event) break;
        int code = static_cast<int>(wp);
        event(code, ShiftState());
        if (!StillAttached(h, me) || code == 0) return 0;
        wp = static_cast<WPARAM>(code);
        break;
      }
      case WM_CHAR: {
        auto event = self->KeyPress;
        if (!event) break;
        int code = static_cast<int>(wp);
        event(code);
        if (!StillAttached(h, me) || code == 0) return 0;
        wp = static_cast<WPARAM>(code);
        break;
      }
    }
  } catch (...) {
    TraceCaught("text box", msg);
    return 0;  // a handler's failure must not unwind through the platform
  }
  return DefSubclassProc(h, msg, wp, lp);
}

// ---- ListBox ----

ListBox::ListBox(Form& owner, const Args& args)
    : FontedControl(owner, args.rect, L"", args.visible, args.font) {}

void ListBox::Create(HWND parent) {
  // Sized to whole rows here, not by the platform's integral height: that one only ever shrinks
  // the list, and the horizontal bar that comes and goes would shrink it a row at a time.
  hwnd_ = CreateChild(
      L"ListBox",
      WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
      PixelPlace(), L"", initiallyVisible_, parent, this);
  if (!hwnd_) return;
  SetWindowSubclass(hwnd_, SubclassProc, 1, 0);
  Layout();
}

// Watches the list's own messages, so that items added from anywhere (the DL Tool's are copied in
// by the driver) are measured: an item wider than the list can be scrolled to.
LRESULT CALLBACK ListBox::SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR) {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(h, SubclassProc, id);
    return DefSubclassProc(h, msg, wp, lp);
  }
  const LRESULT result = DefSubclassProc(h, msg, wp, lp);
  auto* self = static_cast<ListBox*>(ControlOf(h));
  if (!self) return result;
  switch (msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
      if (result >= 0 && lp) self->Widen(self->ItemWidth(h, reinterpret_cast<const wchar_t*>(lp)));
      break;
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case WM_SETFONT:
      self->Remeasure();
      break;
  }
  return result;
}

int ListBox::ItemWidth(HWND list, const wchar_t* text) {
  HDC dc = GetDC(list);
  if (!dc) return 0;
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  // The list sets its text a pixel in from the edge; a little room after the last letter.
  return size.cx + MulDiv(4, owner_.Dpi(), kBaseDpi);
}

void ListBox::Widen(int width) {
  if (width <= widest_) return;
  widest_ = width;
  SendMessageW(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
  FitRows();
}

void ListBox::Remeasure() {
  widest_ = 0;
  const LRESULT n = SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
  std::wstring text;
  for (LRESULT i = 0; i < n; ++i) {
    const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length <= 0) continue;
    text.assign(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    widest_ = std::max(widest_, ItemWidth(hwnd_, text.c_str()));
  }
  SendMessageW(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
  FitRows();
}

// As many whole rows as the list's place holds, with the horizontal bar when it is shown.
void ListBox::FitRows() {
  const int row = static_cast<int>(SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0));
  RECT outer, inner;
  if (row <= 0 || !GetWindowRect(hwnd_, &outer) || !GetClientRect(hwnd_, &inner)) return;
  const int frame = (outer.bottom - outer.top) - inner.bottom;
  const int rows = std::max(1, static_cast<int>((PixelPlace().bottom - frame) / row));
  const int height = frame + rows * row;
  if (height != outer.bottom - outer.top)
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListBox::AddItem(std::wstring_view item) {
  SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(item).c_str()));
}

bool ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return false;
  return SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0) != LB_ERR;
}

void ListBox::Clear() {
  SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
}

int ListBox::ListCount() const {
  // The true count, also past 32767 items.
  LRESULT n = SendMessageW(hwnd(), LB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

int ListBox::ListIndex() const {
  LRESULT i = SendMessageW(hwnd(), LB_GETCURSEL, 0, 0);
  return i < 0 ? -1 : static_cast<int>(i);
}

void ListBox::SetListIndex(int index) {
  SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring ListBox::List(int index) const {
  HWND h = hwnd();
  LRESULT n = SendMessageW(h, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR || n <= 0) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  LRESULT got = SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text.data()));
  text.resize(got < 0 ? 0 : static_cast<size_t>(got));
  return text;
}

// ---- ComboBox ----

ComboBox::ComboBox(Form& owner, const Args& args)
    : FontedControl(owner, args.rect, args.text, true, args.font) {}

// A drop-down combo box's window includes its opened list: room for the speed list's items.
int ComboBox::ExtraHeight96() const {
  return 180;
}

void ComboBox::Create(HWND parent) {
  hwnd_ = CreateChild(L"ComboBox", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                      PixelPlace(), L"", initiallyVisible_, parent, this);
  if (!hwnd_) return;
  Layout();
  // The window text of a drop-down combo box is its edit field's text.
  SetWindowTextW(hwnd_, initialCaption_.c_str());
}

void ComboBox::AddItem(std::wstring_view item) {
  SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(item).c_str()));
}

int ComboBox::ListCount() const {
  LRESULT n = SendMessageW(hwnd(), CB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

// ---- CheckBox ----

CheckBox::CheckBox(Form& owner, const Args& args)
    : FontedControl(owner, args.rect, args.caption, true, args.font) {}

void CheckBox::Create(HWND parent) {
  // Click comes through the panel's WM_COMMAND (BN_CLICKED), after the box ticked itself.
  hwnd_ = CreateChild(L"Button", WS_TABSTOP | BS_AUTOCHECKBOX, PixelPlace(), initialCaption_,
                      initiallyVisible_, parent, this);
  if (hwnd_) Layout();
}

int CheckBox::Value() const {
  return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckBox::SetValue(int value) {
  SendMessageW(hwnd(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- OptionButton ----

OptionButton::OptionButton(Form& owner, const Args& args)
    : Control(owner, args.rect, args.caption, false) {}

void OptionButton::Create(HWND parent) {
  // Not an auto button: only the program sets it, the user never sees it.
  hwnd_ =
      CreateChild(L"Button", BS_RADIOBUTTON, PixelPlace(), initialCaption_, false, parent, this);
}

bool OptionButton::Value() const {
  return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void OptionButton::SetValue(bool value) {
  SendMessageW(hwnd(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ui
