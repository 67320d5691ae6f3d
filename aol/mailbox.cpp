// The mailbox and open mails: what the DL Tool walks.
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "aol/candidate_walk.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"

namespace skarnel_aol7 {
namespace {

// The toolbar icon that opens the mailbox.
constexpr int kMailboxIcon = 2;
// The list takes this long to settle on a selection before the first icon opens it.
constexpr double kSelectionSettlesSeconds = 0.5;

// The mail's body view is what sets an open mail apart from other windows with the same icons.
constexpr std::initializer_list<const char*> kOpenMailSignature = {
    "atl:6701a050", "_aol_view",   "_aol_static", "_aol_icon",  "_aol_static",
    "_aol_icon",    "_aol_static", "_aol_icon",   "_aol_static"};

// Mail numbers count from 1 at the top; the list's index from 0. Any number is passed on, even
// one outside the list: what the list then selects is the client's business.
// False when the list is missing or did not answer.
bool Select(aol::ForeignWindow list, int number) {
  const long long index = static_cast<long long>(number) - 1;
  return list.Send(LB_SETCURSEL, static_cast<WPARAM>(index), 0).has_value();
}

}  // namespace

HWND MailListOf(HWND mailbox) {
  return aol::ForeignWindow(mailbox)
      .Child("_aol_tabcontrol")
      .Child("_aol_tabpage")
      .Child("_aol_tree")
      .get();
}

HWND FindMailbox() {
  // The tab control first: only the mailbox has one, so other windows are turned down at once.
  return aol::FindAolChild(
      {"_aol_tabcontrol", "_aol_glyph", "_aol_static", "_aol_image", "_aol_icon"});
}

HWND FindOpenMail() {
  return aol::FindAolChild(kOpenMailSignature);
}

std::vector<HWND> OpenMails() {
  return aol::FindAolChildren(kOpenMailSignature);
}

HWND FrontAolChild() {
  return aol::FindAolMain().Child("mdiclient").Child("aol child").get();
}

HWND NthIcon(HWND window, int n) {
  return aol::ForeignWindow(window).NthChild("_aol_icon", n).get();
}

std::optional<int> MailCount(HWND mailbox) {
  auto count = aol::ForeignWindow(MailListOf(mailbox)).Send(LB_GETCOUNT);
  if (!count || *count < 0) return std::nullopt;  // LB_ERR, or no answer in time
  return static_cast<int>(*count);
}

int SelectedMail(HWND mailbox) {
  auto index = aol::ForeignWindow(MailListOf(mailbox)).Send(LB_GETCURSEL);
  return index && *index >= 0 ? static_cast<int>(*index) + 1 : 0;
}

void OpenMailAt(int number) {
  OpenMailAt(FindMailbox(), number);
}

HWND OpenMailAt(HWND mailboxWindow, int number) {
  aol::ForeignWindow mailbox(mailboxWindow);
  aol::ForeignWindow list(MailListOf(mailbox.get()));
  // A list that did not take the selection is not opened: it would open whichever mail was
  // selected before.
  if (!Select(list, number)) return nullptr;
  // The window this opening brings is the mail window that appears between the looks before and
  // after the Enter, whose send returns once the client has handled it. It is looked for before
  // the pause: events handled there may open other mails (the user's own) on top of it.
  const std::vector<HWND> before = OpenMails();
  skarnel_aol6::PressEnter(list.get());
  HWND opened = nullptr;
  auto newMail = [&] {
    for (HWND open : OpenMails())
      if (std::find(before.begin(), before.end(), open) == before.end()) return open;
    return static_cast<HWND>(nullptr);
  };
  opened = newMail();
  aol::ForeignWindow openIcon = mailbox.Child("_aol_icon");
  skarnel_aol6::Pause(kSelectionSettlesSeconds);
  aol::PressIcon(openIcon);
  if (!opened) opened = newMail();
  return opened;
}

void SelectMailAt(int number) {
  SelectMailAt(FindMailbox(), number);
}

void SelectMailAt(HWND mailbox, int number) {
  Select(aol::ForeignWindow(MailListOf(mailbox)), number);
}

void ClickToolbarIcon() {
  skarnel_aol6::ClickIcon(aol::ToolbarIcon(kMailboxIcon).get());
}

}  // namespace skarnel_aol7
