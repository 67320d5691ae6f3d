// The skins' painting: a part of a panel's skin, and the skin at another DPI.
#include "ui/gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui {
namespace {
// The skins' plain colour, for any part of a panel that its bitmap does not cover.
constexpr COLORREF kSkinBase = RGB(0x0A, 0x10, 0x3A);
}  // namespace

void PaintSkinPart(HDC target, HBITMAP skin, RECT area) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return;
  RECT all{0, 0, w, h};
  GdiBrush base(CreateSolidBrush(kSkinBase));
  FillRect(target, &all, base.get());
  if (!skin) return;
  BITMAP info{};
  GetObjectW(skin, sizeof(info), &info);
  // Copy only what the bitmap covers: outside it BitBlt's source is undefined.
  const int left = std::max<LONG>(area.left, 0), top = std::max<LONG>(area.top, 0);
  const int right = std::min<LONG>(area.right, info.bmWidth);
  const int bottom = std::min<LONG>(area.bottom, info.bmHeight);
  if (right <= left || bottom <= top) return;
  MemoryDc source(CreateCompatibleDC(target));
  Selection pick(source.get(), skin);
  BitBlt(target, left - area.left, top - area.top, right - left, bottom - top, source.get(), left,
         top, SRCCOPY);
}

OwnedBitmap ScaleSkin(HBITMAP skin, int width, int height) {
  BITMAP info{};
  if (!skin || width <= 0 || height <= 0 || !GetObjectW(skin, sizeof(info), &info)) return {};
  const int sw = info.bmWidth, sh = info.bmHeight;
  if (sw <= 0 || sh <= 0) return {};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = sw;
  format.bmiHeader.biHeight = -sh;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> source(static_cast<size_t>(sw) * sh);
  const int rows = GetDIBits(ScreenDc(GetDC(nullptr)).get(), skin, 0, sh, source.data(), &format,
                             DIB_RGB_COLORS);
  if (rows != sh) return {};

  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  void* bits = nullptr;
  OwnedBitmap scaled(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!scaled.get() || !bits) return scaled;
  auto* out = static_cast<RGBQUAD*>(bits);
  // Each target pixel's centre mapped into the skin, blended from the four pixels around it.
  auto axis = [](int i, int target, int src, int& a, int& b, double& t) {
    double x = (i + 0.5) * src / target - 0.5;
    x = std::clamp(x, 0.0, static_cast<double>(src - 1));
    a = static_cast<int>(x);
    b = std::min(a + 1, src - 1);
    t = x - a;
  };
  for (int y = 0; y < height; ++y) {
    int y0, y1;
    double ty;
    axis(y, height, sh, y0, y1, ty);
    for (int x = 0; x < width; ++x) {
      int x0, x1;
      double tx;
      axis(x, width, sw, x0, x1, tx);
      const RGBQUAD &p00 = source[y0 * sw + x0], &p01 = source[y0 * sw + x1];
      const RGBQUAD &p10 = source[y1 * sw + x0], &p11 = source[y1 * sw + x1];
      auto mix = [&](BYTE RGBQUAD::*channel) {
        const double top = p00.*channel + (p01.*channel - p00.*channel) * tx;
        const double bottom = p10.*channel + (p11.*channel - p10.*channel) * tx;
        return static_cast<BYTE>(std::lround(top + (bottom - top) * ty));
      };
      out[y * width + x] = {mix(&RGBQUAD::rgbBlue), mix(&RGBQUAD::rgbGreen), mix(&RGBQUAD::rgbRed),
                            0};
    }
  }
  return scaled;
}

}  // namespace ui
