#include "dltool/mail_number.h"

#include <cstdint>
#include <cwchar>
#include <limits>
#include <string>

namespace dltool {
namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}
bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// The parts of a decimal number as typed: sign, whole digits, fraction digits.
struct Decimal {
  bool negative = false;
  std::wstring_view whole;
  std::wstring_view fraction;
};

std::optional<Decimal> Split(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  Decimal d;
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
    d.negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  d.whole = text.substr(0, i);
  if (i < text.size() && text[i] == L'.') {
    size_t start = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    d.fraction = text.substr(start, i - start);
  }
  // At least one digit, and nothing left over: "+", ".", "1e3", "0x10", "1,000" are no numbers.
  if (i != text.size() || (d.whole.empty() && d.fraction.empty())) return std::nullopt;
  return d;
}

}  // namespace

std::optional<int> ReadMailNumber(std::wstring_view text) {
  auto d = Split(text);
  if (!d) return std::nullopt;
  // Whole part, saturating well above the 32-bit range so that long digit strings cannot wrap.
  constexpr int64_t kBeyond = int64_t{1} << 40;
  int64_t whole = 0;
  for (wchar_t c : d->whole) {
    whole = whole * 10 + (c - L'0');
    if (whole > kBeyond) whole = kBeyond;
  }
  bool hasFraction = false;
  for (wchar_t c : d->fraction) hasFraction |= c != L'0';
  int64_t value = d->negative ? -whole : whole;
  if (d->negative && hasFraction) --value;  // rounding down goes away from zero below zero
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(value);
}

std::optional<double> ReadSpeed(std::wstring_view text) {
  auto d = Split(text);
  if (!d) return std::nullopt;
  // The syntax is checked; the C library converts the checked digits with correct rounding.
  std::wstring digits = std::wstring(d->whole) + L"." + std::wstring(d->fraction);
  double value = std::wcstod(digits.c_str(), nullptr);
  return d->negative ? -value : value;
}

}  // namespace dltool
