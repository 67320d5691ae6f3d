#pragma once
// Small RAII owners for GDI objects and other handles, and the skins' painting.
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

using GdiFont = Owned<HFONT, DeleteObject>;
using GdiBrush = Owned<HBRUSH, DeleteObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using MemoryDc = Owned<HDC, DeleteDC>;

// Selects an object into a DC and puts the previous one back when it goes out of scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Copies the part of `skin` that lies under `area` (in the skin's coordinates) to `target` at
// (0, 0); what the skin does not cover is filled with the panel's plain dark blue.
void PaintSkinPart(HDC target, HBITMAP skin, RECT area);

// The skin drawn at `width` by `height` pixels, smoothly (each pixel blends the four source
// pixels nearest to it), as a panel at another DPI than the skin's needs it. A new bitmap.
HBITMAP ScaleSkin(HBITMAP skin, int width, int height);

}  // namespace ui
