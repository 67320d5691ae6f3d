// Input at its limits and odd input, from outside: the request box and triggers that are
// blank, long, or hold characters outside code page 1252 or the profile file's own signs; the
// DL Tool's boxes with numbers that are no numbers to it; and a trigger store that is missing,
// read-only, held by another program, garbage or a directory. Each gets the program's message or
// goes through as typed; nothing crashes, and the store keeps what it held.
#include <gtest/gtest.h>

#include <functional>

#include "tests/acceptance/lines.h"
#include "tests/acceptance/shared_pair.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

using testing_support::GetText;

constexpr wchar_t kTriggerRefused[] = L"(icon) Trigger incorrect or not found!";
constexpr wchar_t kTriggerNotSaved[] =
    L"(icon) The trigger could not be saved in c:\\triggers.ini: ";

class BadInput : public SharedPairTest<BadInput> {
 public:
  static constexpr const wchar_t* kSwitches = L"--no-server --mails 4";

 protected:
  void TearDown() override {
    for (const wchar_t* title : {kListTitle, kDlTitle})
      if (V().PanelVisible(title)) V().Click(title, L"Return");
  }

  // Sends `text` with the Send button; the line typed into the room (empty when none came).
  static std::string SendAndRead(const std::wstring& text) {
    const size_t mark = S().Mark();
    V().TypeRequest(text);
    V().Click(kHeadTitle, L"Send");
    std::vector<std::string> typed;
    testing_support::WaitUntil(
        [&] { return !(typed = TextsOf(S().Since(mark), "settext", "chat.input")).empty(); }, 3000);
    return typed.empty() ? "" : typed.front();
  }

  // Clicks an empty slot 2 and answers its prompt with `answer`; the message shown, if any.
  static std::wstring DefineSlot2(const std::wstring& answer) {
    V().ChooseMenu(MenuItem::ClearAll);
    HWND prompt = V().ClickForDialog(V().Slot(2));
    if (!prompt || !testing_support::AnswerPrompt(prompt, answer)) return L"(no prompt)";
    return V().AnswerMessage(500);
  }
};

std::wstring Repeat(const std::wstring& unit, size_t length) {
  std::wstring text;
  while (text.size() < length) text += unit;
  return text.substr(0, length);
}

TEST_F(BadInput, RequestBoxAtItsLimitsIsTypedAsItStands) {
  ASSERT_TRUE(V().UseTrigger(1, L"vault"));
  const std::wstring cases[] = {
      L"   ",
      Repeat(L"12, ", 254),
      Repeat(L"3-4, ", 1000),
      // Outside code page 1252 the client gets what the system's conversion makes of it; the
      // euro sign is in it (0x80).
      L"1-3 \u263A \u6F22\u5B57 \u20AC",
  };
  for (const std::wstring& text : cases) {
    SCOPED_TRACE(text.size());
    const size_t items = V().RequestList().size();
    EXPECT_EQ(SendAndRead(text), "/vault Send " + Ansi(text));
    ASSERT_EQ(V().RequestList().size(), items + 1);
    EXPECT_EQ(V().RequestList().back(), L"vault:   " + text);
    EXPECT_FALSE(V().WaitDialog(0));
  }
  EXPECT_EQ(Ansi(L"\u20AC"), "\x80");
}

