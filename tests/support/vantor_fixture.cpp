#include "tests/support/vantor_fixture.h"

#include <windows.h>

#include <array>

#include "aol/skarnel_aol7.h"
#include "tests/support/outside.h"
#include "tests/support/wait.h"

namespace testing_support {

// --- Vantor without a client -------------------------------------------------------------------

void VantorApp::SetUp() {
  FreshPanels();
}

void VantorApp::FreshPanels() {
  ui::ResetApp();
  head().hwnd();  // load now, while no chat room exists: no start banner
}

void VantorApp::TearDown() {
  ui::ResetApp();
}

ui::Label& VantorApp::Slot(int slot) {
  ui::Head& h = head();
  const std::array<ui::Label*, 4> slots = {&h.Label2, &h.Label3, &h.Label4, &h.Label5};
  return *slots.at(slot - 1);
}

void VantorApp::ClickSlot(int slot) {
  ui::Head& h = head();
  switch (slot) {
    case 1:
      h.Label2_Click();
      break;
    case 2:
      h.Label3_Click();
      break;
    case 3:
      h.Label4_Click();
      break;
    case 4:
      h.Label5_Click();
      break;
    default:
      ADD_FAILURE() << "no slot " << slot;
  }
}

void VantorApp::ChooseTrigger(int slot, std::wstring_view trigger) {
  effects.QueueAnswer(std::wstring(trigger));
  ClickSlot(slot);
  EXPECT_EQ(Slot(slot).Caption(), trigger) << "slot " << slot;
  EXPECT_EQ(Slot(slot).ForeColor(), ui::kPressedColor) << "slot " << slot;
}

void VantorApp::PressEnterInRequestBox() {
  const HWND box = head().Text1.hwnd();
  SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  SendMessageW(box, WM_CHAR, L'\r', 0x001C0001);
  SendMessageW(box, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

// --- Vantor with the simulated client ----------------------------------------------------------

sim::Options VantorWithSim::SimOptions() const {
  sim::Options options;
  options.serverDelayMs = 50;
  return options;
}

void VantorWithSim::SetUp() {
  VantorApp::SetUp();
  options_ = SimOptions();
  client = sim::Client::Start(options_);
  ASSERT_TRUE(client) << "the simulated client did not start";
  client->ClearJournal();
}

void VantorWithSim::TearDown() {
  client.reset();
  VantorApp::TearDown();
}

void VantorWithSim::RestartSim(const sim::Options& options) {
  client.reset();
  options_ = options;
  client = sim::Client::Start(options);
  ASSERT_TRUE(client) << "the simulated client did not start";
  client->ClearJournal();
}

void VantorWithSim::FreshPanels() {
  if (!client) return VantorApp::FreshPanels();  // SetUp: the client starts afterwards
  const bool room = skarnel_aol7::FindChatRoom() != nullptr;
  if (room) client->CloseChatRooms();
  VantorApp::FreshPanels();
  if (room) client->OpenChatRoom(options_.roomName);
  WaitUntil([&] { return (skarnel_aol7::FindChatRoom() != nullptr) == room; });
  client->ClearJournal();
}

std::vector<std::string> VantorWithSim::RoomLines() const {
  return TextsOf(Journal(), "settext", "chat.input");
}

std::vector<std::string> VantorWithSim::Presses() const {
  std::vector<std::string> out;
  for (const auto& e : Journal())
    if (e.what == "press") out.push_back(e.target);
  return out;
}

Waited VantorWithSim::WaitForJournal(
    const std::function<bool(const std::vector<sim::Event>&)>& done, DWORD timeoutMs) const {
  std::vector<sim::Event> journal;
  return WaitUntil(
      "the journal to show it", [&] { return done(journal = client->Journal()); },
      [&] {
        std::vector<std::string> last;
        for (size_t i = journal.size() > 8 ? journal.size() - 8 : 0; i < journal.size(); ++i)
          last.push_back(journal[i].what + " " + journal[i].target + " " + journal[i].text);
        return "the journal's last events " + Shown(last);
      },
      timeoutMs);
}

void VantorWithSim::Settle(DWORD ms) {
  PumpFor(ms);
}

}  // namespace testing_support
