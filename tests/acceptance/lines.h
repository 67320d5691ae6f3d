#pragma once
// The chat lines Vantor types, as the room receives them (code page 1252), named for tests:
// a banner line becomes "signature", "link", "back", "unloaded", "count N" or "adding N", so a
// test can compare whole banners at a glance; any other line stays as it is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/acceptance/session.h"
#include "tests/support/banners.h"

namespace acceptance {

using Lines = std::vector<std::string>;

// Everything before the body of a banner line: the Webdings glyph (0x9A) in its colour, then
// the face of the body.
inline std::string BannerHead(const std::string& face) {
  return testing_support::kBannerHead + face + "\">";
}

inline bool StartsWith(const std::string& text, const std::string& start) {
  return text.rfind(start, 0) == 0;
}

inline bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The short name of one line.
inline std::string Kind(const std::string& line) {
  const std::string gothic = BannerHead("Copperplate Gothic Bold");
  const std::string narrow = BannerHead("Arial Narrow");
  const std::string anchorEnd = ">Vantor v 2.0</a>";
  if (line == gothic + "<I>Vantor v 2.0</I> by: Skarnel") return "signature";
  if (line == gothic + "<I>Vantor v 2.0</I> Unloaded") return "unloaded";
  if (StartsWith(line, narrow + "<B>G</B>et <B>I</B>t <B>H</B>ere: < a href=") &&
      EndsWith(line, anchorEnd))
    return "link";
  if (StartsWith(line, narrow + "Im Back! <B>G</B>et <B>I</B>t <B>H</B>ere: < a href=") &&
      EndsWith(line, anchorEnd))
    return "back";
  const std::string count = narrow + "Viewing Request List of ";
  if (StartsWith(line, count) && EndsWith(line, " requests."))
    return "count " + line.substr(count.size(), line.size() - count.size() - 10);
  const std::string adding = narrow + "<B>V</B>antor adding ";
  if (StartsWith(line, adding) && EndsWith(line, " mails to DL Manager..."))
    return "adding " + line.substr(adding.size(), line.size() - adding.size() - 23);
  return line;
}

inline Lines Kinds(const Lines& lines) {
  Lines kinds;
  for (const std::string& line : lines) kinds.push_back(Kind(line));
  return kinds;
}

// A narrow text for failure messages and comparisons with ASCII literals.
inline std::string Narrow(const std::wstring& text) {
  return Ansi(text);
}

}  // namespace acceptance
