// Copying a foreign list box's items into one of Vantor's lists, numbered.
#include <string>

#include "aol/ansi.h"
#include "aol/foreign_window.h"
#include "aol/skarnel_aol7.h"

namespace skarnel_aol7 {
namespace {

// The mail list's items start with nine characters (the mail's date and a blank) that the DL
// Tool's list leaves out.
constexpr size_t kSkippedPrefix = 9;

// Room to spare beyond the length the list announced, in characters. LB_GETTEXT takes no
// buffer size: an item that grew between the two questions (the client refreshing its list)
// would be written past a buffer of the announced length.
constexpr size_t kSpareChars = 4096;
// Reads of one item before it counts as unreadable, when it keeps changing under the reads.
constexpr int kReadAttempts = 3;

// One item of a foreign list box, read whole whatever its length, or nullopt when it cannot be
// read (the list shrank, the handle is not a list, the client did not answer, the item would not
// hold still).
std::optional<std::string> ReadItem(aol::ForeignWindow list, int index) {
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    // Read wide, because wine's ANSI LB_GETTEXT across processes returns UTF-16 and writes twice
    // the bytes LB_GETTEXTLEN announced.
    auto length = list.SendWide(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (!length || *length < 0) return std::nullopt;
    const size_t announced = static_cast<size_t>(*length);
    std::wstring text(announced + 1 + kSpareChars, L'\0');
    auto copied = list.SendWide(LB_GETTEXT, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text.data()));
    if (!copied || *copied < 0) return std::nullopt;
    // An item that changed between the questions is read again: what came back may be cut.
    if (static_cast<size_t>(*copied) != announced) continue;
    text.resize(announced);
    if (size_t nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
    // The bytes an ANSI reader would see: characters outside the code page become '?'.
    return aol::ToAnsi(text);
  }
  return std::nullopt;
}

}  // namespace

void CopyListItems(HWND listWindow, HWND target) {
  aol::ForeignWindow list(listWindow);
  auto count = list.SendWide(LB_GETCOUNT, 0, 0);
  if (!count || *count <= 0 || !target) return;  // LB_ERR, or not a list at all
  // An int counts past the 32767 items a 16-bit counter would stop at.
  const int items = static_cast<int>(std::min<LRESULT>(*count, 0x7FFFFFFF));
  for (int i = 0; i < items; ++i) {
    auto item = ReadItem(list, i);
    if (!item) break;  // the rest of the list is gone too
    std::string rest = item->size() > kSkippedPrefix ? item->substr(kSkippedPrefix) : std::string();
    std::wstring line = std::to_wstring(i + 1) + L":  " + aol::FromAnsi(rest);
    SendMessageW(target, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
}

}  // namespace skarnel_aol7
