// The forms layer on a panel of its own: controls as real child windows, the label's mouse
// rules, the boxes' key events, timers, the pop-up menu's items, and the real modal boxes
// answered from another thread as an outside tool would.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/support/wait.h"
#include "ui/forms.h"

namespace {

using testing_support::PumpFor;
using testing_support::WaitUntil;
using ui::MouseButton;

struct TestPanel : ui::Form {
  TestPanel()
      : Form({.title = L"Vantor - Forms Test",
              .clientWidthTwips = 3000,
              .clientHeightTwips = 1500}) {}
  ui::Label strip{*this, {.rect = {0, 0, 3000, 255}, .caption = L""}};
  ui::LabelButton button{*this, {.rect = {150, 300, 900, 195}, .caption = L"Press Me"}};
  ui::Label hidden{*this, {.rect = {150, 1600, 255, 255}, .caption = L"held", .visible = false}};
  ui::TextBox box{*this, {.rect = {150, 600, 1500, 285}, .text = L"#"}};
  ui::TextBox memo{*this, {.rect = {1800, 600, 1000, 600}, .text = L"", .multiLine = true}};
  ui::ListBox list{*this, {.rect = {150, 900, 1500, 450}}};
  ui::ComboBox combo{*this, {.rect = {1800, 300, 1095, 300}, .text = L"Speed"}};
  ui::CheckBox check{*this, {.rect = {1800, 1250, 1100, 255}, .caption = L" Keep"}};
  ui::OptionButton option{*this, {.rect = {0, 0, 135, 195}, .caption = L"Option1"}};
  ui::Timer timer{*this, 20};
};

class Forms : public ::testing::Test {
 protected:
  std::unique_ptr<TestPanel> panel = std::make_unique<TestPanel>();
  std::vector<std::wstring> log;

  void Record(ui::Label& label) {
    label.Click = [this] { log.push_back(L"click"); };
    label.DblClick = nullptr;
    auto down = label.MouseDown, up = label.MouseUp;
    label.MouseDown = [this, down](MouseButton b) {
      log.push_back(L"down" + std::to_wstring(int(b)));
      if (down) down(b);
    };
    label.MouseUp = [this, up](MouseButton b) {
      log.push_back(L"up" + std::to_wstring(int(b)));
      if (up) up(b);
    };
  }
};

std::wstring ClassOf(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return name;
}

// Twips at the panel's DPI: the panel and its controls take their places for the DPI of the
// panel's monitor when they are made, and again, fonts included, when the panel is moved to a
// monitor of another DPI. At 96 DPI 15 twips are a pixel, at 144 DPI 10.
TEST_F(Forms, ControlsAreChildWindowsOfTheirClassPlaceAndCaption) {
  HWND form = panel->hwnd();
  ASSERT_TRUE(form);
  EXPECT_EQ(GetWindowLongPtrW(form, GWL_STYLE) & WS_POPUP, WS_POPUP);
  EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const int startDpi = ui::WindowDpi(form);
  if (const char* expected = std::getenv("VANTOR_EXPECT_DPI")) {
    EXPECT_EQ(startDpi, std::atoi(expected));
  }
  struct Case {
    ui::Control* control;
    const wchar_t* cls;
    int x96, y96, x144, y144;
    const wchar_t* caption;
  } cases[] = {
      {&panel->button, L"VantorLabel", 10, 20, 15, 30, L"Press Me"},
      {&panel->hidden, L"VantorLabel", 10, 106, 15, 160, L"held"},
      {&panel->box, L"Edit", 10, 40, 15, 60, L"#"},
      {&panel->list, L"ListBox", 10, 60, 15, 90, L""},
      {&panel->combo, L"ComboBox", 120, 20, 180, 30, L"Speed"},
      {&panel->check, L"Button", 120, 83, 180, 125, L" Keep"},
      {&panel->option, L"Button", 0, 0, 0, 0, L"Option1"},
  };
  // As made, then moved to a monitor of the other DPI, then back.
  const int otherDpi = startDpi == 96 ? 144 : 96;
  for (const int dpi : {startDpi, otherDpi, startDpi}) {
    SCOPED_TRACE(testing::Message() << dpi << " DPI");
    ASSERT_TRUE(dpi == 96 || dpi == 144);
    const bool at96 = dpi == 96;
    if (dpi != ui::WindowDpi(form) || dpi != panel->Dpi()) {
      RECT suggested{40, 50, 40 + 300, 50 + 150};
      SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
      RECT w;
      GetWindowRect(form, &w);
      EXPECT_EQ(w.left, 40);
      EXPECT_EQ(w.top, 50);
    }
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, at96 ? 200 : 300);
    EXPECT_EQ(client.bottom, at96 ? 100 : 150);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.caption);
      HWND h = c.control->hwnd();
      ASSERT_TRUE(h);
      EXPECT_EQ(GetParent(h), form);
      EXPECT_EQ(ClassOf(h), c.cls);
      RECT r;
      GetWindowRect(h, &r);
      MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(r.left, at96 ? c.x96 : c.x144);
      EXPECT_EQ(r.top, at96 ? c.y96 : c.y144);
      EXPECT_EQ(c.control->Caption(), c.caption);
    }
    RECT box;
    GetWindowRect(panel->box.hwnd(), &box);
    EXPECT_EQ(box.right - box.left, at96 ? 100 : 150);
    EXPECT_EQ(box.bottom - box.top, at96 ? 19 : 28);
    // 8.25 points: 11 pixels at 96 DPI, 17 at 144.
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(panel->box.hwnd(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, at96 ? -11 : -17);
  }
  EXPECT_FALSE(panel->hidden.Visible());
  EXPECT_FALSE(panel->option.Visible());
  EXPECT_TRUE(panel->button.Visible());
}

