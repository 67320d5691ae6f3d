#pragma once
// Small RAII owners for the GDI objects that painting borrows for a moment.
#include <windows.h>

namespace ui {

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class OwnedBitmap {
 public:
  explicit OwnedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
  ~OwnedBitmap() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  OwnedBitmap(const OwnedBitmap&) = delete;
  OwnedBitmap& operator=(const OwnedBitmap&) = delete;
  HBITMAP get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

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

}  // namespace ui
