// The client's main window: the frame, its toolbar of icons and the MDI client in which every
// window that the user opens inside AOL lives as an "AOL Child".
#include "sim/internal.h"

namespace sim {
namespace {

constexpr int kToolbarHeight = 56;

// The toolbar, in child order: the 2nd icon opens the mailbox, the 26th the keyword window.
constexpr const char* kToolbarIcons[] = {
    "Write",    "Read",     "Mail Center", "Print",   "My Files", "My AOL",  "Favorites",
    "Internet", "Channels", "People",      "Quotes",  "Perks",    "Weather", "Settings",
    "Help",     "Radio",    "Pictures",    "Shop",    "Games",    "News",    "Sports",
    "Music",    "Search",   "Back",        "Forward", "Keyword"};

constexpr const char* kPlainCaptions[] = {"Welcome, Member!", "Top News", "Buddy List",
                                          "Weather",          "Shopping", "Member Directory"};

void CreateToolbar(Client::Impl* impl, HWND frame) {
  HWND outer =
      MakeControl(frame, kToolbarFrameClass, "", WS_CLIPCHILDREN, 0, 0, 900, kToolbarHeight);
  HWND bar = MakeControl(outer, kToolbarClass, "", WS_CLIPCHILDREN, 0, 0, 900, kToolbarHeight);
  for (int i = 0; i < 26; ++i) {
    std::function<void()> action;
    if (i == 1) action = [impl] { impl->PressMailboxIcon(); };
    if (i == 25) action = [impl] { impl->OpenKeyword(); };
    MakeIcon(impl, bar, "toolbar.icon" + std::to_string(i + 1), kToolbarIcons[i], 4 + (i % 13) * 68,
             4 + (i / 13) * 25, 66, 23, std::move(action));
  }
}

}  // namespace

std::string Child::JournalName() const {
  switch (kind) {
    case ChildKind::Room:
      return "room " + name;
    case ChildKind::Mail:
      return "mail " + std::to_string(mailNumber);
    case ChildKind::LookAlike:
      return "im";
    default:
      return name;
  }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* impl = WindowData<Client::Impl>(hwnd, msg, lParam);
  HWND mdi = impl ? impl->mdi : nullptr;
  switch (msg) {
    case WM_CREATE: {
      CreateToolbar(impl, hwnd);
      CLIENTCREATESTRUCT ccs{nullptr, 1000};
      impl->mdi = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                                  0, kToolbarHeight, 100, 100, hwnd, nullptr, Instance(), &ccs);
      return impl->mdi ? 0 : -1;
    }
    case WM_SIZE: {
      // Not DefFrameProc: it would give the whole client area to the MDI client.
      int w = LOWORD(lParam), h = HIWORD(lParam);
      HWND outer = FindWindowExA(hwnd, nullptr, kToolbarFrameClass, nullptr);
      if (outer) MoveWindow(outer, 0, 0, w, kToolbarHeight, TRUE);
      if (HWND bar = FindWindowExA(outer, nullptr, kToolbarClass, nullptr))
        MoveWindow(bar, 0, 0, w, kToolbarHeight, TRUE);
      if (mdi) MoveWindow(mdi, 0, kToolbarHeight, w, std::max(0, h - kToolbarHeight), TRUE);
      return 0;
    }
    case WM_DESTROY:
      if (impl) impl->mainWindow = nullptr;
      PostQuitMessage(0);  // the user closed AOL: the client ends
      return 0;
  }
  return DefFrameProcA(hwnd, mdi, msg, wParam, lParam);
}