TEST_F(Forms, LoadRunsOnceAtFirstUseAndTheFormOnlyHides) {
  int loads = 0;
  panel->Load = [&] { ++loads; };
  EXPECT_FALSE(panel->IsLoaded());
  EXPECT_EQ(panel->box.Text(), L"#");  // touching a control loads the panel, hidden
  EXPECT_EQ(loads, 1);
  EXPECT_FALSE(panel->IsVisible());
  panel->Show();
  EXPECT_TRUE(panel->IsVisible());
  panel->Hide();
  panel->Show();
  EXPECT_EQ(loads, 1);
  SendMessageW(panel->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(panel->hwnd()));  // only "X" and Exit end anything
}

TEST_F(Forms, LabelMouseRules) {
  // Messages sent to a label and what its events saw. Point (0,0) is inside, (500,500) outside.
  struct Case {
    const char* name;
    std::vector<std::pair<UINT, LPARAM>> messages;
    std::vector<std::wstring> events;
  } cases[] = {
      {"left press and release is a click",
       {{WM_LBUTTONDOWN, 0}, {WM_LBUTTONUP, 0}},
       {L"down0", L"up0", L"click"}},
      {"release outside is no click",
       {{WM_LBUTTONDOWN, 0}, {WM_LBUTTONUP, MAKELPARAM(500, 500)}},
       {L"down0", L"up0"}},
      {"right button never clicks", {{WM_RBUTTONDOWN, 0}, {WM_RBUTTONUP, 0}}, {L"down1", L"up1"}},
      {"middle button never clicks", {{WM_MBUTTONDOWN, 0}, {WM_MBUTTONUP, 0}}, {L"down2", L"up2"}},
      {"release without a press here is ignored", {{WM_LBUTTONUP, 0}}, {}},
      {"second press of a double-click is no click",
       {{WM_LBUTTONDOWN, 0}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, 0}, {WM_LBUTTONUP, 0}},
       {L"down0", L"up0", L"click", L"up0"}},
  };
  HWND h = panel->button.hwnd();
  Record(panel->button);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.clear();
    for (auto [msg, lp] : c.messages) SendMessageW(h, msg, 0, lp);
    EXPECT_EQ(log, c.events);
    EXPECT_EQ(panel->button.ForeColor(), ui::kRestColor);
    EXPECT_NE(GetCapture(), h);
  }
}

