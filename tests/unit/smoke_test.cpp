#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, WindowCanBeCreated) {
  HWND w =
      CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(w, nullptr);
  DestroyWindow(w);
  EXPECT_EQ(GetACP(), 1252u);
}
