// The DL Tool's watchdog: while a run is in progress it answers the AOL client's standard
// dialogs, and only those: never one of Vantor's own boxes, never another program's.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "tests/gui/dltool_fixture.h"
#include "tests/support/wait.h"

namespace {

using dltool_test::DlToolTest;
using dltool_test::When;

constexpr wchar_t kHelperSwitch[] = L"--vantor-other-program-dialog";
constexpr wchar_t kOtherTitle[] = L"Another program";

// Started with the switch, this test program plays "another program" that shows a message box
// of its own, and ends when the box is answered.
const bool kIsHelper = [] {
  if (!std::wcsstr(GetCommandLineW(), kHelperSwitch)) return false;
  MessageBoxW(nullptr, L"A question of another program", kOtherTitle, MB_OK);
  ExitProcess(0);
}();

class OtherProgram {
 public:
  OtherProgram() {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" " + kHelperSwitch;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi_))
      CloseHandle(pi_.hThread);
  }
  ~OtherProgram() {
    if (!pi_.hProcess) return;
    if (Running()) TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hProcess);
  }
  bool Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
  }
  HWND Box() const {
    HWND box = FindWindowW(L"#32770", kOtherTitle);
    return box && IsWindowVisible(box) ? box : nullptr;
  }

 private:
  PROCESS_INFORMATION pi_{};
};

class DialogClient : public DlToolTest {
 protected:
  sim::Options SimOptions() const override {
    auto o = DlToolTest::SimOptions();
    o.dialogOnDownload = true;
    return o;
  }
};

// The client's dialog at the first download is pressed during the run; before Add, after the
// run and after Stop the watchdog is off and the client's dialogs stay.
TEST_F(DialogClient, AnswersTheClientsDialogsOnlyDuringARun) {
  client->ShowDialog("Before the run");
  Settle(200);
  EXPECT_FALSE(dl().Timer1.Enabled());
  EXPECT_EQ(CountOf("dialog", "dialog.button"), 0u);
  // A dialog is pressed once: it stays on screen a moment after its press, and the watchdog's
  // next look must not press it again.
  ASSERT_TRUE(testing_support::WaitUntil(
      "the dialog to show", [&] { return CountOf("dialog", "dialog.visible") == 1; }, 5000));
  EXPECT_TRUE(dl().AnswerClientDialog());
  EXPECT_FALSE(dl().AnswerClientDialog());
  ASSERT_TRUE(testing_support::WaitUntil(
      "the dialog pressed before the run to go",
      [&] { return CountOf("dialog", "dialog.button") == 1; }, 5000));
  client->ClearJournal();  // a fresh client is not needed: the run's own dialog comes on top

  Fill(L"1", L"2", L"1");
  bool onDuringRun = false;
  When watch([&] { return CountOf("dialog", "dialog") >= 1; },
             [&] { onDuringRun = dl().Timer1.Enabled(); });
  dl().Label3_Click();
  EXPECT_TRUE(onDuringRun);
  EXPECT_GE(CountOf("dialog", "dialog.button"), 1u);
  EXPECT_EQ(Queued(), 2u);
  EXPECT_FALSE(dl().Timer1.Enabled());

  client->ClearJournal();
  client->ShowDialog("After the run");
  Settle(300);
  EXPECT_EQ(CountOf("dialog", "dialog.button"), 0u);
}

TEST_F(DlToolTest, StopTurnsTheWatchdogOff) {
  Fill(L"1", L"3", L"1");
  bool offAfterStop = false;
  size_t pressedBefore = 0;
  When stop([&] { return PressesOf("mail.icon2") >= 1; },
            [&] {
              dl().Label4_Click();
              offAfterStop = !dl().Timer1.Enabled();
            });
  When late([&] { return stop.Fired() && PressesOf("mail.icon6") >= 1; },
            [&] {
              pressedBefore = CountOf("dialog", "dialog.button");
              client->ShowDialog("During the ending");
            });
  dl().Label3_Click();
  EXPECT_TRUE(offAfterStop);
  ASSERT_TRUE(late.Fired());
  Settle(300);
  EXPECT_EQ(CountOf("dialog", "dialog.button"), pressedBefore);
}

// Vantor's own message box and another program's box, both open during a run, are left alone,
// while a dialog of the client that comes up beside them is answered.
TEST_F(DlToolTest, LeavesVantorsAndOtherProgramsBoxesAlone) {
  OtherProgram other;
  ASSERT_TRUE(testing_support::WaitUntil(
      "the other program's box to show", [&] { return other.Box() != nullptr; }, 10000));

  Fill(L"1", L"2", L"1");
  bool ownStayed = false, clientAnswered = false;
  When ownBox([&] { return Queued() >= 1; },
              [&] {
                // Vantor's own box, shown for real on this thread while the run goes on beneath it;
                // a timer inside its modal loop looks after half a second, then answers it itself.
                client->ShowDialog("Beside Vantor's box");
                const ULONGLONG shown = GetTickCount64();
                When close([&] { return GetTickCount64() - shown > 600; },
                           [&] {
                             HWND box = FindWindowW(L"#32770", L"Own box");
                             ownStayed = box && IsWindowVisible(box);
                             clientAnswered = CountOf("dialog", "dialog.button") >= 1;
                             if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
                           });
                MessageBoxW(dl().hwnd(), L"A box of Vantor's own", L"Own box", MB_OK);
              });
  dl().Label3_Click();
  ASSERT_TRUE(ownBox.Fired());
  EXPECT_TRUE(ownStayed) << "the watchdog pressed Vantor's own box";
  EXPECT_TRUE(clientAnswered) << "the watchdog was not running";
  EXPECT_TRUE(other.Running());
  EXPECT_NE(other.Box(), nullptr) << "the watchdog pressed another program's box";
}

}  // namespace
