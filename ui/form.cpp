// Forms (Vantor's panels), the base of their controls, and timers.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

#include "ui/forms.h"
#include "ui/forms_internal.h"
#include "ui/gdi.h"
#include "ui/res/resource.h"

namespace ui {
namespace {

// Every panel looks the same to the window manager: borderless, no taskbar button, above the
// AOL client. The styles live here and nowhere else.
constexpr DWORD kFormStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr wchar_t kFormClass[] = L"VantorForm";

// The live panels, for finding the one a modal box belongs to.
std::vector<Form*>& LiveForms() {
  static std::vector<Form*> forms;
  return forms;
}

UINT_PTR NextTimerId() {
  static UINT_PTR next = 1000;
  return ++next;
}

}  // namespace

int WindowDpi(HWND window) {
  // GetDpiForWindow came with Windows 10 1607; looked up at run time so the program still
  // starts on Windows 7 and 8.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  const ScreenDc screen(GetDC(nullptr));
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : kBaseDpi;
  return dpi > 0 ? dpi : kBaseDpi;
}

HWND VisiblePanelWindow() {
  // A hidden panel never owns a box: the platform would disable it, not the panel the user
  // clicks, and the box would not be modal for him.
  HWND active = GetActiveWindow();
  for (Form* f : LiveForms())
    if (f->IsVisible() && f->hwnd() == active) return active;
  for (Form* f : LiveForms())
    if (f->IsVisible()) return f->hwnd();
  return nullptr;
}

Control* ControlOf(HWND window) {
  return reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool StillAttached(HWND window, const void* object) {
  return IsWindow(window) &&
         reinterpret_cast<const void*>(GetWindowLongPtrW(window, GWLP_USERDATA)) == object;
}

void TraceCaught(const char* where, UINT msg) noexcept {
  char text[400];
  try {
    throw;
  } catch (const std::exception& e) {
    snprintf(text, sizeof text, "Vantor: %s, message 0x%04X: %s\n", where, msg, e.what());
  } catch (...) {
    snprintf(text, sizeof text, "Vantor: %s, message 0x%04X: an exception of no std type\n", where,
             msg);
  }
  OutputDebugStringA(text);
}

// ---- Control ----

Control::Control(Form& owner, TwipsRect rect, std::wstring_view caption, bool visible)
    : owner_(owner), rect_(rect), initialCaption_(caption), initiallyVisible_(visible) {
  owner.Register(this);
}

Control::~Control() {
  if (hwnd_ && IsWindow(hwnd_)) {
    // Detach first: the window's last messages then go to the default procedure, not to us.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

RECT Control::PixelPlace() const {
  const int dpi = owner_.Dpi();
  return {TwipsToPixels(rect_.left, dpi), TwipsToPixels(rect_.top, dpi),
          TwipsToPixels(rect_.width, dpi),
          TwipsToPixels(rect_.height, dpi) + MulDiv(ExtraHeight96(), dpi, kBaseDpi)};
}

void Control::Layout() {
  if (!hwnd_) return;
  const RECT r = PixelPlace();
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right, r.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

FontedControl::FontedControl(Form& owner, TwipsRect rect, std::wstring_view caption, bool visible,
                             const FontSpec& font)
    : Control(owner, rect, caption, visible), fontSpec_(font) {}

void FontedControl::Layout() {
  Control::Layout();
  const int dpi = owner_.Dpi();
  GdiFont old;
  if (fontDpi_ != dpi || !font_.get()) {
    old = std::move(font_);
    font_ = MakeFont(fontSpec_, dpi);
    fontDpi_ = dpi;
  }
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  // The old font goes only now, when the window no longer holds it.
}

HWND Control::hwnd() const {
  owner_.hwnd();
  return hwnd_;
}

std::wstring Control::Caption() const {
  HWND h = hwnd();
  if (!h) return initialCaption_;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)), L'\0');
  if (!text.empty()) {
    int n = GetWindowTextW(h, text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<size_t>(std::max(n, 0)));
  }
  return text;
}

void Control::SetCaption(std::wstring_view text) {
  HWND h = hwnd();
  if (!h) {
    initialCaption_ = text;
    return;
  }
  SetWindowTextW(h, std::wstring(text).c_str());
}

bool Control::Visible() const {
  HWND h = hwnd();
  if (!h) return initiallyVisible_;
  return (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) {
  HWND h = hwnd();
  if (!h) {
    initiallyVisible_ = visible;
    return;
  }
  ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
}

// ---- Timer ----

Timer::Timer(Form& owner, UINT intervalMs)
    : owner_(owner), interval_(intervalMs), id_(NextTimerId()) {
  owner.Register(this);
}

Timer::~Timer() {
  if (owner_.hwnd_) KillTimer(owner_.hwnd_, id_);
  owner_.Unregister(this);
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  // A timer of a panel that does not exist yet starts with the panel's window.
  if (!owner_.hwnd_) return;
  if (enabled)
    SetTimer(owner_.hwnd_, id_, interval_, nullptr);
  else
    KillTimer(owner_.hwnd_, id_);
}

// ---- Form ----

Form::Form(const Args& args)
    : title_(args.title),
      widthTwips_(args.clientWidthTwips),
      heightTwips_(args.clientHeightTwips),
      skinResource_(args.skinResource) {
  LiveForms().push_back(this);
}

Form::~Form() {
  auto& live = LiveForms();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  hwnd_ = nullptr;
}

void Form::Unregister(Timer* timer) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

HWND Form::hwnd() {
  if (hwnd_) return hwnd_;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static const ATOM formClass = [instance] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;  // the splash panel opens the program on a double-click
    wc.lpfnWndProc = WindowBridge<Form, Form>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VANTOR));
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc);
  }();
  (void)formClass;

  if (skinResource_ && !skin_.get())
    skin_.reset(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(skinResource_),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!boxBrush_.get()) boxBrush_.reset(CreateSolidBrush(kBoxBackColor));
  if (!checkBrush_.get()) checkBrush_.reset(CreateSolidBrush(kCheckBackColor));

  // No border, so the window is exactly the client area: first at the system's DPI, then at the
  // DPI of the monitor it came up on.
  dpi_ = WindowDpi(nullptr);
  CreateWindowExW(kFormExStyle, kFormClass, title_.c_str(), kFormStyle, 0, 0,
                  TwipsToPixels(widthTwips_, dpi_), TwipsToPixels(heightTwips_, dpi_), nullptr,
                  nullptr, instance, this);  // WM_NCCREATE stores hwnd_
  if (!hwnd_) return nullptr;
  Layout(WindowDpi(hwnd_), POINT{0, 0});

  for (int size : {ICON_BIG, ICON_SMALL}) {
    const int px = GetSystemMetrics(size == ICON_BIG ? SM_CXICON : SM_CXSMICON);
    HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(IDI_VANTOR), IMAGE_ICON, px, px, LR_SHARED);
    if (icon) SendMessageW(hwnd_, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
  }
  for (Control* c : controls_) c->Create(hwnd_);
  for (Timer* t : timers_)
    if (t->enabled_) SetTimer(hwnd_, t->id_, t->interval_, nullptr);

  HWND created = hwnd_;
  if (auto load = Load) load();
  return IsWindow(created) ? created : nullptr;
}

