#pragma once
// The text rules of the request core, kept apart from the windows so they can be checked alone:
// the lines typed into the chat room, the items of the request list, the slots' texts and the
// checks that refuse a request.
#include <string>
#include <string_view>

namespace core {

// The RequestPrefix while no trigger is chosen; every command tests for exactly this text.
inline constexpr wchar_t kNoTriggerPrefix[] = L"/Trigger Send ";
// Left in the request box means the user has not filled in the numbers.
inline constexpr wchar_t kRequestPattern[] = L"#, #-#";

// The four trigger slots: what differs between them, and nothing else.
struct TriggerSlotRow {
  int slot;                    // 1..4
  const wchar_t* placeholder;  // the caption of an empty slot
  const char* key;             // its key in the section "triggers" of the store
  const wchar_t* promptTitle;
};
inline constexpr TriggerSlotRow kTriggerSlots[4] = {
    {1, L"Trigger 1", "trig1", L"Trigger for Slot 1."},
    {2, L"Trigger 2", "trig2", L"Trigger for Slot 2."},
    {3, L"Trigger 3", "trig3", L"Trigger for Slot 3."},
    {4, L"Trigger 4", "trig4", L"Trigger for Slot 4."},
};

inline constexpr char kTriggerSection[] = "triggers";
inline constexpr char kTriggerFile[] = "c:\\triggers.ini";

// The prompt shown when an empty slot is clicked.
std::wstring TriggerPromptText();

// "/" + trigger + " Send ": the RequestPrefix of a chosen trigger.
std::wstring PrefixFor(std::wstring_view trigger);

// What the store is given for a typed trigger: the text up to its first line break. A profile
// value is one line; a break would write the rest as lines of its own into the store.
std::wstring StorableTrigger(std::wstring_view answer);

// What the store's read gives back for a value it holds: without the blanks around it and one
// pair of matching quotes, cut to 254 characters, as the profile routines read it.
std::wstring TriggerAsStored(std::wstring_view value);

// The message of a typed trigger the store did not take, with the system's reason in words.
std::wstring TriggerNotSavedText(std::wstring_view reason);

// True when the prefix says that no trigger is chosen.
bool IsNoTrigger(std::wstring_view prefix);

// True when the request box is empty or still holds the placeholder pattern anywhere.
bool IsFillInRefused(std::wstring_view requestText);

// True when the request text carries a note (a colon anywhere).
bool HasNote(std::wstring_view requestText);

// The numbers: the text before its first colon (blanks kept), or the whole text without one.
std::wstring NumbersPart(std::wstring_view requestText);

// The line that asks the server for the numbers: prefix immediately followed by the numbers.
std::wstring RequestLine(std::wstring_view prefix, std::wstring_view requestText);

// The line recorded in the request list: slot caption, colon, three blanks, whole text.
std::wstring RequestItem(std::wstring_view slotCaption, std::wstring_view requestText);

// A slot carries a request when its caption occurs in the prefix (case-sensitive).
bool SlotMatches(std::wstring_view slotCaption, std::wstring_view prefix);

// The search line: the prefix cut before its first "Send", then "Find " and the whole text.
std::wstring FindLine(std::wstring_view prefix, std::wstring_view requestText);

// The request list's count label.
std::wstring CountText(long long count);

}  // namespace core
