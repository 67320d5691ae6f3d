// The desktop routines: profile reads, captions, placement, pauses, presses and sounds.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "tests/gui/driver_fixture.h"
#include "tests/support/wait.h"

using namespace skarnel_aol6;
using driver_fixture::FakeClient;
using driver_fixture::NowMs;

namespace {

std::wstring TempPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + name;
}

void WriteTextFile(const std::wstring& path, const std::string& content) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(f);
}

// A plain window of this thread that counts what reaches it.
struct Counter {
  int posted = 0;
  int ticks = 0;
};

LRESULT CALLBACK CounterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* counter = reinterpret_cast<Counter*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (counter && message == WM_APP) ++counter->posted;
  if (counter && message == WM_TIMER) ++counter->ticks;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeCounterWindow(Counter& counter) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CounterProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"DriverTestCounter";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, L"DriverTestCounter", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&counter));
  return w;
}

}  // namespace

TEST(DriverDesktop, ReadProfileStringReadsOneKeyCutToTheBuffer) {
  const std::wstring file = TempPath(L"driver_profile_test.ini");
  WriteTextFile(file,
                "[triggers]\r\ntrig1=abc\r\ntrig2=" + std::string(300, 'x') + "\r\ntrig3=\r\n");
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    std::wstring file;
    std::wstring expected;
  } cases[] = {
      {L"triggers", L"trig1", file, L"abc"},
      {L"triggers", L"trig2", file, std::wstring(254, L'x')},
      {L"triggers", L"trig3", file, L""},
      {L"triggers", L"trig4", file, L""},
      {L"other", L"trig1", file, L""},
      {L"triggers", L"trig1", TempPath(L"driver_no_such_file.ini"), L""},
  };
  for (const Case& c : cases) {
    std::wstring got = ReadProfileString(c.section, c.key, c.file);
    EXPECT_EQ(got, c.expected) << "key " << std::string(c.key, c.key + wcslen(c.key));
    EXPECT_EQ(got.find(L'\0'), std::wstring::npos);
  }
  // Reading never creates the file.
  EXPECT_EQ(GetFileAttributesW(TempPath(L"driver_no_such_file.ini").c_str()),
            INVALID_FILE_ATTRIBUTES);
  DeleteFileW(file.c_str());
}

TEST(DriverDesktop, GetWindowCaptionReadsTheWholeTitleOfOwnAndForeignWindows) {
  const std::string title = "Town Square - Lobby 12 " + std::string(17, 'z');
  ASSERT_EQ(title.size(), 40u);
  FakeClient client;
  HWND foreign = client.Add("DriverCaptionTest", nullptr, "foreign", title.c_str());
  HWND own = CreateWindowExA(0, "Static", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  HWND untitled = client.Add("DriverCaptionTest", nullptr, "untitled", "");
  // 0x9A is the banner glyph in code page 1252.
  HWND glyph = client.Add("DriverCaptionTest", nullptr, "glyph", "Lobby \x9a");

  const std::wstring expected(title.begin(), title.end());
  EXPECT_EQ(GetWindowCaption(foreign), expected);
  EXPECT_EQ(GetWindowCaption(own), expected);
  EXPECT_EQ(GetWindowCaption(untitled), L"");
  EXPECT_EQ(GetWindowCaption(glyph), L"Lobby \u0161");
  EXPECT_EQ(GetWindowCaption(nullptr), L"");
  DestroyWindow(own);
}

TEST(DriverDesktop, CenterFormAtTopHangsThePanelFromTheTopCentre) {
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    int width, height, left;
  } cases[] = {
      {screen / 2, 100, screen / 4},
      {screen / 2, screenHeight, screen / 4},
      {301, 50, (screen - 301) / 2},
  };
  for (const Case& c : cases) {
    HWND panel = CreateWindowExW(0, L"Static", L"", WS_POPUP, 37, 400, c.width, c.height, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    CenterFormAtTop(panel);
    RECT r;
    GetWindowRect(panel, &r);
    EXPECT_EQ(r.left, c.left) << c.width;
    EXPECT_EQ(r.top, 0) << c.width;
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.bottom - r.top, c.height);
    DestroyWindow(panel);
  }
}

