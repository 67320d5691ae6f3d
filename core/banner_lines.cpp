#include "core/banner_lines.h"

namespace core {

std::wstring BannerLine(std::wstring_view face, std::wstring_view body) {
  std::wstring line = L"<FONT COLOR=#478EFF><FONT FACE=\"Webdings\">";
  line += kBannerGlyph;
  line += L"<FONT COLOR=#1395FF>  <FONT FACE=\"";
  line += face;
  line += L"\">";
  line += body;
  return line;
}

std::wstring BannerAnchor() {
  // The room's HTML reader takes the address unquoted, and the blank after "<" is part of the
  // line as it has always been sent.
  return std::wstring(L"< a href=") + kBannerLinkAddress + L">Vantor v 2.0</a>";
}

std::wstring SignatureLine() {
  return BannerLine(kSignatureFace, L"<I>Vantor v 2.0</I> by: Skarnel");
}

std::wstring UnloadedLine() {
  return BannerLine(kSignatureFace, L"<I>Vantor v 2.0</I> Unloaded");
}

std::wstring LinkLine() {
  return BannerLine(kNarrowFace, L"<B>G</B>et <B>I</B>t <B>H</B>ere: " + BannerAnchor());
}

std::wstring BackLine() {
  return BannerLine(kNarrowFace, L"Im Back! <B>G</B>et <B>I</B>t <B>H</B>ere: " + BannerAnchor());
}

std::wstring CountLine(int count) {
  return BannerLine(kNarrowFace,
                    L"Viewing Request List of " + std::to_wstring(count) + L" requests.");
}

std::wstring AddingLine(std::wstring_view count) {
  return BannerLine(kNarrowFace,
                    L"<B>V</B>antor adding " + std::wstring(count) + L" mails to DL Manager...");
}

}  // namespace core
