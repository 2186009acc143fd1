// What the picture pane and the preview window show: one picture, drawn once
// at the smallest size it can be made at that still covers the area (a JPEG
// decodes reduced), and stretched from there into whatever area asks for it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "forms/bitmap_picture.h"

namespace zarumo {

class PictureView {
 public:
  // A null picture shows that there is none.
  explicit PictureView(std::unique_ptr<Picture> picture = nullptr);

  bool HasPicture() const { return picture_ != nullptr; }
  int PictureWidth() const { return picture_ ? picture_->Width() : 0; }
  int PictureHeight() const { return picture_ ? picture_->Height() : 0; }
  // The text shown in place of the picture; empty while the picture shows.
  std::string StatusText() const;

  // Fills `bounds` with the button face and puts the picture, scaled to fit
  // inside `margin` and centred, or the status text on it. A picture that
  // fails while it is drawn leaves its text; nothing escapes.
  void Paint(HDC dc, const RECT& bounds, int margin, HFONT font);

 private:
  // Makes sure the rendering covers a box of `width` x `height`.
  void Render(int width, int height) noexcept;

  std::unique_ptr<Picture> picture_;
  std::unique_ptr<BitmapPicture> rendered_;
  bool failed_ = false;
};

}  // namespace zarumo
