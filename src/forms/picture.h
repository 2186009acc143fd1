// Pictures as the forms hold and draw them.
#pragma once

#include <windows.h>

#include <memory>

#include "system/handles.h"

namespace zarumo {

class BitmapPicture;

class Picture {
 public:
  virtual ~Picture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws at the picture's own size with its top-left corner at (x, y); the
  // target DC clips. May fail the first time for pictures decoded lazily.
  virtual void Draw(HDC target, int x, int y) = 0;
  // The size DrawReduced draws at to cover `width` x `height`: the smallest
  // the picture can be made at that still covers it, or its own size.
  virtual SIZE ReducedSize(int, int) const { return {Width(), Height()}; }
  // Draws at ReducedSize(width, height) with the top-left corner at (x, y).
  virtual void DrawReduced(HDC target, int x, int y, int, int) { Draw(target, x, y); }
  // Only a bitmap can be drawn on.
  virtual BitmapPicture* AsBitmap() { return nullptr; }
};

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

// Copies a DC's bitmap 1:1 with the stretch mode that suits its depth.
void DrawBitmap1to1(HDC target, int x, int y, HDC source, int width, int height,
                    int sourceBitsPerPixel);

}  // namespace zarumo
