#include "tests/support/vantor_fixture.h"

#include <windows.h>

#include <array>

#include "aol/skarnel_aol7.h"
#include "tests/support/journal.h"
#include "tests/support/wait.h"

namespace testing_support {

// --- trigger store ------------------------------------------------------------------------------

TriggerStoreGuard::TriggerStoreGuard() : saved_(Read()) {}

TriggerStoreGuard::~TriggerStoreGuard() {
  if (saved_)
    Write(*saved_);
  else
    Remove();
}

std::optional<std::string> TriggerStoreGuard::Read() {
  HANDLE file = CreateFileA(kPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  std::array<char, 4096> chunk;
  DWORD got = 0;
  while (ReadFile(file, chunk.data(), chunk.size(), &got, nullptr) && got > 0)
    bytes.append(chunk.data(), got);
  CloseHandle(file);
  return bytes;
}

void TriggerStoreGuard::Write(std::string_view bytes) {
  Remove();
  HANDLE file =
      CreateFileA(kPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  DropProfileCache();
}

void TriggerStoreGuard::Remove() {
  const DWORD attributes = GetFileAttributesA(kPath);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    SetFileAttributesA(kPath, FILE_ATTRIBUTE_NORMAL);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveDirectoryA(kPath);
    else
      DeleteFileA(kPath);
  }
  DropProfileCache();
}

void TriggerStoreGuard::DropProfileCache() {
  // The documented flush: all three NULL. Wine otherwise keeps serving a deleted file's keys.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, kPath);
}

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
