// Labels: captions drawn over the panel's skin, and the label buttons built on them.
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/forms.h"
#include "ui/forms_internal.h"
#include "ui/gdi.h"

namespace ui {
namespace {

constexpr wchar_t kLabelClass[] = L"VantorLabel";

unsigned Bit(MouseButton b) {
  return 1u << static_cast<unsigned>(b);
}

// Wingdings' arrowheads as Marlett draws them, for a system without Wingdings.
std::wstring ForMarlett(std::wstring text) {
  for (wchar_t& c : text) {
    if (c == 0xD9) c = L'5';  // up
    if (c == 0xDA) c = L'6';  // down
  }
  return text;
}

// The caption's lines, split at its line breaks (CR LF, or a lone CR or LF).
std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace

Label::Label(Form& owner, const Args& args)
    : FontedControl(owner, args.rect, args.caption, args.visible, args.font),
      color_(args.color),
      centered_(args.centered),
      wordWrap_(args.wordWrap) {}

void Label::Create(HWND parent) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static const ATOM labelClass = [instance] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowBridge<Label, Control>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kLabelClass;
    return RegisterClassExW(&wc);
  }();
  (void)labelClass;
  DWORD style = WS_CHILD | (initiallyVisible_ ? WS_VISIBLE : 0);
  const RECT r = PixelPlace();
  CreateWindowExW(0, kLabelClass, initialCaption_.c_str(), style, r.left, r.top, r.right, r.bottom,
                  parent, nullptr, instance, this);
  Layout();
}

void Label::SetForeColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  // Repaint now: the press look must show even while the handler that follows keeps the thread.
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT Label::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  HWND h = hwnd_;
  const Control* me = this;
  // Runs an event; false when the handler destroyed this label (and so its panel) meanwhile.
  auto fire = [&](const auto& event, auto... args) {
    if (auto copy = event) copy(args...);
    return StillAttached(h, me);
  };
  auto press = [&](MouseButton b) {
    if (buttonsHeld_ == 0) SetCapture(h);  // the release comes back here, wherever it happens
    buttonsHeld_ |= Bit(b);
    if (b == MouseButton::Left) leftDown_ = true;
    fire(MouseDown, b);
    return 0;
  };
  auto release = [&](MouseButton b) {
    if (!(buttonsHeld_ & Bit(b))) return 0;  // pressed elsewhere: not ours
    buttonsHeld_ &= ~Bit(b);
    const bool click = b == MouseButton::Left && leftDown_;
    if (b == MouseButton::Left) leftDown_ = false;
    if (buttonsHeld_ == 0 && GetCapture() == h) ReleaseCapture();
    if (!fire(MouseUp, b)) return 0;
    RECT inside;
    GetClientRect(h, &inside);
    const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (click && PtInRect(&inside, at)) fire(Click);
    return 0;
  };

  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(h, msg, wp, lp);
      InvalidateRect(h, nullptr, FALSE);
      return r;
    }
    case WM_LBUTTONDOWN:
      return press(MouseButton::Left);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return press(MouseButton::Right);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return press(MouseButton::Middle);
    case WM_LBUTTONDBLCLK:
      // The second press of a double-click is a double-click, never a second click: a double-
      // click on Send asks the server once. A label without a double-click action ignores it;
      // its release still comes back here and restores the press look.
      if (buttonsHeld_ == 0) SetCapture(h);
      buttonsHeld_ |= Bit(MouseButton::Left);
      leftDown_ = false;
      fire(DblClick);
      return 0;
    case WM_LBUTTONUP:
      return release(MouseButton::Left);
    case WM_RBUTTONUP:
      return release(MouseButton::Right);
    case WM_MBUTTONUP:
      return release(MouseButton::Middle);
    case WM_CAPTURECHANGED:
      // Capture taken away while a button is held (a drag's move loop, a menu, a modal box):
      // the buttons count as released here, with no click, so a label never stays lit.
      if (reinterpret_cast<HWND>(lp) != h && buttonsHeld_) {
        const unsigned held = buttonsHeld_;
        buttonsHeld_ = 0;
        leftDown_ = false;
        for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle})
          if ((held & Bit(b)) && !fire(MouseUp, b)) return 0;
      }
      return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

void Label::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  const int w = client.right, h = client.bottom;
  if (w > 0 && h > 0) {
    // Transparent: the skin under the label first, then the caption, composed off screen.
    MemoryDc buffer(CreateCompatibleDC(dc));
    OwnedBitmap pixels(CreateCompatibleBitmap(dc, w, h));
    Selection pick(buffer.get(), pixels.get());
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, GetParent(hwnd_), &origin, 1);
    PaintSkinPart(buffer.get(), owner_.Skin(),
                  RECT{origin.x, origin.y, origin.x + w, origin.y + h});

    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)), L'\0');
    if (!text.empty()) {
      text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), int(text.size()) + 1)));
      if (std::wstring_view(FontDescription().face) == L"Wingdings" &&
          std::wstring_view(ResolveFont(FontDescription()).face) == L"Marlett")
        text = ForMarlett(std::move(text));
      Selection font(buffer.get(), Font());
      SetBkMode(buffer.get(), TRANSPARENT);
      SetTextColor(buffer.get(), color_);
      // Captions are shown as typed: an "&" in a trigger is a character, not a mnemonic.
      const UINT align = centered_ ? DT_CENTER : DT_LEFT;
      const std::vector<std::wstring> lines = SplitLines(text);
      TEXTMETRICW metrics{};
      GetTextMetricsW(buffer.get(), &metrics);
      const int lineHeight = std::max<int>(1, metrics.tmHeight);
      if (lines.size() > 1 && static_cast<int>(lines.size()) * lineHeight > h) {
        // Lines set one under another (greet's "Return" written downwards) were laid out for a
        // face with a tighter line height than the one standing in for it: close them up so
        // every line stays inside the label.
        const int step = h / static_cast<int>(lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
          RECT line{0, static_cast<int>(i) * step, w, static_cast<int>(i) * step + lineHeight};
          DrawTextW(buffer.get(), lines[i].c_str(), static_cast<int>(lines[i].size()), &line,
                    DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP | align);
        }
      } else {
        RECT area = client;
        DrawTextW(buffer.get(), text.c_str(), static_cast<int>(text.size()), &area,
                  DT_NOPREFIX | DT_WORDBREAK | align);
      }
    }
    BitBlt(dc, 0, 0, w, h, buffer.get(), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
}

// The press look of every label button on every panel, kept here so that no panel needs a
// MouseDown or MouseUp handler of its own for it: pressed while a mouse button (any of them) is
// down on the label, at rest again when it comes up.
LabelButton::LabelButton(Form& owner, const Args& args) : Label(owner, args) {
  MouseDown = [this](MouseButton) { SetForeColor(kPressedColor); };
  MouseUp = [this](MouseButton) { SetForeColor(kRestColor); };
}

}  // namespace ui
