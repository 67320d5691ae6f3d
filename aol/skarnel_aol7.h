#pragma once
// The AOL 7.0 operations: finding the client's windows by class name and driving them with
// window messages. Stateless: every call finds its windows anew; 0 means not found; nothing
// throws. Text crosses to the client as ANSI in the system code page.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skarnel_aol7 {

// Chat room and keyword window.
HWND FindChatRoom();
void SendChat(std::wstring_view text);
void RunKeyword(std::wstring_view keyword);
void OpenAolUrl(std::wstring_view roomName);
// Maximises the client's main window, so that a room shows a banner at full size; nothing when
// the client is not running.
void MaximiseClient();
HWND FindKeywordWindow();
// Appends one numbered line per item of the foreign list box to `target`, a list box of ours.
void CopyListItems(HWND listWindow, HWND target);

// Mailbox, open mail and dialogs.
HWND FindMailbox();
// The mailbox's list of mails (its tab control's page's "_aol_tree"), whose LB_GETCOUNT is the
// number of mails; 0 when `mailbox` is 0 or not a mailbox.
HWND MailListOf(HWND mailbox);
// The number of mails in the mailbox's list; nothing when the list is missing or did not answer.
std::optional<int> MailCount(HWND mailbox);
// The number (from 1) of the mail selected in the mailbox's list; 0 when none or no answer.
int SelectedMail(HWND mailbox);
void OpenMailAt(int number);
void SelectMailAt(int number);
// The same, in the given mailbox rather than the top one. OpenMailAt returns the mail window
// that the opening brought (0 when none appeared: the client may have brought up a window that
// showed that mail already).
HWND OpenMailAt(HWND mailbox, int number);
void SelectMailAt(HWND mailbox, int number);
void ClickToolbarIcon();
HWND FindOpenMail();
// Every open mail window, the top one first.
std::vector<HWND> OpenMails();
// The top AOL child window (the first in child order): the window just opened or brought up.
HWND FrontAolChild();
// The n-th "_aol_icon" child of a window (n from 1), or 0.
HWND NthIcon(HWND window, int n);
// The pop-up menu that the thread of `window` shows now (class "#32768", visible), or 0: the
// menu a press of that window's icon opened, never another program's.
HWND FindMenuOf(HWND window);
HWND FindMessageDialog();
// The DL Tool's watchdog uses this one instead: the highest visible standard dialog (class
// "#32770", with a "button" and a "static" child) shown by the AOL client's process, never one
// shown by the calling thread (Vantor's own message boxes and prompts) nor another program's.
// 0 when the client is not running. Processes no events: the watchdog's tick calls it.
HWND FindClientDialog();

// Plays a .wav file without waiting, if the file exists; a missing file is silent.
void PlayWave(std::wstring_view path);

// Tests watch the sounds through this (the platform's sound call reports nothing useful under
// wine). Called for every PlayWave, with the path, whether or not the file exists.
void SetSoundObserver(std::function<void(std::wstring_view path)> observer);

}  // namespace skarnel_aol7
