#pragma once
// Text crosses to the AOL client as ANSI bytes in the system code page (under 1252 the banner
// glyph U+0161 is the byte 0x9A); Vantor itself holds wide text.
#include <string>
#include <string_view>

namespace aol {
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
}  // namespace aol
