// A picture of blue, green, red and straight alpha bytes.
#include "pictures/bgra_picture.h"

#include "pictures/alpha_blend.h"
#include "pictures/picture_limits.h"
#include "pictures/visible_part.h"
#include "system/failure.h"
#include "system/handles.h"
#include "system/system_text.h"

namespace zarumo {

namespace {

// A 32-bit DIB section with rows from the top down.
std::unique_ptr<BitmapPicture> TopDownSection(int width, int height, std::uint8_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  SetLastError(0);
  OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!bitmap || !pixels) RaiseLastError(ERROR_NOT_ENOUGH_MEMORY);
  auto picture = std::make_unique<BitmapPicture>(std::move(bitmap));
  *bits = static_cast<std::uint8_t*>(pixels);
  return picture;
}

}  // namespace

BgraPicture::BgraPicture(int width, int height, bool transparent, const char* tooBig)
    : transparent_(transparent) {
  if (width <= 0 || height <= 0 ||
      std::uint64_t(width) * static_cast<std::uint64_t>(height) * 4 > kMaxBitmapBytes) {
    throw InvalidPicture(tooBig);
  }
  bitmap_ = TopDownSection(width, height, &bits_);
}

void BgraPicture::Draw(HDC target, int x, int y) {
  if (!transparent_) {
    DrawBitmap1to1(target, x, y, bitmap_->Dc(), Width(), Height(), 32);
    return;
  }
  const Rect part = VisiblePart(target, x, y, Width(), Height());
  if (part.Empty()) return;
  std::uint8_t* beneath = nullptr;
  auto scratch = TopDownSection(part.width, part.height, &beneath);
  const int left = x + part.left;
  const int top = y + part.top;
  // A target that cannot be read back leaves black beneath.
  BitBlt(scratch->Dc(), 0, 0, part.width, part.height, target, left, top, SRCCOPY);
  GdiFlush();  // the copy must have landed before the pixels are read
  for (int row = 0; row < part.height; ++row) {
    BlendOver(bits_ + (part.top + row) * RowStep() + part.left * 4,
              beneath + static_cast<std::ptrdiff_t>(row) * part.width * 4, part.width);
  }
  DrawBitmap1to1(target, left, top, scratch->Dc(), part.width, part.height, 32);
}

}  // namespace zarumo
