#pragma once
// The banner lines as the room's input box must receive them, written out once for every test
// that checks them byte for byte: ANSI bytes of code page 1252, the Webdings glyph as 0x9A.
#include <string>

namespace testing_support {

// Everything before the face's name: the glyph in its colour, the body's colour, the face tag.
inline const std::string kBannerHead =
    "<FONT COLOR=#478EFF><FONT FACE=\"Webdings\">\x9A<FONT COLOR=#1395FF>  <FONT FACE=\"";
inline const std::string kBannerAnchor = "< a href=http://www.example.com/vantor/>Vantor v 2.0</a>";

inline const std::string kSignature =
    kBannerHead + "Copperplate Gothic Bold\"><I>Vantor v 2.0</I> by: Skarnel";
inline const std::string kUnloaded =
    kBannerHead + "Copperplate Gothic Bold\"><I>Vantor v 2.0</I> Unloaded";
inline const std::string kLink =
    kBannerHead + "Arial Narrow\"><B>G</B>et <B>I</B>t <B>H</B>ere: " + kBannerAnchor;
inline const std::string kBack =
    kBannerHead + "Arial Narrow\">Im Back! <B>G</B>et <B>I</B>t <B>H</B>ere: " + kBannerAnchor;

// The two lines of a banner go out at least this far apart, so the room shows two posts.
inline constexpr unsigned long long kBannerLineGapMs = 700;
// The journal's stamps and the pause's clock may round apart by a tick.
inline constexpr unsigned long long kClockSlackMs = 2;

}  // namespace testing_support
