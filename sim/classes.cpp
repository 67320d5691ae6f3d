// The client's window classes: plain painted panes, the icons, and the platform's edit and list
// box under the client's own class names (superclassed, so text and items behave natively).
#include <mutex>

#include "sim/internal.h"

namespace sim {
namespace {

WNDPROC gEditProc = nullptr;
WNDPROC gListProc = nullptr;

// ---- Painted panes ---------------------------------------------------------------------------

void PaintPane(HWND hwnd, HDC dc) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  std::string text = WindowText(hwnd);
  SelectObject(dc, UiFont());
  SetBkMode(dc, TRANSPARENT);
  auto fill = [&](COLORREF color, const RECT& r) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  };
  UINT textFlags = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
  if (!lstrcmpiA(cls, kImageClass)) {
    for (int y = rc.top; y < rc.bottom; y += 4) {  // a blue banner, lighter towards the bottom
      int shade = 60 + 120 * (y - rc.top) / std::max<int>(1, rc.bottom - rc.top);
      RECT band{rc.left, y, rc.right, std::min<int>(y + 4, rc.bottom)};
      fill(RGB(0, shade / 2, shade + 60 > 255 ? 255 : shade + 60), band);
    }
    SetTextColor(dc, RGB(255, 255, 255));
    textFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  } else if (!lstrcmpiA(cls, kGlyphClass)) {
    fill(GetSysColor(COLOR_BTNFACE), rc);
    HBRUSH brush = CreateSolidBrush(RGB(255, 204, 0));
    HGDIOBJ old = SelectObject(dc, brush);
    Ellipse(dc, rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2);
    SelectObject(dc, old);
    DeleteObject(brush);
    SetTextColor(dc, RGB(0, 0, 128));
    textFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  } else if (!lstrcmpiA(cls, kComboClass)) {
    fill(RGB(255, 255, 255), rc);
    DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    RECT arrow{rc.right - 18, rc.top + 2, rc.right - 2, rc.bottom - 2};
    DrawFrameControl(dc, &arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
    rc.left += 4;
    rc.right -= 20;
  } else if (!lstrcmpiA(cls, kMailHeaderClass)) {
    fill(RGB(236, 240, 250), rc);
    DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT);
    rc.left += 6;
    SetTextColor(dc, RGB(0, 0, 96));
  } else if (!lstrcmpiA(cls, kTabControlClass)) {
    fill(GetSysColor(COLOR_BTNFACE), rc);
    RECT tab{rc.left, rc.top, rc.left + 110, rc.top + 20};
    DrawEdge(dc, &tab, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
    DrawTextA(dc, text.c_str(), -1, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT body{rc.left, rc.top + 20, rc.right, rc.bottom};
    DrawEdge(dc, &body, EDGE_RAISED, BF_RECT);
    return;
  } else if (!lstrcmpiA(cls, kToolbarFrameClass) || !lstrcmpiA(cls, kToolbarClass)) {
    fill(RGB(222, 226, 238), rc);
    DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_BOTTOM);
    return;
  } else {  // statics, tab pages
    fill(GetSysColor(COLOR_BTNFACE), rc);
    if (GetWindowLongA(hwnd, GWL_STYLE) & SS_CENTER) textFlags = DT_CENTER | DT_VCENTER;
    textFlags = (textFlags & ~DT_SINGLELINE) | DT_WORDBREAK;
    textFlags &= ~DT_VCENTER;
  }
  DrawTextA(dc, text.c_str(), -1, &rc, textFlags);
}

LRESULT CALLBACK PaneProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintPane(hwnd, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_COMMAND:  // a hand click in the mail list travels up to the mailbox
    case WM_CTLCOLORSTATIC:
      if (HWND parent = GetParent(hwnd)) return SendMessageA(parent, msg, wParam, lParam);
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- Icons -----------------------------------------------------------------------------------

struct IconData {
  Client::Impl* impl;
  std::string name;
  std::function<void()> action;
  bool down = false;
  bool downPosted = false;
};

// How a message reached the icon: a message sent from another thread is handled while its
// sender waits; anything else came through the queue (posted, or real input).
std::string Delivered(const char* message) {
  return InSendMessage() ? std::string(message) : std::string("posted ") + message;
}

// The client acts on an icon only when a press is complete: a button-down followed either by
// the release of the space bar (the pair that the driver sends) or by a button-up (a posted
// or real mouse click). The journal names both messages, each marked "posted " when it was.
void Press(HWND hwnd, IconData* data, const char* release) {
  data->down = false;
  InvalidateRect(hwnd, nullptr, TRUE);
  Client::Impl* impl = data->impl;
  std::string name = data->name;
  const std::string sequence = (data->downPosted ? "posted LBUTTONDOWN" : "LBUTTONDOWN") +
                               std::string("+") + Delivered(release);
  auto action = data->action;  // the action may close the icon's window
  impl->MaybeHang(name);
  impl->Log("press", name, sequence);
  if (action && !impl->quitting) action();
}

LRESULT CALLBACK IconProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* data = WindowData<IconData>(hwnd, msg, lParam);
  switch (msg) {
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete data;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (data) {
        data->down = true;
        data->downPosted = !InSendMessage();
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (data && data->down) Press(hwnd, data, "LBUTTONUP");
      return 0;
    case WM_KEYUP:
      if (data && data->down && wParam == VK_SPACE) Press(hwnd, data, "KEYUP(SPACE)");
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
      bool down = data && data->down;
      DrawEdge(dc, &rc, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      SelectObject(dc, UiFont());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 128));
      std::string text = WindowText(hwnd);
      if (down) OffsetRect(&rc, 1, 1);
      DrawTextA(dc, text.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- Edits and the mail list ------------------------------------------------------------------

struct TextData {
  Client::Impl* impl;
  std::string name;
  std::function<void()> onEnter;
};

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<TextData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_SETTEXT:
      if (data) {
        // The bytes exactly as the sender gave them: the window is an ANSI one, so an A-sent
        // text arrives unconverted.
        data->impl->MaybeHang(data->name);
        data->impl->Log("settext", data->name, lParam ? reinterpret_cast<const char*>(lParam) : "");
      }
      break;
    case WM_CHAR:
      if (wParam == '\r' && data && data->onEnter) {
        auto onEnter = data->onEnter;
        onEnter();
        return 0;
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete data;
      break;
  }
  return CallWindowProcA(gEditProc, hwnd, msg, wParam, lParam);
}

struct ListData {
  Client::Impl* impl;
  Child* mailbox;
};

LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<ListData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case LB_SETCURSEL:
      if (data) data->impl->Log("select", "mailbox.list", std::to_string(static_cast<int>(wParam)));
      break;
    case LB_GETCOUNT:
      if (data && InSendMessage()) {
        const UINT ms = static_cast<UINT>(std::max(0, data->impl->Opts().listReadDelayMs)) +
                        data->impl->ChaosDelayMs(300);
        if (ms > 0) {
          data->impl->Log("slow", "mailbox.list", std::to_string(ms));
          AnswerSentFor(ms);
          if (!IsWindow(hwnd)) return 0;
        }
      }
      break;
    case WM_CHAR:
      if (wParam == '\r' && data) {
        int selected = static_cast<int>(CallWindowProcA(gListProc, hwnd, LB_GETCURSEL, 0, 0));
        data->impl->Log("enter", "mailbox.list", std::to_string(selected));
        data->impl->OpenSelectedMail(data->mailbox);
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK: {
      LRESULT r = CallWindowProcA(gListProc, hwnd, msg, wParam, lParam);
      if (data) data->impl->OpenSelectedMail(data->mailbox);
      return r;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete data;
      break;
  }
  return CallWindowProcA(gListProc, hwnd, msg, wParam, lParam);
}

void Register(const char* name, WNDPROC proc, UINT style = CS_HREDRAW | CS_VREDRAW,
              HBRUSH background = nullptr, int extra = 0) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extra;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

// A platform control under the client's class name, with `proc` in front of the original.
WNDPROC Superclass(const char* base, const char* name, WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(nullptr, base, &wc)) return nullptr;
  WNDPROC original = wc.lpfnWndProc;
  wc.lpfnWndProc = proc;
  wc.hInstance = Instance();
  wc.lpszClassName = name;
  wc.style &= ~CS_GLOBALCLASS;
  RegisterClassExA(&wc);
  return original;
}

}  // namespace

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

HFONT UiFont() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void RegisterClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    Register(kFrameClass, FrameProc, CS_HREDRAW | CS_VREDRAW,
             reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
    Register(kChildClass, ChildProc, CS_HREDRAW | CS_VREDRAW,
             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Register(kControlClass, ControlProc, 0);
    Register(kModalClass, ModalProc, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Register(kDownloadManagerClass, ManagerProc, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Register(kIconClass, IconProc);
    for (const char* pane :
         {kStaticClass, kComboClass, kImageClass, kGlyphClass, kRichStaticClass, kTabControlClass,
          kTabPageClass, kMailHeaderClass, kToolbarFrameClass, kToolbarClass})
      Register(pane, PaneProc);
    for (const char* edit : {kInputClass, kTranscriptClass, kEditClass, kViewClass})
      gEditProc = Superclass("EDIT", edit, EditProc);
    for (const char* list : {kTreeClass, kMemberListClass})
      gListProc = Superclass("LISTBOX", list, TreeProc);
  });
}

HWND MakeIcon(Client::Impl* impl, HWND parent, const std::string& name, const char* caption, int x,
              int y, int w, int h, std::function<void()> action) {
  auto* data = new IconData{impl, name, std::move(action)};
  HWND icon = CreateWindowExA(0, kIconClass, caption, WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                              nullptr, Instance(), data);
  if (!icon) delete data;
  return icon;
}

HWND MakeControl(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w,
                 int h) {
  DWORD exStyle = 0;
  if (!lstrcmpiA(cls, kInputClass) || !lstrcmpiA(cls, kTranscriptClass) ||
      !lstrcmpiA(cls, kEditClass) || !lstrcmpiA(cls, kViewClass) || !lstrcmpiA(cls, kTreeClass) ||
      !lstrcmpiA(cls, kMemberListClass))
    exStyle = WS_EX_CLIENTEDGE;
  HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                              nullptr, Instance(), nullptr);
  if (hwnd) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  // Chat lines and bodies may be long: lift the edit's default limit.
  if (hwnd && exStyle && lstrcmpiA(cls, kTreeClass) && lstrcmpiA(cls, kMemberListClass))
    CallWindowProcA(gEditProc, hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  return hwnd;
}

void WatchText(HWND edit, Client::Impl* impl, const std::string& name,
               std::function<void()> onEnter) {
  SetWindowLongPtrA(edit, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(new TextData{impl, name, std::move(onEnter)}));
}

void SelectQuietly(HWND list, int index) {
  CallWindowProcA(gListProc, list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void WatchMailList(HWND list, Client::Impl* impl, Child* mailbox) {
  SetWindowLongPtrA(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ListData{impl, mailbox}));
}

void SetTextQuietly(HWND edit, const std::string& text) {
  CallWindowProcA(gEditProc, edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void AppendText(HWND edit, const std::string& text) {
  int end = GetWindowTextLengthA(edit);
  CallWindowProcA(gEditProc, edit, EM_SETSEL, end, end);
  CallWindowProcA(gEditProc, edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(0, copied)));
  return text;
}

}  // namespace sim
