// The driver's costs: how much of a core a pause burns, and how the chat room's finder and a
// chat line scale with the number of windows open inside the AOL client.
#include <windows.h>

#include <cstdio>
#include <string>

#include "aol/skarnel_aol6.h"
#include "aol/skarnel_aol7.h"
#include "sim/sim.h"
#include "tests/bench/bench.h"

namespace {

using bench::Fixed;
using bench::ProcessCpuSeconds;
using bench::Seconds;

}  // namespace

VANTOR_BENCH(driver_pause) {
  // A timer ticking as the DL Tool's watchdog does keeps the pause waking up.
  HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  for (bool ticking : {false, true}) {
    if (ticking) SetTimer(window, 1, 1, nullptr);
    const double cpu = ProcessCpuSeconds(), start = Seconds();
    skarnel_aol6::Pause(4.0);
    const double wall = Seconds() - start, used = ProcessCpuSeconds() - cpu;
    if (ticking) KillTimer(window, 1);
    const std::string what = ticking ? "Pause(4): CPU, 1 ms timer ticking" : "Pause(4): CPU";
    bench::Report(what, Fixed(100.0 * used / wall, "% of a core"), ticking ? "" : "<= 1 %");
    bench::Report(ticking ? "Pause(4): wall, timer ticking" : "Pause(4): wall", Fixed(wall, "s", 3),
                  ">= 4 s");
  }
  DestroyWindow(window);
}

VANTOR_BENCH(driver_chat_room) {
  for (int children : {1, 30, 100}) {
    sim::Options options;
    options.extraChildren = children - 1;  // plain AOL windows in front of the room
    options.serverPresent = false;
    auto client = sim::Client::Start(options);
    constexpr int kFinds = 50;
    double start = Seconds();
    for (int i = 0; i < kFinds; ++i) skarnel_aol7::FindChatRoom();
    const double find = (Seconds() - start) / kFinds;
    constexpr int kLines = 20;
    start = Seconds();
    for (int i = 0; i < kLines; ++i) skarnel_aol7::SendChat(L"hello " + std::to_wstring(i));
    const double send = (Seconds() - start) / kLines;
    const std::string n = std::to_string(children);
    bench::Report("FindChatRoom, " + n + " AOL windows open", Fixed(find * 1000, "ms", 3));
    bench::Report("SendChat, " + n + " AOL windows open", Fixed(send * 1000, "ms", 3));
  }
}