TEST(DriverDesktop, KeepOnTopMakesThePanelTopmostInPlace) {
  HWND panel = CreateWindowExW(0, L"Static", L"", WS_POPUP, 40, 50, 120, 80, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  KeepOnTop(panel);
  RECT r;
  GetWindowRect(panel, &r);
  EXPECT_TRUE(GetWindowLongW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 120);
  DestroyWindow(panel);
}

TEST(DriverDesktop, PauseLastsTheTimeAndHandlesMessagesAndTimersMeanwhile) {
  Counter counter;
  HWND w = MakeCounterWindow(counter);
  SetTimer(w, 1, 50, nullptr);
  PostMessageW(w, WM_APP, 0, 0);
  // A message posted from another thread in the middle of the pause is handled in it too.
  std::thread poster([&] {
    Sleep(200);
    PostMessageW(w, WM_APP, 0, 0);
  });

  const double start = NowMs();
  Pause(0.5);
  const double elapsed = NowMs() - start;
  poster.join();

  EXPECT_GE(elapsed, 500.0);
  EXPECT_LT(elapsed, 1500.0);
  EXPECT_EQ(counter.posted, 2);
  EXPECT_GE(counter.ticks, 5);
  KillTimer(w, 1);
  DestroyWindow(w);
}

TEST(DriverDesktop, PauseOfNothingReturnsAtOnce) {
  for (double seconds : {0.0, -1.0, -1e300}) {
    const double start = NowMs();
    Pause(seconds);
    EXPECT_LT(NowMs() - start, 50.0) << seconds;
  }
}

TEST(DriverDesktop, PauseEndsEarlyOnQuitAndLeavesTheQuitForTheMainLoop) {
  PostQuitMessage(7);
  const double start = NowMs();
  Pause(2.0);
  EXPECT_LT(NowMs() - start, 500.0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(DriverDesktop, DoEventsHandlesWhatIsQueuedWithoutWaiting) {
  Counter counter;
  HWND w = MakeCounterWindow(counter);
  PostMessageW(w, WM_APP, 0, 0);
  PostMessageW(w, WM_APP, 0, 0);
  const double start = NowMs();
  DoEvents();
  EXPECT_LT(NowMs() - start, 50.0);
  EXPECT_EQ(counter.posted, 2);
  DestroyWindow(w);
}

TEST(DriverPresses, EachPressSendsExactlyItsMessages) {
  FakeClient client;
  HWND target = client.Add("DriverPressTarget", nullptr, "target");
  struct Case {
    const char* name;
    void (*press)(HWND);
    std::vector<std::string> expected;
  } cases[] = {
      // The icon press is a button-down then a space-bar release; never a button-up.
      {"ClickIcon", [](HWND w) { ClickIcon(w); }, {"DOWN", "KEYUP:32"}},
      {"PressEnter", PressEnter, {"CHAR:13"}},
      {"ClickButton", ClickButton, {"DOWN", "UP"}},
  };
  for (const Case& c : cases) {
    client.ClearLog();
    c.press(target);
    testing_support::WaitUntil([&] { return client.LogOf("target").size() >= c.expected.size(); });
    testing_support::PumpFor(50);
    EXPECT_EQ(client.LogOf("target"), c.expected) << c.name;
  }
}

TEST(DriverPresses, SentPressesHaveHappenedOnReturnAndPostedClicksHaveNot) {
  FakeClient client;
  HWND target = client.Add("DriverPressTarget", nullptr, "target");
  ClickIcon(target);
  EXPECT_EQ(client.LogOf("target").size(), 2u);

  client.ClearLog();
  client.Block();  // the target's thread is busy: a posted click must not wait for it
  const double start = NowMs();
  ClickButton(target);
  EXPECT_LT(NowMs() - start, 100.0);
  EXPECT_TRUE(client.LogOf("target").empty());
  client.Unblock();
  EXPECT_TRUE(testing_support::WaitUntil(
      "both messages at the target", [&] { return client.LogOf("target").size() == 2; },
      [&] { return testing_support::Shown(client.LogOf("target")); }));
}

TEST(DriverPresses, PressesOnAMissingWindowDoNothing) {
  // Posting to handle 0 would queue the click on Vantor's own thread.
  ClickButton(nullptr);
  ClickIcon(nullptr);
  PressEnter(nullptr);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONUP, PM_NOREMOVE));
}

TEST(DriverSound, PlayWaveTellsTheObserverAndSkipsWhatIsNoPlainFile) {
  std::vector<std::wstring> heard;
  skarnel_aol7::SetSoundObserver([&](std::wstring_view path) { heard.emplace_back(path); });
  const std::wstring missing = TempPath(L"driver_no_such_sound.wav");
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const double start = NowMs();
  skarnel_aol7::PlayWave(missing);
  skarnel_aol7::PlayWave(dir);  // a folder is no sound file
  EXPECT_LT(NowMs() - start, 500.0);
  skarnel_aol7::SetSoundObserver(nullptr);
  EXPECT_EQ(heard, (std::vector<std::wstring>{missing, dir}));
}
