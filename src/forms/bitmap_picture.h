// A bitmap picture, and drawing one 1:1 with the stretch mode that suits it.
#pragma once

#include <windows.h>

#include <memory>

#include "forms/picture.h"
#include "system/handles.h"

namespace zarumo {

// A bitmap, kept selected into its own memory DC so that it can be drawn from
// and drawn on without creating anything per use.
class BitmapPicture : public Picture {
 public:
  // Takes ownership of `bitmap`.
  explicit BitmapPicture(HBITMAP bitmap);
  ~BitmapPicture() override;
  // A bitmap in the display's pixel format.
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
  HGDIOBJ oldBitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
};

// Bits per pixel of the display.
int DisplayBitsPerPixel();

// Copies a DC's bitmap, or its part from (sourceX, sourceY), 1:1 with the
// stretch mode that suits its depth.
void DrawBitmap1to1(HDC target, int x, int y, HDC source, int width, int height,
                    int sourceBitsPerPixel, int sourceX = 0, int sourceY = 0);

}  // namespace zarumo
