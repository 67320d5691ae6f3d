// vantor.exe as the user gets it: its size on disk, and its working set as a separate process
// beside aol7sim.exe, right after start (past the splash) and after 10,000 presses of Send into
// an open chat room (the request list then holds 10,000 requests).
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "tests/acceptance/session.h"
#include "tests/bench/bench.h"
#include "tests/support/outside.h"
#include "tests/support/wait.h"

namespace {

using bench::Seconds;

using acceptance::kHeadTitle;

constexpr int kSends = 10000;

std::string Kib(SIZE_T bytes) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f KiB", static_cast<double>(bytes) / 1024.0);
  return text;
}

struct Memory {
  SIZE_T workingSet = 0, peak = 0;
};

// The unpacked size of `name` in the ZIP archive at `path`, read from its central directory; 0
// when there is no such archive or entry.
ULONGLONG ZipEntrySize(const std::wstring& path, std::string_view name) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::string bytes(static_cast<size_t>(GetFileSize(file, nullptr)), '\0');
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  bytes.resize(got);
  auto u16 = [&](size_t at) {
    return at + 2 <= bytes.size() ? *reinterpret_cast<const uint16_t*>(&bytes[at]) : 0u;
  };
  auto u32 = [&](size_t at) {
    return at + 4 <= bytes.size() ? *reinterpret_cast<const uint32_t*>(&bytes[at]) : 0u;
  };
  const size_t end = bytes.rfind(std::string_view("PK\x05\x06", 4));
  if (end == std::string::npos) return 0;
  size_t at = u32(end + 16);
  for (unsigned i = 0, n = u16(end + 10); i < n && u32(at) == 0x02014b50; ++i) {
    const size_t nameLength = u16(at + 28);
    const std::string_view entry = std::string_view(bytes).substr(at + 46, nameLength);
    if (entry.size() >= name.size() && entry.substr(entry.size() - name.size()) == name)
      return u32(at + 24);
    at += 46 + nameLength + u16(at + 30) + u16(at + 32);
  }
  return 0;
}

Memory MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process, &counters, sizeof counters);
  return {counters.WorkingSetSize, counters.PeakWorkingSetSize};
}

}  // namespace

VANTOR_BENCH(program_size) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  const std::wstring exe = testing_support::TestProgramFolder() + L"\\vantor.exe";
  if (!GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &data)) {
    bench::Report("vantor.exe size on disk", "not built");
    return;
  }
  const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  bench::Report("vantor.exe size on disk (static runtime, skins, sounds apart)",
                Kib(static_cast<SIZE_T>(size)), "< 4096 KiB");
  // The release package beside the build's bin folder (scripts/bench.sh makes it first).
  const ULONGLONG packaged = ZipEntrySize(
      testing_support::TestProgramFolder() + L"\\..\\vantor-2.0-win64.zip", "/vantor.exe");
  bench::Report("vantor.exe in vantor-2.0-win64.zip (stripped)",
                packaged ? Kib(static_cast<SIZE_T>(packaged)) : "no package", "< 4096 KiB");
}

VANTOR_BENCH(program_memory) {
  acceptance::store::Guard keepStore;
  // No journal or state file and no server: the client's own bookkeeping stays out of the way.
  testing_support::Process client(testing_support::TestProgramFolder() + L"\\aol7sim.exe",
                                  L"--no-server");
  HWND frame =
      testing_support::WaitForTopWindow(client.Id(), L"America Online", 10000, L"AOL Frame25");
  // The room is set up just after the main window.
  testing_support::WaitUntil(
      [&] {
        return FindWindowExW(FindWindowExW(frame, nullptr, L"MDIClient", nullptr), nullptr,
                             L"AOL Child", L"Lobby");
      },
      5000);
  testing_support::PumpFor(300);
  acceptance::Vantor vantor;
  if (!frame || !vantor.Start()) {
    bench::Report("vantor.exe working set", "did not start");
    return;
  }
  testing_support::PumpFor(1500);  // the start banner's pause
  const Memory start = MemoryOf(vantor.Process().Handle());
  // Under wine the working set counts wine's own DLLs mapped into the process.
  bench::Report("vantor.exe working set after start (splash double-clicked)", Kib(start.workingSet),
                "< 49152 KiB");

  if (!vantor.ChooseTrigger(1, L"vault")) {
    bench::Report("10,000 Sends", "no trigger");
    return;
  }
  vantor.TypeRequest(L"1, 3-5");
  HWND send = vantor.Control(kHeadTitle, L"Send");
  const double began = Seconds();
  for (int i = 0; i < kSends; ++i) testing_support::ClickLabel(send);
  const double took = Seconds() - began;
  const std::wstring count = vantor.CountLabel();
  const Memory after = MemoryOf(vantor.Process().Handle());
  bench::Report("vantor.exe working set after 10,000 Sends", Kib(after.workingSet));
  bench::Report("working set growth over 10,000 Sends (10,000 list items)",
                Kib(after.workingSet > start.workingSet ? after.workingSet - start.workingSet : 0),
                "< 8192 KiB");
  bench::Report("vantor.exe peak working set", Kib(after.peak));
  char perSend[64];
  std::snprintf(perSend, sizeof perSend, "%.2f ms", took * 1000.0 / kSends);
  bench::Report("Send pressed from outside, line typed into the room (mean)", perSend, "< 50 ms");
  bench::Report("request list count after the Sends", acceptance::Ansi(count),
                "Number of requests: 10000");
}
