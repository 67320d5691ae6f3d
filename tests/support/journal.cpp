#include "tests/support/journal.h"

#include <algorithm>
#include <sstream>

namespace testing_support {
namespace {

bool Matches(const sim::Event& e, const Expected& x) {
  return e.what == x.what && e.target == x.target && (x.text == "*" || e.text == x.text);
}

std::string Show(const std::string& what, const std::string& target, const std::string& text) {
  std::ostringstream out;
  out << what << " " << target << " \"";
  for (unsigned char c : text) {
    if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      snprintf(buf, sizeof buf, "\\x%02X", c);
      out << buf;
    } else {
      out << c;
    }
  }
  out << "\"";
  return out.str();
}

}  // namespace

::testing::AssertionResult JournalMatches(const std::vector<sim::Event>& actual,
                                          const std::vector<Expected>& expected,
                                          const std::vector<std::string>& kinds) {
  std::vector<sim::Event> events;
  for (const auto& e : actual)
    if (kinds.empty() || std::find(kinds.begin(), kinds.end(), e.what) != kinds.end())
      events.push_back(e);

  size_t a = 0;
  bool ok = true;
  for (const auto& x : expected) {
    if (a < events.size() && Matches(events[a], x)) {
      ++a;
    } else if (!x.optional) {
      ok = false;
      break;
    }
  }
  if (ok && a == events.size()) return ::testing::AssertionSuccess();

  std::ostringstream msg;
  msg << "journal differs\n  expected:\n";
  for (const auto& x : expected)
    msg << "    " << Show(x.what, x.target, x.text) << (x.optional ? "  (optional)" : "") << "\n";
  msg << "  actual:\n";
  for (const auto& e : events) msg << "    " << Show(e.what, e.target, e.text) << "\n";
  return ::testing::AssertionFailure() << msg.str();
}

}  // namespace testing_support
