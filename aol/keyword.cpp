// The keyword window: running an AOL keyword or an aol:// address, such as entering a room.
#include "aol/ansi.h"
#include "aol/candidate_walk.h"
#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"

namespace skarnel_aol7 {
namespace {
// The toolbar icon that opens the keyword window.
constexpr int kKeywordIcon = 26;
// The address that enters a public chat room; the room's name follows it directly.
constexpr wchar_t kRoomAddress[] = L"aol://2719:2-2-";
// The keyword window opens this long after its toolbar icon is pressed.
constexpr double kWindowOpensSeconds = 0.5;
// The box takes this long to settle on the new text before the window's icon runs it.
constexpr double kBeforeRunSeconds = 0.3;
}  // namespace

HWND FindKeywordWindow() {
  // Its rich static text first, the rarest of its classes.
  return aol::FindAolChild(
      {"richcntlstatic", "_aol_glyph", "_aol_edit", "_aol_icon", "richcntlstatic"});
}

void RunKeyword(std::wstring_view keyword) {
  // A client that does not answer the toolbar press opens no keyword window to wait for.
  if (!aol::PressIcon(aol::ToolbarIcon(kKeywordIcon))) return;
  skarnel_aol6::Pause(kWindowOpensSeconds);
  aol::ForeignWindow keywordWindow(FindKeywordWindow());
  // Running the box without the address in it would run whatever it held before.
  if (!keywordWindow.Child("_aol_edit").SetText(aol::ToAnsi(keyword))) return;
  skarnel_aol6::Pause(kBeforeRunSeconds);
  // The keyword window's first icon runs what the box holds.
  aol::PressIcon(keywordWindow.Child("_aol_icon"));
}

void OpenAolUrl(std::wstring_view roomName) {
  std::wstring address(kRoomAddress);
  address += roomName;
  RunKeyword(address);
}

}  // namespace skarnel_aol7
