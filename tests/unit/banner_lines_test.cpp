// The banner lines as the room receives them: every byte matters, since the room's HTML reader
// shows exactly what it is given.
#include "core/banner_lines.h"

#include <gtest/gtest.h>

#include <string>

#include "aol/ansi.h"
#include "tests/support/banners.h"

namespace {

// The room's bytes read back under its code page: the glyph is U+0161 again.
const std::wstring kHead = aol::FromAnsi(testing_support::kBannerHead);
const std::wstring kAnchor = aol::FromAnsi(testing_support::kBannerAnchor);

struct FixedLine {
  const char* name;
  std::wstring line;
  std::wstring expected;
};

TEST(BannerLines, FixedLinesAreByteForByte) {
  const FixedLine cases[] = {
      {"Signature", core::SignatureLine(),
       kHead + L"Copperplate Gothic Bold\"><I>Vantor v 2.0</I> by: Skarnel"},
      {"Unloaded", core::UnloadedLine(),
       kHead + L"Copperplate Gothic Bold\"><I>Vantor v 2.0</I> Unloaded"},
      {"Link", core::LinkLine(),
       kHead + L"Arial Narrow\"><B>G</B>et <B>I</B>t <B>H</B>ere: " + kAnchor},
      {"Back", core::BackLine(),
       kHead + L"Arial Narrow\">Im Back! <B>G</B>et <B>I</B>t <B>H</B>ere: " + kAnchor},
      {"Count 0", core::CountLine(0),
       kHead + L"Arial Narrow\">Viewing Request List of 0 requests."},
      {"Count 32767", core::CountLine(32767),
       kHead + L"Arial Narrow\">Viewing Request List of 32767 requests."},
      {"Adding", core::AddingLine(L"5"),
       kHead + L"Arial Narrow\"><B>V</B>antor adding 5 mails to DL Manager..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.line, c.expected);
    // One glyph, right after the Webdings tag; no line break; no FONT tag ever closed.
    EXPECT_EQ(c.line.find(L'\u0161'), c.line.rfind(L'\u0161'));
    EXPECT_EQ(c.line.find_first_of(L"\r\n"), std::wstring::npos);
    EXPECT_EQ(c.line.find(L"</FONT"), std::wstring::npos);
  }
}

TEST(BannerLines, BannerLineJoinsHeadFaceAndBodyVerbatim) {
  EXPECT_EQ(core::BannerLine(L"Face", L""), kHead + L"Face\">");
  // The body is not escaped or trimmed: what the caller built is what the room gets.
  EXPECT_EQ(core::BannerLine(L"F", L" <x> \"q\" "), kHead + L"F\"> <x> \"q\" ");
}

TEST(BannerLines, GlyphBecomesOneByteUnderTheRoomsCodePage) {
  const std::string bytes = aol::ToAnsi(core::SignatureLine());
  ASSERT_EQ(bytes.size(), core::SignatureLine().size());
  const std::string& head = testing_support::kBannerHead;
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  // Every other character of every fixed line is plain ASCII.
  for (const auto& line : {core::SignatureLine(), core::UnloadedLine(), core::LinkLine(),
                           core::BackLine(), core::CountLine(12), core::AddingLine(L"3")}) {
    const std::string ansi = aol::ToAnsi(line);
    int high = 0;
    for (unsigned char c : ansi) high += c >= 0x80;
    EXPECT_EQ(high, 1) << ansi;
  }
}

}  // namespace
