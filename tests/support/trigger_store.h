#pragma once
// The trigger store c:\triggers.ini as the tests see it, in-process or from outside: its bytes
// read, written and removed, and a guard that puts it back as it was. No test framework here:
// the tour program uses it too.
#include <optional>
#include <string>
#include <string_view>

namespace testing_support {

// c:\triggers.ini (under wine: $WINEPREFIX/drive_c/triggers.ini). Construction saves the file as
// it is; destruction puts it back, or removes whatever stands at its path (a file or a
// directory) when there was none.
class TriggerStoreGuard {
 public:
  static constexpr char kPath[] = "c:\\triggers.ini";

  TriggerStoreGuard();
  ~TriggerStoreGuard();
  TriggerStoreGuard(const TriggerStoreGuard&) = delete;
  TriggerStoreGuard& operator=(const TriggerStoreGuard&) = delete;

  // The file's bytes, or nothing when there is no file (or a directory stands at its path).
  static std::optional<std::string> Read();
  // Replaces the file's bytes. The profile routines cache files; these helpers drop the cache so
  // the next profile read sees the change.
  static void Write(std::string_view bytes);
  static void Remove();  // also removes a directory standing at the path, and a read-only flag
  static void DropProfileCache();

 private:
  std::optional<std::string> saved_;
};

}  // namespace testing_support
