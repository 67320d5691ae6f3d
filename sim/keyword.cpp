// The keyword window: a box for a keyword or aol:// address and the Go icon that runs it. The
// address "aol://2719:2-2-" + a room name enters that chat room.
#include "sim/internal.h"

namespace sim {
namespace {

constexpr char kRoomAddress[] = "aol://2719:2-2-";

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t n = std::strlen(prefix);
  return text.size() >= n &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(), static_cast<int>(n),
                        prefix, static_cast<int>(n)) == CSTR_EQUAL;
}

}  // namespace

void Client::Impl::OpenKeyword() {
  if (Child* open = FindChild(ChildKind::Keyword)) {
    BringToFront(open->hwnd);
    return;
  }
  Child* keyword = OpenChild(ChildKind::Keyword, "keyword", "Keyword", 250, 140, 420, 170);
  if (!keyword) return;
  HWND hwnd = keyword->hwnd;
  MakeControl(hwnd, kGlyphClass, "K", 0, 10, 10, 32, 32);
  MakeControl(hwnd, kRichStaticClass, "Enter a Keyword or Web Address:", 0, 50, 8, 340, 20);
  keyword->input = MakeControl(hwnd, kEditClass, "", ES_AUTOHSCROLL, 50, 30, 250, 24);
  WatchText(keyword->input, this, "keyword.edit", [this, keyword] { RunKeyword(keyword); });
  MakeIcon(this, hwnd, "keyword.icon1", "Go", 306, 30, 40, 24,
           [this, keyword] { RunKeyword(keyword); });
  MakeIcon(this, hwnd, "keyword.icon2", "Search", 350, 30, 50, 24, nullptr);
  MakeControl(hwnd, kRichStaticClass, "Keywords are shortcuts to areas on AOL.", 0, 50, 62, 340,
              20);
  MakeIcon(this, hwnd, "keyword.icon3", "Keyword List", 50, 88, 100, 24, nullptr);
  Log("open", "keyword", "Keyword");
}

void Client::Impl::RunKeyword(Child* keyword) {
  std::string text = WindowText(keyword->input);
  Log("keyword", "keyword", text);
  // The keyword window goes once its keyword has run; closed after this press has returned,
  // since the press came from one of its own icons.
  HWND hwnd = keyword->hwnd;
  Defer([this, hwnd] {
    for (Child* k : ChildrenOf(ChildKind::Keyword))
      if (k->hwnd == hwnd) SendMessageA(mdi, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
  });
  if (StartsWithNoCase(text, kRoomAddress)) {
    std::string room = text.substr(std::strlen(kRoomAddress));
    if (!room.empty()) EnterRoom(room);
  }
}

}  // namespace sim
