#pragma once
// Finding and pressing the simulated client's windows the way Vantor's driver does: lower-case
// class names, the first child of each class, the candidate walk over the MDI children.
#include <windows.h>

#include <initializer_list>

namespace simtest {

inline HWND MainWindow() {
  return FindWindowA("aol frame25", nullptr);
}
inline HWND Mdi() {
  return FindWindowExA(MainWindow(), nullptr, "mdiclient", nullptr);
}
inline HWND FrontChild() {
  return FindWindowExA(Mdi(), nullptr, "aol child", nullptr);
}
inline HWND Child(HWND parent, const char* cls) {
  return FindWindowExA(parent, nullptr, cls, nullptr);
}

// The Nth child of class `cls` (from 1) in child order, 0 if there are fewer.
inline HWND Nth(HWND parent, const char* cls, int n) {
  HWND w = nullptr;
  for (int i = 0; i < n; ++i) {
    w = FindWindowExA(parent, w, cls, nullptr);
    if (!w) return nullptr;
  }
  return w;
}

inline int Count(HWND parent, const char* cls) {
  int n = 0;
  for (HWND w = FindWindowExA(parent, nullptr, cls, nullptr); w;
       w = FindWindowExA(parent, w, cls, nullptr))
    ++n;
  return n;
}

// The first AOL child, from the top of the Z-order down, that has a child of every class.
inline HWND Walk(std::initializer_list<const char*> signature) {
  HWND first = FrontChild();
  for (HWND c = first ? GetWindow(first, GW_HWNDFIRST) : nullptr; c;
       c = GetWindow(c, GW_HWNDNEXT)) {
    bool all = true;
    for (const char* cls : signature) all = all && FindWindowExA(c, nullptr, cls, nullptr);
    if (all) return c;
  }
  return nullptr;
}

inline HWND ChatRoom() {
  return Walk(
      {"_aol_static", "richcntlreadonly", "_aol_combobox", "_aol_icon", "richcntl", "_aol_image"});
}
inline HWND KeywordWindow() {
  return Walk({"_aol_glyph", "richcntlstatic", "_aol_edit", "_aol_icon"});
}
inline HWND Mailbox() {
  return Walk({"_aol_glyph", "_aol_static", "_aol_image", "_aol_tabcontrol", "_aol_icon"});
}
inline HWND OpenMail() {
  return Walk({"atl:6701a050", "_aol_view", "_aol_static", "_aol_icon"});
}
inline HWND MailList(HWND mailbox) {
  return Child(Child(Child(mailbox, "_aol_tabcontrol"), "_aol_tabpage"), "_aol_tree");
}
inline HWND ToolbarIcon(int n) {
  HWND bar = Child(Child(MainWindow(), "aol toolbar"), "_aol_toolbar");
  return Nth(bar, "_aol_icon", n);
}

// The driver's press: button-down then the space bar's release, both sent.
inline void Press(HWND icon) {
  SendMessageA(icon, WM_LBUTTONDOWN, 0, 0);
  SendMessageA(icon, WM_KEYUP, VK_SPACE, 0);
}
// A posted click: returns before the icon has handled it.
inline void Click(HWND icon) {
  PostMessageA(icon, WM_LBUTTONDOWN, 0, 0);
  PostMessageA(icon, WM_LBUTTONUP, 0, 0);
}
inline void SetText(HWND window, const char* text) {
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace simtest

#include <gtest/gtest.h>

#include <memory>

#include "sim/sim.h"
#include "tests/support/journal.h"
#include "tests/support/wait.h"

namespace simtest {

// Each test gets a fresh client on its own thread and a clean journal.
class SimTest : public ::testing::Test {
 protected:
  void Start(const sim::Options& options = {}) {
    client = sim::Client::Start(options);
    ASSERT_TRUE(client) << "the simulator made no windows";
    client->ClearJournal();
  }
  void TearDown() override { client.reset(); }

  bool Said(const std::string& line) const {
    for (const auto& said : client->Transcript())
      if (said == line) return true;
    return false;
  }
  HWND VisibleMenu() const {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
  }
  // Opens the mailbox from the toolbar and mail `number` from its list, as the driver does.
  HWND OpenMailAt(int number) {
    Press(ToolbarIcon(2));
    HWND box = Mailbox();
    if (!box) return nullptr;
    SendMessageA(MailList(box), LB_SETCURSEL, number - 1, 0);
    SendMessageA(MailList(box), WM_CHAR, 13, 0);
    return OpenMail();
  }
  // Chooses the download menu's 2nd entry with the keys that Vantor posts.
  bool ChooseDownloadLater() {
    if (!testing_support::WaitUntil([&] { return VisibleMenu() != nullptr; }, 3000)) return false;
    HWND menu = VisibleMenu();
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
      PostMessageA(menu, WM_KEYDOWN, key, 0);
      PostMessageA(menu, WM_KEYUP, key, 0);
    }
    return true;
  }

  std::unique_ptr<sim::Client> client;
};

}  // namespace simtest
