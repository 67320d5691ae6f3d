// Downloading: the open mail's download menu, the Download Manager that holds the queue, AOL's
// modal prompt that confirms an addition, and the standard dialogs the client may pop up.
#include "sim/internal.h"

namespace sim {
namespace {

constexpr char kPromptText[] = "Your mail has been added to the Download Manager.";
constexpr char kDownloadDialogText[] =
    "Your Download Manager is busy. The mail will be downloaded when the current file is done.";

enum MenuEntry : UINT { kDownloadNow = 1, kDownloadLater = 2, kShowManager = 3 };

// The keys the open download menu takes, for the journal (the menu's own loop reads them from
// the queue, so they were posted, or typed).
thread_local std::string* tMenuKeys = nullptr;

std::string KeyName(WPARAM key) {
  switch (key) {
    case VK_DOWN:
      return "DOWN";
    case VK_UP:
      return "UP";
    case VK_RETURN:
      return "RETURN";
    case VK_ESCAPE:
      return "ESCAPE";
  }
  return "VK" + std::to_string(key);
}

LRESULT CALLBACK MenuKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_MENU && tMenuKeys && lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_KEYDOWN) {
      if (!tMenuKeys->empty()) *tMenuKeys += ',';
      *tMenuKeys += "posted " + KeyName(msg->wParam);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ModalProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* impl = WindowData<Client::Impl>(hwnd, msg, lParam);
  switch (msg) {
    case WM_DESTROY:
      if (impl) {
        impl->Log("close", "prompt", WindowText(hwnd));
        if (impl->modal == hwnd) impl->modal = nullptr;
      }
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ManagerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Stored as for the client's other windows, though nothing here reads it.
  WindowData<Client::Impl>(hwnd, msg, lParam);
  switch (msg) {
    case WM_CLOSE:  // closing only hides it: the queue stays
      ShowWindow(hwnd, SW_HIDE);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Client::Impl::CreateDownloadManager() {
  // A top-level window of its own, never an AOL child: it must not disturb the driver's walk.
  downloadManager = CreateWindowExA(0, kDownloadManagerClass, "Download Manager",
                                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 860, 60, 400, 260,
                                    mainWindow.load(), nullptr, Instance(), this);
  if (!downloadManager) return;
  MakeControl(downloadManager, "Static", "Files waiting to be downloaded:", 0, 10, 8, 370, 18);
  downloadList = MakeControl(downloadManager, "ListBox", "",
                             WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 30, 370, 190);
}

void Client::Impl::OpenDownloadMenu(Child* mailWindow) {
  HWND mail = mailWindow->hwnd;
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kDownloadNow, "Download Now");
  AppendMenuA(menu, MF_STRING, kDownloadLater, "Download Later");
  AppendMenuA(menu, MF_STRING, kShowManager, "Download Manager");
  RECT rc{};
  GetWindowRect(mail, &rc);
  Log("open", "menu", "Download");
  std::string keys;
  std::string* outerKeys = tMenuKeys;
  tMenuKeys = &keys;
  HHOOK hook = SetWindowsHookExA(WH_MSGFILTER, MenuKeys, nullptr, GetCurrentThreadId());
  UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                               rc.left + 90, rc.bottom - 60, 0, mainWindow.load(), nullptr);
  if (hook) UnhookWindowsHookEx(hook);
  tMenuKeys = outerKeys;
  Log("keys", "menu", keys);
  char entry[64] = "";
  if (chosen) GetMenuStringA(menu, chosen, entry, sizeof entry, MF_BYCOMMAND);
  DestroyMenu(menu);
  Log("close", "menu", "Download");
  Log("menu", "menu", entry);
  if (quitting) return;
  if (chosen == kShowManager && downloadManager) ShowWindow(downloadManager, SW_SHOWNORMAL);
  if (chosen != kDownloadLater) return;
  // The window may have moved on or gone while the menu was open.
  for (Child* m : ChildrenOf(ChildKind::Mail))
    if (m->hwnd == mail) QueueDownload(m->mailNumber);
}

void Client::Impl::QueueDownload(int number) {
  std::string subject;
  {
    std::lock_guard lock(mutex);
    if (number < 1 || number > static_cast<int>(mails.size())) return;
    subject = mails[number - 1].subject;
    downloadQueue.push_back(subject);
  }
  if (downloadList)
    SendMessageA(downloadList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(subject.c_str()));
  Log("queued", "download manager", std::to_string(number));
  WriteState();
  if (downloadDialogArmed.exchange(false) || ChaosChance(3)) {
    ShowClientDialog(kDownloadDialogText);
    if (quitting) return;
  }
  const Options o = Opts();
  if (o.promptNever) return;
  ChaosAt("prompt");
  const UINT delayMs = static_cast<UINT>(o.promptDelayMs) + ChaosDelayMs(600);
  if (delayMs > 0)
    After(delayMs, [this] { ShowPrompt(); });
  else
    ShowPrompt();
}

void Client::Impl::ShowPrompt() {
  if (modal) {
    SetWindowPos(modal, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  RECT frame{};
  GetWindowRect(mainWindow.load(), &frame);
  int w = 340, h = 140;
  int x = (frame.left + frame.right - w) / 2, y = (frame.top + frame.bottom - h) / 2;
  modal = CreateWindowExA(WS_EX_DLGMODALFRAME, kModalClass, kClientTitle,
                          WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, x, y, w, h,
                          mainWindow.load(), nullptr, Instance(), this);
  if (!modal) return;
  MakeControl(modal, kGlyphClass, "!", 0, 12, 14, 32, 32);
  MakeControl(modal, kStaticClass, kPromptText, 0, 54, 14, 270, 40);
  MakeIcon(this, modal, "modal.icon1", "OK", 130, 70, 80, 26, [this] { AnswerPrompt(); });
  ShowWindow(modal, SW_SHOWNORMAL);
  Log("open", "prompt", kPromptText);
  // AOL's prompt is modal: whatever brought it up (the download menu's choice, and with it the
  // press of the mail's download icon) is held until the prompt is answered or closed.
  const HWND prompt = modal;
  MSG msg;
  while (IsWindow(prompt) && !quitting) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loops
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Client::Impl::AnswerPrompt() {
  Log("prompt", "modal.icon1", "OK");
  // Closed after the press has returned: the press came from the prompt's own icon.
  HWND prompt = modal;
  Defer([this, prompt] {
    if (prompt && prompt == modal) DestroyWindow(prompt);
  });
}

namespace {

// The client's dialog being shown on this thread, for the hook below.
thread_local Client::Impl* tDialogOwner = nullptr;
thread_local bool tDialogPressed = false;

// Marks the two moments between which whoever answers the dialog is at work: the box has been
// shown (its set-up is the client's time), and its button was clicked (its going is too).
LRESULT CALLBACK WatchDialog(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && tDialogOwner && call) {
    char cls[8] = {};
    GetClassNameA(call->hwnd, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0) {
      if (call->message == WM_WINDOWPOSCHANGED &&
          reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW)
        tDialogOwner->Log("dialog", "dialog.visible", "");
      if (call->message == WM_COMMAND && HIWORD(call->wParam) == BN_CLICKED && call->lParam &&
          !tDialogPressed) {
        tDialogPressed = true;
        tDialogOwner->Log("dialog", "dialog.pressed", "");
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void Client::Impl::ShowClientDialog(const std::string& text) {
  Log("dialog", "dialog", text);
  HHOOK watch = SetWindowsHookExA(WH_CALLWNDPROC, WatchDialog, nullptr, GetCurrentThreadId());
  tDialogOwner = this;
  tDialogPressed = false;
  int answer = MessageBoxA(nullptr, text.c_str(), kClientTitle, MB_OK | MB_ICONINFORMATION);
  tDialogOwner = nullptr;
  if (watch) UnhookWindowsHookEx(watch);
  Log("dialog", "dialog.button", answer == IDOK ? "OK" : std::to_string(answer));
}

}  // namespace sim
