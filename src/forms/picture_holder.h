// A picture holder of a form: a place in the window with a size, a
// visibility flag, an auto-size flag and at most one picture.
#pragma once

#include <windows.h>

#include <memory>

#include "forms/holder_layout.h"
#include "forms/bitmap_picture.h"

namespace zarumo {

class PictureHolder {
 public:
  explicit PictureHolder(const HolderLayout& layout);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Visible() const { return visible_; }
  void SetWidth(int width) { width_ = width; }
  void SetHeight(int height) { height_ = height; }

  Picture* GetPicture() const { return picture_.get(); }
  // With auto-size on, a picture of positive width and height sizes the holder.
  void SetPicture(std::unique_ptr<Picture> picture);
  // The drawing surface: a bitmap of the holder's size in the display's format
  // is made the picture the first time a holder without one is drawn on.
  BitmapPicture& Canvas();

  // Paints the picture at its own size at the holder's position, clipped to
  // the holder's bounds.
  void Paint(HDC target);

 private:
  int left_, top_, width_, height_;
  bool visible_, autoSize_;
  std::unique_ptr<Picture> picture_;
};

}  // namespace zarumo
