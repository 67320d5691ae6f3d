// The mailbox: the list of mails (a nine-character date column, then the subject) and the icons
// that open the selected mail and keep it as new.
#include "sim/internal.h"

namespace sim {
namespace {

constexpr const char* kSubjects[] = {"Pictures from the trip (part 1)",
                                     "Pictures from the trip (part 2)",
                                     "Pictures from the trip (part 3)",
                                     "Re: Saturday night?",
                                     "Your AOL billing summary",
                                     "Fwd: funny cat video",
                                     "Grandma's apple pie recipe",
                                     "Mix tape track list",
                                     "Meeting moved to Friday",
                                     "Happy birthday!!!",
                                     "Vault #17: Sunset over the bay",
                                     "Homework help (math)",
                                     "Fwd: chain letter",
                                     "Weekend plans",
                                     "Photos: the new puppy",
                                     "Fantasy league standings",
                                     "Re: Re: where are you?",
                                     "Concert tickets",
                                     "Book club: next month",
                                     "Garage sale Saturday"};
constexpr const char* kSenders[] = {"BuddyJoe",    "SunnyDay82",  "BuddyJoe",    "ChatFan22",
                                    "AOL Billing", "LobbyLurker", "Grandma1940", "SunnyDay82"};

}  // namespace

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[16];
  std::snprintf(date, sizeof date, "%02u/%02u/%02u", now.wMonth, now.wDay, now.wYear % 100);
  return date;
}

std::string MailListItem(const Mail& mail) {
  std::string column = mail.date.substr(0, 8);
  column.resize(8, ' ');
  return column + ' ' + mail.subject;
}

std::vector<Mail> StartMails(int count) {
  std::vector<Mail> mails;
  constexpr int kSubjectCount = static_cast<int>(std::size(kSubjects));
  for (int i = 0; i < count; ++i) {
    Mail mail;
    char date[16];
    std::snprintf(date, sizeof date, "07/%02d/02", 1 + i % 28);
    mail.date = date;
    mail.from = kSenders[i % std::size(kSenders)];
    mail.subject = kSubjects[i % kSubjectCount];
    if (i >= kSubjectCount) mail.subject += " #" + std::to_string(i / kSubjectCount + 1);
    mail.body =
        "Hi Member,\r\n\r\n" + mail.subject + " - see below.\r\n\r\nTalk soon,\r\n" + mail.from;
    mails.push_back(std::move(mail));
  }
  return mails;
}

void Client::Impl::PressMailboxIcon() {
  Options opts = Opts();
  if (opts.mailboxNever) return;
  const UINT delayMs = static_cast<UINT>(opts.mailboxDelaySeconds * 1000) + ChaosDelayMs(1500);
  if (delayMs > 0)
    After(delayMs, [this] { OpenMailbox(); });
  else
    OpenMailbox();
}

void Client::Impl::OpenMailbox() {
  if (Child* open = FindChild(ChildKind::Mailbox)) {
    BringToFront(open->hwnd);
    return;
  }
  const std::string caption = Opts().screenName + "'s Online Mailbox";
  Child* box = OpenChild(ChildKind::Mailbox, "mailbox", caption, 150, 24, 560, 400);
  if (!box) return;
  HWND hwnd = box->hwnd;
  MakeControl(hwnd, kGlyphClass, "@", 0, 10, 8, 30, 30);
  MakeControl(hwnd, kStaticClass, ("Mail for " + Opts().screenName).c_str(), 0, 48, 14, 280, 20);
  MakeControl(hwnd, kImageClass, "Online Mailbox", 0, 360, 6, 180, 34);
  HWND tabs = MakeControl(hwnd, kTabControlClass, "New Mail", WS_CLIPCHILDREN, 10, 46, 530, 264);
  HWND page = MakeControl(tabs, kTabPageClass, "", WS_CLIPCHILDREN, 3, 22, 524, 238);
  box->list = MakeControl(page, kTreeClass, "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 4,
                          4, 514, 228);
  std::vector<Mail> all;
  {
    std::lock_guard lock(mutex);
    all = mails;
  }
  for (const Mail& mail : all)
    SendMessageA(box->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(MailListItem(mail).c_str()));
  WatchMailList(box->list, this, box);
  // The first icon opens the selected mail, the third keeps it as new.
  static const char* kIcons[] = {"Read", "Status", "Keep As New", "Delete", "Help"};
  for (int i = 0; i < 5; ++i) {
    std::function<void()> action;
    if (i == 0) action = [this, box] { OpenSelectedMail(box); };
    if (i == 2) action = [this, box] { MarkSelectedNew(box); };
    MakeIcon(this, hwnd, "mailbox.icon" + std::to_string(i + 1), kIcons[i], 10 + i * 106, 320, 100,
             26, std::move(action));
  }
  Log("open", "mailbox", caption);
}

void Client::Impl::OpenSelectedMail(Child* mailbox) {
  int selected = static_cast<int>(SendMessageA(mailbox->list, LB_GETCURSEL, 0, 0));
  if (selected >= 0) OpenMail(selected + 1);
}

void Client::Impl::MarkSelectedNew(Child* mailbox) {
  int selected = static_cast<int>(SendMessageA(mailbox->list, LB_GETCURSEL, 0, 0));
  if (selected < 0) return;
  {
    std::lock_guard lock(mutex);
    markedNew.push_back(selected + 1);
  }
  Log("marknew", "mailbox", std::to_string(selected + 1));
  WriteState();
}

void Client::Impl::DeliverMail(const Mail& mail) {
  size_t number;
  {
    std::lock_guard lock(mutex);
    mails.push_back(mail);
    number = mails.size();
  }
  Log("deliver", "mailbox", std::to_string(number));
  if (Child* box = FindChild(ChildKind::Mailbox))
    SendMessageA(box->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(MailListItem(mail).c_str()));
  WriteState();
}

}  // namespace sim
