#include "tests/acceptance/session.h"

#include <array>
#include <atomic>
#include <fstream>
#include <sstream>

#include "tests/support/wait.h"

namespace acceptance {

using testing_support::GetText;
using testing_support::WaitUntil;

namespace {

// Long enough for any handler that a click starts; a program that takes longer is hung.
constexpr UINT kRespondMs = 1000;

std::wstring ProgramFolder() {
  return testing_support::TestProgramFolder();
}

std::wstring FreshFile(std::wstring path) {
  DeleteFileW(path.c_str());  // the journal is appended to: an old one would mix two runs
  return path;
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  std::array<char, 8192> chunk;
  DWORD got = 0;
  while (ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0)
    bytes.append(chunk.data(), got);
  CloseHandle(file);
  return bytes;
}

bool SendWithin(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, msg, wp, lp, SMTO_ABORTIFHUNG, ms, &result) != 0;
}

LPARAM Middle(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

// A message box shows its icon in a static control of the icon kind.
bool HasIcon(HWND box) {
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    if (lstrcmpiW(cls, L"Static") != 0 || !IsWindowVisible(c)) continue;
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(c, STM_GETICON, 0, 0, SMTO_NORMAL, 1000, &icon);
    if (icon) return true;
  }
  return false;
}

}  // namespace

std::wstring TempPath(std::wstring_view stem) {
  static std::atomic<int> counter{0};
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"vantor_" + std::wstring(stem) + L"_" +
         std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter) + L".txt";
}

std::string Ansi(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                      nullptr);
  return bytes;
}

// --- the simulated client ----------------------------------------------------------------------

Sim::Sim(std::wstring switches, std::wstring filesFolder)
    : journal_(
          FreshFile(filesFolder.empty() ? TempPath(L"journal") : filesFolder + L"\\journal.txt")),
      state_(FreshFile(filesFolder.empty() ? TempPath(L"state") : filesFolder + L"\\state.txt")),
      keepFiles_(!filesFolder.empty()),
      process_(ProgramFolder() + L"\\aol7sim.exe",
               L"--journal \"" + journal_ + L"\" --state \"" + state_ + L"\" " + switches) {}

Sim::~Sim() {
  Close();
  if (!keepFiles_) {
    DeleteFileW(journal_.c_str());
    DeleteFileW(state_.c_str());
  }
}

bool Sim::WaitUp(DWORD timeoutMs) {
  if (!process_.Started()) return false;
  return WaitUntil(
      [this] {
        // The client is up once it has settled after its start, not when its window shows.
        HWND main = Main();
        if (main && IsWindowVisible(main)) return !TextsOf(Journal(), "ready", "client").empty();
        // With --foreign-dialog the program is only a message box.
        return testing_support::WaitForDialog(Pid(), 0) != nullptr;
      },
      timeoutMs);
}

bool Sim::WaitRoom(DWORD timeoutMs) {
  // The room is journalled once all its controls exist.
  return WaitForJournal(
      [](const std::vector<sim::Event>& j) {
        for (const sim::Event& e : j)
          if (e.what == "open" && e.target.rfind("room ", 0) == 0) return true;
        return false;
      },
      timeoutMs);
}

HWND Sim::Main() const {
  return testing_support::FindTopWindow(process_.Id(), L"America Online", L"AOL Frame25");
}

std::vector<sim::Event> Sim::Journal() const {
  return testing_support::ReadJournalFile(journal_);
}

sim::State Sim::State() const {
  // The file is rewritten on every change: a read that meets it half-written is tried again.
  sim::State state;
  for (int attempt = 0; attempt < 20; ++attempt) {
    state = {};
    if (sim::ParseState(ReadBytes(state_), state)) break;
    testing_support::PumpFor(10);
  }
  return state;
}

std::vector<std::string> Sim::Typed() const {
  return TextsOf(Journal(), "settext", "chat.input");
}

std::vector<std::string> Sim::SaidByMember() const {
  std::vector<std::string> lines;
  for (const std::string& said : TextsOf(Journal(), "say", "chat"))
    if (said.rfind("Member: ", 0) == 0) lines.push_back(said.substr(8));
  return lines;
}

