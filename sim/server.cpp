// The mail server that sits in the chat room: it reads every line said in the room and answers
// the ones addressed to its trigger, after a short delay, by saying so and mailing the member.
// Any line, however long or strange, is read safely; lines it does not understand get no answer.
#include <cstdint>

#include "sim/internal.h"

namespace sim {
namespace {

constexpr const char* kTopics[] = {"Sunset over the bay",
                                   "Grandma's apple pie recipe",
                                   "Road trip photos",
                                   "Concert in the park",
                                   "Mix tape track list",
                                   "Puppy's first snow",
                                   "Fantasy league standings",
                                   "Old school cartoons",
                                   "Beach volleyball finals",
                                   "Wedding slideshow",
                                   "Garden in bloom",
                                   "Retro game screenshots",
                                   "Skyline at night",
                                   "Holiday greeting cards",
                                   "Classic car show",
                                   "Mountain hiking trail",
                                   "Science fair winners",
                                   "Halloween costumes",
                                   "City marathon",
                                   "Homemade pizza night",
                                   "Lake house weekend",
                                   "Fireworks finale",
                                   "Kitten compilation",
                                   "Desert road sunset",
                                   "Ballpark hot dogs"};
constexpr int kTopicCount = static_cast<int>(std::size(kTopics));

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool ContainsNoCase(const std::string& text, const std::string& part) {
  if (part.empty() || part.size() > text.size()) return part.empty();
  for (size_t i = 0; i + part.size() <= text.size(); ++i)
    if (EqualsNoCase(text.substr(i, part.size()), part)) return true;
  return false;
}

// Takes the first blank-separated word off `rest`.
std::string NextWord(std::string& rest) {
  rest = Trim(rest);
  size_t end = 0;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  std::string word = rest.substr(0, end);
  rest = rest.substr(end);
  return word;
}

// A mail number: one to nine digits (larger is off the list anyway, and cannot overflow).
bool ReadNumber(const std::string& text, int64_t& value) {
  std::string digits = Trim(text);
  if (digits.empty() || digits.size() > 12) return false;
  value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

struct Range {
  int64_t first, last;
};

// "1, 3-5" -> {1,1}, {3,5}. Blanks are tolerated anywhere between the parts, a note after a
// colon is ignored, and empty parts ("1,,2") are skipped. False for anything else.
bool ReadRanges(std::string text, std::vector<Range>& ranges) {
  if (size_t colon = text.find(':'); colon != std::string::npos) text.resize(colon);
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string part = Trim(text.substr(start, comma - start));
    start = comma + 1;
    if (part.empty()) continue;
    size_t dash = part.find('-');
    Range range{};
    if (dash == std::string::npos) {
      if (!ReadNumber(part, range.first)) return false;
      range.last = range.first;
    } else if (!ReadNumber(part.substr(0, dash), range.first) ||
               !ReadNumber(part.substr(dash + 1), range.last) || range.last < range.first) {
      return false;
    }
    ranges.push_back(range);
  }
  return !ranges.empty();
}

void AnswerSend(const std::vector<Range>& ranges, const std::string& screenName,
                ServerAnswer& answer) {
  std::vector<int64_t> offList;
  int64_t wanted = 0;
  for (const Range& range : ranges) {
    for (int64_t n = range.first; n <= range.last; ++n) {
      if (n < 1 || n > kCatalogueSize) {
        offList.push_back(n);
        if (n > kCatalogueSize) break;  // the rest of the range is off the list too
        continue;
      }
      ++wanted;
      if (static_cast<int>(answer.mails.size()) < kMaxMailsPerRequest)
        answer.mails.push_back(static_cast<int>(n));
      else
        break;  // enough: never walk a huge range to its end
    }
  }
  if (!offList.empty()) {
    std::string numbers;
    for (size_t i = 0; i < offList.size() && i < 5; ++i)
      numbers += (i ? ", " : "") + std::to_string(offList[i]);
    if (offList.size() > 5) numbers += ", ...";
    answer.lines.push_back("Not on my list: " + numbers + " (my list is 1-" +
                           std::to_string(kCatalogueSize) + ").");
  }
  if (wanted > kMaxMailsPerRequest)
    answer.lines.push_back("Only " + std::to_string(kMaxMailsPerRequest) + " mails per request, " +
                           screenName + ": sending the first " +
                           std::to_string(kMaxMailsPerRequest) + ".");
  size_t count = answer.mails.size();
  if (count > 0)
    answer.lines.push_back("Sending " + std::to_string(count) + (count == 1 ? " mail" : " mails") +
                           " to " + screenName);
}

void AnswerFind(const std::string& text, ServerAnswer& answer) {
  std::vector<int> found;
  for (int n = 1; n <= kCatalogueSize; ++n)
    if (ContainsNoCase(CatalogueMail(n).subject, text)) found.push_back(n);
  std::string shown = text.size() > 40 ? text.substr(0, 40) + "..." : text;
  if (found.empty()) {
    answer.lines.push_back("Nothing on my list matches \"" + shown + "\".");
    return;
  }
  std::string numbers;
  for (size_t i = 0; i < found.size() && i < 10; ++i)
    numbers += (i ? ", " : "") + std::to_string(found[i]);
  if (found.size() > 10) numbers += " and " + std::to_string(found.size() - 10) + " more";
  answer.lines.push_back("Found " + std::to_string(found.size()) + " for \"" + shown +
                         "\": " + numbers);
}

}  // namespace

Mail CatalogueMail(int number) {
  Mail mail;
  mail.date = Today();
  mail.from = kServerName;
  mail.subject = "Vault #" + std::to_string(number) + ": " + kTopics[(number - 1) % kTopicCount] +
                 " (vol. " + std::to_string((number - 1) / kTopicCount + 1) + ")";
  mail.body = "Here is mail #" + std::to_string(number) +
              " from the vault, as you asked.\r\n\r\n[attachment: vault" + std::to_string(number) +
              ".jpg]\r\n\r\nRequest more with /" + kServerTrigger + " Send <numbers>.";
  return mail;
}

bool AnswerChatLine(const std::string& line, const std::string& trigger,
                    const std::string& screenName, ServerAnswer& answer) {
  answer = {};
  std::string rest = Trim(line);
  if (rest.size() > 4096) return false;  // no request is that long: chatter, not for the server
  std::string first = NextWord(rest);
  if (EqualsNoCase(first, "/server") && Trim(rest).empty()) {
    answer.lines.push_back("Mail server here! /" + trigger + " Send List for my list, /" + trigger +
                           " Send Status for my status, /" + trigger + " Find <text> to search.");
    return true;
  }
  if (!EqualsNoCase(first, "/" + trigger)) return false;
  std::string command = NextWord(rest);
  std::string argument = Trim(rest);
  if (EqualsNoCase(command, "Find")) {
    if (argument.empty()) return false;
    AnswerFind(argument, answer);
    return true;
  }
  if (!EqualsNoCase(command, "Send")) return false;
  if (EqualsNoCase(argument, "List")) {
    answer.lines.push_back("My list: " + std::to_string(kCatalogueSize) + " mails, numbered 1-" +
                           std::to_string(kCatalogueSize) + ". Ask with /" + trigger +
                           " Send 1, 3-5");
    return true;
  }
  if (EqualsNoCase(argument, "Status")) {
    answer.lines.push_back("Status: online, no requests waiting, " +
                           std::to_string(kCatalogueSize) + " mails on my list, up to " +
                           std::to_string(kMaxMailsPerRequest) + " per request.");
    return true;
  }
  std::vector<Range> ranges;
  if (!ReadRanges(argument, ranges)) return false;
  AnswerSend(ranges, screenName, answer);
  return true;
}

void Client::Impl::HearLine(Child* room, const std::string& line) {
  Options opts = Opts();
  if (!opts.serverPresent) return;
  ServerAnswer answer;
  if (!AnswerChatLine(line, kServerTrigger, opts.screenName, answer)) return;
  std::string roomName = room->name;
  {
    std::lock_guard lock(mutex);
    ++owedAnswers;
  }
  After(static_cast<UINT>(std::max(0, opts.serverDelayMs)), [this, roomName, answer] {
    // The room may have been left and entered again meanwhile: answer in it by its name.
    Child* target = nullptr;
    for (Child* r : ChildrenOf(ChildKind::Room))
      if (r->name == roomName) target = r;
    for (const std::string& said : answer.lines)
      if (target) Say(target, kServerName, said);
    for (int number : answer.mails) DeliverMail(CatalogueMail(number));
    {
      std::lock_guard lock(mutex);
      --owedAnswers;
    }
    WriteState();
  });
}

}  // namespace sim
