// The DL Tool, from outside: opening it lists the mailbox's mails, numbered; a run hands a range
// of mails to the Download Manager one after another, announces itself in the room and, with
// " Keep Mail As New" ticked, marks the range as new again; Stop ends a run after the mail in
// hand; the checks refuse a run before anything reaches AOL. Speed 1 and small ranges keep it
// short. One vantor.exe and one aol7sim.exe serve the file.
#include <gtest/gtest.h>

#include "tests/acceptance/lines.h"
#include "tests/support/wait.h"

namespace acceptance {
namespace {

constexpr wchar_t kDone[] = L"Mails have been added to DL Manager.";
constexpr DWORD kRunMs = 40000;

class DlTool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Below the eight mails, one whose subject holds the byte 0x9A (U+0161 in code page 1252)
    // and one too long for a 255-character buffer.
    pair = new Pair(L"--mails 8 --no-server --mail \"Vault \u0161 17: the bay\" --mail " +
                    std::wstring(300, L'L'));
    if (pair->Start()) {
      // The opening presses the toolbar's mailbox icon and lists the mails 4 seconds later.
      testing_support::ClickLabel(V().Control(kHeadTitle, L"DL Tool"),
                                  testing_support::Delivery::Post);
      opened = V().WaitPanelVisible(kDlTitle) && V().WaitDlListed(S());
    }
  }
  static void TearDownTestSuite() {
    delete pair;
    pair = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(pair->ok) << pair->failure;
    ASSERT_TRUE(opened) << "the DL Tool did not open with the mailbox's list";
  }

  static Vantor& V() { return pair->vantor; }
  static Sim& S() { return *pair->sim; }

  // Starts a run with Add and returns what the closing message says.
  static std::wstring Run(const wchar_t* first, const wchar_t* last, const wchar_t* speed,
                          bool keepAsNew, DWORD timeoutMs = kRunMs) {
    V().FillDl(first, last, speed);
    V().SetKeepAsNew(keepAsNew);
    testing_support::ClickLabel(V().Control(kDlTitle, L"Add"), testing_support::Delivery::Post);
    return V().AnswerMessage(timeoutMs);
  }
  static std::vector<int> QueuedSince(size_t mark) {
    std::vector<int> numbers;
    for (const std::string& n : TextsOf(S().Since(mark), "queued", "download manager"))
      numbers.push_back(std::stoi(n));
    return numbers;
  }

  static inline Pair* pair = nullptr;
  static inline bool opened = false;
};

TEST_F(DlTool, OpeningListsTheMailboxNumberedWithTheBoxesAtTheirStart) {
  EXPECT_TRUE(V().WaitPanelAlone(kDlTitle));
  const auto mails = S().State().mails;
  ASSERT_EQ(mails.size(), 10u);
  EXPECT_EQ(mails[8], "Vault \x9A 17: the bay");
  EXPECT_EQ(mails[9], std::string(300, 'L'));
  // Line by line, whole: the number, a colon, two blanks and the subject as the client holds it.
  std::vector<std::wstring> expected;
  for (size_t i = 0; i < mails.size(); ++i) {
    std::wstring subject(mails[i].size(), L'\0');
    MultiByteToWideChar(1252, 0, mails[i].data(), static_cast<int>(mails[i].size()), subject.data(),
                        static_cast<int>(subject.size()));
    expected.push_back(std::to_wstring(i + 1) + L":  " + subject);
  }
  EXPECT_EQ(V().DlList(), expected);
  EXPECT_EQ(V().DlCounter(), L"0");
  EXPECT_EQ(testing_support::GetText(V().Control(kDlTitle, nullptr, L"ComboBox")), L"Speed");
  EXPECT_EQ(testing_support::GetText(V().ControlAt(kDlTitle, 120, 360)), L"#");
}

TEST_F(DlTool, ARunHandsTheRangeToTheDownloadManager) {
  const size_t mark = S().Mark();
  EXPECT_EQ(Run(L"2", L"3", L"1", false), kDone);
  EXPECT_EQ(QueuedSince(mark), (std::vector<int>{2, 3}));
  EXPECT_EQ(Kinds(S().SaidSince(mark)), (Lines{"signature", "adding 2", "link"}));
  const auto journal = S().Since(mark);
  // The plain ending: the mail and the mailbox closed, one press of "Keep As New" only.
  EXPECT_EQ(TextsOf(journal, "press", "mailbox.icon3").size(), 1u);
  EXPECT_EQ(TextsOf(journal, "close", "mailbox").size(), 1u);
  EXPECT_EQ(V().DlCounter(), L"0");
  EXPECT_TRUE(V().Responsive());
}

