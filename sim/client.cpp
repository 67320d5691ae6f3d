// The client's thread, its message loop and the API through which tests start, inspect and
// change it. Work that must happen on the client's thread goes through a message-only window.
#include <memory>

#include "sim/internal.h"

namespace sim {
namespace {

constexpr UINT kRunDeferred = WM_APP + 1;
constexpr UINT kQuit = WM_APP + 2;

// Handles what the start left queued, the display's answers to it included (the frame's map and
// keyboard focus), until the thread finds nothing more to do. Under wine, a frame whose map is
// handled only after another program has taken the keyboard takes it back, and a program started
// beside the client would lose its open menu to it: so the client is journalled "ready" only
// once it has settled, and tests start that program after it.
void Settle(Client::Impl* impl) {
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // for the message loop to end on
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    // A zero wait hands the display's queued events to their windows; it reports input when it
    // handled some, and then the queue is looked at again.
  } while (MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
           WAIT_OBJECT_0);
  impl->Log("ready", "client");
}

void ThreadMain(Client::Impl* impl) {
  impl->threadId = GetCurrentThreadId();
  RegisterClasses();
  impl->control =
      CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(), impl);
  // Right after wine starts, a first program may briefly get no display: retry a little.
  bool made = false;
  for (int attempt = 0; attempt < 50 && impl->control && !made; ++attempt) {
    made = impl->CreateMainWindow();
    if (!made) Sleep(100);  // nothing to wait on: the display is still coming up
  }
  if (made) {
    Options opts = impl->Opts();
    impl->CreateDownloadManager();
    if (opts.chatRoom && opts.secondRoom) impl->OpenRoom(opts.roomName + " 2");
    if (opts.chatRoom) impl->OpenRoom(opts.roomName);
    for (int i = 0; i < opts.extraChildren; ++i) impl->OpenPlainChild(PlainCaption(i));
    if (opts.lookAlike) impl->OpenLookAlike();
    impl->WriteState();
    impl->started = true;
    Settle(impl);
  }
  SetEvent(impl->ready);
  if (made && impl->Opts().hungFromStart && !impl->quitting) {
    // Its windows are there to be found, but the thread never gets to its messages.
    impl->Log("hang", "start");
    WaitForSingleObject(impl->hungRelease, INFINITE);
  }
  if (made) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  impl->DestroyAll();
  if (HWND control = impl->control.exchange(nullptr)) DestroyWindow(control);
  SetEvent(impl->exited);
}

}  // namespace

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* impl = WindowData<Client::Impl>(hwnd, msg, lParam);
  switch (msg) {
    case kRunDeferred:
    case kQuit:
    case WM_TIMER:
      if (impl) impl->OnControlMessage(msg, wParam);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

Client::Impl::~Impl() {
  if (journalFile) std::fclose(journalFile);
  for (HANDLE h : {ready, hungRelease, exited})
    if (h) CloseHandle(h);
}

Options Client::Impl::Opts() const {
  std::lock_guard lock(mutex);
  return options;
}

void Client::Impl::MaybeHang(const std::string& where) {
  if (!Opts().hung || quitting) return;
  Log("hang", where);
  WaitForSingleObject(hungRelease, INFINITE);
}

void Client::Impl::Defer(std::function<void()> work) {
  {
    std::lock_guard lock(mutex);
    deferred.push_back(std::move(work));
  }
  PostMessageA(control.load(), kRunDeferred, 0, 0);
}

void Client::Impl::After(UINT ms, std::function<void()> work) {
  UINT_PTR id = nextTimer++;
  timers.emplace_back(id, std::move(work));
  SetTimer(control.load(), id, ms, nullptr);
}

void Client::Impl::RunOnThread(std::function<void()> work) {
  if (GetCurrentThreadId() == threadId) {
    work();
    return;
  }
  // The event is shared with the task: should the wait time out, the task may still run later.
  std::shared_ptr<void> done(CreateEventA(nullptr, TRUE, FALSE, nullptr), CloseHandle);
  Defer([work = std::move(work), done] {
    work();
    SetEvent(done.get());
  });
  // Handles messages sent to this thread meanwhile, so that the client may talk to the caller's
  // windows without a deadlock; posted input stays queued for the caller.
  ULONGLONG deadline = GetTickCount64() + 10000;
  HANDLE handle = done.get();
  for (;;) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    DWORD r = MsgWaitForMultipleObjectsEx(1, &handle, static_cast<DWORD>(deadline - now),
                                          QS_SENDMESSAGE, 0);
    if (r == WAIT_OBJECT_0) return;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void Client::Impl::OnControlMessage(UINT msg, WPARAM wParam) {
  if (msg == kQuit) {
    quitting = true;
    EndMenu();           // a download menu's own loop ends...
    PostQuitMessage(0);  // ... and so do dialogs' loops, then ours
    return;
  }
  if (msg == WM_TIMER) {
    KillTimer(control.load(), wParam);
    auto it = std::find_if(timers.begin(), timers.end(),
                           [wParam](const auto& t) { return t.first == wParam; });
    if (it == timers.end()) return;
    auto work = std::move(it->second);
    timers.erase(it);
    if (!quitting) work();
    return;
  }
  std::function<void()> work;
  {
    std::lock_guard lock(mutex);
    if (deferred.empty()) return;
    work = std::move(deferred.front());
    deferred.pop_front();
  }
  if (!quitting) work();
}

// ---- Client ---------------------------------------------------------------------------------

Client::Client(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

std::unique_ptr<Client> Client::Start(const Options& options) {
  auto impl = std::make_unique<Impl>();
  impl->options = options;
  impl->mails = StartMails(std::max(0, options.mails));
  for (const std::string& subject : options.extraMails) {
    Mail mail{.date = "07/31/02", .from = "BuddyJoe", .subject = subject};
    mail.body = "Hi Member,\r\n\r\n" + subject;
    impl->mails.push_back(std::move(mail));
  }
  impl->downloadDialogArmed = options.dialogOnDownload;
  impl->chaos.seed(options.chaosSeed);
  if (!options.journalFile.empty())
    impl->journalFile = std::fopen(options.journalFile.c_str(), "ab");
  impl->ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  impl->exited = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  impl->hungRelease =
      CreateEventA(nullptr, TRUE, options.hung || options.hungFromStart ? FALSE : TRUE, nullptr);
  Impl* raw = impl.get();
  impl->thread = std::thread(ThreadMain, raw);
  WaitForSingleObject(impl->ready, INFINITE);
  if (!impl->started) {
    impl->thread.join();
    return nullptr;
  }
  return std::unique_ptr<Client>(new Client(std::move(impl)));
}

Client::~Client() {
  impl_->quitting = true;
  SetEvent(impl_->hungRelease);  // a hung client must not hold up its own end
  if (HWND control = impl_->control.load()) PostMessageA(control, kQuit, 0, 0);
  if (impl_->thread.joinable()) impl_->thread.join();
}

std::vector<Event> Client::Journal() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->journal;
}

void Client::ClearJournal() {
  std::lock_guard lock(impl_->mutex);
  impl_->journal.clear();
}

std::vector<std::string> Client::Transcript() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->transcript;
}

std::vector<std::string> Client::DownloadQueue() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->downloadQueue;
}

