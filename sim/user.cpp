// The member's own doing in AOL while Vantor works beside him: the clicks and typing that tests
// trigger in the middle of a run, and the chaos that draws them (and the client's own delays and
// dialogs) from a seed.
#include <memory>

#include "sim/internal.h"

namespace sim {

namespace {
// What the member types into the room under chaos: the soak looks for it in the transcript.
constexpr char kChaosTyping[] = "my half-typed priv";
}  // namespace

void Client::Impl::UserTypesInRoom(const std::string& text) {
  Child* room = FindChild(ChildKind::Room);
  if (!room) return;
  Log("user", "room", text);
  // A click into the room's box brings the room up and gives the box the keyboard.
  BringToFront(room->hwnd);
  SetFocus(room->input);
  SetTextQuietly(room->input, text);
  SendMessageA(room->input, EM_SETSEL, text.size(), text.size());
}

HWND Client::Impl::UserOpensMail(int number) {
  Log("user", "mail " + std::to_string(number));
  // His click in the list moves its selection, which the mailbox's icons act on.
  if (Child* box = FindChild(ChildKind::Mailbox)) SelectQuietly(box->list, number - 1);
  OpenMail(number, /*ownWindow=*/true);
  for (Child* mail : ChildrenOf(ChildKind::Mail))  // the top one is the one just opened
    if (mail->mailNumber == number) return mail->hwnd;
  return nullptr;
}

void Client::Impl::UserShowsDownloadManager() {
  if (!downloadManager) return;
  Log("user", "download manager");
  ShowWindow(downloadManager, SW_SHOWNORMAL);
  SetWindowPos(downloadManager, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetActiveWindow(downloadManager);
}

void Client::Impl::UserClosesMailbox() {
  Child* box = FindChild(ChildKind::Mailbox);
  if (!box) return;
  Log("user", "close mailbox");
  SendMessageA(box->hwnd, WM_CLOSE, 0, 0);
}

UINT Client::Impl::ChaosDelayMs(UINT maxMs) {
  if (!Opts().chaosSeed || !maxMs) return 0;
  return static_cast<UINT>(chaos() % (maxMs + 1));
}

bool Client::Impl::ChaosChance(unsigned odds) {
  return Opts().chaosSeed && odds && chaos() % odds == 0;
}

void Client::Impl::ChaosAt(const char* point) {
  if (!ChaosChance(4)) return;
  const unsigned action = chaos() % 4;
  const UINT delayMs = ChaosDelayMs(800);
  int mails = 0;
  {
    std::lock_guard lock(mutex);
    mails = static_cast<int>(this->mails.size());
  }
  const int number = mails > 0 ? 1 + static_cast<int>(chaos() % mails) : 0;
  Log("chaos", point, std::to_string(action));
  After(delayMs, [this, action, number] {
    switch (action) {
      case 0:
        UserTypesInRoom(kChaosTyping);
        break;
      case 1:
        if (number > 0) UserOpensMail(number);
        break;
      case 2:
        UserShowsDownloadManager();
        break;
      default:
        UserClosesMailbox();
        break;
    }
  });
}

// ---- Client -----------------------------------------------------------------------------------

void Client::UserTypesInRoom(const std::string& text) {
  impl_->RunOnThread([impl = impl_.get(), text] { impl->UserTypesInRoom(text); });
}

HWND Client::UserOpensMail(int number) {
  auto opened = std::make_shared<HWND>(nullptr);  // the task may outlive a wait that timed out
  impl_->RunOnThread(
      [impl = impl_.get(), number, opened] { *opened = impl->UserOpensMail(number); });
  return *opened;
}

void Client::UserShowsDownloadManager() {
  impl_->RunOnThread([impl = impl_.get()] { impl->UserShowsDownloadManager(); });
}

void Client::UserClosesMailbox() {
  impl_->RunOnThread([impl = impl_.get()] { impl->UserClosesMailbox(); });
}

std::string Client::RoomInput() const {
  auto text = std::make_shared<std::string>();
  impl_->RunOnThread([impl = impl_.get(), text] {
    if (Child* room = impl->FindChild(ChildKind::Room)) *text = WindowText(room->input);
  });
  return *text;
}

}  // namespace sim