std::vector<sim::Event> Sim::Since(size_t mark) const {
  std::vector<sim::Event> journal = Journal();
  if (mark >= journal.size()) return {};
  return {journal.begin() + static_cast<std::ptrdiff_t>(mark), journal.end()};
}

std::vector<std::string> Sim::SaidSince(size_t mark) const {
  std::vector<std::string> lines;
  for (const std::string& said : TextsOf(Since(mark), "say", "chat"))
    if (said.rfind("Member: ", 0) == 0) lines.push_back(said.substr(8));
  return lines;
}

std::vector<sim::Event> Sim::EventsOf(std::string_view what) const {
  std::vector<sim::Event> events;
  for (sim::Event& e : Journal())
    if (e.what == what) events.push_back(std::move(e));
  return events;
}

testing_support::Waited Sim::WaitForJournal(
    const std::function<bool(const std::vector<sim::Event>&)>& done, DWORD timeoutMs,
    std::string_view what) const {
  std::vector<sim::Event> journal;
  return WaitUntil(
      what, [&] { return done(journal = Journal()); },
      [&] {
        constexpr size_t kShown = 8;
        std::vector<std::string> last;
        for (size_t i = journal.size() > kShown ? journal.size() - kShown : 0; i < journal.size();
             ++i)
          last.push_back(journal[i].what + " " + journal[i].target + " " + journal[i].text);
        return "the journal's last events " + testing_support::Shown(last);
      },
      timeoutMs);
}

testing_support::Waited Sim::WaitForLine(const std::string& line, DWORD timeoutMs) const {
  return WaitForJournal(
      [&](const std::vector<sim::Event>& j) {
        for (const sim::Event& e : j)
          if (e.what == "say" && e.text == line) return true;
        return false;
      },
      timeoutMs, "the room to show the line " + testing_support::Shown(line));
}

testing_support::Waited Sim::WaitForMemberLines(size_t count, DWORD timeoutMs) const {
  return WaitUntil(
      std::to_string(count) + " lines said by the member",
      [&] { return SaidByMember().size() >= count; },
      [&] { return testing_support::Shown(SaidByMember()); }, timeoutMs);
}

HWND Sim::Room(std::wstring_view name) const {
  HWND mdi = FindWindowExW(Main(), nullptr, L"MDIClient", nullptr);
  if (!mdi) return nullptr;
  return FindWindowExW(mdi, nullptr, L"AOL Child", std::wstring(name).c_str());
}

void Sim::CloseRoom(std::wstring_view name) const {
  if (HWND room = Room(name)) SendWithin(room, WM_CLOSE, 0, 0, 5000);
}

void Sim::Close() {
  if (!process_.Running()) return;
  if (HWND main = Main()) PostMessageW(main, WM_CLOSE, 0, 0);
  if (!process_.WaitForExit(5000)) process_.Kill();
}

void Sim::Kill() {
  process_.Kill();
}

// --- Vantor ------------------------------------------------------------------------------------

Vantor::Vantor() : process_(ProgramFolder() + L"\\vantor.exe") {}

bool Vantor::WaitSplash(DWORD timeoutMs) {
  return process_.Started() &&
         testing_support::WaitForTopWindow(Pid(), kSplashTitle, timeoutMs, kPanelClass) != nullptr;
}

bool Vantor::OpenMainPanel(DWORD timeoutMs) {
  HWND splash = Panel(kSplashTitle);
  if (!splash) return false;
  // Posted: the main panel's load sends the start banner, with a pause between its lines.
  testing_support::DoubleClick(splash, testing_support::Delivery::Post);
  return WaitPanelVisible(kHeadTitle, timeoutMs);
}

HWND Vantor::Panel(std::wstring_view title) const {
  return testing_support::FindTopWindow(Pid(), title, kPanelClass);
}

bool Vantor::PanelVisible(std::wstring_view title) const {
  HWND panel = Panel(title);
  return panel && IsWindowVisible(panel);
}

testing_support::Waited Vantor::WaitPanelVisible(std::wstring_view title, DWORD timeoutMs) const {
  return WaitUntil(
      "the panel " + testing_support::Shown(title) + " to show",
      [&] { return PanelVisible(title); },
      [&] { return "panels shown " + testing_support::Shown(ShownPanels()); }, timeoutMs);
}