TEST_F(BadInput, TriggersAtTheirLimitsAndWithTheStoresOwnSigns) {
  store::Write("[triggers]\r\ntrig4=keep\r\n");
  struct Case {
    std::wstring answer;
    std::wstring shown;  // the slot's caption afterwards; empty: refused with the message
  };
  const Case cases[] = {
      {L"", L""},
      {L"   ", L""},
      {Repeat(L"a", 254), Repeat(L"a", 254)},
      // A long answer goes through the prompt and into the store whole; the slot shows what
      // the store gives back (its read rule is held to the platform's read in the unit tests).
      {Repeat(L"b", 1000), Repeat(L"b", 254)},
      {L"a=b", L"a=b"},
      {L"[x]", L"[x]"},
      {L"x]", L"x]"},
      {L"semi;colon", L"semi;colon"},
      {L"\u263A", L"?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.answer.substr(0, 20)));
    const std::wstring message = DefineSlot2(c.answer);
    if (c.shown.empty()) {
      EXPECT_EQ(message, kTriggerRefused);
      EXPECT_EQ(GetText(V().Slot(2)), L"Trigger 2");
    } else {
      EXPECT_EQ(message, L"");
      EXPECT_EQ(GetText(V().Slot(2)), c.shown);
      EXPECT_EQ(SendAndRead(L"1"), "/" + Ansi(c.shown) + " Send 1");
    }
    // The store is still one section with the other slot's key intact.
    const std::string stored = store::Read().value_or("");
    EXPECT_EQ(stored.find("[triggers]"), stored.rfind("[triggers]"));
    EXPECT_NE(stored.find("trig4=keep"), std::string::npos) << stored;
  }
  EXPECT_TRUE(V().Responsive());
}

TEST_F(BadInput, DlToolBoxesWithNumbersThatAreNoNumbers) {
  testing_support::ClickLabel(V().Control(kHeadTitle, L"DL Tool"), testing_support::Delivery::Post);
  ASSERT_TRUE(V().WaitPanelVisible(kDlTitle));
  ASSERT_TRUE(V().WaitDlListed(S()));
  constexpr wchar_t kNotANumber[] = L"(icon) Only #'s NO letters or punctuations";
  struct Case {
    const wchar_t *first, *last;
    const wchar_t* message;
  };
  const Case cases[] = {
      {L"99999999999", L"3", kNotANumber},  // beyond a 32-bit mail number
      {L"1", L"99999999999999999999", kNotANumber},
      {L"1e3", L"2000", kNotANumber},     // exponent
      {L"0x1", L"3", kNotANumber},        // hexadecimal
      {L"1,000", L"2,000", kNotANumber},  // thousands separators
      {L"1", L"3x", kNotANumber},
      {L"3", L"-5", L"(icon) Stop playin with yourself!"},  // negative: a number, but no range
      {L"-2.5", L"-3", L"(icon) Stop playin with yourself!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(std::wstring(c.first) + L" .. " + c.last));
    const size_t mark = S().Mark();
    V().FillDl(c.first, c.last, L"1");
    testing_support::ClickLabel(V().Control(kDlTitle, L"Add"), testing_support::Delivery::Post);
    EXPECT_EQ(V().AnswerMessage(), c.message);
    EXPECT_EQ(V().DlCounter(), L"0");
    testing_support::PumpFor(100);
    EXPECT_TRUE(S().Since(mark).empty());
  }
  // A speed that is no number passes the checks and ends the run where it is first used: after
  // the first mail was opened, before anything reached the Download Manager.
  const size_t mark = S().Mark();
  V().FillDl(L"1", L"2", L"0x1");
  testing_support::ClickLabel(V().Control(kDlTitle, L"Add"), testing_support::Delivery::Post);
  EXPECT_EQ(V().AnswerMessage(30000), kNotANumber);
  EXPECT_EQ(V().DlCounter(), L"0");
  EXPECT_TRUE(TextsOf(S().Since(mark), "queued", "download manager").empty());
  EXPECT_TRUE(V().Responsive());
}

// The store itself in a bad state; slot 1 is defined with "vault" on each.
class BadStore : public BadInput {};

TEST_F(BadStore, MissingReadOnlyGarbageOrADirectory) {
  // Missing: the first definition creates it.
  store::Remove();
  V().ChooseMenu(MenuItem::ClearAll);
  ASSERT_TRUE(V().ChooseTrigger(1, L"vault"));
  EXPECT_NE(store::Read().value_or("").find("trig1=vault"), std::string::npos);

  // The store cannot be written, while it may still be read: a folder stands at its path,
  // another program holds the file open for reading only with an older trigger inside, or the
  // file is read-only. The typed trigger is used for the run and the user is told why it was not
  // saved; what stands at the path stays as it was.
  const std::string older = "[triggers]\r\ntrig1=old\r\n";
  struct Case {
    const char* name;
    std::function<HANDLE()> prepare;  // a handle to close afterwards, or nullptr
    std::optional<std::string> kept;  // the file's bytes, which stay
  };
  const Case cases[] = {
      {"a folder",
       [] { return CreateDirectoryW(store::kPath, nullptr) ? nullptr : INVALID_HANDLE_VALUE; },
       std::nullopt},
      {"held for reading",
       [&] {
         store::Write(older);
         return CreateFileW(store::kPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
       },
       older},
      {"read-only",
       [&] {
         store::Write(older);
         return SetFileAttributesW(store::kPath, FILE_ATTRIBUTE_READONLY) ? nullptr
                                                                          : INVALID_HANDLE_VALUE;
       },
       older},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store::Remove();
    const HANDLE held = c.prepare();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    V().ChooseMenu(MenuItem::ClearAll);
    HWND prompt = V().ClickForDialog(V().Slot(1));
    ASSERT_TRUE(prompt && testing_support::AnswerPrompt(prompt, L"vault"));
    const std::wstring message = V().AnswerMessage(1000);
    EXPECT_EQ(GetText(V().Slot(1)), L"vault");
    EXPECT_EQ(SendAndRead(L"1"), "/vault Send 1");
    if (held) CloseHandle(held);
    if (store::Read() == c.kept) {
      EXPECT_EQ(message.rfind(kTriggerNotSaved, 0), 0u) << Narrow(message);
    } else {
      // Wine run as root writes through the read-only flag: then the trigger is stored, and the
      // other keys are still there.
      EXPECT_EQ(c.name, std::string("read-only"));
      EXPECT_EQ(message, L"");
      EXPECT_NE(store::Read().value_or("").find("trig1=vault"), std::string::npos);
    }
    if (!c.kept) {
      EXPECT_TRUE(GetFileAttributesW(store::kPath) & FILE_ATTRIBUTE_DIRECTORY);
    }
    EXPECT_TRUE(V().Responsive());
  }

  // Binary garbage: Vantor neither crashes nor hangs; the slot takes the trigger or refuses.
  std::string garbage;
  unsigned seed = 12345;
  for (int i = 0; i < 600; ++i) {
    seed = seed * 1103515245u + 12345u;
    garbage += static_cast<char>((seed >> 16) & 0xFF);
  }
  store::Write(garbage);
  V().ChooseMenu(MenuItem::ClearAll);
  HWND prompt = V().ClickForDialog(V().Slot(1));
  ASSERT_TRUE(prompt && testing_support::AnswerPrompt(prompt, L"vault"));
  const std::wstring garbageMessage = V().AnswerMessage(1000);
  EXPECT_TRUE(V().Running());
  EXPECT_TRUE(V().Responsive());
  if (garbageMessage.empty())
    EXPECT_EQ(GetText(V().Slot(1)), L"vault");
  else
    EXPECT_EQ(garbageMessage, kTriggerRefused);
}

}  // namespace
}  // namespace acceptance
