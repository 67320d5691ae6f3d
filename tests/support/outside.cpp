#include "tests/support/outside.h"

#include <filesystem>
#include <fstream>

#include "tests/support/wait.h"

namespace testing_support {
namespace {

// Long enough for any handler of ours (the longest banner waits 0.7 s), short enough that a hung
// program fails the test instead of stalling CTest.
constexpr UINT kSendTimeoutMs = 20000;

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TitleOf(HWND window) {
  // GetWindowTextW reads a top-level window's title without sending it a message.
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), n + 1)));
  return text;
}

bool ClassMatches(HWND window, const wchar_t* className) {
  return className == nullptr || lstrcmpiW(ClassOf(window).c_str(), className) == 0;
}

struct TopQuery {
  DWORD pid;
  std::wstring_view title;
  const wchar_t* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM lp) {
  auto& q = *reinterpret_cast<TopQuery*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != q.pid) return TRUE;
  if (q.visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (!ClassMatches(window, q.className) || TitleOf(window) != q.title) return TRUE;
  q.found = window;
  return FALSE;
}

HWND FindTop(DWORD pid, std::wstring_view title, const wchar_t* className, bool visibleOnly) {
  TopQuery q{pid, title, className, visibleOnly, nullptr};
  EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

struct ChildQuery {
  const wchar_t* caption;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM lp) {
  auto& q = *reinterpret_cast<ChildQuery*>(lp);
  if (!ClassMatches(window, q.className)) return TRUE;
  if (q.caption != nullptr && GetText(window) != q.caption) return TRUE;
  q.found = window;
  return FALSE;
}

struct VisibleQuery {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchVisible(HWND window, LPARAM lp) {
  auto& q = *reinterpret_cast<VisibleQuery*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == q.pid && IsWindowVisible(window) && ClassMatches(window, q.className)) {
    q.found = window;
    return FALSE;
  }
  return TRUE;
}

LRESULT Deliver(HWND window, UINT msg, WPARAM wp, LPARAM lp, Delivery delivery) {
  if (delivery == Delivery::Post) return PostMessageW(window, msg, wp, lp);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

LPARAM Middle(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

}  // namespace

std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

Process::Process(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));

  // Whatever the test does, the job ends the program together with the test program.
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &si, &pi))
    return;
  if (job_) AssignProcessToJobObject(job_, pi.hProcess);
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
}

Process::~Process() {
  Kill();
  if (process_) CloseHandle(process_);
  if (job_) CloseHandle(job_);
}

bool Process::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

Waited Process::WaitForExit(DWORD timeoutMs) {
  return WaitUntil(
      "the process " + std::to_string(id_) + " to end", [this] { return !Running(); },
      [] { return std::string("still running"); }, timeoutMs);
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

void Process::Kill() {
  if (!Running()) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}

HWND FindTopWindow(DWORD pid, std::wstring_view title, const wchar_t* className) {
  return FindTop(pid, title, className, false);
}

std::string TopWindowsOf(DWORD pid) {
  struct Seen {
    DWORD pid;
    std::string text;
    int hidden = 0;  // wine keeps a few hidden helper windows in every process
  } seen{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM lp) -> BOOL {
        auto& s = *reinterpret_cast<Seen*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s.pid) return TRUE;
        if (!IsWindowVisible(window))
          ++s.hidden;
        else
          s.text += (s.text.empty() ? "" : "; ") + Shown(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  return "process " + std::to_string(pid) + " shows " +
         (seen.text.empty() ? std::string("no window") : seen.text) + " (and " +
         std::to_string(seen.hidden) + " hidden); foreground " + Shown(GetForegroundWindow());
}

FoundWindow WaitForTopWindow(DWORD pid, std::wstring_view title, DWORD timeoutMs,
                             const wchar_t* className) {
  HWND found = nullptr;
  Waited waited = WaitUntil(
      "a visible window " + Shown(title) + (className ? " of class " + Shown(className) : ""),
      [&] { return (found = FindTop(pid, title, className, true)) != nullptr; },
      [&] { return TopWindowsOf(pid); }, timeoutMs);
  return {found, std::move(waited)};
}

HWND FindChild(HWND parent, const wchar_t* caption, const wchar_t* className) {
  ChildQuery q{caption, className, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

void ClickLabel(HWND label, Delivery delivery) {
  const LPARAM at = Middle(label);
  Deliver(label, WM_LBUTTONDOWN, MK_LBUTTON, at, delivery);
  Deliver(label, WM_LBUTTONUP, 0, at, delivery);
}

void DoubleClick(HWND window, Delivery delivery) {
  Deliver(window, WM_LBUTTONDBLCLK, MK_LBUTTON, Middle(window), delivery);
}

void SetText(HWND window, std::wstring_view text) {
  const std::wstring copy(text);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()), SMTO_NORMAL,
                      kSendTimeoutMs, &result);
}

std::wstring GetText(HWND window) {
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &n))
    return {};
  std::wstring text(n + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                      kSendTimeoutMs, &got);
  text.resize(got <= n ? got : n);
  return text;
}

