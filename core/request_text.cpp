#include "core/request_text.h"

namespace core {

std::wstring TriggerPromptText() {
  return L"Enter a Trigger. ex: From (/Trigger Send) just enter \"Trigger\"";
}

std::wstring PrefixFor(std::wstring_view trigger) {
  return L"/" + std::wstring(trigger) + L" Send ";
}

std::wstring StorableTrigger(std::wstring_view answer) {
  return std::wstring(answer.substr(0, answer.find_first_of(L"\r\n")));
}

std::wstring TriggerAsStored(std::wstring_view value) {
  constexpr std::wstring_view kBlanks = L" \t\r\n\v\f";
  const size_t first = value.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  value = value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::wstring(value.substr(0, 254));
}

std::wstring TriggerNotSavedText(std::wstring_view reason) {
  return L"The trigger could not be saved in c:\\triggers.ini: " + std::wstring(reason) +
         L"\r\nIt is used until Vantor ends; the slot asks for it again next time.";
}

bool IsNoTrigger(std::wstring_view prefix) {
  return prefix == kNoTriggerPrefix;
}

bool IsFillInRefused(std::wstring_view requestText) {
  return requestText.empty() || requestText.find(kRequestPattern) != std::wstring_view::npos;
}

bool HasNote(std::wstring_view requestText) {
  return requestText.find(L':') != std::wstring_view::npos;
}

std::wstring NumbersPart(std::wstring_view requestText) {
  return std::wstring(requestText.substr(0, requestText.find(L':')));
}

std::wstring RequestLine(std::wstring_view prefix, std::wstring_view requestText) {
  return std::wstring(prefix) + NumbersPart(requestText);
}

std::wstring RequestItem(std::wstring_view slotCaption, std::wstring_view requestText) {
  return std::wstring(slotCaption) + L":   " + std::wstring(requestText);
}

bool SlotMatches(std::wstring_view slotCaption, std::wstring_view prefix) {
  return prefix.find(slotCaption) != std::wstring_view::npos;
}

std::wstring FindLine(std::wstring_view prefix, std::wstring_view requestText) {
  // Every prefix the slots write holds "Send"; the cut falls before its first occurrence, which
  // may lie inside the trigger itself ("MySend" searches as "/My").
  return std::wstring(prefix.substr(0, prefix.find(L"Send"))) + L"Find " +
         std::wstring(requestText);
}

std::wstring CountText(long long count) {
  return L"Number of requests: " + std::to_wstring(count);
}

}  // namespace core
