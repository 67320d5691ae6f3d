// Runs the registered benchmarks and prints one table of figures.
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/bench/bench.h"

namespace bench {
namespace {
struct Entry {
  const char* name;
  std::function<void()> body;
};
std::vector<Entry>& Entries() {
  static std::vector<Entry> entries;
  return entries;
}
struct Row {
  std::string what, figure, floor, ratio, target;
};
std::vector<Row>& Rows() {
  static std::vector<Row> rows;
  return rows;
}
void Print(const Row& r) {
  std::printf("  %-60s %14s %14s %7s   %s\n", r.what.c_str(), r.figure.c_str(), r.floor.c_str(),
              r.ratio.c_str(), r.target.c_str());
  std::fflush(stdout);
}
}  // namespace

void Register(const char* name, std::function<void()> body) {
  Entries().push_back({name, std::move(body)});
}

void Report(const std::string& what, const std::string& figure, const std::string& target) {
  Rows().push_back({what, figure, "", "", target});
  Print(Rows().back());
}

void Report(const std::string& what, double figure, double floor, const char* unit, int decimals,
            const std::string& target) {
  char ratio[32] = "";
  if (floor > 0) std::snprintf(ratio, sizeof ratio, "%.2fx", figure / floor);
  Rows().push_back(
      {what, Fixed(figure, unit, decimals), Fixed(floor, unit, decimals), ratio, target});
  Print(Rows().back());
}

}  // namespace bench

int main(int argc, char** argv) {
  std::printf("Vantor benchmarks\n  %-60s %14s %14s %7s   %s\n", "measure", "figure", "floor",
              "ratio", "target");
  for (const auto& e : bench::Entries()) {
    bool wanted = argc < 2;
    for (int i = 1; i < argc; ++i) wanted |= std::strcmp(argv[i], e.name) == 0;
    if (!wanted) continue;
    e.body();
  }
  std::printf("\n| measure | figure | floor | ratio | target |\n|---|---|---|---|---|\n");
  for (const auto& r : bench::Rows())
    std::printf("| %s | %s | %s | %s | %s |\n", r.what.c_str(), r.figure.c_str(), r.floor.c_str(),
                r.ratio.c_str(), r.target.c_str());
  return 0;
}
