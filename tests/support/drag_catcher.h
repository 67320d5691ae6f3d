#pragma once
// Catches a panel's drag in in-process tests. A strip that drags its panel hands the platform a
// caption grab (WM_NCLBUTTONDOWN on HTCAPTION); the catcher counts each grab and swallows it,
// since no real mouse button is held under test to end the platform's move loop.
#include <windows.h>

namespace testing_support {

class DragCatcher {
 public:
  explicit DragCatcher(HWND panel);  // watches `panel` until the catcher goes
  ~DragCatcher();
  DragCatcher(const DragCatcher&) = delete;
  DragCatcher& operator=(const DragCatcher&) = delete;

  bool Watching() const { return watching_; }
  int Grabs() const { return grabs_; }
  void Reset() { grabs_ = 0; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                               DWORD_PTR self);

  HWND panel_;
  int grabs_ = 0;
  bool watching_;
};

}  // namespace testing_support
