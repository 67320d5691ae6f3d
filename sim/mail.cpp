// An open mail: its header, its text, and the icons of which the 2nd opens the download menu and
// the 6th moves the same window on to the next mail.
#include "sim/internal.h"

namespace sim {
namespace {

bool MailAt(Client::Impl& impl, int number, Mail& mail) {
  std::lock_guard lock(impl.mutex);
  if (number < 1 || number > static_cast<int>(impl.mails.size())) return false;
  mail = impl.mails[number - 1];
  return true;
}

}  // namespace

void Client::Impl::OpenMail(int number, bool ownWindow) {
  // A mail that is already open comes to the front instead of opening twice, unless the member
  // asks for a window of its own.
  for (Child* open : ownWindow ? std::vector<Child*>{} : ChildrenOf(ChildKind::Mail)) {
    if (open->mailNumber == number) {
      BringToFront(open->hwnd);
      return;
    }
  }
  Mail mail;
  if (!MailAt(*this, number, mail)) return;
  Child* window = OpenChild(ChildKind::Mail, "", mail.subject, 190, 56, 580, 420);
  if (!window) return;
  window->mailNumber = number;  // its name in the journal
  HWND hwnd = window->hwnd;
  MakeControl(hwnd, kMailHeaderClass, "Mail", 0, 10, 8, 550, 24);
  MakeControl(hwnd, kStaticClass, "From:", 0, 10, 38, 60, 18);
  window->from = MakeControl(hwnd, kStaticClass, "", 0, 74, 38, 200, 18);
  MakeControl(hwnd, kStaticClass, "Date:", 0, 290, 38, 50, 18);
  window->date = MakeControl(hwnd, kStaticClass, "", 0, 344, 38, 200, 18);
  MakeControl(hwnd, kStaticClass, "Subject:", 0, 10, 58, 60, 18);
  window->subject = MakeControl(hwnd, kStaticClass, "", 0, 74, 58, 480, 18);
  window->view =
      MakeControl(hwnd, kViewClass, "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                  10, 82, 550, 240);
  static const char* kIcons[] = {"Reply",  "Download", "Forward",    "Reply All",
                                 "Delete", "Next",     "Keep As New"};
  for (int i = 0; i < 7; ++i) {
    std::function<void()> action;
    if (i == 1)
      action = [this, hwnd] {
        const Options o = Opts();
        ChaosAt("download icon");
        if (o.menuNever) return;
        auto open = [this, hwnd] {
          for (Child* m : ChildrenOf(ChildKind::Mail))
            if (m->hwnd == hwnd) OpenDownloadMenu(m);
        };
        // As a real control does, the menu runs its loop inside the handling of the press: a
        // press sent here holds its sender until the menu (and the prompt it leads to) closes.
        const UINT delayMs = static_cast<UINT>(o.menuDelayMs) + ChaosDelayMs(600);
        if (delayMs > 0)
          After(delayMs, open);  // a slow client
        else
          open();
      };
    if (i == 5)
      action = [this, window] {
        ChaosAt("next mail");
        NextMail(window);
      };
    MakeIcon(this, hwnd, "mail.icon" + std::to_string(i + 1), kIcons[i], 10 + i * 79, 332, 75, 26,
             std::move(action));
  }
  ShowMail(window, number);
  Log("open", window->JournalName(), mail.subject);
}

void Client::Impl::ShowMail(Child* window, int number) {
  Mail mail;
  if (!MailAt(*this, number, mail)) return;
  window->mailNumber = number;
  SetWindowTextA(window->hwnd, mail.subject.c_str());
  SetWindowTextA(window->from, mail.from.c_str());
  SetWindowTextA(window->date, mail.date.c_str());
  SetWindowTextA(window->subject, mail.subject.c_str());
  SetTextQuietly(window->view, mail.body);
}

void Client::Impl::NextMail(Child* window) {
  int next = window->mailNumber + 1;
  Mail mail;
  if (!MailAt(*this, next, mail)) return;  // past the last mail the window stays
  ShowMail(window, next);
  Log("open", window->JournalName(), mail.subject);
}

}  // namespace sim
