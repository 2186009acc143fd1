// A picture of blue, green, red and straight alpha bytes, drawn over what
// lies beneath it in the target.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "forms/bitmap_picture.h"

namespace zarumo {

class BgraPicture : public Picture {
 public:
  // A 32-bit bitmap of rows from the top down, all transparent black. Raises
  // InvalidPicture with `tooBig` beyond the bitmap bound.
  BgraPicture(int width, int height, bool transparent, const char* tooBig);

  int Width() const override { return bitmap_->Width(); }
  int Height() const override { return bitmap_->Height(); }
  // Without transparency a plain copy; otherwise the visible part of the
  // target is read back, the pixels are laid over it, and it is put back.
  void Draw(HDC target, int x, int y) override;

  std::uint8_t* TopRow() const { return bits_; }
  std::ptrdiff_t RowStep() const { return static_cast<std::ptrdiff_t>(Width()) * 4; }

 private:
  std::unique_ptr<BitmapPicture> bitmap_;
  std::uint8_t* bits_ = nullptr;
  bool transparent_;
};

}  // namespace zarumo
