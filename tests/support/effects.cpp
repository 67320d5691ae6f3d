#include "tests/support/effects.h"

#include "aol/skarnel_aol7.h"

namespace testing_support {

Effects::Effects() {
  ui::SetDialogHandler(this);
  skarnel_aol7::SetSoundObserver([this](std::wstring_view path) {
    std::wstring name(path);
    auto slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name = name.substr(slash + 1);
    if (name.size() > 4 && name.substr(name.size() - 4) == L".wav") name.resize(name.size() - 4);
    log.push_back(L"sound:" + name);
  });
}

Effects::~Effects() {
  ui::SetDialogHandler(nullptr);
  skarnel_aol7::SetSoundObserver(nullptr);
}

int Effects::OnMsgBox(std::wstring_view text, UINT flags, std::wstring_view title) {
  log.push_back(L"msgbox:" + std::to_wstring(flags) + L":" + std::wstring(title) + L":" +
                std::wstring(text));
  if (whileShown) whileShown();
  return IDOK;
}

std::optional<std::wstring> Effects::OnInputBox(std::wstring_view prompt, std::wstring_view title) {
  log.push_back(L"prompt:" + std::wstring(title) + L":" + std::wstring(prompt));
  if (whileShown) whileShown();
  if (answers_.empty()) return std::nullopt;
  auto answer = answers_.front();
  answers_.erase(answers_.begin());
  return answer;
}

std::vector<std::wstring> Effects::Sounds() const {
  std::vector<std::wstring> out;
  for (const auto& e : log)
    if (e.rfind(L"sound:", 0) == 0) out.push_back(e.substr(6));
  return out;
}

std::vector<std::wstring> Effects::Messages() const {
  std::vector<std::wstring> out;
  for (const auto& e : log)
    if (e.rfind(L"msgbox:", 0) == 0) out.push_back(e);
  return out;
}

std::wstring MsgBoxEntry(UINT flags, std::wstring_view text) {
  return L"msgbox:" + std::to_wstring(flags) + L":" + ui::kTitle + L":" + std::wstring(text);
}

}  // namespace testing_support
