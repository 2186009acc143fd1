// A picture as the forms hold and draw it: a bitmap, or anything that can draw
// itself at its own size.
#pragma once

#include <windows.h>

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

}  // namespace zarumo
