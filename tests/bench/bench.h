#pragma once
// Benchmarks print figures; they never pass or fail. Each registers itself with VANTOR_BENCH and
// reports rows with Report(); tests/bench/main.cpp runs them all (or those named on the
// command line) and prints one table.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Wall-clock seconds on the monotonic counter.
inline double Seconds() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double FileTimeSeconds(FILETIME t) {
  return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) /
         1e7;
}

// CPU seconds (user and kernel) used so far by this process, or by the calling thread.
inline double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return FileTimeSeconds(kernel) + FileTimeSeconds(user);
}
inline double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  return FileTimeSeconds(kernel) + FileTimeSeconds(user);
}

// A figure with its unit, to `decimals` places.
inline std::string Fixed(double value, const char* unit, int decimals = 2) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
  return text;
}

// The middle value (the mean of the middle two for an even count); 0 for none.
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void Register(const char* name, std::function<void()> body);
// One row of the table: what was measured, the figure, and the target it is held against.
void Report(const std::string& what, const std::string& figure, const std::string& target = "");
// A row whose figure stands beside the platform's floor, measured in the same run by a bare
// program doing the least the platform needs for the same effect, and their ratio (the target
// is held against the ratio when it starts with "ratio").
void Report(const std::string& what, double figure, double floor, const char* unit, int decimals,
            const std::string& target = "");

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
