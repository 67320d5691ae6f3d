#include "tests/gui/driver_fixture.h"

#include <set>

#include "tests/support/wait.h"

namespace driver_fixture {
namespace {

constexpr UINT kRunMessage = WM_APP + 1;
constexpr UINT kBlockMessage = WM_APP + 2;
constexpr char kControlClass[] = "DriverFixtureControl";
constexpr char kHelperVariable[] = "VANTOR_DRIVER_TEST_HELPER";

thread_local FakeClient* tCurrent = nullptr;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (tCurrent) tCurrent->Note(hwnd, message, wParam, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

struct RunRequest {
  const std::function<void()>* fn;
};

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunMessage) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
  }
  if (message == kBlockMessage) {
    WaitForSingleObject(reinterpret_cast<HANDLE>(lParam), 60000);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The simulated client, in the same process, registers the AOL classes under the program's own
// instance; the fixture's classes of the same names live under another module's instance, so
// each gets its own window procedure (the class name, which is all the driver compares, is the
// same).
HINSTANCE FixtureInstance() {
  return GetModuleHandleA("gdi32.dll");
}

void Register(const char* className, WNDPROC proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(FixtureInstance(), className, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = FixtureInstance();
  wc.lpszClassName = className;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
}

bool IsSystemClass(const char* className) {
  static const std::set<std::string> system = {"mdiclient", "listbox", "button",
                                               "static",    "#32770",  "edit"};
  std::string lower(className);
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return system.count(lower) > 0;
}

// Helper mode: this program started again only to show a standard dialog of another process.
const bool kHelperRan = [] {
  char mode[32] = {};
  if (GetEnvironmentVariableA(kHelperVariable, mode, sizeof mode) == 0) return false;
  MakeDialog(mode);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  ExitProcess(0);
}();

}  // namespace

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::string Describe(const Record& r) {
  switch (r.message) {
    case WM_LBUTTONDOWN:
      return "DOWN";
    case WM_LBUTTONUP:
      return "UP";
    case WM_KEYDOWN:
      return "KEYDOWN:" + std::to_string(r.wParam);
    case WM_KEYUP:
      return "KEYUP:" + std::to_string(r.wParam);
    case WM_CHAR:
      return "CHAR:" + std::to_string(r.wParam);
    case WM_SETTEXT:
      return "SETTEXT:" + r.text;
    case LB_SETCURSEL:
      return "SETCURSEL:" + std::to_string(static_cast<int>(r.wParam));
    default:
      return "MSG:" + std::to_string(r.message);
  }
}

FakeClient::FakeClient() {
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this] { Loop(); });
  WaitForSingleObject(ready_, 10000);
}

FakeClient::~FakeClient() {
  Unblock();
  Run([this] {
    for (HWND w : topLevel_) DestroyWindow(w);
    DestroyWindow(control_);
  });
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  CloseHandle(ready_);
  CloseHandle(release_);
}

void FakeClient::Loop() {
  tCurrent = this;
  threadId_ = GetCurrentThreadId();
  Register(kControlClass, ControlProc);
  control_ = CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             FixtureInstance(), nullptr);
  SetEvent(ready_);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  tCurrent = nullptr;
}

void FakeClient::Run(const std::function<void()>& fn) {
  SendMessageA(control_, kRunMessage, 0, reinterpret_cast<LPARAM>(&fn));
}

