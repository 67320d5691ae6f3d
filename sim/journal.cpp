// The journal and the state file: what the client saw and did, in a form that another process
// can read while the client runs (each event is appended and flushed at once).
#include <cstdio>
#include <cstdlib>

#include "sim/internal.h"

namespace sim {
namespace {

bool NeedsEscape(unsigned char c) {
  return c < 0x20 || c == '\\' || c >= 0x7F;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unescape(const std::string& in, std::string& out) {
  out.clear();
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\') {
      out += in[i];
      continue;
    }
    if (i + 3 >= in.size() || in[i + 1] != 'x') return false;
    int hi = HexValue(in[i + 2]), lo = HexValue(in[i + 3]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 3;
  }
  return true;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts(1);
  for (char c : line) {
    if (c == '\t')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

std::string StripLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

}  // namespace

std::string EscapeBytes(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (NeedsEscape(c)) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string FormatEvent(const Event& event) {
  return std::to_string(event.ms) + '\t' + EscapeBytes(event.what) + '\t' +
         EscapeBytes(event.target) + '\t' + EscapeBytes(event.text);
}

bool ParseEvent(const std::string& line, Event& event) {
  auto parts = SplitTabs(StripLineEnd(line));
  if (parts.size() != 4 || parts[0].empty()) return false;
  for (char c : parts[0])
    if (c < '0' || c > '9') return false;
  Event parsed;
  parsed.ms = std::strtoull(parts[0].c_str(), nullptr, 10);
  if (!Unescape(parts[1], parsed.what) || !Unescape(parts[2], parsed.target) ||
      !Unescape(parts[3], parsed.text))
    return false;
  event = std::move(parsed);
  return true;
}

std::string FormatState(const State& state) {
  std::string out;
  auto section = [&](const char* name, const std::vector<std::string>& lines) {
    out += '[';
    out += name;
    out += "]\n";
    for (const auto& line : lines) out += EscapeBytes(line) + '\n';
  };
  section("transcript", state.transcript);
  section("queue", state.downloadQueue);
  section("mails", state.mails);
  std::vector<std::string> marked;
  for (int n : state.markedNew) marked.push_back(std::to_string(n));
  section("marknew", marked);
  section("owed", {std::to_string(state.owedAnswers)});
  return out;
}

bool ParseState(const std::string& text, State& state) {
  State parsed;
  std::vector<std::string>* into = nullptr;
  std::vector<std::string> marked, owed;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = StripLineEnd(text.substr(start, end - start));
    start = end + 1;
    if (line == "[transcript]") {
      into = &parsed.transcript;
    } else if (line == "[queue]") {
      into = &parsed.downloadQueue;
    } else if (line == "[mails]") {
      into = &parsed.mails;
    } else if (line == "[marknew]") {
      into = &marked;
    } else if (line == "[owed]") {
      into = &owed;
    } else {
      std::string value;
      if (!into || !Unescape(line, value)) return false;
      into->push_back(std::move(value));
    }
  }
  for (const auto& n : marked) parsed.markedNew.push_back(std::atoi(n.c_str()));
  if (!owed.empty()) parsed.owedAnswers = std::atoi(owed.front().c_str());
  state = std::move(parsed);
  return true;
}

void Client::Impl::Log(const std::string& what, const std::string& target,
                       const std::string& text) {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  Event event{what, target, text, GetTickCount64(),
              static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart)};
  std::lock_guard lock(mutex);
  if (journalFile) {
    std::string line = FormatEvent(event) + '\n';
    std::fwrite(line.data(), 1, line.size(), journalFile);
    std::fflush(journalFile);
  }
  journal.push_back(std::move(event));
}

void Client::Impl::WriteState() {
  State state;
  std::string path;
  {
    std::lock_guard lock(mutex);
    path = options.stateFile;
    if (path.empty()) return;
    state.transcript = transcript;
    state.downloadQueue = downloadQueue;
    for (const auto& mail : mails) state.mails.push_back(mail.subject);
    state.markedNew = markedNew;
    state.owedAnswers = owedAnswers;
  }
  // Written beside and moved over, so a reader never sees half a file.
  std::string temp = path + ".new";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return;
  std::string text = FormatState(state);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  // A test reading the file at this moment keeps it from being replaced; the move is tried again
  // for a short while rather than the change lost (the next change might never come).
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    Sleep(1);
  }
}

}  // namespace sim