std::vector<std::string> Client::Mails() const {
  std::lock_guard lock(impl_->mutex);
  std::vector<std::string> subjects;
  for (const Mail& mail : impl_->mails) subjects.push_back(mail.subject);
  return subjects;
}

std::vector<int> Client::MarkedNew() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->markedNew;
}

HWND Client::MainWindow() const {
  return impl_->mainWindow.load();
}

bool Client::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(impl_->exited, timeoutMs) == WAIT_OBJECT_0;
}

void Client::OpenChatRoom(const std::string& name) {
  impl_->RunOnThread([impl = impl_.get(), name] { impl->OpenRoom(name); });
}

void Client::CloseChatRooms() {
  impl_->RunOnThread([impl = impl_.get()] {
    for (Child* room : impl->ChildrenOf(ChildKind::Room)) impl->CloseRoom(room);
  });
}

void Client::SetOptions(const Options& options) {
  {
    std::lock_guard lock(impl_->mutex);
    std::string journalFile = impl_->options.journalFile, stateFile = impl_->options.stateFile;
    impl_->options = options;
    impl_->options.journalFile = journalFile;  // the files are chosen once, at the start
    impl_->options.stateFile = stateFile;
  }
  impl_->downloadDialogArmed = options.dialogOnDownload;
  if (options.hung || options.hungFromStart)
    ResetEvent(impl_->hungRelease);
  else
    SetEvent(impl_->hungRelease);
}

void Client::ShowDialog(const std::string& text) {
  impl_->Defer([impl = impl_.get(), text] { impl->ShowClientDialog(text); });
}

}  // namespace sim

namespace sim {

void Client::DeliverMail(const std::string& subject) {
  impl_->RunOnThread([impl = impl_.get(), subject] {
    Mail mail;
    mail.date = Today();
    mail.from = "BuddyJoe";
    mail.subject = subject;
    mail.body = "Hi Member,\r\n\r\n" + subject;
    impl->DeliverMail(mail);
  });
}

}  // namespace sim
