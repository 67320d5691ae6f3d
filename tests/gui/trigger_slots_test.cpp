// The four trigger slots, their store c:\triggers.ini and the clear items of the menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/vantor_fixture.h"

namespace {

using testing_support::MsgBoxEntry;
using testing_support::TriggerStoreGuard;

const std::wstring kPrompt = L"Enter a Trigger. ex: From (/Trigger Send) just enter \"Trigger\"";
const std::wstring kNotFound = MsgBoxEntry(48, L"Trigger incorrect or not found!");

class TriggerSlots : public testing_support::VantorApp {
 protected:
  std::wstring Prefix() { return head().Label12.Caption(); }
  // The colours of the four slots as one text, "P" lit and "-" at rest: "P---".
  std::wstring Lights() {
    std::wstring out;
    for (int s = 1; s <= 4; ++s) {
      const COLORREF c = Slot(s).ForeColor();
      out += c == ui::kPressedColor ? L'P' : c == ui::kRestColor ? L'-' : L'?';
    }
    return out;
  }
  static std::wstring Placeholder(int slot) { return L"Trigger " + std::to_wstring(slot); }
  static std::string Stored() { return TriggerStoreGuard::Read().value_or("<no file>"); }
};

TEST_F(TriggerSlots, PanelOpensWithPlaceholdersAndNoTriggerEvenWhenTheStoreHoldsKeys) {
  TriggerStoreGuard::Write("[triggers]\r\ntrig1=old\r\n");
  FreshPanels();
  for (int s = 1; s <= 4; ++s) EXPECT_EQ(Slot(s).Caption(), Placeholder(s));
  EXPECT_EQ(Lights(), L"----");
  EXPECT_EQ(Prefix(), L"/Trigger Send ");

  // A new run asks again, and the answer replaces what the earlier run stored.
  effects.QueueAnswer(L"new");
  ClickSlot(1);
  EXPECT_EQ(effects.log,
            (std::vector<std::wstring>{L"sound:press", L"prompt:Trigger for Slot 1.:" + kPrompt}));
  EXPECT_EQ(Slot(1).Caption(), L"new");
  EXPECT_EQ(Stored(), "[triggers]\r\ntrig1=new\r\n");
}

TEST_F(TriggerSlots, FirstClickOnEachSlotPromptsStoresAndLightsOnlyThatSlot) {
  TriggerStoreGuard::Remove();
  // Stored as ANSI bytes in code page 1252 and read back unchanged.
  const wchar_t* answers[] = {L"abc", L"vault", L"caf\u00e9 x", L"MySend"};
  const char* bytes[] = {"abc", "vault", "caf\xE9 x", "MySend"};
  const wchar_t* lights[] = {L"P---", L"-P--", L"--P-", L"---P"};
  std::string file = "[triggers]\r\n";
  for (int s = 1; s <= 4; ++s) {
    SCOPED_TRACE(testing::Message() << "slot " << s);
    effects.Clear();
    effects.QueueAnswer(answers[s - 1]);
    ClickSlot(s);
    EXPECT_EQ(effects.log, (std::vector<std::wstring>{L"sound:press", L"prompt:Trigger for Slot " +
                                                                          std::to_wstring(s) +
                                                                          L".:" + kPrompt}));
    EXPECT_EQ(Slot(s).Caption(), answers[s - 1]);
    EXPECT_EQ(Lights(), lights[s - 1]);
    EXPECT_EQ(Prefix(), L"/" + std::wstring(answers[s - 1]) + L" Send ");
    file += "trig" + std::to_string(s) + "=" + bytes[s - 1] + "\r\n";
    EXPECT_EQ(Stored(), file);
  }
}

TEST_F(TriggerSlots, ClickOnADefinedSlotRereadsTheStoreWithoutPrompting) {
  ChooseTrigger(1, L"abc");
  ChooseTrigger(2, L"def");
  TriggerStoreGuard::Write("[triggers]\r\ntrig1=xyz\r\ntrig2=def\r\n");
  effects.Clear();
  ClickSlot(1);
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  EXPECT_EQ(Slot(1).Caption(), L"xyz");
  EXPECT_EQ(Lights(), L"P---");
  EXPECT_EQ(Prefix(), L"/xyz Send ");
}

// Cancel, an empty answer, and a defined slot whose key has gone: the same outcome on the panel.
TEST_F(TriggerSlots, NothingStoredEndsInTheMessageAndKeepsThePreviousPrefix) {
  struct Case {
    const char* name;
    std::optional<std::wstring> answer;
    bool defineFirst;  // slot 1 shows "gone" whose key is then removed from the file
    std::string fileAfter;
  };
  const Case cases[] = {
      {"cancel", std::nullopt, false, "[triggers]\r\ntrig2=def\r\n"},
      {"empty", L"", false, "[triggers]\r\ntrig2=def\r\ntrig1=\r\n"},
      {"key gone", std::nullopt, true, "[triggers]\r\ntrig2=def\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FreshPanels();
    TriggerStoreGuard::Remove();
    if (c.defineFirst) ChooseTrigger(1, L"gone");
    ChooseTrigger(2, L"def");
    if (c.defineFirst) TriggerStoreGuard::Write("[triggers]\r\ntrig2=def\r\n");
    effects.Clear();
    if (c.answer) effects.QueueAnswer(*c.answer);
    ClickSlot(1);

    std::vector<std::wstring> expected = {L"sound:press"};
    if (!c.defineFirst) expected.push_back(L"prompt:Trigger for Slot 1.:" + kPrompt);
    expected.push_back(kNotFound);
    EXPECT_EQ(effects.log, expected);
    EXPECT_EQ(Slot(1).Caption(), c.defineFirst ? L"gone" : L"Trigger 1");
    EXPECT_EQ(Lights(), L"----");
    EXPECT_EQ(Prefix(), L"/def Send ");
    EXPECT_EQ(Stored(), c.fileAfter);
  }
}

TEST_F(TriggerSlots, TheSlotsOwnPlaceholderAsTriggerLeavesTheSlotAskingAgain) {
  ChooseTrigger(1, L"Trigger 1");
  EXPECT_EQ(Prefix(), L"/Trigger 1 Send ");
  effects.Clear();
  effects.QueueAnswer(L"abc");
  ClickSlot(1);
  EXPECT_EQ(effects.log,
            (std::vector<std::wstring>{L"sound:press", L"prompt:Trigger for Slot 1.:" + kPrompt}));
  EXPECT_EQ(Slot(1).Caption(), L"abc");
}

TEST_F(TriggerSlots, AStoredValueLongerThan254ComesBackCut) {
  const std::wstring typed(300, L'k');
  effects.QueueAnswer(typed);
  ClickSlot(1);
  const std::wstring cut(254, L'k');
  EXPECT_EQ(Slot(1).Caption(), cut);
  EXPECT_EQ(Prefix(), L"/" + cut + L" Send ");
  EXPECT_NE(Stored().find("trig1=" + std::string(300, 'k') + "\r\n"), std::string::npos);
}

TEST_F(TriggerSlots, AnAnswerWithALineBreakStoresOnlyItsFirstLine) {
  TriggerStoreGuard::Remove();
  effects.QueueAnswer(L"abc\r\n[triggers]\r\ntrig2=evil");
  ClickSlot(1);
  EXPECT_EQ(Stored(), "[triggers]\r\ntrig1=abc\r\n");
  EXPECT_EQ(Slot(1).Caption(), L"abc");
  EXPECT_EQ(Prefix(), L"/abc Send ");
}

// The store cannot be written while it may still be read: another handle holds the file, or a
// folder stands at its path. A typed trigger is used for the run, exactly as a stored one would
// be, and the user is told why it was not saved; Cancel and an empty answer end in the usual
// message. What the file still holds, an older trigger here, is never taken, and stays as it was.
// (A read-only file cannot stand for this here: the tests run as root, which writes it anyway.)
TEST_F(TriggerSlots, AStoreThatCannotBeWrittenUsesTheTypedTriggerAndSaysWhy) {
  const std::string older = "[triggers]\r\ntrig1=old\r\n";
  struct Store {
    const char* name;
    DWORD access, share;  // of the other handle; 0, 0: a folder instead of the file
  };
  const Store stores[] = {
      {"held open without sharing", GENERIC_READ | GENERIC_WRITE, 0},
      {"held open for reading only", GENERIC_READ, FILE_SHARE_READ},
      {"a folder in its place", 0, 0},
  };
  struct Answer {
    std::optional<std::wstring> typed;
    std::wstring shown;  // empty: refused with the usual message
  };
  const Answer answers[] = {
      {L"abc", L"abc"},
      // As the store would have given it back: no blanks around it, no quotes.
      {L"  \"new one\"  ", L"new one"},
      {std::nullopt, L""},
      {L"", L""},
      {L"   ", L""},
  };
  const std::wstring notSaved =
      MsgBoxEntry(48, L"The trigger could not be saved in c:\\triggers.ini: ");
  for (const Store& store : stores) {
    for (const Answer& answer : answers) {
      SCOPED_TRACE(testing::Message()
                   << store.name << ", answer " << answer.typed.value_or(L"(cancel)"));
      FreshPanels();
      HANDLE held = nullptr;
      if (store.access) {
        TriggerStoreGuard::Write(older);
        held = CreateFileA(TriggerStoreGuard::kPath, store.access, store.share, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
      } else {
        TriggerStoreGuard::Remove();
        ASSERT_TRUE(CreateDirectoryA(TriggerStoreGuard::kPath, nullptr));
        TriggerStoreGuard::DropProfileCache();
      }
      effects.Clear();
      if (answer.typed) effects.QueueAnswer(*answer.typed);
      ClickSlot(1);
      if (held) CloseHandle(held);

      const std::vector<std::wstring> messages = effects.Messages();
      ASSERT_EQ(messages.size(), 1u);
      if (answer.shown.empty()) {
        EXPECT_EQ(messages[0], kNotFound);
        EXPECT_EQ(Slot(1).Caption(), L"Trigger 1");
        EXPECT_EQ(Lights(), L"----");
        EXPECT_EQ(Prefix(), L"/Trigger Send ");
      } else {
        // The reason follows in the system's words.
        EXPECT_EQ(messages[0].rfind(notSaved, 0), 0u) << messages[0];
        EXPECT_GT(messages[0].find(L"\r\n"), notSaved.size() + 3) << messages[0];
        EXPECT_EQ(Slot(1).Caption(), answer.shown);
        EXPECT_EQ(Lights(), L"P---");
        EXPECT_EQ(Prefix(), L"/" + answer.shown + L" Send ");
      }
      if (store.access) {
        EXPECT_EQ(Stored(), older);
      }
      TriggerStoreGuard::Remove();
    }
  }
}

TEST_F(TriggerSlots, AStoreOfBinaryGarbageStillTakesTheTrigger) {
  std::string garbage;
  for (int i = 0; i < 512; ++i) garbage += static_cast<char>((i * 73 + 11) & 0xFF);
  TriggerStoreGuard::Write(garbage);
  effects.QueueAnswer(L"abc");
  ClickSlot(1);
  EXPECT_TRUE(effects.Messages().empty());
  EXPECT_EQ(Slot(1).Caption(), L"abc");
  EXPECT_EQ(Prefix(), L"/abc Send ");
  // A defined slot re-reads the same key from the rewritten file.
  effects.Clear();
  ClickSlot(1);
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  EXPECT_EQ(Slot(1).Caption(), L"abc");
}

// --- clearing ---

TEST_F(TriggerSlots, ClearingAnUnlitSlotKeepsThePrefixAndTheLitSlot) {
  ChooseTrigger(2, L"def");
  ChooseTrigger(1, L"abc");
  effects.Clear();
  ui::App().menu.clrt2_Click();
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  EXPECT_EQ(Slot(2).Caption(), L"Trigger 2");
  EXPECT_EQ(Slot(1).Caption(), L"abc");
  EXPECT_EQ(Lights(), L"P---");
  EXPECT_EQ(Prefix(), L"/abc Send ");
}

TEST_F(TriggerSlots, ClearingTheLitSlotsOfEachRowResetsPrefixAndColour) {
  for (int s = 1; s <= 4; ++s) {
    SCOPED_TRACE(testing::Message() << "slot " << s);
    ChooseTrigger(s, L"t" + std::to_wstring(s));
    switch (s) {
      case 1:
        ui::App().menu.clrt1_Click();
        break;
      case 2:
        ui::App().menu.clrt2_Click();
        break;
      case 3:
        ui::App().menu.clrt3_Click();
        break;
      case 4:
        ui::App().menu.clrt4_Click();
        break;
    }
    EXPECT_EQ(Slot(s).Caption(), Placeholder(s));
    EXPECT_EQ(Lights(), L"----");
    EXPECT_EQ(Prefix(), L"/Trigger Send ");
  }
  // The store is not touched by clearing.
  EXPECT_EQ(Stored(), "[triggers]\r\ntrig1=t1\r\ntrig2=t2\r\ntrig3=t3\r\ntrig4=t4\r\n");
}

TEST_F(TriggerSlots, AfterAFailedClickClearingTheOldSlotKeepsItsTriggerInThePrefix) {
  ChooseTrigger(1, L"abc");
  ClickSlot(2);  // prompt cancelled
  ui::App().menu.clrt1_Click();
  EXPECT_EQ(Slot(1).Caption(), L"Trigger 1");
  EXPECT_EQ(Lights(), L"----");
  EXPECT_EQ(Prefix(), L"/abc Send ");
}

TEST_F(TriggerSlots, ClearAllEmptiesEverySlotButKeepsTheLitColour) {
  ChooseTrigger(1, L"a");
  ChooseTrigger(2, L"b");
  ChooseTrigger(3, L"c");
  effects.Clear();
  ui::App().menu.clrall_Click();
  EXPECT_EQ(effects.log, std::vector<std::wstring>{L"sound:press"});
  for (int s = 1; s <= 4; ++s) EXPECT_EQ(Slot(s).Caption(), Placeholder(s));
  EXPECT_EQ(Lights(), L"--P-");
  EXPECT_EQ(Prefix(), L"/Trigger Send ");

  // With no slot lit, Clear All leaves the prefix alone.
  ChooseTrigger(4, L"d");
  ClickSlot(1);  // cancelled: nothing lit, prefix still d
  ui::App().menu.clrall_Click();
  EXPECT_EQ(Prefix(), L"/d Send ");
}

}  // namespace
