// The chat room: its transcript, the input box that Vantor types into, and the row of icons of
// which the sixth sends the line.
#include "sim/internal.h"

namespace sim {
namespace {

bool SameRoomName(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

}  // namespace

Child* Client::Impl::OpenRoom(const std::string& name) {
  int offset = 20 * static_cast<int>(ChildrenOf(ChildKind::Room).size() % 4);
  Child* room = OpenChild(ChildKind::Room, name, name, 8 + offset, 8 + offset, 610, 430);
  if (!room) return nullptr;
  HWND hwnd = room->hwnd;
  bool server = Opts().serverPresent;
  std::string screenName = Opts().screenName;
  int people = server ? 4 : 3;

  // Child order matters: the driver takes the first child of each class and the sixth icon.
  MakeControl(hwnd, kStaticClass, (std::to_string(people) + " people here").c_str(), 0, 10, 6, 200,
              18);
  room->transcript =
      MakeControl(hwnd, kTranscriptClass, "",
                  ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 10, 26, 430, 268);
  MakeControl(hwnd, kComboClass, "Arial", 0, 10, 300, 110, 22);
  static const char* kStyleIcons[] = {"B", "I", "U", "A", ":-)"};
  for (int i = 0; i < 5; ++i)
    MakeIcon(this, hwnd, "chat.icon" + std::to_string(i + 1), kStyleIcons[i], 126 + i * 34, 300, 32,
             22, nullptr);
  MakeControl(hwnd, kStaticClass, "", 0, 300, 302, 140, 18);
  room->input = MakeControl(hwnd, kInputClass, "", ES_AUTOHSCROLL, 10, 328, 370, 26);
  WatchText(room->input, this, "chat.input", [this, room] { SendRoomInput(room); });
  MakeIcon(this, hwnd, "chat.icon6", "Send", 386, 328, 54, 26,
           [this, room] { SendRoomInput(room); });
  HWND members =
      MakeControl(hwnd, kMemberListClass, "", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 450, 26, 140, 190);
  for (const std::string& member : {screenName, std::string(server ? kServerName : ""),
                                    std::string("ChatFan22"), std::string("LobbyLurker")})
    if (!member.empty())
      SendMessageA(members, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(member.c_str()));
  MakeControl(hwnd, kImageClass, "AOL Chat", 0, 450, 222, 140, 40);
  static const char* kRoomIcons[] = {"Notify AOL", "Chat Prefs", "Find a Chat", "Parental"};
  for (int i = 0; i < 4; ++i)
    MakeIcon(this, hwnd, "chat.icon" + std::to_string(i + 7), kRoomIcons[i], 450, 270 + i * 28, 140,
             24, nullptr);
  MakeControl(hwnd, kStaticClass, ("You are in \"" + name + "\".").c_str(), 0, 10, 364, 430, 18);
  Log("open", room->JournalName(), name);
  return room;
}

void Client::Impl::CloseRoom(Child* room) {
  if (room && room->hwnd) SendMessageA(mdi, WM_MDIDESTROY, reinterpret_cast<WPARAM>(room->hwnd), 0);
}

void Client::Impl::EnterRoom(const std::string& name) {
  std::string screenName = Opts().screenName;
  for (Child* room : ChildrenOf(ChildKind::Room)) {
    if (!SameRoomName(room->name, name)) continue;
    // Entering the room one is in means leaving it and coming in again.
    Say(room, kHostName, screenName + " has left the room.");
    CloseRoom(room);
  }
  if (Child* room = OpenRoom(name)) Say(room, kHostName, screenName + " has entered the room.");
}

void Client::Impl::SendRoomInput(Child* room) {
  std::string line = WindowText(room->input);
  if (line.empty()) return;  // AOL sends nothing for an empty box
  SetTextQuietly(room->input, "");
  // Heard first, so that the state file counts the answer owed once the line shows; the
  // answer itself comes later, on a timer.
  HearLine(room, line);
  Say(room, Opts().screenName, line);
}

void Client::Impl::Say(Child* room, const std::string& speaker, const std::string& line) {
  std::string said = speaker + ": " + line;
  if (room && room->transcript) {
    // Wine's edit control wraps one long word in time that grows with its square (a 100 KB
    // line took over a minute): the window shows the start of a long line, the record keeps
    // all of it.
    constexpr size_t kShown = 1000;
    std::string shown = said.size() > kShown ? said.substr(0, kShown) + "..." : said;
    bool first = GetWindowTextLengthA(room->transcript) == 0;
    AppendText(room->transcript, (first ? "" : "\r\n") + shown);
  }
  {
    std::lock_guard lock(mutex);
    transcript.push_back(said);
  }
  Log("say", "chat", said);
  WriteState();
}

}  // namespace sim