testing_support::Waited Vantor::WaitPanelAlone(std::wstring_view title) const {
  return WaitUntil(
      "the panel " + testing_support::Shown(title) + " to be the only one shown",
      [&] { return ShownPanels() == std::vector<std::wstring>{std::wstring(title)}; },
      [&] { return "panels shown " + testing_support::Shown(ShownPanels()); });
}

std::vector<std::wstring> Vantor::ShownPanels() const {
  std::vector<std::wstring> titles;
  for (const wchar_t* title : {kSplashTitle, kHeadTitle, kListTitle, kDlTitle, kGreetTitle})
    if (PanelVisible(title)) titles.push_back(title);
  return titles;
}

HWND Vantor::Control(std::wstring_view panel, const wchar_t* caption,
                     const wchar_t* className) const {
  HWND p = Panel(panel);
  return p ? testing_support::FindChild(p, caption, className) : nullptr;
}

HWND Vantor::ControlAt(std::wstring_view panel, int leftTwips, int topTwips) const {
  HWND p = Panel(panel);
  if (!p) return nullptr;
  for (HWND c = GetWindow(p, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == leftTwips / 15 && r.top == topTwips / 15) return c;
  }
  return nullptr;
}

bool Vantor::Click(std::wstring_view panel, const wchar_t* caption) {
  return Click(Control(panel, caption));
}

bool Vantor::Click(HWND label) {
  if (!label) return false;
  testing_support::ClickLabel(label, testing_support::Delivery::Send);
  return true;
}

HWND Vantor::ClickForDialog(std::wstring_view panel, const wchar_t* caption, DWORD timeoutMs) {
  return ClickForDialog(Control(panel, caption), timeoutMs);
}

HWND Vantor::ClickForDialog(HWND label, DWORD timeoutMs) {
  if (!label) return nullptr;
  testing_support::ClickLabel(label, testing_support::Delivery::Post);
  return WaitDialog(timeoutMs);
}

testing_support::FoundWindow Vantor::WaitDialog(DWORD timeoutMs) const {
  return testing_support::WaitForDialog(Pid(), timeoutMs);
}

std::wstring Vantor::AnswerMessage(DWORD timeoutMs) const {
  HWND box = WaitDialog(timeoutMs);
  if (!box) return L"";
  // Wait until it is set up: its static text is filled in while it initialises.
  std::wstring text;
  WaitUntil([&] { return !(text = testing_support::DialogText(box)).empty(); }, 2000);
  const bool icon = HasIcon(box);
  testing_support::PressDialogOk(box);
  return icon ? L"(icon) " + text : text;
}

HWND Vantor::Slot(int slot) const {
  return ControlAt(kHeadTitle, 120, 360 + 240 * (slot - 1));
}

HWND Vantor::RequestBox() const {
  return Control(kHeadTitle, nullptr, L"Edit");
}

HWND Vantor::RollUp() const {
  return ControlAt(kHeadTitle, 3840, 0);
}

bool Vantor::ChooseTrigger(int slot, std::wstring_view trigger) {
  HWND prompt = ClickForDialog(Slot(slot));
  if (!prompt || !testing_support::AnswerPrompt(prompt, trigger)) return false;
  return WaitUntil([&] { return GetText(Slot(slot)) == trigger; }, 3000);
}

bool Vantor::UseTrigger(int slot, std::wstring_view trigger) {
  if (GetText(Slot(slot)) != trigger) return ChooseTrigger(slot, trigger);
  Click(Slot(slot));
  return GetText(Slot(slot)) == trigger;
}

void Vantor::TypeRequest(std::wstring_view text) {
  testing_support::SetText(RequestBox(), text);
}

void Vantor::PressEnter() {
  // Sent without waiting, as a keyboard's messages reach the box: posting the key-down would
  // let the program's message loop translate it into a second carriage return.
  HWND box = RequestBox();
  SendNotifyMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  SendNotifyMessageW(box, WM_CHAR, 13, 0x001C0001);
  SendNotifyMessageW(box, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

bool Vantor::ChooseMenu(MenuItem item, DWORD timeoutMs) {
  HWND others = Control(kHeadTitle, L"Others");
  if (!others) return false;
  testing_support::ClickLabel(others, testing_support::Delivery::Post);
  HWND menu = nullptr;
  WaitUntil(
      [&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu) && ProcessOf(menu) == Pid();
      },
      timeoutMs);
  if (!menu || !IsWindowVisible(menu)) return false;
  for (int i = 0; i < static_cast<int>(item); ++i) {
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYUP, VK_DOWN, 0);
  }
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(menu, WM_KEYUP, VK_RETURN, 0);
  return WaitUntil([&] { return !IsWindowVisible(menu); }, timeoutMs);
}

