// A JPEG picture, decoded where it lands.
#include "pictures/jpeg_picture.h"

#include "pictures/bitmap_layout.h"
#include "pictures/picture_limits.h"
#include "pictures/visible_part.h"
#include "system/failure.h"
#include "system/handles.h"
#include "system/system_text.h"

namespace zarumo {

void JpegPicture::Draw(HDC target, int x, int y) {
  if (failed_) return;
  const Rect needed = VisiblePart(target, x, y, Width(), Height());
  if (needed.Empty()) return;
  if (!decodedPart_.Contains(needed) && !extendFailed_) Extend(needed);
  if (decoded_) decoded_->Draw(target, x + decodedPart_.left, y + decodedPart_.top);
}

SIZE JpegPicture::ReducedSize(int width, int height) const {
  const Rect reduced = ScaledJpeg(header_, CoveringJpegScale(header_, width, height));
  return {reduced.width, reduced.height};
}

void JpegPicture::DrawReduced(HDC target, int x, int y, int width, int height) {
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

void JpegPicture::Extend(const Rect& needed) {
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
    extendFailed_ = true;
  } catch (...) {
    extendFailed_ = true;
    throw;
  }
}

void JpegPicture::Fail() {
  failed_ = true;
  decoded_.reset();
  FileBytes().swap(bytes_);
}

std::unique_ptr<BitmapPicture> JpegPicture::DecodePart(int eighths, const Rect& part) const {
  const bool grey = header_.greyscale;
  const int bitCount = grey ? 8 : 24;
  const std::uint64_t stride = DibRowBytes(part.width, bitCount);
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
  OwnedBitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0));
  if (!bitmap || !bits) RaiseLastError(ERROR_NOT_ENOUGH_MEMORY);
  auto picture = std::make_unique<BitmapPicture>(std::move(bitmap));

  JpegTarget target;
  target.header = header_;
  target.eighths = eighths;
  target.part = part;
  target.topRow = static_cast<std::uint8_t*>(bits) + static_cast<std::ptrdiff_t>(part.height - 1) *
                                                         static_cast<std::ptrdiff_t>(stride);
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

std::unique_ptr<Picture> ReadJpegPicture(FileBytes bytes) {
  const JpegHeader header = ReadJpegHeader(bytes.data(), bytes.size());
  return std::make_unique<JpegPicture>(std::move(bytes), header);
}

}  // namespace zarumo
