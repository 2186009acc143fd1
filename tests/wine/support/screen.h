// What the screen shows, read back as 32-bit pixels.
#pragma once

#include <windows.h>

#include <vector>

#include "system/handles.h"

namespace wt {

// A 32-bit pixel of a device-independent bitmap (0x00RRGGBB) as RGB().
inline COLORREF ColourOf(DWORD pixel) {
  return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
}

// A 32-bit top-down bitmap selected into a memory DC of its own: something to
// draw or copy into and read back.
class Surface {
 public:
  Surface(int width, int height);

  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Top row first; what was drawn before is finished first.
  const DWORD* Pixels() const {
    GdiFlush();
    return bits_;
  }
  COLORREF At(int x, int y) const { return ColourOf(Pixels()[y * width_ + x]); }

 private:
  int width_;
  int height_;
  DWORD* bits_ = nullptr;  // set while the bitmap is made, so declared before it
  zarumo::OwnedBitmap bitmap_;
  zarumo::OwnedDc dc_;
  zarumo::Selection selection_;
};

class Capture {
 public:
  // The whole screen, or one window's client area.
  static Capture Screen();
  static Capture Area(RECT area);  // of the virtual screen, its corner then at 0, 0
  static Capture Client(HWND window);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;  // RGB()
  bool Lit(int x, int y) const { return At(x, y) != 0; }
  // Bounding box of the pixels for which `match` holds, within `area`; empty when none.
  template <typename Match>
  RECT BoundsOf(Match match, RECT area) const {
    RECT box = {area.right, area.bottom, area.left - 1, area.top - 1};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (match(At(x, y))) {
          if (x < box.left) box.left = x;
          if (y < box.top) box.top = y;
          if (x > box.right) box.right = x;
          if (y > box.bottom) box.bottom = y;
        }
    return box;  // inclusive; left > right when nothing matched
  }
  RECT LitBounds(RECT area) const {
    return BoundsOf([](COLORREF c) { return c != 0; }, area);
  }
  int CountLit(RECT area) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;
};

inline bool IsRed(COLORREF c) {
  return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60;
}

}  // namespace wt
