#pragma once
// Benchmarks print figures; they never pass or fail. Each registers itself with VANTOR_BENCH and
// reports rows with Report(); tests/bench/main.cpp runs them all (or those named on the
// command line) and prints one table.
#include <functional>
#include <string>

namespace bench {

void Register(const char* name, std::function<void()> body);
// One row of the table: what was measured, the figure, and the target it is held against.
void Report(const std::string& what, const std::string& figure, const std::string& target = "");

struct Registrar {
  Registrar(const char* name, std::function<void()> body) { Register(name, std::move(body)); }
};

}  // namespace bench

#define VANTOR_BENCH_CAT2(a, b) a##b
#define VANTOR_BENCH_CAT(a, b) VANTOR_BENCH_CAT2(a, b)
#define VANTOR_BENCH(name)                                            \
  static void VANTOR_BENCH_CAT(BenchBody_, name)();                   \
  static ::bench::Registrar VANTOR_BENCH_CAT(bench_registrar_, name)( \
      #name, &VANTOR_BENCH_CAT(BenchBody_, name));                    \
  static void VANTOR_BENCH_CAT(BenchBody_, name)()