void Form::Show() {
  HWND h = hwnd();
  if (!h) return;
  ShowWindow(h, SW_SHOW);
  SetForegroundWindow(h);
}

void Form::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::HandOver(Form& next) {
  // The next panel is activated first, while this one is still the active window. Hiding the
  // active panel first makes the system activate another window, often the client's, and under
  // load the client's late take of the X input focus then leaves no window active at all
  // (wine's unmanaged windows): the user's typing after Return would go nowhere.
  next.Show();
  Hide();
}

bool Form::IsVisible() const {
  return hwnd_ && IsWindowVisible(hwnd_);
}

int Form::HeightTwips() const {
  if (!hwnd_) return heightTwips_;
  RECT r;
  GetWindowRect(hwnd_, &r);
  const int pixels = r.bottom - r.top;
  // A height given in twips reads back as given, though its pixels are rounded.
  if (pixels == TwipsToPixels(heightTwips_, dpi_)) return heightTwips_;
  return pixels * kTwipsPerInch / dpi_;
}

void Form::SetHeightTwips(int twips) {
  heightTwips_ = twips;
  if (!hwnd_) return;
  // Only the height changes: the panel keeps its place, and what lies below the new edge is
  // cut off, not moved.
  SetWindowPos(hwnd_, nullptr, 0, 0, TwipsToPixels(widthTwips_, dpi_), TwipsToPixels(twips, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Layout(int dpi, POINT at) {
  const bool changed = dpi != dpi_;
  dpi_ = dpi;
  if (skin_.get() && (changed || !skinScaled_.get())) {
    BITMAP info{};
    GetObjectW(skin_.get(), sizeof(info), &info);
    // At 96 DPI the skin is drawn as it is, pixel for pixel.
    skinScaled_ = dpi == kBaseDpi ? OwnedBitmap()
                                  : ScaleSkin(skin_.get(), MulDiv(info.bmWidth, dpi, kBaseDpi),
                                              MulDiv(info.bmHeight, dpi, kBaseDpi));
  }
  SetWindowPos(hwnd_, nullptr, at.x, at.y, TwipsToPixels(widthTwips_, dpi),
               TwipsToPixels(heightTwips_, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
  for (Control* c : controls_) c->Layout();
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT Form::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  HWND h = hwnd_;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the skin covers everything in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      const RECT& r = ps.rcPaint;
      if (r.right > r.left && r.bottom > r.top) {
        MemoryDc buffer(CreateCompatibleDC(dc));
        OwnedBitmap pixels(CreateCompatibleBitmap(dc, r.right - r.left, r.bottom - r.top));
        Selection pick(buffer.get(), pixels.get());
        PaintSkinPart(buffer.get(), Skin(), r);
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer.get(), 0, 0, SRCCOPY);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, kRestColor);
      SetBkColor(dc, kBoxBackColor);
      return reinterpret_cast<LRESULT>(boxBrush_.get());
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Read-only text boxes ask with CTLCOLORSTATIC too; they keep the boxes' colours.
      HDC dc = reinterpret_cast<HDC>(wp);
      wchar_t cls[16] = {};
      GetClassNameW(reinterpret_cast<HWND>(lp), cls, 16);
      const bool box = lstrcmpiW(cls, L"Edit") == 0;
      SetTextColor(dc, kRestColor);
      SetBkColor(dc, box ? kBoxBackColor : kCheckBackColor);
      return reinterpret_cast<LRESULT>(box ? boxBrush_.get() : checkBrush_.get());
    }
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED && lp) {
        if (auto* box = dynamic_cast<CheckBox*>(ControlOf(reinterpret_cast<HWND>(lp)))) {
          if (auto click = box->Click) click();
          return 0;
        }
      }
      break;
    case WM_TIMER:
      for (Timer* t : timers_) {
        if (t->id_ != wp) continue;
        if (auto tick = t->Tick) tick();
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      return 0;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        if (auto click = Click) click();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      pressed_ = false;
      if (auto dbl = DblClick) dbl();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(h, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      // As a form does: the keyboard goes back to the control that had it, else to the first
      // control that takes it (the request box of the main panel), so typing works at once.
      HWND target = lastFocus_;
      if (!target || !IsWindow(target) || !IsChild(h, target) || !IsWindowVisible(target))
        target = GetNextDlgTabItem(h, nullptr, FALSE);
      if (target && target != h) SetFocus(target);
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI (or its scale changed): the panel, its skin, its
      // controls and their fonts are laid out again there, at the place the system suggests.
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      Layout(LOWORD(wp), POINT{suggested->left, suggested->top});
      return 0;
    }
    case WM_CLOSE:
      // Panels are hidden, never closed: the program ends only through "X" or Exit.
      return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace ui
