#pragma once
// aol7sim.exe's command line, read into the client's options (see sim/main.cpp for the list).
#include <string>
#include <vector>

#include "sim/sim.h"

namespace sim {

struct CommandLine {
  Options options;
  bool foreignDialog = false;  // show only a standard message box, as another program would
  std::string foreignText;
};

// Reads the arguments (without the program's name). False, with `error` set, on an unknown
// switch or a missing or unreadable value.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

}  // namespace sim
