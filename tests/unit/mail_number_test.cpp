#include "dltool/mail_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct NumberCase {
  const wchar_t* text;
  std::optional<int> mail;
};

TEST(MailNumber, ReadsDecimalTextRoundedDown) {
  const NumberCase cases[] = {
      {L"3", 3},
      {L" 3 ", 3},
      {L"\t7\t", 7},
      {L"+4", 4},
      {L"-4", -4},
      {L"0", 0},
      {L"-0", 0},
      {L"2.9", 2},
      {L"5.1", 5},
      {L"-0.5", -1},
      {L"-2.0", -2},  // a zero fraction is no fraction
      {L"-2.001", -3},
      {L".5", 0},
      {L"5.", 5},
      {L"007", 7},
      {L"2147483647", 2147483647},
      {L"2147483647.99", 2147483647},
      {L"-2147483648", -2147483647 - 1},
      {L"99999999999999999999999999", std::nullopt},  // far beyond: must not wrap around
      {L"2147483648", std::nullopt},
      {L"-2147483648.5", std::nullopt},  // rounds down to one below the smallest
      {L"-2147483649", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(dltool::ReadMailNumber(c.text), c.mail) << c.text;
}

TEST(MailNumber, RefusesAnythingButPlainDecimals) {
  const wchar_t* refused[] = {
      L"",     L" ",     L"#",     L"abc", L"3a",    L"a3",   L"1e3",  L"1E3",    L"0x10",
      L"&H10", L"1,000", L"1 000", L"+",   L"-",     L".",    L"+.",   L"--1",    L"+-1",
      L"- 1",  L"1.2.3", L"inf",   L"nan", L"Speed", L"fast", L"1.5s", L"\x0663", /* Arabic-Indic
                                                                                     three */
  };
  for (const wchar_t* text : refused) {
    EXPECT_EQ(dltool::ReadMailNumber(text), std::nullopt) << text;
    EXPECT_EQ(dltool::ReadSpeed(text), std::nullopt) << text;
  }
}

TEST(MailNumber, SpeedKeepsItsFraction) {
  const struct {
    const wchar_t* text;
    double seconds;
  } cases[] = {
      {L"1", 1.0},  {L"1.5", 1.5}, {L" 2.5 ", 2.5}, {L"6", 6.0},   {L".25", 0.25},
      {L"3.", 3.0}, {L"+2", 2.0},  {L"-1.5", -1.5}, {L"0.1", 0.1}, {L"10000000000", 1e10},
  };
  for (const auto& c : cases) {
    auto speed = dltool::ReadSpeed(c.text);
    ASSERT_TRUE(speed.has_value()) << c.text;
    EXPECT_DOUBLE_EQ(*speed, c.seconds) << c.text;
  }
}

}  // namespace
