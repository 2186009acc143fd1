// A JPEG picture: its bytes kept from the load, decoded only where it lands
// in what it is drawn on, so that a photo of many megapixels shows at most a
// screenful of itself in the saver.
#pragma once

#include <windows.h>

#include <memory>

#include "forms/bitmap_picture.h"
#include "pictures/jpeg_decoder.h"
#include "pictures/picture_readers.h"

namespace zarumo {

class JpegPicture : public Picture {
 public:
  JpegPicture(FileBytes bytes, const JpegHeader& header)
      : bytes_(std::move(bytes)), header_(header) {}

  // As shown: a photo turned by a quarter swaps its stored sides.
  int Width() const override { return Whole().width; }
  int Height() const override { return Whole().height; }
  void Draw(HDC target, int x, int y) override;
  SIZE ReducedSize(int width, int height) const override;
  void DrawReduced(HDC target, int x, int y, int width, int height) override;

 private:
  Rect Whole() const { return ScaledJpeg(header_, kJpegFullScale); }
  // Decodes what has been decoded so far together with `needed`.
  void Extend(const Rect& needed);
  // A picture that failed once stays failed and draws nothing, so that the
  // many repaints of a window do not report the same failure again.
  void Fail();
  // The part of the picture decoded at `eighths`/8, as a bitmap of its own.
  std::unique_ptr<BitmapPicture> DecodePart(int eighths, const Rect& part) const;

  FileBytes bytes_;
  JpegHeader header_;
  std::unique_ptr<BitmapPicture> decoded_;
  Rect decodedPart_;  // of the picture at full size, where decoded_ holds it
  bool failed_ = false;
  // A later, larger decode failed: what was decoded stays, nothing more is tried.
  bool extendFailed_ = false;
};

}  // namespace zarumo
