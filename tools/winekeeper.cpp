// An idle window of our own that keeps a wine session warm for the test run.
//
// Right after wineserver starts, the first program may create its windows before wine's
// desktop process is up; it then gets no graphics driver for its whole life. The keeper goes
// first and retries until a window can be made, then writes the ready file named on its
// command line and idles until it is closed.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
  HWND window = nullptr;
  for (int attempt = 0; attempt < 100 && !window; ++attempt) {
    window = CreateWindowExW(0, L"STATIC", L"winekeeper", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             instance, nullptr);
    if (!window) Sleep(100);  // nothing to wait on yet: the desktop process is still starting
  }
  if (!window) return 1;
  if (cmdLine && *cmdLine) {
    if (FILE* f = _wfopen(cmdLine, L"w")) {
      fputs("ready\n", f);
      fclose(f);
    }
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