TEST_F(DlTool, KeepAsNewMarksEveryMailOfTheRangeAgain) {
  const size_t mark = S().Mark();
  EXPECT_EQ(Run(L"4", L"5", L"1", true), kDone);
  EXPECT_EQ(QueuedSince(mark), (std::vector<int>{4, 5}));
  const auto journal = S().Since(mark);
  // Once after the mail closed, then once for each mail of the range.
  EXPECT_EQ(TextsOf(journal, "press", "mailbox.icon3").size(), 3u);
  const auto marked = TextsOf(journal, "marknew", "mailbox");
  EXPECT_NE(std::find(marked.begin(), marked.end(), "4"), marked.end());
  EXPECT_NE(std::find(marked.begin(), marked.end(), "5"), marked.end());
  V().SetKeepAsNew(false);
}

TEST_F(DlTool, StopEndsTheRunAfterTheMailInHand) {
  const size_t mark = S().Mark();
  V().FillDl(L"1", L"6", L"1");
  testing_support::ClickLabel(V().Control(kDlTitle, L"Add"), testing_support::Delivery::Post);
  ASSERT_TRUE(testing_support::WaitUntil(
      "the counter to reach 5", [] { return V().DlCounter() == L"5"; },
      [] { return testing_support::Shown(V().DlCounter()); }, kRunMs));
  ASSERT_TRUE(V().Click(kDlTitle, L"Stop"));
  EXPECT_EQ(V().AnswerMessage(kRunMs), kDone);
  const auto queued = QueuedSince(mark);
  EXPECT_GE(queued.size(), 1u);
  EXPECT_LE(queued.size(), 2u);
  EXPECT_EQ(V().DlCounter(), L"0");
}

TEST_F(DlTool, ChecksRefuseARunBeforeAnythingReachesTheClient) {
  struct Case {
    const wchar_t *first, *last, *speed;
    const wchar_t* message;
  };
  const Case cases[] = {
      {L"3", L"3", L"1", L"(icon) Stop playin with yourself!"},
      {L"5", L"2", L"1", L"(icon) Stop playin with yourself!"},
      {L"#", L"3", L"1", L"(icon) Only #'s NO letters or punctuations"},
      {L"1", L"", L"1", L"(icon) Only #'s NO letters or punctuations"},
      {L"1", L"3", L"Speed", L"(icon) Must select a speed to move through mails."},
      {L"1", L"3", L"", L"(icon) Must select a speed to move through mails."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.message));
    const size_t mark = S().Mark();
    EXPECT_EQ(Run(c.first, c.last, c.speed, false, 5000), c.message);
    EXPECT_EQ(V().DlCounter(), L"0");
    testing_support::PumpFor(100);
    EXPECT_TRUE(S().Since(mark).empty());
  }
}

TEST_F(DlTool, AFirstMailBeyondTheMailboxIsRefusedOnceTheMailboxIsOpen) {
  const size_t mark = S().Mark();
  EXPECT_EQ(Run(L"11", L"14", L"1", false), L"Not enough mails in the mail box!");
  EXPECT_EQ(V().DlCounter(), L"0");
  EXPECT_TRUE(QueuedSince(mark).empty());
  EXPECT_EQ(Kinds(S().SaidSince(mark)), (Lines{"signature", "adding 4", "link"}));
}

TEST_F(DlTool, ReturnBringsTheMainPanelBackAndTheBoxesKeepTheirValues) {
  V().FillDl(L"2", L"7", L"1.5");
  ASSERT_TRUE(V().Click(kDlTitle, L"Return"));
  EXPECT_TRUE(V().PanelVisible(kHeadTitle));
  EXPECT_FALSE(V().PanelVisible(kDlTitle));
  testing_support::ClickLabel(V().Control(kHeadTitle, L"DL Tool"), testing_support::Delivery::Post);
  ASSERT_TRUE(V().WaitPanelVisible(kDlTitle));
  // Cleared at once and filled anew after the opening's pause, never doubled.
  ASSERT_TRUE(testing_support::WaitUntil(
      "the DL Tool's list to be cleared", [] { return V().DlList().empty(); },
      [] { return testing_support::Shown(V().DlList()); }));
  ASSERT_TRUE(V().WaitDlListed(S()));
  EXPECT_EQ(testing_support::GetText(V().ControlAt(kDlTitle, 1560, 360)), L"7");
  EXPECT_EQ(testing_support::GetText(V().Control(kDlTitle, nullptr, L"ComboBox")), L"1.5");
}

}  // namespace
}  // namespace acceptance
