#include <windows.h>
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MessageBoxW(nullptr, L"placeholder", L"Vantor", 0);
  return 0;
}
