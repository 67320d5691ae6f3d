// Reads aol7sim.exe's switches into the client's options.
#include "sim/command_line.h"

#include <cstdlib>

namespace sim {
namespace {

bool ReadInt(const std::string& text, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (*end || parsed < 0 || parsed > 1000000) return false;
  value = static_cast<int>(parsed);
  return true;
}

bool ReadSeconds(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  double parsed = std::strtod(text.c_str(), &end);
  if (*end || !(parsed >= 0 && parsed <= 3600)) return false;
  value = parsed;
  return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
  CommandLine result;
  Options& o = result.options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      into = args[++i];
      return true;
    };
    std::string v;
    if (arg == "--no-room") {
      o.chatRoom = false;
    } else if (arg == "--two-rooms") {
      o.secondRoom = true;
    } else if (arg == "--mailbox-never") {
      o.mailboxNever = true;
    } else if (arg == "--menu-never") {
      o.menuNever = true;
    } else if (arg == "--prompt-never") {
      o.promptNever = true;
    } else if (arg == "--mail-sticky") {
      o.mailSticky = true;
    } else if (arg == "--dialog-on-download") {
      o.dialogOnDownload = true;
    } else if (arg == "--hung") {
      o.hung = true;
    } else if (arg == "--hung-from-start") {
      o.hungFromStart = true;
    } else if (arg == "--no-server") {
      o.serverPresent = false;
    } else if (arg == "--look-alike") {
      o.lookAlike = true;
    } else if (arg == "--journal") {
      if (!value(o.journalFile)) return false;
    } else if (arg == "--state") {
      if (!value(o.stateFile)) return false;
    } else if (arg == "--mail") {
      if (!value(v)) return false;
      o.extraMails.push_back(v);
    } else if (arg == "--room") {
      if (!value(o.roomName)) return false;
    } else if (arg == "--screen-name") {
      if (!value(o.screenName)) return false;
    } else if (arg == "--foreign-dialog") {
      if (!value(result.foreignText)) return false;
      result.foreignDialog = true;
    } else if (arg == "--extra-children" || arg == "--mails" || arg == "--server-delay" ||
               arg == "--menu-delay" || arg == "--prompt-delay" || arg == "--list-read-delay" ||
               arg == "--chaos") {
      int n = 0;
      if (!value(v)) return false;
      if (!ReadInt(v, n)) {
        error = arg + ": not a number: " + v;
        return false;
      }
      if (arg == "--chaos") {
        if (n == 0) {
          error = "--chaos: the seed must not be 0";
          return false;
        }
        o.chaosSeed = static_cast<unsigned>(n);
        continue;
      }
      (arg == "--extra-children"    ? o.extraChildren
       : arg == "--mails"           ? o.mails
       : arg == "--menu-delay"      ? o.menuDelayMs
       : arg == "--prompt-delay"    ? o.promptDelayMs
       : arg == "--list-read-delay" ? o.listReadDelayMs
                                    : o.serverDelayMs) = n;
    } else if (arg == "--mailbox-delay") {
      if (!value(v)) return false;
      if (!ReadSeconds(v, o.mailboxDelaySeconds)) {
        error = arg + ": not a number of seconds: " + v;
        return false;
      }
    } else {
      error = "unknown switch: " + arg;
      return false;
    }
  }
  out = std::move(result);
  return true;
}

}  // namespace sim
