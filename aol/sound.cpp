// The click sounds.
#include <windows.h>

#include <mmsystem.h>

#include <string>

#include "aol/skarnel_aol7.h"

namespace skarnel_aol7 {
namespace {

std::function<void(std::wstring_view)>& Observer() {
  static std::function<void(std::wstring_view)> observer;
  return observer;
}

// A plain file counts; a folder, a hidden or a system file does not.
bool IsPlayableFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

}  // namespace

void SetSoundObserver(std::function<void(std::wstring_view path)> observer) {
  Observer() = std::move(observer);
}

void PlayWave(std::wstring_view path) {
  if (Observer()) Observer()(path);
  const std::wstring file(path);
  // The file is tested first: with no sound device the platform reports success even for a
  // missing file, and without SND_NODEFAULT a missing file would play the system's beep.
  if (!IsPlayableFile(file)) return;
  sndPlaySoundW(file.c_str(), SND_ASYNC | SND_NODEFAULT);
}

}  // namespace skarnel_aol7
