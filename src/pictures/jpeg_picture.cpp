#include "forms/bitmap_picture.h"
#include "pictures/jpeg_decoder.h"
#include "pictures/picture_limits.h"
#include "pictures/picture_readers.h"
#include "system/failure.h"
#include "system/handles.h"
#include "system/system_text.h"

namespace zarumo {

namespace {

// A JPEG is decoded only where it lands in what it is drawn on: a photo of
// many megapixels shows at most a screenful of itself in the saver.
class JpegPicture : public Picture {
 public:
  JpegPicture(FileBytes bytes, const JpegHeader& header)
      : bytes_(std::move(bytes)), header_(header) {}

  // As shown: a photo turned by a quarter swaps its stored sides.
  int Width() const override { return Whole().width; }
  int Height() const override { return Whole().height; }

  void Draw(HDC target, int x, int y) override {
    if (failed_) return;
    const Rect needed = VisiblePart(target, x, y);
    if (needed.Empty()) return;
    if (!decodedPart_.Contains(needed) && !settled_) Extend(needed);
    if (decoded_) decoded_->Draw(target, x + decodedPart_.left, y + decodedPart_.top);
  }

  SIZE ReducedSize(int width, int height) const override {
    const Rect reduced = ScaledJpeg(header_, CoveringJpegScale(header_, width, height));
    return {reduced.width, reduced.height};
  }

  void DrawReduced(HDC target, int x, int y, int width, int height) override {
    if (failed_) return;
    const int eighths = CoveringJpegScale(header_, width, height);
    if (eighths == kJpegFullScale) return Draw(target, x, y);
    std::unique_ptr<BitmapPicture> reduced;
    try {
      reduced = DecodePart(eighths, ScaledJpeg(header_, eighths));
    } catch (...) {
      Fail();
      throw;
    }
    reduced->Draw(target, x, y);
  }

 private:
  Rect Whole() const { return ScaledJpeg(header_, kJpegFullScale); }

  // The part of the picture at (x, y) that the target's clipping lets through.
  Rect VisiblePart(HDC target, int x, int y) const {
    const Rect whole = Whole();
    RECT clip;
    switch (GetClipBox(target, &clip)) {
      case NULLREGION:
        return {};
      case ERROR:
        return whole;
    }
    return Intersection(
        whole, {clip.left - x, clip.top - y, clip.right - clip.left, clip.bottom - clip.top});
  }

  // Decodes what has been decoded so far together with `needed`.
  void Extend(const Rect& needed) {
    Rect part = Union(decodedPart_, needed);
    if (!decoded_ && header_.severalScans) {
      // Every decode of such a file reads all of it: the first takes in a
      // screenful from where it starts, which is the most a window's painting
      // shows of a picture drawn there, so that a repaint does not read it again.
      const Rect screenful{needed.left, needed.top, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN)};
      part = Union(part, Intersection(Whole(), screenful));
    }
    if (!decoded_) {
      try {
        decoded_ = DecodePart(kJpegFullScale, part);
      } catch (...) {
        Fail();
        throw;
      }
      decodedPart_ = part;
      return;
    }
    try {
      decoded_ = DecodePart(kJpegFullScale, part);
      decodedPart_ = part;
    } catch (const InvalidPicture&) {
      // Damage further down than the first drawing reached: what that drawing
      // showed stays, and nothing more is tried.
      settled_ = true;
    } catch (...) {
      settled_ = true;
      throw;
    }
  }

  // A picture that failed once stays failed and draws nothing, so that the
  // many repaints of a window do not report the same failure again.
  void Fail() {
    failed_ = true;
    decoded_.reset();
    FileBytes().swap(bytes_);
  }

  // The part of the picture decoded at `eighths`/8, as a bitmap of its own.
  std::unique_ptr<BitmapPicture> DecodePart(int eighths, const Rect& part) const {
    const bool grey = header_.greyscale;
    const int bitCount = grey ? 8 : 24;
    const std::uint64_t stride = (static_cast<std::uint64_t>(part.width) * bitCount + 31) / 32 * 4;
    if (stride * static_cast<std::uint64_t>(part.height) > kMaxBitmapBytes) {
      throw InvalidPicture(JpegTooBigMessage());
    }
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = part.width;
    info.header.biHeight = part.height;  // rows from the bottom up
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitCount);
    info.header.biCompression = BI_RGB;
    void* bits = nullptr;
    SetLastError(0);
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (!bitmap || !bits) {
      OwnedBitmap refused(bitmap);
      RaiseLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    auto picture = std::make_unique<BitmapPicture>(bitmap);

    JpegTarget target;
    target.header = header_;
    target.eighths = eighths;
    target.part = part;
    target.topRow =
        static_cast<std::uint8_t*>(bits) +
        static_cast<std::ptrdiff_t>(part.height - 1) * static_cast<std::ptrdiff_t>(stride);
    target.rowStep = -static_cast<std::ptrdiff_t>(stride);
    JpegGreys greys;
    DecodeJpeg(bytes_.data(), bytes_.size(), target, greys);
    if (grey) {
      for (int i = 0; i < greys.count; ++i) {
        info.colours[i] = RGBQUAD{greys.level[i], greys.level[i], greys.level[i], 0};
      }
      SetDIBColorTable(picture->Dc(), 0, static_cast<UINT>(greys.count), info.colours);
    }
    return picture;
  }

  FileBytes bytes_;
  JpegHeader header_;
  std::unique_ptr<BitmapPicture> decoded_;
  Rect decodedPart_;  // of the picture at full size, where decoded_ holds it
  bool failed_ = false;
  bool settled_ = false;
};

}  // namespace

std::unique_ptr<Picture> ReadJpegPicture(FileBytes bytes) {
  const JpegHeader header = ReadJpegHeader(bytes.data(), bytes.size());
  return std::make_unique<JpegPicture>(std::move(bytes), header);
}

}  // namespace zarumo
