#pragma once
// What the DL Tool's GUI tests share: the panel with the simulated client, a way to act in the
// middle of a run (the run pumps this thread's messages, so a thread timer fires inside it), and
// a log of the counter's captions.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dltool/feeder.h"
#include "tests/support/vantor_fixture.h"

namespace dltool_test {

// Runs `action` once, on this thread, as soon as `when` holds; checked every 10 ms while this
// thread handles messages (inside a run's waits and pauses, or a test's WaitUntil).
class When {
 public:
  When(std::function<bool()> when, std::function<void()> action)
      : when_(std::move(when)), action_(std::move(action)) {
    id_ = SetTimer(nullptr, 0, 10, &When::Tick);
    Live()[id_] = this;
  }
  ~When() { Stop(); }
  When(const When&) = delete;
  When& operator=(const When&) = delete;
  bool Fired() const { return fired_; }

 private:
  static std::map<UINT_PTR, When*>& Live() {
    static std::map<UINT_PTR, When*> live;
    return live;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Live().find(id);
    if (it == Live().end()) return;
    When* self = it->second;
    if (self->fired_ || !self->when_()) return;
    self->fired_ = true;
    self->Stop();  // before the action: the action may pump messages itself
    self->action_();
  }
  void Stop() {
    if (!id_) return;
    KillTimer(nullptr, id_);
    Live().erase(id_);
    id_ = 0;
  }
  std::function<bool()> when_;
  std::function<void()> action_;
  UINT_PTR id_ = 0;
  bool fired_ = false;
};

// Every caption the window is given, in order (the counter Label5 counts down through these).
class CaptionLog {
 public:
  explicit CaptionLog(HWND window) : window_(window) {
    SetWindowSubclass(window_, &CaptionLog::Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  ~CaptionLog() {
    if (IsWindow(window_)) RemoveWindowSubclass(window_, &CaptionLog::Proc, 1);
  }
  CaptionLog(const CaptionLog&) = delete;
  CaptionLog& operator=(const CaptionLog&) = delete;
  std::vector<std::wstring> captions;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                               DWORD_PTR self) {
    if (msg == WM_SETTEXT && lp)
      reinterpret_cast<CaptionLog*>(self)->captions.push_back(reinterpret_cast<LPCWSTR>(lp));
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  HWND window_;
};

class DlToolTest : public testing_support::VantorWithSim {
 protected:
  void SetUp() override {
    VantorWithSim::SetUp();
    savedLimits_ = dltool::Limits();
  }
  void TearDown() override {
    dltool::Limits() = savedLimits_;
    VantorWithSim::TearDown();
  }

  static ui::DLtool& dl() { return ui::App().dltool; }

  // A fresh client with this suite's options changed by one row's `fault`, no effects recorded.
  template <class Fault>
  void RestartWithFault(const Fault& fault) {
    sim::Options options = SimOptions();
    fault(options);
    RestartSim(options);
    effects.Clear();
  }

  // The boxes as the user would leave them before pressing Add.
  static void Fill(const wchar_t* first, const wchar_t* last, const wchar_t* speed,
                   bool keepAsNew = false) {
    dl().Text1.SetText(first);
    dl().Text2.SetText(last);
    dl().Combo1.SetText(speed);
    dl().Check1.SetValue(keepAsNew ? 1 : 0);
  }

  // Events of one kind (and target, when given), in order.
  std::vector<sim::Event> EventsOf(const std::string& what, const std::string& target = "") const {
    std::vector<sim::Event> out;
    for (const auto& e : Journal())
      if (e.what == what && (target.empty() || e.target == target)) out.push_back(e);
    return out;
  }
  size_t CountOf(const std::string& what, const std::string& target = "") const {
    return EventsOf(what, target).size();
  }
  // Presses of one target, counted.
  size_t PressesOf(const std::string& target) const { return CountOf("press", target); }

  // How many mails the Download Manager has taken so far.
  size_t Queued() const { return client->DownloadQueue().size(); }

  static std::wstring Msg(UINT flags, const wchar_t* text) {
    return testing_support::MsgBoxEntry(flags, text);
  }

 private:
  dltool::WaitLimits savedLimits_;
};

// The same with a mailbox of `kMails` mails.
template <int kMails>
class DlToolWithMails : public DlToolTest {
 protected:
  sim::Options SimOptions() const override {
    auto o = DlToolTest::SimOptions();
    o.mails = kMails;
    return o;
  }
};

}  // namespace dltool_test
