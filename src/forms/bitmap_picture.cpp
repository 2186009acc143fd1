// A bitmap picture, and drawing one 1:1 with the stretch mode that suits it.
#include "forms/bitmap_picture.h"

#include "forms/stretch_mode.h"
#include "system/system_text.h"

namespace zarumo {

BitmapPicture::BitmapPicture(HBITMAP bitmap) : bitmap_(bitmap) {
  BITMAP info{};
  if (!GetObjectA(bitmap, sizeof info, &info)) RaiseLastError();
  width_ = info.bmWidth;
  height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  bitsPerPixel_ = info.bmBitsPixel * info.bmPlanes;
  dc_.Reset(CreateCompatibleDC(nullptr));
  if (!dc_) RaiseLastError();
  oldBitmap_ = SelectObject(dc_.Get(), bitmap);
  if (!oldBitmap_ || oldBitmap_ == HGDI_ERROR) RaiseLastError();
}

BitmapPicture::~BitmapPicture() {
  // The bitmap must leave its DC before either is deleted.
  if (dc_ && oldBitmap_ && oldBitmap_ != HGDI_ERROR) SelectObject(dc_.Get(), oldBitmap_);
}

std::unique_ptr<BitmapPicture> BitmapPicture::CreateScreenCompatible(int width, int height) {
  WindowDc screen(nullptr);
  if (!screen.Get()) RaiseLastError();
  HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), width, height);
  if (!bitmap) RaiseLastError(ERROR_NOT_ENOUGH_MEMORY);
  return std::make_unique<BitmapPicture>(bitmap);
}

void BitmapPicture::Draw(HDC target, int x, int y) {
  DrawBitmap1to1(target, x, y, dc_.Get(), width_, height_, bitsPerPixel_);
}

int DisplayBitsPerPixel() {
  WindowDc screen(nullptr);
  if (!screen.Get()) return 32;
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
}

void DrawBitmap1to1(HDC target, int x, int y, HDC source, int width, int height,
                    int sourceBitsPerPixel, int sourceX, int sourceY) {
  if (width <= 0 || height <= 0) return;
  switch (ChooseStretchMode(DisplayBitsPerPixel(), sourceBitsPerPixel)) {
    case StretchMode::kHalftone:
      SetStretchBltMode(target, HALFTONE);
      SetBrushOrgEx(target, 0, 0, nullptr);
      break;
    case StretchMode::kColorOnColor:
      SetStretchBltMode(target, COLORONCOLOR);
      break;
    case StretchMode::kUnchanged:
      break;
  }
  StretchBlt(target, x, y, width, height, source, sourceX, sourceY, width, height, SRCCOPY);
}

}  // namespace zarumo