std::vector<std::wstring> ReadListBox(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT n = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    if (n < 0) break;
    std::wstring item(static_cast<size_t>(n) + 1, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(got >= 0 && got <= n ? static_cast<size_t>(got) : static_cast<size_t>(n));
    items.push_back(std::move(item));
  }
  return items;
}

FoundWindow WaitForVisibleWindow(DWORD pid, const wchar_t* className, DWORD timeoutMs) {
  VisibleQuery q{pid, className, nullptr};
  Waited waited = WaitUntil(
      "a visible " + (className ? Shown(std::wstring_view(className)) : "") + " window",
      [&] {
        EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&q));
        return q.found != nullptr;
      },
      [&] { return TopWindowsOf(pid); }, timeoutMs);
  return {q.found, std::move(waited)};
}

FoundWindow WaitForDialog(DWORD pid, DWORD timeoutMs) {
  return WaitForVisibleWindow(pid, L"#32770", timeoutMs);
}

void PostKey(HWND window, UINT virtualKey) {
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

std::wstring DialogText(HWND dialog) {
  std::wstring text;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (lstrcmpiW(ClassOf(c).c_str(), L"Static") != 0) continue;
    const std::wstring part = GetText(c);
    if (part.empty()) continue;
    if (!text.empty()) text += L"\n";
    text += part;
  }
  return text;
}

bool PressDialogOk(HWND dialog, DWORD timeoutMs) {
  // The box is findable before it is set up: wine creates every button hidden and destroys the
  // unused ones while the box initialises, so wait for it to show and take a visible button.
  WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, timeoutMs);
  HWND ok = GetDlgItem(dialog, IDOK);
  if (!ok || !IsWindowVisible(ok)) {
    ok = nullptr;
    for (HWND c = GetWindow(dialog, GW_CHILD); c && !ok; c = GetWindow(c, GW_HWNDNEXT))
      if (IsWindowVisible(c) && lstrcmpiW(ClassOf(c).c_str(), L"Button") == 0) ok = c;
  }
  if (!ok) return false;
  PostKey(ok, VK_SPACE);
  // A closed box keeps its handle a little while; what counts is that it is no longer shown.
  return WaitUntil([&] { return !IsWindowVisible(dialog); }, timeoutMs);
}

bool AnswerPrompt(HWND dialog, std::wstring_view answer, DWORD timeoutMs) {
  WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, timeoutMs);
  HWND edit = FindChild(dialog, nullptr, L"Edit");
  if (!edit) return false;
  SetText(edit, answer);
  return PressDialogOk(dialog, timeoutMs);
}

std::vector<sim::Event> ReadJournalFile(const std::wstring& path) {
  std::vector<sim::Event> events;
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    sim::Event event;
    if (sim::ParseEvent(line, event)) events.push_back(std::move(event));
  }
  return events;
}

std::vector<std::string> TextsOf(const std::vector<sim::Event>& journal, std::string_view what,
                                 std::string_view target) {
  std::vector<std::string> texts;
  for (const sim::Event& e : journal)
    if (e.what == what && e.target == target) texts.push_back(e.text);
  return texts;
}

}  // namespace testing_support
