#pragma once
// The chat banners' lines: HTML-formatted chat lines with which Vantor announces itself in the
// room. Every line is one head (a Webdings glyph and two colour tags) followed by a face and a
// body; no FONT tag is ever closed, so the body runs on in the chosen face to the end of the line.
// Pure text building: the lines are wide text, and the driver hands them to the room as ANSI.
#include <string>
#include <string_view>

namespace core {

// The two faces a banner body is written in.
inline constexpr wchar_t kSignatureFace[] = L"Copperplate Gothic Bold";
inline constexpr wchar_t kNarrowFace[] = L"Arial Narrow";

// The program's web page, behind every "Get It Here" link.
inline constexpr wchar_t kBannerLinkAddress[] = L"http://www.example.com/vantor/";

// The glyph drawn in Webdings at the start of every line (under code page 1252, the byte 0x9A).
inline constexpr wchar_t kBannerGlyph = L'\u0161';

// One banner line: the head, the face in quotes, then the body as given.
std::wstring BannerLine(std::wstring_view face, std::wstring_view body);

// The anchor that ends the link lines: "< a href=" + address + ">Vantor v 2.0</a>".
std::wstring BannerAnchor();

std::wstring SignatureLine();       // "Vantor v 2.0 by: Skarnel"
std::wstring UnloadedLine();        // "Vantor v 2.0 Unloaded", at exit
std::wstring LinkLine();            // "Get It Here: " and the link
std::wstring BackLine();            // "Im Back! Get It Here: " and the link, on Re-Enter
std::wstring CountLine(int count);  // the request list's count, on View List
std::wstring AddingLine(std::wstring_view count);  // the DL Tool's run, as typed by the user

}  // namespace core