void AnswerSentFor(DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE, 0);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* child = reinterpret_cast<Child*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      auto* mcs = reinterpret_cast<MDICREATESTRUCTA*>(cs->lpCreateParams);
      child = reinterpret_cast<Child*>(mcs->lParam);
      child->hwnd = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(child));
      break;
    }
    case WM_CLOSE:
      if (child && child->kind == ChildKind::Mail && child->impl->Opts().mailSticky &&
          !child->impl->quitting) {
        child->impl->Log("refuse", child->JournalName(), WindowText(hwnd));
        return 0;
      }
      break;
    case WM_GETTEXTLENGTH:
      if (child && child->kind == ChildKind::Room && InSendMessage()) {
        if (const int ms = child->impl->Opts().slowReadMs; ms > 0) {
          child->impl->Log("slow", child->JournalName());
          AnswerSentFor(static_cast<DWORD>(ms));
          if (!IsWindow(hwnd)) return 0;
        }
      }
      break;
    case WM_CTLCOLORSTATIC:  // read-only text (transcript, mail body) on white, as in AOL
      if (child && (reinterpret_cast<HWND>(lParam) == child->transcript ||
                    reinterpret_cast<HWND>(lParam) == child->view)) {
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      break;
    case WM_DESTROY:
      if (child) {
        child->impl->Log("close", child->JournalName(), WindowText(hwnd));
        child->impl->ForgetChild(child);
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete child;
      break;
  }
  return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

bool Client::Impl::CreateMainWindow() {
  HWND frame = CreateWindowExA(0, kFrameClass, kClientTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               360, 300, 900, 650, nullptr, nullptr, Instance(), this);
  if (!frame) return false;
  mainWindow = frame;
  ShowWindow(frame, SW_SHOWNORMAL);
  UpdateWindow(frame);
  return true;
}

Child* Client::Impl::OpenChild(ChildKind kind, const std::string& name, const std::string& caption,
                               int x, int y, int w, int h) {
  auto* child = new Child(this, kind);
  child->name = name;
  children.push_back(child);
  MDICREATESTRUCTA mcs{};
  mcs.szClass = kChildClass;
  mcs.szTitle = caption.c_str();
  mcs.hOwner = Instance();
  mcs.x = x;
  mcs.y = y;
  mcs.cx = w;
  mcs.cy = h;
  mcs.style = WS_CLIPCHILDREN;
  mcs.lParam = reinterpret_cast<LPARAM>(child);
  HWND hwnd =
      reinterpret_cast<HWND>(SendMessageA(mdi, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  if (!hwnd) {
    ForgetChild(child);
    delete child;
    return nullptr;
  }
  return child;
}

void Client::Impl::BringToFront(HWND child) {
  // As in AOL, the window just brought up is the active one and the top of the Z-order.
  SendMessageA(mdi, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
  SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

std::vector<Child*> Client::Impl::ChildrenOf(ChildKind kind) const {
  std::vector<Child*> found;
  for (HWND w = GetWindow(mdi, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    auto* child = reinterpret_cast<Child*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (std::find(children.begin(), children.end(), child) != children.end() && child->kind == kind)
      found.push_back(child);
  }
  return found;
}

Child* Client::Impl::FindChild(ChildKind kind) const {
  auto found = ChildrenOf(kind);
  return found.empty() ? nullptr : found.front();
}

void Client::Impl::ForgetChild(Child* child) {
  children.erase(std::remove(children.begin(), children.end(), child), children.end());
}

void Client::Impl::OpenPlainChild(const std::string& caption) {
  static int opened = 0;
  int offset = 24 * (opened++ % 8);
  Child* child =
      OpenChild(ChildKind::Plain, "child " + caption, caption, 120 + offset, 40 + offset, 360, 240);
  if (!child) return;
  HWND hwnd = child->hwnd;
  MakeControl(hwnd, kImageClass, caption.c_str(), 0, 0, 0, 360, 48);
  MakeControl(hwnd, kGlyphClass, "i", 0, 10, 60, 28, 28);
  MakeControl(hwnd, kStaticClass, "Something new is waiting for you today. Check it out!", 0, 48,
              60, 290, 60);
  MakeIcon(this, hwnd, "child.icon1", "Go", 48, 140, 70, 24, nullptr);
  MakeIcon(this, hwnd, "child.icon2", "More", 128, 140, 70, 24, nullptr);
  Log("open", child->name, caption);
}

void Client::Impl::OpenLookAlike() {
  // An Instant Message: a typing box and icons like a chat room's, but no chat transcript.
  Child* child =
      OpenChild(ChildKind::LookAlike, "im", "Instant Message From: ChatFan22", 180, 90, 400, 260);
  if (!child) return;
  HWND hwnd = child->hwnd;
  MakeControl(hwnd, kStaticClass, "ChatFan22: hey, are you in the Lobby?", 0, 10, 10, 370, 90);
  MakeControl(hwnd, kComboClass, "Arial", 0, 10, 106, 120, 22);
  for (int i = 0; i < 7; ++i) {
    static const char* kCaptions[] = {"B", "I", "U", "A", ":-)", "Send", "Block"};
    MakeIcon(this, hwnd, "im.icon" + std::to_string(i + 1), kCaptions[i], 140 + i * 34, 106, 32, 22,
             nullptr);
  }
  child->input = MakeControl(hwnd, kInputClass, "", ES_AUTOHSCROLL, 10, 134, 370, 24);
  WatchText(child->input, this, "im.input", nullptr);
  MakeControl(hwnd, kImageClass, "Instant Message", 0, 10, 166, 370, 30);
  MakeControl(hwnd, kStaticClass, "", 0, 10, 200, 370, 20);
  Log("open", "im", WindowText(hwnd));
}

void Client::Impl::DestroyAll() {
  quitting = true;
  if (modal) DestroyWindow(modal);
  modal = nullptr;
  if (downloadManager) DestroyWindow(downloadManager);
  downloadManager = nullptr;
  if (HWND frame = mainWindow) DestroyWindow(frame);
  mainWindow = nullptr;
}

// The captions of plain windows opened in front of the room by the extra-children fault.
std::string PlainCaption(int index) {
  std::string caption = kPlainCaptions[index % std::size(kPlainCaptions)];
  if (index >= static_cast<int>(std::size(kPlainCaptions)))
    caption += " (" + std::to_string(index / std::size(kPlainCaptions) + 1) + ")";
  return caption;
}

}  // namespace sim
