// A bitmap picture, and drawing one 1:1 with the stretch mode that suits it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "forms/picture.h"
#include "forms/stretch_mode.h"
#include "system/handles.h"

namespace zarumo {

// A bitmap, kept selected into its own memory DC so that it can be drawn from
// and drawn on without creating anything per use.
class BitmapPicture : public Picture {
 public:
  // A canvas's DC also holds the display's palette, where there is one; a
  // picture's keeps its own colours.
  explicit BitmapPicture(OwnedBitmap bitmap, bool canvas = false);
  // A canvas in the display's pixel format: a device-independent section at
  // the display's depth, with the display's palette as its colours on a
  // palette display. Sections, unlike bitmaps of the device, may be as large
  // as memory allows on every system.
  static std::unique_ptr<BitmapPicture> CreateScreenCompatible(int width, int height);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  void Draw(HDC target, int x, int y) override;
  BitmapPicture* AsBitmap() override { return this; }

  HDC Dc() const { return dc_.Get(); }
  HBITMAP Handle() const { return bitmap_.Get(); }

 private:
  OwnedBitmap bitmap_;
  OwnedDc dc_;
  // Both leave the DC, the palette first, before the DC and the bitmap go.
  std::optional<Selection> selection_;
  std::unique_ptr<PaletteSelection> palette_;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
};

// Bits per pixel of the display.
int DisplayBitsPerPixel();

// Sets `mode` on `dc`. Where the system refuses HALFTONE, as the 9x family
// does, the mode is COLORONCOLOR instead: the default would AND the dropped
// pixels into dark speckles.
void ApplyStretchMode(HDC dc, StretchMode mode);

// Copies a DC's bitmap 1:1 with the stretch mode that suits its depth, only
// as far as the target's clipping lets it show.
void DrawBitmap1to1(HDC target, int x, int y, HDC source, int width, int height,
                    int sourceBitsPerPixel);

}  // namespace zarumo
