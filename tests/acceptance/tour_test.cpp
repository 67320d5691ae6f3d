// The tour that the run command plays headless: vantor_tour.exe drives vantor.exe beside
// aol7sim.exe, all three programs of their own, and the chat room's transcript shows the
// request and the server's answer.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/acceptance/session.h"

namespace acceptance {
namespace {

TEST(Tour, PlaysFromTheSplashToTheDownloadManager) {
  store::Guard keepStore;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"vantor_tour_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);

  testing_support::Process tour(testing_support::TestProgramFolder() + L"\\vantor_tour.exe",
                                L"--out \"" + folder + L"\"");
  ASSERT_TRUE(tour.Started());
  ASSERT_TRUE(tour.WaitForExit(120000)) << "the tour did not end within two minutes";
  EXPECT_EQ(tour.ExitCode(), 0u);

  std::vector<std::string> transcript;
  std::vector<std::string> queue;
  {
    HANDLE file = CreateFileW((folder + L"\\state.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string bytes(1 << 20, '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    sim::State state;
    ASSERT_TRUE(sim::ParseState(bytes, state));
    transcript = state.transcript;
    queue = state.downloadQueue;
  }
  auto has = [&](const std::string& line) {
    return std::find(transcript.begin(), transcript.end(), line) != transcript.end();
  };
  EXPECT_TRUE(has("Member: /vault Send 1, 3-5"));
  EXPECT_TRUE(has("VaultServer: Sending 4 mails to Member"));
  EXPECT_EQ(queue, (std::vector<std::string>{"Pictures from the trip (part 1)",
                                             "Pictures from the trip (part 2)",
                                             "Pictures from the trip (part 3)"}));

  for (const wchar_t* name : {L"\\state.txt", L"\\journal.txt"})
    DeleteFileW((folder + name).c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace acceptance