TEST_F(Forms, LabelButtonLightsWhileAnyButtonIsHeld) {
  HWND h = panel->button.hwnd();
  for (auto [down, up] :
       {std::pair{WM_LBUTTONDOWN, WM_LBUTTONUP}, {WM_RBUTTONDOWN, WM_RBUTTONUP}}) {
    SendMessageW(h, down, 0, 0);
    EXPECT_EQ(panel->button.ForeColor(), ui::kPressedColor);
    EXPECT_EQ(GetCapture(), h);  // the release comes back here wherever it happens
    SendMessageW(h, up, 0, MAKELPARAM(900, 900));
    EXPECT_EQ(panel->button.ForeColor(), ui::kRestColor);
  }
  // Capture taken away mid-press (a drag, a menu): the label goes back to rest, no click.
  int clicks = 0;
  panel->button.Click = [&] { ++clicks; };
  SendMessageW(h, WM_LBUTTONDOWN, 0, 0);
  SetCapture(panel->strip.hwnd());
  ReleaseCapture();
  SendMessageW(h, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(panel->button.ForeColor(), ui::kRestColor);
  EXPECT_EQ(clicks, 0);
  // A plain label has no press look.
  SendMessageW(panel->strip.hwnd(), WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(panel->strip.ForeColor(), ui::kRestColor);
  SendMessageW(panel->strip.hwnd(), WM_LBUTTONUP, 0, 0);
}

TEST_F(Forms, AHandlerMayDestroyItsOwnPanel) {
  HWND h = panel->button.hwnd();
  panel->button.Click = [this] { panel.reset(); };
  SendMessageW(h, WM_LBUTTONDOWN, 0, 0);
  SendMessageW(h, WM_LBUTTONUP, 0, 0);
  EXPECT_FALSE(panel);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(Forms, KeyEventsSeeKeysFirstAndMaySwallowThem) {
  HWND h = panel->box.hwnd();
  std::vector<int> seen;
  panel->box.KeyPress = [&](int& c) {
    seen.push_back(c);
    if (c == '\r') c = 0;   // Enter: handled, leaves nothing
    if (c == 'a') c = 'b';  // a changed character is the one inserted
  };
  panel->box.SetText(L"");
  for (wchar_t c : {L'1', L'\r', L'a'}) SendMessageW(h, WM_CHAR, c, 0);
  EXPECT_EQ(panel->box.Text(), L"1b");
  EXPECT_EQ(seen, (std::vector<int>{'1', '\r', 'a'}));
  int downs = 0, ups = 0;
  panel->box.KeyDown = [&](int& k, int) { downs += k == VK_RETURN; };
  panel->box.KeyUp = [&](int& k, int) { ups += k == VK_RETURN; };
  SendMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageW(h, WM_KEYUP, VK_RETURN, 0);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
  // The multi-line box keeps line breaks.
  panel->memo.SetText(L"a\r\nb\r\n");
  EXPECT_EQ(panel->memo.Text(), L"a\r\nb\r\n");
}

TEST_F(Forms, ListBoxCountsPast32767AndKeepsOrder) {
  ui::ListBox& list = panel->list;
  for (int i = 0; i < 40000; ++i) list.AddItem(std::to_wstring(i));
  EXPECT_EQ(list.ListCount(), 40000);
  EXPECT_EQ(list.List(0), L"0");
  EXPECT_EQ(list.List(39999), L"39999");
  EXPECT_EQ(list.List(40000), L"");
  EXPECT_FALSE(list.RemoveItem(40000));
  EXPECT_FALSE(list.RemoveItem(-1));
  list.SetListIndex(35000);
  EXPECT_EQ(list.ListIndex(), 35000);
  EXPECT_TRUE(list.RemoveItem(0));
  EXPECT_EQ(list.List(0), L"1");
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(Forms, ComboCheckAndOptionHoldTheirValues) {
  for (const wchar_t* s : {L"1", L"1.5", L"2"}) panel->combo.AddItem(s);
  EXPECT_EQ(panel->combo.ListCount(), 3);
  EXPECT_EQ(panel->combo.Text(), L"Speed");
  panel->combo.SetText(L"2.5");
  EXPECT_EQ(panel->combo.Text(), L"2.5");

  std::vector<int> valuesAtClick;
  panel->check.Click = [&] { valuesAtClick.push_back(panel->check.Value()); };
  EXPECT_EQ(panel->check.Value(), 0);
  SendMessageW(panel->check.hwnd(), BM_CLICK, 0, 0);  // as a user's click
  SendMessageW(panel->check.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(valuesAtClick, (std::vector<int>{1, 0}));  // Click sees the tick already changed
  panel->check.SetValue(1);
  EXPECT_EQ(panel->check.Value(), 1);

  EXPECT_FALSE(panel->option.Value());
  panel->option.SetValue(true);
  EXPECT_TRUE(panel->option.Value());
  SendMessageW(panel->option.hwnd(), BM_CLICK, 0, 0);  // not an auto button: stays as set
  EXPECT_TRUE(panel->option.Value());
}

TEST_F(Forms, TimerTicksWhilePumpingAndStops) {
  int ticks = 0;
  panel->timer.Tick = [&] { ++ticks; };
  panel->timer.SetEnabled(true);  // before the window exists: starts with it
  EXPECT_EQ(ticks, 0);
  panel->hwnd();
  EXPECT_TRUE(WaitUntil(
      "three ticks", [&] { return ticks >= 3; }, [&] { return std::to_string(ticks) + " ticks"; },
      3000));
  panel->timer.SetEnabled(false);
  const int stopped = ticks;
  PumpFor(100);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(Forms, PopupMenuItemsAndSeparators) {
  std::vector<ui::MenuItem> items = {
      {L"One", [] {}}, {L"-", nullptr}, {L"Two", [] {}}, {L"-", nullptr}, {L"Three", [] {}}};
  HMENU menu = ui::BuildPopupMenu(items);
  ASSERT_TRUE(menu);
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    wchar_t text[64] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info));
    if (items[i].caption == L"-") {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    } else {
      EXPECT_EQ(std::wstring(text), items[i].caption);
      EXPECT_EQ(info.wID, UINT(i + 1));
    }
  }
  DestroyMenu(menu);
}

TEST_F(Forms, FacesMissingOnTheSystemAreReplaced) {
  EXPECT_STRNE(ui::ResolveFont(ui::kPanelFont).face, L"Copperplate Gothic Bold");
  EXPECT_STREQ(ui::ResolveFont({L"Wingdings", 8.25, FW_NORMAL, SYMBOL_CHARSET}).face, L"Wingdings");
  // A bitmap face does not scale, nor has it a bold cut: away from 96 DPI, or asked bold, an
  // outline face stands in for it, a point larger than the tiny face.
  for (const auto& [dpi, weight, face, points] : {std::tuple{96, FW_NORMAL, L"Small Fonts", 6.0},
                                                  {96, FW_BOLD, L"Tahoma", 7.0},
                                                  {144, FW_NORMAL, L"Tahoma", 7.0}}) {
    const ui::FontSpec small = ui::ResolveFont({L"Small Fonts", 6, weight}, dpi);
    EXPECT_STREQ(small.face, face) << dpi << " DPI, weight " << weight;
    EXPECT_EQ(small.points, points) << dpi << " DPI, weight " << weight;
  }
  EXPECT_TRUE(ui::MakeFont(ui::kLightFont).get());
}

// Waits for a visible standard dialog of this process and returns it.
HWND WaitForOwnDialog() {
  HWND found = nullptr;
  const ULONGLONG end = GetTickCount64() + 5000;
  while (!found && GetTickCount64() < end) {
    HWND d = FindWindowW(L"#32770", nullptr);
    DWORD pid = 0;
    if (d) GetWindowThreadProcessId(d, &pid);
    if (d && pid == GetCurrentProcessId() && IsWindowVisible(d)) found = d;
    if (!found) Sleep(5);  // another thread: the dialog's own loop runs on the test's thread
  }
  return found;
}

TEST_F(Forms, RealInputPromptAnsweredFromOutside) {
  panel->Show();
  std::wstring title, prompt;
  std::thread tool([&] {
    HWND dlg = WaitForOwnDialog();
    if (!dlg) return;
    wchar_t text[128] = {};
    GetWindowTextW(dlg, text, 128);
    title = text;
    HWND edit = FindWindowExW(dlg, nullptr, L"Edit", nullptr);
    HWND stat = FindWindowExW(dlg, nullptr, L"Static", nullptr);
    GetWindowTextW(stat, text, 128);
    prompt = text;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"vault"));
    SendMessageW(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
  });
  auto answer = ui::InputBox(L"Enter the trigger", ui::kTitle);
  tool.join();
  EXPECT_EQ(answer, std::optional<std::wstring>(L"vault"));
  EXPECT_EQ(title, ui::kTitle);
  EXPECT_EQ(prompt, L"Enter the trigger");

  std::thread canceller([&] {
    HWND dlg = WaitForOwnDialog();
    if (dlg)
      PostMessageW(GetDlgItem(dlg, IDCANCEL), WM_KEYDOWN, VK_SPACE, 0),
          PostMessageW(GetDlgItem(dlg, IDCANCEL), WM_KEYUP, VK_SPACE, 0);
  });
  EXPECT_EQ(ui::InputBox(L"Enter the trigger", ui::kTitle), std::nullopt);
  canceller.join();

  std::thread emptyOk([&] {
    HWND dlg = WaitForOwnDialog();
    if (dlg) SendMessageW(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(ui::InputBox(L"Enter the trigger", ui::kTitle), std::optional<std::wstring>(L""));
  emptyOk.join();
}

TEST_F(Forms, RealMessageBoxPressedFromOutside) {
  panel->Show();
  std::atomic<bool> found{false};
  std::thread tool([&] {
    HWND dlg = WaitForOwnDialog();
    if (!dlg) return;
    found = true;
    HWND ok = GetDlgItem(dlg, IDOK);
    PostMessageW(ok, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(ok, WM_KEYUP, VK_SPACE, 0);
  });
  EXPECT_EQ(ui::MsgBox(L"No trigger detected.", MB_ICONEXCLAMATION, ui::kTitle), IDOK);
  tool.join();
  EXPECT_TRUE(found);
}

}  // namespace
