#pragma once
// Fixtures for in-process GUI tests: fresh panels for every test, message boxes, prompts and
// sounds recorded by Effects, the trigger store saved and put back, and (VantorWithSim) the
// simulated AOL client running on its own thread.
//
//   class MySuite : public testing_support::VantorWithSim {
//     sim::Options SimOptions() const override { auto o = VantorWithSim::SimOptions(); ...; }
//   };
//   TEST_F(MySuite, X) { ChooseTrigger(1, L"vault"); head().Text1.SetText(L"1"); ...
//                        EXPECT_EQ(RoomLines(), Lines{"/vault Send 1"}); }
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim.h"
#include "tests/support/effects.h"
#include "tests/support/trigger_store.h"
#include "tests/support/wait.h"
#include "ui/app.h"

namespace testing_support {

// Vantor's panels without an AOL client: the main panel is loaded (hidden) in SetUp, so tests of
// handlers that need no AOL can run straight away.
class VantorApp : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Fresh panels in the middle of a test, as at its start (for tables of cases).
  virtual void FreshPanels();

  static ui::Head& head() { return ui::App().head; }
  static ui::Label& Slot(int slot);  // Label2..Label5 for slots 1..4
  static void ClickSlot(int slot);   // Head::Label2_Click .. Label5_Click

  // Chooses `trigger` in an empty slot through its prompt; fails the test if the slot is not
  // lit with the trigger afterwards. The trigger store keeps the key (the guard restores it).
  void ChooseTrigger(int slot, std::wstring_view trigger);

  // Sends the request box the messages of one Enter key press: WM_KEYDOWN, WM_CHAR, WM_KEYUP.
  static void PressEnterInRequestBox();

  TriggerStoreGuard store;
  Effects effects;
};

// The same, with the simulated client started after the main panel has loaded (so the start
// banner does not run) and its journal empty at the start of the test.
class VantorWithSim : public VantorApp {
 protected:
  virtual sim::Options SimOptions() const;  // default: the server's delay cut to 50 ms
  void SetUp() override;
  void TearDown() override;

  void RestartSim(const sim::Options& options);  // a fresh client, journal empty
  // Fresh panels with the client kept: the main panel loads while the chat rooms are closed (no
  // start banner), then a room named as in the options is opened again if one was open; the
  // journal is emptied.
  void FreshPanels() override;

  std::vector<sim::Event> Journal() const { return client->Journal(); }
  // The texts set into the chat room's input box, in order: the lines Vantor typed.
  std::vector<std::string> RoomLines() const;
  // The targets of every "press", in order.
  std::vector<std::string> Presses() const;
  // Pumps this thread's messages until `done` holds for the journal, or the deadline; a wait
  // that gives up reports the journal's last events.
  Waited WaitForJournal(const std::function<bool(const std::vector<sim::Event>&)>& done,
                        DWORD timeoutMs = 5000) const;
  // Gives the client time to show anything a wrong action would have caused.
  static void Settle(DWORD ms = 100);

  std::unique_ptr<sim::Client> client;

 private:
  sim::Options options_;
};

using Lines = std::vector<std::string>;

}  // namespace testing_support
