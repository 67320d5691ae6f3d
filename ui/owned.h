#pragma once
// One handle owned: given back to the system when its owner goes, on every path out. The GDI
// owners of the panels build on it (ui/gdi.h), and so does anything else that the system hands
// out to be freed (FormatMessage's and CommandLineToArgvW's LocalAlloc blocks).
#include <windows.h>

#include <utility>

namespace ui {

// Owns one handle and gives it back to the system with `Free` when it goes.
template <class Handle, auto Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }

  Handle get() const { return handle_; }
  void reset(Handle handle = nullptr) {
    if (handle_) Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

// A block the system allocated with LocalAlloc on the caller's behalf.
template <class Pointer>
using LocalMemory = Owned<Pointer, LocalFree>;

}  // namespace ui
