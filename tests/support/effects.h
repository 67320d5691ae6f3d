#pragma once
// Records what Vantor shows and plays, in order, for in-process tests: every message box and
// input prompt (answered from a script instead of shown) and every sound. Install one per test.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/forms.h"

namespace testing_support {

class Effects : public ui::DialogHandler {
 public:
  Effects();            // starts recording: dialogs and sounds come here
  ~Effects() override;  // the real dialogs again, no sound observer

  // Answers for the next input prompts, in order; nothing queued answers Cancel.
  void QueueAnswer(std::optional<std::wstring> answer) { answers_.push_back(std::move(answer)); }

  // Entries in order of occurrence:
  //   "sound:press", "sound:popup" (the file's name without .wav)
  //   "msgbox:<flags>:<title>:<text>"
  //   "prompt:<title>:<text>"
  //   anything a test adds with Mark()
  std::vector<std::wstring> log;
  void Mark(std::wstring what) { log.push_back(std::move(what)); }
  std::vector<std::wstring> Sounds() const;    // just the sound entries, "press"/"popup"
  std::vector<std::wstring> Messages() const;  // just the msgbox entries
  void Clear() { log.clear(); }

  // Runs while a message box or prompt is "open", before it returns (for modal-time checks).
  std::function<void()> whileShown;

  int OnMsgBox(std::wstring_view text, UINT flags, std::wstring_view title) override;
  std::optional<std::wstring> OnInputBox(std::wstring_view prompt,
                                         std::wstring_view title) override;

 private:
  std::vector<std::optional<std::wstring>> answers_;
};

// The text of a message-box entry as Effects logs it.
std::wstring MsgBoxEntry(UINT flags, std::wstring_view text);

}  // namespace testing_support