std::vector<std::wstring> Vantor::RequestList() const {
  return testing_support::ReadListBox(Control(kListTitle, nullptr, L"ListBox"));
}

std::wstring Vantor::CountLabel() const {
  return GetText(ControlAt(kListTitle, 3480, 0));
}

std::vector<std::wstring> Vantor::DlList() const {
  return testing_support::ReadListBox(Control(kDlTitle, nullptr, L"ListBox"));
}

std::wstring Vantor::DlCounter() const {
  return GetText(ControlAt(kDlTitle, 3720, 720));
}

testing_support::Waited Vantor::WaitDlListed(const Sim& sim, DWORD timeoutMs) const {
  size_t mails = 0;
  return WaitUntil(
      "the DL Tool's list to hold every mail of the mailbox",
      [&] { return DlList().size() == (mails = sim.State().mails.size()); },
      [&] {
        return std::to_string(mails) + " mails, the list " + testing_support::Shown(DlList());
      },
      timeoutMs);
}

void Vantor::FillDl(std::wstring_view first, std::wstring_view last, std::wstring_view speed) {
  testing_support::SetText(ControlAt(kDlTitle, 120, 360), first);
  testing_support::SetText(ControlAt(kDlTitle, 1560, 360), last);
  testing_support::SetText(Control(kDlTitle, nullptr, L"ComboBox"), speed);
}

void Vantor::SetKeepAsNew(bool keep) {
  HWND check = Control(kDlTitle, L" Keep Mail As New", L"Button");
  if (!check) return;
  DWORD_PTR state = 0;
  SendMessageTimeoutW(check, BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
  if ((state == BST_CHECKED) != keep) SendWithin(check, BM_CLICK, 0, 0, 5000);
}

bool Vantor::Responsive() const {
  HWND head = Head();
  if (!head || !SendWithin(head, WM_NULL, 0, 0, kRespondMs)) return false;
  HWND toggle = RollUp();
  const std::wstring before = GetText(toggle);
  auto press = [&] {
    const LPARAM at = Middle(toggle);
    return SendWithin(toggle, WM_LBUTTONDOWN, MK_LBUTTON, at, kRespondMs) &&
           SendWithin(toggle, WM_LBUTTONUP, 0, at, kRespondMs);
  };
  if (!press()) return false;
  const bool changed = GetText(toggle) != before;
  press();  // rolled down again
  return changed && GetText(toggle) == before;
}

bool Vantor::Exit(DWORD timeoutMs) {
  HWND x = Control(kHeadTitle, L"X");
  if (!x) return false;
  testing_support::ClickLabel(x, testing_support::Delivery::Post);
  return process_.WaitForExit(timeoutMs);
}

// --- a pair ------------------------------------------------------------------------------------

Pair::Pair(std::wstring switches, bool withClient)
    : room_(withClient && switches.find(L"--no-room") == std::wstring::npos) {
  if (withClient) sim = std::make_unique<Sim>(std::move(switches));
}

bool Pair::WaitClient() {
  if (!sim) return true;
  if (!sim->WaitUp()) {
    failure = "the client's main window did not show";
    return false;
  }
  if (room_ && !sim->WaitRoom()) {
    failure = "the client's chat room did not open";
    return false;
  }
  return true;
}

bool Pair::Start() {
  auto fail = [this](const char* what) {
    failure = what;
    return ok = false;
  };
  if (!WaitClient()) return ok = false;
  if (!vantor.WaitSplash()) return fail("Vantor's splash panel did not show");
  if (!vantor.OpenMainPanel()) return fail("Vantor's main panel did not show");
  if (room_ && !sim->WaitForMemberLines(2)) return fail("the start banner did not reach the room");
  return ok = true;
}

}  // namespace acceptance