HWND FakeClient::Add(const char* className, HWND parent, const std::string& name, const char* title,
                     DWORD extraStyle) {
  HWND made = nullptr;
  Run([&] {
    if (!IsSystemClass(className)) Register(className, RecordingProc);
    DWORD style = (parent ? WS_CHILD | WS_VISIBLE : WS_POPUP) | extraStyle;
    void* createParams = nullptr;
    CLIENTCREATESTRUCT mdiParams{nullptr, 1000};
    if (lstrcmpiA(className, "mdiclient") == 0) createParams = &mdiParams;
    made = CreateWindowExA(0, className, title, style, 0, 0, 200, 100, parent, nullptr,
                           IsSystemClass(className) ? GetModuleHandleA(nullptr) : FixtureInstance(),
                           createParams);
    if (made && parent) {
      // Child order is creation order: each new child goes below its older siblings.
      SetWindowPos(made, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (made && !parent) topLevel_.push_back(made);
  });
  std::lock_guard lock(mutex_);
  names_[made] = name;
  return made;
}

HWND FakeClient::AddMain() {
  HWND main = Add("AOL Frame25", nullptr, "main", "America  Online");
  mdi_ = Add("MDIClient", main, "mdi");
  HWND frame = Add("AOL Toolbar", main, "toolbar.frame");
  HWND bar = Add("_AOL_Toolbar", frame, "toolbar");
  for (int i = 1; i <= 30; ++i) Add("_AOL_Icon", bar, "toolbar.icon" + std::to_string(i));
  return main;
}

HWND FakeClient::AddChild(const std::string& name, const std::vector<const char*>& childClasses,
                          const char* title) {
  HWND child = Add("AOL Child", mdi_, name, title);
  int icons = 0, n = 0;
  for (const char* cls : childClasses) {
    ++n;
    std::string childName = lstrcmpiA(cls, "_aol_icon") == 0
                                ? name + ".icon" + std::to_string(++icons)
                                : name + "." + std::to_string(n);
    Add(cls, child, childName);
  }
  Run([&] { SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); });
  return child;
}

HWND FakeClient::AddChatRoom(const std::string& name, const char* title) {
  HWND room = AddChild(
      name,
      {"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "_AOL_Icon", "_AOL_Icon",
       "_AOL_Icon", "_AOL_Icon", "_AOL_Icon", "_AOL_Icon", "_AOL_Image", "_AOL_Static"},
      title);
  Add("RICHCNTL", room, name + ".input");
  return room;
}

HWND FakeClient::AddKeywordWindow(const std::string& name) {
  return AddChild(name, {"_AOL_Glyph", "RICHCNTLSTATIC", "_AOL_Edit", "_AOL_Icon", "_AOL_Icon"});
}

HWND FakeClient::AddMailbox(const std::string& name) {
  HWND box = AddChild(
      name, {"_AOL_Glyph", "_AOL_Static", "_AOL_Image", "_AOL_Icon", "_AOL_Icon", "_AOL_Icon"});
  HWND tab = Add("_AOL_TabControl", box, name + ".tab");
  HWND page = Add("_AOL_TabPage", tab, name + ".page");
  Add("_AOL_Tree", page, name + ".list");
  return box;
}

HWND FakeClient::AddOpenMail(const std::string& name) {
  return AddChild(name, {"ATL:6701A050", "_AOL_View", "_AOL_Static", "_AOL_Icon", "_AOL_Icon"});
}

HWND FakeClient::Named(const std::string& name) const {
  std::lock_guard lock(mutex_);
  for (const auto& [hwnd, n] : names_)
    if (n == name) return hwnd;
  return nullptr;
}

void FakeClient::Note(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  static const std::set<UINT> kept = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN,  WM_KEYUP,
                                      WM_CHAR,        WM_SETTEXT,   LB_SETCURSEL};
  if (!kept.count(message)) return;
  std::lock_guard lock(mutex_);
  auto it = names_.find(hwnd);
  Record r{it == names_.end() ? "?" : it->second, message, wParam, "", NowMs()};
  if (message == WM_SETTEXT && lParam) r.text = reinterpret_cast<const char*>(lParam);
  log_.push_back(std::move(r));
}

std::vector<Record> FakeClient::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

std::vector<std::string> FakeClient::LogOf(const std::string& window) const {
  std::vector<std::string> out;
  for (const Record& r : Log())
    if (r.window == window) out.push_back(Describe(r));
  return out;
}

void FakeClient::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

void FakeClient::Block() {
  ResetEvent(release_);
  PostMessageA(control_, kBlockMessage, 0, reinterpret_cast<LPARAM>(release_));
}

void FakeClient::Unblock() {
  SetEvent(release_);
}

HWND MakeDialog(const char* title, HWND owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND dialog = CreateWindowExA(0, "#32770", title, WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100,
                                240, 120, owner, nullptr, instance, nullptr);
  CreateWindowExA(0, "Static", "Something happened.", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20,
                  dialog, nullptr, instance, nullptr);
  CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 80, 50, 60, 24,
                  dialog, reinterpret_cast<HMENU>(IDOK), instance, nullptr);
  return dialog;
}

OtherProcessDialog::OtherProcessDialog(const char* title) {
  (void)kHelperRan;
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  SetEnvironmentVariableA(kHelperVariable, title);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = std::string("\"") + exe + "\"";
  CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                 &process_);
  SetEnvironmentVariableA(kHelperVariable, nullptr);
  testing_support::WaitUntil(
      [&] {
        dialog_ = FindWindowA("#32770", title);
        return dialog_ != nullptr;
      },
      15000);
}

OtherProcessDialog::~OtherProcessDialog() {
  if (process_.hProcess) {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

}  // namespace driver_fixture
