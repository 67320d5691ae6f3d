#pragma once
// Owners for GDI objects, and the skins' painting (ui/gdi.cpp).
#include <windows.h>

#include "ui/owned.h"

namespace ui {

using GdiFont = Owned<HFONT, DeleteObject>;
using GdiBrush = Owned<HBRUSH, DeleteObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using MemoryDc = Owned<HDC, DeleteDC>;

// The screen's device context (GetDC of no window), given back with ReleaseDC.
inline void ReleaseScreenDc(HDC dc) {
  ReleaseDC(nullptr, dc);
}
using ScreenDc = Owned<HDC, ReleaseScreenDc>;

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
// pixels nearest to it), as a panel at another DPI than the skin's needs it. A new bitmap, or
// none when the skin cannot be read.
OwnedBitmap ScaleSkin(HBITMAP skin, int width, int height);

}  // namespace ui
