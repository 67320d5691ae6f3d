#include "tests/support/trigger_store.h"

#include <windows.h>

#include <array>

namespace testing_support {

TriggerStoreGuard::TriggerStoreGuard() : saved_(Read()) {}

TriggerStoreGuard::~TriggerStoreGuard() {
  if (saved_)
    Write(*saved_);
  else
    Remove();
}

std::optional<std::string> TriggerStoreGuard::Read() {
  const DWORD attributes = GetFileAttributesA(kPath);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  HANDLE file =
      CreateFileA(kPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  std::array<char, 4096> chunk;
  DWORD got = 0;
  while (ReadFile(file, chunk.data(), chunk.size(), &got, nullptr) && got > 0)
    bytes.append(chunk.data(), got);
  CloseHandle(file);
  return bytes;
}

void TriggerStoreGuard::Write(std::string_view bytes) {
  Remove();
  HANDLE file =
      CreateFileA(kPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  DropProfileCache();
}

void TriggerStoreGuard::Remove() {
  const DWORD attributes = GetFileAttributesA(kPath);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    SetFileAttributesA(kPath, FILE_ATTRIBUTE_NORMAL);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveDirectoryA(kPath);
    else
      DeleteFileA(kPath);
  }
  DropProfileCache();
}

void TriggerStoreGuard::DropProfileCache() {
  // The documented flush: all three NULL. Wine otherwise keeps serving a deleted file's keys.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, kPath);
}

}  // namespace testing_support
