#pragma once
// Reading the DL Tool's boxes as numbers. The user types a mail number (or a speed) the way a
// person writes a decimal number: blanks around it, an optional sign, digits with an optional
// decimal point and fraction. Nothing else is a number here: no hexadecimal, no exponent, no
// thousands separators, no "inf" or "nan".
#include <optional>
#include <string_view>

namespace dltool {

// A mail number: the text's value rounded DOWN to a whole number (2.9 gives 2, -0.5 gives -1).
// Empty when the text is no number or the rounded value does not fit a signed 32-bit integer,
// which is what AOL's mail list takes.
std::optional<int> ReadMailNumber(std::wstring_view text);

// A speed in seconds, fraction kept ("1.5" is one and a half seconds). Same syntax as a mail
// number; a negative value is returned as typed (the caller pauses 0 for it).
std::optional<double> ReadSpeed(std::wstring_view text);

}  // namespace dltool
