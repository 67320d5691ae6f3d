// The text rules of requests, server commands and the request list, without windows (the
// trigger store's read rule is held to the platform's own read of a file).
#include "core/request_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>

#include "aol/skarnel_aol6.h"

namespace {

const std::wstring kAbc = L"/abc Send ";

struct SplitCase {
  const wchar_t* text;
  const wchar_t* numbers;
  bool note;
};

TEST(RequestText, NumbersPartSplitsAtTheFirstColonOnly) {
  const SplitCase cases[] = {
      {L"1, 3-5", L"1, 3-5", false},
      {L"1-3 : for me", L"1-3 ", true},
      {L"1-3 : note: more", L"1-3 ", true},
      {L": only a note", L"", true},
      {L":", L"", true},
      {L"   ", L"   ", false},
      {L"  7  :x", L"  7  ", true},
      {L"", L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
    EXPECT_EQ(core::NumbersPart(c.text), c.numbers);
    EXPECT_EQ(core::HasNote(c.text), c.note);
    EXPECT_EQ(core::RequestLine(kAbc, c.text), kAbc + c.numbers);
  }
}

TEST(RequestText, RequestLineHasNothingBetweenPrefixAndNumbersAndNoLineEnd) {
  EXPECT_EQ(core::RequestLine(L"/vault Send ", L"1, 3-5"), L"/vault Send 1, 3-5");
  EXPECT_EQ(core::RequestLine(L"/vault Send ", L"1-3 : for me"), L"/vault Send 1-3 ");
}

TEST(RequestText, RequestItemCarriesTheWholeTextNoteIncluded) {
  EXPECT_EQ(core::RequestItem(L"abc", L"1, 3-5"), L"abc:   1, 3-5");
  EXPECT_EQ(core::RequestItem(L"abc", L"1-3 : for me"), L"abc:   1-3 : for me");
  EXPECT_EQ(core::RequestItem(L"abc", L": x"), L"abc:   : x");
  EXPECT_EQ(core::RequestItem(L"abc", L"  "), L"abc:     ");
}

TEST(RequestText, FillInIsRefusedForEmptyTextAndThePatternAnywhere) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"", true},         {L"#, #-# : Mail Note", true},
      {L"#, #-#", true},   {L"1, #, #-#", true},
      {L"x#, #-#y", true}, {L"#,#-#", false},  // not the exact pattern
      {L"#, #-", false},   {L" ", false},      // blanks pass
      {L"1, 3-5", false},
  };
  for (const auto& [text, refused] : cases)
    EXPECT_EQ(core::IsFillInRefused(text), refused) << "text \"" << text << "\"";
}

TEST(RequestText, NoTriggerIsTheExactStartPrefixOnly) {
  EXPECT_TRUE(core::IsNoTrigger(L"/Trigger Send "));
  EXPECT_FALSE(core::IsNoTrigger(L"/Trigger Send"));
  EXPECT_FALSE(core::IsNoTrigger(L"/trigger Send "));
  EXPECT_FALSE(core::IsNoTrigger(L"/Trigger 1 Send "));
  EXPECT_FALSE(core::IsNoTrigger(kAbc));
}

TEST(RequestText, PrefixOfAChosenTrigger) {
  EXPECT_EQ(core::PrefixFor(L"abc"), kAbc);
  EXPECT_EQ(core::PrefixFor(L"Trigger 1"), L"/Trigger 1 Send ");
  // The answer "Trigger" gives the very prefix that means "no trigger".
  EXPECT_TRUE(core::IsNoTrigger(core::PrefixFor(L"Trigger")));
}

TEST(RequestText, SlotMatchIsCaseSensitiveSubstringOfThePrefix) {
  const std::tuple<const wchar_t*, const wchar_t*, bool> cases[] = {
      {L"abc", L"/abc Send ", true},
      {L"e", L"/abc Send ", true},  // the e of Send
      {L"Send", L"/abc Send ", true},
      {L"ABC", L"/abc Send ", false},
      {L"abcd", L"/abc Send ", false},
      {L"Trigger 2", L"/abc Send ", false},
      {L"Trigger 2", L"/Trigger 2 Send ", true},
      {L"Trigger 1", L"/Trigger Send ", false},
  };
  for (const auto& [caption, prefix, match] : cases)
    EXPECT_EQ(core::SlotMatches(caption, prefix), match)
        << "caption \"" << caption << "\" prefix \"" << prefix << "\"";
}

TEST(RequestText, FindLineCutsThePrefixBeforeItsFirstSend) {
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
      {L"/abc Send ", L"xyz", L"/abc Find xyz"},
      {L"/MySend Send ", L"xyz", L"/MyFind xyz"},
      {L"/abc Send ", L"#, #-# : Mail Note", L"/abc Find #, #-# : Mail Note"},
      {L"/abc Send ", L"1-3 : note", L"/abc Find 1-3 : note"},
      {L"/send Send ", L"x", L"/send Find x"},  // lower-case send is not cut
  };
  for (const auto& [prefix, text, line] : cases)
    EXPECT_EQ(core::FindLine(prefix, text), line) << "prefix \"" << prefix << "\"";
}

TEST(RequestText, CountTextHasNoPaddingAndNo16BitWrap) {
  EXPECT_EQ(core::CountText(0), L"Number of requests: 0");
  EXPECT_EQ(core::CountText(3), L"Number of requests: 3");
  EXPECT_EQ(core::CountText(32768), L"Number of requests: 32768");
}

TEST(RequestText, StoredTriggerIsOneLine) {
  EXPECT_EQ(core::StorableTrigger(L"abc"), L"abc");
  EXPECT_EQ(core::StorableTrigger(L""), L"");
  EXPECT_EQ(core::StorableTrigger(L" a b "), L" a b ");
  EXPECT_EQ(core::StorableTrigger(L"abc\r\ntrig2=evil"), L"abc");
  EXPECT_EQ(core::StorableTrigger(L"abc\ntrig2=evil"), L"abc");
  EXPECT_EQ(core::StorableTrigger(L"\r[other]"), L"");
}

// What the store gives back, which a trigger that could not be stored must match exactly: the
// rule, and the platform's profile read as the slots read the store, both held to each case.
TEST(RequestText, TriggerAsStoredIsWhatTheProfileReadReturns) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"abc", L"abc"},
      {L"  a b\t ", L"a b"},
      {L"\"q\"", L"q"},
      {L" ' q ' ", L" q "},
      {L"\"q'", L"\"q'"},
      {L"\"", L"\""},
      {L"\"\"", L""},
      {L"   ", L""},
      {std::wstring(300, L'k'), std::wstring(254, L'k')},
      {L"\"" + std::wstring(300, L'k') + L"\"", std::wstring(254, L'k')},
  };
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  int row = 0;
  for (const auto& [value, read] : cases) {
    EXPECT_EQ(core::TriggerAsStored(value), read) << value;
    // A file of its own for each row: the platform keeps recently read profiles cached.
    const std::filesystem::path file =
        folder / ("vantor_read_rule_" + std::to_string(++row) + ".ini");
    std::ofstream(file, std::ios::binary)
        << "[triggers]\r\ntrig1=" << std::string(value.begin(), value.end()) << "\r\n";
    EXPECT_EQ(skarnel_aol6::ReadProfileString(L"triggers", L"trig1", file.wstring()), read)
        << value;
    std::filesystem::remove(file);
  }
}

}  // namespace
